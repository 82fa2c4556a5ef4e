#include "KVSpeller.h"
#include "KVSpellerEngines.h"
#include "ZelAdvSpeller.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::vector<std::u16string> All(TKVSpellerEngine& engine, const std::u16string& word) {
    std::vector<std::u16string> out;
    if (!engine.Start(word.data(), int32_t(word.size()), nullptr))
        return out;
    while (engine.Next())
        out.emplace_back(engine.GetOutput(), size_t(engine.GetOutputLength()));
    return out;
}

class TWords : public TZelInterfacedObject, public virtual IZelWordChecker {
public:
    explicit TWords(std::set<std::u16string> words) : Words(std::move(words)) {}
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelWordChecker::IID)
            return static_cast<IZelWordChecker*>(this);
        return TZelInterfacedObject::QueryInterface(iid);
    }
    bool WordExists(const char16_t* text, int32_t length) override {
        return Words.count(std::u16string(text, size_t(length))) > 0;
    }
    bool WordExists(const std::u16string& text) override { return Words.count(text) > 0; }
    std::set<std::u16string> Words;
};

std::vector<std::u16string> Suggestions(IZelSpeller& speller, uint8_t mode,
                                        const std::u16string& word) {
    std::vector<std::u16string> out;
    const char16_t* s = nullptr;
    int32_t n = 0;
    for (uint8_t r = speller.Spell(mode, word.data(), int32_t(word.size()), 0, &s, &n);
         r == ZelSpellSuggestion;
         r = speller.Spell(ZelSpellNext, word.data(), int32_t(word.size()), 0, &s, &n))
        out.emplace_back(s, size_t(n));
    return out;
}

} // namespace

TEST(SpellerEngines, CandidateOrders) {
    TKVSpEnSwap swap;
    EXPECT_EQ(All(swap, u"aab"), (std::vector<std::u16string>{u"aba"}));
    EXPECT_EQ(All(swap, u"abcd"), (std::vector<std::u16string>{u"abdc", u"acbd", u"bacd"}));
    EXPECT_EQ(All(swap, u"abbc"), (std::vector<std::u16string>{u"abcb", u"babc"}));
    EXPECT_TRUE(All(swap, u"a").empty());

    TKVSpEnDelete del;
    EXPECT_EQ(All(del, u"abbc"), (std::vector<std::u16string>{u"abb", u"abc", u"bbc"}));
    EXPECT_TRUE(All(del, u"a").empty());

    TKVSpEnChange change;
    change.Alphabet = u"abc";
    EXPECT_EQ(All(change, u"ab"), (std::vector<std::u16string>{u"aa", u"ac"}));
    EXPECT_EQ(All(change, u"abc"), (std::vector<std::u16string>{u"aba", u"abb", u"aac", u"acc"}));
    change.ChangeFirstLetter = true;
    EXPECT_EQ(All(change, u"ab"), (std::vector<std::u16string>{u"aa", u"ac", u"bb", u"cb"}));

    TKVSpEnInsert insert;
    std::vector<std::u16string> ab = All(insert, u"ab");
    std::vector<std::u16string> expected;
    for (char16_t c = u'a'; c <= u'z'; ++c)
        expected.push_back(std::u16string(u"ab") + c);
    for (char16_t c = u'a'; c <= u'z'; ++c)
        if (c != u'b')
            expected.push_back(std::u16string(u"a") + c + u"b");
    EXPECT_EQ(ab, expected);

    TKVSpEnAnagram anagram;
    EXPECT_EQ(All(anagram, u"abc"),
              (std::vector<std::u16string>{u"acb", u"bac", u"bca", u"cab", u"cba"}));
    EXPECT_EQ(All(anagram, u"aab"), (std::vector<std::u16string>{u"aba", u"baa"}));
    EXPECT_EQ(All(anagram, u"ab"), (std::vector<std::u16string>{u"ba"}));
    EXPECT_TRUE(All(anagram, u"aa").empty());
    EXPECT_TRUE(All(anagram, u"a").empty());
    EXPECT_EQ(All(anagram, u"abcd").size(), 23u);
}

TEST(Speller, TestsAndSuggestsThroughItsCheckers) {
    TZelAdvSpeller holder;
    IZelSpeller& speller = holder.GetSpeller();
    const char16_t* s = nullptr;
    int32_t n = 0;
    EXPECT_EQ(speller.Spell(ZelSpellTest, u"casa", 4, 0, &s, &n), ZelSpellRejected); // no checker
    holder.SetChecker(
        0, ZelMake<TWords>(std::set<std::u16string>{u"casa", u"cassa", u"cas", u"asac"}));
    EXPECT_EQ(speller.Spell(ZelSpellTest, u"casa", 4, 0, &s, &n), ZelSpellRejected); // count 0
    holder.SetCheckerCount(1);
    EXPECT_EQ(speller.Spell(ZelSpellTest, u"casa", 4, 0, &s, &n), ZelSpellAccepted);
    EXPECT_EQ(speller.Spell(ZelSpellTest, u"cosa", 4, 0, &s, &n), ZelSpellRejected);
    // "csaa": swap gives casa; change, delete and insert find nothing more here.
    EXPECT_EQ(Suggestions(speller, ZelSpellStart, u"csaa"), (std::vector<std::u16string>{u"casa"}));
    // Change (a letter replaced) comes before delete, where dropping either of two equal
    // letters gives one candidate.
    EXPECT_EQ(Suggestions(speller, ZelSpellStart, u"casaa"),
              (std::vector<std::u16string>{u"cassa", u"casa"}));
    EXPECT_EQ(Suggestions(speller, ZelSpellStart, u"casa"),
              (std::vector<std::u16string>{u"cas", u"cassa"}));
    EXPECT_EQ(Suggestions(speller, ZelSpellStartAnagram, u"casa"),
              (std::vector<std::u16string>{u"asac"}));
    EXPECT_EQ(speller.Spell(ZelSpellStartAnagram, u"abcdefghij", 10, 0, &s, &n),
              ZelSpellNoSuggestion);
    EXPECT_EQ(speller.Spell(ZelSpellNext, u"x", 1, 0, &s, &n), ZelSpellNoSuggestion);
    EXPECT_THROW_MSG(speller.Spell(7, u"x", 1, 0, &s, &n), EZelSpeller,
                     "Spell Checker Error Code 2:133");
    speller.SetOptions(42);
    EXPECT_EQ(speller.GetOptions(), 42);
    EXPECT_EQ(speller.GetReserved1(), 0);

    // No real word is longer than 64 letters: longer ones get no suggestions, at once.
    std::u16string longWord(8000, u'a');
    EXPECT_EQ(speller.Spell(ZelSpellStart, longWord.data(), int32_t(longWord.size()), 0, &s, &n),
              ZelSpellNoSuggestion);
    std::u16string sixtyFour(63, u'a');
    sixtyFour += u'x';
    holder.SetChecker(1, ZelMake<TWords>(std::set<std::u16string>{std::u16string(64, u'a')}));
    EXPECT_EQ(speller.Spell(ZelSpellStart, sixtyFour.data(), 64, 0, &s, &n), ZelSpellSuggestion);

    // A second checker, on a grown array.
    holder.SetChecker(2, ZelMake<TWords>(std::set<std::u16string>{u"cosa"}));
    EXPECT_EQ(speller.Spell(ZelSpellTest, u"cosa", 4, 0, &s, &n), ZelSpellAccepted);
}
