// The product's DD6 dictionary class: headwords compare only up to their first comma, so
// "bank, river" is found when "bank" is asked for. Its builder refuses to go on when an
// installed dictionary cannot be opened.
#pragma once

#include "ZelDD6.h"

class TZelDicSlv2 : public TZelDD6 {
public:
    using TZelDD6::TZelDD6;
    int CompareLuLoose(IZelLu& lu, const std::string& text) override;
    int CompareLuExact(IZelLu& lu, const std::string& text) override;
    // Besides the headwords equal to the text, a bare word (no comma, any homograph) finds
    // the comma-qualified headwords it begins: "bank" finds "bank, river".
    ZelRef<IZelArrayCursor> LookupLu(const std::u16string& text, const std::u16string& alternative,
                                     int32_t ordinal, uint8_t catCode) override;
};

class TZelDicSlv2Builder : public TZelDD6Builder {
public:
    using TZelDD6Builder::TZelDD6Builder;
    // Raises "A dictionary was not found: the application will be terminated" when an
    // installed dictionary of the type cannot be opened.
    bool AddInstalled(IZelDicList& list) override;
};

// The part of a text before its first comma (the whole text when it has none).
std::string ZelUpToComma(const std::string& text);
