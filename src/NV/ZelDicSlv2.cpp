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

bool TZelDicSlv2Builder::AddInstalled(IZelDicList& list) {
    if (!TZelDD6Builder::AddInstalled(list))
        throw EZelError(ZelLoadStr(TZelResId::DictionaryNotFound));
    return true;
}
