#include "ZelLocale.h"

#include "ZelErrors.h"

#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>
#include <unicode/unorm2.h>

#include <map>
#include <memory>

namespace {

struct TCollatorCloser {
    void operator()(UCollator* c) const { ucol_close(c); }
};
using TCollator = std::unique_ptr<UCollator, TCollatorCloser>;

UCollationStrength IcuStrength(TZelCollationStrength s) {
    switch (s) {
    case TZelCollationStrength::Loose:
        return UCOL_PRIMARY;
    case TZelCollationStrength::Secondary:
        return UCOL_SECONDARY;
    case TZelCollationStrength::Exact:
        break;
    }
    return UCOL_TERTIARY;
}

// One collator per language and strength, per thread (a collator is cheap to share for
// comparing but its attributes are per object, and each thread keeps its own cache).
UCollator* CollatorFor(uint16_t language, TZelCollationStrength strength) {
    thread_local std::map<std::pair<uint16_t, int>, TCollator> cache;
    auto key = std::make_pair(uint16_t(language & 0x3FF), int(strength));
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second.get();
    UErrorCode status = U_ZERO_ERROR;
    std::string locale = ZelIcuLocaleOfLanguage(language);
    TCollator coll(ucol_open(locale.c_str(), &status));
    if (U_FAILURE(status) || !coll) {
        status = U_ZERO_ERROR;
        coll.reset(ucol_open("", &status));
    }
    ZEL_ASSERT(coll);
    ucol_setStrength(coll.get(), IcuStrength(strength));
    return cache.emplace(key, std::move(coll)).first->second.get();
}

} // namespace

std::string ZelIcuLocaleOfLanguage(uint16_t language) {
    uint16_t primary = language & 0x3FF;
    if (primary == 0 || language == ZelLangSystemDefault)
        return "";
    char name[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    // The neutral form (sub-language 0) of a language is its bare language code.
    uloc_getLocaleForLCID(primary, name, sizeof name, &status);
    if (U_FAILURE(status) || name[0] == 0) {
        status = U_ZERO_ERROR;
        uloc_getLocaleForLCID(uint32_t(primary | 0x400), name, sizeof name, &status);
    }
    if (U_FAILURE(status))
        return "";
    char lang[ULOC_LANG_CAPACITY] = {};
    status = U_ZERO_ERROR;
    uloc_getLanguage(name, lang, sizeof lang, &status);
    return U_SUCCESS(status) ? std::string(lang) : std::string();
}

std::string ZelCollationKey(uint16_t language, std::u16string_view text,
                            TZelCollationStrength strength) {
    UCollator* coll = CollatorFor(language, strength);
    std::string key(text.size() * 4 + 16, '\0');
    for (;;) {
        int32_t n =
            ucol_getSortKey(coll, reinterpret_cast<const UChar*>(text.data()), int32_t(text.size()),
                            reinterpret_cast<uint8_t*>(key.data()), int32_t(key.size()));
        if (n <= int32_t(key.size())) {
            key.resize(size_t(n > 0 ? n - 1 : 0)); // without the final zero byte
            return key;
        }
        key.resize(size_t(n));
    }
}

int ZelCompareLocale(uint16_t language, std::u16string_view a, std::u16string_view b,
                     TZelCollationStrength strength) {
    UCollator* coll = CollatorFor(language, strength);
    UCollationResult r =
        ucol_strcoll(coll, reinterpret_cast<const UChar*>(a.data()), int32_t(a.size()),
                     reinterpret_cast<const UChar*>(b.data()), int32_t(b.size()));
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

namespace {

// The ICU locale of a full language identifier (sub-language kept, default for neutral).
std::string IcuLocaleOfLangId(uint16_t language) {
    uint32_t lcid = language;
    if ((language >> 10) == 0)
        lcid |= 0x400;
    char name[ULOC_FULLNAME_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getLocaleForLCID(lcid, name, sizeof name, &status);
    return U_SUCCESS(status) ? std::string(name) : std::string();
}

std::u16string DisplayLanguage(const std::string& locale, const char* inLocale) {
    if (locale.empty())
        return {};
    UChar buf[128];
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = uloc_getDisplayLanguage(locale.c_str(), inLocale, buf, 128, &status);
    if (U_FAILURE(status) || n <= 0 || status == U_USING_DEFAULT_WARNING)
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(buf), size_t(n));
}

} // namespace

std::u16string ZelNativeLanguageName(uint16_t language) {
    std::string locale = ZelIcuLocaleOfLanguage(language);
    return DisplayLanguage(locale, locale.c_str());
}

std::u16string ZelEnglishLanguageName(uint16_t language) {
    return DisplayLanguage(ZelIcuLocaleOfLanguage(language), "en");
}

std::string ZelIsoLanguageCode(uint16_t language) {
    return ZelIcuLocaleOfLanguage(language);
}

std::string ZelIsoCountryCode(uint16_t language) {
    std::string locale = IcuLocaleOfLangId(language);
    char country[ULOC_COUNTRY_CAPACITY] = {};
    UErrorCode status = U_ZERO_ERROR;
    uloc_getCountry(locale.c_str(), country, sizeof country, &status);
    return U_SUCCESS(status) ? std::string(country) : std::string();
}

std::u16string ZelNormalize(std::u16string_view text, TZelNormalization form) {
    if (form == TZelNormalization::None || text.empty())
        return std::u16string(text);
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* norm = nullptr;
    switch (form) {
    case TZelNormalization::NFC:
        norm = unorm2_getNFCInstance(&status);
        break;
    case TZelNormalization::NFD:
        norm = unorm2_getNFDInstance(&status);
        break;
    case TZelNormalization::NFKC:
        norm = unorm2_getNFKCInstance(&status);
        break;
    case TZelNormalization::NFKD:
        norm = unorm2_getNFKDInstance(&status);
        break;
    case TZelNormalization::None:
        break;
    }
    if (U_FAILURE(status) || !norm)
        return std::u16string(text);
    std::u16string out(text.size() * 3 + 8, u'\0');
    int32_t n =
        unorm2_normalize(norm, reinterpret_cast<const UChar*>(text.data()), int32_t(text.size()),
                         reinterpret_cast<UChar*>(out.data()), int32_t(out.size()), &status);
    if (U_FAILURE(status))
        return std::u16string(text);
    out.resize(size_t(n));
    return out;
}

std::u16string ZelUpperCase(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        c = char16_t(u_toupper(c));
    return out;
}

uint16_t ZelLanguageOfIsoCode(const std::string& code) {
    uint32_t lcid = uloc_getLCID(code.c_str());
    return uint16_t(lcid & 0x3FF);
}
