// Sentence items made by hand for the window tests.
#pragma once

#include "ZelSentenceItem.h"

#include <string>
#include <vector>

// Category codes of the shared list: 1 adj, 2 n, 4 v, 6 pron, 13 art.
inline ZelRef<IZelSentenceItem> Reading(const std::u16string& lemma, const std::u16string& form,
                                        int32_t ordinal = 0, uint8_t category = 0,
                                        const std::string& descriptions = {}) {
    ZelRef<IZelSentenceItem> item = ZelMake<TZelSentenceItem>(ZelItemReading, ZelLangItalian);
    item->SetLemma(lemma);
    item->SetWordForm(form);
    item->SetOrdinal(ordinal);
    item->SetCatCode(category);
    item->SetKnown(lemma.empty() ? 0 : 1);
    if (!descriptions.empty())
        item->AddDescription(descriptions);
    return item;
}

inline ZelRef<IZelSentenceItem> Group(uint8_t kind,
                                      const std::vector<ZelRef<IZelSentenceItem>>& children,
                                      const std::u16string& form = {}) {
    ZelRef<IZelSentenceItem> item = ZelMake<TZelSentenceItem>(kind, ZelLangItalian);
    item->SetWordForm(form);
    for (const auto& child : children)
        item->Add(child);
    return item;
}
