#include "ZelUtils.h"

#include "ZelHelpers.h"

#include "ZelCodePage.h"
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelLocale.h"
#include "ZelResStrings.h"

#include <unicode/uchar.h>

#include <cctype>
#include <map>

namespace {

// Three-letter abbreviations of the languages whose Windows names do not follow from their
// ISO codes (and of the common ones, to be independent of the locale data's version).
const std::map<TZelLanguage, const char*>& Abbrev3Table() {
    static const std::map<TZelLanguage, const char*> table = {
        {0x0401, "ARA"}, {0x0402, "BGR"}, {0x0403, "CAT"}, {0x0404, "CHT"}, {0x0405, "CSY"},
        {0x0406, "DAN"}, {0x0407, "DEU"}, {0x0408, "ELL"}, {0x0409, "ENU"}, {0x040A, "ESP"},
        {0x040B, "FIN"}, {0x040C, "FRA"}, {0x040D, "HEB"}, {0x040E, "HUN"}, {0x040F, "ISL"},
        {0x0410, "ITA"}, {0x0411, "JPN"}, {0x0412, "KOR"}, {0x0413, "NLD"}, {0x0414, "NOR"},
        {0x0415, "PLK"}, {0x0416, "PTB"}, {0x0418, "ROM"}, {0x0419, "RUS"}, {0x041A, "HRV"},
        {0x041B, "SKY"}, {0x041D, "SVE"}, {0x041F, "TRK"}, {0x0422, "UKR"}, {0x0424, "SLV"},
        {0x0425, "ETI"}, {0x0426, "LVI"}, {0x0427, "LTH"}, {0x0804, "CHS"}, {0x0807, "DES"},
        {0x0809, "ENG"}, {0x080A, "ESM"}, {0x080C, "FRB"}, {0x0810, "ITS"}, {0x0816, "PTG"},
        {0x0C07, "DEA"}, {0x0C09, "ENA"}, {0x0C0A, "ESN"}, {0x0C0C, "FRC"}, {0x1009, "ENC"},
        {0x100C, "FRS"}, {0x1409, "ENZ"}, {0x1809, "ENI"},
    };
    return table;
}

std::string ToSystem(const std::u16string& text) {
    return ZelWideToCodePage(text, ZelGetSystemCodePage());
}

[[noreturn]] void RaiseNoLocaleData() {
    throw EZelOSError(ZelLoadStr(TZelResId::ParameterIncorrect), 87);
}

std::string Abbrev3(TZelLanguage language) {
    if (SubLangId(language) == 0)
        language = MakeLangId(language, 1);
    auto it = Abbrev3Table().find(language);
    if (it != Abbrev3Table().end())
        return it->second;
    std::string iso = ZelIsoLanguageCode(language);
    if (iso.empty())
        RaiseNoLocaleData();
    std::string country = ZelIsoCountryCode(language);
    return ZelAsciiUpperCase(iso.substr(0, 2)) +
           (country.empty() ? std::string("X") : ZelAsciiUpperCase(country.substr(0, 1)));
}

} // namespace

std::string GetLocaleString(uint32_t locale, uint32_t item) {
    auto language = TZelLanguage(locale & 0xFFFF);
    std::u16string text;
    switch (item) {
    case ZelLocaleAbbrevLangName:
        return Abbrev3(language);
    case ZelLocaleNativeLangName:
        text = ZelNativeLanguageName(language);
        break;
    case ZelLocaleLanguage:
    case ZelLocaleEnglishLanguage:
        text = ZelEnglishLanguageName(language);
        break;
    case ZelLocaleIso639Name:
        text = ZelCodePageToWide(ZelIsoLanguageCode(language), ZelCpUtf8);
        break;
    case ZelLocaleIso3166Name:
        text = ZelCodePageToWide(ZelIsoCountryCode(language), ZelCpUtf8);
        break;
    default:
        RaiseNoLocaleData();
    }
    if (text.empty())
        RaiseNoLocaleData();
    return ToSystem(text);
}

std::string GetLangAbbrev3(TZelLanguage language) {
    return GetLocaleString(MakeLcid(language, 0), ZelLocaleAbbrevLangName);
}

std::string GetLangAbbrev2(TZelLanguage language) {
    return GetLangAbbrev3(language).substr(0, 2);
}

std::string GetNativeLangName(TZelLanguage language) {
    return GetLocaleString(MakeLcid(language, 0), ZelLocaleNativeLangName);
}

std::string ConvertCodePage(const std::string& bytes, int from, int to) {
    if (from == to)
        return bytes;
    return ZelWideToCodePage(ZelCodePageToWide(bytes, from), to);
}

std::string WideToCodePage(std::u16string_view text, int codePage) {
    size_t zero = text.find(u'\0');
    return ZelWideToCodePage(text.substr(0, zero), codePage);
}

int CompareTextLocale(const std::string& a, const std::string& b, uint32_t locale) {
    int cp = ZelGetSystemCodePage();
    return ZelCompareLocale(TZelLanguage(locale & 0xFFFF), ZelCodePageToWide(a, cp),
                            ZelCodePageToWide(b, cp), TZelCollationStrength::Loose);
}

std::string TZelCatIdList::GetCatId(int32_t code) const {
    static const char* const names[14] = {"undefined", "adj",  "n",   "adv",  "v",    "pre", "pron",
                                          "conj",      "inte", "pun", "abbr", "pref", "suf", "art"};
    return code >= 0 && code < 14 ? names[code] : "";
}

const TZelCatIdList& ZelCatIdList() {
    static const TZelCatIdList list;
    return list;
}

std::u16string WideReplace(const std::u16string& text, const std::u16string& pattern,
                           const std::u16string& replacement, uint32_t flags) {
    if (pattern.empty())
        return text;
    bool ignoreCase = (flags & ZelReplaceIgnoreCase) != 0;
    // Upper-casing keeps every character in place, so positions found in the upper-cased
    // text are positions in the original.
    std::u16string searchText = ignoreCase ? ZelUpperCase(text) : text;
    std::u16string searchPattern = ignoreCase ? ZelUpperCase(pattern) : pattern;
    std::u16string out;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t hit = searchText.find(searchPattern, pos);
        if (hit == std::u16string::npos)
            break;
        out.append(text, pos, hit - pos);
        out += replacement;
        pos = hit + pattern.size();
        if (!(flags & ZelReplaceAll))
            break;
    }
    if (pos < text.size())
        out.append(text, pos, std::u16string::npos);
    return out;
}

bool IsCharOfWord(char16_t ch) {
    return ch == u'-' || u_isalpha(ch);
}

bool ZelIsLetter(char16_t c) {
    switch (u_charType(c)) {
    case U_UPPERCASE_LETTER:
    case U_LOWERCASE_LETTER:
    case U_TITLECASE_LETTER:
    case U_MODIFIER_LETTER:
    case U_OTHER_LETTER:
        return true;
    default:
        return false;
    }
}

bool ZelIsDigit(char16_t c) {
    return u_charType(c) == U_DECIMAL_DIGIT_NUMBER;
}

bool IsCmdLineSwitch(const std::string& name) {
    std::string wanted = ZelAsciiUpperCase(name);
    for (const std::string& arg : ZelGetCommandLine())
        if (!arg.empty() && (arg[0] == '-' || arg[0] == '/') &&
            ZelAsciiUpperCase(arg.substr(1)) == wanted)
            return true;
    return false;
}

int64_t ZelStrToInt(const std::string& text) {
    if (std::optional<int64_t> value = ZelParseInteger(text))
        return *value;
    throw EZelConvertError(ZelFormat(ZelLoadStr(TZelResId::NotAnInteger), {text}));
}

bool StrToBool(const std::string& text) {
    return ZelParseBoolText(text).value_or(false);
}

void ReplaceAll(const std::string& pattern, std::string& text, const std::string& replacement) {
    if (pattern.empty())
        return;
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = text.find(pattern, pos)) != std::string::npos;
         pos = hit + pattern.size()) {
        out.append(text, pos, hit - pos);
        out += replacement;
    }
    out.append(text, pos, std::string::npos);
    text = std::move(out);
}

bool CheckFileAvailable(const std::string& fileName) {
    for (;;) {
        if (ZelFileExists(fileName))
            return true;
        TZelDriveType drive = ZelGetDriveType(fileName);
        std::string text = ZelFormat(ZelLoadStr(TZelResId::CannotOpenFileShort), {fileName});
        std::string caption = ZelLoadStr(TZelResId::ErrorCaption);
        if (drive == TZelDriveType::Fixed) {
            ZelDialogs().MessageBox(caption, text, TZelMsgButtons::Ok, TZelMsgIcon::Error);
            return false;
        }
        TZelResId where = drive == TZelDriveType::Removable ? TZelResId::OnRemovableDrive
                          : drive == TZelDriveType::Remote  ? TZelResId::OnRemoteDrive
                                                            : TZelResId::OnCdRom;
        text = ZelFormat(ZelLoadStr(TZelResId::CannotOpenFileShort) + " (%s).",
                         {fileName, ZelLoadStr(where)});
        if (ZelDialogs().MessageBox(caption, text, TZelMsgButtons::RetryCancel,
                                    TZelMsgIcon::Error) != TZelMsgResult::Retry)
            return false;
    }
}

std::vector<std::string> ZelSplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}
