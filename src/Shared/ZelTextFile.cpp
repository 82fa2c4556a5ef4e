#include "ZelTextFile.h"

#include "ZelCodePage.h"

#include <unicode/utf8.h>

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

bool IsValidUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    int32_t length = int32_t(bytes.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(s, i, length, c);
        if (c < 0)
            return false;
    }
    return true;
}

std::u16string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        auto first = uint8_t(bytes[2 * i]), second = uint8_t(bytes[2 * i + 1]);
        text[i] = bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    return text;
}

std::string ToUtf16(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2 + 2);
    auto put = [&](char16_t unit) {
        char high = char(unit >> 8), low = char(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    };
    put(0xFEFF);
    for (char16_t unit : text)
        put(unit);
    return bytes;
}

} // namespace

std::u16string ZelDecodeText(std::string_view bytes, TZelTextEncoding& encoding) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        encoding = TZelTextEncoding::Utf8Bom;
        return ZelUtf8ToWide(bytes.substr(3));
    }
    if (StartsWith(bytes, "\xFF\xFE")) {
        encoding = TZelTextEncoding::Utf16LE;
        return FromUtf16(bytes.substr(2), false);
    }
    if (StartsWith(bytes, "\xFE\xFF")) {
        encoding = TZelTextEncoding::Utf16BE;
        return FromUtf16(bytes.substr(2), true);
    }
    if (IsValidUtf8(bytes)) {
        encoding = TZelTextEncoding::Utf8;
        return ZelUtf8ToWide(bytes);
    }
    encoding = TZelTextEncoding::Windows1252;
    return ZelCodePageToWide(bytes, ZelCpWindows1252);
}

std::string ZelEncodeText(std::u16string_view text, TZelTextEncoding encoding) {
    switch (encoding) {
    case TZelTextEncoding::Utf8Bom:
        return "\xEF\xBB\xBF" + ZelWideToUtf8(text);
    case TZelTextEncoding::Utf16LE:
        return ToUtf16(text, false);
    case TZelTextEncoding::Utf16BE:
        return ToUtf16(text, true);
    case TZelTextEncoding::Windows1252:
        return ZelWideToCodePage(text, ZelCpWindows1252);
    default:
        return ZelWideToUtf8(text);
    }
}
