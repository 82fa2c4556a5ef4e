// A text cut into sentences, with the analysis of each sentence kept once made.
#pragma once

#include "ZelSentenceItem.h"

#include <string>
#include <vector>

struct TZelSentenceInfo {
    int32_t Start = 0;
    ZelRef<IZelSentenceItem> Analysis;
};

class TZelSentenceList {
public:
    // Stores the text and splits it into sentences; earlier analyses are forgotten.
    void SetText(const std::u16string& text);
    const std::u16string& GetText() const { return Text; }

    int32_t GetCount() const { return int32_t(Sentences.size()); }
    int32_t GetSentenceStart(int32_t index) const;
    std::u16string GetSentenceText(int32_t index) const;
    // The sentence holding a position: the last one starting at or before it.
    int32_t IndexAt(int32_t position) const;

    ZelRef<IZelSentenceItem> GetAnalysis(int32_t index) const;
    void SetAnalysis(int32_t index, const ZelRef<IZelSentenceItem>& item);

private:
    const TZelSentenceInfo& Info(int32_t index) const;

    std::u16string Text;
    std::vector<TZelSentenceInfo> Sentences;
};

// The text cut into words without morphology: runs of letters, runs of digits and single
// other characters, as readings of a sequence; none for an empty text.
ZelRef<IZelSentenceItem> PlainTokenize(const std::u16string& text);
