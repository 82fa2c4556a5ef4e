#include "ZelTestDoubles.h"

#include "ZelCodePage.h"
#include "ZelMorph.h"
#include "ZelSentenceItem.h"

namespace {

class TListBuilder : public TZelInterfacedObject, public virtual IZelDicBuilder {
public:
    explicit TListBuilder(std::vector<ZelRef<IZelDic>> dics) : Dics(std::move(dics)) {}
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelDicBuilder::IID)
            return static_cast<IZelDicBuilder*>(this);
        return TZelInterfacedObject::QueryInterface(iid);
    }
    void EnumLanguagePairs(const TZelAddPairProc&) override {}
    bool AddInstalled(IZelDicList& list) override {
        for (auto& d : Dics)
            list.Add(d);
        return true;
    }
    std::vector<ZelRef<IZelDic>> Dics;
};

} // namespace

void InstallDics(std::vector<ZelRef<IZelDic>> dics) {
    ZelReleaseDicList(true);
    RegisterDicBuilder(ZelMake<TListBuilder>(std::move(dics)));
}

std::vector<std::string> Headwords(IZelArrayCursor& cursor) {
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(&cursor);
    std::vector<std::string> out;
    for (int32_t i = 0; i < cursor.GetCount(); ++i) {
        cursor.SetIndex(i);
        out.push_back(ZelWideToUtf8(lu->GetWideText()) + "/" + std::to_string(lu->GetOrdinal()));
    }
    return out;
}

std::vector<std::string> Headwords(IZelDic& dic) {
    return Headwords(*dic.GetEntries());
}

std::string ShowMorph(IZelMorphInfo& node) {
    switch (node.GetKind()) {
    case ZelMorphLeaf:
        return ZelWideToUtf8(node.GetLemma()) + "/" + std::to_string(node.GetLemmaCode()) + "@" +
               std::to_string(node.GetStart()) + "+" + std::to_string(node.GetLength());
    case ZelMorphAlternatives: {
        std::string out = "(";
        for (int32_t i = 0; i < node.GetCount(); ++i)
            out += (i ? " | " : "") + ShowMorph(*node.GetItem(i));
        return out + ")";
    }
    default: {
        std::string out = "[";
        for (int32_t i = 0; i < node.GetCount(); ++i)
            out += (i ? " " : "") + ShowMorph(*node.GetItem(i));
        return out + "]";
    }
    }
}

std::string ShowItem(IZelSentenceItem& item) {
    switch (item.GetKind()) {
    case ZelItemReading: {
        std::string out = ZelWideToUtf8(item.GetLemma()) + item.GetCatSuffix() + "/" +
                          std::to_string(item.GetOrdinal()) + "'" +
                          ZelWideToUtf8(item.GetWordForm()) + "'";
        if (!item.GetKnown())
            out += "?";
        return out;
    }
    case ZelItemAlternatives: {
        std::string out = "(";
        for (int32_t i = 0; i < item.GetCount(); ++i)
            out += (i ? " | " : "") + ShowItem(*item.GetItem(i));
        return out + ")";
    }
    default: {
        std::string out = "[";
        for (int32_t i = 0; i < item.GetCount(); ++i)
            out += (i ? " " : "") + ShowItem(*item.GetItem(i));
        return out + "]";
    }
    }
}
