#include "ZelDic.h"
#include "ZelCodePage.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelLXQueryField.h"
#include "ZelLangList.h"
#include "ZelMemBlocksWriter.h"
#include "ZelSentenceItem.h"
#include "ZelSettingsStore.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct TRecord {
    std::string Text; // in the dictionary's code page
    int Tail = -1;    // category or ordinal byte; -1 for style 2
};

// A dictionary over a headword container, as the file-based dictionaries keep theirs.
class TTestDic : public TZelDic {
public:
    TTestDic(const std::string& path, uint8_t style, TZelLanguage source, TZelLanguage target,
             int codePage = 1252, bool sorted = true)
        : TZelDic(source, target), Path(path), Style(style), CodePage(codePage), Sorted(sorted) {}

    std::string GetEntryRtf(IZelLu&, int32_t) override { return {}; }
    bool FindLu(IZelArrayCursor& cursor, IZelLu& key, int32_t& index) override {
        return FindLuInCursor(cursor, key, index);
    }
    uint8_t GetLuStyle() override { return Style; }
    bool IsLuSorted() override { return Sorted; }
    bool HasLuList() override { return true; }
    ZelRef<IZelArrayCursor> GetEntries() override {
        if (!Entries)
            Entries =
                ZelMake<TZelLuCursorOnMemBlocks>(CodePage, this, ZelOpenMemBlocksFile(Path), Path);
        return Entries;
    }
    ZelRef<IZelArrayCursor> LookupLu(const std::u16string& text, const std::u16string& alt,
                                     int32_t ordinal, uint8_t cat) override {
        return LookupLuInEntries(text, alt, ordinal, cat);
    }

private:
    std::string Path;
    uint8_t Style;
    int CodePage;
    bool Sorted;
    // The cursor does not hold its dictionary, so the dictionary may hold the cursor.
    ZelRef<IZelArrayCursor> Entries;
};

std::string WriteHeadwords(const TTempDir& dir, const std::vector<TRecord>& records,
                           const char* name = "hw_lu.ddata") {
    TZelMemBlocksWriter writer;
    for (const auto& r : records)
        writer.Add(r.Tail < 0 ? r.Text : r.Text + char(r.Tail));
    std::string path = dir.File(name);
    writer.WriteFile(path);
    return path;
}

std::vector<int32_t> FilterIndexes(const ZelRef<IZelArrayCursor>& cursor) {
    auto filter = ZelQuery<IZelArrayCursorFilter>(cursor);
    std::vector<int32_t> out;
    for (int32_t i = 0; filter && i < filter->GetCount(); ++i) {
        filter->SetIndex(i);
        out.push_back(filter->GetBase()->GetIndex());
    }
    return out;
}

std::string Latin1(std::u16string_view text) {
    return ZelWideToCodePage(text, 1252);
}

} // namespace

TEST(Dic, LookupLuNarrowsByOrdinal) {
    TTempDir dir;
    std::string path = WriteHeadwords(dir, {{"apple", 1}, {"bank", 1}, {"bank", 2}, {"cat", 1}});
    ZelRef<TTestDic> dic =
        ZelMake<TTestDic>(path, ZelLuStyleOrdinal, ZelLangEnglish, ZelLangItalian);
    EXPECT_EQ(FilterIndexes(dic->LookupLu(u"bank", u"bank", 2, 0)), (std::vector<int32_t>{2}));
    EXPECT_EQ(FilterIndexes(dic->LookupLu(u"bank", u"", -1, 0)), (std::vector<int32_t>{1, 2}));
    // The alternative text wins over the text; case does not matter to the search.
    EXPECT_EQ(FilterIndexes(dic->LookupLu(u"zzz", u"Cat", -1, 0)), (std::vector<int32_t>{}));
    EXPECT_EQ(FilterIndexes(dic->LookupLu(u"zzz", u"cat", -1, 0)), (std::vector<int32_t>{3}));
    EXPECT_FALSE(dic->LookupLu(u"dog", u"", -1, 0));
    EXPECT_THROW(dic->LookupLu(u"", u"", -1, 0), EZelAssertion);
    EXPECT_THROW(dic->LookupLu(u"bank", u"", 1, 0), EZelAssertion);
}

TEST(Dic, LookupLuOnlySearchesOrdinalStyle) {
    TTempDir dir;
    std::string cat = WriteHeadwords(dir, {{"bank", 2}}, "cat_lu");
    std::string plain = WriteHeadwords(dir, {{"bank", -1}}, "plain_lu");
    EXPECT_FALSE(ZelMake<TTestDic>(cat, ZelLuStyleCategory, 9, 16)->LookupLu(u"bank", u"", -1, 0));
    EXPECT_FALSE(ZelMake<TTestDic>(plain, ZelLuStylePlain, 9, 16)->LookupLu(u"bank", u"", -1, 0));
    EXPECT_FALSE(ZelMake<TZelLu>(nullptr, u"x", -1, 0)->GetDic());
}

TEST(Dic, CompareLusUsesExactComparisonBeforeOrdinals) {
    TTempDir dir;
    std::string path = WriteHeadwords(dir, {{Latin1(u"Résumé"), 1}, {"resume", 2}});
    ZelRef<TTestDic> dic = ZelMake<TTestDic>(path, ZelLuStyleOrdinal, 9, 16);
    ZelRef<IZelArrayCursor> entries = dic->GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    entries->SetIndex(0);
    ZelRef<TZelLu> resume = ZelMake<TZelLu>(dic, u"resume", 2, 0);
    ZelRef<TZelLu> sameResume = ZelMake<TZelLu>(dic, u"resume", 1, 0);
    EXPECT_EQ(dic->CompareLuLoose(*lu, "resume"), 0);
    int byText = dic->CompareLus(*lu, *resume);
    EXPECT_NE(byText, 0);
    // The ordinals (1 against 2) would say -1; the exact comparison decides instead.
    EXPECT_EQ(dic->CompareLus(*lu, *sameResume), byText);
    // Equal texts fall through to the ordinals.
    entries->SetIndex(1);
    EXPECT_EQ(dic->CompareLus(*lu, *sameResume), 1);
    ZelRef<TZelLu> noOrdinal = ZelMake<TZelLu>(dic, u"resume", -1, 0);
    EXPECT_EQ(dic->CompareLus(*lu, *noOrdinal), 0);
}

TEST(Dic, FindLuGivesTheFirstEqualOrTheInsertionPoint) {
    TTempDir dir;
    std::string path =
        WriteHeadwords(dir, {{"a", 1}, {"b", 1}, {"B", 2}, {"b", 3}, {"c", 1}, {"d", 1}});
    ZelRef<TTestDic> dic = ZelMake<TTestDic>(path, ZelLuStyleOrdinal, 9, 16);
    ZelRef<IZelArrayCursor> entries = dic->GetEntries();
    int32_t index = -1;
    EXPECT_TRUE(dic->FindLu(*entries, *ZelMake<TZelLu>(dic, u"b", -1, 0), index));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(entries->GetIndex(), 1);
    EXPECT_FALSE(dic->FindLu(*entries, *ZelMake<TZelLu>(dic, u"zebra", -1, 0), index));
    EXPECT_EQ(index, 6);
    EXPECT_FALSE(dic->FindLu(*entries, *ZelMake<TZelLu>(dic, u"bb", -1, 0), index));
    EXPECT_EQ(index, 4);

    // Unsorted: a linear search from the start.
    std::string unsorted = WriteHeadwords(dir, {{"d", 1}, {"a", 1}, {"a", 2}}, "u_lu");
    ZelRef<TTestDic> linear = ZelMake<TTestDic>(unsorted, ZelLuStyleOrdinal, 9, 16, 1252, false);
    entries = linear->GetEntries();
    EXPECT_TRUE(linear->FindLu(*entries, *ZelMake<TZelLu>(linear, u"A", -1, 0), index));
    EXPECT_EQ(index, 1);
}

TEST(Dic, HeadwordRecordsByStyle) {
    TTempDir dir;
    struct {
        uint8_t Style;
        TRecord Record;
        std::string Text;
        uint8_t Cat;
        int32_t Ordinal;
    } cases[] = {
        {ZelLuStyleCategory, {"casa", 2}, "casa", 2, -1},
        {ZelLuStyleOrdinal, {"casa", 3}, "casa", 0, 3},
        {ZelLuStylePlain, {"casa", -1}, "casa", 0, -1},
    };
    for (const auto& c : cases) {
        std::string path = WriteHeadwords(dir, {c.Record}, "style_lu");
        ZelRef<TTestDic> dic = ZelMake<TTestDic>(path, c.Style, 16, 9);
        ZelRef<IZelArrayCursor> entries = dic->GetEntries();
        entries->SetIndex(0);
        ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
        EXPECT_EQ(lu->GetText(), c.Text);
        EXPECT_EQ(lu->GetLength(), int32_t(c.Text.size()));
        EXPECT_EQ(lu->GetCatCode(), c.Cat);
        EXPECT_EQ(lu->GetOrdinal(), c.Ordinal);
        EXPECT_EQ(lu->GetLuStyle(), c.Style);
        EXPECT_EQ(lu->GetDic().get(), static_cast<IZelDic*>(dic.get()));
    }
}

TEST(Dic, MalformedHeadwordRecordsFailCleanly) {
    TTempDir dir;
    std::string path = WriteHeadwords(dir, {{"", 1}, {"x", 0}});
    ZelRef<TTestDic> dic = ZelMake<TTestDic>(path, ZelLuStyleCategory, 9, 16);
    ZelRef<IZelArrayCursor> entries = dic->GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    entries->SetIndex(0); // a record of one byte has no headword
    EXPECT_THROW_MSG(lu->GetText(), EZelStreamError, "Invalid stream format (" + path + ")");
    entries->SetIndex(1); // a category byte of 0 is a fault of the file, not of the program
    EXPECT_THROW_MSG(lu->GetCatCode(), EZelStreamError, "Invalid stream format (" + path + ")");
    entries->SetIndex(-1);
    EXPECT_THROW(lu->GetText(), EZelListError);
}

TEST(Dic, HeadwordTextConvertsBetweenCodePages) {
    TTempDir dir;
    // "Łódź" in code page 1250; the system code page is 1252, which has no "Ł".
    std::string cp1250 = ZelWideToCodePage(u"Łódź", 1250);
    std::string path = WriteHeadwords(dir, {{cp1250, 1}});
    ZelRef<TTestDic> dic = ZelMake<TTestDic>(path, ZelLuStyleOrdinal, 0x15, 0x15, 1250);
    ZelRef<IZelArrayCursor> entries = dic->GetEntries();
    entries->SetIndex(0);
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    EXPECT_EQ(lu->GetWideText(), u"Łódź");
    EXPECT_EQ(lu->GetText(), ZelWideToCodePage(u"?ód?", 1252));

    // With the dictionary's code page equal to the system one, bytes pass unchanged, even
    // bytes the code page leaves undefined.
    std::string raw = "caf\xe9\x81";
    path = WriteHeadwords(dir, {{raw, 1}}, "same_lu");
    dic = ZelMake<TTestDic>(path, ZelLuStyleOrdinal, 16, 9, 1252);
    entries = dic->GetEntries();
    entries->SetIndex(0);
    EXPECT_EQ(ZelQuery<IZelLu>(entries)->GetText(), raw);
}

TEST(Dic, BaseDefaults) {
    class TBare : public TZelDic {
    public:
        using TZelDic::TZelDic;
        std::string GetEntryRtf(IZelLu&, int32_t) override { return {}; }
        bool FindLu(IZelArrayCursor&, IZelLu&, int32_t&) override { return false; }
        uint8_t GetLuStyle() override { return 1; }
    };
    ZelRef<TBare> dic = ZelMake<TBare>(16, 16);
    EXPECT_FALSE(dic->IsBilingual());
    EXPECT_TRUE(ZelMake<TBare>(16, 9)->IsBilingual());
    EXPECT_EQ(dic->GetId(), "Unidentified_dictionary");
    EXPECT_EQ(dic->GetName(), u"Unnamed dictionary");
    EXPECT_FALSE(dic->GetEntries());
    EXPECT_FALSE(dic->LookupLu(u"casa", u"", -1, 0));
    EXPECT_THROW(dic->LookupLu(u"", u"", -1, 0), EZelAssertion);
    EXPECT_FALSE(dic->GetOnFieldText());
    bool called = false;
    dic->SetOnFieldText([&](int32_t, const std::u16string&, const TZelAddRangeProc&) {
        called = true;
        return false;
    });
    dic->GetOnFieldText()(0, u"", nullptr);
    EXPECT_TRUE(called);
}

TEST(Dic, MorphologicalDictionaryHasTheWordFormField) {
    class TMorph : public TZelDicMorph {
    public:
        using TZelDicMorph::TZelDicMorph;
        ZelRef<IZelSentenceItem> Analyze(const std::u16string&) override { return nullptr; }
        std::string GetEntryRtf(IZelLu&, int32_t) override { return {}; }
        bool FindLu(IZelArrayCursor&, IZelLu&, int32_t&) override { return false; }
        uint8_t GetLuStyle() override { return 0; }
    };
    ZelRef<TMorph> morph = ZelMake<TMorph>("DM4KNVIT1", ZelLangItalian);
    EXPECT_EQ(morph->GetId(), "DM4KNVIT1");
    EXPECT_EQ(morph->GetSourceLang(), ZelLangItalian);
    EXPECT_EQ(morph->GetTargetLang(), ZelLangItalian);
    TZelLXQueryFields* fields = morph->GetQueryFields();
    ASSERT_EQ(fields->GetCount(), 1);
    EXPECT_EQ(fields->Get(0).Kind, qkWordForm);
    EXPECT_EQ(fields->Get(0).Name, "Word form");
    EXPECT_EQ(morph->GetQueryFields(), fields);
    EXPECT_EQ(morph->GetVowels(), u"aeiou");
    EXPECT_EQ(morph->GetConsonants(), u"bcdfghjklmnpqrstvwxyz");
    EXPECT_TRUE(ZelQuery<IZelDicMorph>(morph));
    EXPECT_TRUE(ZelQuery<IZelDic>(morph));
}

// ---------------------------------------------------------------------------------------
// The process-wide list and registries

namespace {

class TRegistryFixture : public ::testing::Test {
protected:
    void SetUp() override { ZelReleaseDicList(true); }
    void TearDown() override {
        ZelReleaseDicList(true);
        ZelLangList().Clear();
    }
};

class TFakeEditable : public TFakeDic, public virtual IZelDicEditable {
public:
    using TFakeDic::TFakeDic;
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelDicEditable::IID)
            return static_cast<IZelDicEditable*>(this);
        return TFakeDic::QueryInterface(iid);
    }
    void DeleteLu(const std::u16string&, int32_t, uint8_t) override {}
    void SaveChanges() override { ++Saves; }
    ZelRef<IZelArrayCursor> FindOrAddLu(const std::u16string&, int32_t, uint8_t) override {
        return nullptr;
    }
    int Saves = 0;
};

class TFakeBuilder : public TZelInterfacedObject, public virtual IZelDicBuilder {
public:
    using TMaker = std::function<void(IZelDicList&)>;
    TFakeBuilder(std::vector<std::pair<TZelLanguage, TZelLanguage>> pairs, TMaker maker)
        : Pairs(std::move(pairs)), Maker(std::move(maker)) {}
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelDicBuilder::IID)
            return static_cast<IZelDicBuilder*>(this);
        return TZelInterfacedObject::QueryInterface(iid);
    }
    void EnumLanguagePairs(const TZelAddPairProc& add) override {
        for (auto [s, t] : Pairs)
            add(s, t);
    }
    bool AddInstalled(IZelDicList& list) override {
        Maker(list);
        return true;
    }
    std::vector<std::pair<TZelLanguage, TZelLanguage>> Pairs;
    TMaker Maker;
};

class TFakeKey : public TZelSettingsKey {
public:
    std::map<std::string, int32_t> Values;
    bool Broken = false;
    std::optional<int32_t> ReadInteger(const std::string& name) override {
        if (Broken)
            throw EZelSettingsError("store failure");
        auto it = Values.find(name);
        return it == Values.end() ? std::nullopt : std::optional<int32_t>(it->second);
    }
    std::optional<std::string> ReadString(const std::string&) override { return {}; }
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string&) override { return {}; }
    void WriteInteger(const std::string& n, int32_t v) override { Values[n] = v; }
    void WriteString(const std::string&, const std::string&) override {}
    void WriteBinary(const std::string&, const std::vector<uint8_t>&) override {}
    std::vector<std::string> GetSubKeyNames() override { return {}; }
};

std::vector<std::string> Ids(IZelInterfaceList& list) {
    std::vector<std::string> ids;
    for (int32_t i = 0; i < list.GetCount(); ++i)
        ids.push_back(ZelQuery<IZelDic>(list.Get(i))->GetId());
    return ids;
}

} // namespace

TEST_F(TRegistryFixture, DicListIsBuiltOnceInBuilderOrder) {
    int builds = 0;
    RegisterDicBuilder(
        ZelMake<TFakeBuilder>(std::vector<std::pair<TZelLanguage, TZelLanguage>>{{9, 16}, {16, 9}},
                              [&](IZelDicList& list) {
                                  ++builds;
                                  list.Add(ZelMake<TFakeDic>("MAIN_ENIT", 9, 16));
                                  list.Add(ZelMake<TFakeDic>("MAIN_ITEN", 16, 9));
                              }));
    RegisterDicBuilder(
        ZelMake<TFakeBuilder>(std::vector<std::pair<TZelLanguage, TZelLanguage>>{{9, 9}, {16, 16}},
                              [&](IZelDicList& list) {
                                  list.Add(ZelMake<TFakeDic>("MORPH_EN", 9, 9));
                                  list.Add(ZelMake<TFakeEditable>("NOTES_ENIT", 9, 16));
                              }));
    ZelRef<IZelDicList> list = GetDicList();
    EXPECT_EQ(Ids(*list),
              (std::vector<std::string>{"MAIN_ENIT", "MAIN_ITEN", "MORPH_EN", "NOTES_ENIT"}));
    EXPECT_EQ(GetDicList(), list);
    EXPECT_EQ(builds, 1);
    EXPECT_EQ(list->GetDic(1)->GetId(), "MAIN_ITEN");

    list->SaveEditable();
    EXPECT_EQ(dynamic_cast<TFakeEditable*>(list->GetDic(3).get())->Saves, 1);

    ZelRef<TZelInterfaceList> collected = ZelMake<TZelInterfaceList>();
    collected->Add(ZelMake<TFakeDic>("stale", 1, 1));
    CollectDics(9, 16, *collected, IZelDic::IID);
    EXPECT_EQ(Ids(*collected), (std::vector<std::string>{"MAIN_ENIT", "MORPH_EN", "NOTES_ENIT"}));
    CollectDics(9, 16, *collected, IZelDicEditable::IID);
    EXPECT_EQ(Ids(*collected), (std::vector<std::string>{"NOTES_ENIT"}));

    TZelLangList& langs = ZelLangList();
    langs.Rebuild();
    ASSERT_EQ(langs.GetCount(), 2);
    EXPECT_EQ(langs.GetSource(0), 9);
    EXPECT_EQ(langs.GetTargetCount(0), 2); // 16 then 9
    EXPECT_EQ(langs.GetTarget(0, 0), 16);
    EXPECT_EQ(langs.GetTarget(0, 1), 9);
}

TEST_F(TRegistryFixture, BuilderFailureIsShownAndRaisedAgain) {
    RegisterDicBuilder(
        ZelMake<TFakeBuilder>(std::vector<std::pair<TZelLanguage, TZelLanguage>>{},
                              [](IZelDicList&) { throw EZelError("A dictionary was not found"); }));
    auto dialogs = std::make_shared<TRecordingDialogs>();
    auto previous = ZelSetDialogs(dialogs);
    EXPECT_THROW(GetDicList(), EZelError);
    ZelSetDialogs(previous);
    EXPECT_EQ(dialogs->Shown, (std::vector<std::string>{"A dictionary was not found"}));
}

TEST_F(TRegistryFixture, LangListKeepsPrimaryLanguagesOnce) {
    TZelLangList langs;
    langs.AddPair(0x0409, 0x0410);
    langs.AddPair(0x0809, 0x0010);
    langs.AddPair(0x10, 0x09);
    ASSERT_EQ(langs.GetCount(), 2);
    EXPECT_EQ(langs.GetSource(0), 0x09);
    EXPECT_EQ(langs.GetTargetCount(0), 1);
    EXPECT_EQ(langs.IndexOfSource(0x10), 1);
    EXPECT_EQ(langs.IndexOfSource(0x07), -1);
    EXPECT_EQ(langs.IndexOfTarget(1, 0x09), 0);
    EXPECT_THROW(langs.GetTarget(0, 1), EZelListError);
}

TEST_F(TRegistryFixture, LastLanguagesComeFromTheStoreWhenKnown) {
    TFakeKey key;
    EXPECT_THROW(ReadLastSourceLang(key), EZelAssertion); // empty language list
    ZelLangList().AddPair(9, 16);
    ZelLangList().AddPair(16, 9);

    EXPECT_EQ(ReadLastSourceLang(key), 9); // missing: the first source
    key.Values["SLWC"] = 0x0410;
    EXPECT_EQ(ReadLastSourceLang(key), 0x0410); // the stored value, sub-language kept
    key.Values["SLWC"] = 0x07;
    EXPECT_EQ(ReadLastSourceLang(key), 9); // not in the list
    key.Broken = true;
    EXPECT_EQ(ReadLastSourceLang(key), 9); // store errors fall back to the default
    key.Broken = false;

    EXPECT_EQ(ReadLastTargetLang(key, 0x0410), 9);
    key.Values["TLWC"] = 0x0809;
    EXPECT_EQ(ReadLastTargetLang(key, 0x0410), 0x0809);
    EXPECT_EQ(ReadLastTargetLang(key, 9), 16); // English is no target of English
}
