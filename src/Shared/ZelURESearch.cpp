#include "ZelURESearch.h"

#include "ZelHelpers.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"
#include "ZelUtils.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <map>
#include <unordered_map>

// ---------------------------------------------------------------------------------------
// Character properties

namespace {

constexpr int PropertyCount = 55;
constexpr uint64_t AllProperties = (uint64_t(1) << PropertyCount) - 1;

uint64_t Bit(int n) {
    return uint64_t(1) << n;
}

// The general category numbers of the dialect, 0 to 29, from ICU's categories.
int CategoryProperty(char32_t c) {
    switch (u_charType(UChar32(c))) {
    case U_UPPERCASE_LETTER:
        return 0;
    case U_LOWERCASE_LETTER:
        return 1;
    case U_TITLECASE_LETTER:
        return 2;
    case U_NON_SPACING_MARK:
        return 3;
    case U_COMBINING_SPACING_MARK:
        return 4;
    case U_ENCLOSING_MARK:
        return 5;
    case U_DECIMAL_DIGIT_NUMBER:
        return 6;
    case U_LETTER_NUMBER:
        return 7;
    case U_OTHER_NUMBER:
        return 8;
    case U_SPACE_SEPARATOR:
        return 9;
    case U_LINE_SEPARATOR:
        return 10;
    case U_PARAGRAPH_SEPARATOR:
        return 11;
    case U_CONTROL_CHAR:
        return 12;
    case U_FORMAT_CHAR:
        return 13;
    case U_SURROGATE:
        return 14;
    case U_PRIVATE_USE_CHAR:
        return 15;
    case U_GENERAL_OTHER_TYPES:
        return 16; // unassigned
    case U_MODIFIER_LETTER:
        return 17;
    case U_OTHER_LETTER:
        return 18;
    case U_CONNECTOR_PUNCTUATION:
        return 19;
    case U_DASH_PUNCTUATION:
        return 20;
    case U_START_PUNCTUATION:
        return 21;
    case U_END_PUNCTUATION:
        return 22;
    case U_INITIAL_PUNCTUATION:
        return 23;
    case U_FINAL_PUNCTUATION:
        return 24;
    case U_OTHER_PUNCTUATION:
        return 25;
    case U_MATH_SYMBOL:
        return 26;
    case U_CURRENCY_SYMBOL:
        return 27;
    case U_MODIFIER_SYMBOL:
        return 28;
    default:
        return 29; // other symbol
    }
}

int DirectionProperty(char32_t c) {
    switch (u_charDirection(UChar32(c))) {
    case U_LEFT_TO_RIGHT:
        return 30;
    case U_LEFT_TO_RIGHT_EMBEDDING:
        return 31;
    case U_LEFT_TO_RIGHT_OVERRIDE:
        return 32;
    case U_RIGHT_TO_LEFT:
        return 33;
    case U_RIGHT_TO_LEFT_ARABIC:
        return 34;
    case U_RIGHT_TO_LEFT_EMBEDDING:
        return 35;
    case U_RIGHT_TO_LEFT_OVERRIDE:
        return 36;
    case U_POP_DIRECTIONAL_FORMAT:
        return 37;
    case U_EUROPEAN_NUMBER:
        return 38;
    case U_EUROPEAN_NUMBER_SEPARATOR:
        return 39;
    case U_EUROPEAN_NUMBER_TERMINATOR:
        return 40;
    case U_ARABIC_NUMBER:
        return 41;
    case U_COMMON_NUMBER_SEPARATOR:
        return 42;
    case U_BOUNDARY_NEUTRAL:
        return 43;
    case U_SEGMENT_SEPARATOR:
        return 44;
    case U_WHITE_SPACE_NEUTRAL:
        return 45;
    default:
        return 46; // other neutrals and the isolates
    }
}

// The properties of a character among the wanted ones.
uint64_t PropertiesOf(char32_t c, uint64_t wanted) {
    uint64_t props = 0;
    if (wanted & (Bit(30) - 1))
        props |= Bit(CategoryProperty(c));
    if (wanted & ((Bit(47) - 1) & ~(Bit(30) - 1)))
        props |= Bit(DirectionProperty(c));
    auto has = [&](int n, bool value) {
        if ((wanted & Bit(n)) && value)
            props |= Bit(n);
    };
    if (wanted & Bit(47)) {
        UErrorCode status = U_ZERO_ERROR;
        const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
        UChar buffer[8];
        has(47, U_SUCCESS(status) &&
                    unorm2_getRawDecomposition(nfd, UChar32(c), buffer, 8, &status) > 0);
    }
    has(48, (wanted & Bit(48)) &&
                u_getIntPropertyValue(UChar32(c), UCHAR_DECOMPOSITION_TYPE) == U_DT_NOBREAK);
    has(49, (wanted & Bit(49)) && u_hasBinaryProperty(UChar32(c), UCHAR_BIDI_MIRRORED));
    has(50, (wanted & Bit(50)) && u_hasBinaryProperty(UChar32(c), UCHAR_HEX_DIGIT));
    has(51, (wanted & Bit(51)) && u_charMirror(UChar32(c)) != UChar32(c));
    has(52, (wanted & Bit(52)) && u_hasBinaryProperty(UChar32(c), UCHAR_QUOTATION_MARK));
    has(53, (wanted & Bit(53)) && u_hasBinaryProperty(UChar32(c), UCHAR_WHITE_SPACE) &&
                u_charType(UChar32(c)) != U_SPACE_SEPARATOR);
    has(54, (wanted & Bit(54)) && u_charType(UChar32(c)) != U_GENERAL_OTHER_TYPES);
    return props;
}

uint64_t PropertyRange(int from, int to) {
    uint64_t bits = 0;
    for (int i = from; i <= to; ++i)
        bits |= Bit(i);
    return bits;
}

struct TNamedClass {
    const char16_t* Name;
    uint64_t Properties;
    std::vector<std::pair<char32_t, char32_t>> Ranges;
};

const std::vector<TNamedClass>& NamedClasses() {
    static const std::vector<TNamedClass> classes = {
        {u":alnum:", Bit(0) | Bit(1) | Bit(2) | Bit(6) | Bit(7) | Bit(8) | Bit(17) | Bit(18), {}},
        {u":alpha:", Bit(0) | Bit(1) | Bit(2) | Bit(17) | Bit(18), {}},
        {u":cntrl:", Bit(12) | Bit(13), {}},
        {u":digit:", Bit(6) | Bit(7) | Bit(8), {}},
        {u":graph:", PropertyRange(0, 8) | PropertyRange(17, 29), {}},
        {u":lower:", Bit(1), {}},
        {u":print:", PropertyRange(0, 9) | PropertyRange(17, 29), {}},
        {u":punct:", PropertyRange(19, 25), {}},
        {u":space:", Bit(9) | Bit(53), {{9, 10}, {12, 13}, {0xFEFF, 0xFEFF}}},
        {u":upper:", Bit(0), {}},
        {u":xdigit:", 0, {{'0', '9'}, {'A', 'F'}, {'a', 'f'}}},
    };
    return classes;
}

} // namespace

bool TZelRegexClass::Contains(char32_t c) const {
    bool in = false;
    for (const auto& [lo, hi] : Ranges)
        if (c >= lo && c <= hi) {
            in = true;
            break;
        }
    if (!in && Properties)
        in = (PropertiesOf(c, Properties) & Properties) != 0;
    return in != Negated;
}

bool ZelIsLineSeparator(char32_t c) {
    return c == 0x0A || c == 0x0D || c == 0x2028 || c == 0x2029;
}

char32_t ZelRegexLower(char32_t c) {
    return char32_t(u_tolower(UChar32(c)));
}

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
                if (n >= PropertyCount)
                    Fail(TZelResId::RegexInvalidProperty);
            }
            props |= Bit(int(n));
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
                cls.Properties = AllProperties & ~(cls.Properties | listed);
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
                for (const TNamedClass& n : NamedClasses()) {
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

// ---------------------------------------------------------------------------------------
// The program and the machine

namespace {

enum TOp : uint8_t {
    OpChar,
    OpAny,
    OpSplit,
    OpJmp,
    OpAssertStart,
    OpAssertEnd,
    OpAssertNotLF,
    OpMatch
};

struct TInst {
    TOp Op;
    int32_t X = 0; // class index, or jump targets
    int32_t Y = 0;
};

bool ConsumesNothing(const TZelRegexNode& node) {
    switch (node.Kind) {
    case TZelRegexNode::Class:
    case TZelRegexNode::Any:
        return false;
    default:
        for (const auto& child : node.Children)
            if (!ConsumesNothing(*child))
                return false;
        return true;
    }
}

} // namespace

struct TTooLarge {};

struct TZelURESearch::TProgram {
    std::vector<TInst> Code;
    std::vector<TZelRegexClass> Classes;
    bool CaseInsensitive = false;
    bool AnchorsOnly = false;
    bool Empty = true;

    // The machine's two thread lists, reused between searches.
    struct TList {
        std::vector<std::pair<int32_t, int32_t>> Threads; // (instruction, start)
        std::vector<uint32_t> Mark;
        uint32_t Generation = 0;
        void Clear() {
            Threads.clear();
            if (++Generation == 0) {
                std::fill(Mark.begin(), Mark.end(), 0);
                Generation = 1;
            }
        }
    };
    TList Lists[2];
    std::vector<int32_t> Stack;

    int32_t Emit(TOp op, int32_t x = 0, int32_t y = 0) {
        // Counted repetitions are written out; a pattern that grows beyond this is refused.
        if (Code.size() >= 200000)
            throw TTooLarge{};
        Code.push_back({op, x, y});
        return int32_t(Code.size()) - 1;
    }

    int32_t ClassOf(std::vector<std::pair<char32_t, char32_t>> ranges) {
        TZelRegexClass cls;
        cls.Ranges = std::move(ranges);
        Classes.push_back(std::move(cls));
        return int32_t(Classes.size()) - 1;
    }

    void Generate(const TZelRegexNode& node) {
        switch (node.Kind) {
        case TZelRegexNode::Empty:
            break;
        case TZelRegexNode::Class:
            Emit(OpChar, node.ClassIndex);
            break;
        case TZelRegexNode::Any:
            Emit(OpAny);
            break;
        case TZelRegexNode::LineEnd:
            Emit(OpAssertEnd);
            break;
        case TZelRegexNode::LineStart: {
            // The start of the text, or a line separator consumed (CR LF as one).
            int32_t split = Emit(OpSplit);
            Code[size_t(split)].X = Emit(OpAssertStart);
            int32_t toEnd1 = Emit(OpJmp);
            int32_t split2 = Emit(OpSplit);
            Code[size_t(split)].Y = split2;
            Code[size_t(split2)].X = Emit(OpChar, ClassOf({{0x0D, 0x0D}}));
            int32_t split3 = Emit(OpSplit);
            Code[size_t(split3)].X = Emit(OpChar, ClassOf({{0x0A, 0x0A}}));
            int32_t toEnd2 = Emit(OpJmp);
            Code[size_t(split3)].Y = Emit(OpAssertNotLF);
            int32_t toEnd3 = Emit(OpJmp);
            Code[size_t(split2)].Y = Emit(OpChar, ClassOf({{0x0A, 0x0A}, {0x2028, 0x2029}}));
            int32_t end = int32_t(Code.size());
            for (int32_t j : {toEnd1, toEnd2, toEnd3})
                Code[size_t(j)].X = end;
            break;
        }
        case TZelRegexNode::Concat:
            for (const auto& child : node.Children)
                Generate(*child);
            break;
        case TZelRegexNode::Alternation: {
            std::vector<int32_t> jumps;
            for (size_t i = 0; i < node.Children.size(); ++i) {
                if (i + 1 < node.Children.size()) {
                    int32_t split = Emit(OpSplit);
                    Code[size_t(split)].X = split + 1;
                    Generate(*node.Children[i]);
                    jumps.push_back(Emit(OpJmp));
                    Code[size_t(split)].Y = int32_t(Code.size());
                } else {
                    Generate(*node.Children[i]);
                }
            }
            for (int32_t j : jumps)
                Code[size_t(j)].X = int32_t(Code.size());
            break;
        }
        case TZelRegexNode::Repeat: {
            const TZelRegexNode& body = *node.Children[0];
            if (node.Min == 1 && node.Max < 0) {
                // One or more: the body once, then back to it (never written out twice, so
                // nested repetitions stay small).
                int32_t top = int32_t(Code.size());
                Generate(body);
                int32_t split = Emit(OpSplit, top);
                Code[size_t(split)].Y = split + 1;
                break;
            }
            for (int32_t i = 0; i < node.Min; ++i)
                Generate(body);
            if (node.Max < 0) {
                int32_t split = Emit(OpSplit);
                Code[size_t(split)].X = split + 1;
                Generate(body);
                Emit(OpJmp, split);
                Code[size_t(split)].Y = int32_t(Code.size());
            } else {
                std::vector<int32_t> splits;
                for (int32_t i = node.Min; i < node.Max; ++i) {
                    int32_t split = Emit(OpSplit);
                    Code[size_t(split)].X = split + 1;
                    splits.push_back(split);
                    Generate(body);
                }
                for (int32_t s : splits)
                    Code[size_t(s)].Y = int32_t(Code.size());
            }
            break;
        }
        }
    }

    // Adds the thread and everything it reaches without consuming, at position pos.
    void AddThread(TList& list, int32_t pc, int32_t start, const char16_t* text, int32_t length,
                   int32_t pos) {
        Stack.clear();
        Stack.push_back(pc);
        while (!Stack.empty()) {
            int32_t at = Stack.back();
            Stack.pop_back();
            if (list.Mark[size_t(at)] == list.Generation)
                continue;
            list.Mark[size_t(at)] = list.Generation;
            const TInst& inst = Code[size_t(at)];
            switch (inst.Op) {
            case OpJmp:
                Stack.push_back(inst.X);
                break;
            case OpSplit:
                Stack.push_back(inst.Y);
                Stack.push_back(inst.X);
                break;
            case OpAssertStart:
                if (pos == 0)
                    Stack.push_back(at + 1);
                break;
            case OpAssertEnd:
                if (pos >= length || ZelIsLineSeparator(text[pos]))
                    Stack.push_back(at + 1);
                break;
            case OpAssertNotLF:
                if (pos >= length || text[pos] != 0x0A)
                    Stack.push_back(at + 1);
                break;
            default:
                list.Threads.emplace_back(at, start);
            }
        }
    }

    bool Run(const char16_t* text, int32_t length, int32_t from, int32_t& matchStart,
             int32_t& matchEnd) {
        for (TList& list : Lists)
            if (list.Mark.size() != Code.size())
                list.Mark.assign(Code.size(), 0);
        TList* current = &Lists[0];
        TList* next = &Lists[1];
        current->Clear();
        int32_t bestStart = -1, bestEnd = -1;
        bool emptyText = length == 0 && from == 0;
        for (int32_t pos = from;;) {
            if (bestStart < 0 && (pos < length || (emptyText && pos == 0)))
                AddThread(*current, 0, pos, text, length, pos);
            if (current->Threads.empty() && (bestStart >= 0 || pos >= length))
                break;
            char32_t c = 0;
            int32_t width = 1;
            if (pos < length) {
                int32_t next = pos;
                UChar32 unit = 0;
                U16_NEXT(text, next, length, unit);
                c = char32_t(unit);
                width = next - pos;
            }
            char32_t folded = CaseInsensitive ? ZelRegexLower(c) : c;
            next->Clear();
            for (size_t t = 0; t < current->Threads.size(); ++t) {
                auto [pc, start] = current->Threads[t];
                if (bestStart >= 0 && start > bestStart)
                    continue;
                const TInst& inst = Code[size_t(pc)];
                if (inst.Op == OpMatch) {
                    if (bestStart < 0 || start < bestStart ||
                        (start == bestStart && pos > bestEnd)) {
                        bestStart = start;
                        bestEnd = pos;
                    }
                } else if (pos < length &&
                           ((inst.Op == OpChar && Classes[size_t(inst.X)].Contains(folded)) ||
                            (inst.Op == OpAny && !ZelIsLineSeparator(c)))) {
                    AddThread(*next, pc + 1, start, text, length, pos + width);
                }
            }
            std::swap(current, next);
            if (pos >= length)
                break;
            pos += width;
        }
        if (bestStart < 0)
            return false;
        matchStart = bestStart;
        matchEnd = bestEnd;
        return true;
    }
};

// ---------------------------------------------------------------------------------------
// The deterministic automaton for existence questions, built state by state as texts need.

namespace {

constexpr int32_t Unknown = -1;
constexpr char32_t EndOfText = 0xFFFFFFFF;

// The lower-case mapping of an ASCII character, without a library call.
inline char32_t AsciiLower(char32_t c) {
    return c >= U'A' && c <= U'Z' ? c + 32 : c;
}

// The position of the first line separator at or after pos, or length. Most characters
// lie between CR and U+2028 and are rejected by one comparison.
inline int32_t NextLineSeparator(const char16_t* text, int32_t pos, int32_t length) {
    for (; pos < length; ++pos) {
        uint32_t c = text[pos];
        if (c - 0x0Eu < 0x2028u - 0x0Eu)
            continue;
        if (ZelIsLineSeparator(c))
            break;
    }
    return pos;
}

struct TDfaState {
    std::vector<int32_t> Pcs; // sorted
    int32_t Ascii[128];       // (next state << 1) | match, or Unknown
    std::unordered_map<char32_t, int32_t> Other;
    int8_t EndMatch = -1; // a match at the end of the text from here: -1 unknown
    bool AtStart = false; // the state before the first character of a text
    TDfaState() { std::fill(std::begin(Ascii), std::end(Ascii), Unknown); }
};

} // namespace

struct TZelURESearch::TDfa {
    const TZelURESearch::TProgram& Program;
    std::vector<TDfaState> States;
    std::map<std::vector<int32_t>, int32_t> Index;
    std::vector<int32_t> StartPcs;    // the closure of the first instruction, not at 0
    std::vector<int32_t> StartPcsAt0; // the same at the start of the text
    std::vector<uint32_t> Seen;
    uint32_t Generation = 0;
    std::vector<int32_t> Work;

    explicit TDfa(const TZelURESearch::TProgram& program) : Program(program) {
        Seen.assign(program.Code.size(), 0);
        StartPcs = Closure({0}, false);
        StartPcsAt0 = Closure({0}, true);
        WaitsForLine = OnlyLineSeparatorsStart(StartPcs);
        Reset();
    }

    // Whether a match can start after the first character only just after a line
    // separator (a pattern beginning with "^"): then, with no thread alive, the text up to
    // the next separator cannot matter.
    bool OnlyLineSeparatorsStart(const std::vector<int32_t>& pcs) const {
        for (int32_t pc : pcs) {
            const TInst& inst = Program.Code[size_t(pc)];
            if (inst.Op != OpChar)
                return false;
            const TZelRegexClass& c = Program.Classes[size_t(inst.X)];
            if (c.Negated || c.Properties != 0)
                return false;
            for (auto [low, high] : c.Ranges)
                for (char32_t x = low; x <= high; ++x)
                    if (!ZelIsLineSeparator(x))
                        return false;
        }
        return true;
    }
    bool WaitsForLine = false;

    // State 0: no thread; state 1: the start of a text.
    static constexpr int32_t BeginState = 1;
    void Reset() {
        States.clear();
        Index.clear();
        States.emplace_back();
        Index.emplace(std::vector<int32_t>{}, 0);
        States.emplace_back();
        States.back().AtStart = true;
    }

    // Follows the instructions that consume nothing and need no look-ahead.
    std::vector<int32_t> Closure(const std::vector<int32_t>& from, bool atStart) {
        if (++Generation == 0) {
            std::fill(Seen.begin(), Seen.end(), 0);
            Generation = 1;
        }
        std::vector<int32_t> out;
        Work.assign(from.rbegin(), from.rend());
        while (!Work.empty()) {
            int32_t pc = Work.back();
            Work.pop_back();
            if (Seen[size_t(pc)] == Generation)
                continue;
            Seen[size_t(pc)] = Generation;
            const TInst& inst = Program.Code[size_t(pc)];
            if (inst.Op == OpJmp) {
                Work.push_back(inst.X);
            } else if (inst.Op == OpSplit) {
                Work.push_back(inst.Y);
                Work.push_back(inst.X);
            } else if (inst.Op == OpAssertStart) {
                if (atStart)
                    Work.push_back(pc + 1);
            } else {
                out.push_back(pc);
            }
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    // Resolves the look-ahead assertions with the next character (or the end).
    std::vector<int32_t> Resolve(std::vector<int32_t> pcs, char32_t next, bool atStart) {
        bool grew = true;
        std::vector<int32_t> done;
        while (grew) {
            grew = false;
            std::vector<int32_t> more;
            for (int32_t pc : pcs) {
                if (std::binary_search(done.begin(), done.end(), pc))
                    continue;
                TOp op = Program.Code[size_t(pc)].Op;
                bool passes =
                    (op == OpAssertEnd && (next == EndOfText || ZelIsLineSeparator(next))) ||
                    (op == OpAssertNotLF && next != 0x0A);
                if (passes)
                    more.push_back(pc + 1);
                done.insert(std::lower_bound(done.begin(), done.end(), pc), pc);
            }
            if (!more.empty()) {
                std::vector<int32_t> reached = Closure(more, atStart);
                for (int32_t pc : reached)
                    if (!std::binary_search(pcs.begin(), pcs.end(), pc)) {
                        pcs.insert(std::lower_bound(pcs.begin(), pcs.end(), pc), pc);
                        grew = true;
                    }
            }
        }
        return pcs;
    }

    int32_t Intern(std::vector<int32_t> pcs) {
        auto found = Index.find(pcs);
        if (found != Index.end())
            return found->second;
        // A pattern whose automaton grows past this starts again with an empty cache.
        if (States.size() >= 4096) {
            Reset();
            if (pcs.empty())
                return 0;
        }
        int32_t id = int32_t(States.size());
        States.emplace_back();
        States.back().Pcs = pcs;
        Index.emplace(std::move(pcs), id);
        return id;
    }

    bool HasMatch(const std::vector<int32_t>& pcs) const {
        for (int32_t pc : pcs)
            if (Program.Code[size_t(pc)].Op == OpMatch)
                return true;
        return false;
    }

    // From the threads of a state (and a new start, unless at the end), the step over c:
    // (next state << 1) | whether a match ends before c.
    int32_t Step(const std::vector<int32_t>& carried, char32_t c, bool atStart) {
        std::vector<int32_t> pcs = carried;
        const std::vector<int32_t>& start = atStart ? StartPcsAt0 : StartPcs;
        for (int32_t pc : start)
            if (!std::binary_search(pcs.begin(), pcs.end(), pc))
                pcs.insert(std::lower_bound(pcs.begin(), pcs.end(), pc), pc);
        pcs = Resolve(std::move(pcs), c, atStart);
        bool match = HasMatch(pcs);
        std::vector<int32_t> consumed;
        for (int32_t pc : pcs) {
            const TInst& inst = Program.Code[size_t(pc)];
            if ((inst.Op == OpChar && Program.Classes[size_t(inst.X)].Contains(c)) ||
                (inst.Op == OpAny && !ZelIsLineSeparator(c)))
                consumed.push_back(pc + 1);
        }
        int32_t next = Intern(Closure(consumed, false));
        return (next << 1) | (match ? 1 : 0);
    }

    int32_t Cached(int32_t state, char32_t c) {
        TDfaState& s = States[size_t(state)];
        int32_t* slot = c < 128 ? &s.Ascii[c] : nullptr;
        if (slot && *slot != Unknown)
            return *slot;
        if (!slot) {
            auto found = s.Other.find(c);
            if (found != s.Other.end())
                return found->second;
        }
        std::vector<int32_t> carried = s.Pcs;
        bool atStart = s.AtStart;
        size_t before = States.size();
        int32_t value = Step(carried, c, atStart);
        // Interning may have emptied the cache: store only into a state that is still there.
        if (States.size() >= before && state < int32_t(States.size())) {
            TDfaState& again = States[size_t(state)];
            if (c < 128)
                again.Ascii[c] = value;
            else
                again.Other[c] = value;
        }
        return value;
    }

    bool MatchesAtEnd(int32_t state) {
        TDfaState& s = States[size_t(state)];
        if (s.EndMatch < 0)
            s.EndMatch = HasMatch(Resolve(s.Pcs, EndOfText, false)) ? 1 : 0;
        return s.EndMatch == 1;
    }

    bool Matches(const char16_t* text, int32_t length, bool caseInsensitive) {
        int32_t state = BeginState;
        for (int32_t pos = 0; pos < length;) {
            if (state == 0 && WaitsForLine) {
                pos = NextLineSeparator(text, pos, length);
                if (pos == length)
                    break;
            }
            int32_t next = pos;
            UChar32 unit = 0;
            U16_NEXT(text, next, length, unit);
            auto c = char32_t(unit);
            int32_t width = next - pos;
            if (caseInsensitive)
                c = c < 128 ? AsciiLower(c) : ZelRegexLower(c);
            int32_t value = Cached(state, c);
            if (value & 1)
                return true;
            state = value >> 1;
            pos += width;
        }
        return MatchesAtEnd(state);
    }
};

TZelURESearch::TZelURESearch() = default;
TZelURESearch::~TZelURESearch() = default;

bool TZelURESearch::Matches(const char16_t* text, int32_t length) {
    if (!Program || length <= 0 || Program->Empty) {
        int32_t start, end;
        return FindFrom(text, length, 0, start, end);
    }
    if (!Dfa)
        Dfa = std::make_unique<TDfa>(*Program);
    return Dfa->Matches(text, length, Program->CaseInsensitive);
}

void TZelURESearch::Compile(const std::u16string& pattern, uint32_t options) {
    Dfa.reset();
    Program.reset();
    Results.clear();
    Options = options;
    TZelRegexTree tree = ZelParseRegex(pattern, (options & ZelRegexCaseSensitive) == 0);
    auto program = std::make_unique<TProgram>();
    program->CaseInsensitive = tree.CaseInsensitive;
    program->Classes = std::move(tree.Classes);
    if (tree.Root) {
        program->Empty = false;
        program->AnchorsOnly = ConsumesNothing(*tree.Root);
        try {
            program->Generate(*tree.Root);
        } catch (const TTooLarge&) {
            std::string text = ZelWideToUtf8(pattern);
            throw EZelError(ZelFormat(ZelLoadStr(TZelResId::RegexError), {text}) + "\r" +
                            ZelLoadStr(TZelResId::RegexInvalidRepetition));
        }
    }
    program->Emit(OpMatch);
    Program = std::move(program);
}

bool TZelURESearch::FindFrom(const char16_t* text, int32_t length, int32_t from, int32_t& start,
                             int32_t& end) {
    if (!Program || from < 0 || from > length)
        return false;
    if (length == 0 && !Program->AnchorsOnly)
        return false; // an empty text matches only a pattern of anchors
    if (Program->Empty) {
        if (from >= length)
            return false;
        start = end = from;
        return true;
    }
    return Program->Run(text, length, from, start, end);
}

bool TZelURESearch::Find(const char16_t* text, int32_t length, int32_t& start, int32_t& end) {
    Results.clear();
    if (!FindFrom(text, length, 0, start, end))
        return false;
    Results.emplace_back(start, end);
    return true;
}

bool TZelURESearch::FindText(const std::u16string& text, int32_t& start, int32_t& end) {
    return Find(text.data(), int32_t(text.size()), start, end);
}

bool TZelURESearch::FindAll(const char16_t* text, int32_t length) {
    Results.clear();
    int32_t from = 0, start = 0, end = 0;
    while (from <= length && FindFrom(text, length, from, start, end)) {
        Results.emplace_back(start, end);
        if (end > start) {
            from = end;
        } else {
            from = start;
            U16_FWD_1(text, from, length);
        }
        if (from >= length)
            break;
    }
    return !Results.empty();
}

void TZelURESearch::GetResult(int32_t index, int32_t& start, int32_t& end) const {
    const auto& r = Results.at(size_t(index));
    start = r.first;
    end = r.second;
}

// ---------------------------------------------------------------------------------------

std::u16string WildcardToRegex(const std::u16string& value, int mode, const std::u16string& keep) {
    ZEL_ASSERT(!value.empty());
    std::u16string out;
    if (mode == ZelWildcardAnchored)
        out += u'^';
    const std::u16string special = u"()+-.[]";
    for (char16_t c : value) {
        if (special.find(c) != std::u16string::npos && keep.find(c) == std::u16string::npos) {
            out += u'\\';
            out += c;
        } else if (c == u'?') {
            out += mode == ZelWildcardWord ? u"[:alpha:-]" : u".";
        } else if (c == u'*') {
            out += mode == ZelWildcardWord ? u"[:alpha:-]*" : u".*";
        } else {
            out += c;
        }
    }
    if (mode == ZelWildcardAnchored)
        out += u'$';
    return out;
}

bool ZelIsWholeWordMatch(const char16_t* text, int32_t n, int32_t start, int32_t end) {
    bool atStart = start == 0 || !IsCharOfWord(text[start]) || !IsCharOfWord(text[start - 1]);
    bool atEnd = end == n || end == 0 || !IsCharOfWord(text[end - 1]) || !IsCharOfWord(text[end]);
    return atStart && atEnd;
}
