#include "ZelLangConfig.h"

#include "ZelFormat.h"
#include "ZelResStrings.h"
#include "ZelUtils.h"

#include <algorithm>

namespace {

template <class C> TZelPropInfo DisplayNameProp() {
    return ZelStringProp<C>(
        "DisplayName", [](const C& o) { return o.GetDisplayName(); },
        [](C& o, const std::string& v) { o.SetDisplayName(v); });
}

TZelLanguage LangAt(const std::string& name, size_t pos) {
    if (name.size() < pos + 3)
        return 0;
    try {
        int64_t v = ZelStrToInt(name.substr(pos, 3));
        return v > 0 && v <= 0xFFFF ? TZelLanguage(v) : 0;
    } catch (const EZelConvertError&) {
        return 0;
    }
}

std::vector<std::string> InstalledIds() {
    std::vector<std::string> ids;
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i)
        if (ZelRef<IZelDic> dic = list->GetDic(i))
            ids.push_back(dic->GetId());
    return ids;
}

} // namespace

std::string ZelLangPairName(TZelLanguage source, TZelLanguage target) {
    return ZelFormat("%.3d-%.3d", {int(ZelPrimaryLang(source)), int(ZelPrimaryLang(target))});
}

// ---------------------------------------------------------------------------------------

const std::vector<TZelPropInfo>& TZelDicConfig::GetProperties() const {
    static const std::vector<TZelPropInfo> props = {
        DisplayNameProp<TZelDicConfig>(),
        ZelEnumProp("LookupMode", &TZelDicConfig::LookupMode,
                    {"lmAlways", "lmNever", "lmIfNotFoundBefore"}),
        ZelIntProp("ViewIndex", &TZelDicConfig::ViewIndex),
    };
    return props;
}

void TZelDicConfig::SetDisplayName(const std::string& name) {
    if (name != DisplayName) {
        Dic.reset();
        DicResolved = false;
    }
    DisplayName = name;
}

ZelRef<IZelDic> TZelDicConfig::GetDic() {
    if (!DicResolved) {
        ZelRef<IZelDicList> list = GetDicList();
        for (int32_t i = 0; i < list->GetCount() && !Dic; ++i)
            if (ZelRef<IZelDic> dic = list->GetDic(i); dic && dic->GetId() == DisplayName)
                Dic = dic;
        DicResolved = true;
    }
    return Dic;
}

int32_t TZelDicConfigList::IndexOf(const std::string& name) const {
    for (int32_t i = 0; i < GetItemCount(); ++i)
        if (GetItem(i).GetDisplayName() == name)
            return i;
    return -1;
}

const std::vector<TZelPropInfo>& TZelDicViewConfig::GetProperties() const {
    static const std::vector<TZelPropInfo> props = {
        DisplayNameProp<TZelDicViewConfig>(),
        ZelObjectProp("DicConfigList", &TZelDicViewConfig::DicConfigList),
        ZelBoolProp("HorzScrollbar", &TZelDicViewConfig::HorzScrollbar),
        ZelBoolProp("KeepSourceFont", &TZelDicViewConfig::KeepSourceFont),
    };
    return props;
}

const std::vector<TZelPropInfo>& TZelLangConfig::GetProperties() const {
    static const std::vector<TZelPropInfo> props = {
        DisplayNameProp<TZelLangConfig>(),
        ZelObjectProp("DicViewConfigList", &TZelLangConfig::DicViewConfigList),
        ZelBoolProp("DisambiguationEnabled", &TZelLangConfig::DisambiguationEnabled),
        ZelBoolProp("MorphAnalysisEnabled", &TZelLangConfig::MorphAnalysisEnabled),
    };
    return props;
}

TZelLanguage TZelLangConfig::GetSourceLang() const {
    return LangAt(DisplayName, 0);
}

TZelLanguage TZelLangConfig::GetTargetLang() const {
    return LangAt(DisplayName, 4);
}

void TZelLangConfig::Synchronize() {
    if (DicViewConfigList.GetItemCount() == 0)
        DicViewConfigList.AddItem().SetDisplayName(ZelLoadStr(TZelResId::DefaultView));
    TZelLanguage source = GetSourceLang();
    TZelLanguage target = GetTargetLang();
    if (source == 0 || target == 0)
        return;
    for (int32_t i = 0; i < DicViewConfigList.GetItemCount(); ++i)
        ZelSynchronizeView(DicViewConfigList.GetItem(i), source, target);
}

void ZelSynchronizeView(TZelDicViewConfig& view, TZelLanguage source, TZelLanguage target) {
    std::vector<std::string> installed = InstalledIds();
    TZelDicConfigList& dics = view.DicConfigList;
    for (int32_t i = dics.GetItemCount() - 1; i >= 0; --i)
        if (std::find(installed.begin(), installed.end(), dics.GetItem(i).GetDisplayName()) ==
            installed.end())
            dics.DeleteItem(i);
    ZelRef<IZelDicList> list = GetDicList();
    source = ZelPrimaryLang(source);
    target = ZelPrimaryLang(target);
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = list->GetDic(i);
        if (!dic || ZelSupports<IZelDicMorph>(dic.get()))
            continue;
        TZelLanguage s = ZelPrimaryLang(dic->GetSourceLang());
        TZelLanguage t = ZelPrimaryLang(dic->GetTargetLang());
        if (s != source || (t != source && t != target))
            continue;
        std::string id = dic->GetId();
        if (dics.IndexOf(id) < 0)
            dics.AddItem().SetDisplayName(id);
    }
}

TZelLangConfig* TZelLangConfigList::FindOrAdd(TZelLanguage source, TZelLanguage target) {
    if (source == 0 || target == 0)
        return nullptr;
    std::string name = ZelLangPairName(source, target);
    for (int32_t i = 0; i < GetItemCount(); ++i)
        if (GetItem(i).GetDisplayName() == name)
            return &GetItem(i);
    TZelLangConfig& config = AddItem();
    config.SetDisplayName(name);
    config.Synchronize();
    return &config;
}

void TZelLangConfigList::Validate() {
    for (int32_t i = 0; i < GetItemCount(); ++i)
        GetItem(i).Synchronize();
}
