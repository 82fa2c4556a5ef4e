// nvlook forms and search: word-form searches over every inflected form of a language, and
// advanced searches over the fields of a dictionary's entries.
#include "NVLook.h"

#include "ZelCodePage.h"
#include "ZelHelpers.h"
#include "ZelLXQuery.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace nvlook {

namespace {

// The command line's short names of the engine's operators.
const std::vector<std::pair<TZelOpKind, const char*>>& OperatorNames() {
    static const std::vector<std::pair<TZelOpKind, const char*>> names = {
        {okAnagramOf, "anagram"},
        {okDiscardOf, "discard"},
        {okExchangeOf, "exchange"},
        {okWedgeOf, "wedge"},
        {okBeginsWith, "begins"},
        {okContains, "contains"},
        {okEndsWith, "ends"},
        {okWildcards, "wildcards"},
        {okContainsWildcards, "contains-wildcards"},
        {okLengthIs, "length"},
        {okIsPalindrome, "palindrome"},
        {okIsDoubleFaced, "double-faced"},
        {okContainsTheOnlyConsonants, "consonants"},
        {okContainsTheOnlyVowels, "vowels"},
        {okWholeWords, "words"},
        {okNear, "near"},
        {okRE, "regex"},
        {okEqInt, "equal"},
    };
    return names;
}

// A whole number the user typed, checked against its range.
int32_t ParseCount(const std::string& text, const char* what, int32_t low, int32_t high) {
    bool digits = !text.empty() && text.size() <= 9 &&
                  text.find_first_not_of("0123456789") == std::string::npos;
    int32_t value = digits ? int32_t(std::stol(text)) : -1;
    if (!digits || value < low || value > high)
        throw TUsageError(std::string(what) + " must be a whole number from " +
                          std::to_string(low) + " to " + std::to_string(high) + ", not \"" +
                          Printable(text) + "\"");
    return value;
}

// A value typed by the user in the system code page, or none when the code page cannot
// hold it (no word can then match it).
bool ValueBytes(const std::string& utf8, std::string& bytes) {
    return ZelTryWideToCodePage(FromUtf8(utf8), ZelGetSystemCodePage(), bytes);
}

// Runs a search, showing its progress on stderr when stderr is a terminal.
void RunWithProgress(TZelLXQuery& query) {
    bool progress = isatty(STDERR_FILENO) != 0;
    query.OnProgress = [progress](TZelLXQuery&, int32_t done, int32_t found, int32_t total) {
        if (progress && total > 0)
            std::fprintf(stderr, "\r%3d%%  %d found", int(100LL * done / total), found);
        return false;
    };
    query.Run();
    if (progress)
        std::fputs("\r\x1b[K", stderr);
}

// A condition that tests nothing: the matcher's own message when a value is not valid.
[[noreturn]] void RaiseEmptyCondition(TZelLXQuery& query, const std::string& op) {
    std::string error = query.GetConditionError();
    throw TUsageError(error.empty() ? "The operator " + Printable(op) + " needs a value" : error);
}

void CheckOffered(TZelOpKind kind, const std::vector<TZelOpKind>& offered, const std::string& where,
                  const std::string& op) {
    if (std::find(offered.begin(), offered.end(), kind) == offered.end())
        throw TUsageError(where + " has no operator " + Printable(op));
}

void SetValue(TZelLXQueryItemData& item, const std::string& value) {
    if (item.Operator == okLengthIs) {
        item.Arg1 = std::to_string(ParseCount(value, "A length", 1, 1000));
        return;
    }
    if (!ValueBytes(value, item.Arg1))
        throw EZelError("The value \"" + Printable(value) +
                        "\" holds characters no headword or form can hold");
}

} // namespace

std::string OperatorName(TZelOpKind kind) {
    for (const auto& [k, name] : OperatorNames())
        if (k == kind)
            return name;
    return ZelOpCaption(kind);
}

TZelOpKind OperatorOf(const std::string& name) {
    for (const auto& [kind, n] : OperatorNames())
        if (name == n)
            return kind;
    throw TUsageError("Unknown operator \"" + Printable(name) + "\"");
}

int Forms(const TOptions& options, const std::string& language, const std::string& op,
          const std::vector<std::string>& values) {
    if (values.size() > 1)
        throw TUsageError("forms needs LANG, OPERATOR and (for most operators) one VALUE");
    ZelRef<IZelDicMorph> morph = RequireMorphology(LanguageOf(language));
    ZelRef<TZelWordFormQuery> query = ZelMake<TZelWordFormQuery>();
    query->SetDic(ZelQuery<IZelDic>(morph));
    TZelLXQueryItemData& item = query->GetFieldData(0).Item(0);
    item.Operator = OperatorOf(op);
    CheckOffered(item.Operator, ZelQueryFieldOperators(qkWordForm), "A word-form search", op);
    try {
        if (!values.empty())
            SetValue(item, values[0]);
    } catch (const TUsageError&) {
        throw;
    } catch (const EZelError& e) {
        std::fprintf(stderr, "nvlook: %s\n", e.what());
        return 1;
    }
    if (query->IsEmpty())
        RaiseEmptyCondition(*query, op);
    RunWithProgress(*query);
    ZelRef<IZelArrayCursor> result = query->GetResult();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(result);
    std::vector<TJson> json;
    for (int32_t i = 0; i < result->GetCount(); ++i) {
        result->SetIndex(i);
        if (options.Json)
            json.push_back(Utf8(lu->GetWideText()));
        else
            std::printf("%s\n", Printable(lu->GetWideText()).c_str());
    }
    if (options.Json)
        PrintJsonArray(json);
    return result->GetCount() > 0 ? 0 : 1;
}

namespace {

// A field by its 1-based number or its name (any case).
int32_t FieldIndex(TZelLemmaQuery& query, const std::string& field) {
    for (int32_t i = 0; i < query.GetFieldCount(); ++i)
        if (ZelSameTextAscii(FromSystem(query.GetFieldData(i).GetField().Name), field) ||
            std::to_string(i + 1) == field)
            return i;
    throw TUsageError("No field \"" + Printable(field) + "\" (see nvlook fields)");
}

// The 1-based position of a value given by name or number.
std::string ValuePosition(TZelLXQueryField& field, const std::string& value) {
    if (const TZelQueryValues* values = field.GetValues())
        for (size_t v = 0; v < values->Names.size(); ++v)
            if (ZelSameTextAscii(FromSystem(values->Names[v]), value) ||
                std::to_string(v + 1) == value)
                return std::to_string(v + 1);
    throw TUsageError("No value \"" + Printable(value) + "\" in the field " +
                      Printable(FromSystem(field.Name)));
}

} // namespace

int Search(const TOptions& options, const std::string& id, const std::string& fieldName,
           const std::string& op, const std::vector<std::string>& values) {
    if (values.empty() || values.size() > 3)
        throw TUsageError("search needs DICT FIELD OPERATOR VALUE [VALUE2 [DISTANCE]]");
    ZelRef<IZelDic> dic = DictionaryById(id);
    ZelRef<TZelLemmaQuery> query = ZelMake<TZelLemmaQuery>();
    query->SetDic(dic);
    TZelLXQueryItemsData& data = query->GetFieldData(FieldIndex(*query, fieldName));
    TZelLXQueryItemData& item = data.Item(0);
    item.Operator = OperatorOf(op);
    CheckOffered(item.Operator, ZelQueryFieldOperators(data.GetField().Kind),
                 "The field " + Printable(FromSystem(data.GetField().Name)), op);
    if (item.Operator != okNear && values.size() > 1)
        throw TUsageError("Only near takes a second value and a distance");
    try {
        if (item.Operator == okEqInt)
            item.Arg1 = ValuePosition(data.GetField(), values[0]);
        else
            SetValue(item, values[0]);
        if (values.size() >= 2 && !ValueBytes(values[1], item.Arg2))
            throw EZelError("The value \"" + Printable(values[1]) +
                            "\" holds characters no headword or form can hold");
    } catch (const TUsageError&) {
        throw;
    } catch (const EZelError& e) {
        std::fprintf(stderr, "nvlook: %s\n", e.what());
        return 1;
    }
    if (values.size() == 3)
        item.NearDistance = ParseCount(values[2], "The distance", 0, 1000);
    if (query->IsEmpty())
        RaiseEmptyCondition(*query, op);
    RunWithProgress(*query);
    ZelRef<IZelArrayCursor> result = query->GetResult();
    return PrintHeadwords(options, *dic, *result, 0, result->GetCount());
}

} // namespace nvlook
