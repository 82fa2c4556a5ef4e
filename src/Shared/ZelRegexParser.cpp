#include "ZelRegexParser.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelHelpers.h"
#include "ZelResStrings.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <algorithm>

// ---------------------------------------------------------------------------------------
// Parsing

namespace {

class TParser {
public:
    TParser(const std::u16string& pattern, TZelRegexTree& tree) : P(pattern), Tree(tree) {}

    std::unique_ptr<TZelRegexNode> Parse() {
        auto node = Alternation();
        if (Pos < P.size()) // a ")" without its "("
            Fail(TZelResId::RegexUnbalancedGroup);
        return node;
    }

private:
    [[noreturn]] void Fail(TZelResId reason) const {
        // "Expression is empty." stands alone; every other problem follows the pattern.
        if (reason == TZelResId::RegexExpressionEmpty)
            throw EZelError(ZelLoadStr(reason));
        throw EZelError(ZelFormat(ZelLoadStr(TZelResId::RegexError), {ZelWideToUtf8(P)}) + "\r" +
                        ZelLoadStr(reason));
    }

    bool AtEnd() const { return Pos >= P.size(); }
    char16_t Peek() const { return P[Pos]; }

    // One code point of the pattern (a surrogate pair is one).
    char32_t NextCodePoint() { return ZelNextCodePoint(P, Pos); }

    char32_t Fold(char32_t c) const { return Tree.CaseInsensitive ? ZelRegexLower(c) : c; }

    std::unique_ptr<TZelRegexNode> NewNode(TZelRegexNode::TKind kind) {
        auto node = std::make_unique<TZelRegexNode>();
        node->Kind = kind;
        return node;
    }

    std::unique_ptr<TZelRegexNode> ClassNode(TZelRegexClass cls) {
        Tree.Classes.push_back(std::move(cls));
        auto node = NewNode(TZelRegexNode::Class);
        node->ClassIndex = int32_t(Tree.Classes.size()) - 1;
        return node;
    }

    std::unique_ptr<TZelRegexNode> Literal(char32_t c) {
        TZelRegexClass cls;
        c = Fold(c);
        cls.Ranges.emplace_back(c, c);
        return ClassNode(std::move(cls));
    }

    std::unique_ptr<TZelRegexNode> Alternation() {
        auto first = Sequence();
        if (AtEnd() || Peek() != u'|')
            return first;
        auto alt = NewNode(TZelRegexNode::Alternation);
        alt->Children.push_back(std::move(first));
        while (!AtEnd() && Peek() == u'|') {
            ++Pos;
            alt->Children.push_back(Sequence());
        }
        return alt;
    }

    std::unique_ptr<TZelRegexNode> Sequence() {
        auto seq = NewNode(TZelRegexNode::Concat);
        while (!AtEnd() && Peek() != u'|' && Peek() != u')')
            seq->Children.push_back(Repeated());
        if (seq->Children.size() == 1)
            return std::move(seq->Children[0]);
        if (seq->Children.empty())
            return NewNode(TZelRegexNode::Empty);
        return seq;
    }

    // Every group and every repetition of a repetition is a level of the tree, which the
    // compiler walks recursively: a user's pattern may not nest without limit.
    static constexpr int MaxDepth = 200;

    void EnterLevel() {
        if (++Depth > MaxDepth)
            Fail(TZelResId::RegexNestedTooDeep);
    }

    std::unique_ptr<TZelRegexNode> Repeated() {
        auto atom = Atom();
        int levels = 0;
        struct TLeave {
            int& Depth;
            int& Levels;
            ~TLeave() { Depth -= Levels; }
        } leave{Depth, levels};
        for (;;) {
            if (AtEnd())
                return atom;
            int32_t min = 0, max = -1;
            char16_t c = Peek();
            if (c == u'*') {
                ++Pos;
            } else if (c == u'+') {
                min = 1;
                ++Pos;
            } else if (c == u'?') {
                max = 1;
                ++Pos;
            } else if (c == u'{' && Pos + 1 < P.size() && P[Pos + 1] >= u'0' &&
                       P[Pos + 1] <= u'9') {
                ++Pos;
                RepetitionRange(min, max);
            } else {
                return atom;
            }
            EnterLevel();
            ++levels;
            auto repeat = NewNode(TZelRegexNode::Repeat);
            repeat->Min = min;
            repeat->Max = max;
            repeat->Children.push_back(std::move(atom));
            atom = std::move(repeat);
        }
    }

    int32_t Number() {
        int64_t n = 0;
        while (!AtEnd() && Peek() >= u'0' && Peek() <= u'9') {
            n = n * 10 + (Peek() - u'0');
            if (n > 100000)
                Fail(TZelResId::RegexInvalidRepetition);
            ++Pos;
        }
        return int32_t(n);
    }

    // After "{": m}, m,} or m,n}.
    void RepetitionRange(int32_t& min, int32_t& max) {
        min = Number();
        if (AtEnd())
            Fail(TZelResId::RegexRangeNotClosed);
        if (Peek() == u'}') {
            ++Pos;
            max = min;
        } else if (Peek() == u',') {
            ++Pos;
            max = -1;
            if (!AtEnd() && Peek() >= u'0' && Peek() <= u'9') {
                max = Number();
                if (max < min)
                    Fail(TZelResId::RegexInvalidRepetition);
            }
            if (AtEnd() || Peek() != u'}')
                Fail(TZelResId::RegexRangeNotClosed);
            ++Pos;
        } else {
            Fail(TZelResId::RegexInvalidRepetition);
        }
        // Counted repetitions are written out: keep them to a size a query can afford.
        if (min > 1000 || max > 1000)
            Fail(TZelResId::RegexInvalidRepetition);
    }

    std::unique_ptr<TZelRegexNode> Atom() {
        char16_t c = Peek();
        switch (c) {
        case u'(': {
            ++Pos;
            EnterLevel();
            auto inner = Alternation();
            if (AtEnd() || Peek() != u')')
                Fail(TZelResId::RegexUnbalancedGroup);
            ++Pos;
            --Depth;
            return inner;
        }
        case u'*':
        case u'+':
        case u'?':
            Fail(TZelResId::RegexExpressionEmpty);
        case u'.':
            ++Pos;
            return NewNode(TZelRegexNode::Any);
        case u'^':
            ++Pos;
            return NewNode(TZelRegexNode::LineStart);
        case u'$':
            ++Pos;
            return NewNode(TZelRegexNode::LineEnd);
        case u'[':
            ++Pos;
            return BracketClass();
        case u'\\': {
            ++Pos;
            TZelRegexClass cls;
            Escape(cls, false);
            return ClassNode(std::move(cls));
        }
        default:
            return Literal(NextCodePoint());
        }
    }

    static int HexDigit(char16_t c) { return c < 0x80 ? ZelHexDigitValue(char(c)) : -1; }

    // A code unit written \x, \X, \u or \U with 1 to 4 hexadecimal digits (the letter read).
    char32_t HexUnit() {
        char32_t v = 0;
        for (int n = 0; n < 4 && !AtEnd() && HexDigit(Peek()) >= 0; ++n)
            v = v * 16 + char32_t(HexDigit(P[Pos++]));
        return v;
    }

    uint64_t PropertyList() {
        uint64_t props = 0;
        bool any = false;
        for (;;) {
            if (AtEnd() || Peek() < u'0' || Peek() > u'9') {
                if (!any)
                    Fail(AtEnd() ? TZelResId::RegexUnexpectedEnd : TZelResId::RegexInvalidProperty);
                break;
            }
            int64_t n = 0;
            while (!AtEnd() && Peek() >= u'0' && Peek() <= u'9') {
                n = n * 10 + (P[Pos++] - u'0');
                if (n >= ZelRegexPropertyCount)
                    Fail(TZelResId::RegexInvalidProperty);
            }
            props |= ZelRegexPropertyBit(int(n));
            any = true;
            if (AtEnd() || Peek() != u',' || Pos + 1 >= P.size() || P[Pos + 1] < u'0' ||
                P[Pos + 1] > u'9')
                break;
            ++Pos;
        }
        return props;
    }

    // After "\": adds what the escape stands for to the class. Returns the single
    // character it stands for (for ranges), or -1 for a property set.
    int64_t Escape(TZelRegexClass& cls, bool inClass) {
        if (AtEnd())
            Fail(TZelResId::RegexUnexpectedEnd);
        char16_t c = P[Pos++];
        char32_t single = 0;
        switch (c) {
        case u'a':
            single = 7;
            break;
        case u'b':
            single = 8;
            break;
        case u'f':
            single = 12;
            break;
        case u'n':
            single = 10;
            break;
        case u'r':
            single = 13;
            break;
        case u't':
            single = 9;
            break;
        case u'v':
            single = 11;
            break;
        case u'x':
        case u'X':
        case u'u':
        case u'U':
            if (AtEnd() || HexDigit(Peek()) < 0) {
                single = c; // no digit: the letter itself
            } else {
                single = HexUnit();
                // Two escapes making a surrogate pair are one code point.
                if (U16_IS_LEAD(single) && Pos + 2 < P.size() && P[Pos] == u'\\' &&
                    (P[Pos + 1] == u'x' || P[Pos + 1] == u'X' || P[Pos + 1] == u'u' ||
                     P[Pos + 1] == u'U') &&
                    HexDigit(P[Pos + 2]) >= 0) {
                    size_t save = Pos;
                    Pos += 2;
                    char32_t low = HexUnit();
                    if (U16_IS_TRAIL(low))
                        single = char32_t(U16_GET_SUPPLEMENTARY(single, low));
                    else
                        Pos = save;
                }
            }
            break;
        case u'p':
            cls.Properties |= PropertyList();
            return -1;
        case u'P': {
            uint64_t listed = PropertyList();
            if (inClass) {
                // In a class: every property but those collected so far and the listed ones.
                cls.Properties = ZelRegexAllProperties & ~(cls.Properties | listed);
            } else {
                // Alone: a character that has none of the listed properties.
                cls.Properties = listed;
                cls.Negated = true;
            }
            return -1;
        }
        default:
            Pos--;
            single = NextCodePoint();
        }
        single = Fold(single);
        cls.Ranges.emplace_back(single, single);
        return int64_t(single);
    }

    std::unique_ptr<TZelRegexNode> BracketClass() {
        TZelRegexClass cls;
        if (!AtEnd() && Peek() == u'^') {
            cls.Negated = true;
            ++Pos;
        }
        bool first = true;
        for (;;) {
            if (AtEnd())
                Fail(TZelResId::RegexClassNotClosed);
            char16_t c = Peek();
            if (c == u']' && !first) {
                ++Pos;
                break;
            }
            first = false;
            if (c == u':') {
                bool named = false;
                for (const TZelNamedRegexClass& n : ZelNamedRegexClasses()) {
                    std::u16string_view name(n.Name);
                    if (P.compare(Pos, name.size(), name) == 0) {
                        cls.Properties |= n.Properties;
                        cls.Ranges.insert(cls.Ranges.end(), n.Ranges.begin(), n.Ranges.end());
                        Pos += name.size();
                        named = true;
                        break;
                    }
                }
                if (named)
                    continue;
            }
            int64_t low;
            if (c == u'\\') {
                ++Pos;
                low = Escape(cls, true);
                if (low < 0)
                    continue;
                cls.Ranges.pop_back();
            } else {
                low = int64_t(Fold(NextCodePoint()));
            }
            // A range "low-high", when a "-" and a character other than "]" follow.
            if (Pos + 1 < P.size() && P[Pos] == u'-' && P[Pos + 1] != u']') {
                size_t save = Pos;
                ++Pos;
                int64_t high;
                if (Peek() == u'\\') {
                    ++Pos;
                    TZelRegexClass scratch;
                    high = Escape(scratch, true);
                } else {
                    high = int64_t(Fold(NextCodePoint()));
                }
                if (high >= 0) {
                    if (high < low)
                        std::swap(low, high);
                    cls.Ranges.emplace_back(char32_t(low), char32_t(high));
                    continue;
                }
                Pos = save; // "\p" after "-": the "-" is literal
            }
            cls.Ranges.emplace_back(char32_t(low), char32_t(low));
        }
        return ClassNode(std::move(cls));
    }

    const std::u16string& P;
    TZelRegexTree& Tree;
    int Depth = 0;
    size_t Pos = 0;
};

} // namespace

TZelRegexTree ZelParseRegex(const std::u16string& pattern, bool caseInsensitive) {
    TZelRegexTree tree;
    tree.CaseInsensitive = caseInsensitive;
    if (!pattern.empty())
        tree.Root = TParser(pattern, tree).Parse();
    return tree;
}
