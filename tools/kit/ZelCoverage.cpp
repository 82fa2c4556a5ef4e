#include "ZelCoverage.h"

#include "ZelCodePage.h"
#include "ZelDM4.h"
#include "ZelErrors.h"
#include "ZelSentenceItem.h"

#include <fstream>
#include <unicode/uchar.h>

namespace {

// The words of a token: a multi-word unit counts each of its words.
int WordsIn(const std::u16string& form) {
    int words = 0;
    bool inWord = false;
    for (char16_t c : form) {
        bool letter = u_isalpha(c);
        if (letter && !inWord)
            ++words;
        inWord = letter || (inWord && c != u' ');
    }
    return words;
}

void Count(IZelSentenceItem& sentence, TZelCoverage& coverage) {
    for (int32_t i = 0; i < sentence.GetCount(); ++i) {
        ZelRef<IZelSentenceItem> item = sentence.GetItem(i);
        ZelRef<IZelSentenceItem> reading =
            item->GetKind() == ZelItemAlternatives && item->GetCount() > 0 ? item->GetItem(0)
                                                                           : item;
        int words = WordsIn(reading->GetWordForm());
        coverage.WordTokens += words;
        if (reading->GetKnown()) {
            coverage.Known += words;
        } else if (words > 0) {
            std::u16string form = reading->GetWordForm();
            for (char16_t& c : form)
                c = char16_t(u_tolower(c));
            ++coverage.Unknown[form];
        }
    }
}

} // namespace

TZelCoverage ZelMeasureCoverage(const std::string& dm4Description, const std::string& textPath) {
    ZelRef<TZelDM4> dic = ZelMake<TZelDM4>("DM4COVERAGE", dm4Description);
    std::ifstream in(textPath);
    if (!in)
        throw EZelError("Cannot read " + textPath);
    TZelCoverage coverage;
    std::string line;
    while (std::getline(in, line))
        if (ZelRef<IZelSentenceItem> sentence = dic->Analyze(ZelUtf8ToWide(line)))
            Count(*sentence, coverage);
    return coverage;
}
