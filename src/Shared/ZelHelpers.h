// The small helpers every layer shares, each written once: ASCII case rules, hexadecimal
// digits, the boolean text rule, little-endian reads, and UTF-8/UTF-16 stepping. Nothing
// here depends on the platform or the engine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// ASCII lower case; other bytes unchanged.  ZelAsciiLower('Q') == 'q'
constexpr char ZelAsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
// ZelAsciiLowerCase("CodePage") == "codepage"
std::string ZelAsciiLowerCase(std::string_view text);
// ZelAsciiUpperCase("ns") == "NS"
std::string ZelAsciiUpperCase(std::string_view text);
// Equal ignoring ASCII case.  ZelSameTextAscii("LuStyle", "lustyle") == true
bool ZelSameTextAscii(std::string_view a, std::string_view b);
// Compares ignoring ASCII case; -1, 0 or 1.  ZelCompareTextAscii("abc", "ABD") == -1
int ZelCompareTextAscii(std::string_view a, std::string_view b);

// The value of a hexadecimal digit, -1 for another character.  ZelHexDigitValue('b') == 11
int ZelHexDigitValue(char c);

// The integer value of a text: blanks around it, a sign, decimal digits or hexadecimal after
// "$" or "0x"; nothing for any other text or a value beyond 64 bits.
// ZelParseInteger(" -0x1F ") == -31; ZelParseInteger("12a") == std::nullopt
std::optional<int64_t> ZelParseInteger(std::string_view text);
// The same, for a value that fits 32 bits.  ZelParseInt32("3000000000") == std::nullopt
std::optional<int32_t> ZelParseInt32(std::string_view text);

// The one reading of a boolean text: "true", "yes", "on" are true and "false", "no", "off"
// false, in any case, with blanks around; an integer is true when it is not 0; any other
// text has no value.  ZelParseBoolText(" Yes ") == true; ZelParseBoolText("2") == true;
// ZelParseBoolText("maybe") == std::nullopt
std::optional<bool> ZelParseBoolText(std::string_view text);

// Little-endian integers at p.  ZelReadLE32("\x01\x02\0\0") == 0x0201
inline uint16_t ZelReadLE16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
inline uint32_t ZelReadLE32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void ZelWriteLE32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// Appends a code point as UTF-8 (a surrogate or a value past U+10FFFF as U+FFFD).
// ZelAppendUtf8(s, 0x20AC) appends "\xE2\x82\xAC"
void ZelAppendUtf8(std::string& out, char32_t codePoint);

// The code point at text[pos] and the position after it: a surrogate pair gives one code
// point, a lone surrogate itself.  ZelNextCodePoint(u"\U0001F600!", pos = 0) == 0x1F600, pos 2
char32_t ZelNextCodePoint(std::u16string_view text, size_t& pos);
