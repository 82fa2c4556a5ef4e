#include "ZelTokenKind.h"

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int Value(std::u16string_view digits) {
    int value = 0;
    for (char16_t c : digits)
        value = value * 10 + (c - u'0');
    return value;
}

bool AllDigits(std::u16string_view text) {
    if (text.empty())
        return false;
    for (char16_t c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

} // namespace

std::string ZelNumberKind(std::u16string_view token) {
    if (AllDigits(token) && token.size() == 4 && Value(token) >= 1000 && Value(token) <= 2099)
        return "year";
    size_t separator = token.find_first_of(u".:");
    if (separator != std::u16string_view::npos && separator >= 1 && separator <= 2 &&
        token.size() == separator + 3) {
        std::u16string_view hours = token.substr(0, separator),
                            minutes = token.substr(separator + 1);
        if (AllDigits(hours) && AllDigits(minutes) && Value(hours) <= 23 && Value(minutes) <= 59)
            return "time";
    }
    // Digits, with single separators between groups of them.
    bool digitBefore = false;
    for (char16_t c : token) {
        if (IsDigit(c)) {
            digitBefore = true;
        } else if ((c == u'.' || c == u',') && digitBefore) {
            digitBefore = false;
        } else {
            return {};
        }
    }
    return digitBefore ? "number" : std::string();
}
