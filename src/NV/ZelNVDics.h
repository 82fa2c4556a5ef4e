// The product's dictionary types and their builders, registered in the order that is also
// the order of every language pair's dictionaries: main, grammar notes, the two lexical-note
// dictionaries, annotations, then the two morphologies.
#pragma once

#include "ZelDM4.h"
#include "ZelDicSlv2.h"

// The product's translation dictionaries: the headword list shows multi-word headwords from
// the start when the dictionary has a multi-word filter.
class TZelDicNV : public TZelDicSlv2 {
public:
    using TZelDicSlv2::TZelDicSlv2;
    bool MultiwordsShownByDefault() override { return HasMultiwordFilter(); }
};

// A builder of one of the product's DD6 types: it serves English to Italian and Italian to
// English.
class TZelNVDD6Builder : public TZelDicSlv2Builder {
public:
    using TZelDicSlv2Builder::TZelDicSlv2Builder;
    void EnumLanguagePairs(const TZelAddPairProc& addPair) override;
};

// Installation type identifiers.
extern const char* const ZelTypeNV;   // "DD6KNV1"
extern const char* const ZelTypeNVGn; // "DD6KNVGN1"
extern const char* const ZelTypeNVLl; // "DD6KNVLL1"
extern const char* const ZelTypeNVLn; // "DD6KNVLN1"
extern const char* const ZelTypeAnn;  // "AnnKNV1"

// The annotations builder: the user's notes on the headwords of both directions.
class TZelAnnBuilder : public TZelNVDD6Builder {
public:
    TZelAnnBuilder();
};

// The product's morphologies.
class TZelNVMorphBuilder_en : public TZelDM4Builder {
public:
    TZelNVMorphBuilder_en();
};

class TZelNVMorphBuilder_it : public TZelDM4Builder {
public:
    TZelNVMorphBuilder_it();
};

extern const char* const ZelTypeMorphEn; // "DM4KNVEN1"
extern const char* const ZelTypeMorphIt; // "DM4KNVIT1"

// Makes the dictionary object of the product's translation class.
ZelRef<TZelDD6> ZelMakeDicNV(const ZelRef<TZelDD6Master>& master, TZelLanguage source,
                             TZelLanguage target);

// Registers the product's builders (once per process).
void ZelRegisterNVBuilders();

// The type identifiers of the product's builders: an installed dictionary is found when its
// installation name begins with one of them.
std::vector<std::string> ZelNVTypeIds();
