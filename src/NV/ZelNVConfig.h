// The product's settings object: the look-up settings, with the installation defaults the
// product starts from (four views for each language pair: the main dictionary, the
// grammar notes, the lexical notes and the user's annotations).
#pragma once

#include "ZelConfig.h"

class TZelNVConfig : public TZelDicLookConfig {
public:
    // The inherited validation, then the installation defaults when no language pair is
    // configured yet.
    void Validate() override;

private:
    void AddInstallationDefaults(TZelLanguage source, TZelLanguage target);
};
