// Small shared services: language and code-page helpers, locale-aware comparison of byte
// strings, the grammatical category names, word characters, command-line switches, number
// and boolean texts, and the file-availability check with its Retry/Cancel dialog.
#pragma once

#include "ZelDic.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Locale information items (the Windows numbers).
enum : uint32_t {
    ZelLocaleLanguage = 0x0002,        // the language's name in the interface language
    ZelLocaleAbbrevLangName = 0x0003,  // three-letter abbreviation ("ITA")
    ZelLocaleNativeLangName = 0x0004,  // the language's own name ("italiano")
    ZelLocaleEnglishLanguage = 0x1001, // the name in English
    ZelLocaleIso639Name = 0x0059,      // "it"
    ZelLocaleIso3166Name = 0x005A,     // "IT"
};

// A locale item as a byte string (system code page); raises EZelOSError for an item or
// locale that has no answer.
std::string GetLocaleString(uint32_t locale, uint32_t item);
std::string GetLangAbbrev3(TZelLanguage language);
std::string GetLangAbbrev2(TZelLanguage language);
std::string GetNativeLangName(TZelLanguage language);

constexpr TZelLanguage SubLangId(TZelLanguage language) {
    return language >> 10;
}
constexpr TZelLanguage PrimaryLangId(TZelLanguage language) {
    return language & 0x3FF;
}
constexpr TZelLanguage MakeLangId(unsigned primary, unsigned sub) {
    return TZelLanguage((primary & 0xFF) | (sub << 10));
}
constexpr uint32_t MakeLcid(TZelLanguage language, unsigned sort) {
    return (uint32_t(sort) << 16) | language;
}

// Converts bytes from one code page to another (unchanged when both are the same).
std::string ConvertCodePage(const std::string& bytes, int from, int to);
// The text up to its first zero character, in the code page.
std::string WideToCodePage(std::u16string_view text, int codePage);

// Locale-aware comparison of byte strings (system code page) ignoring case and accents;
// -1, 0 or 1.
int CompareTextLocale(const std::string& a, const std::string& b, uint32_t locale);

// The 14 grammatical category names, indexed by category code.
class TZelCatIdList {
public:
    int32_t GetCount() const { return 14; }
    // Per-index access is not how names are read; it answers "ERROR".
    std::string Get(int32_t) const { return "ERROR"; }
    // The name of a category code; "" for a code outside the table.
    std::string GetCatId(int32_t code) const;
};
const TZelCatIdList& ZelCatIdList();

enum : uint32_t { ZelReplaceAll = 1, ZelReplaceIgnoreCase = 2 };
std::u16string WideReplace(const std::u16string& text, const std::u16string& pattern,
                           const std::u16string& replacement, uint32_t flags);

// A letter of any Unicode letter category, or the hyphen-minus.
bool IsCharOfWord(char16_t ch);
// A letter (any of the Unicode letter categories) and a decimal digit: the characters the
// sentence cutter and the morphological tokenizer keep together in runs.
bool ZelIsLetter(char16_t c);
bool ZelIsDigit(char16_t c);

// The command line holds the switch, introduced by "-" or "/", ignoring case.
bool IsCmdLineSwitch(const std::string& name);

// The integer value of a text (blanks around it, a sign, decimal or "$"/"0x" hexadecimal);
// raises EZelConvertError "'%s' is not a valid integer value" otherwise.
int64_t ZelStrToInt(const std::string& text);
// The boolean value of a text by the one rule of ZelParseBoolText; false for a text that
// has none.
bool StrToBool(const std::string& text);

// Replaces, in place, every occurrence of pattern in text, left to right, not overlapping.
void ReplaceAll(const std::string& pattern, std::string& text, const std::string& replacement);

// True when the file exists. When it does not and it lives on a removable, remote or
// optical drive, asks the user to Retry or Cancel, and checks again until it exists or the
// user cancels; on other drives shows "Cannot open file %s" and answers false.
bool CheckFileAvailable(const std::string& fileName);

// The lines of a text: split at LF, a CR before the LF dropped; no line after a final LF.
std::vector<std::string> ZelSplitLines(const std::string& text);
