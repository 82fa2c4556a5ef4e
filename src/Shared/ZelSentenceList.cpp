#include "ZelSentenceList.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"
#include "ZelUtils.h"

#include <unicode/uchar.h>

namespace {

bool IsBlank(char16_t c) {
    return u_charType(c) == U_SPACE_SEPARATOR;
}

bool IsCapital(char16_t c) {
    int8_t t = u_charType(c);
    return t == U_UPPERCASE_LETTER || t == U_TITLECASE_LETTER;
}

} // namespace

void TZelSentenceList::SetText(const std::u16string& text) {
    Text = text;
    Sentences.clear();
    if (text.empty())
        return;
    Sentences.push_back({0, nullptr});
    auto split = [&](size_t at) { Sentences.push_back({int32_t(at), nullptr}); };
    int state = 0;
    // The last character is never examined: a final "?" opens no empty sentence.
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        char16_t c = text[i];
        // A line ends with CR, LF or CR LF: LF after CR adds nothing, LF alone counts as CR.
        if (c == u'\n') {
            if (i > 0 && text[i - 1] == u'\r')
                continue;
            c = u'\r';
        }
        switch (state) {
        case 0:
            if (c == u'?' || c == u'!')
                split(i + 1);
            else if (c == u'.')
                state = 3;
            else if (c == u'\r')
                state = 1;
            break;
        case 1:
            state = c == u'\r' ? 2 : IsBlank(c) ? 1 : 0;
            break;
        case 2:
            if (!IsBlank(c)) {
                split(i);
                state = 0;
            }
            break;
        case 3:
            state = c == u'.' ? 4 : c == u'\r' ? 6 : IsBlank(c) ? 5 : 0;
            break;
        case 4:
            if (c != u'.') {
                split(i);
                state = 0;
            }
            break;
        case 5:
        case 6:
            if (c == u'\r') {
                state = state == 5 ? 6 : 2;
            } else if (IsBlank(c)) {
            } else if (IsCapital(c)) {
                split(i);
                state = 0;
            } else {
                state = 0;
            }
            break;
        }
    }
}

const TZelSentenceInfo& TZelSentenceList::Info(int32_t index) const {
    if (index < 0 || index >= GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    return Sentences[size_t(index)];
}

int32_t TZelSentenceList::GetSentenceStart(int32_t index) const {
    return Info(index).Start;
}

std::u16string TZelSentenceList::GetSentenceText(int32_t index) const {
    int32_t start = Info(index).Start;
    int32_t end =
        index + 1 < GetCount() ? Sentences[size_t(index) + 1].Start : int32_t(Text.size());
    return Text.substr(size_t(start), size_t(end - start));
}

int32_t TZelSentenceList::IndexAt(int32_t position) const {
    int32_t found = 0;
    for (int32_t i = 1; i < GetCount() && Sentences[size_t(i)].Start <= position; ++i)
        found = i;
    return found;
}

ZelRef<IZelSentenceItem> TZelSentenceList::GetAnalysis(int32_t index) const {
    return Info(index).Analysis;
}

void TZelSentenceList::SetAnalysis(int32_t index, const ZelRef<IZelSentenceItem>& item) {
    Info(index);
    Sentences[size_t(index)].Analysis = item;
}

ZelRef<IZelSentenceItem> PlainTokenize(const std::u16string& text) {
    if (text.empty())
        return nullptr;
    ZelRef<IZelSentenceItem> sequence = ZelMake<TZelSentenceItem>(ZelItemSequence, TZelLanguage(0));
    size_t p = 0;
    while (p < text.size() && IsBlank(text[p]))
        ++p;
    while (p < text.size()) {
        size_t start = p;
        if (ZelIsLetter(text[p]))
            while (p < text.size() && ZelIsLetter(text[p]))
                ++p;
        else if (ZelIsDigit(text[p]))
            while (p < text.size() && ZelIsDigit(text[p]))
                ++p;
        else
            ++p;
        ZelRef<IZelSentenceItem> reading =
            ZelMake<TZelSentenceItem>(ZelItemReading, TZelLanguage(0));
        reading->SetOrdinal(-1);
        reading->SetStart(int32_t(start));
        reading->SetLength(int32_t(p - start));
        reading->SetWordForm(text.substr(start, p - start));
        sequence->Add(reading);
        while (p < text.size() && IsBlank(text[p]))
            ++p;
    }
    return sequence;
}
