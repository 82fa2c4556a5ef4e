// The sample installation of the build tree, opened as the program opens it at start-up:
// the machine hive beside the executables, the user's hive empty.
#include "ZelCodePage.h"
#include "ZelDM4.h"
#include "ZelDicRegistry.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelInstaller.h"
#include "ZelLXQuery.h"
#include "ZelLangList.h"
#include "ZelMemBlocks.h"
#include "ZelNVDics.h"
#include "ZelRtfReader.h"
#include "ZelSentenceItem.h"
#include "ZelSettingsStore.h"
#include "ZelTestSupport.h"
#include "ZelUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <set>
#include <tuple>

namespace {

class TSampleTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ZEL_USER_HIVE", UserHive.File("user.reg").c_str(), 1);
        unsetenv("ZEL_MACHINE_HIVE");
        ZelSettings().Reset();
        if (!ZelFileExists(ZelSettings().GetHivePath(TZelHive::LocalMachine)))
            GTEST_SKIP() << "the sample installation is not built";
        ZelReleaseDicList(true);
        ZelRegisterNVBuilders();
    }
    void TearDown() override {
        ZelReleaseDicList(true);
        unsetenv("ZEL_USER_HIVE");
        ZelSettings().Reset();
    }

    ZelRef<IZelDic> Dic(const std::string& id) {
        ZelRef<IZelDicList> list = GetDicList();
        for (int32_t i = 0; i < list->GetCount(); ++i)
            if (list->GetDic(i)->GetId() == id)
                return list->GetDic(i);
        ADD_FAILURE() << "no dictionary " << id;
        return nullptr;
    }

    TTempDir UserHive;
};

// The targets of the cross-references of rendered entries, read by the program's own RTF
// reader: the N characters each "\customRef N" marks.
class TReferenceTargets : public IZelRtfSink {
public:
    void Text(const std::u16string& text, const TZelRtfFormat&) override {
        for (char16_t c : text)
            Take(c);
    }
    void ParagraphBreak() override { Take(u'\n'); }
    void LineBreak() override { Take(u'\n'); }
    void CustomTag(const std::string& name, const std::vector<std::string>& parameters) override {
        if (name == "Ref" && !parameters.empty()) {
            Pending = std::stoi(parameters[0]);
            Targets.emplace_back();
        }
    }

    std::vector<std::u16string> Targets;

private:
    void Take(char16_t c) {
        if (Pending > 0) {
            Targets.back() += c;
            --Pending;
        }
    }
    int Pending = 0;
};

void CollectLemmas(IZelSentenceItem& item, std::set<std::string>& lemmas) {
    if (!item.GetLemma().empty())
        lemmas.insert(ZelWideToUtf8(item.GetLemma()));
    for (int32_t i = 0; i < item.GetCount(); ++i)
        CollectLemmas(*item.GetItem(i), lemmas);
}

} // namespace

TEST_F(TSampleTest, TheBuildTreeFindsItsInstallation) {
    std::vector<std::string> ids;
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i)
        ids.push_back(list->GetDic(i)->GetId());
    EXPECT_EQ(ids, (std::vector<std::string>{"DD6KNV1_ENIT", "DD6KNV1_ITEN", "DD6KNVGN1_ENIT",
                                             "DD6KNVGN1_ITEN", "DD6KNVLL1_ENIT", "DD6KNVLL1_ITEN",
                                             "DD6KNVLN1_ENIT", "DD6KNVLN1_ITEN", "AnnKNV1_ENIT",
                                             "AnnKNV1_ITEN", "DM4KNVEN1", "DM4KNVIT1"}));
    // Each pair: main, grammar notes, usage notes, false friends, the user's notes, then
    // the morphology of its source language.
    for (auto [source, target, suffix, morphology] :
         {std::tuple{ZelLangEnglish, ZelLangItalian, "_ENIT", "DM4KNVEN1"},
          std::tuple{ZelLangItalian, ZelLangEnglish, "_ITEN", "DM4KNVIT1"}}) {
        ZelRef<TZelInterfaceList> pair = ZelMake<TZelInterfaceList>();
        CollectDics(source, target, *pair, IZelDic::IID);
        std::vector<std::string> got;
        for (int32_t i = 0; i < pair->GetCount(); ++i)
            got.push_back(ZelQuery<IZelDic>(pair->Get(i))->GetId());
        std::vector<std::string> expected;
        for (const char* type : {"DD6KNV1", "DD6KNVGN1", "DD6KNVLL1", "DD6KNVLN1", "AnnKNV1"})
            expected.push_back(std::string(type) + suffix);
        expected.push_back(morphology);
        EXPECT_EQ(got, expected);
    }
}

TEST_F(TSampleTest, NotesAreFoundByTheirHeadwords) {
    for (const auto& [id, headword, text] : {std::tuple<std::string, std::u16string, std::string>{
                                                 "DD6KNVGN1_ITEN", u"piacere", "indirect object"},
                                             {"DD6KNVLN1_ENIT", u"actually", "in realt"},
                                             {"DD6KNVLL1_ENIT", u"make", "make a cake"}}) {
        ZelRef<IZelDic> dic = Dic(id);
        ASSERT_TRUE(dic);
        ZelRef<IZelArrayCursor> found = dic->LookupLu(headword, headword, -1, 0);
        ASSERT_TRUE(found) << id;
        found->SetIndex(0);
        std::string rtf = dic->GetEntryRtf(*ZelQuery<IZelLu>(found), 0);
        EXPECT_NE(rtf.find(text), std::string::npos) << rtf;
    }
}

TEST_F(TSampleTest, AnalysisLeadsToTheEntries) {
    ZelRef<IZelDicMorph> italian = ZelQuery<IZelDicMorph>(Dic("DM4KNVIT1"));
    ASSERT_TRUE(italian);
    std::set<std::string> lemmas;
    CollectLemmas(*italian->Analyze(u"Le case sono belle."), lemmas);
    for (const char* lemma : {"casa", "essere", "bello"})
        EXPECT_TRUE(lemmas.count(lemma)) << lemma;

    ZelRef<IZelDic> iten = Dic("DD6KNV1_ITEN");
    ZelRef<IZelArrayCursor> found = iten->LookupLu(u"casa", u"casa", -1, 0);
    ASSERT_TRUE(found);
    found->SetIndex(0);
    std::string rtf = iten->GetEntryRtf(*ZelQuery<IZelLu>(found), 0);
    EXPECT_NE(rtf.find("{\\b\\fs26 casa}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("house"), std::string::npos) << rtf;
}

// The English personal pronouns are their own lemmas, so each finds its entry; "her" is
// the pronoun and the possessive.
TEST_F(TSampleTest, PersonalPronounsAreTheirOwnLemmas) {
    ZelRef<IZelDicMorph> english = ZelQuery<IZelDicMorph>(Dic("DM4KNVEN1"));
    ASSERT_TRUE(english);
    for (const auto& [sentence, expected] :
         std::vector<std::pair<std::u16string, std::vector<std::string>>>{
             {u"She saw them.", {"she", "them"}},
             {u"I know you.", {"I", "you"}},
             {u"We told her.", {"we", "her"}}}) {
        std::set<std::string> lemmas;
        CollectLemmas(*english->Analyze(sentence), lemmas);
        EXPECT_FALSE(lemmas.count("prpers"));
        for (const std::string& lemma : expected)
            EXPECT_TRUE(lemmas.count(lemma)) << lemma;
    }
    ZelRef<IZelDic> enit = Dic("DD6KNV1_ENIT");
    for (const char16_t* pronoun : {u"she", u"they", u"we"})
        EXPECT_TRUE(enit->LookupLu(pronoun, pronoun, -1, 0)) << ZelWideToUtf8(pronoun);
}

// English contractions read as the words they stand for, the negation and the auxiliary
// each with its lemma.
TEST_F(TSampleTest, ContractionsReadAsTheirWords) {
    ZelRef<IZelDicMorph> english = ZelQuery<IZelDicMorph>(Dic("DM4KNVEN1"));
    ASSERT_TRUE(english);
    for (const auto& [sentence, expected] :
         std::vector<std::pair<std::u16string, std::vector<std::string>>>{
             {u"She didn't know.", {"do", "not", "know"}},
             {u"It isn't here.", {"be", "not"}},
             {u"We'll see.", {"will", "see"}},
             {u"They've gone.", {"have", "go"}},
             {u"I cannot swim.", {"can", "swim"}},
             {u"The children's toys.", {"child", "'s", "toy"}},
             {u"She's here.", {"she", "be", "here"}},
             {u"You won't.", {"will", "not"}}}) {
        std::set<std::string> lemmas;
        CollectLemmas(*english->Analyze(sentence), lemmas);
        for (const std::string& lemma : expected)
            EXPECT_TRUE(lemmas.count(lemma)) << lemma << " in " << ZelWideToUtf8(sentence);
    }
}

// Words the analysers lack are read from the spelling dictionaries: plain words with their
// lemma and part of speech, names, words of no known part of speech, English quoted in
// Italian (no part of speech, so that it does not count as Italian); addresses read whole.
TEST_F(TSampleTest, WordsBeyondTheAnalysersAreRead) {
    struct TCase {
        const char* Morphology;
        std::u16string Sentence;
        std::u16string Word;
        std::string Lemma; // of the word's first reading
        std::string Category;
        std::string Description;
    };
    for (const TCase& c : std::vector<TCase>{
             {"DM4KNVEN1", u"You ought to beware.", u"beware", "beware", "v", "verb base form"},
             {"DM4KNVEN1", u"You ought to go.", u"ought", "ought", "v", "modal verb present"},
             {"DM4KNVEN1", u"Two hitchhikers.", u"hitchhikers", "hitchhiker", "n", "noun plural"},
             {"DM4KNVEN1", u"Those folks are lying.", u"lying", "lie", "v", "verb -ing form"},
             {"DM4KNVEN1", u"Ambrose Bierce wrote it.", u"Bierce", "Bierce", "n",
              "proper noun singular"},
             {"DM4KNVEN1", u"Write to anna@example.org today.", u"anna@example.org",
              "anna@example.org", "undefined", "e-mail address"},
             {"DM4KNVEN1", u"See www.debian.org.", u"www.debian.org", "www.debian.org", "undefined",
              "web address"},
             {"DM4KNVIT1", u"Gli autostoppisti leggono.", u"autostoppisti", "autostoppista", "n",
              "sostantivo maschile plurale"},
             {"DM4KNVIT1", u"Leggo un tabloid.", u"tabloid", "tabloid", "undefined", "parola"},
             {"DM4KNVIT1", u"Leggi the manual.", u"the", "the", "undefined", "parola inglese"},
             {"DM4KNVIT1", u"Vai su http://www.debian.org/intro/, poi.",
              u"http://www.debian.org/intro/", "http://www.debian.org/intro/", "undefined",
              "indirizzo web"}}) {
        ZelRef<IZelDicMorph> morph = ZelQuery<IZelDicMorph>(Dic(c.Morphology));
        ASSERT_TRUE(morph);
        ZelRef<IZelSentenceItem> sentence = morph->Analyze(c.Sentence);
        ZelRef<IZelSentenceItem> reading;
        for (int32_t i = 0; i < sentence->GetCount() && !reading; ++i) {
            ZelRef<IZelSentenceItem> word = sentence->GetItem(i);
            if (word->GetKind() == ZelItemAlternatives)
                word = word->GetItem(0);
            if (word->GetWordForm() == c.Word)
                reading = word;
        }
        std::string where = ZelWideToUtf8(c.Word) + " in " + ZelWideToUtf8(c.Sentence);
        ASSERT_TRUE(reading) << where;
        EXPECT_TRUE(reading->GetKnown()) << where;
        EXPECT_EQ(ZelWideToUtf8(reading->GetLemma()), c.Lemma) << where;
        EXPECT_EQ(ZelCatIdList().GetCatId(reading->GetCatCode()), c.Category) << where;
        EXPECT_EQ(reading->GetDescription(), c.Description) << where;
    }
}

// Fixed expressions and phrasal verbs read as one unit whose lemma is a headword of the
// main dictionary, in any form of their verb; a sequence that is mostly its plain words
// keeps them.
TEST_F(TSampleTest, MultiWordUnitsReadAsOne) {
    struct TCase {
        const char* Morphology;
        const char* Dictionary;
        std::u16string Sentence;
        std::string Unit; // the lemma the sentence is read with: a unit, or a headword of
                          // several words it must not be read as
        bool IsUnit;
        std::string Word; // a word of the sentence read on its own
    };
    for (const TCase& c : std::vector<TCase>{
             {"DM4KNVIT1", "DD6KNV1_ITEN", u"Domani, per esempio.", "per esempio", true, "domani"},
             {"DM4KNVIT1", "DD6KNV1_ITEN", u"Siamo d'accordo.", "d'accordo", true, "essere"},
             {"DM4KNVIT1", "DD6KNV1_ITEN", u"Piove a causa del vento.", "a causa di", true,
              "vento"},
             {"DM4KNVIT1", "DD6KNV1_ITEN", u"Facevano causa al vicino.", "fare causa", true,
              "vicino"},
             {"DM4KNVIT1", "DD6KNV1_ITEN", u"Un giorno di pioggia.", "un giorno", false, "giorno"},
             {"DM4KNVEN1", "DD6KNV1_ENIT", u"She gave up.", "give up", true, "she"},
             {"DM4KNVEN1", "DD6KNV1_ENIT", u"The plane took off.", "take off", true, "plane"},
             {"DM4KNVEN1", "DD6KNV1_ENIT", u"By the way, it works.", "by the way", true, "work"},
             {"DM4KNVEN1", "DD6KNV1_ENIT", u"An ice cream in New York.", "ice cream", true, "a"},
             {"DM4KNVEN1", "DD6KNV1_ENIT", u"I gave it to her.", "to her", false, "her"}}) {
        ZelRef<IZelDicMorph> morph = ZelQuery<IZelDicMorph>(Dic(c.Morphology));
        ZelRef<IZelDic> dic = Dic(c.Dictionary);
        ASSERT_TRUE(morph && dic);
        std::set<std::string> lemmas;
        CollectLemmas(*morph->Analyze(c.Sentence), lemmas);
        EXPECT_TRUE(lemmas.count(c.Word)) << c.Word << " in " << ZelWideToUtf8(c.Sentence);
        EXPECT_EQ(lemmas.count(c.Unit) == 1, c.IsUnit)
            << c.Unit << " in " << ZelWideToUtf8(c.Sentence);
        std::u16string headword = ZelUtf8ToWide(c.Unit);
        EXPECT_TRUE(dic->LookupLu(headword, headword, -1, 0)) << c.Unit << " has no entry";
    }
}

// The lemmas of each word of an analysed sentence, in the order the readings are listed.
std::vector<std::vector<std::string>> LemmasByWord(IZelSentenceItem& sentence) {
    std::vector<std::vector<std::string>> words;
    for (int32_t i = 0; i < sentence.GetCount(); ++i) {
        IZelSentenceItem& word = *sentence.GetItem(i);
        std::vector<std::string> lemmas;
        if (word.GetKind() == ZelItemReading)
            lemmas.push_back(ZelWideToUtf8(word.GetLemma()));
        for (int32_t j = 0; j < word.GetCount(); ++j) {
            std::string lemma = ZelWideToUtf8(word.GetItem(j)->GetLemma());
            if (std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end())
                lemmas.push_back(lemma);
        }
        words.push_back(lemmas);
    }
    return words;
}

// A word's readings are listed with what a reader most likely meant first: the commoner
// lemma, and a common word before a proper name; "won" is "will" only before "'t"; the "s"
// after a noun is the possessive.
TEST_F(TSampleTest, ReadingsComeCommonestFirst) {
    struct TCase {
        const char* Morphology;
        std::u16string Sentence;
        size_t Word;
        std::vector<std::string> Lemmas;
    };
    for (const TCase& c :
         std::vector<TCase>{{"DM4KNVIT1", u"Le case sono belle.", 0, {"il", "lo", "gli"}},
                            {"DM4KNVIT1", u"Le case sono belle.", 2, {"essere", "sonare"}},
                            {"DM4KNVIT1", u"Le case sono belle.", 3, {"bello", "Belle"}},
                            {"DM4KNVEN1", u"The children were running.", 3, {"run", "running"}},
                            {"DM4KNVEN1", u"I won the race.", 1, {"win"}},
                            {"DM4KNVEN1", u"The children's names.", 3, {"'s", "be", "have"}},
                            {"DM4KNVEN1", u"She's here.", 2, {"be", "have", "'s"}}}) {
        ZelRef<IZelDicMorph> morph = ZelQuery<IZelDicMorph>(Dic(c.Morphology));
        ASSERT_TRUE(morph);
        std::vector<std::vector<std::string>> words = LemmasByWord(*morph->Analyze(c.Sentence));
        ASSERT_LT(c.Word, words.size()) << ZelWideToUtf8(c.Sentence);
        EXPECT_EQ(words[c.Word], c.Lemmas) << ZelWideToUtf8(c.Sentence) << ", word " << c.Word;
    }
}

// Verbs with two enclitic pronouns read as the verb; "glielo" before a verb as the
// combined pronoun.
TEST_F(TSampleTest, TwoEncliticPronounsReadAsTheVerb) {
    ZelRef<IZelDicMorph> italian = ZelQuery<IZelDicMorph>(Dic("DM4KNVIT1"));
    ASSERT_TRUE(italian);
    for (const auto& [sentence, expected] :
         std::vector<std::pair<std::u16string, std::vector<std::string>>>{
             {u"Dammelo subito.", {"dare"}},
             {u"Voglio dirglielo.", {"volere", "dire"}},
             {u"Portandoglielo, rideva.", {"portare", "ridere"}},
             {u"Puoi mandarmela?", {"mandare"}},
             {u"Andiamocene.", {"andare"}},
             {u"Glielo dico.", {"gli", "dire"}}}) {
        std::set<std::string> lemmas;
        CollectLemmas(*italian->Analyze(sentence), lemmas);
        for (const std::string& lemma : expected)
            EXPECT_TRUE(lemmas.count(lemma)) << lemma << " in " << ZelWideToUtf8(sentence);
    }
}

// An apostrophe written for a final accent is read ("piu'"), but the unaccented variants of
// "alberò" and "È" do not make the noun "albero" a past tense of "alberare", nor the
// conjunction "e" a form of "essere".
TEST_F(TSampleTest, AccentVariantsDoNotShadowRealWords) {
    ZelRef<IZelDicMorph> italian = ZelQuery<IZelDicMorph>(Dic("DM4KNVIT1"));
    ASSERT_TRUE(italian);
    std::string descriptions;
    std::function<void(IZelSentenceItem&)> collect = [&](IZelSentenceItem& item) {
        if (item.GetKind() == ZelItemReading)
            descriptions += item.GetDescription() + "|";
        for (int32_t i = 0; i < item.GetCount(); ++i)
            collect(*item.GetItem(i));
    };
    collect(*italian->Analyze(u"albero"));
    EXPECT_NE(descriptions.find("sostantivo"), std::string::npos) << descriptions;
    EXPECT_EQ(descriptions.find("passato remoto"), std::string::npos) << descriptions;
    std::set<std::string> lemmas;
    CollectLemmas(*italian->Analyze(u"piu"), lemmas);
    EXPECT_TRUE(lemmas.count("più"));
    lemmas.clear();
    CollectLemmas(*italian->Analyze(u"e"), lemmas); // the conjunction, not "è"
    EXPECT_EQ(lemmas, std::set<std::string>{"e"});
}

// Forms of one length are the forms of that written length, also where the analyser's
// tokens are longer ("dell '", "e - mail"): checked on both sample lexicons against the
// lengths of all forms.
TEST_F(TSampleTest, FormsOfALengthAreTheFormsWrittenThatLong) {
    class TByLength : public IZelEnumWordFormsCallback {
    public:
        bool AcceptDescription(const std::string&) override { return true; }
        bool Progress(int32_t, int32_t) override { return true; }
        void WordForm(const std::u16string& form) override { Forms[form.size()].insert(form); }
        std::map<size_t, std::set<std::u16string>> Forms;
    };
    for (const char* id : {"DM4KNVIT1", "DM4KNVEN1"}) {
        SCOPED_TRACE(id);
        ZelRef<IZelDicMorphEx> morph = ZelQuery<IZelDicMorphEx>(Dic(id));
        ASSERT_TRUE(morph);
        TByLength all;
        morph->EnumWordForms(ZelFormsAll, TZelVariant(0), all);
        size_t punctuated = 0;
        for (const std::u16string& form : all.Forms[5])
            punctuated += form.find_first_of(u"'-") != std::u16string::npos;
        EXPECT_GT(punctuated, 0u); // "dell'", "e-mail"
        for (size_t length = 1; length <= 12; ++length) {
            TByLength some;
            morph->EnumWordForms(ZelFormsOfLength, TZelVariant(int32_t(length)), some);
            EXPECT_EQ(some.Forms[length], all.Forms[length]) << length;
            EXPECT_EQ(some.Forms.size(), 1u) << length;
        }
    }
}

// A search for every headword of both sides finds its entry, homographs included.
TEST_F(TSampleTest, EveryHeadwordIsFound) {
    for (const std::string id : {"DD6KNV1_ENIT", "DD6KNV1_ITEN"}) {
        ZelRef<IZelDic> dic = Dic(id);
        ASSERT_TRUE(dic);
        ZelRef<IZelArrayCursor> entries = dic->GetEntries();
        ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
        EXPECT_GT(entries->GetCount(), 20000) << id;
        int lost = 0;
        for (int32_t i = 0; i < entries->GetCount(); ++i) {
            entries->SetIndex(i);
            std::u16string headword = lu->GetWideText();
            int32_t ordinal = lu->GetOrdinal();
            ZelRef<IZelArrayCursor> found = dic->LookupLu(headword, headword, -1, 0);
            bool hit = false;
            for (int32_t j = 0; found && j < found->GetCount() && !hit; ++j) {
                found->SetIndex(j);
                ZelRef<IZelLu> candidate = ZelQuery<IZelLu>(found);
                hit = candidate->GetWideText() == headword && candidate->GetOrdinal() == ordinal;
            }
            if (!hit && ++lost <= 5)
                ADD_FAILURE() << id << ": " << ZelWideToUtf8(headword) << " " << ordinal;
        }
        EXPECT_EQ(lost, 0) << id;
    }
}

// Every cross-reference of a rendered entry names a headword of the other side.
TEST_F(TSampleTest, CrossReferencesPointAtHeadwords) {
    for (const auto& [id, otherId] :
         {std::pair<std::string, std::string>{"DD6KNV1_ENIT", "DD6KNV1_ITEN"},
          {"DD6KNV1_ITEN", "DD6KNV1_ENIT"}}) {
        ZelRef<IZelDic> dic = Dic(id), other = Dic(otherId);
        ASSERT_TRUE(dic && other);
        ZelRef<IZelArrayCursor> entries = dic->GetEntries();
        ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
        int references = 0, broken = 0;
        for (int32_t i = 0; i < entries->GetCount(); ++i) {
            entries->SetIndex(i);
            TReferenceTargets targets;
            ZelReadRtf(dic->GetEntryRtf(*lu, 0), ZelGetSystemCodePage(), targets);
            for (const std::u16string& target : targets.Targets) {
                ++references;
                if (!other->LookupLu(target, target, -1, 0) && ++broken <= 5)
                    ADD_FAILURE() << id << " entry " << i << " refers to " << ZelWideToUtf8(target);
            }
        }
        EXPECT_GT(references, 1000) << id;
        EXPECT_EQ(broken, 0) << id;
    }
}

namespace {

// A RIFF WAVE image whose chunks fill it exactly, with PCM samples.
bool IsWaveImage(const std::string& wave) {
    auto u32 = [&](size_t at) {
        return uint32_t(uint8_t(wave[at])) | uint32_t(uint8_t(wave[at + 1])) << 8 |
               uint32_t(uint8_t(wave[at + 2])) << 16 | uint32_t(uint8_t(wave[at + 3])) << 24;
    };
    if (wave.size() < 44 || wave.compare(0, 4, "RIFF") || wave.compare(8, 4, "WAVE") ||
        u32(4) != wave.size() - 8)
        return false;
    bool format = false, data = false;
    for (size_t at = 12; at + 8 <= wave.size();) {
        uint32_t size = u32(at + 4);
        if (at + 8 + size > wave.size())
            return false;
        format |= wave.compare(at, 4, "fmt ") == 0 && size >= 16 && wave[at + 8] == 1;
        data |= wave.compare(at, 4, "data") == 0 && size > 0;
        at += 8 + size + (size & 1);
    }
    return format && data;
}

} // namespace

TEST_F(TSampleTest, PronunciationsAreWaveImages) {
    std::string folder = ZelExtractFileDir(
        ZelSettings()
            .OpenKey(TZelHive::LocalMachine, "Software\\Zel\\Dics\\DD6KNV1", false)
            ->ReadString("")
            .value_or(""));
    for (const char* part : {"0009", "0010"}) {
        ZelRef<IZelMemBlocks> sounds =
            ZelOpenMemBlocksFile(folder + "/norvel" + part + "_audio.ddata");
        ASSERT_EQ(sounds->GetCount(), 300) << part;
        for (int32_t i = 0; i < sounds->GetCount(); ++i)
            ASSERT_TRUE(IsWaveImage(sounds->GetBlockString(i))) << part << " sound " << i;
    }
    ZelRef<IZelDic> enit = Dic("DD6KNV1_ENIT");
    ZelRef<IZelArrayCursor> way = enit->LookupLu(u"way", u"way", -1, 0);
    ASSERT_TRUE(way);
    way->SetIndex(0);
    EXPECT_NE(enit->GetEntryRtf(*ZelQuery<IZelLu>(way), 0).find("{\\*\\customSound "),
              std::string::npos);
}

TEST_F(TSampleTest, AdvancedSearchByPartOfSpeech) {
    ZelRef<IZelDic> enit = Dic("DD6KNV1_ENIT");
    ASSERT_TRUE(enit);
    ZelRef<TZelLemmaQuery> query = ZelMake<TZelLemmaQuery>();
    query->SetDic(enit);
    ASSERT_EQ(query->GetFieldCount(), 3);
    EXPECT_EQ(query->GetFieldData(2).GetField().Name, "Part of speech");
    ASSERT_TRUE(query->GetFieldData(2).GetField().GetIndexBlocks());
    TZelLXQueryItemData& verb = query->GetFieldData(2).Item(0);
    verb.Operator = okEqInt;
    verb.Arg1 = "2";
    query->Run();
    std::set<std::string> verbs;
    ZelRef<IZelArrayCursor> result = query->GetResult();
    for (int32_t i = 0; i < result->GetCount(); ++i) {
        result->SetIndex(i);
        verbs.insert(ZelWideToUtf8(ZelQuery<IZelLu>(result)->GetWideText()));
    }
    EXPECT_GT(verbs.size(), 500u);
    EXPECT_TRUE(verbs.count("run") && verbs.count("speak") && !verbs.count("happy"));
    // The value index agrees with testing every entry.
    query->Execute(query->GetFieldData(2).Build(false));
    EXPECT_EQ(size_t(query->GetResult()->GetCount()), size_t(result->GetCount()));
}

TEST_F(TSampleTest, PicturesAreInstalledBesideTheDictionary) {
    ZelRef<IZelDic> iten = Dic("DD6KNV1_ITEN");
    ASSERT_TRUE(iten);
    ZelRef<IZelArrayCursor> italia = iten->LookupLu(u"Italia", u"Italia", -1, 0);
    ASSERT_TRUE(italia);
    italia->SetIndex(0);
    std::string rtf = iten->GetEntryRtf(*ZelQuery<IZelLu>(italia), 0);
    EXPECT_NE(rtf.find("{\\*\\customImage flag-it.png}"), std::string::npos) << rtf;
    std::string png =
        ReadBytes(iten->GetBasePath().substr(0, iten->GetBasePath().rfind('/')) + "/flag-it.png");
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
}
