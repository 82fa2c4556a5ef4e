#include "ZelDicSlv2.h"

#include "ZelResStrings.h"

std::string ZelUpToComma(const std::string& text) {
    return text.substr(0, text.find(','));
}

int TZelDicSlv2::CompareLuLoose(IZelLu& lu, const std::string& text) {
    return CompareSystemTexts(ZelUpToComma(lu.GetText()), ZelUpToComma(text), true);
}

int TZelDicSlv2::CompareLuExact(IZelLu& lu, const std::string& text) {
    return CompareSystemTexts(ZelUpToComma(lu.GetText()), ZelUpToComma(text), false);
}

ZelRef<IZelArrayCursor> TZelDicSlv2::LookupLu(const std::u16string& text,
                                              const std::u16string& alternative, int32_t ordinal,
                                              uint8_t catCode) {
    ZelRef<IZelArrayCursor> exact = TZelDD6::LookupLu(text, alternative, ordinal, catCode);
    const std::u16string& searched = alternative.empty() ? text : alternative;
    if (ordinal != -1 || searched.find(u',') != std::u16string::npos ||
        GetLuStyle() != ZelLuStyleOrdinal)
        return exact;
    ZelRef<IZelArrayCursor> entries = GetEntries();
    ZelRef<TZelLu> key = ZelMake<TZelLu>(ZelRef<IZelDic>(this), searched, -1, catCode);
    int32_t index = 0;
    if (!entries || !FindLu(*entries, *key, index))
        return exact;
    // The loosely equal run holds the headwords and the comma-qualified ones in order.
    std::string keyText = key->GetText();
    ZelRef<IZelLu> element = ZelQuery<IZelLu>(entries);
    ZelRef<TZelArrayCursorFilter> result = ZelMake<TZelArrayCursorFilter>(entries);
    for (int32_t i = index; i < entries->GetCount(); ++i) {
        entries->SetIndex(i);
        if (CompareLuLoose(*element, keyText) != 0)
            break;
        if (CompareLuExact(*element, keyText) == 0)
            result->Add(i);
    }
    return result->GetCount() > 0 ? ZelRef<IZelArrayCursor>(result) : exact;
}

bool TZelDicSlv2Builder::AddInstalled(IZelDicList& list) {
    if (!TZelDD6Builder::AddInstalled(list))
        throw EZelError(ZelLoadStr(TZelResId::DictionaryNotFound));
    return true;
}
