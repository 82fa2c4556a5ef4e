#include "ZelLXQueryField.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"
#include "ZelWideStrings.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

const std::vector<TZelOpKind>& ZelQueryFieldOperators(TZelLXQueryFieldKind kind) {
    static const std::vector<TZelOpKind> table[7] = {
        {okEqInt},
        {okWholeWords, okEqInt},
        {okEqInt},
        {okEqInt},
        {okBeginsWith, okContains, okEndsWith, okWildcards, okLengthIs},
        {okWholeWords, okNear},
        {okBeginsWith, okContains, okEndsWith, okWildcards, okLengthIs, okAnagramOf, okDiscardOf,
         okWedgeOf, okExchangeOf, okIsPalindrome, okIsDoubleFaced, okContainsTheOnlyConsonants,
         okContainsTheOnlyVowels},
    };
    return table[kind <= qkWordForm ? kind : qkT];
}

TZelLXQueryFieldKind ZelQueryFieldKindOf(const std::string& letter) {
    switch (letter.empty() ? 'T' : letter[0]) {
    case 'C':
        return qkC;
    case 'X':
        return qkX;
    case 'D':
        return qkD;
    case 'I':
        return qkI;
    case 'S':
        return qkS;
    default:
        return qkT;
    }
}

namespace {

// The template's first "%s" becomes the value and "%%" a "%"; nothing else is interpreted,
// so a data file can never use the template as a format string.
std::string ApplyTemplate(const std::string& templ, const std::string& value) {
    std::string out;
    bool substituted = false;
    for (size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] == '%' && i + 1 < templ.size()) {
            if (templ[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (templ[i + 1] == 's' && !substituted) {
                out += value;
                substituted = true;
                ++i;
                continue;
            }
        }
        out += templ[i];
    }
    return out;
}

std::unique_ptr<TZelQueryValues> ParseValues(const TZelIniFile& ini, const std::string& section) {
    const auto& lines = ini.ReadSectionValues(section);
    if (lines.empty())
        return nullptr;
    auto values = std::make_unique<TZelQueryValues>();
    size_t first = 0;
    std::string templ;
    bool hasTemplate = lines[0].first == "Template";
    if (hasTemplate) {
        templ = lines[0].second;
        first = 1;
    }
    for (size_t i = first; i < lines.size(); ++i) {
        values->Names.push_back(lines[i].first);
        values->Patterns.push_back(hasTemplate ? ApplyTemplate(templ, lines[i].second)
                                               : lines[i].second);
    }
    return values;
}

std::unique_ptr<TZelLXQueryField> MakePlainField(TZelQueryFieldParameter* parameter, int32_t index,
                                                 const TZelIniFile& ini) {
    return std::make_unique<TZelLXQueryField>(parameter, index, ini);
}

} // namespace

TZelLXQueryField::TZelLXQueryField(TZelQueryFieldParameter* parameter, TZelLXQueryFieldKind kind,
                                   const std::string& name)
    : Name(name), Kind(kind), Parameter(parameter) {}

TZelLXQueryField::TZelLXQueryField(TZelQueryFieldParameter* parameter, int32_t index,
                                   const TZelIniFile& ini)
    : Kind(qkT), Index(index), Parameter(parameter) {
    std::string number = std::to_string(index + 1);
    std::string info = "Info_" + number;
    Name = ini.ReadString(info, "Name", "Field" + number);
    HasMore = ini.ReadBool(info, "HasMore", false);
    IsMarker = ini.ReadBool(info, "IsMarker", false);
    Kind = ZelQueryFieldKindOf(ini.ReadString(info, "Kind", "T"));
    int cp = ZelGetSystemCodePage();
    for (const std::string& element : ZelParseCommaText(ini.ReadString(info, "Fields", "Lemma")))
        Fields.push_back(ZelCodePageToWide(element, cp));
    if (Kind == qkX)
        CustomName = ini.ReadString(info, "CustomName", "-");
    if (Kind != qkC && Kind != qkX)
        return;
    Values = ParseValues(ini, "Values_" + number);
    if (HasMore && Values)
        for (size_t j = 1; j <= Values->Names.size(); ++j)
            Values->SubValues.push_back(
                ParseValues(ini, "Values_" + number + "_" + std::to_string(j)));
}

TZelLXQueryField::~TZelLXQueryField() = default;

TZelLXQueryFields::TZelLXQueryFields() : TZelLXQueryFields(MakePlainField, nullptr) {}

TZelLXQueryFields::TZelLXQueryFields(TZelQueryFieldFactory factory,
                                     TZelQueryFieldParameter* parameter)
    : Factory(std::move(factory)), Parameter(parameter) {}

void TZelLXQueryFields::LoadFromFile(const std::string& path) {
    LoadFromIni(TZelIniFile::FromFile(path));
}

void TZelLXQueryFields::LoadFromIni(const TZelIniFile& ini) {
    int64_t count = ini.ReadInteger("Fields", "Count", 0);
    // A field description is a few lines; a count beyond what a file can describe is noise.
    for (int64_t k = 0; k < count && k < 10000; ++k)
        Add(Factory(Parameter, int32_t(k), ini));
}

TZelLXQueryField& TZelLXQueryFields::Get(int32_t index) const {
    if (index < 0 || index >= GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    return *Items[size_t(index)];
}

void TZelLXQueryFields::Add(std::unique_ptr<TZelLXQueryField> field) {
    field->Index = GetCount();
    Items.push_back(std::move(field));
}

std::unique_ptr<TZelWideStringList> ZelNewCodeOrderList() {
    auto list = std::make_unique<TZelWideStringList>();
    list->Compare = [](const std::u16string& a, const std::u16string& b, uint32_t) {
        return a < b ? -1 : (a == b ? 0 : 1);
    };
    list->Duplicates = TZelDuplicates::Ignore;
    list->SetSorted(true);
    return list;
}

void SplitQueryWords(const TZelLXQueryField*, const std::u16string& text, TZelWideStringList& list,
                     const std::u16string& extraCharacters) {
    // Lower-case, then simple case folding, one code point at a time.
    std::u16string folded;
    for (size_t i = 0; i < text.size();) {
        UChar32 c;
        U16_NEXT(text.data(), i, text.size(), c);
        c = u_foldCase(u_tolower(c), U_FOLD_CASE_DEFAULT);
        UChar units[2];
        int32_t n = 0;
        U16_APPEND_UNSAFE(units, n, c);
        folded.append(reinterpret_cast<const char16_t*>(units), size_t(n));
    }
    auto isWordPart = [&](UChar32 c) {
        return c == u'-' || u_isalpha(c) ||
               (c <= 0xFFFF && extraCharacters.find(char16_t(c)) != std::u16string::npos);
    };
    size_t i = 0;
    while (i < folded.size()) {
        size_t start = i;
        UChar32 c;
        U16_NEXT(folded.data(), i, folded.size(), c);
        if (!isWordPart(c))
            continue;
        size_t end = i;
        while (end < folded.size()) {
            size_t next = end;
            U16_NEXT(folded.data(), next, folded.size(), c);
            if (!isWordPart(c))
                break;
            end = next;
        }
        list.Add(folded.substr(start, end - start));
        i = end;
    }
}
