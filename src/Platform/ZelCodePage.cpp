#include "ZelCodePage.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <atomic>
#include <memory>

namespace {

std::atomic<int> SystemCodePage{ZelCpWindows1252};

// Code points of bytes 0x80..0x9F in Windows-1252; the five undefined bytes keep their own
// number, as the Windows conversion does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int Cp1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] == c)
            return 0x80 + i;
    return -1;
}

std::string IcuName(int codePage) {
    if (codePage >= 28591 && codePage <= 28606)
        return "ISO-8859-" + std::to_string(codePage - 28590);
    if (codePage >= 1250 && codePage <= 1258)
        return "windows-" + std::to_string(codePage);
    if (codePage == 20866)
        return "KOI8-R";
    if (codePage == 65001)
        return "UTF-8";
    return "ibm-" + std::to_string(codePage);
}

struct TConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using TConverter = std::unique_ptr<UConverter, TConverterCloser>;

TConverter OpenConverter(int codePage) {
    UErrorCode status = U_ZERO_ERROR;
    TConverter conv(ucnv_open(IcuName(codePage).c_str(), &status));
    if (U_FAILURE(status) || !conv)
        throw EZelArgumentError(ZelFormat(ZelLoadStr(TZelResId::UnknownCodePage), {codePage}));
    return conv;
}

bool IsSingleByteFast(int codePage) {
    return codePage == ZelCpWindows1252 || codePage == ZelCpIso8859_1;
}

std::u16string IcuToWide(std::string_view bytes, int codePage) {
    TConverter conv = OpenConverter(codePage);
    std::u16string out(bytes.size() * 2 + 4, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = ucnv_toUChars(conv.get(), reinterpret_cast<UChar*>(out.data()), int32_t(out.size()),
                              bytes.data(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        throw EZelArgumentError(ZelFormat(ZelLoadStr(TZelResId::UnknownCodePage), {codePage}));
    out.resize(size_t(n));
    return out;
}

} // namespace

int ZelGetSystemCodePage() {
    return SystemCodePage.load();
}

void ZelSetSystemCodePage(int codePage) {
    SystemCodePage.store(codePage);
}

bool ZelIsCodePageSupported(int codePage) {
    if (IsSingleByteFast(codePage))
        return true;
    try {
        OpenConverter(codePage);
        return true;
    } catch (const EZelError&) {
        return false;
    }
}

std::u16string ZelCodePageToWide(std::string_view bytes, int codePage) {
    if (codePage == ZelCpUtf8)
        return ZelUtf8ToWide(bytes);
    if (!IsSingleByteFast(codePage))
        return IcuToWide(bytes, codePage);
    std::u16string out(bytes.size(), u'\0');
    bool is1252 = codePage == ZelCpWindows1252;
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = uint8_t(bytes[i]);
        out[i] = (is1252 && b >= 0x80 && b < 0xA0) ? Cp1252High[b - 0x80] : char16_t(b);
    }
    return out;
}

bool ZelTryWideToCodePage(std::u16string_view text, int codePage, std::string& out,
                          size_t* firstBad) {
    out.clear();
    if (codePage == ZelCpUtf8) {
        out = ZelWideToUtf8(text);
        return true;
    }
    if (IsSingleByteFast(codePage)) {
        out.resize(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            int b = codePage == ZelCpWindows1252 ? Cp1252Byte(text[i])
                                                 : (text[i] <= 0xFF ? int(text[i]) : -1);
            if (b < 0) {
                out.resize(i);
                if (firstBad)
                    *firstBad = i;
                return false;
            }
            out[i] = char(b);
        }
        return true;
    }
    TConverter conv = OpenConverter(codePage);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    // Convert one character (or surrogate pair) at a time so that the first one the code
    // page cannot hold is known exactly.
    char buf[8];
    for (size_t i = 0; i < text.size();) {
        size_t len =
            (U16_IS_LEAD(text[i]) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) ? 2 : 1;
        status = U_ZERO_ERROR;
        int32_t n =
            ucnv_fromUChars(conv.get(), buf, sizeof buf,
                            reinterpret_cast<const UChar*>(text.data() + i), int32_t(len), &status);
        if (U_FAILURE(status) || n == 0) {
            if (firstBad)
                *firstBad = i;
            return false;
        }
        out.append(buf, size_t(n));
        i += len;
    }
    return true;
}

std::string ZelWideToCodePage(std::u16string_view text, int codePage) {
    if (codePage == ZelCpUtf8)
        return ZelWideToUtf8(text);
    std::string out;
    if (IsSingleByteFast(codePage)) {
        out.resize(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            int b = codePage == ZelCpWindows1252 ? Cp1252Byte(text[i])
                                                 : (text[i] <= 0xFF ? int(text[i]) : -1);
            out[i] = b < 0 ? '?' : char(b);
        }
        return out;
    }
    TConverter conv = OpenConverter(codePage);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstChars(conv.get(), "?", 1, &status);
    out.resize(text.size() * size_t(ucnv_getMaxCharSize(conv.get())) + 4);
    status = U_ZERO_ERROR;
    int32_t n =
        ucnv_fromUChars(conv.get(), out.data(), int32_t(out.size()),
                        reinterpret_cast<const UChar*>(text.data()), int32_t(text.size()), &status);
    out.resize(U_SUCCESS(status) ? size_t(n) : 0);
    return out;
}

std::u16string ZelUtf8ToWide(std::string_view utf8) {
    std::u16string out(utf8.size() + 1, u'\0');
    int32_t n = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), int32_t(out.size()), &n, utf8.data(),
                         int32_t(utf8.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? size_t(n) : 0);
    return out;
}

std::string ZelWideToUtf8(std::u16string_view text) {
    std::string out(text.size() * 3 + 1, '\0');
    int32_t n = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), int32_t(out.size()), &n,
                       reinterpret_cast<const UChar*>(text.data()), int32_t(text.size()), 0xFFFD,
                       nullptr, &status);
    out.resize(U_SUCCESS(status) ? size_t(n) : 0);
    return out;
}
