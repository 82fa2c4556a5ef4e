#include "ZelHelpers.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

std::string ZelAsciiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = ZelAsciiLower(c);
    return out;
}

std::string ZelAsciiUpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return out;
}

bool ZelSameTextAscii(std::string_view a, std::string_view b) {
    return ZelCompareTextAscii(a, b) == 0;
}

int ZelCompareTextAscii(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto ca = uint8_t(ZelAsciiLower(a[i])), cb = uint8_t(ZelAsciiLower(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int ZelHexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int64_t> ZelParseInteger(std::string_view text) {
    size_t i = 0, end = text.size();
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < end && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < end && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= end)
        return std::nullopt;
    uint64_t value = 0;
    for (; i < end; ++i) {
        int d = ZelHexDigitValue(text[i]);
        if (d < 0 || d >= base)
            return std::nullopt;
        value = value * uint64_t(base) + uint64_t(d);
        if (value > uint64_t(INT64_MAX))
            return std::nullopt;
    }
    return negative ? -int64_t(value) : int64_t(value);
}

std::optional<int32_t> ZelParseInt32(std::string_view text) {
    std::optional<int64_t> value = ZelParseInteger(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX)
        return std::nullopt;
    return int32_t(*value);
}

std::optional<bool> ZelParseBoolText(std::string_view text) {
    size_t b = text.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos)
        return std::nullopt;
    size_t e = text.find_last_not_of(" \t\r\n");
    std::string word = ZelAsciiLowerCase(text.substr(b, e - b + 1));
    if (word == "true" || word == "yes" || word == "on")
        return true;
    if (word == "false" || word == "no" || word == "off")
        return false;
    if (std::optional<int64_t> number = ZelParseInteger(word))
        return *number != 0;
    return std::nullopt;
}

void ZelAppendUtf8(std::string& out, char32_t c) {
    if (U_IS_SURROGATE(c) || c > 0x10FFFF)
        c = 0xFFFD;
    char bytes[U8_MAX_LENGTH];
    int32_t length = 0;
    U8_APPEND_UNSAFE(bytes, length, UChar32(c));
    out.append(bytes, size_t(length));
}

char32_t ZelNextCodePoint(std::u16string_view text, size_t& pos) {
    UChar32 c = 0;
    U16_NEXT(text.data(), pos, text.size(), c);
    return char32_t(c);
}
