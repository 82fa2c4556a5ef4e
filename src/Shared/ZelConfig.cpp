#include "ZelConfig.h"

const std::vector<TZelPropInfo>& TZelFontConfig::GetProperties() const {
    static const std::vector<TZelPropInfo> properties = {
        ZelStringProp("Name", &TZelFontConfig::Name),
        ZelIntProp("Size", &TZelFontConfig::Size),
        ZelSetProp("Style", &TZelFontConfig::Style,
                   {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}),
        ZelIntProp("Color", &TZelFontConfig::Color),
    };
    return properties;
}

const std::vector<TZelPropInfo>& TZelDicLookConfig::GetProperties() const {
    static const std::vector<TZelPropInfo> properties = {
        ZelObjectProp("DefaultTextFont", &TZelDicLookConfig::DefaultTextFont),
        ZelObjectProp("LangConfigList", &TZelDicLookConfig::LangConfigList),
        ZelBoolProp("SpellCheckerEnabled", &TZelDicLookConfig::SpellCheckerEnabled),
    };
    return properties;
}

void TZelDicLookConfig::Validate() {
    LangConfigList.Validate();
}
