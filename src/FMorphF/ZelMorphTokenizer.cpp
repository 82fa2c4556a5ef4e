#include "ZelMorphTokenizer.h"

#include "ZelErrors.h"
#include "ZelUtils.h"

#include <algorithm>

#include <unicode/uchar.h>

namespace {

bool IsBlank(char16_t c) {
    return c <= 0x20 || u_charType(c) == U_SPACE_SEPARATOR;
}

const char16_t* NumberTag(char16_t lastDigit) {
    switch (lastDigit) {
    case u'0':
        return u"@number_0";
    case u'1':
        return u"@number_1";
    case u'2':
        return u"@number_2";
    case u'3':
        return u"@number_3";
    default:
        return u"@number_4-9";
    }
}

} // namespace

void TZelMorphTokenizer::Clear() {
    Starts.clear();
    Map.clear();
    Out.clear();
}

void TZelMorphTokenizer::Append(char16_t c, uint32_t pos, uint32_t len) {
    Out += c;
    Map.push_back({pos, len});
    ZEL_ASSERT(Map.size() == Out.size());
}

void TZelMorphTokenizer::Tokenize(std::u16string_view text) {
    Clear();
    Out.reserve(text.size() * 2 + 16);
    Map.reserve(text.size() * 2 + 16);
    // The text ends at its first NUL, as a C string would.
    text = text.substr(0, text.find(u'\0'));
    size_t p = 0;
    auto skipBlanks = [&] {
        while (p < text.size() && IsBlank(text[p]))
            ++p;
    };
    skipBlanks();
    if (p >= text.size())
        return;
    Starts.push_back(0);
    while (p < text.size()) {
        char16_t c = text[p];
        if (ZelIsLetter(c)) {
            for (; p < text.size() && ZelIsLetter(text[p]); ++p)
                Append(char16_t(u_tolower(text[p])), uint32_t(p), 1);
        } else if (ZelIsDigit(c)) {
            size_t start = p;
            while (p < text.size() && ZelIsDigit(text[p]))
                ++p;
            for (const char16_t* tag = NumberTag(text[p - 1]); *tag; ++tag)
                Append(*tag, uint32_t(start), uint32_t(p - start));
        } else {
            Append(c, uint32_t(p), 1);
            ++p;
        }
        Append(Separator, uint32_t(p), 0);
        Starts.push_back(int32_t(Out.size()));
        skipBlanks();
    }
}

std::u16string_view TZelMorphTokenizer::Token(int32_t index) const {
    int32_t start = Starts.at(size_t(index));
    return std::u16string_view(Out).substr(size_t(start));
}

uint32_t TZelMorphTokenizer::SourceSpan(int32_t start, int32_t n) const {
    if (n <= 0)
        return 0;
    const TSource& last = Map.at(size_t(start + n - 1));
    return last.Pos + last.Len - Map.at(size_t(start)).Pos;
}

bool ZelIsWordCharacter(char16_t c) {
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    return ZelIsLetter(c) || ZelIsDigit(c);
}

std::u16string ZelWrittenForm(std::u16string_view form, char16_t separator) {
    auto isPunctuation = [](std::u16string_view token) {
        return token.size() == 1 && !ZelIsWordCharacter(token[0]);
    };
    std::u16string out;
    std::u16string_view previous;
    for (size_t start = 0; start < form.size();) {
        size_t end = std::min(form.find(separator, start), form.size());
        std::u16string_view token = form.substr(start, end - start);
        start = end + 1;
        if (token.empty())
            continue;
        if (!out.empty() && !isPunctuation(previous) && !isPunctuation(token))
            out += separator;
        out += token;
        previous = token;
    }
    return out;
}
