#include "ZelLXQuery.h"
#include "ZelCodePage.h"
#include "ZelDD6.h"
#include "ZelDD6Compiler.h"
#include "ZelDM4.h"
#include "ZelDM4Compiler.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const ZelRef<IZelArrayCursor>& result) {
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(result);
    std::vector<std::string> out;
    for (int32_t i = 0; i < result->GetCount(); ++i) {
        result->SetIndex(i);
        out.push_back(ZelWideToUtf8(lu->GetWideText()));
    }
    return out;
}

// The advanced-search fixture: Headword (S), Translation (T, word index), Part of speech
// (C, value index, "Noun" "Verb" "Adjective"), Domain (X, both indexes).
class TLemmaQueryTest : public ::testing::Test {
protected:
    enum { Headword, Translation, PartOfSpeech, Domain };

    void SetUp() override {
        Description = CompileDD6Fixture(Dir, "query.xml");
        std::string out = Dir.File("out") + "/";
        Dic = ZelMake<TZelDD6>(ZelMake<TZelDD6Master>("DD6KNV1", out, out, Description), 9, 9);
        Query = ZelMake<TZelLemmaQuery>();
        Query->SetDic(Dic);
    }

    TZelLXQueryItemData& Condition(int32_t field, TZelOpKind op, const std::string& arg1,
                                   bool andWithPrevious = true) {
        TZelLXQueryItemsData& data = Query->GetFieldData(field);
        TZelLXQueryItemData& item =
            data.Item(0).IsEmpty() ? data.Item(0) : data.InsertCondition(data.GetCount());
        item.Operator = op;
        item.Arg1 = arg1;
        item.AndWithPrevious = andWithPrevious;
        return item;
    }

    // The headwords found, the same with and without the indexes.
    std::vector<std::string> Found() {
        Query->Run();
        std::vector<std::string> indexed = Texts(Query->GetResult());
        TZelExpRef plain = ZelExpTrue();
        for (int32_t f = 0; f < Query->GetFieldCount(); ++f)
            plain = MakeAnd(plain, Query->GetFieldData(f).Build(false));
        Query->Execute(plain);
        EXPECT_EQ(Texts(Query->GetResult()), indexed) << "without the indexes";
        return indexed;
    }

    TTempDir Dir;
    std::string Description;
    ZelRef<TZelDD6> Dic;
    ZelRef<TZelLemmaQuery> Query;
};

using TWords = std::vector<std::string>;

} // namespace

TEST_F(TLemmaQueryTest, CompilerWritesValueIndexes) {
    TZelLXQueryFields* fields = Dic->GetQueryFields();
    ZelRef<IZelMemBlocks> pos = fields->Get(PartOfSpeech).GetIndexBlocks();
    ASSERT_TRUE(pos);
    ASSERT_EQ(pos->GetCount(), 3);
    // Entries: ball band fast goal house play "play off" run sing.
    EXPECT_EQ(pos->GetBlockString(0), std::string("\0\0\0\0\1\0\0\0\3\0\0\0\4\0\0\0\7\0\0\0", 20));
    EXPECT_EQ(pos->GetBlockString(2), std::string("\2\0\0\0", 4));
    ZelRef<IZelMemBlocks> domain = fields->Get(Domain).GetIndexBlocks();
    ASSERT_TRUE(domain);
    EXPECT_EQ(domain->GetBlockString(1), std::string("\1\0\0\0\5\0\0\0\x8\0\0\0", 12));
    EXPECT_TRUE(fields->Get(Domain).GetWordList());
}

TEST_F(TLemmaQueryTest, SingleConditions) {
    struct TCase {
        int32_t Field;
        TZelOpKind Operator;
        std::string Value;
        bool CaseSensitive;
        TWords Expected;
    };
    const std::vector<TCase> cases = {
        {Headword, okBeginsWith, "pl", false, {"play"}}, // "play off" is a multiword
        {Headword, okEndsWith, "NG", false, {"sing"}},
        {Headword, okEndsWith, "NG", true, {}},
        {Headword, okLengthIs, "4", false, {"ball", "band", "fast", "goal", "play", "sing"}},
        {Headword, okWildcards, "?a*", false, {"ball", "band", "fast"}},
        {Headword, okRE, "^[bg]", false, {"ball", "band", "goal"}},
        {Translation, okContains, "gioc", false, {"ball", "play"}},
        {Translation, okContains, "Gruppo", false, {"band"}},
        {Translation, okContains, "gruppo", true, {}},
        {Translation, okContains, "Gruppo", true, {"band"}},
        {Translation, okContains, "sa gr", false, {"house"}}, // across a word boundary
        {Translation, okWholeWords, "musica", false, {"play"}},
        {Translation, okWholeWords, "la corsa", false, {"run"}},
        {Translation, okWholeWords, "corsa la", false, {}},
        {Translation, okWholeWords, "xyz", false, {}},
        {Translation, okWholeWords, "can*", false, {"sing"}},
        {Translation, okContainsWildcards, "can?", false, {"sing"}},
        {Translation, okContainsWildcards, "gioc*", false, {"ball", "play"}},
        {PartOfSpeech, okEqInt, "1", false, {"ball", "band", "goal", "house", "run"}},
        {PartOfSpeech, okEqInt, "2", false, {"play", "run", "sing"}},
        {PartOfSpeech, okEqInt, "3", false, {"fast"}},
        {Domain, okEqInt, "2", false, {"band", "play", "sing"}},
        {Domain, okContains, "sport", false, {"ball", "goal", "play"}},
        {Domain, okWholeWords, "games", false, {"goal"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Field) + " " + std::to_string(c.Operator) + " " + c.Value +
                     (c.CaseSensitive ? " cs" : ""));
        Query->ResetConditions();
        Query->SetCaseSensitive(c.CaseSensitive);
        Condition(c.Field, c.Operator, c.Value);
        EXPECT_EQ(Found(), c.Expected);
    }
}

TEST_F(TLemmaQueryTest, CombinedAndNegatedConditions) {
    Condition(Translation, okContains, "gioc");
    Condition(PartOfSpeech, okEqInt, "2");
    EXPECT_EQ(Found(), (TWords{"play"}));

    Query->ResetConditions();
    Condition(PartOfSpeech, okEqInt, "1").Negated = true; // "run" is a noun and a verb
    EXPECT_EQ(Found(), (TWords{"fast", "play", "sing"}));

    Query->ResetConditions();
    Condition(Headword, okBeginsWith, "b");
    Condition(Headword, okBeginsWith, "f", false);
    EXPECT_EQ(Found(), (TWords{"ball", "band", "fast"}));

    Query->ResetConditions();
    TZelLXQueryItemData& near = Condition(Translation, okNear, "suonare");
    near.Arg2 = "musica";
    near.NearDistance = 1; // the words between
    EXPECT_EQ(Found(), (TWords{"play"}));
    near.NearDistance = 0;
    EXPECT_EQ(Found(), (TWords{}));

    Query->ResetConditions();
    Condition(PartOfSpeech, okEqInt, "1").SubValue = 1;
    EXPECT_EQ(Found(), (TWords{"ball", "band", "goal", "house", "run"}));
}

TEST_F(TLemmaQueryTest, MultiwordsOnlyWhenAsked) {
    Condition(Domain, okContains, "sport");
    EXPECT_FALSE(Query->GetQueryMultiwords());
    EXPECT_EQ(Found(), (TWords{"ball", "goal", "play"}));
    Query->SetQueryMultiwords(true);
    EXPECT_EQ(Found(), (TWords{"ball", "goal", "play", "play off"}));
}

TEST_F(TLemmaQueryTest, EmptyAndInvalidConditions) {
    EXPECT_TRUE(Query->IsEmpty());
    Condition(Headword, okBeginsWith, "");
    EXPECT_TRUE(Query->IsEmpty());
    Query->Run(); // nothing to test: no entry is listed
    EXPECT_EQ(Query->GetResult()->GetCount(), 0);

    Condition(PartOfSpeech, okEqInt, "9");
    EXPECT_TRUE(Query->IsEmpty()); // a value the field does not have tests nothing
    EXPECT_THROW_MSG(Query->Run(), EZelArgumentError, "No value 9 in the field Part of speech");

    Query->ResetConditions();
    Condition(Headword, okRE, "(");
    EXPECT_TRUE(Query->IsEmpty());
    EXPECT_THROW(Query->Run(), EZelError);

    Query->ResetConditions();
    Condition(Headword, okBeginsWith, "b");
    EXPECT_FALSE(Query->IsEmpty());
}

TEST_F(TLemmaQueryTest, ShowTextFoundHighlightsTheHits) {
    Query->SetShowTextFound(true);
    Condition(Translation, okWholeWords, "musica");
    Query->Run();
    ZelRef<IZelArrayCursor> result = Query->GetResult();
    ASSERT_EQ(result->GetCount(), 1);
    result->SetIndex(0);
    std::string rtf = Dic->GetEntryRtf(*ZelQuery<IZelLu>(result), 0);
    EXPECT_NE(rtf.find("suonare la {\\highlight1 musica}"), std::string::npos) << rtf;
    Query->SetShowTextFound(false);
    rtf = Dic->GetEntryRtf(*ZelQuery<IZelLu>(result), 0);
    EXPECT_EQ(rtf.find("highlight"), std::string::npos) << rtf;
}

namespace {

// A dictionary of 200 entries w000 .. w199 with a headword field.
ZelRef<TZelDD6> HeadwordsW000ToW199(const TTempDir& dir) {
    CompileDD6Fixture(dir, "query.xml"); // copies the stylesheets next to the new source
    std::string source =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<dd6 file=\"big\" name=\"Big\" codepage=\"1252\" lustyle=\"1\">"
        "<view stylesheet=\"nvmini_view.xsl\"/><resource file=\"nvmini_common.xsl\"/>"
        "<language code=\"en\"><search>[Fields]\nCount=1\n[Info_1]\nName=Headword\n"
        "Kind=S\nFields=hw\n</search>";
    for (int i = 0; i < 200; ++i) {
        std::string word = "w" + ZelFormat("%.3d", {i});
        source += "<entry headword=\"" + word + "\"><hw>" + word + "</hw></entry>";
    }
    WriteBytes(dir.File("src/big.xml"), source + "</language></dd6>");
    std::string out = dir.File("big") + "/";
    std::string description = ZelCompileDD6(dir.File("src/big.xml"), out).DescriptionPath;
    return ZelMake<TZelDD6>(ZelMake<TZelDD6Master>("DD6KNV1", out, out, description), 9, 9);
}

// Records each progress call as position/found/total and stops at the given position.
TZelQueryProgress RecordProgress(std::vector<std::string>& calls, int32_t stopAt) {
    return [&calls, stopAt](TZelLXQuery&, int32_t position, int32_t found, int32_t total) {
        calls.push_back(std::to_string(position) + "/" + std::to_string(found) + "/" +
                        std::to_string(total));
        return position == stopAt;
    };
}

} // namespace

TEST(LemmaQuery, ReportsProgressEvery64EntriesAndStopsWhenAsked) {
    TTempDir dir;
    auto query = ZelMake<TZelLemmaQuery>();
    query->SetDic(HeadwordsW000ToW199(dir));
    query->GetFieldData(0).Item(0).Operator = okBeginsWith;
    query->GetFieldData(0).Item(0).Arg1 = "w";
    std::vector<std::string> calls;
    query->OnProgress = RecordProgress(calls, 128);
    query->Run();
    EXPECT_EQ(calls, (std::vector<std::string>{"0/0/200", "64/64/200", "128/128/200"}));
    EXPECT_EQ(query->GetResult()->GetCount(), 128); // what was found before the stop stays
}

// A subset the expression requires (from an index) is walked alone: its entries are the
// only ones evaluated, numbers repeated or out of range (a damaged index) are skipped, and
// progress comes every 64 entries of the subset with the entry's position.
TEST(LemmaQuery, WalksOnlyARequiredSubset) {
    TTempDir dir;
    ZelRef<TZelDD6> dic = HeadwordsW000ToW199(dir);
    auto query = ZelMake<TZelLemmaQuery>();
    query->SetDic(dic);
    TZelCurrentEntryProc current = [dic] { return dic->GetEntries()->GetIndex(); };
    auto names = [&] {
        std::vector<std::string> out;
        ZelRef<IZelArrayCursor> result = query->GetResult();
        for (int32_t i = 0; i < result->GetCount(); ++i) {
            result->SetIndex(i);
            out.push_back(ZelQuery<IZelLu>(result)->GetText());
        }
        return out;
    };
    query->GetFieldData(0).Item(0).Operator = okBeginsWith;
    query->GetFieldData(0).Item(0).Arg1 = "w1";
    TZelExpRef damaged = ZelMake<TZelExpBoolFilterSubsetOwned>(
        current, std::vector<int32_t>{-1, 3, 5, 70, 70, 150, 199, 250});
    query->Execute(MakeAnd(query->GetFieldData(0).Build(false), damaged));
    EXPECT_EQ(names(), (std::vector<std::string>{"w150", "w199"}));

    std::vector<int32_t> even;
    for (int32_t i = 0; i < 200; i += 2)
        even.push_back(i);
    std::vector<std::string> calls;
    query->OnProgress = RecordProgress(calls, 128);
    query->Execute(ZelMake<TZelExpBoolFilterSubsetOwned>(current, even));
    EXPECT_EQ(calls, (std::vector<std::string>{"0/0/200", "128/64/200"}));
    EXPECT_EQ(query->GetResult()->GetCount(), 64);
}

// ---------------------------------------------------------------------------------------

namespace {

class TWordFormQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string description =
            ZelCompileDM4(TestData("dm4/it-mini.tsv"), Dir.File("out")).DescriptionPath;
        Dic = ZelMake<TZelDM4>("DM4KNVIT1", description);
        Query->SetDic(Dic);
        Previous = ZelSetDialogs(Dialogs);
    }
    void TearDown() override { ZelSetDialogs(Previous); }

    TZelLXQueryItemData& Condition(TZelOpKind op, const std::string& arg1) {
        TZelLXQueryItemsData& data = Query->GetFieldData(0);
        TZelLXQueryItemData& item =
            data.Item(0).IsEmpty() ? data.Item(0) : data.InsertCondition(data.GetCount());
        item.Operator = op;
        item.Arg1 = arg1;
        return item;
    }
    TWords Found() {
        Query->Run();
        return Texts(Query->GetResult());
    }

    TTempDir Dir;
    ZelRef<TZelDM4> Dic;
    ZelRef<TZelWordFormQuery> Query = ZelMake<TZelWordFormQuery>();
    std::shared_ptr<TRecordingDialogs> Dialogs =
        std::make_shared<TRecordingDialogs>(TZelMsgResult::Ok);
    std::shared_ptr<TZelDialogs> Previous;
};

} // namespace

TEST_F(TWordFormQueryTest, Conditions) {
    struct TCase {
        TZelOpKind Operator;
        std::string Value;
        TWords Expected;
    };
    const std::vector<TCase> cases = {
        {okAnagramOf, "amor", {"amor", "mora", "orma", "ramo", "roma"}},
        {okEndsWith, "LE", {"belle", "le"}},
        {okBeginsWith, "cas", {"casa", "casare", "case", "casi", "caso"}},
        {okWildcards, "a*", {"a", "amor", "andare", "andiamo"}}, // "a priori" is not a form
        {okLengthIs, "2", {"il", "l'", "la", "le"}}, // written as in text, not as tokens
        {okDiscardOf, "amore", {"amor", "mora", "orma", "ramo", "roma"}},
        {okWildcards, "l*", {"l'", "la", "le"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Operator) + " " + c.Value);
        Query->ResetConditions();
        Condition(c.Operator, ZelWideToCodePage(ZelUtf8ToWide(c.Value), ZelGetSystemCodePage()));
        EXPECT_EQ(Found(), c.Expected);
    }
    EXPECT_TRUE(Dialogs->Shown.empty());
}

TEST_F(TWordFormQueryTest, LetterSetsCountAccentedVowelsAsTheirBase) {
    Condition(okContainsTheOnlyVowels, "ae");
    // Every form whose vowels are a, e and their accented forms, each used at least once.
    EXPECT_EQ(Found(), (TWords{"andare", "bella", "casare", "case"}));
    Query->ResetConditions();
    Condition(okContainsTheOnlyConsonants, "rm");
    EXPECT_EQ(Found(), (TWords{"amor", "mora", "orma", "ramo", "roma"}));
}

TEST_F(TWordFormQueryTest, ContradictoryLengthsAreReportedNotSearched) {
    Condition(okLengthIs, "4");
    Condition(okAnagramOf, "casare");
    EXPECT_EQ(Found(), TWords{});
    EXPECT_EQ(Dialogs->Shown,
              (std::vector<std::string>{ZelLoadStr(TZelResId::ContradictoryConditions)}));
}

TEST_F(TWordFormQueryTest, EmptyConditionsAndCancellation) {
    EXPECT_TRUE(Query->IsEmpty());
    Query->GetFieldData(0).Item(0).Negated = true; // "not (nothing)" finds nothing
    EXPECT_EQ(Found(), TWords{});
    Condition(okIsPalindrome, "");
    EXPECT_FALSE(Query->IsEmpty()); // needs no value
    Query->OnProgress = [](TZelLXQuery&, int32_t, int32_t, int32_t) { return true; };
    EXPECT_EQ(Found(), TWords{});
}
