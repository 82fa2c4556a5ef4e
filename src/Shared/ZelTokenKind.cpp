#include "ZelTokenKind.h"

#include <algorithm>
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

// One reading of a run of tokens read whole: a number, an address.
ZelRef<IZelSentenceItem> WholeReading(TZelLanguage language, int32_t start,
                                      const std::u16string& text, const std::string& description) {
    ZelRef<IZelSentenceItem> reading = ZelMake<TZelSentenceItem>(ZelItemReading, language);
    reading->SetStart(start);
    reading->SetLength(int32_t(text.size()));
    reading->SetWordForm(text);
    reading->SetLemma(text);
    reading->SetKnown(1);
    reading->AddDescription(description);
    return reading;
}

void ReplaceItems(IZelSentenceItem& sentence, const std::vector<ZelRef<IZelSentenceItem>>& items) {
    sentence.SetCount(int32_t(items.size()));
    for (size_t i = 0; i < items.size(); ++i)
        sentence.SetItem(int32_t(i), items[i]);
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
        read.push_back(WholeReading(language, start(i), number,
                                    KindDescription(ZelNumberKind(number), language)));
        changed = true;
        i = last;
    }
    if (changed)
        ReplaceItems(sentence, read);
}

namespace {

bool IsAsciiAlnum(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || IsDigit(c);
}

// A character an address may hold besides letters and digits.
bool IsAddressPunctuation(char16_t c) {
    return std::u16string_view(u".@:/-_~?=&%#+").find(c) != std::u16string_view::npos;
}

bool IsAddressToken(const std::u16string& token) {
    if (token.empty())
        return false;
    for (char16_t c : token)
        if (!IsAsciiAlnum(c) && !IsAddressPunctuation(c))
            return false;
    return true;
}

std::u16string Lower(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
    return out;
}

// A host name: labels of letters, digits and hyphens joined by dots, at least two of them.
bool IsHostName(std::u16string_view host) {
    if (host.empty() || host.front() == u'.' || host.back() == u'.' ||
        host.find(u"..") != std::u16string_view::npos || host.find(u'.') == host.npos)
        return false;
    for (char16_t c : host)
        if (!IsAsciiAlnum(c) && c != u'-' && c != u'.')
            return false;
    return true;
}

bool HasCommonTopLevelDomain(std::u16string_view host) {
    static const std::u16string_view domains[] = {
        u"com", u"org", u"net", u"edu", u"gov", u"mil", u"int", u"info", u"biz", u"io",
        u"it",  u"uk",  u"de",  u"fr",  u"es",  u"eu",  u"ch",  u"nl",   u"se",  u"fi",
        u"au",  u"ca",  u"jp",  u"us",  u"ru",  u"br",  u"at",  u"be",   u"dk",  u"no"};
    std::u16string_view last = host.substr(host.rfind(u'.') + 1);
    for (std::u16string_view domain : domains)
        if (last == domain)
            return true;
    return false;
}

} // namespace

bool ZelMayHoldNumber(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), IsDigit);
}

bool ZelMayHoldAddress(std::u16string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if ((text[i] == u'.' || text[i] == u'@') && IsAsciiAlnum(text[i + 1]))
            return true;
    return false;
}

std::string ZelAddressKind(std::u16string_view run) {
    std::u16string text = Lower(run);
    size_t at = text.find(u'@');
    if (at != std::u16string::npos)
        return at > 0 && IsHostName(std::u16string_view(text).substr(at + 1)) ? "e-mail" : "";
    for (std::u16string_view scheme : {u"http://", u"https://", u"ftp://", u"file://"})
        if (text.size() > scheme.size() && text.compare(0, scheme.size(), scheme) == 0)
            return "web";
    std::u16string_view host = std::u16string_view(text).substr(0, text.find(u'/'));
    if (!IsHostName(host))
        return {};
    return host.substr(0, 4) == u"www." || HasCommonTopLevelDomain(host) ? "web" : "";
}

namespace {

std::string AddressDescription(const std::string& kind, TZelLanguage language) {
    if (ZelPrimaryLang(language) == ZelLangItalian)
        return kind == "web" ? "indirizzo web" : "indirizzo e-mail";
    return kind == "web" ? "web address" : "e-mail address";
}

// The tokens of a sentence with where they start.
struct TTokens {
    std::vector<std::u16string> Forms;
    std::vector<int32_t> Starts;
};

// How far a run of touching address tokens starting at the first token reaches, without
// the punctuation that ends a sentence or a clause after it ("slashdot.org." keeps its ".").
size_t AddressRunEnd(const TTokens& tokens, size_t first) {
    // A longer run is no address a reader would type; the limit keeps the scan linear.
    const size_t longest = 64;
    size_t last = first;
    while (last + 1 < tokens.Forms.size() && last + 1 - first < longest) {
        int32_t end = tokens.Starts[last] + int32_t(tokens.Forms[last].size());
        if (tokens.Starts[last + 1] != end || !IsAddressToken(tokens.Forms[last + 1]))
            break;
        ++last;
    }
    while (last > first) {
        const std::u16string& token = tokens.Forms[last];
        if (token.size() != 1 || !IsAddressPunctuation(token[0]) || token == u"/")
            break;
        --last;
    }
    return last;
}

} // namespace

void ZelReadAddresses(IZelSentenceItem& sentence, TZelLanguage language) {
    if (sentence.GetKind() != ZelItemSequence)
        return;
    TTokens tokens;
    for (int32_t i = 0; i < sentence.GetCount(); ++i) {
        ZelRef<IZelSentenceItem> item = sentence.GetItem(i);
        tokens.Forms.push_back(item->GetWordForm());
        tokens.Starts.push_back(item->GetStart());
    }
    std::vector<ZelRef<IZelSentenceItem>> read;
    bool changed = false;
    for (size_t i = 0; i < tokens.Forms.size(); ++i) {
        size_t last = IsAddressToken(tokens.Forms[i]) ? AddressRunEnd(tokens, i) : i;
        std::u16string address;
        std::string kind;
        if (last > i) { // an address is a run of several tokens
            for (size_t k = i; k <= last; ++k)
                address += tokens.Forms[k];
            kind = ZelAddressKind(address);
        }
        if (kind.empty()) {
            read.push_back(sentence.GetItem(int32_t(i)));
            continue;
        }
        read.push_back(
            WholeReading(language, tokens.Starts[i], address, AddressDescription(kind, language)));
        changed = true;
        i = last;
    }
    if (changed)
        ReplaceItems(sentence, read);
}
