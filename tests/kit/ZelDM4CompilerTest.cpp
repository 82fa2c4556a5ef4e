// The DM4 compiler: its proof, its errors with their lines, and a failure changing nothing.
#include "ZelDM4Compiler.h"
#include "ZelCodePage.h"
#include "ZelDM4.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

TEST(DM4Compiler, ProvesItsOutputAndIsDeterministic) {
    TTempDir a, b;
    TZelDM4CompileReport report = ZelCompileDM4(TestData("dm4/it-mini.tsv"), a.File("out"));
    ZelCompileDM4(TestData("dm4/it-mini.tsv"), b.File("out"));
    EXPECT_EQ(report.Readings, 37);
    EXPECT_EQ(report.Lemmas, 19);
    EXPECT_LT(report.Paradigms, report.Stems); // lemmas that inflect alike share a state
    for (const char* name : {"itmini.dm4", "itmini_auto.kv2", "itmini_data.kv2", "itmini_info.kv0"})
        EXPECT_EQ(ReadBytes(a.File(std::string("out/") + name)),
                  ReadBytes(b.File(std::string("out/") + name)))
            << name;
    EXPECT_EQ(ReadBytes(a.File("out/itmini.dm4")),
              "Name=Morfologia di prova\r\nSLWC=16\r\nCodePage=1252\r\nLuStyle=0\r\n"
              "Vowels=aeiou\xe0\xe8\xe9\xec\xf2\xf9\r\nConsonants=bcdfghjklmnpqrstvwxyz\r\n");
    std::string info = ReadBytes(a.File("out/itmini_info.kv0"));
    EXPECT_EQ(info.substr(0, 34), "\r\nsostantivo femminile singolare\r\n");
}

TEST(DM4Compiler, ReportsBadLinesWithTheirLine) {
    TTempDir dir;
    std::string path = dir.File("bad.tsv");
    struct {
        std::string Text;
        std::string Message;
    } cases[] = {
        {"@language=it\ncasa\tcasa\tn\n", path + ":2: a reading is four fields separated by tabs: "
                                                 "form, lemma, code, description"},
        {"@language=it\ncasa\tcasa\tnoun\tx\n",
         path + ":2: \"noun\" is neither a category nor a number from 0 to 207"},
        {"casa\tcasa\tn\tx\n", path + ": the lexicon needs @language"},
        {"@language=it\n\u0141\tx\tn\tx\n",
         path + ":2: the character U+0142 cannot be written in code page 1252"}, // lower-cased
        {"@language=it\n", path + ": no readings"},
        {"@language=it\n" + std::string(70, 'a') + "\tx\tn\tx\n",
         path + ":2: a form longer than 62 characters"},
        {"@file=../x\n@language=it\ncasa\tcasa\tn\tx\n",
         path + ":1: @file: \"../x\" is not a plain file name (an output file stays in the "
                "output folder)"},
    };
    for (const auto& c : cases) {
        WriteBytes(path, c.Text);
        EXPECT_THROW_MSG(ZelCompileDM4(path, dir.File("out")), EZelError, c.Message);
    }
}

// A lexicon that fails its proof changes nothing in the output folder.
TEST(DM4Compiler, AFailedProofLeavesThePreviousBuild) {
    TTempDir dir;
    std::string lexicon = dir.File("it.tsv");
    WriteBytes(lexicon, "@file=it\n@language=it\ncasa\tcasa\tn\tuno\n");
    ZelCompileDM4(lexicon, dir.File("out"));
    std::string automaton = ReadBytes(dir.File("out/it_auto.kv2"));
    // This one fails once the automaton is written (a name the code page cannot hold).
    WriteBytes(lexicon, "@file=it\n@name=\u0141\n@language=it\ncasa\tcasa\tn\tuno\n"
                        "case\tcasa\tn\ttre\n");
    EXPECT_THROW(ZelCompileDM4(lexicon, dir.File("out")), EZelError);
    EXPECT_EQ(ReadBytes(dir.File("out/it_auto.kv2")), automaton);
    EXPECT_EQ(ZelListFolder(dir.File("out")),
              (std::vector<std::string>{"it.dm4", "it_auto.kv2", "it_data.kv2", "it_info.kv0"}));
}

TEST(DM4Compiler, CheckFindsADictionaryThatDisagrees) {
    TTempDir dir;
    std::string description =
        ZelCompileDM4(TestData("dm4/it-mini.tsv"), dir.File("out")).DescriptionPath;
    std::string other = dir.File("other.tsv");
    WriteBytes(other, ReadBytes(TestData("dm4/it-mini.tsv")) + "gatto\tgatto\tn\tnuovo\n");
    EXPECT_THROW(ZelCheckDM4(other, description), EZelError);
}

// A frequency list ranks the lexicon's lemmas, commonest first: lemmas the lexicon lacks
// (or its code page cannot hold) are left out, a repeated one keeps its first place, and
// the analysis lists the commoner lemma of a word first.
TEST(DM4Compiler, FrequencyListRanksTheLemmas) {
    TTempDir dir;
    std::string list = dir.File("freq.tsv");
    WriteBytes(list, "# lemma, count\ncasare\t90\nnessuno\t80\n\xc5\x81\xc3\xb3d\xc5\xba\t70\n"
                     "essere\t60\ncasare\t50\ncasa\t40\n");
    TZelDM4CompileReport report =
        ZelCompileDM4(TestData("dm4/it-mini.tsv"), dir.File("out"), true, list);
    EXPECT_EQ(report.Ranked, 3);
    EXPECT_EQ(ReadBytes(dir.File("out/itmini_rank.kv0")), "casare\r\nessere\r\ncasa\r\n");
    TZelDM4 morph("DM4MINI", dir.File("out/itmini.dm4"));
    ZelRef<IZelSentenceItem> word = morph.Analyze(u"casa")->GetItem(0);
    ASSERT_EQ(word->GetKind(), ZelItemAlternatives);
    EXPECT_EQ(word->GetItem(0)->GetLemma(), u"casare"); // ranked first, though not the form
    EXPECT_EQ(word->GetItem(0)->GetRank(), 1);
    EXPECT_EQ(word->GetItem(1)->GetRank(), 3);

    WriteBytes(list, "casa 40\n");
    EXPECT_THROW_MSG(ZelCompileDM4(TestData("dm4/it-mini.tsv"), dir.File("out"), true, list),
                     EZelError,
                     list + ":1: a frequency line is a lemma and its count separated by a tab");
}

// A multi-word unit whose forms differ in the first word gets a stem per first word, not
// one as short as "g" that every word with that letter would walk into; its forms are
// still read whole, and the proof holds.
TEST(DM4Compiler, AUnitOfSeveralVerbFormsGetsAStemPerFirstWord) {
    TTempDir dir;
    std::string lexicon = dir.File("units.tsv");
    WriteBytes(lexicon, "@file=units\n@name=Units\n@language=en\n@codepage=1252\n@lustyle=0\n"
                        "give up\tgive up\tv\tverb base form\n"
                        "gave up\tgive up\tv\tverb past tense\n"
                        "giving up\tgive up\tv\tverb present participle\n"
                        "go\tgo\tv\tverb base form\n");
    TZelDM4CompileReport report = ZelCompileDM4(lexicon, dir.File("out"));
    EXPECT_EQ(report.Stems, 4);
    TZelDM4 morph("DM4UNITS", dir.File("out/units.dm4"));
    ZelRef<IZelSentenceItem> sentence = morph.Analyze(u"She gave up.");
    ASSERT_GE(sentence->GetCount(), 2);
    EXPECT_EQ(sentence->GetItem(1)->GetLemma(), u"give up");
}

// A lemma whose forms share fewer than three letters gets stems split by longer prefixes,
// none shorter than a whole form, so that no word walks into it for its first letter; a
// stem never ends at a blank between tokens ("cio '", "cio ´" for "ciò").
TEST(DM4Compiler, ShortSharedStemsAreSplitByLongerPrefixes) {
    TTempDir dir;
    std::string lexicon = dir.File("be.tsv");
    WriteBytes(lexicon, "@file=be\n@name=Be\n@language=it\n@codepage=1252\n@lustyle=0\n"
                        "be\tbe\tv\tbase\nbeen\tbe\tv\tparticiple\nbeing\tbe\tv\tgerund\n"
                        "am\tbe\tv\tfirst\nare\tbe\tv\tplural\nis\tbe\tv\tthird\n"
                        "was\tbe\tv\tpast\nwere\tbe\tv\tpast\n"
                        "ciò\tciò\tpron\tpronome\ncio'\tciò\tpron\tpronome\n"
                        "cio´\tciò\tpron\tpronome\n");
    TZelDM4CompileReport report = ZelCompileDM4(lexicon, dir.File("out"));
    EXPECT_EQ(report.Stems, 8 + 2); // a stem per form of "be"; "ciò" and "cio"
    TZelDM4 morph("DM4BE", dir.File("out/be.dm4"));
    for (const char16_t* form : {u"am", u"were", u"being", u"cio'"}) {
        ZelRef<IZelSentenceItem> sentence = morph.Analyze(form);
        ASSERT_TRUE(sentence && sentence->GetCount() == 1) << ZelWideToUtf8(form);
        EXPECT_TRUE(sentence->GetItem(0)->GetKnown()) << ZelWideToUtf8(form);
    }
}
