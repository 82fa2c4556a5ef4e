#include "ZelURESearch.h"
#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

std::string Find(const std::u16string& pattern, const std::u16string& text,
                 uint32_t options = ZelRegexCaseSensitive) {
    TZelURESearch re;
    re.Compile(pattern, options);
    int32_t start = -1, end = -1;
    if (!re.FindText(text, start, end))
        return "none";
    return std::to_string(start) + "," + std::to_string(end);
}

std::string CompileError(const std::u16string& pattern) {
    try {
        TZelURESearch re;
        re.Compile(pattern, ZelRegexCaseSensitive);
    } catch (const EZelError& e) {
        std::string message = e.what();
        return message.substr(message.find('\r') + 1);
    }
    return "compiled";
}

// ---------------------------------------------------------------------------------------
// The reference: the depth-first walk of the parsed pattern, collecting every end a match
// from a position can reach. Exponential, so kept to small patterns and texts.

class TReference {
public:
    TReference(const TZelRegexTree& tree, const std::u16string& text) : Tree(tree), Text(text) {}

    std::set<int32_t> Ends(const TZelRegexNode& node, int32_t pos) const {
        int32_t n = int32_t(Text.size());
        switch (node.Kind) {
        case TZelRegexNode::Empty:
            return {pos};
        case TZelRegexNode::Class:
        case TZelRegexNode::Any: {
            if (pos >= n)
                return {};
            char32_t c = Text[size_t(pos)];
            bool in = node.Kind == TZelRegexNode::Any
                          ? !ZelIsLineSeparator(c)
                          : Tree.Classes[size_t(node.ClassIndex)].Contains(
                                Tree.CaseInsensitive ? ZelRegexLower(c) : c);
            return in ? std::set<int32_t>{pos + 1} : std::set<int32_t>{};
        }
        case TZelRegexNode::LineStart: {
            std::set<int32_t> ends;
            if (pos == 0)
                ends.insert(pos);
            if (pos < n && ZelIsLineSeparator(Text[size_t(pos)]))
                ends.insert(Text[size_t(pos)] == u'\r' && pos + 1 < n &&
                                    Text[size_t(pos) + 1] == u'\n'
                                ? pos + 2
                                : pos + 1);
            return ends;
        }
        case TZelRegexNode::LineEnd:
            return pos == n || ZelIsLineSeparator(Text[size_t(pos)]) ? std::set<int32_t>{pos}
                                                                     : std::set<int32_t>{};
        case TZelRegexNode::Concat: {
            std::set<int32_t> current{pos};
            for (const auto& child : node.Children) {
                std::set<int32_t> next;
                for (int32_t p : current)
                    for (int32_t e : Ends(*child, p))
                        next.insert(e);
                current = next;
            }
            return current;
        }
        case TZelRegexNode::Alternation: {
            std::set<int32_t> ends;
            for (const auto& child : node.Children)
                for (int32_t e : Ends(*child, pos))
                    ends.insert(e);
            return ends;
        }
        case TZelRegexNode::Repeat: {
            std::set<int32_t> current{pos}, result;
            for (int32_t k = 0;; ++k) {
                if (k >= node.Min)
                    result.insert(current.begin(), current.end());
                if (node.Max >= 0 && k >= node.Max)
                    break;
                std::set<int32_t> next;
                for (int32_t p : current)
                    for (int32_t e : Ends(*node.Children[0], p))
                        next.insert(e);
                if (k >= node.Min &&
                    std::includes(result.begin(), result.end(), next.begin(), next.end()))
                    break; // nothing new can be reached
                current = next;
                if (current.empty())
                    break;
            }
            return result;
        }
        }
        return {};
    }

    std::string Find() const {
        int32_t n = int32_t(Text.size());
        if (!Tree.Root)
            return n > 0 ? "0,0" : "none";
        for (int32_t s = 0; s < std::max(n, 1); ++s) {
            std::set<int32_t> ends = Ends(*Tree.Root, s);
            if (n == 0 && !AnchorsOnly(*Tree.Root))
                return "none";
            if (!ends.empty())
                return std::to_string(s) + "," + std::to_string(*ends.rbegin());
        }
        return "none";
    }

private:
    static bool AnchorsOnly(const TZelRegexNode& node) {
        if (node.Kind == TZelRegexNode::Class || node.Kind == TZelRegexNode::Any)
            return false;
        for (const auto& child : node.Children)
            if (!AnchorsOnly(*child))
                return false;
        return true;
    }

    const TZelRegexTree& Tree;
    const std::u16string& Text;
};

std::u16string RandomPattern(std::mt19937& random, int depth) {
    auto pick = [&](int n) { return int(random() % uint32_t(n)); };
    std::u16string out;
    int items = 1 + pick(3);
    for (int i = 0; i < items; ++i) {
        std::u16string atom;
        switch (pick(depth > 0 ? 11 : 8)) {
        case 0:
            atom = u"a";
            break;
        case 1:
            atom = u"b";
            break;
        case 2:
            atom = u".";
            break;
        case 3:
            atom = u"[ab]";
            break;
        case 4:
            atom = u"[^a]";
            break;
        case 5:
            atom = u"^";
            break;
        case 6:
            atom = u"$";
            break;
        case 7:
            atom = u"A";
            break;
        case 8:
            atom = u"(" + RandomPattern(random, depth - 1) + u")";
            break;
        case 9:
            atom = u"(" + RandomPattern(random, depth - 1) + u"|" +
                   RandomPattern(random, depth - 1) + u")";
            break;
        default:
            atom = u"()";
            break;
        }
        if (atom != u"^" && atom != u"$") {
            switch (pick(8)) {
            case 0:
                atom += u"*";
                break;
            case 1:
                atom += u"+";
                break;
            case 2:
                atom += u"?";
                break;
            case 3:
                atom += u"{1,2}";
                break;
            case 4:
                atom += u"{2}";
                break;
            default:
                break;
            }
        }
        out += atom;
    }
    return out;
}

} // namespace

TEST(Regex, MatchesLeftmostLongest) {
    EXPECT_EQ(Find(u"ab*", u"xabbbc"), "1,5");
    EXPECT_EQ(Find(u"a*", u"bbb"), "0,0");
    EXPECT_EQ(Find(u"a*", u""), "none");
    EXPECT_EQ(Find(u"^$", u""), "0,0");
    EXPECT_EQ(Find(u"a.b", u"a\nb"), "none");
    EXPECT_EQ(Find(u"a^b", u"a\r\nb"), "0,4");
    EXPECT_EQ(Find(u"a$", u"xa\ny"), "1,2");
    EXPECT_EQ(Find(u"$", u"abc"), "none");
    EXPECT_EQ(Find(u"b|abc", u"abc"), "0,3");
    EXPECT_EQ(Find(u"(a|ab)(c|bcd)", u"abcd"), "0,4");
    EXPECT_EQ(Find(u"x{2,3}", u"xxxxx"), "0,3");
    EXPECT_EQ(Find(u"x{2,}", u"xxxxx"), "0,5");
    EXPECT_EQ(Find(u"ÉTÉ", u"été", 0), "0,3");
    EXPECT_EQ(Find(u"[A-C]+", u"xbca", 0), "1,4");
    EXPECT_EQ(Find(u"ÉTÉ", u"été"), "none");
    EXPECT_EQ(Find(u"\\u00e9\\x41", u"xéA"), "1,3");
    EXPECT_EQ(Find(u"\\uD83D\\uDE00.", u"a😀b"), "1,4"); // a pair is one code point
    EXPECT_EQ(Find(u".", u"😀"), "0,2");
    EXPECT_EQ(Find(u"\\d\\w", u"dw"), "0,2"); // unknown escapes are literal
    EXPECT_EQ(Find(u"a{x", u"a{x"), "0,3");
    EXPECT_EQ(Find(u"[]a]+", u"x]a]"), "1,4");
    EXPECT_EQ(Find(u"[a-]+", u"x-a-"), "1,4");
    EXPECT_EQ(Find(u"[:alpha:-]+", u"12 mother-in-law!"), "3,16");
    EXPECT_EQ(Find(u"[:digit:]+", u"ab 2023"), "3,7");
    EXPECT_EQ(Find(u"[:x]+", u"a:x"), "1,3"); // ":" not starting a name
    EXPECT_EQ(Find(u"\\p0,6+", u"abC3d"), "2,4");
    EXPECT_EQ(Find(u"\\p0,6", u"abC3d"), "2,3");
    EXPECT_EQ(Find(u"[\\p6]+", u"ab12c"), "2,4");
    EXPECT_EQ(Find(u"\\P1", u"abC"), "2,3");
    // In a class, "\P" stands for every other property, those of other families included:
    // an upper-case letter is still left-to-right.
    EXPECT_EQ(Find(u"[\\p1\\P0]", u"Ab1"), "0,1");
    EXPECT_EQ(Find(u"[:space:]", u"a\tb"), "1,2");
}

TEST(Regex, ErrorsNameTheProblem) {
    EXPECT_EQ(CompileError(u"abc\\"), "Unexpected end of pattern.");
    EXPECT_EQ(CompileError(u"[abc"), "Character class not closed, ']' is missing.");
    EXPECT_EQ(CompileError(u"(abc"), "Unbalanced group expression, ')' is missing.");
    EXPECT_EQ(CompileError(u"abc)"), "Unbalanced group expression, ')' is missing.");
    EXPECT_EQ(CompileError(u"\\p55"), "A character property is invalid");
    EXPECT_EQ(CompileError(u"a{3,2}"), "Invalid repetition range.");
    EXPECT_EQ(CompileError(u"a{3x}"), "Invalid repetition range.");
    EXPECT_EQ(CompileError(u"a{3,4"), "Repetition range not closed, '}' is missing.");
    EXPECT_EQ(CompileError(u"*a"), "Expression is empty.");
    try { // shown alone, without the pattern
        TZelURESearch re;
        re.Compile(u"*a", ZelRegexCaseSensitive);
    } catch (const EZelError& e) {
        EXPECT_EQ(std::string(e.what()), "Expression is empty.");
    }
    EXPECT_EQ(CompileError(u"((((a{1000}){1000}){1000}){1000})"), "Invalid repetition range.");
    EXPECT_EQ(CompileError(u"a*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+*+"),
              "compiled");
    EXPECT_EQ(CompileError(u""), "compiled");
    // Deep nesting is refused with the pattern's error, never a stack overflow.
    EXPECT_EQ(CompileError(std::u16string(12000, u'(') + u"a" + std::u16string(12000, u')')),
              "Groups and repetitions are nested too deeply.");
    EXPECT_EQ(CompileError(u"a" + std::u16string(100000, u'*')),
              "Groups and repetitions are nested too deeply.");
    EXPECT_EQ(CompileError(std::u16string(150, u'(') + u"a*" + std::u16string(150, u')')),
              "compiled");
    try {
        TZelURESearch re;
        re.Compile(u"(x", ZelRegexCaseSensitive);
    } catch (const EZelError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Error in regular expression: (x\rUnbalanced group expression, ')' is missing.");
    }
}

TEST(Regex, FindAllAndEmptyPatterns) {
    TZelURESearch re;
    re.Compile(u"a", ZelRegexCaseSensitive);
    std::u16string banana = u"banana";
    ASSERT_TRUE(re.FindAll(banana.data(), 6));
    ASSERT_EQ(re.GetResultCount(), 3);
    int32_t s, e;
    re.GetResult(2, s, e);
    EXPECT_EQ(s, 5);
    EXPECT_EQ(e, 6);
    // An anchored pattern found once, not again at each later start.
    re.Compile(u"^a", ZelRegexCaseSensitive);
    std::u16string aaa = u"aaa";
    re.FindAll(aaa.data(), 3);
    EXPECT_EQ(re.GetResultCount(), 1);
    re.Compile(u"", ZelRegexCaseSensitive);
    EXPECT_TRUE(re.Find(aaa.data(), 3, s, e));
    EXPECT_EQ(s, 0);
    EXPECT_EQ(e, 0);
    EXPECT_FALSE(re.Find(aaa.data(), 0, s, e));
}

TEST(Regex, PathologicalPatternsStayFast) {
    std::u16string text(10000, u'a');
    for (const char16_t* pattern : {u"(a*)*b", u"(a|aa)*c", u"(a|a)*b", u".*.*.*.*.*b"}) {
        EXPECT_EQ(Find(pattern, text), "none") << ZelWideToUtf8(pattern);
        TZelURESearch re;
        re.Compile(pattern, ZelRegexCaseSensitive);
        EXPECT_FALSE(re.Matches(text.data(), int32_t(text.size())));
    }
    EXPECT_EQ(Find(u"(a*)*", text), "0,10000");
}

TEST(Regex, WildcardsAndWholeWords) {
    EXPECT_EQ(WildcardToRegex(u"a.b*", ZelWildcardAnchored, u""), u"^a\\.b.*$");
    EXPECT_EQ(WildcardToRegex(u"a.b*", ZelWildcardSubstring, u""), u"a\\.b.*");
    EXPECT_EQ(WildcardToRegex(u"c?t", ZelWildcardWord, u""), u"c[:alpha:-]t");
    EXPECT_EQ(WildcardToRegex(u"[aeiou]x", ZelWildcardAnchored, u"-[]"), u"^[aeiou]x$");
    EXPECT_EQ(WildcardToRegex(u"[aeiou]x", ZelWildcardAnchored, u""), u"^\\[aeiou\\]x$");
    EXPECT_EQ(WildcardToRegex(u"cat|dog", ZelWildcardAnchored, u""), u"^cat|dog$");
    EXPECT_EQ(Find(u"^cat|dog$", u"hotdog"), "3,6");

    std::u16string t = u"concat cat";
    EXPECT_FALSE(ZelIsWholeWordMatch(t.data(), 10, 3, 6));
    EXPECT_TRUE(ZelIsWholeWordMatch(t.data(), 10, 7, 10));
    std::u16string like = u"cat-like";
    EXPECT_FALSE(ZelIsWholeWordMatch(like.data(), 8, 0, 3));
    EXPECT_TRUE(ZelIsWholeWordMatch(like.data(), 8, 0, 8));
}

TEST(Regex, AgreesWithTheBacktrackingReference) {
    std::mt19937 random(20261209);
    const char16_t alphabet[] = {u'a', u'b', u'\n', u'A', u'\r'};
    int compared = 0;
    for (int p = 0; p < 10000; ++p) {
        std::u16string pattern = RandomPattern(random, 2);
        bool caseInsensitive = random() % 4 == 0;
        TZelURESearch re;
        re.Compile(pattern, caseInsensitive ? 0u : uint32_t(ZelRegexCaseSensitive));
        TZelRegexTree tree = ZelParseRegex(pattern, caseInsensitive);
        for (int t = 0; t < 10; ++t) {
            std::u16string text;
            for (int n = int(random() % 9); n > 0; --n)
                text += alphabet[random() % 5];
            int32_t s = -1, e = -1;
            std::string got =
                re.FindText(text, s, e) ? std::to_string(s) + "," + std::to_string(e) : "none";
            std::string expected = TReference(tree, text).Find();
            ASSERT_EQ(re.Matches(text.data(), int32_t(text.size())), expected != "none")
                << "pattern " << ZelWideToUtf8(pattern) << " text " << ZelWideToUtf8(text);
            ASSERT_EQ(got, expected)
                << "pattern " << ZelWideToUtf8(pattern) << " text " << ZelWideToUtf8(text)
                << (caseInsensitive ? std::string(" (any case)") : std::string());
            ++compared;
        }
    }
    EXPECT_EQ(compared, 100000);
}
