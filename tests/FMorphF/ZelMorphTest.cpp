#include "ZelAutomatonWriter.h"
#include "ZelCodePage.h"
#include "ZelDM4Compiler.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelMorphAutoma.h"
#include "ZelMorphInfo.h"
#include "ZelMorphModuleFile.h"
#include "ZelMorphTokenizer.h"
#include "ZelSettingsStore.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <unicode/uchar.h>

namespace {

// Writes an automaton and a description beside it; returns the description's path.
std::string WriteAutomaton(const TTempDir& dir, const TZelAutomatonWriter& writer,
                           const char* name = "m") {
    std::string base = dir.File(name);
    writer.Write(base);
    ZelWriteFileAtomic(base + ".dm4", "CodePage=1252\r\nSLWC=16\r\nLuStyle=0\r\n");
    return base + ".dm4";
}

std::vector<std::string> Matches(const TZelMorphAutoma& automaton, int32_t state,
                                 const char* input) {
    std::vector<std::string> out;
    ZelMatchTransitions(automaton, state, input, [&](const TZelMorphTransition& t, int consumed) {
        out.push_back(std::string(automaton.String(t.LabelOffset)) + "/" +
                      std::to_string(consumed));
        return true;
    });
    return out;
}

// The compiled test lexicon, once per test.
struct TItalian {
    TTempDir Dir;
    std::string Description;
    ZelRef<TZelMorphModuleFile> Module;
    TItalian() {
        Description =
            ZelCompileDM4(TestData("dm4/it-mini.tsv"), Dir.File("out"), false).DescriptionPath;
        Module = ZelMake<TZelMorphModuleFile>();
        Module->SetFileName(ZelUtf8ToWide(Description));
    }
};

class TCollect : public IZelMorphEnumCallback {
public:
    bool AcceptInfo(int32_t id, int32_t) override { return Rejected.count(id) == 0; }
    bool Progress(int32_t done, int32_t total) override {
        Steps.emplace_back(done, total);
        return ProgressAnswer;
    }
    bool WordForm(const std::u16string& form) override {
        Forms.push_back(ZelWideToUtf8(form));
        return int(Forms.size()) < StopAfter;
    }
    std::vector<std::string> Forms;
    std::vector<std::pair<int32_t, int32_t>> Steps;
    std::set<int32_t> Rejected;
    bool ProgressAnswer = true;
    int StopAfter = 1000000;
};

} // namespace

// ---------------------------------------------------------------------------------------
// The automaton

TEST(MorphAutoma, MatchesEveryLabelThatIsAPrefixOfTheInput) {
    TTempDir dir;
    TZelAutomatonWriter writer;
    for (const char* label : {"abc", "a", "ab", "b", "a priori", ""})
        writer.AddTransition(-1, label, "", 0, 0);
    std::string description = WriteAutomaton(dir, writer);
    TZelMorphAutoma automaton;
    automaton.LoadAutomaton(dir.File("m_auto.kv2"));
    automaton.LoadStrings(dir.File("m_data.kv2"));
    EXPECT_EQ(Matches(automaton, -1, "abd "), (std::vector<std::string>{"/0", "a/1", "ab/2"}));
    EXPECT_EQ(Matches(automaton, -1, "a priori "),
              (std::vector<std::string>{"/0", "a/1", "a priori/8"}));
    EXPECT_EQ(Matches(automaton, -1, "zz "), (std::vector<std::string>{"/0"}));
    EXPECT_EQ(automaton.Node(0), nullptr);
    EXPECT_THROW(automaton.Node(5), EZelListError);
    EXPECT_THROW(automaton.LoadAutomaton(dir.File("m_auto.kv2")), EZelAssertion);
}

// The matcher against a plain reading of its contract, on a state small enough to be
// searched whole and on one large enough to get the first-two-bytes table.
TEST(MorphAutoma, MatchesAgreeWithEveryPrefixOfTheInput) {
    for (int count : {40, 3000}) {
        SCOPED_TRACE(count);
        std::set<std::string> labels = {"", "a", "\xe0", "ab", "a b"};
        const char letters[] = "ab\xe0 ";
        for (uint32_t n = 0; int(labels.size()) < count; ++n) {
            std::string label;
            for (uint32_t k = n * 2654435761u; label.size() < 1 + n % 7; k /= 4)
                label += letters[k % 4];
            labels.insert(label);
        }
        TTempDir dir;
        TZelAutomatonWriter writer;
        for (const std::string& label : labels)
            writer.AddTransition(-1, label, "", 0, 0);
        WriteAutomaton(dir, writer);
        TZelMorphAutoma automaton;
        automaton.LoadAutomaton(dir.File("m_auto.kv2"));
        automaton.LoadStrings(dir.File("m_data.kv2"));
        for (const std::string& label : labels)
            for (const char* tail : {"", "a", "b ",
                                     "\xe0"
                                     "b",
                                     " a"}) {
                std::string input = label + tail + " ";
                std::vector<std::string> expected;
                for (size_t length = 0; length <= input.size(); ++length)
                    if (labels.count(input.substr(0, length)))
                        expected.push_back(input.substr(0, length) + "/" + std::to_string(length));
                ASSERT_EQ(Matches(automaton, -1, input.c_str()), expected) << input;
            }
    }
}

TEST(MorphAutoma, NeverConsumesMoreThan127Bytes) {
    TTempDir dir;
    TZelAutomatonWriter writer;
    std::string longLabel(200, 'x');
    writer.AddTransition(-1, longLabel, "", 0, 0);
    writer.AddTransition(-1, std::string(127, 'x'), "", 0, 0);
    WriteAutomaton(dir, writer);
    TZelMorphAutoma automaton;
    automaton.LoadAutomaton(dir.File("m_auto.kv2"));
    automaton.LoadStrings(dir.File("m_data.kv2"));
    std::string input = longLabel + " ";
    EXPECT_EQ(Matches(automaton, -1, input.c_str()),
              (std::vector<std::string>{std::string(127, 'x') + "/127"}));
}

TEST(MorphAutoma, CorruptFilesAreErrorsNamingThem) {
    TTempDir dir;
    TZelAutomatonWriter writer;
    writer.AddTransition(-1, "casa", "casa2", 1, 1);
    writer.AddTransition(1, "", "", 2, 0);
    WriteAutomaton(dir, writer);
    std::string autoFile = dir.File("m_auto.kv2");
    std::string dataFile = dir.File("m_data.kv2");
    std::string good = ReadBytes(autoFile);
    std::string message = "Invalid stream format (" + autoFile + ")";
    // Every truncation of the automaton is refused.
    for (size_t len = 0; len < good.size(); ++len) {
        WriteBytes(autoFile, good.substr(0, len));
        TZelMorphAutoma automaton;
        EXPECT_THROW_MSG(automaton.LoadAutomaton(autoFile), EZelStreamError, message);
    }
    auto patched = [&](size_t at, std::string bytes) {
        std::string copy = good;
        copy.replace(at, bytes.size(), bytes);
        WriteBytes(autoFile, copy);
    };
    struct {
        const char* What;
        size_t At;
        std::string Bytes;
    } cases[] = {
        {"a node without its mark", 12, "!"},
        {"a state beyond the range", 13, std::string("\x07\0\0\0", 4)},
        {"a huge transition count", 17, std::string("\xff\xff\xff\x0f", 4)},
        {"a next state beyond the range", 12 + 9 + 10, std::string("\x09\0", 2)},
        {"a lowest state above -1", 4, std::string("\x01\0\0\0", 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        patched(c.At, c.Bytes);
        TZelMorphAutoma automaton;
        EXPECT_THROW_MSG(automaton.LoadAutomaton(autoFile), EZelStreamError, message);
    }
    // A label offset beyond the pool is found when the pool is loaded.
    patched(12 + 9, std::string("\xff\x7f\0\0", 4));
    {
        TZelMorphAutoma automaton;
        automaton.LoadAutomaton(autoFile);
        EXPECT_THROW_MSG(automaton.LoadStrings(dataFile), EZelStreamError, message);
    }
    WriteBytes(autoFile, good);
    // A pool holding fewer bytes than announced, and a pool that is no zlib stream.
    std::string pool = ReadBytes(dataFile);
    std::string bigger = good;
    bigger.replace(bigger.size() - 4, 4, std::string("\x40\0\0\0", 4));
    WriteBytes(autoFile, bigger);
    {
        TZelMorphAutoma automaton;
        automaton.LoadAutomaton(autoFile);
        EXPECT_THROW(automaton.LoadStrings(dataFile), EZelStreamError);
    }
    WriteBytes(autoFile, good);
    WriteBytes(dataFile, "not zlib at all");
    {
        TZelMorphAutoma automaton;
        automaton.LoadAutomaton(autoFile);
        EXPECT_THROW(automaton.LoadStrings(dataFile), EZelStreamError);
    }
}

// ---------------------------------------------------------------------------------------
// The tokenizer

namespace {
std::vector<std::u16string> Tokens(TZelMorphTokenizer& t) {
    std::vector<std::u16string> out;
    for (int32_t i = 0; i + 1 < t.BoundaryCount(); ++i) {
        std::u16string_view rest = t.Token(i);
        out.emplace_back(rest.substr(0, size_t(t.TokenStart(i + 1) - t.TokenStart(i) - 1)));
    }
    return out;
}
} // namespace

TEST(MorphTokenizer, TokensNumbersAndPositions) {
    TZelMorphTokenizer t;
    t.Tokenize(u"Ciao, 2003 Amici!");
    EXPECT_EQ(t.BoundaryCount(), 6);
    EXPECT_EQ(Tokens(t),
              (std::vector<std::u16string>{u"ciao", u",", u"@number_3", u"amici", u"!"}));
    EXPECT_EQ(t.Output(), u"ciao , @number_3 amici ! ");
    // Every character of a number tag maps to the whole digit run.
    EXPECT_EQ(t.SourcePos(7), 6u);
    EXPECT_EQ(t.SourceLen(7), 4u);
    EXPECT_EQ(t.SourceSpan(7, 9), 4u);
    EXPECT_EQ(t.SourceSpan(0, 4), 4u);

    struct {
        const char16_t* Text;
        std::vector<std::u16string> Tokens;
    } cases[] = {
        {u"1st", {u"@number_1", u"st"}},        {u"10", {u"@number_0"}},
        {u"\u0663", {u"@number_4-9"}},          {u"abc123", {u"abc", u"@number_3"}},
        {u"l'uomo", {u"l", u"'", u"uomo"}},     {u"\u00C9", {u"\u00E9"}},
        {u"a  b\t\u00A0c", {u"a", u"b", u"c"}},
    };
    for (const auto& c : cases) {
        t.Tokenize(c.Text);
        EXPECT_EQ(Tokens(t), c.Tokens) << ZelWideToUtf8(c.Text);
    }
    t.Tokenize(u"\u00C9");
    EXPECT_EQ(t.SourcePos(0), 0u);
    EXPECT_EQ(t.SourceLen(0), 1u);
    t.Tokenize(u"   \t ");
    EXPECT_EQ(t.BoundaryCount(), 0);
    EXPECT_EQ(t.Output(), u"");
}

TEST(MorphTokenizer, PositionsBeyond64KDoNotWrap) {
    std::u16string text(70000, u' ');
    text += u"parola";
    TZelMorphTokenizer t;
    t.Tokenize(text);
    EXPECT_EQ(t.SourcePos(0), 70000u);
    EXPECT_EQ(t.SourceSpan(0, 6), 6u);
}

// Tokenizing a written form and writing it back gives the form again.
TEST(MorphTokenizer, WrittenFormsUndoTheTokensSeparators) {
    for (std::u16string form : {u"casa", u"dell'", u"l'altro", u"c'\u00e8", u"e-mail", u"D.ssa",
                                u"a priori", u"l'altro ieri", u"po'"}) {
        TZelMorphTokenizer t;
        t.Tokenize(form);
        std::u16string expected = form;
        for (char16_t& c : expected)
            c = char16_t(u_tolower(c));
        EXPECT_EQ(ZelWrittenForm(t.Output()), expected) << ZelWideToUtf8(form);
    }
    EXPECT_EQ(ZelWrittenForm(u"  a  ,  b "), u"a,b");
    EXPECT_EQ(ZelWrittenForm(u""), u"");
}

// ---------------------------------------------------------------------------------------
// Reading trees

TEST(MorphInfo, CombinationRules) {
    auto leaf = [](int32_t start, int32_t length, int32_t offset, int32_t id) {
        ZelRef<IZelMorphInfo> l = ZelMake<TZelMorphInfo>(nullptr);
        l->SetStart(start);
        l->SetLength(length);
        l->SetInfoOffset(offset);
        l->SetInfoId(id);
        return l;
    };
    ZelRef<IZelMorphInfo> e = Extend(nullptr, leaf(0, 2, 40, 5), leaf(2, 3, 0, 0));
    EXPECT_EQ(e->GetKind(), ZelMorphLeaf);
    EXPECT_EQ(e->GetStart(), 0);
    EXPECT_EQ(e->GetLength(), 5);
    EXPECT_EQ(e->GetInfoOffset(), 40);
    EXPECT_EQ(e->GetInfoId(), 5);

    ZelRef<IZelMorphInfo> two = Prefer(nullptr, leaf(0, 4, 1, 1), leaf(0, 4, 2, 2));
    ZelRef<IZelMorphInfo> three = Prefer(nullptr, two, leaf(0, 4, 3, 3));
    EXPECT_EQ(three->GetKind(), ZelMorphAlternatives);
    EXPECT_EQ(three->GetCount(), 3);
    EXPECT_EQ(Prefer(nullptr, three, leaf(0, 6, 4, 4))->GetLength(), 6);
    EXPECT_EQ(Prefer(nullptr, nullptr, three), three);

    ZelRef<IZelMorphInfo> sequence = ZelMake<TZelMorphInfo>(nullptr);
    sequence->SetKind(ZelMorphSequence);
    ZelRef<IZelMorphInfo> alternatives = ZelMake<TZelMorphInfo>(nullptr);
    alternatives->SetKind(ZelMorphAlternatives);
    for (int32_t length : {2, 1, 4}) {
        sequence->Add(leaf(7, length, 0, 0));
        alternatives->Add(leaf(7, length, 0, 0));
    }
    sequence->Add(nullptr);
    EXPECT_EQ(sequence->GetLength(), 7);
    EXPECT_EQ(sequence->GetStart(), 7);
    EXPECT_EQ(alternatives->GetLength(), 2);
    EXPECT_THROW(leaf(0, 1, 0, 0)->Add(leaf(0, 1, 0, 0)), EZelAssertion);

    ZelRef<IZelMorphInfo> placeholder = ZelMake<TZelMorphInfo>(nullptr);
    EXPECT_EQ(placeholder->GetLemma(), u"");
    EXPECT_EQ(placeholder->GetLemmaCode(), -1);

    ZelRef<IZelMorphInfo> joined = Concatenate(nullptr, sequence, leaf(14, 1, 0, 0));
    EXPECT_EQ(joined->GetCount(), 4);
}

// ---------------------------------------------------------------------------------------
// The module

TEST(MorphModule, AnalysesSentencesIntoReadings) {
    TItalian it;
    ZelRef<IZelMorphInfo> tree = it.Module->Analyze(u"Le case sono belle.");
    ASSERT_TRUE(tree);
    EXPECT_EQ(ShowMorph(*tree),
              "[il/13@0+2 (casa/2@3+4 | casare/4@3+4) (essere/4@8+4 | essere/4@8+4) bello/1@13+5 "
              "/-1@18+1]");
    // Two readings of one lemma are kept apart here; the dictionary merges them.
    ZelRef<IZelMorphInfo> sono = it.Module->Analyze(u"sono");
    EXPECT_EQ(ShowMorph(*sono), "[(essere/4@0+4 | essere/4@0+4)]");
}

TEST(MorphModule, UnknownTokensBecomePlaceholdersAndUnitsWin) {
    TItalian it;
    EXPECT_EQ(ShowMorph(*it.Module->Analyze(u"Xyzzy, per esempio, a priori")),
              "[/-1@0+5 /-1@5+1 per esempio/3@7+11 /-1@18+1 a priori/3@20+8]");
    EXPECT_EQ(ShowMorph(*it.Module->Analyze(u"per  ESEMPIO")), "[per esempio/3@0+12]");
    EXPECT_EQ(ShowMorph(*it.Module->Analyze(u"per esempi")), "[per/5@0+3 esempio/2@4+6]");
    EXPECT_EQ(ShowMorph(*it.Module->Analyze(u"l'uomo")), "[il/13@0+2 uomo/2@2+4]");
    EXPECT_FALSE(it.Module->Analyze(u""));
    EXPECT_FALSE(it.Module->Analyze(u"   "));
}

TEST(MorphModule, WordExistence) {
    TItalian it;
    EXPECT_EQ(it.Module->WordExists(u"città", 0), 1);
    EXPECT_EQ(it.Module->WordExists(u"CASA", 4), 1);
    EXPECT_EQ(it.Module->WordExists(u"casx", 0), 0);
    EXPECT_EQ(it.Module->WordExists(u"cas", 0), 0);
    EXPECT_EQ(it.Module->WordExists(u"casa", 9), -1);
    EXPECT_EQ(it.Module->WordExists(u"", 0), 1);
    EXPECT_EQ(it.Module->WordExists(u"  ", 0), 1);
    EXPECT_THROW(it.Module->WordExists(u"casa", 2), EZelAssertion);
    EXPECT_EQ(it.Module->GetWordCount(), 37);
}

TEST(MorphModule, GeneratesTheFormsOfALemma) {
    TItalian it;
    TCollect all;
    it.Module->EnumWordForms(ZelEnumLemmaForms, TZelVariant::TArray{u"casa", 2}, all);
    std::sort(all.Forms.begin(), all.Forms.end());
    EXPECT_EQ(all.Forms, (std::vector<std::string>{"casa", "case"}));
    TCollect andare;
    it.Module->EnumWordForms(ZelEnumLemmaForms, TZelVariant::TArray{u"andare", 4}, andare);
    std::sort(andare.Forms.begin(), andare.Forms.end());
    EXPECT_EQ(andare.Forms, (std::vector<std::string>{"andare", "andiamo", "vado", "vai"}));
    TCollect none;
    it.Module->EnumWordForms(ZelEnumLemmaForms, TZelVariant::TArray{u"casa", 4}, none);
    it.Module->EnumWordForms(ZelEnumLemmaForms, TZelVariant::TArray{u"", 2}, none);
    EXPECT_TRUE(none.Forms.empty());

    EXPECT_THROW_MSG(
        it.Module->EnumWordForms(ZelEnumLemmaForms, TZelVariant::TArray{u"casa", 2, u"x"}, none),
        EZelArgumentError, "Array of Lus (Lemma, Cat_code) expected: size of array should be even");
    EXPECT_THROW_MSG(it.Module->EnumWordForms(ZelEnumLemmaForms, TZelVariant(u"casa"), none),
                     EZelArgumentError, "Array of LuKeys or Lemmas expected");
}

TEST(MorphModule, GeneratesFormsByLengthOrAll) {
    TItalian it;
    TCollect four;
    it.Module->EnumWordForms(ZelEnumFormsOfLength, TZelVariant(4), four);
    std::set<std::string> fourSet(four.Forms.begin(), four.Forms.end());
    EXPECT_EQ(fourSet, (std::set<std::string>{"casa", "case", "caso", "casi", "sono", "vado",
                                              "uomo", "roma", "amor", "ramo", "mora", "orma"}));
    TCollect nothing;
    it.Module->EnumWordForms(ZelEnumFormsOfLength, TZelVariant(u"four"), nothing);
    EXPECT_TRUE(nothing.Forms.empty());

    TCollect everything;
    it.Module->EnumWordForms(ZelEnumAllForms, TZelVariant(), everything);
    EXPECT_EQ(everything.Forms.size(), 37u);
    ASSERT_FALSE(everything.Steps.empty());
    EXPECT_EQ(everything.Steps.front().first, 0);
    EXPECT_EQ(everything.Steps.back().first, everything.Steps.back().second);

    TCollect aborted;
    aborted.ProgressAnswer = false;
    it.Module->EnumWordForms(ZelEnumAllForms, TZelVariant(), aborted);
    EXPECT_TRUE(aborted.Forms.empty());
    TCollect three;
    three.StopAfter = 3;
    it.Module->EnumWordForms(ZelEnumAllForms, TZelVariant(), three);
    EXPECT_EQ(three.Forms.size(), 3u);
}

TEST(MorphModule, OpensByFileOrDictionaryIdentifier) {
    TItalian it;
    TTempHives hives;
    ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
    EXPECT_THROW_MSG(module->SetDicId(u"DM4KNVIT1"), EZelError,
                     "Dictionary ID DM4KNVIT1 not found");
    ZelSettings()
        .OpenKey(TZelHive::LocalMachine, "Software\\Zel\\Dics\\DM4KNVIT1", true)
        ->WriteString("", it.Description);
    module->SetDicId(u"DM4KNVIT1");
    EXPECT_EQ(module->GetDicId(), u"DM4KNVIT1");
    EXPECT_EQ(module->GetFileName(), ZelUtf8ToWide(it.Description));
    EXPECT_EQ(module->WordExists(u"bella", 0), 1);
    ZelRef<TZelMorphModuleFile> missing = ZelMake<TZelMorphModuleFile>();
    EXPECT_THROW_MSG(missing->SetFileName(u"/nowhere/x.dm4"), EZelError,
                     "Cannot open file /nowhere/x.dm4");
    EXPECT_THROW(missing->Analyze(u"casa"), EZelAssertion);
}

TEST(MorphModule, SegmentsJoinReadingsOfOneWord) {
    TTempDir dir;
    TZelAutomatonWriter writer;
    // "dammelo": the verb "da" then the clitics "mme" + "lo" in a second segment.
    writer.AddTransition(-1, "da", "dare4", 0, 1);
    writer.AddTransition(1, "", "", 1, -2);
    writer.AddTransition(1, "", "", 2, 0);
    writer.AddTransition(-2, "mmelo", "me lo6", 3, 0);
    std::string description = WriteAutomaton(dir, writer);
    ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
    module->SetFileName(ZelUtf8ToWide(description));
    ZelRef<IZelMorphInfo> tree = module->Analyze(u"dammelo da");
    EXPECT_EQ(ShowMorph(*tree), "[[dare/4@0+2 me lo/6@2+5] dare/4@8+2]");
    EXPECT_EQ(tree->GetItem(0)->GetJunction(), -1);
    TCollect forms;
    module->EnumWordForms(ZelEnumLemmaForms, TZelVariant::TArray{u"dare", 4, u"me lo", 6}, forms);
    EXPECT_EQ(forms.Forms, (std::vector<std::string>{"dammelo"}));
    EXPECT_EQ(module->GetWordCount(), 2);
}

// Lemma codes are the category codes 0 to 13 ("0" to "="); any other last byte is no code.
TEST(MorphModule, LemmaCodesOutsideTheCategoriesAreNone) {
    TTempDir dir;
    TZelAutomatonWriter writer;
    writer.AddTransition(-1, "a", "a0", 0, 0);
    writer.AddTransition(-1, "b", "b=", 1, 0);
    writer.AddTransition(-1, "c", "c>", 2, 0);
    writer.AddTransition(-1, "d", "d\xff", 3, 0);
    writer.AddTransition(-1, "e", "e/", 4, 0);
    std::string description = WriteAutomaton(dir, writer);
    ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
    module->SetFileName(ZelUtf8ToWide(description));
    EXPECT_EQ(ShowMorph(*module->Analyze(u"a b c d e")),
              "[a/0@0+1 b/13@2+1 c/-1@4+1 d/-1@6+1 e/-1@8+1]");
}

TEST(MorphModule, CyclesAndOverlongFormsAreHandled) {
    TTempDir dir;
    TZelAutomatonWriter writer;
    writer.AddTransition(-1, "a", "a1", 0, 1);
    writer.AddTransition(1, "", "", 0, 1); // an empty label back to itself
    writer.AddTransition(1, "", "", 1, 0);
    writer.AddTransition(-1, std::string(40, 'x'), "x1", 0, 2);
    writer.AddTransition(2, std::string(40, 'y'), "", 1, 0);
    std::string description = WriteAutomaton(dir, writer);
    ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
    module->SetFileName(ZelUtf8ToWide(description));
    EXPECT_EQ(ShowMorph(*module->Analyze(u"a")), "[a/1@0+1]");
    EXPECT_EQ(module->WordExists(u"a", 0), 1);
    EXPECT_EQ(module->GetWordCount(), 2);
    TCollect lemma;
    module->EnumWordForms(ZelEnumLemmaForms, TZelVariant::TArray{u"a", 1}, lemma);
    EXPECT_EQ(lemma.Forms, (std::vector<std::string>{"a"}));
    // An 80-byte form is a fault of the file, reported as such with its name.
    TCollect all;
    EXPECT_THROW_MSG(module->EnumWordForms(ZelEnumAllForms, TZelVariant(), all), EZelStreamError,
                     "Invalid stream format (" + dir.File("m") + "_auto.kv2)");
}

// ---------------------------------------------------------------------------------------
// The compiler
