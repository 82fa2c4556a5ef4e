#include "ZelNVConfig.h"

#include "ZelErrors.h"

namespace {

// The look-up mode of each dictionary position (main, grammar notes, lexical notes by
// headword, by title, annotations) in each of the four views, and the views that show a
// horizontal scroll bar.
constexpr TZelLookupMode A = lmAlways;
constexpr TZelLookupMode N = lmNever;
constexpr TZelLookupMode DefaultModes[4][5] = {
    {A, N, N, N, N},
    {N, A, N, N, N},
    {N, N, A, A, N},
    {N, N, N, N, A},
};
constexpr bool DefaultScrollbar[4] = {false, true, true, false};

} // namespace

void TZelNVConfig::Validate() {
    bool fresh = LangConfigList.GetItemCount() == 0;
    TZelDicLookConfig::Validate();
    if (!fresh)
        return;
    AddInstallationDefaults(ZelLangEnglish, ZelLangItalian);
    AddInstallationDefaults(ZelLangItalian, ZelLangEnglish);
}

void TZelNVConfig::AddInstallationDefaults(TZelLanguage source, TZelLanguage target) {
    TZelLangConfig* config = LangConfigList.FindOrAdd(source, target);
    if (!config)
        return;
    ZEL_ASSERT(config->DicViewConfigList.GetItemCount() == 1);
    for (int view = 1; view < 4; ++view) {
        TZelDicViewConfig& added = config->DicViewConfigList.AddItem();
        ZelSynchronizeView(added, source, target);
    }
    for (int view = 0; view < 4; ++view) {
        TZelDicViewConfig& v = config->DicViewConfigList.GetItem(view);
        // An installation with fewer dictionaries than the product's five leaves the
        // positions that do not exist alone.
        for (int position = 0; position < 5 && position < v.DicConfigList.GetItemCount();
             ++position)
            v.DicConfigList.GetItem(position).LookupMode = DefaultModes[view][position];
        if (DefaultScrollbar[view])
            v.HorzScrollbar = true;
    }
}
