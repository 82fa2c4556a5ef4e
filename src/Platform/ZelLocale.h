// Locale-aware comparison of texts, through ICU collators. A language is a Windows language
// identifier; only its primary part (the low 10 bits) selects the rules. The loose strength
// ignores case and accents, the exact one tells them apart.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class TZelCollationStrength {
    Loose,     // letters that differ by case or accents compare equal
    Secondary, // accents count, case does not
    Exact      // case and accents both count
};

// The language identifier Windows uses for "the system default locale".
constexpr uint16_t ZelLangSystemDefault = 0x0800;

// Compares two texts for the language; the result is -1, 0 or 1.
int ZelCompareLocale(uint16_t language, std::u16string_view a, std::u16string_view b,
                     TZelCollationStrength strength);

// A sort key of the text: comparing two keys byte by byte gives the result of
// ZelCompareLocale on their texts (used to sort many texts quickly).
std::string ZelCollationKey(uint16_t language, std::u16string_view text,
                            TZelCollationStrength strength);

// The ICU locale name of a language ("it", "en"); empty for an unknown language, which
// then collates by the root rules.
std::string ZelIcuLocaleOfLanguage(uint16_t language);

// The language's own name for itself ("English", "italiano"); empty when unknown.
std::u16string ZelNativeLanguageName(uint16_t language);
// The language's name in English ("Italian").
std::u16string ZelEnglishLanguageName(uint16_t language);
// The two-letter ISO 639 code of a language in lower case ("it"), and the country code of
// its default locale ("IT"); empty when unknown.
std::string ZelIsoLanguageCode(uint16_t language);
std::string ZelIsoCountryCode(uint16_t language);

enum class TZelNormalization { None, NFC, NFD, NFKC, NFKD };
std::u16string ZelNormalize(std::u16string_view text, TZelNormalization form);

// Per-character upper-casing (the length never changes).
std::u16string ZelUpperCase(std::u16string_view text);

// The primary language identifier of an ISO 639 code ("it" gives 0x10); 0 when unknown.
uint16_t ZelLanguageOfIsoCode(const std::string& code);
