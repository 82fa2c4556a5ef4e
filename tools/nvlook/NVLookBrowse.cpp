// nvlook dicts, headwords and fields: what is installed, and what a dictionary holds.
#include "NVLook.h"

#include "ZelLXQueryField.h"

#include <algorithm>
#include <cstdio>

namespace nvlook {

namespace {

// One headword of a list: plain "text [ordinal]" or a JSON object.
void AddHeadword(IZelDic& dic, IZelLu& lu, const TOptions& options, std::vector<TJson>& json) {
    bool numbered = dic.GetLuStyle() == ZelLuStyleOrdinal;
    if (options.Json) {
        TJson item = {{"headword", Utf8(lu.GetWideText())}};
        if (numbered)
            item["ordinal"] = lu.GetOrdinal();
        json.push_back(item);
        return;
    }
    std::string line = Printable(lu.GetWideText());
    if (numbered && lu.GetOrdinal() > 1)
        line += " " + std::to_string(lu.GetOrdinal());
    std::printf("%s\n", line.c_str());
}

} // namespace

// Prints a list of headwords (a cursor over a dictionary's headwords, or a search result).
int PrintHeadwords(const TOptions& options, IZelDic& dic, IZelArrayCursor& cursor, int32_t start,
                   int32_t end) {
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(&cursor);
    std::vector<TJson> json;
    for (int32_t i = start; i < end; ++i) {
        cursor.SetIndex(i);
        AddHeadword(dic, *lu, options, json);
    }
    if (options.Json)
        PrintJsonArray(json);
    return end > start ? 0 : 1;
}

int Headwords(const TOptions& options, const std::string& id, const std::string& prefix) {
    ZelRef<IZelDic> dic = DictionaryById(id);
    ZelRef<IZelArrayCursor> entries = dic->GetEntries();
    if (!entries)
        return 1;
    int32_t start = 0;
    if (!prefix.empty()) {
        ZelRef<TZelLu> key = ZelMake<TZelLu>(dic, FromUtf8(prefix), -1, uint8_t(0));
        dic->FindLu(*entries, *key, start);
    }
    return PrintHeadwords(options, *dic, *entries, start,
                          std::min(entries->GetCount(), start + 20));
}

int Dicts(const TOptions& options) {
    ZelRef<IZelDicList> list = GetDicList();
    std::vector<TJson> json;
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = list->GetDic(i);
        std::string languages = LanguageCode(dic->GetSourceLang());
        if (dic->IsBilingual())
            languages += "-" + LanguageCode(dic->GetTargetLang());
        if (options.Json)
            json.push_back(
                {{"id", dic->GetId()}, {"languages", languages}, {"name", Utf8(dic->GetName())}});
        else
            std::printf("%-16s %-6s %s\n", Printable(dic->GetId()).c_str(), languages.c_str(),
                        Printable(dic->GetName()).c_str());
    }
    if (options.Json)
        PrintJsonArray(json);
    return list->GetCount() > 0 ? 0 : 1;
}

int Fields(const TOptions& options, const std::string& id) {
    ZelRef<IZelDic> dic = DictionaryById(id);
    TZelLXQueryFields* fields = dic->GetQueryFields();
    std::vector<TJson> json;
    for (int32_t i = 0; fields && i < fields->GetCount(); ++i) {
        TZelLXQueryField& field = fields->Get(i);
        const TZelQueryValues* values = field.GetValues();
        std::vector<std::string> operators;
        for (TZelOpKind kind : ZelQueryFieldOperators(field.Kind))
            operators.push_back(OperatorName(kind));
        std::vector<std::string> names;
        for (size_t v = 0; values && v < values->Names.size(); ++v)
            names.push_back(FromSystem(values->Names[v]));
        if (options.Json) {
            json.push_back({{"number", i + 1},
                            {"name", FromSystem(field.Name)},
                            {"operators", operators},
                            {"values", names}});
            continue;
        }
        std::string line = std::to_string(i + 1) + " " + Printable(FromSystem(field.Name)) + " (";
        for (size_t o = 0; o < operators.size(); ++o)
            line += (o ? ", " : "") + operators[o];
        std::printf("%s)\n", line.c_str());
        for (size_t v = 0; v < names.size(); ++v)
            std::printf("    %zu %s\n", v + 1, Printable(names[v]).c_str());
    }
    if (options.Json)
        PrintJsonArray(json);
    return fields && fields->GetCount() > 0 ? 0 : 1;
}

} // namespace nvlook
