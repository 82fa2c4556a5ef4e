#include "ZelRegexClass.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>

// ---------------------------------------------------------------------------------------
// Character properties

namespace {

uint64_t Bit(int n) {
    return ZelRegexPropertyBit(n);
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

} // namespace

const std::vector<TZelNamedRegexClass>& ZelNamedRegexClasses() {
    static const std::vector<TZelNamedRegexClass> classes = {
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
