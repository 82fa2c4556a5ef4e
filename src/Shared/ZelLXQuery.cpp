#include "ZelLXQuery.h"

#include "ZelHelpers.h"

#include "ZelCodePage.h"
#include "ZelDM4.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelLocale.h"
#include "ZelResStrings.h"
#include "ZelURESearch.h"
#include "ZelUtils.h"
#include "ZelWideStrings.h"

#include <algorithm>

#include <unicode/uchar.h>

namespace {

int32_t IntegerOf(const std::string& text) {
    return ZelParseInt32(text).value_or(0);
}

std::u16string Wide(const std::string& bytes) {
    return ZelCodePageToWide(bytes, ZelGetSystemCodePage());
}

bool IsConstant(const TZelExpRef& e) {
    return e->GetKind() == okTrue || e->GetKind() == okFalse;
}

// A character written so that it stands for itself inside a bracket class.
std::u16string InClass(char16_t c) {
    if (c == u']' || c == u'\\' || c == u'^' || c == u'-')
        return std::u16string(u"\\") + c;
    return std::u16string(1, c);
}

// The subset the expression requires: the expression itself when it is a subset condition,
// or one found through the operands of a conjunction.
TZelExpBoolFilter* RequiredSubset(IZelExp& expression) {
    if (auto* filter = dynamic_cast<TZelExpBoolFilter*>(expression.GetObject()))
        return filter;
    auto* conjunction = dynamic_cast<TZelExpBoolAnd*>(expression.GetObject());
    if (!conjunction)
        return nullptr;
    if (TZelExpBoolFilter* left = RequiredSubset(*conjunction->Left))
        return left;
    return RequiredSubset(*conjunction->Right);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Conditions and fields

bool TZelLXQueryItemData::IsEmpty() const {
    if (Operator == okIsPalindrome || Operator == okIsDoubleFaced)
        return false;
    if (Operator == okEqInt && Owner &&
        (Owner->GetField().Kind == qkC || Owner->GetField().Kind == qkX))
        return IntegerOf(Arg1) == 0;
    if (Operator == okNear)
        return Arg1.empty() || Arg2.empty();
    return Arg1.empty();
}

TZelLXQueryItemData& TZelLXQueryItemsData::InsertCondition(int32_t position) {
    auto item = std::make_unique<TZelLXQueryItemData>();
    item->Owner = this;
    item->Operator = ZelQueryFieldOperators(Field.Kind).front();
    position = std::clamp<int32_t>(position, 0, GetCount());
    Items.insert(Items.begin() + position, std::move(item));
    return *Items[size_t(position)];
}

void TZelLXQueryItemsData::DeleteCondition(int32_t position) {
    Items.erase(Items.begin() + position);
}

TZelExpRef TZelLXQueryItemsData::Build(bool useIndex) {
    TZelExpRef e;
    for (const auto& item : Items) {
        TZelExpRef x = item->IsEmpty() ? ZelExpTrue() : Query.ConditionExpression(*item, useIndex);
        if (item->Negated)
            x = MakeNot(x);
        if (!e)
            e = x;
        else
            e = item->AndWithPrevious ? MakeAnd(e, x) : MakeOr(e, x);
    }
    return e ? e : ZelExpTrue();
}

// ---------------------------------------------------------------------------------------
// The query

TZelLXQuery::~TZelLXQuery() = default;

void TZelLXQuery::SetDic(const ZelRef<IZelDic>& dic) {
    if (dic == Dic)
        return;
    if (!dic) {
        Dic = dic; // the conditions stay, for the dictionary that comes next
        return;
    }
    Dic = dic;
    Data.clear();
    if (TZelLXQueryFields* fields = dic->GetQueryFields())
        for (int32_t i = 0; i < fields->GetCount(); ++i)
            Data.push_back(std::make_unique<TZelLXQueryItemsData>(*this, fields->Get(i)));
    ResetConditions();
}

void TZelLXQuery::ResetConditions() {
    for (auto& data : Data) {
        while (data->GetCount() > 0)
            data->DeleteCondition(0);
        data->InsertCondition(0);
    }
}

TZelExpRef TZelLXQuery::BuildExpression() {
    TZelExpRef query = ZelExpTrue();
    for (auto& data : Data) {
        data->WithIndex = data->Build(true);
        data->WithoutIndex = data->Build(false);
        query = MakeAnd(query, data->WithIndex);
    }
    return query;
}

bool TZelLXQuery::IsEmpty() {
    try {
        for (auto& data : Data)
            if (!IsConstant(data->Build(false)))
                return false;
    } catch (const EZelError&) {
    }
    return true;
}

std::string TZelLXQuery::GetConditionError() {
    try {
        for (auto& data : Data)
            data->Build(false);
    } catch (const EZelError& e) {
        return e.what();
    }
    return {};
}

void TZelLXQuery::Run() {
    Execute(BuildExpression());
}

bool TZelLXQuery::DoProgress(int32_t position, int32_t total, int32_t found) {
    return OnProgress ? OnProgress(*this, position, found, total) : false;
}

void TZelLXQuery::SelectDicByName(const std::u16string& name) {
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i)
        if (ZelRef<IZelDic> dic = list->GetDic(i); dic && dic->GetName() == name) {
            SetDic(dic);
            return;
        }
    ZEL_ASSERT(false);
}

// ---------------------------------------------------------------------------------------
// Field conditions

TZelExpBoolOrQueryField::TZelExpBoolOrQueryField(ZelRef<IZelDic> dic, int32_t fieldIndex,
                                                 TZelExpRef inner, TZelExpRef subject,
                                                 std::u16string* currentFieldText)
    : Dic(std::move(dic)), FieldIndex(fieldIndex), Inner(std::move(inner)),
      Subject(std::move(subject)), CurrentFieldText(currentFieldText) {}

bool TZelExpBoolOrQueryField::Evaluate() {
    ZelRef<IZelArrayCursor> entries = Dic->GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    if (auto* headword = dynamic_cast<TZelExpAnsiStringConst*>(Subject->GetObject())) {
        headword->Text = lu->GetText();
        return Inner->AsBoolean();
    }
    auto* subject = dynamic_cast<TZelExpWideStringPtr*>(Subject->GetObject());
    ZEL_ASSERT(subject);
    Result = false;
    Dic->EnumFieldValues(*lu, {FieldIndex},
                         [&](int32_t, const std::u16string& text, const TZelAddRangeProc&) {
                             subject->SetText(&text);
                             Result = Inner->AsBoolean();
                             return Result;
                         });
    subject->SetText(CurrentFieldText);
    return Result;
}

void TZelExpBoolOrQueryField::CollectHits() {
    if (auto* subject = dynamic_cast<TZelExpWideStringPtr*>(Subject->GetObject())) {
        subject->SetText(CurrentFieldText);
        Inner->CollectHits();
    }
}

// ---------------------------------------------------------------------------------------
// The lemma query

TZelLemmaQuery::TZelLemmaQuery() {
    Result = ZelMake<TZelArrayCursorFilter>();
}

TZelLemmaQuery::~TZelLemmaQuery() {
    if (Dic && ShowTextFound)
        Dic->SetOnFieldText(nullptr);
}

void TZelLemmaQuery::SetDic(const ZelRef<IZelDic>& dic) {
    if (dic == Dic)
        return;
    if (Dic && ShowTextFound)
        Dic->SetOnFieldText(nullptr);
    TZelLXQuery::SetDic(dic);
    if (Dic && ShowTextFound)
        SetShowTextFound(true);
    ZelQuery<IZelArrayCursorFilter>(Result)->Clear();
    if (Dic)
        QueryMultiwords = Dic->MultiwordsShownByDefault();
}

void TZelLemmaQuery::SetShowTextFound(bool value) {
    ZEL_ASSERT(Dic);
    ShowTextFound = value;
    if (value)
        Dic->SetOnFieldText(
            [this](int32_t field, const std::u16string& text, const TZelAddRangeProc& hit) {
                return OnFieldText(field, text, hit);
            });
    else
        Dic->SetOnFieldText(nullptr);
}

bool TZelLemmaQuery::OnFieldText(int32_t fieldIndex, const std::u16string& text,
                                 const TZelAddRangeProc& hit) {
    Hit = hit;
    if (fieldIndex >= 0 && fieldIndex < GetFieldCount()) {
        TZelLXQueryItemsData& data = GetFieldData(fieldIndex);
        if (data.GetField().IsMarker && data.WithoutIndex) {
            data.CurrentFieldText = text;
            data.WithoutIndex->CollectHits();
        }
    }
    Hit = nullptr;
    return false;
}

TZelCurrentEntryProc TZelLemmaQuery::CurrentEntry() {
    ZelRef<IZelDic> dic = Dic;
    return [dic] { return dic->GetEntries()->GetIndex(); };
}

TZelExpRef
TZelLemmaQuery::FieldCondition(TZelLXQueryItemData& item,
                               const std::function<TZelExpRef(const TZelExpRef&)>& inner) {
    TZelLXQueryField& field = item.Owner->GetField();
    TZelExpRef subject;
    if (field.Fields.empty()) {
        subject = ZelMake<TZelExpAnsiStringConst>("", ZelGetSystemCodePage());
    } else {
        ZelRef<TZelExpWideStringPtr> text =
            ZelMake<TZelExpWideStringPtr>(&item.Owner->CurrentFieldText);
        text->SetHitSink([this](int32_t start, int32_t length) {
            if (Hit)
                Hit(start, length);
        });
        subject = text;
    }
    return ZelMake<TZelExpBoolOrQueryField>(Dic, field.Index, inner(subject), subject,
                                            &item.Owner->CurrentFieldText);
}

TZelExpRef TZelLemmaQuery::ValueIndexFilter(TZelLXQueryField& field, int32_t value) {
    if (field.Kind != qkC && field.Kind != qkX)
        return nullptr;
    ZelRef<IZelMemBlocks> blocks = field.GetIndexBlocks();
    if (!blocks || value < 0 || value >= blocks->GetCount())
        return nullptr;
    TZelMemBlock block = blocks->GetBlock(value);
    return ZelMake<TZelExpBoolFilterSubsetRef>(CurrentEntry(), block.Ptr, block.Size / 4);
}

TZelExpRef TZelLemmaQuery::WordIndexCondition(TZelLXQueryItemData& item, const std::string& value,
                                              int mode, bool keepWildcards) {
    TZelLXQueryField& field = item.Owner->GetField();
    if (field.Kind != qkX && field.Kind != qkT)
        return nullptr;
    TZelWideStrings* wordList = field.GetWordList();
    ZelRef<IZelMemBlocks> wordIndex = field.GetWordIndexBlocks();
    if (!wordList || !wordIndex)
        return nullptr;
    std::u16string text = Wide(value);
    auto words = ZelNewCodeOrderList();
    SplitQueryWords(&field, text, *words, keepWildcards ? u"*?" : u"");
    auto subset = [&](int32_t word) -> TZelExpRef {
        TZelMemBlock block = wordIndex->GetBlock(word);
        return ZelMake<TZelExpBoolFilterSubsetRef>(CurrentEntry(), block.Ptr, block.Size / 4);
    };
    int32_t entryCount = Dic->GetEntries()->GetCount();
    TZelExpRef e = ZelExpTrue();
    for (int32_t i = 0; i < words->GetCount(); ++i) {
        const std::u16string& q = words->At(i);
        TZelExpRef c = ZelExpFalse();
        bool wildcards = keepWildcards && q.find_first_of(u"*?") != std::u16string::npos;
        bool handled = false;
        if (mode == ZelWildcardWord && !wildcards) {
            int32_t found = 0;
            if (wordList->Find(q, found))
                c = subset(found);
            handled = true;
        }
        if (!handled) {
            TZelURESearch pattern;
            pattern.Compile(WildcardToRegex(q, mode, u""), ZelRegexCaseSensitive);
            TZelOrBuilder builder(entryCount);
            for (int32_t w = 0; w < wordList->GetCount(); ++w) {
                std::u16string x = wordList->Get(w);
                bool matches;
                if (!keepWildcards) {
                    matches = x.find(q) != std::u16string::npos;
                } else {
                    int32_t start = 0, end = 0;
                    matches = pattern.FindText(x, start, end) &&
                              (mode != ZelWildcardWord || (start == 0 && end == int32_t(x.size())));
                }
                if (matches) {
                    TZelMemBlock block = wordIndex->GetBlock(w);
                    builder.AddEntryBlock(block.Ptr, block.Size / 4);
                }
            }
            c = builder.Build(CurrentEntry());
        }
        e = MakeAnd(e, c);
    }
    // The index finds the entries holding every word; the pattern checks phrase, order,
    // case and exact text, unless the value is one plain word asked for in any case.
    bool plainWord = words->GetCount() == 1 && words->At(0) == text;
    if (CaseSensitive || !plainWord) {
        std::u16string pattern = WildcardToRegex(text, mode, u"");
        bool cs = CaseSensitive;
        e = MakeAnd(e, FieldCondition(item, [&](const TZelExpRef& s) {
                        return ZelMake<TZelExpBoolRE>(s, mode == ZelWildcardWord, cs, pattern);
                    }));
    }
    return e;
}

TZelExpRef TZelLemmaQuery::WildcardCondition(TZelLXQueryItemData& item, int mode, bool useIndex) {
    std::u16string pattern =
        WildcardToRegex(Wide(item.Arg1), mode, item.Operator == okWildcards ? u"-[]" : u"");
    if (useIndex)
        if (TZelExpRef indexed = WordIndexCondition(item, item.Arg1, mode, true))
            return indexed;
    bool cs = CaseSensitive;
    return FieldCondition(item, [&](const TZelExpRef& s) {
        return ZelMake<TZelExpBoolRE>(s, mode == ZelWildcardWord, cs, pattern);
    });
}

TZelExpRef TZelLemmaQuery::ConditionExpression(TZelLXQueryItemData& item, bool useIndex) {
    TZelLXQueryField& field = item.Owner->GetField();
    bool cs = CaseSensitive;
    switch (item.Operator) {
    case okBeginsWith:
        return FieldCondition(item, [&](const TZelExpRef& s) {
            return ZelMake<TZelExpBoolBeginsWith>(s, cs, item.Arg1);
        });
    case okEndsWith:
        return FieldCondition(item, [&](const TZelExpRef& s) {
            return ZelMake<TZelExpBoolEndsWith>(s, cs, item.Arg1);
        });
    case okContains:
        if (useIndex)
            if (TZelExpRef indexed =
                    WordIndexCondition(item, item.Arg1, ZelWildcardSubstring, false))
                return indexed;
        return FieldCondition(item, [&](const TZelExpRef& s) {
            return ZelMake<TZelExpBoolContains>(s, cs, item.Arg1);
        });
    case okContainsWildcards:
        return WildcardCondition(item, ZelWildcardSubstring, useIndex);
    case okWildcards:
        return WildcardCondition(item, ZelWildcardAnchored, false);
    case okWholeWords:
        return WildcardCondition(item, ZelWildcardWord, useIndex);
    case okLengthIs:
        return FieldCondition(item, [&](const TZelExpRef& s) {
            return ZelMake<TZelExpBoolLengthIs>(s, IntegerOf(item.Arg1));
        });
    case okRE: {
        std::u16string pattern = Wide(item.Arg1);
        return FieldCondition(item, [&](const TZelExpRef& s) {
            return ZelMake<TZelExpBoolRE>(s, false, cs, pattern);
        });
    }
    case okNear: {
        std::u16string first = WildcardToRegex(Wide(item.Arg1), ZelWildcardWord, u"");
        std::u16string second = WildcardToRegex(Wide(item.Arg2), ZelWildcardWord, u"");
        return FieldCondition(item, [&](const TZelExpRef& s) {
            return ZelMake<TZelExpBoolNear>(s, item.NearDistance,
                                            ZelMake<TZelExpBoolRE>(s, true, cs, first),
                                            ZelMake<TZelExpBoolRE>(s, true, cs, second));
        });
    }
    case okEqInt: {
        if (field.Kind != qkC && field.Kind != qkX)
            return FieldCondition(item, [&](const TZelExpRef& s) {
                return ZelMake<TZelExpBoolEqInt>(
                    s, ZelMake<TZelExpIntConst>(IntegerOf(item.Arg1) - 1));
            });
        int32_t value = IntegerOf(item.Arg1) - 1;
        TZelExpRef filter = useIndex ? ValueIndexFilter(field, value) : nullptr;
        if (filter && item.SubValue <= 0)
            return filter;
        const TZelQueryValues* values = field.GetValues();
        if (!values || value < 0 || value >= int32_t(values->Patterns.size()))
            throw EZelArgumentError(
                ZelFormat(ZelLoadStr(TZelResId::NoValueInField), {item.Arg1, field.Name}));
        std::string pattern = values->Patterns[size_t(value)];
        if (item.SubValue > 0) {
            const TZelQueryValues* sub = size_t(value) < values->SubValues.size()
                                             ? values->SubValues[size_t(value)].get()
                                             : nullptr;
            if (!sub || item.SubValue > int32_t(sub->Patterns.size()))
                throw EZelArgumentError(ZelFormat(ZelLoadStr(TZelResId::NoSubValueInField),
                                                  {item.SubValue, field.Name}));
            pattern = sub->Patterns[size_t(item.SubValue - 1)];
        }
        std::u16string wide = Wide(pattern);
        TZelExpRef check = FieldCondition(item, [&](const TZelExpRef& s) {
            return ZelMake<TZelExpBoolRE>(s, false, true, wide);
        });
        return filter ? MakeAnd(filter, check) : check;
    }
    default:
        ZEL_ASSERT(false);
    }
    return ZelExpFalse();
}

void TZelLemmaQuery::Execute(const TZelExpRef& expression) {
    auto result = ZelQuery<IZelArrayCursorFilter>(Result);
    result->Clear();
    if (!Dic)
        return;
    ZelRef<IZelArrayCursor> base = Dic->HasMultiwordFilter() && !QueryMultiwords
                                       ? ZelRef<IZelArrayCursor>(Dic->GetLuFilter())
                                       : Dic->GetEntries();
    result->SetBase(base);
    if (IsConstant(expression))
        return;
    int32_t count = base->GetCount();
    TZelExpBoolFilter* subset = RequiredSubset(*expression);
    if (subset && base == Dic->GetEntries()) {
        ExecuteOverSubset(*expression, *subset, *base);
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (i % 64 == 0 && DoProgress(i, count, result->GetCount()))
            return;
        base->SetIndex(i);
        if (expression->AsBoolean())
            result->Add(i);
    }
}

// An entry outside a subset that the expression requires cannot match, so with such a
// subset (from an index) only its entries are evaluated: the same result, found in time
// that grows with the subset instead of the dictionary. Progress is reported every 64
// entries of the subset, with the entry's position in the dictionary.
void TZelLemmaQuery::ExecuteOverSubset(IZelExp& expression, TZelExpBoolFilter& subset,
                                       IZelArrayCursor& entries) {
    auto result = ZelQuery<IZelArrayCursorFilter>(Result);
    int32_t count = entries.GetCount();
    int32_t previous = -1;
    for (int32_t k = 0; k < subset.Count(); ++k) {
        int32_t i = subset.ItemAt(k);
        if (k % 64 == 0 && DoProgress(std::clamp(i, 0, count), count, result->GetCount()))
            return;
        // Index data is untrusted: numbers out of order or out of range are skipped.
        if (i <= previous || i >= count)
            continue;
        previous = i;
        entries.SetIndex(i);
        if (expression.AsBoolean())
            result->Add(i);
    }
}

// ---------------------------------------------------------------------------------------
// Word-form results

TZelArrayCursorData::TZelArrayCursorData(const ZelRef<IZelDic>& dic, uint8_t style)
    : TZelArrayCursorOnStrings(new TZelStrings, true), Dic(dic), Style(style) {
    TZelStrings& strings = GetStrings();
    strings.Sorted = true;
    strings.Duplicates = TZelDuplicates::Ignore;
    strings.OnCompare = [](const std::string& a, const std::string& b) {
        int cp = ZelGetSystemCodePage();
        return ZelCompareLocale(ZelLangSystemDefault, ZelCodePageToWide(a, cp),
                                ZelCodePageToWide(b, cp), TZelCollationStrength::Secondary);
    };
}

void* TZelArrayCursorData::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelLu::IID)
        return static_cast<IZelLu*>(this);
    return TZelArrayCursorOnStrings::QueryInterface(iid);
}

const std::string& TZelArrayCursorData::Current() {
    return GetStrings().Get(GetIndex());
}

uint8_t TZelArrayCursorData::GetCatCode() {
    const std::string& s = Current();
    return Style == ZelLuStyleCategory && !s.empty() ? uint8_t(s.back()) : 0;
}

int32_t TZelArrayCursorData::GetOrdinal() {
    const std::string& s = Current();
    return Style == ZelLuStyleOrdinal && !s.empty() ? uint8_t(s.back()) : -1;
}

std::string TZelArrayCursorData::GetText() {
    const std::string& s = Current();
    return Style == ZelLuStylePlain || s.empty() ? s : s.substr(0, s.size() - 1);
}

std::u16string TZelArrayCursorData::GetWideText() {
    return Wide(GetText());
}

// ---------------------------------------------------------------------------------------
// The word-form query

namespace {

class TZelEnumWordFormsCallback : public IZelEnumWordFormsCallback {
public:
    TZelEnumWordFormsCallback(TZelLXQuery& query, const TZelExpRef& expression,
                              std::u16string& form, TZelStrings& results)
        : Query(query), Expression(expression), Form(form), Results(results) {}
    bool AcceptDescription(const std::string&) override { return true; }
    bool Progress(int32_t done, int32_t total) override {
        return !Query.DoProgress(done, total, Results.GetCount());
    }
    void WordForm(const std::u16string& form) override {
        if (form.find(u' ') != std::u16string::npos)
            return;
        Form = form;
        if (Expression->AsBoolean())
            Results.Add(ZelWideToCodePage(form, ZelGetSystemCodePage()));
    }

private:
    TZelLXQuery& Query;
    const TZelExpRef& Expression;
    std::u16string& Form;
    TZelStrings& Results;
};

} // namespace

TZelWordFormQuery::TZelWordFormQuery() : Subject(ZelMake<TZelExpWideStringPtr>(&Form)) {
    Result = ZelMake<TZelArrayCursorData>(nullptr, ZelLuStylePlain);
}

TZelExpRef TZelWordFormQuery::LetterSet(const std::u16string& value, bool vowels) {
    ZelRef<IZelDicMorph> morph = ZelQuery<IZelDicMorph>(Dic);
    ZEL_ASSERT(morph);
    std::u16string letters = vowels ? morph->GetVowels() : morph->GetConsonants();
    std::u16string others = vowels ? morph->GetConsonants() : morph->GetVowels();
    TZelExpRef e = ZelExpTrue();
    std::u16string collected;
    for (char16_t c : value) {
        char16_t base = FoldAccentedVowel(c);
        if (collected.find(base) != std::u16string::npos)
            continue;
        std::u16string variants;
        for (char16_t l : letters)
            if (FoldAccentedVowel(l) == base)
                variants += l;
        collected += variants;
        if (variants.empty())
            continue;
        std::u16string pattern;
        if (variants.size() == 1) {
            pattern = InClass(variants[0]);
        } else {
            pattern = u"[";
            for (char16_t v : variants)
                pattern += InClass(v);
            pattern += u"]";
        }
        e = MakeAnd(e, ZelMake<TZelExpBoolRE>(Subject, false, false, pattern));
    }
    std::u16string allowed = u"^[";
    for (char16_t c : others + collected)
        allowed += InClass(c);
    allowed += u"]*$";
    return MakeAnd(e, ZelMake<TZelExpBoolRE>(Subject, false, false, allowed));
}

TZelExpRef TZelWordFormQuery::ConditionExpression(TZelLXQueryItemData& item, bool) {
    std::u16string value = Wide(item.Arg1);
    auto anagram = [&](int32_t extra, int32_t delta) -> TZelExpRef {
        return ZelMake<TZelExpBoolAnagramOf>(Subject, extra, delta,
                                             ZelMake<TZelExpWideStringConst>(value));
    };
    switch (item.Operator) {
    case okAnagramOf:
        return anagram(0, 0);
    case okDiscardOf:
        return anagram(0, -1);
    case okExchangeOf:
        return anagram(1, 0);
    case okWedgeOf:
        return anagram(1, 1);
    case okBeginsWith:
        return ZelMake<TZelExpBoolRE>(Subject, false, false, u"^" + value);
    case okContains:
        return ZelMake<TZelExpBoolRE>(Subject, false, false, value);
    case okEndsWith: {
        std::u16string lower = value;
        for (char16_t& c : lower)
            c = char16_t(u_tolower(c));
        return ZelMake<TZelExpBoolRE>(Subject, false, true, lower + u"$");
    }
    case okContainsTheOnlyConsonants:
        return LetterSet(value, false);
    case okContainsTheOnlyVowels:
        return LetterSet(value, true);
    case okIsDoubleFaced:
        return ZelMake<TZelExpBoolIsDoubleFaced>(Subject, ZelQuery<IZelWordChecker>(Dic));
    case okIsPalindrome:
        return ZelMake<TZelExpBoolIsPalindrome>(Subject);
    case okLengthIs:
        return ZelMake<TZelExpBoolLengthIs>(Subject, IntegerOf(item.Arg1));
    case okWildcards:
        return ZelMake<TZelExpBoolRE>(Subject, false, false,
                                      WildcardToRegex(value, ZelWildcardAnchored, u"-[]"));
    default:
        ZEL_ASSERT(false);
    }
    return ZelExpFalse();
}

void TZelWordFormQuery::Execute(const TZelExpRef& expression) {
    auto results = ZelMake<TZelArrayCursorData>(Dic, ZelLuStylePlain);
    Result = results;
    // A negated empty condition folds to false: no form can satisfy it.
    if (IsConstant(expression) || !Dic)
        return;
    int32_t length = expression->GetRequiredLength();
    if (length == 0) {
        ZelDialogs().MessageBox(ZelLoadStr(TZelResId::InformationCaption),
                                ZelLoadStr(TZelResId::ContradictoryConditions), TZelMsgButtons::Ok,
                                TZelMsgIcon::Information);
        return;
    }
    ZelRef<IZelDicMorphEx> morph = ZelQuery<IZelDicMorphEx>(Dic);
    ZEL_ASSERT(morph);
    TZelEnumWordFormsCallback callback(*this, expression, Form, results->GetStrings());
    if (length == ZelAnyLength)
        morph->EnumWordForms(ZelFormsAll, TZelVariant(0), callback);
    else
        morph->EnumWordForms(ZelFormsOfLength, TZelVariant(length), callback);
}
