#include "ZelExp.h"

#include "ZelHelpers.h"

#include <optional>

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelLocale.h"
#include "ZelResStrings.h"
#include "ZelURESearch.h"
#include "ZelUtils.h"

#include <algorithm>

std::string ZelOpCaption(TZelOpKind kind) {
    // Resource strings, so that the interface language shows them.
    static const std::optional<TZelResId> captions[ZelOpKindCount] = {
        std::nullopt,
        TZelResId::OpAnagramOf,
        TZelResId::OpAnd,
        std::nullopt,
        TZelResId::OpBeginsWith,
        TZelResId::OpContains,
        TZelResId::OpOnlyConsonants,
        TZelResId::OpOnlyVowels,
        TZelResId::OpContainsWildcards,
        TZelResId::OpDiscardOf,
        TZelResId::OpEndsWith,
        TZelResId::OpEqual,
        TZelResId::OpExchangeOf,
        TZelResId::OpFalse,
        std::nullopt,
        std::nullopt,
        TZelResId::OpIsDoubleFaced,
        TZelResId::OpIsPalindrome,
        TZelResId::OpLengthIs,
        TZelResId::OpNear,
        TZelResId::OpNot,
        TZelResId::OpOr,
        TZelResId::OpRegex,
        std::nullopt,
        TZelResId::OpTrue,
        TZelResId::OpWedgeOf,
        TZelResId::OpWildcards,
        TZelResId::OpWholeWords,
    };
    return kind < ZelOpKindCount && captions[kind] ? ZelLoadStr(*captions[kind]) : "";
}

// ---------------------------------------------------------------------------------------
// The base: forms an expression does not provide are programming errors.

void* TZelExp::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelExp::IID)
        return static_cast<IZelExp*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

const char* TZelExp::AsPChar() {
    ZEL_ASSERT(false);
}

const char16_t* TZelExp::AsPWideChar() {
    ZEL_ASSERT(false);
}

const std::u16string& TZelExp::WideStringRef() {
    ZEL_ASSERT(false);
}

int32_t TZelExp::GetLength() {
    ZEL_ASSERT(false);
}

bool TZelExpAnsiString::AsBoolean() {
    std::string text = AsString();
    if (std::optional<bool> value = ZelParseBoolText(text))
        return *value;
    return ZelStrToInt(text) != 0; // raises the conversion error for other texts
}

int32_t TZelExpAnsiString::AsInteger() {
    return ZelParseInt32(AsString()).value_or(0);
}

std::u16string TZelExpAnsiString::AsWideString() {
    return ZelCodePageToWide(AsString(), CodePage);
}

std::u16string TZelExpInt::AsWideString() {
    return ZelUtf8ToWide(AsString());
}

bool TZelExpWideString::AsBoolean() {
    return ZelParseBoolText(ZelWideToUtf8(AsWideString())).value_or(false);
}

int32_t TZelExpWideString::AsInteger() {
    return ZelParseInt32(ZelWideToUtf8(AsWideString())).value_or(0);
}

std::string TZelExpWideString::AsString() {
    return ZelWideToCodePage(AsWideString(), ZelGetSystemCodePage());
}

void TZelExpWideString::ReportHit(int32_t start, int32_t length) {
    if (HitSink)
        HitSink(start, length);
}

TZelHitProc TZelExpWideString::SetHitSink(TZelHitProc sink) {
    return std::exchange(HitSink, std::move(sink));
}

const std::u16string& TZelExpWideStringPtr::Current() const {
    ZEL_ASSERT(Text);
    return *Text;
}

const char* TZelExpWideStringPtr::AsPChar() {
    Bytes = ZelWideToCodePage(Current(), ZelGetSystemCodePage());
    return Bytes.c_str();
}

// ---------------------------------------------------------------------------------------
// Combinations

const TZelExpRef& ZelExpTrue() {
    static const TZelExpRef value = ZelMake<TZelExpBoolTrue>();
    return value;
}

const TZelExpRef& ZelExpFalse() {
    static const TZelExpRef value = ZelMake<TZelExpBoolFalse>();
    return value;
}

void TZelExpBoolAnd::CollectHits() {
    Left->CollectHits();
    Right->CollectHits();
}

int32_t TZelExpBoolAnd::GetRequiredLength() {
    int32_t l = Left->GetRequiredLength(), r = Right->GetRequiredLength();
    if (l == ZelAnyLength)
        return r;
    if (r == ZelAnyLength || l == r)
        return l;
    return 0;
}

void TZelExpBoolOr::CollectHits() {
    Left->CollectHits();
    Right->CollectHits();
}

int32_t TZelExpBoolOr::GetRequiredLength() {
    int32_t l = Left->GetRequiredLength(), r = Right->GetRequiredLength();
    return l == r ? l : ZelAnyLength;
}

namespace {

// The union of two subsets of one entry procedure.
TZelExpRef Union(TZelExpBoolFilter& a, TZelExpBoolFilter& b) {
    std::vector<int32_t> merged;
    merged.reserve(size_t(a.Count() + b.Count()));
    int32_t i = 0, j = 0;
    while (i < a.Count() && j < b.Count()) {
        int32_t x = a.ItemAt(i), y = b.ItemAt(j);
        if (x < y) {
            merged.push_back(x);
            ++i;
        } else if (y < x) {
            merged.push_back(y);
            ++j;
        } else {
            merged.push_back(x);
            ++i;
            ++j;
        }
    }
    for (; i < a.Count(); ++i)
        merged.push_back(a.ItemAt(i));
    for (; j < b.Count(); ++j)
        merged.push_back(b.ItemAt(j));
    return ZelMake<TZelExpBoolFilterSubsetOwned>(a.GetCurrent(), std::move(merged));
}

} // namespace

TZelExpRef MakeAnd(const TZelExpRef& a, const TZelExpRef& b) {
    ZEL_ASSERT(a && b);
    if (a->GetKind() == okTrue)
        return b;
    if (a->GetKind() == okFalse)
        return ZelExpFalse();
    if (b->GetKind() == okTrue)
        return a;
    if (b->GetKind() == okFalse)
        return ZelExpFalse();
    return ZelMake<TZelExpBoolAnd>(a, b);
}

TZelExpRef MakeOr(const TZelExpRef& a, const TZelExpRef& b) {
    ZEL_ASSERT(a && b);
    if (a->GetKind() == okTrue)
        return ZelExpTrue();
    if (a->GetKind() == okFalse)
        return b;
    if (b->GetKind() == okTrue)
        return ZelExpTrue();
    if (b->GetKind() == okFalse)
        return a;
    if (a->GetKind() == okFilter && b->GetKind() == okFilter) {
        auto* fa = dynamic_cast<TZelExpBoolFilter*>(a->GetObject());
        auto* fb = dynamic_cast<TZelExpBoolFilter*>(b->GetObject());
        ZEL_ASSERT(fa && fb && fa->GetCurrent()() == fb->GetCurrent()());
        return Union(*fa, *fb);
    }
    return ZelMake<TZelExpBoolOr>(a, b);
}

TZelExpRef MakeNot(const TZelExpRef& a) {
    ZEL_ASSERT(a);
    if (a->GetKind() == okTrue)
        return ZelExpFalse();
    if (a->GetKind() == okFalse)
        return ZelExpTrue();
    return ZelMake<TZelExpBoolNot>(a);
}

// ---------------------------------------------------------------------------------------
// Text conditions

namespace {
// Upper-cases a byte string of the system code page character by character.
std::string UpperBytes(const std::string& bytes) {
    int cp = ZelGetSystemCodePage();
    return ZelWideToCodePage(ZelUpperCase(ZelCodePageToWide(bytes, cp)), cp);
}
} // namespace

TZelExpBoolTextCondition::TZelExpBoolTextCondition(TZelExpRef subject, bool caseSensitive,
                                                   std::string text)
    : Subject(std::move(subject)), CaseSensitive(caseSensitive), Text(std::move(text)) {}

bool TZelExpBoolTextCondition::SameAt(const std::string& subject, size_t offset) const {
    std::string part = subject.substr(offset, Text.size());
    if (CaseSensitive)
        return part == Text;
    int cp = ZelGetSystemCodePage();
    return ZelCompareLocale(ZelLangSystemDefault, ZelCodePageToWide(part, cp),
                            ZelCodePageToWide(Text, cp), TZelCollationStrength::Secondary) == 0;
}

bool TZelExpBoolBeginsWith::Evaluate() {
    if (Subject->GetLength() < int32_t(Text.size()))
        return false;
    return SameAt(Subject->AsPChar(), 0);
}

bool TZelExpBoolEndsWith::Evaluate() {
    if (Subject->GetLength() < int32_t(Text.size()))
        return false;
    std::string subject = Subject->AsPChar();
    return subject.size() >= Text.size() && SameAt(subject, subject.size() - Text.size());
}

TZelExpBoolContains::TZelExpBoolContains(TZelExpRef subject, bool caseSensitive, std::string text)
    : TZelExpBoolTextCondition(std::move(subject), caseSensitive,
                               caseSensitive ? std::move(text) : UpperBytes(text)) {}

std::string TZelExpBoolContains::Searched() {
    return CaseSensitive ? std::string(Subject->AsPChar()) : UpperBytes(Subject->AsString());
}

bool TZelExpBoolContains::Evaluate() {
    return Searched().find(Text) != std::string::npos;
}

void TZelExpBoolContains::CollectHits() {
    if (Text.empty())
        return;
    std::string subject = Searched();
    for (size_t at = subject.find(Text); at != std::string::npos;
         at = subject.find(Text, at + Text.size()))
        Subject->ReportHit(int32_t(at), int32_t(Text.size()));
}

bool TZelExpBoolIsPalindrome::Evaluate() {
    if (Subject->GetLength() < 2)
        return false;
    const std::u16string& text = Subject->WideStringRef();
    return std::equal(text.begin(), text.begin() + long(text.size() / 2), text.rbegin());
}

bool TZelExpBoolIsDoubleFaced::Evaluate() {
    if (Subject->GetLength() < 2)
        return false;
    const std::u16string& text = Subject->WideStringRef();
    Reversed.assign(text.rbegin(), text.rend());
    return Checker && Checker->WordExists(Reversed);
}

// ---------------------------------------------------------------------------------------
// The anagram family

char16_t FoldAccentedVowel(char16_t c) {
    static const char16_t table[12][2] = {{0x00C0, u'A'}, {0x00C1, u'A'}, {0x00E0, u'a'},
                                          {0x00E1, u'a'}, {0x00E8, u'e'}, {0x00E9, u'e'},
                                          {0x00EC, u'i'}, {0x00ED, u'i'}, {0x00F2, u'o'},
                                          {0x00F3, u'o'}, {0x00F9, u'u'}, {0x00FA, u'u'}};
    if (c < 0x00C0 || c > 0x0100)
        return c;
    int low = 0, high = 11;
    while (low <= high) {
        int mid = (low + high) / 2;
        if (table[mid][0] == c)
            return table[mid][1];
        if (table[mid][0] < c)
            low = mid + 1;
        else
            high = mid - 1;
    }
    return c;
}

TZelExpBoolAnagramOf::TZelExpBoolAnagramOf(TZelExpRef subject, int32_t extra, int32_t lengthDelta,
                                           TZelExpRef pattern)
    : Subject(std::move(subject)), Pattern(std::move(pattern)), Extra(extra),
      LengthDelta(lengthDelta) {
    Prepared = Pattern->AsWideString();
    for (char16_t& c : Prepared)
        c = FoldAccentedVowel(c);
    std::sort(Prepared.begin(), Prepared.end());
}

int32_t TZelExpBoolAnagramOf::GetRequiredLength() {
    int32_t length = int32_t(Prepared.size());
    ZEL_ASSERT(length < ZelAnyLength && length + LengthDelta >= 0);
    return length + LengthDelta;
}

bool TZelExpBoolAnagramOf::Evaluate() {
    if (Subject->GetLength() != GetRequiredLength())
        return false;
    Work = Prepared;
    int32_t unmatched = 0;
    for (char16_t c : Subject->WideStringRef()) {
        char16_t folded = FoldAccentedVowel(c);
        bool matched = false;
        for (char16_t& p : Work) {
            if (p > c)
                break;
            if (p == folded) {
                p = 0x1F; // used: below every letter, never matched again
                matched = true;
                break;
            }
        }
        if (!matched && ++unmatched > Extra)
            return false;
    }
    return unmatched == Extra;
}

// ---------------------------------------------------------------------------------------
// Patterns

TZelExpBoolRE::TZelExpBoolRE(TZelExpRef subject, bool wholeWord, bool caseSensitive,
                             const std::u16string& pattern)
    : Subject(std::move(subject)), Search(std::make_unique<TZelURESearch>()), WholeWord(wholeWord) {
    uint32_t options = (caseSensitive ? uint32_t(ZelRegexCaseSensitive) : 0u) |
                       (wholeWord ? uint32_t(ZelRegexWholeWord) : 0u);
    Search->Compile(pattern, options);
}

TZelExpBoolRE::~TZelExpBoolRE() = default;

bool TZelExpBoolRE::Evaluate() {
    std::u16string copy;
    const char16_t* text;
    if (Subject->GetKind() == okWideStringConst) {
        text = Subject->AsPWideChar();
    } else {
        copy = Subject->AsWideString();
        text = copy.c_str();
    }
    int32_t n = Subject->GetLength();
    if (!WholeWord)
        return Search->Matches(text, n);
    int32_t start = 0, end = 0;
    for (int32_t from = 0; from <= n && Search->FindFrom(text, n, from, start, end);) {
        if (ZelIsWholeWordMatch(text, n, start, end))
            return true;
        from = end > start ? end : end + 1;
    }
    return false;
}

void TZelExpBoolRE::CollectHits() {
    std::u16string text = Subject->AsWideString();
    int32_t n = Subject->GetLength();
    Search->FindAll(text.data(), n);
    for (int32_t i = 0; i < Search->GetResultCount(); ++i) {
        int32_t start, end;
        Search->GetResult(i, start, end);
        if (end == start || (WholeWord && !ZelIsWholeWordMatch(text.data(), n, start, end)))
            continue;
        Subject->ReportHit(start, end - start);
    }
}

// ---------------------------------------------------------------------------------------
// Near

int32_t ZelWordDistance(const std::u16string& text, std::pair<int32_t, int32_t> a,
                        std::pair<int32_t, int32_t> b) {
    ZEL_ASSERT(a.second > 0 && b.second > 0);
    if (b.first < a.first)
        std::swap(a, b);
    int32_t aEnd = a.first + a.second;
    if (a.first == b.first || b.first < aEnd)
        return -1;
    int32_t words = 0;
    bool inWord = false;
    for (int32_t i = aEnd; i < b.first && i < int32_t(text.size()); ++i) {
        bool word = IsCharOfWord(text[size_t(i)]);
        if (word && !inWord)
            ++words;
        inWord = word;
    }
    return words;
}

TZelExpBoolNear::TZelExpBoolNear(TZelExpRef subject, int32_t distance, ZelRef<TZelExpBoolRE> first,
                                 ZelRef<TZelExpBoolRE> second)
    : Subject(std::move(subject)), Distance(distance), First(std::move(first)),
      Second(std::move(second)) {
    ZEL_ASSERT(Subject->GetKind() == okWideStringConst);
}

size_t TZelExpBoolNear::CollectRanges() {
    auto* sink = dynamic_cast<TZelExpWideString*>(Subject->GetObject());
    ZEL_ASSERT(sink);
    Ranges.clear();
    TZelHitProc saved = sink->SetHitSink(
        [this](int32_t start, int32_t length) { Ranges.emplace_back(start, length); });
    First->CollectHits();
    size_t firstCount = Ranges.size();
    Second->CollectHits();
    sink->SetHitSink(std::move(saved));
    return firstCount;
}

bool TZelExpBoolNear::Evaluate() {
    if (!First->Evaluate() || !Second->Evaluate())
        return false;
    size_t firstCount = CollectRanges();
    const std::u16string& text = Subject->WideStringRef();
    for (size_t i = 0; i < firstCount; ++i)
        for (size_t j = firstCount; j < Ranges.size(); ++j) {
            int32_t d = ZelWordDistance(text, Ranges[i], Ranges[j]);
            if (d >= 0 && d <= Distance)
                return true;
        }
    return false;
}

void TZelExpBoolNear::CollectHits() {
    size_t firstCount = CollectRanges();
    const std::u16string& text = Subject->WideStringRef();
    for (size_t i = 0; i < firstCount; ++i)
        for (size_t j = firstCount; j < Ranges.size(); ++j) {
            int32_t d = ZelWordDistance(text, Ranges[i], Ranges[j]);
            if (d >= 0 && d <= Distance) {
                Subject->ReportHit(Ranges[i].first, Ranges[i].second);
                Subject->ReportHit(Ranges[j].first, Ranges[j].second);
            }
        }
}

// ---------------------------------------------------------------------------------------
// Entry subsets

bool TZelExpBoolFilter::Contains(int32_t entry) {
    int32_t count = Count();
    int32_t low = 0, high = count - 1;
    while (low <= high) {
        int32_t mid = low + (high - low) / 2;
        int32_t item = ItemAt(mid);
        if (item == entry)
            return true;
        if (item < entry)
            low = mid + 1;
        else
            high = mid - 1;
    }
    return false;
}

int32_t TZelExpBoolFilterSubsetRef::ItemAt(int32_t index) {
    ZEL_ASSERT(index >= 0 && index < EntryCount);
    return ZelReadEntryNumber(Entries + size_t(index) * 4);
}

TZelOrBuilder::TZelOrBuilder(int32_t entryCount)
    : Bits(size_t(std::max(entryCount, 0) + 63) / 64, 0), EntryCount(entryCount) {}

void TZelOrBuilder::AddEntries(const int32_t* entries, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        int32_t e = entries[i];
        if (e < 0 || e >= EntryCount)
            throw EZelStreamError(ZelLoadStr(TZelResId::InvalidStreamFormat));
        uint64_t& word = Bits[size_t(e) / 64];
        uint64_t bit = uint64_t(1) << (e % 64);
        if (!(word & bit)) {
            word |= bit;
            ++SetCount;
        }
    }
}

void TZelOrBuilder::AddEntryBlock(const uint8_t* entries, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        int32_t e = ZelReadEntryNumber(entries + size_t(i) * 4);
        AddEntries(&e, 1);
    }
}

TZelExpRef TZelOrBuilder::Build(TZelCurrentEntryProc current) {
    if (SetCount == 0)
        return ZelExpFalse();
    std::vector<int32_t> entries;
    entries.reserve(size_t(SetCount));
    for (int32_t e = 0; e < EntryCount; ++e)
        if (Bits[size_t(e) / 64] & (uint64_t(1) << (e % 64)))
            entries.push_back(e);
    ZEL_ASSERT(int32_t(entries.size()) == SetCount);
    return ZelMake<TZelExpBoolFilterSubsetOwned>(std::move(current), std::move(entries));
}
