// The settings objects of the look-up programs: the base with its validation and
// comparison, the font the texts are shown in, and the look-up settings (the text font,
// the configuration of every language pair, the spell checker switch). Persisted as
// "Config" under the product's settings key (the tagged property stream of ZelPersistent).
#pragma once

#include "ZelLangConfig.h"
#include "ZelPersistent.h"

#include <cstdint>
#include <string>

class TZelConfig : public TZelPersistent {
public:
    // Called after every load and after the defaults are taken.
    virtual void Validate() {}
    // True for objects of the same class whose persisted properties are all equal.
    bool SameAs(const TZelConfig& other) const { return SamePersistent(this, &other); }
    // Copies every persisted property of an object of the same class; raises "Unexpected
    // type" for a property of an unsupported kind.
    void Assign(const TZelConfig& source) { CopyPersistent(*this, source); }
};

// A font as the settings keep it.
class TZelFontConfig : public TZelPersistent {
public:
    enum : uint32_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    const std::vector<TZelPropInfo>& GetProperties() const override;

    std::string Name = "Arial";
    int32_t Size = 10; // points
    uint32_t Style = 0;
    int32_t Color = 0; // 0xBBGGRR, 0 for black
};

class TZelDicLookConfig : public TZelConfig {
public:
    const std::vector<TZelPropInfo>& GetProperties() const override;
    // Brings every language configuration in line with the installed dictionaries.
    void Validate() override;

    TZelFontConfig DefaultTextFont;
    TZelLangConfigList LangConfigList;
    bool SpellCheckerEnabled = false;
};
