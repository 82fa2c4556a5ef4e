// The language pairs the registered dictionary types serve: for each source language, the
// target languages reachable from it, each once, in order of first report.
#pragma once

#include "ZelDic.h"

#include <vector>

class TZelLangList {
public:
    int32_t GetCount() const { return int32_t(Items.size()); }
    int32_t IndexOfSource(TZelLanguage language) const;
    int32_t IndexOfTarget(int32_t sourceIndex, TZelLanguage language) const;
    TZelLanguage GetSource(int32_t index) const;
    int32_t GetTargetCount(int32_t index) const;
    TZelLanguage GetTarget(int32_t index, int32_t target) const;

    // Both languages are reduced to their primary part; duplicates are ignored.
    void AddPair(TZelLanguage source, TZelLanguage target);
    void Clear() { Items.clear(); }
    // Asks every registered builder, in registration order, for its language pairs.
    void Rebuild();

private:
    const std::vector<TZelLanguage>& Item(int32_t index) const;
    // Item i: the source language, then its targets.
    std::vector<std::vector<TZelLanguage>> Items;
};

// The one language list of the process.
TZelLangList& ZelLangList();
