#include "ZelExp.h"
#include "ZelErrors.h"
#include "ZelResStrings.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// A subject that the test repoints, and the hits it receives.
struct TSubject {
    std::u16string Text;
    ZelRef<TZelExpWideStringPtr> Exp = ZelMake<TZelExpWideStringPtr>(&Text);
    std::vector<std::pair<int32_t, int32_t>> Hits;
    TSubject() {
        Exp->SetHitSink([this](int32_t s, int32_t n) { Hits.emplace_back(s, n); });
    }
    bool Is(const TZelExpRef& condition, const std::u16string& text) {
        Text = text;
        return condition->AsBoolean();
    }
};

TZelExpRef Subset(std::vector<int32_t> entries, int32_t* current) {
    return ZelMake<TZelExpBoolFilterSubsetOwned>([current] { return *current; },
                                                 std::move(entries));
}

std::vector<int32_t> Items(const TZelExpRef& filter) {
    auto* f = dynamic_cast<TZelExpBoolFilter*>(filter->GetObject());
    std::vector<int32_t> out;
    for (int32_t i = 0; f && i < f->Count(); ++i)
        out.push_back(f->ItemAt(i));
    return out;
}

TZelExpRef Anagram(TSubject& s, int32_t extra, int32_t delta, const char16_t* pattern) {
    return ZelMake<TZelExpBoolAnagramOf>(s.Exp, extra, delta,
                                         ZelMake<TZelExpWideStringConst>(pattern));
}

class TChecker : public TZelInterfacedObject, public virtual IZelWordChecker {
public:
    bool WordExists(const char16_t* t, int32_t n) override {
        return WordExists(std::u16string(t, size_t(n)));
    }
    bool WordExists(const std::u16string& t) override { return t == u"roma" || t == u"ada"; }
};

} // namespace

TEST(Exp, ConstantsFoldAndSubsetsMerge) {
    TSubject s;
    TZelExpRef c = ZelMake<TZelExpBoolLengthIs>(s.Exp, 3);
    EXPECT_EQ(MakeAnd(ZelExpTrue(), c), c);
    EXPECT_EQ(MakeAnd(c, ZelExpFalse()), ZelExpFalse());
    EXPECT_EQ(MakeOr(c, ZelExpFalse()), c);
    EXPECT_EQ(MakeOr(ZelExpTrue(), c), ZelExpTrue());
    EXPECT_EQ(MakeNot(ZelExpTrue()), ZelExpFalse());
    TZelExpRef twice = MakeNot(MakeNot(c));
    EXPECT_EQ(twice->GetKind(), okNot);
    EXPECT_EQ(dynamic_cast<TZelExpBoolNot*>(twice->GetObject())->Operand->GetKind(), okNot);

    int32_t current = 0;
    TZelExpRef a = Subset({1, 4, 9}, &current), b = Subset({4, 5}, &current);
    TZelExpRef both = MakeOr(a, b);
    EXPECT_EQ(both->GetKind(), okFilter);
    EXPECT_EQ(Items(both), (std::vector<int32_t>{1, 4, 5, 9}));
    EXPECT_EQ(MakeAnd(a, b)->GetKind(), okAnd);
    for (current = 0; current < 10; ++current)
        EXPECT_EQ(both->AsBoolean(), current == 1 || current == 4 || current == 5 || current == 9);
    EXPECT_FALSE(Subset({}, &current)->AsBoolean());
    EXPECT_EQ(ZelOpCaption(okAnagramOf), "anagram of");
    // Captions are resource strings: the interface language shows them.
    ZelSetResStringProvider([](TZelResId id) -> std::optional<std::string> {
        if (id == TZelResId::OpAnagramOf)
            return std::string("anagramma di");
        return std::nullopt;
    });
    EXPECT_EQ(ZelOpCaption(okAnagramOf), "anagramma di");
    EXPECT_EQ(ZelOpCaption(okBeginsWith), "begins with");
    ZelSetResStringProvider(nullptr);
    EXPECT_EQ(c->GetCaption(), "length is");
}

TEST(Exp, RequiredLengths) {
    TSubject s;
    TZelExpRef five = ZelMake<TZelExpBoolLengthIs>(s.Exp, 5),
               six = ZelMake<TZelExpBoolLengthIs>(s.Exp, 6);
    EXPECT_EQ(MakeAnd(five, Anagram(s, 0, 0, u"amore"))->GetRequiredLength(), 5);
    EXPECT_EQ(MakeAnd(five, six)->GetRequiredLength(), 0);
    EXPECT_EQ(MakeOr(five, six)->GetRequiredLength(), ZelAnyLength);
    EXPECT_EQ(MakeAnd(five, ZelMake<TZelExpBoolIsPalindrome>(s.Exp))->GetRequiredLength(), 5);
    EXPECT_EQ(Anagram(s, 1, 1, u"amor")->GetRequiredLength(), 5);
}

TEST(Exp, AnagramFamily) {
    TSubject s;
    TZelExpRef anagram = Anagram(s, 0, 0, u"amor"), discard = Anagram(s, 0, -1, u"amor"),
               exchange = Anagram(s, 1, 0, u"amor"), wedge = Anagram(s, 1, 1, u"amor");
    EXPECT_TRUE(s.Is(anagram, u"roma"));
    EXPECT_FALSE(s.Is(anagram, u"rama"));
    EXPECT_FALSE(s.Is(anagram, u"Roma")); // an upper-case letter matches only itself
    EXPECT_TRUE(s.Is(exchange, u"rima"));
    EXPECT_FALSE(s.Is(exchange, u"roma"));
    for (const char16_t* w : {u"mor", u"moa", u"amo"})
        EXPECT_TRUE(s.Is(discard, w));
    EXPECT_TRUE(s.Is(wedge, u"amaro"));
    TZelExpRef citta = Anagram(s, 0, 0, u"città");
    EXPECT_TRUE(s.Is(citta, u"citta"));
    EXPECT_TRUE(s.Is(citta, u"città"));
    EXPECT_EQ(FoldAccentedVowel(u'ù'), u'u');
    EXPECT_EQ(FoldAccentedVowel(u'È'), u'È'); // only upper-case A is folded
}

TEST(Exp, WordShapes) {
    TSubject s;
    TZelExpRef palindrome = ZelMake<TZelExpBoolIsPalindrome>(s.Exp);
    EXPECT_FALSE(s.Is(palindrome, u"a"));
    EXPECT_TRUE(s.Is(palindrome, u"aa"));
    EXPECT_FALSE(s.Is(palindrome, u"Anna"));
    TZelExpRef doubleFaced = ZelMake<TZelExpBoolIsDoubleFaced>(s.Exp, ZelMake<TChecker>());
    EXPECT_TRUE(s.Is(doubleFaced, u"amor"));
    EXPECT_TRUE(s.Is(doubleFaced, u"ada")); // a palindrome that is a word
    EXPECT_FALSE(s.Is(doubleFaced, u"casa"));
}

TEST(Exp, TextConditionsAndHits) {
    TSubject s;
    TZelExpRef begins = ZelMake<TZelExpBoolBeginsWith>(s.Exp, false, "CAS");
    TZelExpRef ends = ZelMake<TZelExpBoolEndsWith>(s.Exp, true, "sa");
    TZelExpRef contains = ZelMake<TZelExpBoolContains>(s.Exp, false, "ab");
    EXPECT_TRUE(s.Is(begins, u"casa"));
    EXPECT_FALSE(s.Is(begins, u"ca"));
    EXPECT_TRUE(s.Is(ends, u"casa"));
    EXPECT_FALSE(s.Is(ends, u"casA"));
    EXPECT_TRUE(s.Is(contains, u"xABab"));
    contains->CollectHits();
    EXPECT_EQ(s.Hits, (std::vector<std::pair<int32_t, int32_t>>{{1, 2}, {3, 2}}));

    TZelExpRef eq = ZelMake<TZelExpBoolEqInt>(s.Exp, ZelMake<TZelExpIntConst>(42));
    EXPECT_TRUE(s.Is(eq, u"42"));
    EXPECT_FALSE(s.Is(eq, u"x"));
    TZelExpRef flag = ZelMake<TZelExpAnsiStringConst>("maybe", 1252);
    EXPECT_THROW(flag->AsBoolean(), EZelConvertError);
    EXPECT_EQ(flag->AsInteger(), 0);
    EXPECT_THROW(ZelMake<TZelExpIntConst>(1)->AsPChar(), EZelAssertion);
}

TEST(Exp, PatternsWholeWordsAndNear) {
    TSubject s;
    TZelExpRef cat = ZelMake<TZelExpBoolRE>(s.Exp, true, false, u"cat");
    EXPECT_TRUE(s.Is(cat, u"concat cat"));
    EXPECT_FALSE(s.Is(cat, u"concatenate"));
    EXPECT_FALSE(s.Is(cat, u"cat-like"));
    TZelExpRef a = ZelMake<TZelExpBoolRE>(s.Exp, false, true, u"a");
    s.Text = u"banana";
    a->CollectHits();
    EXPECT_EQ(s.Hits, (std::vector<std::pair<int32_t, int32_t>>{{1, 1}, {3, 1}, {5, 1}}));

    auto word = [&](const char16_t* p) { return ZelMake<TZelExpBoolRE>(s.Exp, true, false, p); };
    TZelExpRef near0 = ZelMake<TZelExpBoolNear>(s.Exp, 0, word(u"ship"), word(u"broken"));
    TZelExpRef near1 = ZelMake<TZelExpBoolNear>(s.Exp, 1, word(u"ship"), word(u"broken"));
    EXPECT_TRUE(s.Is(near0, u"the ship broken"));
    EXPECT_FALSE(s.Is(near0, u"the ship was broken"));
    EXPECT_TRUE(s.Is(near1, u"the ship was broken"));
    s.Hits.clear();
    near1->CollectHits();
    EXPECT_EQ(s.Hits, (std::vector<std::pair<int32_t, int32_t>>{{4, 4}, {13, 6}}));
    EXPECT_EQ(ZelWordDistance(u"abcdef", {0, 3}, {2, 2}), -1);
    EXPECT_THROW(ZelMake<TZelExpBoolRE>(s.Exp, false, false, u"(x"), EZelError);
}

TEST(Exp, OrBuilderCollectsEntries) {
    int32_t current = 2;
    TZelOrBuilder builder(10);
    EXPECT_EQ(builder.Build([&] { return current; }), ZelExpFalse());
    int32_t first[] = {5, 2, 9};
    int32_t second[] = {2, 3};
    builder.AddEntries(first, 3);
    builder.AddEntries(second, 2);
    EXPECT_EQ(builder.GetCount(), 4);
    TZelExpRef filter = builder.Build([&] { return current; });
    EXPECT_EQ(Items(filter), (std::vector<int32_t>{2, 3, 5, 9}));
    EXPECT_TRUE(filter->AsBoolean());
    int32_t bad[] = {10};
    EXPECT_THROW(builder.AddEntries(bad, 1), EZelStreamError);
}
