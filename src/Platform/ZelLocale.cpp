#include "ZelLocale.h"

#include "ZelErrors.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

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

int ZelCompareLocale(uint16_t language, std::u16string_view a, std::u16string_view b,
                     TZelCollationStrength strength) {
    UCollator* coll = CollatorFor(language, strength);
    UCollationResult r =
        ucol_strcoll(coll, reinterpret_cast<const UChar*>(a.data()), int32_t(a.size()),
                     reinterpret_cast<const UChar*>(b.data()), int32_t(b.size()));
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}
