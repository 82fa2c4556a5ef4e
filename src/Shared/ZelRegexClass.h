// Character classes of the search dialect: code-point ranges, the 55 numbered character
// properties (general categories, directions and a few binary properties, from ICU), the
// named classes ("[:alpha:]" …), line separators and case folding.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

constexpr int ZelRegexPropertyCount = 55;
constexpr uint64_t ZelRegexAllProperties = (uint64_t(1) << ZelRegexPropertyCount) - 1;

// The bit of property n (0 to 54).  ZelRegexPropertyBit(3) == 8
constexpr uint64_t ZelRegexPropertyBit(int n) {
    return uint64_t(1) << n;
}

// A character class: code-point ranges, character properties (by number, see the
// dialect), negation.
struct TZelRegexClass {
    std::vector<std::pair<char32_t, char32_t>> Ranges;
    uint64_t Properties = 0;
    bool Negated = false;
    bool Contains(char32_t c) const;
};

// A class written by name inside brackets ("[:digit:]").
struct TZelNamedRegexClass {
    const char16_t* Name; // with its colons: u":digit:"
    uint64_t Properties;
    std::vector<std::pair<char32_t, char32_t>> Ranges;
};
const std::vector<TZelNamedRegexClass>& ZelNamedRegexClasses();

// Whether a character is a line separator: LF, CR, U+2028, U+2029.
bool ZelIsLineSeparator(char32_t c);
// The first code point of the character's lower-case mapping.
char32_t ZelRegexLower(char32_t c);
