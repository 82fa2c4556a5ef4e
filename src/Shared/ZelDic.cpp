#include "ZelDic.h"

#include "ZelCodePage.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelLXQueryField.h"
#include "ZelLangList.h"
#include "ZelLocale.h"
#include "ZelResStrings.h"
#include "ZelSettingsStore.h"

// ---------------------------------------------------------------------------------------
// TZelDic

TZelDic::TZelDic(TZelLanguage source, TZelLanguage target)
    : SourceLang(source), TargetLang(target) {}

void* TZelDic::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelDic::IID)
        return static_cast<IZelDic*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

int ZelCompareSystemTexts(TZelLanguage language, const std::string& a, const std::string& b,
                          bool loose) {
    int cp = ZelGetSystemCodePage();
    return ZelCompareLocale(ZelPrimaryLang(language), ZelCodePageToWide(a, cp),
                            ZelCodePageToWide(b, cp),
                            loose ? TZelCollationStrength::Loose : TZelCollationStrength::Exact);
}

int TZelDic::CompareSystemTexts(const std::string& a, const std::string& b, bool loose) {
    return ZelCompareSystemTexts(SourceLang, a, b, loose);
}

int TZelDic::CompareLuLoose(IZelLu& lu, const std::string& text) {
    return CompareSystemTexts(lu.GetText(), text, true);
}

int TZelDic::CompareLuExact(IZelLu& lu, const std::string& text) {
    return CompareSystemTexts(lu.GetText(), text, false);
}

int TZelDic::CompareLuText(IZelLu& lu, const std::string& text) {
    return CompareSystemTexts(lu.GetText(), text, false);
}

int TZelDic::CompareLus(IZelLu& a, IZelLu& b) {
    std::string textB = b.GetText();
    if (int r = CompareLuLoose(a, textB))
        return r;
    if (int r = CompareLuText(a, textB))
        return r;
    if (GetLuStyle() != ZelLuStyleOrdinal)
        return 0;
    if (a.GetOrdinal() == -1 || b.GetOrdinal() == -1)
        return 0;
    return a.GetOrdinal() - b.GetOrdinal();
}

std::string TZelDic::GetId() {
    return ZelLoadStr(TZelResId::UnidentifiedDictionary);
}

std::u16string TZelDic::GetName() {
    return ZelUtf8ToWide(ZelLoadStr(TZelResId::UnnamedDictionary));
}

ZelRef<IZelArrayCursor> TZelDic::LookupLu(const std::u16string& text,
                                          const std::u16string& alternative, int32_t ordinal,
                                          uint8_t) {
    ZEL_ASSERT(!text.empty() || !alternative.empty());
    ZEL_ASSERT(ordinal == -1 || !alternative.empty());
    return nullptr;
}

bool TZelDic::FindLuInCursor(IZelArrayCursor& cursor, IZelLu& key, int32_t& index) {
    ZelRef<IZelLu> element = ZelQuery<IZelLu>(&cursor);
    ZEL_ASSERT(element);
    ZelRef<IZelDic> elementDic = element->GetDic();
    IZelDic& dic = elementDic ? *elementDic : *this;
    std::string keyText = key.GetText();
    auto compare = [&](IZelArrayCursor&) { return dic.CompareLuLoose(*element, keyText); };
    if (IsLuSorted())
        return SearchSorted(cursor, compare, index);
    return SearchLinear(cursor, compare, index);
}

ZelRef<IZelArrayCursor> TZelDic::LookupLuInEntries(const std::u16string& text,
                                                   const std::u16string& alternative,
                                                   int32_t ordinal, uint8_t catCode) {
    ZEL_ASSERT(!text.empty() || !alternative.empty());
    ZEL_ASSERT(ordinal == -1 || !alternative.empty());
    const std::u16string& searched = alternative.empty() ? text : alternative;
    if (GetLuStyle() != ZelLuStyleOrdinal)
        return nullptr;
    ZelRef<TZelLu> key = ZelMake<TZelLu>(ZelRef<IZelDic>(this), searched, ordinal, catCode);
    ZelRef<IZelArrayCursor> entries = GetEntries();
    if (!entries)
        return nullptr;
    int32_t index = 0;
    if (!FindLu(*entries, *key, index))
        return nullptr;
    ZelRef<IZelLu> element = ZelQuery<IZelLu>(entries);
    std::string keyText = key->GetText();
    ZelRef<TZelArrayCursorFilter> result;
    for (int32_t i = index; i < entries->GetCount(); ++i) {
        entries->SetIndex(i);
        if (CompareLuLoose(*element, keyText) != 0)
            break;
        if (CompareLus(*element, *key) == 0) {
            if (!result)
                result = ZelMake<TZelArrayCursorFilter>(entries);
            result->Add(i);
        }
    }
    return result;
}

// ---------------------------------------------------------------------------------------
// TZelDicMorph

TZelDicMorph::TZelDicMorph(const std::string& id, TZelLanguage language)
    : TZelDic(language, language), Id(id) {}

TZelDicMorph::~TZelDicMorph() = default;

void* TZelDicMorph::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelDicMorph::IID)
        return static_cast<IZelDicMorph*>(this);
    return TZelDic::QueryInterface(iid);
}

TZelLXQueryFields* TZelDicMorph::GetQueryFields() {
    if (!QueryFields) {
        QueryFields = std::make_unique<TZelLXQueryFields>();
        std::string caption = ZelWideToCodePage(ZelUtf8ToWide(ZelLoadStr(TZelResId::WordForm)),
                                                ZelGetSystemCodePage());
        QueryFields->Add(std::make_unique<TZelLXQueryField>(nullptr, qkWordForm, caption));
    }
    return QueryFields.get();
}

// ---------------------------------------------------------------------------------------
// TZelLu

TZelLu::TZelLu(const ZelRef<IZelDic>& dic, const std::u16string& text, int32_t ordinal,
               uint8_t catCode)
    : Dic(dic), Text(text), Ordinal(ordinal), CatCode(catCode) {}

void* TZelLu::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelLu::IID)
        return static_cast<IZelLu*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

std::string TZelLu::GetText() {
    return ZelWideToCodePage(Text, ZelGetSystemCodePage());
}

// ---------------------------------------------------------------------------------------
// TZelLuCursorOnMemBlocks

TZelLuCursorOnMemBlocks::TZelLuCursorOnMemBlocks(int codePage, IZelDic* dic,
                                                 const ZelRef<IZelMemBlocks>& blocks,
                                                 const std::string& fileName)
    : CodePage(codePage), Dic(dic), Blocks(blocks), FileName(fileName), Count(blocks->GetCount()),
      Style(dic ? dic->GetLuStyle() : uint8_t(ZelLuStylePlain)) {}

void* TZelLuCursorOnMemBlocks::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelLu::IID)
        return static_cast<IZelLu*>(this);
    return TZelArrayCursor::QueryInterface(iid);
}

void TZelLuCursorOnMemBlocks::RaiseInvalidRecord() const {
    if (FileName.empty())
        throw EZelStreamError(ZelLoadStr(TZelResId::InvalidStreamFormat));
    throw EZelStreamError(ZelFormat(ZelLoadStr(TZelResId::InvalidStreamFormatInFile), {FileName}));
}

std::string_view TZelLuCursorOnMemBlocks::CurrentRecord() {
    std::string_view record = Blocks->GetBlock(Index).View();
    if (Style != ZelLuStylePlain && record.size() < 2)
        RaiseInvalidRecord();
    return record;
}

std::string_view TZelLuCursorOnMemBlocks::GetRawText() {
    std::string_view record = CurrentRecord();
    return Style == ZelLuStylePlain ? record : record.substr(0, record.size() - 1);
}

uint8_t TZelLuCursorOnMemBlocks::GetCatCode() {
    if (Style != ZelLuStyleCategory)
        return 0;
    std::string_view record = CurrentRecord();
    auto code = uint8_t(record.back());
    if (code == 0) // category codes start at 1
        RaiseInvalidRecord();
    return code;
}

std::string TZelLuCursorOnMemBlocks::GetText() {
    std::string_view raw = GetRawText();
    int system = ZelGetSystemCodePage();
    if (CodePage == system)
        return std::string(raw);
    return ZelWideToCodePage(ZelCodePageToWide(raw, CodePage), system);
}

int32_t TZelLuCursorOnMemBlocks::GetLength() {
    return int32_t(GetRawText().size());
}

int32_t TZelLuCursorOnMemBlocks::GetOrdinal() {
    if (Style != ZelLuStyleOrdinal)
        return -1;
    return uint8_t(CurrentRecord().back());
}

std::u16string TZelLuCursorOnMemBlocks::GetWideText() {
    return ZelCodePageToWide(GetRawText(), CodePage);
}

// ---------------------------------------------------------------------------------------
// Interface lists

void* TZelInterfaceList::QueryInterface(const ZelGuid& iid) {
    // The generic list has no identifier of its own; only the dictionary list does.
    return TZelInterfacedObject::QueryInterface(iid);
}

void TZelInterfaceList::CheckIndex(int32_t index, bool allowEnd) const {
    int32_t limit = int32_t(Items.size()) + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
}

ZelRef<IZelUnknown> TZelInterfaceList::Get(int32_t index) {
    CheckIndex(index, false);
    return Items[size_t(index)];
}

void TZelInterfaceList::Put(int32_t index, const ZelRef<IZelUnknown>& item) {
    CheckIndex(index, false);
    Items[size_t(index)] = item;
}

void TZelInterfaceList::Delete(int32_t index) {
    CheckIndex(index, false);
    Items.erase(Items.begin() + index);
}

void TZelInterfaceList::Exchange(int32_t a, int32_t b) {
    CheckIndex(a, false);
    CheckIndex(b, false);
    std::swap(Items[size_t(a)], Items[size_t(b)]);
}

int32_t TZelInterfaceList::IndexOf(IZelUnknown* item) {
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i].get() == item)
            return int32_t(i);
    return -1;
}

int32_t TZelInterfaceList::Add(const ZelRef<IZelUnknown>& item) {
    Items.push_back(item);
    return int32_t(Items.size()) - 1;
}

void TZelInterfaceList::Insert(int32_t index, const ZelRef<IZelUnknown>& item) {
    CheckIndex(index, true);
    Items.insert(Items.begin() + index, item);
}

int32_t TZelInterfaceList::Remove(IZelUnknown* item) {
    int32_t index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

void* TZelDicList::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelDicList::IID)
        return static_cast<IZelDicList*>(this);
    return TZelInterfaceList::QueryInterface(iid);
}

void TZelDicList::SaveEditable() {
    for (int32_t i = 0; i < GetCount(); ++i)
        if (auto editable = ZelQuery<IZelDicEditable>(Get(i)))
            editable->SaveChanges();
}

ZelRef<IZelDic> TZelDicList::GetDic(int32_t index) {
    return ZelQuery<IZelDic>(Get(index));
}

// ---------------------------------------------------------------------------------------
// Process-wide registries

namespace {
std::vector<ZelRef<IZelDicBuilder>>& Builders() {
    static std::vector<ZelRef<IZelDicBuilder>> builders;
    return builders;
}

ZelRef<IZelDicList>& DicList() {
    static ZelRef<IZelDicList> list;
    return list;
}
} // namespace

void RegisterDicBuilder(const ZelRef<IZelDicBuilder>& builder) {
    Builders().push_back(builder);
}

const std::vector<ZelRef<IZelDicBuilder>>& GetDicBuilders() {
    return Builders();
}

ZelRef<IZelDicList> GetDicList() {
    if (DicList())
        return DicList();
    ZelRef<IZelDicList> list = ZelMake<TZelDicList>();
    try {
        for (const auto& builder : Builders())
            builder->AddInstalled(*list);
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
        throw;
    }
    DicList() = list;
    return list;
}

void ZelReleaseDicList(bool alsoBuilders) {
    DicList().reset();
    if (alsoBuilders)
        Builders().clear();
}

void CollectDics(TZelLanguage source, TZelLanguage target, IZelInterfaceList& list,
                 const ZelGuid& iid) {
    list.Clear();
    ZelRef<IZelDicList> dics = GetDicList();
    source = ZelPrimaryLang(source);
    target = ZelPrimaryLang(target);
    for (int32_t i = 0; i < dics->GetCount(); ++i) {
        ZelRef<IZelUnknown> item = dics->Get(i);
        ZelRef<IZelDic> dic = ZelQuery<IZelDic>(item);
        if (!dic || !item->QueryInterface(iid))
            continue;
        TZelLanguage s = ZelPrimaryLang(dic->GetSourceLang());
        TZelLanguage t = ZelPrimaryLang(dic->GetTargetLang());
        if (s == source && (t == source || t == target))
            list.Add(item);
    }
}

namespace {
std::optional<int32_t> ReadLanguageValue(TZelSettingsKey& key, const char* name) {
    try {
        return key.ReadInteger(name);
    } catch (const EZelSettingsError&) {
        return std::nullopt;
    }
}
} // namespace

TZelLanguage ReadLastSourceLang(TZelSettingsKey& key) {
    TZelLangList& langs = ZelLangList();
    ZEL_ASSERT(langs.GetCount() > 0);
    if (auto value = ReadLanguageValue(key, "SLWC"))
        if (langs.IndexOfSource(ZelPrimaryLang(TZelLanguage(*value))) >= 0)
            return TZelLanguage(*value);
    return langs.GetSource(0);
}

TZelLanguage ReadLastTargetLang(TZelSettingsKey& key, TZelLanguage source) {
    TZelLangList& langs = ZelLangList();
    ZEL_ASSERT(langs.GetCount() > 0);
    int32_t s = langs.IndexOfSource(ZelPrimaryLang(source));
    if (s < 0)
        s = 0;
    if (auto value = ReadLanguageValue(key, "TLWC"))
        if (langs.IndexOfTarget(s, ZelPrimaryLang(TZelLanguage(*value))) >= 0)
            return TZelLanguage(*value);
    return langs.GetTargetCount(s) > 0 ? langs.GetTarget(s, 0) : langs.GetSource(s);
}
