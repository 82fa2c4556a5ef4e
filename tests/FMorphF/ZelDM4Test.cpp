#include "ZelDM4.h"
#include "ZelAdvSpeller.h"
#include "ZelCodePage.h"
#include "ZelCoverage.h"
#include "ZelDM4Compiler.h"
#include "ZelDialogs.h"
#include "ZelDicRegistry.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelLangList.h"
#include "ZelMorphModuleFile.h"
#include "ZelNVDics.h"
#include "ZelSentenceList.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class TForms : public IZelEnumWordFormsCallback {
public:
    bool AcceptDescription(const std::string& d) override {
        return Refused.empty() || d.find(Refused) == std::string::npos;
    }
    bool Progress(int32_t, int32_t) override { return true; }
    void WordForm(const std::u16string& form) override { Forms.push_back(ZelWideToUtf8(form)); }
    std::vector<std::string> Forms;
    std::string Refused;
};

struct TCompiledItalian {
    TTempDir Dir;
    std::string Description;
    ZelRef<TZelDM4> Dic;
    TCompiledItalian() {
        Description = ZelCompileDM4(TestData("dm4/it-mini.tsv"), Dir.File("out")).DescriptionPath;
        Dic = ZelMake<TZelDM4>("DM4KNVIT1", Description);
    }
};

} // namespace

TEST(DM4, ReadsItsDescription) {
    TCompiledItalian it;
    EXPECT_EQ(it.Dic->GetId(), "DM4KNVIT1");
    EXPECT_EQ(it.Dic->GetSourceLang(), ZelLangItalian);
    EXPECT_EQ(it.Dic->GetName(), u"Morfologia di prova");
    EXPECT_EQ(it.Dic->GetLuStyle(), 0);
    EXPECT_EQ(it.Dic->GetVowels(), u"aeiouàèéìòù");
    EXPECT_EQ(it.Dic->GetConsonants(), u"bcdfghjklmnpqrstvwxyz");
    EXPECT_EQ(it.Dic->InfoDescription(0), "");
    EXPECT_EQ(it.Dic->InfoDescription(1), "sostantivo femminile singolare");
    EXPECT_EQ(it.Dic->InfoDescription(300), "Error. InfoId 300 not found in MorphInfoDescList.");
    EXPECT_TRUE(ZelQuery<IZelDicMorphEx>(it.Dic));
    EXPECT_TRUE(ZelQuery<IZelWordChecker>(it.Dic));

    TTempDir dir;
    std::string bad = dir.File("bad.dm4");
    // A missing or bad value is an error naming the file and the key, CodePage included
    // (it used to become 1252 silently).
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"LuStyle=0\n", "SLWC: the value is missing"},
        {"SLWC=16\nLuStyle=7\n", "LuStyle: '7' is not from 0 to 2"},
        {"SLWC=16\nLuStyle=0\nCodePage=abc\n", "CodePage: 'abc' is not a valid integer value"},
        {"SLWC=16\nLuStyle=0\nCodePage=12345\n", "CodePage: Code page 12345 is not supported"},
    };
    for (const auto& [text, reason] : cases) {
        WriteBytes(bad, text);
        EXPECT_THROW_MSG(ZelMake<TZelDM4>("X", bad), EZelConvertError, bad + ": " + reason);
    }
    ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
    EXPECT_THROW_MSG(module->SetFileName(ZelUtf8ToWide(bad)), EZelConvertError,
                     bad + ": CodePage: Code page 12345 is not supported");
    WriteBytes(bad, "SLWC=16\nLuStyle=0\n");
    EXPECT_THROW(ZelMake<TZelDM4>("X", bad), EZelOSError); // no _info.kv0
}

TEST(DM4, AnalysesIntoSentenceItems) {
    TCompiledItalian it;
    ZelRef<IZelSentenceItem> item = it.Dic->Analyze(u"Le case sono belle.");
    ASSERT_TRUE(item);
    EXPECT_EQ(ShowItem(*item), "[il [art]/-1'Le' (casa [n]/-1'case' | casare [v]/-1'case') "
                               "essere [v]/-1'sono' bello [adj]/-1'belle' /-1'.'?]");
    // Two readings of one lemma became one item with both descriptions.
    ZelRef<IZelSentenceItem> sono = item->GetItem(2);
    EXPECT_EQ(sono->GetDescription(), "indicativo presente, 3a persona plurale\r"
                                      "indicativo presente, 1a persona singolare");
    EXPECT_EQ(sono->GetLanguage(), ZelLangItalian);
    EXPECT_EQ(sono->GetStart(), 8);
    EXPECT_FALSE(it.Dic->Analyze(u""));
    EXPECT_TRUE(it.Dic->WordExists(u""));
    EXPECT_TRUE(it.Dic->WordExists(u"Città"));
    EXPECT_FALSE(it.Dic->WordExists(u"cittadella"));
    EXPECT_TRUE(it.Dic->WordExists(u"bellexyz", 5));
}

// As a word checker the dictionary accepts a text only when one word covers it, so the
// speller's candidates with an apostrophe or a blank are real words ("look up"), never a
// word with something after it ("run't").
TEST(DM4, AWordCheckerAcceptsOneWordCoveringTheText) {
    TTempDir dir;
    std::string description =
        ZelCompileDM4(TestData("dm4/en-mini.tsv"), dir.File("out")).DescriptionPath;
    ZelRef<TZelDM4> en = ZelMake<TZelDM4>("DM4KNVEN1", description);
    const std::vector<std::pair<std::u16string, bool>> cases = {
        {u"run", true},      {u"Running", true}, {u"look up", true}, {u"run't", false},
        {u"run t", false},   {u"runs.", false},  {u"look", false},   {u"look upx", false},
        {u"children", true}, {u"", true},        {u" ", false},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(en->WordExists(text), expected) << ZelWideToUtf8(text);
    // The module's own test still stops at the first word.
    EXPECT_EQ(en->GetModule().WordExists(u"run't", 0), 1);

    TZelAdvSpeller holder;
    holder.SetChecker(0, ZelRef<IZelWordChecker>(en.get()));
    holder.SetCheckerCount(1);
    std::vector<std::u16string> found;
    const char16_t* s = nullptr;
    int32_t n = 0;
    for (int32_t answer = holder.GetSpeller().Spell(ZelSpellStart, u"ru'n", 4, 0, &s, &n);
         answer == ZelSpellSuggestion;
         answer = holder.GetSpeller().Spell(ZelSpellNext, u"ru'n", 4, 0, &s, &n))
        found.emplace_back(s, size_t(n));
    EXPECT_EQ(found, (std::vector<std::u16string>{u"run"}));
}

TEST(DM4, OrdinalStyleKeepsTheCodeAsOrdinal) {
    TTempDir dir;
    std::string lexicon = dir.File("en.tsv");
    WriteBytes(lexicon,
               "@file=en\n@language=en\n@lustyle=1\n"
               "banks\tbank\t2\tplural\nbank\tbank\t2\tsingular\nbank\tbank\t1\tsingular\n");
    ZelRef<TZelDM4> en =
        ZelMake<TZelDM4>("DM4KNVEN1", ZelCompileDM4(lexicon, dir.File("out")).DescriptionPath);
    EXPECT_EQ(ShowItem(*en->Analyze(u"banks")), "[bank/2'banks']");
    EXPECT_EQ(ShowItem(*en->Analyze(u"bank")), "[(bank/1'bank' | bank/2'bank')]");
}

TEST(DM4, EnumeratesFormsThroughTheDictionary) {
    TCompiledItalian it;
    TForms lemma;
    it.Dic->EnumWordForms(ZelFormsOfLemmas, TZelVariant::TArray{u"bello", 1}, lemma);
    std::sort(lemma.Forms.begin(), lemma.Forms.end());
    EXPECT_EQ(lemma.Forms, (std::vector<std::string>{"bella", "belle", "belli", "bello"}));
    TForms feminine;
    feminine.Refused = "maschile";
    it.Dic->EnumWordForms(ZelFormsOfLemmas, TZelVariant::TArray{u"bello", 1}, feminine);
    std::sort(feminine.Forms.begin(), feminine.Forms.end());
    EXPECT_EQ(feminine.Forms, (std::vector<std::string>{"bella", "belle"}));
    TForms six;
    it.Dic->EnumWordForms(ZelFormsOfLength, TZelVariant(6), six);
    std::sort(six.Forms.begin(), six.Forms.end());
    EXPECT_EQ(six.Forms,
              (std::vector<std::string>{"andare", "casare", "esempi", "essere", "uomini"}));
    TForms all;
    it.Dic->EnumWordForms(ZelFormsAll, TZelVariant(), all);
    EXPECT_EQ(all.Forms.size(), 37u);
    EXPECT_THROW(it.Dic->EnumWordForms(3, TZelVariant(), all), EZelArgumentError);
}

namespace {

void Install(const std::string& name, const std::string& description) {
    ZelSettings()
        .OpenKey(TZelHive::LocalMachine, std::string(ZelDicsRootKey) + name, true)
        ->WriteString("", description);
}

} // namespace

TEST(DM4, AFreeTextLookUpFromSentenceToEntry) {
    TTempHives hives;
    TTempDir morphology, main, data;
    setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
    Install("DM4KNVIT1",
            ZelCompileDM4(TestData("dm4/it-mini.tsv"), morphology.File("out")).DescriptionPath);
    Install("DD6KNV1", CompileDD6Fixture(main, "nvmini.xml"));
    ZelReleaseDicList(true);
    ZelRegisterNVBuilders();

    ZelRef<IZelDicList> list = GetDicList();
    ZelRef<TZelInterfaceList> morph = ZelMake<TZelInterfaceList>();
    CollectDics(ZelLangItalian, ZelLangEnglish, *morph, IZelDicMorph::IID);
    ASSERT_EQ(morph->GetCount(), 1);
    ZelRef<IZelDicMorph> analyser = ZelQuery<IZelDicMorph>(morph->Get(0));

    TZelSentenceList sentences;
    sentences.SetText(u"Le case sono belle. Ciao!");
    ASSERT_EQ(sentences.GetCount(), 2);
    ZelRef<IZelSentenceItem> analysis = analyser->Analyze(sentences.GetSentenceText(0));
    sentences.SetAnalysis(0, analysis);
    ZelRef<IZelSentenceItem> casa = analysis->GetItem(1)->Find(u"casa", -1, 2);
    ASSERT_TRUE(casa);

    ZelRef<TZelInterfaceList> pair = ZelMake<TZelInterfaceList>();
    CollectDics(ZelLangItalian, ZelLangEnglish, *pair, IZelDic::IID);
    ZelRef<IZelDic> iten = ZelQuery<IZelDic>(pair->Get(0));
    EXPECT_EQ(iten->GetId(), "DD6KNV1_ITEN");
    ZelRef<IZelArrayCursor> found = iten->LookupLu(casa->GetWordForm(), casa->GetLemma(),
                                                   casa->GetOrdinal(), casa->GetCatCode());
    ASSERT_TRUE(found);
    ASSERT_EQ(found->GetCount(), 1);
    found->SetIndex(0);
    std::string rtf = iten->GetEntryRtf(*ZelQuery<IZelLu>(found), 0);
    EXPECT_NE(rtf.find("{\\b casa}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("house"), std::string::npos) << rtf;
    ZelReleaseDicList(true);
    unsetenv("XDG_DATA_HOME");
}

TEST(DM4, TheBuilderReportsABrokenMorphologyAndGoesOn) {
    TTempHives hives;
    TTempDir dir;
    std::string bad = dir.File("bad.dm4");
    WriteBytes(bad, "LuStyle=0\n");
    Install("DM4KNVIT1", bad);
    auto dialogs = std::make_shared<TRecordingDialogs>();
    auto previous = ZelSetDialogs(dialogs);
    ZelRef<TZelDicList> list = ZelMake<TZelDicList>();
    EXPECT_FALSE(ZelMake<TZelNVMorphBuilder_it>()->AddInstalled(*list));
    ZelSetDialogs(previous);
    EXPECT_EQ(list->GetCount(), 0);
    ASSERT_EQ(dialogs->Shown.size(), 1u);
    EXPECT_EQ(dialogs->Shown[0], bad + ": SLWC: the value is missing");
}

TEST(DM4, CoverageCountsTheWordsAnalysisRecognises) {
    TCompiledItalian it;
    std::string text = it.Dir.File("text.txt");
    WriteBytes(text, "Le case sono belle, per esempio.\nXyzzy a Roma: 12 xyzzy!\n");
    TZelCoverage coverage = ZelMeasureCoverage(it.Description, text);
    // "per esempio" is one unit of two words; numbers and punctuation are no words.
    EXPECT_EQ(coverage.WordTokens, 10);
    EXPECT_EQ(coverage.Known, 8);
    EXPECT_EQ(coverage.Unknown, (std::map<std::u16string, int64_t>{{u"xyzzy", 2}}));
}
