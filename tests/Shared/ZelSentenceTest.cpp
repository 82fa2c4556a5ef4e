#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelSentenceItem.h"
#include "ZelSentenceList.h"
#include "ZelTestSupport.h"
#include "ZelTextRange.h"
#include "ZelTokenKind.h"

#include <gtest/gtest.h>

namespace {

std::vector<int32_t> Starts(const std::u16string& text) {
    TZelSentenceList list;
    list.SetText(text);
    std::vector<int32_t> starts;
    for (int32_t i = 0; i < list.GetCount(); ++i)
        starts.push_back(list.GetSentenceStart(i));
    return starts;
}

ZelRef<IZelSentenceItem> Reading(const std::u16string& lemma, const std::u16string& form,
                                 int32_t ordinal = -1, uint8_t cat = 0) {
    ZelRef<IZelSentenceItem> r = ZelMake<TZelSentenceItem>(ZelItemReading, 0x10);
    r->SetLemma(lemma);
    r->SetWordForm(form);
    r->SetOrdinal(ordinal);
    r->SetCatCode(cat);
    return r;
}

std::vector<std::u16string> Lemmas(IZelSentenceItem& item) {
    std::vector<std::u16string> out;
    for (int32_t i = 0; i < item.GetCount(); ++i)
        out.push_back(item.GetItem(i)->GetLemma());
    return out;
}

} // namespace

TEST(Sentences, SplittingRules) {
    struct {
        const char16_t* Text;
        std::vector<int32_t> Starts;
    } cases[] = {
        {u"Hi! How are you? Fine.", {0, 3, 16}},
        {u"Pi is 3.14 today.", {0}},
        {u"Wait... what", {0, 7}},
        {u"end. next", {0}},
        {u"end. Next", {0, 5}},
        {u"end.\rNext", {0, 5}},
        {u"Line one\r\rLine two", {0, 10}},
        {u"Line one\r \r  Line two", {0, 13}},
        {u"Why?", {0}},
        {u"", {}},
        // Line feeds and CR LF pairs are line breaks as CR is: a heading and blank lines end
        // a sentence, a single break inside a sentence does not.
        {u"Line one\n\nLine two", {0, 10}},
        {u"Line one\r\n\r\nLine two", {0, 12}},
        {u"Title\n\nThe text goes\non. Next one", {0, 7, 25}},
        {u"end.\nNext", {0, 5}},
        {u"end.\r\nNext", {0, 6}},
        {u"one line\ngoes on", {0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Starts(c.Text), c.Starts) << ZelWideToUtf8(c.Text);
}

TEST(Sentences, PositionsTextsAndTheAnalysisCache) {
    TZelSentenceList list;
    list.SetText(u"Hi! How are you? Fine.");
    EXPECT_EQ(list.IndexAt(0), 0);
    EXPECT_EQ(list.IndexAt(2), 0);
    EXPECT_EQ(list.IndexAt(3), 1);
    EXPECT_EQ(list.IndexAt(100), 2);
    EXPECT_EQ(list.IndexAt(-5), 0);
    EXPECT_EQ(list.GetSentenceText(1), u" How are you?");
    EXPECT_EQ(list.GetSentenceText(2), u" Fine.");
    EXPECT_FALSE(list.GetAnalysis(1));
    list.SetAnalysis(1, Reading(u"x", u"x"));
    EXPECT_TRUE(list.GetAnalysis(1));
    list.SetText(u"Hi! Again.");
    EXPECT_FALSE(list.GetAnalysis(1));
    EXPECT_THROW(list.GetAnalysis(5), EZelListError);
}

TEST(Sentences, AlternativesOrderTheWordItselfFirst) {
    ZelRef<IZelSentenceItem> alternatives = ZelMake<TZelSentenceItem>(ZelItemAlternatives, 0);
    for (const char16_t* lemma : {u"casa", u"caso", u"case"})
        alternatives->Add(Reading(lemma, u"case"));
    EXPECT_EQ(Lemmas(*alternatives), (std::vector<std::u16string>{u"case", u"casa", u"caso"}));
    EXPECT_EQ(alternatives->GetWordForm(), u"case");
    EXPECT_EQ(alternatives->GetLanguage(), 0x10);
    // Homographs by ordinal.
    ZelRef<IZelSentenceItem> homographs = ZelMake<TZelSentenceItem>(ZelItemAlternatives, 0);
    homographs->Add(Reading(u"bank", u"banks", 2));
    homographs->Add(Reading(u"bank", u"banks", 1));
    EXPECT_EQ(homographs->GetItem(0)->GetOrdinal(), 1);
    EXPECT_EQ(homographs->Find(u"bank", 2, 0), homographs->GetItem(1));
    EXPECT_FALSE(homographs->Find(u"bank", 3, 0));
    EXPECT_THROW(Reading(u"a", u"a")->Add(Reading(u"b", u"b")), EZelAssertion);
    // A proper name goes after the common words of a word written in lower case, and keeps
    // its place for a capitalised one.
    ZelRef<IZelSentenceItem> belle = ZelMake<TZelSentenceItem>(ZelItemAlternatives, 0);
    for (const char16_t* lemma : {u"Belle", u"bello"})
        belle->Add(Reading(lemma, u"belle"));
    EXPECT_EQ(Lemmas(*belle), (std::vector<std::u16string>{u"bello", u"Belle"}));
    ZelRef<IZelSentenceItem> capital = ZelMake<TZelSentenceItem>(ZelItemAlternatives, 0);
    for (const char16_t* lemma : {u"bello", u"Belle"})
        capital->Add(Reading(lemma, u"Belle"));
    EXPECT_EQ(Lemmas(*capital), (std::vector<std::u16string>{u"Belle", u"bello"}));
}

TEST(Sentences, SequencesDescriptionsAndSuffixes) {
    ZelRef<IZelSentenceItem> sequence = ZelMake<TZelSentenceItem>(ZelItemSequence, 0);
    ZelRef<IZelSentenceItem> first = Reading(u"il", u"Le");
    first->SetStart(4);
    first->SetLength(2);
    ZelRef<IZelSentenceItem> second = Reading(u"casa", u"case");
    second->SetStart(7);
    second->SetLength(4);
    sequence->Add(first);
    sequence->Add(second);
    EXPECT_EQ(sequence->GetStart(), 4);
    EXPECT_EQ(sequence->GetLength(), 7);
    EXPECT_EQ(sequence->Find(u"il", -1, 0), first);
    EXPECT_FALSE(sequence->Find(u"casa", -1, 0)); // only the first child is searched

    ZelRef<IZelSentenceItem> r = Reading(u"casa", u"case", -1, 2);
    r->AddDescription("");
    EXPECT_EQ(r->GetDescription(), "");
    r->AddDescription("plurale");
    r->AddDescription("femminile plurale");
    r->AddDescription("plurale");
    r->AddDescription("femminile plurale");
    EXPECT_EQ(r->GetDescription(), "plurale\rfemminile plurale");
    EXPECT_EQ(r->GetCatSuffix(), " [n]");
    r->SetCatCode(0);
    EXPECT_EQ(r->GetCatSuffix(), "");
    r->SetCatCode(255);
    EXPECT_EQ(r->GetCatSuffix(), "");
    EXPECT_EQ(r->GetDisplayText(), u"case");
    EXPECT_TRUE(r->GetAuxList());
    EXPECT_EQ(r->GetAuxList(), r->GetAuxList());

    ZelRef<IZelSentenceItem> merged = MergeAlternatives(Reading(u"a", u"x"), Reading(u"b", u"x"));
    EXPECT_EQ(merged->GetKind(), ZelItemAlternatives);
    EXPECT_EQ(MergeAlternatives(merged, Reading(u"c", u"x")), merged);
    EXPECT_EQ(merged->GetCount(), 3);
    EXPECT_EQ(MergeAlternatives(nullptr, merged), merged);
}

TEST(Sentences, PlainTokens) {
    EXPECT_FALSE(PlainTokenize(u""));
    ZelRef<IZelSentenceItem> tokens = PlainTokenize(u"  Ciao, 2003\tamici!");
    std::vector<std::u16string> forms;
    for (int32_t i = 0; i < tokens->GetCount(); ++i)
        forms.push_back(tokens->GetItem(i)->GetWordForm());
    EXPECT_EQ(forms, (std::vector<std::u16string>{u"Ciao", u",", u"2003", u"\t", u"amici", u"!"}));
    EXPECT_EQ(tokens->GetItem(2)->GetStart(), 8);
    EXPECT_EQ(tokens->GetItem(2)->GetOrdinal(), -1);
    EXPECT_EQ(tokens->GetItem(2)->GetKnown(), 0);
}

TEST(Sentences, TextRanges) {
    TZelTextRange a{2, 3}, b{4, 5}, c{5, 1}, empty{3, 0};
    EXPECT_EQ(RangeEnd(a), 5);
    EXPECT_TRUE(RangesOverlap(a, b));
    EXPECT_TRUE(RangesOverlap(b, a));
    EXPECT_FALSE(RangesOverlap(a, c));
    EXPECT_FALSE(RangesOverlap(a, empty));
    EXPECT_TRUE(RangesOverlap(TZelTextRange{7, 1}, TZelTextRange{7, 9}));
    SetRangeEnd(a, 10);
    EXPECT_EQ(a.Length, 8);
    EXPECT_THROW(SetRangeEnd(a, 1), EZelAssertion);
}

TEST(Sentences, WhatANumberIs) {
    for (const auto& [token, kind] :
         std::vector<std::pair<std::u16string, std::string>>{{u"2003", "year"},
                                                             {u"1984", "year"},
                                                             {u"0999", "number"},
                                                             {u"3", "number"},
                                                             {u"8.30", "time"},
                                                             {u"17:05", "time"},
                                                             {u"24.00", "number"}, // no hour 24
                                                             {u"8.300", "number"},
                                                             {u"1.500", "number"},
                                                             {u"2,5", "number"},
                                                             {u"1.", ""},
                                                             {u".5", ""},
                                                             {u"3D", ""},
                                                             {u"-", ""},
                                                             {u"", ""}})
        EXPECT_EQ(ZelNumberKind(token), kind) << ZelWideToUtf8(token);
}

TEST(AddressKind, EMailAndWebAddressesAreTold) {
    for (const auto& [run, kind] : std::vector<std::pair<std::u16string, std::string>>{
             {u"anna@example.org", "e-mail"},
             {u"Anna.Rossi@Mail.Example.IT", "e-mail"},
             {u"http://example.org/a.html", "web"},
             {u"https://x.y/?q=1&r=2", "web"},
             {u"www.repubblica.it", "web"},
             {u"slashdot.org", "web"},
             {u"slashdot.org/comments.pl", "web"},
             {u"www.example.zz", "web"},
             {u"example.zz", ""}, // not a common top-level domain
             {u"e.g", ""},
             {u"anna@", ""},
             {u"@example.org", ""},
             {u"anna@localhost", ""},
             {u"a..org", ""},
             {u"http://", ""},
             {u"8.30", ""}})
        EXPECT_EQ(ZelAddressKind(run), kind) << ZelWideToUtf8(run);
    // Only a dot or an at sign before a letter or digit lets a text hold one.
    EXPECT_TRUE(ZelMayHoldAddress(u"Write to anna@example.org."));
    EXPECT_TRUE(ZelMayHoldAddress(u"see slashdot.org"));
    EXPECT_FALSE(ZelMayHoldAddress(u"The end. Next time, at 8 @ home."));
    EXPECT_FALSE(ZelMayHoldAddress(u"."));
}

// The tokens an analyser cuts a number into are read as the whole number, described as
// what it is in the sentence's language; touching tokens only ("8 . 30" stays apart).
TEST(ReadNumbers, TokensOfANumberBecomeOneReading) {
    auto sentence = [](const std::vector<std::pair<std::u16string, int32_t>>& tokens) {
        ZelRef<IZelSentenceItem> s = ZelMake<TZelSentenceItem>(ZelItemSequence, ZelLangItalian);
        for (const auto& [form, start] : tokens) {
            ZelRef<IZelSentenceItem> r = ZelMake<TZelSentenceItem>(ZelItemReading, ZelLangItalian);
            r->SetWordForm(form);
            r->SetStart(start);
            r->SetLength(int32_t(form.size()));
            s->Add(r);
        }
        return s;
    };
    auto read = [](IZelSentenceItem& s) {
        std::vector<std::string> out;
        for (int32_t i = 0; i < s.GetCount(); ++i)
            out.push_back(ZelWideToUtf8(s.GetItem(i)->GetWordForm()) + "|" +
                          s.GetItem(i)->GetDescription());
        return out;
    };
    // "alle 8.30 del 2003, 12.000 e 8 . 30"
    ZelRef<IZelSentenceItem> s = sentence({{u"alle", 0},
                                           {u"8", 5},
                                           {u".", 6},
                                           {u"30", 7},
                                           {u"del", 10},
                                           {u"2003", 14},
                                           {u",", 18},
                                           {u"12", 20},
                                           {u".", 22},
                                           {u"000", 23},
                                           {u"e", 27},
                                           {u"8", 29},
                                           {u".", 31},
                                           {u"30", 33}});
    ZelReadNumbers(*s, ZelLangItalian);
    EXPECT_EQ(read(*s),
              (std::vector<std::string>{"alle|", "8.30|ora", "del|", "2003|anno", ",|",
                                        "12.000|numero", "e|", "8|numero", ".|", "30|numero"}));
    EXPECT_EQ(s->GetItem(1)->GetStart(), 5);
    EXPECT_EQ(s->GetItem(1)->GetLength(), 4);
    EXPECT_EQ(s->GetItem(1)->GetLemma(), u"8.30");
    ZelRef<IZelSentenceItem> english = sentence({{u"at", 0}, {u"8", 3}, {u":", 4}, {u"30", 5}});
    ZelReadNumbers(*english, ZelLangEnglish);
    EXPECT_EQ(read(*english), (std::vector<std::string>{"at|", "8:30|time"}));
    // Neither a year nor a time: a number in every language.
    ZelRef<IZelSentenceItem> clock =
        sentence({{u"8", 0}, {u":", 1}, {u"30", 2}, {u":", 4}, {u"45", 5}});
    ZelReadNumbers(*clock, ZelLangEnglish);
    EXPECT_EQ(read(*clock), (std::vector<std::string>{"8:30:45|number"}));
}
