#include "ZelNVDics.h"

#include "ZelDD6Ex.h"

const char* const ZelTypeNV = "DD6KNV1";
const char* const ZelTypeNVGn = "DD6KNVGN1";
const char* const ZelTypeNVLl = "DD6KNVLL1";
const char* const ZelTypeNVLn = "DD6KNVLN1";
const char* const ZelTypeAnn = "AnnKNV1";
const char* const ZelTypeMorphEn = "DM4KNVEN1";
const char* const ZelTypeMorphIt = "DM4KNVIT1";

void TZelNVDD6Builder::EnumLanguagePairs(const TZelAddPairProc& addPair) {
    addPair(ZelLangEnglish, ZelLangItalian);
    addPair(ZelLangItalian, ZelLangEnglish);
}

ZelRef<TZelDD6> ZelMakeDicNV(const ZelRef<TZelDD6Master>& master, TZelLanguage source,
                             TZelLanguage target) {
    return ZelMake<TZelDicNV>(master, source, target);
}

TZelAnnBuilder::TZelAnnBuilder()
    : TZelNVDD6Builder(ZelTypeAnn,
                       [](const ZelRef<TZelDD6Master>& master, TZelLanguage s, TZelLanguage t) {
                           return ZelRef<TZelDD6>(ZelMake<TZelDD6Ex>(master, s, t));
                       }) {}

TZelNVMorphBuilder_en::TZelNVMorphBuilder_en() : TZelDM4Builder(ZelTypeMorphEn) {}

TZelNVMorphBuilder_it::TZelNVMorphBuilder_it() : TZelDM4Builder(ZelTypeMorphIt) {}

void ZelRegisterNVBuilders() {
    for (const char* type : {ZelTypeNV, ZelTypeNVGn, ZelTypeNVLl, ZelTypeNVLn})
        RegisterDicBuilder(ZelMake<TZelNVDD6Builder>(type, ZelMakeDicNV));
    RegisterDicBuilder(ZelMake<TZelAnnBuilder>());
    RegisterDicBuilder(ZelMake<TZelNVMorphBuilder_en>());
    RegisterDicBuilder(ZelMake<TZelNVMorphBuilder_it>());
}

std::vector<std::string> ZelNVTypeIds() {
    return {ZelTypeNV,  ZelTypeNVGn,    ZelTypeNVLl,   ZelTypeNVLn,
            ZelTypeAnn, ZelTypeMorphEn, ZelTypeMorphIt};
}
