#include "ZelTokenKind.h"

#include <vector>

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int Value(std::u16string_view digits) {
    int value = 0;
    for (char16_t c : digits)
        value = value * 10 + (c - u'0');
    return value;
}

bool AllDigits(std::u16string_view text) {
    if (text.empty())
        return false;
    for (char16_t c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

} // namespace

std::string ZelNumberKind(std::u16string_view token) {
    if (AllDigits(token) && token.size() == 4 && Value(token) >= 1000 && Value(token) <= 2099)
        return "year";
    size_t separator = token.find_first_of(u".:");
    if (separator != std::u16string_view::npos && separator >= 1 && separator <= 2 &&
        token.size() == separator + 3) {
        std::u16string_view hours = token.substr(0, separator),
                            minutes = token.substr(separator + 1);
        if (AllDigits(hours) && AllDigits(minutes) && Value(hours) <= 23 && Value(minutes) <= 59)
            return "time";
    }
    // Digits, with single separators between groups of them.
    bool digitBefore = false;
    for (char16_t c : token) {
        if (IsDigit(c)) {
            digitBefore = true;
        } else if ((c == u'.' || c == u',') && digitBefore) {
            digitBefore = false;
        } else {
            return {};
        }
    }
    return digitBefore ? "number" : std::string();
}

namespace {

// What a run of digits and separators is, in the language: a run that is neither a year
// nor a time ("8:30:45") is a number.
std::string KindDescription(const std::string& kind, TZelLanguage language) {
    if (ZelPrimaryLang(language) != ZelLangItalian)
        return kind.empty() ? "number" : kind;
    if (kind == "year")
        return "anno";
    if (kind == "time")
        return "ora";
    return "numero";
}

} // namespace

void ZelReadNumbers(IZelSentenceItem& sentence, TZelLanguage language) {
    if (sentence.GetKind() != ZelItemSequence)
        return;
    std::vector<ZelRef<IZelSentenceItem>> items;
    for (int32_t i = 0; i < sentence.GetCount(); ++i)
        items.push_back(sentence.GetItem(i));
    // An alternatives item carries its first reading's token and position.
    auto token = [&](size_t at) { return items[at]->GetWordForm(); };
    auto start = [&](size_t at) { return items[at]->GetStart(); };
    std::vector<ZelRef<IZelSentenceItem>> read;
    bool changed = false;
    for (size_t i = 0; i < items.size(); ++i) {
        std::u16string number = token(i);
        if (!AllDigits(number)) {
            read.push_back(items[i]);
            continue;
        }
        // The separators and groups of digits that touch it: "8" "." "30", "12" "." "000".
        size_t last = i;
        while (last + 2 < items.size()) {
            std::u16string separator = token(last + 1), next = token(last + 2);
            int32_t end = start(last) + int32_t(token(last).size());
            if ((separator != u"." && separator != u"," && separator != u":") || !AllDigits(next) ||
                start(last + 1) != end || start(last + 2) != end + 1)
                break;
            number += separator + next;
            last += 2;
        }
        std::string kind = ZelNumberKind(number);
        ZelRef<IZelSentenceItem> reading = ZelMake<TZelSentenceItem>(ZelItemReading, language);
        reading->SetStart(start(i));
        reading->SetLength(int32_t(number.size()));
        reading->SetWordForm(number);
        reading->SetLemma(number);
        reading->SetKnown(1);
        reading->AddDescription(KindDescription(kind, language));
        read.push_back(reading);
        changed = true;
        i = last;
    }
    if (!changed)
        return;
    sentence.SetCount(int32_t(read.size()));
    for (size_t i = 0; i < read.size(); ++i)
        sentence.SetItem(int32_t(i), read[i]);
}
