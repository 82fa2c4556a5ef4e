// Query expressions: small reference-counted trees that the searches evaluate once per
// candidate. Leaves read the candidate through a subject expression that the query repoints
// before each evaluation; conditions combine with constant folding, report where they
// matched (hits), and know what word length they require.
#pragma once

#include "ZelBase.h"

#include "ZelHelpers.h"
#include "ZelWordChecker.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TZelOpKind : uint8_t {
    okNone,
    okAnagramOf,
    okAnd,
    okAnsiStringConst,
    okBeginsWith,
    okContains,
    okContainsTheOnlyConsonants,
    okContainsTheOnlyVowels,
    okContainsWildcards,
    okDiscardOf,
    okEndsWith,
    okEqInt,
    okExchangeOf,
    okFalse,
    okFilter,
    okIntConst,
    okIsDoubleFaced,
    okIsPalindrome,
    okLengthIs,
    okNear,
    okNot,
    okOr,
    okRE,
    okWideStringConst,
    okTrue,
    okWedgeOf,
    okWildcards,
    okWholeWords,
};

constexpr int ZelOpKindCount = 28;
// No length required.
constexpr int32_t ZelAnyLength = 2147483647;

// The caption of an operator kind ("anagram of"); empty for kinds without one.
std::string ZelOpCaption(TZelOpKind kind);

class TZelExp;
class TURESearchHolder;

class IZelExp : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{7A2B3C4D-5E6F-4A8B-9C0D-1E2F3A4B5C6D}");

    // Reports, through the subject's hit sink, every range that makes the condition true.
    virtual void CollectHits() = 0;
    virtual bool AsBoolean() = 0;
    // The byte-string value (system code page), valid until the next call.
    virtual const char* AsPChar() = 0;
    virtual std::string AsString() = 0;
    virtual int32_t AsInteger() = 0;
    virtual const char16_t* AsPWideChar() = 0;
    virtual std::u16string AsWideString() = 0;
    virtual const std::u16string& WideStringRef() = 0;
    virtual TZelExp* GetObject() = 0;
    virtual std::string GetCaption() = 0;
    virtual TZelOpKind GetKind() = 0;
    virtual void ReportHit(int32_t start, int32_t length) = 0;
    // The exact length a candidate must have, ZelAnyLength when none is implied, 0 when no
    // length can satisfy the condition.
    virtual int32_t GetRequiredLength() = 0;
    virtual int32_t GetLength() = 0;
};

using TZelExpRef = ZelRef<IZelExp>;

class TZelExp : public TZelInterfacedObject, public virtual IZelExp {
public:
    void* QueryInterface(const ZelGuid& iid) override;
    void CollectHits() override {}
    const char* AsPChar() override;
    const char16_t* AsPWideChar() override;
    const std::u16string& WideStringRef() override;
    TZelExp* GetObject() override { return this; }
    std::string GetCaption() override { return ZelOpCaption(GetKind()); }
    void ReportHit(int32_t, int32_t) override {}
    int32_t GetRequiredLength() override { return ZelAnyLength; }
    int32_t GetLength() override;
};

// ---------------------------------------------------------------------------------------
// Values

class TZelExpAnsiString : public TZelExp {
public:
    explicit TZelExpAnsiString(int codePage) : CodePage(codePage) {}
    bool AsBoolean() override;
    int32_t AsInteger() override;
    std::u16string AsWideString() override;

protected:
    int CodePage;
};

class TZelExpAnsiStringConst : public TZelExpAnsiString {
public:
    TZelExpAnsiStringConst(std::string text, int codePage)
        : TZelExpAnsiString(codePage), Text(std::move(text)) {}
    std::string AsString() override { return Text; }
    const char* AsPChar() override { return Text.c_str(); }
    int32_t GetLength() override { return int32_t(Text.size()); }
    TZelOpKind GetKind() override { return okAnsiStringConst; }
    std::string Text; // rewritten by the query before each evaluation
};

class TZelExpInt : public TZelExp {
public:
    bool AsBoolean() override { return AsInteger() != 0; }
    std::string AsString() override { return std::to_string(AsInteger()); }
    std::u16string AsWideString() override;
};

class TZelExpIntConst : public TZelExpInt {
public:
    explicit TZelExpIntConst(int32_t value) : Value(value) {}
    int32_t AsInteger() override { return Value; }
    TZelOpKind GetKind() override { return okIntConst; }

private:
    int32_t Value;
};

using TZelHitProc = std::function<void(int32_t start, int32_t length)>;

// A UTF-16 value with the hit sink of the conditions that read it.
class TZelExpWideString : public TZelExp {
public:
    bool AsBoolean() override;
    int32_t AsInteger() override;
    std::string AsString() override;
    void ReportHit(int32_t start, int32_t length) override;
    TZelOpKind GetKind() override { return okWideStringConst; }

    // Installs the sink; returns the previous one.
    TZelHitProc SetHitSink(TZelHitProc sink);

private:
    TZelHitProc HitSink;
};

class TZelExpWideStringConst : public TZelExpWideString {
public:
    explicit TZelExpWideStringConst(std::u16string text) : Text(std::move(text)) {}
    const char16_t* AsPWideChar() override { return Text.c_str(); }
    std::u16string AsWideString() override { return Text; }
    const std::u16string& WideStringRef() override { return Text; }
    int32_t GetLength() override { return int32_t(Text.size()); }

private:
    std::u16string Text;
};

// A UTF-16 value read through a pointer the query repoints before each evaluation.
class TZelExpWideStringPtr : public TZelExpWideString {
public:
    explicit TZelExpWideStringPtr(const std::u16string* text = nullptr) : Text(text) {}
    void SetText(const std::u16string* text) { Text = text; }
    const char16_t* AsPWideChar() override { return Current().c_str(); }
    std::u16string AsWideString() override { return Current(); }
    const std::u16string& WideStringRef() override { return Current(); }
    int32_t GetLength() override { return int32_t(Current().size()); }
    const char* AsPChar() override;

private:
    const std::u16string& Current() const;
    const std::u16string* Text;
    std::string Bytes;
};

// ---------------------------------------------------------------------------------------
// Conditions

class TZelExpBool : public TZelExp {
public:
    virtual bool Evaluate() = 0;
    bool AsBoolean() override { return Evaluate(); }
    std::string AsString() override { return Evaluate() ? "True" : "False"; }
    int32_t AsInteger() override { return Evaluate() ? -1 : 0; }
    std::u16string AsWideString() override { return Evaluate() ? u"True" : u"False"; }
};

class TZelExpBoolTrue : public TZelExpBool {
public:
    bool Evaluate() override { return true; }
    TZelOpKind GetKind() override { return okTrue; }
};

class TZelExpBoolFalse : public TZelExpBool {
public:
    bool Evaluate() override { return false; }
    TZelOpKind GetKind() override { return okFalse; }
};

// The process-wide constants.
const TZelExpRef& ZelExpTrue();
const TZelExpRef& ZelExpFalse();

class TZelExpBoolAnd : public TZelExpBool {
public:
    TZelExpBoolAnd(TZelExpRef left, TZelExpRef right)
        : Left(std::move(left)), Right(std::move(right)) {}
    bool Evaluate() override { return Left->AsBoolean() && Right->AsBoolean(); }
    void CollectHits() override;
    TZelOpKind GetKind() override { return okAnd; }
    int32_t GetRequiredLength() override;
    TZelExpRef Left, Right;
};

class TZelExpBoolOr : public TZelExpBool {
public:
    TZelExpBoolOr(TZelExpRef left, TZelExpRef right)
        : Left(std::move(left)), Right(std::move(right)) {}
    bool Evaluate() override { return Left->AsBoolean() || Right->AsBoolean(); }
    void CollectHits() override;
    TZelOpKind GetKind() override { return okOr; }
    int32_t GetRequiredLength() override;
    TZelExpRef Left, Right;
};

class TZelExpBoolNot : public TZelExpBool {
public:
    explicit TZelExpBoolNot(TZelExpRef operand) : Operand(std::move(operand)) {}
    bool Evaluate() override { return !Operand->AsBoolean(); }
    TZelOpKind GetKind() override { return okNot; }
    TZelExpRef Operand;
};

// Begins with, ends with, contains: a byte string in the subject's byte-string value.
class TZelExpBoolTextCondition : public TZelExpBool {
public:
    TZelExpBoolTextCondition(TZelExpRef subject, bool caseSensitive, std::string text);

protected:
    // Compares the subject's bytes at an offset with the text.
    bool SameAt(const std::string& subject, size_t offset) const;
    TZelExpRef Subject;
    bool CaseSensitive;
    std::string Text;
};

class TZelExpBoolBeginsWith : public TZelExpBoolTextCondition {
public:
    using TZelExpBoolTextCondition::TZelExpBoolTextCondition;
    bool Evaluate() override;
    TZelOpKind GetKind() override { return okBeginsWith; }
};

class TZelExpBoolEndsWith : public TZelExpBoolTextCondition {
public:
    using TZelExpBoolTextCondition::TZelExpBoolTextCondition;
    bool Evaluate() override;
    TZelOpKind GetKind() override { return okEndsWith; }
};

class TZelExpBoolContains : public TZelExpBoolTextCondition {
public:
    TZelExpBoolContains(TZelExpRef subject, bool caseSensitive, std::string text);
    bool Evaluate() override;
    void CollectHits() override;
    TZelOpKind GetKind() override { return okContains; }

private:
    std::string Searched(); // the subject's bytes, upper-cased when case does not count
};

class TZelExpBoolEqInt : public TZelExpBool {
public:
    TZelExpBoolEqInt(TZelExpRef subject, TZelExpRef value)
        : Subject(std::move(subject)), Value(std::move(value)) {}
    bool Evaluate() override { return Subject->AsInteger() == Value->AsInteger(); }
    TZelOpKind GetKind() override { return okEqInt; }

private:
    TZelExpRef Subject, Value;
};

class TZelExpBoolLengthIs : public TZelExpBool {
public:
    TZelExpBoolLengthIs(TZelExpRef subject, int32_t length)
        : Subject(std::move(subject)), Length(length) {}
    bool Evaluate() override { return Subject->GetLength() == Length; }
    TZelOpKind GetKind() override { return okLengthIs; }
    int32_t GetRequiredLength() override { return Length; }

private:
    TZelExpRef Subject;
    int32_t Length;
};

class TZelExpBoolIsPalindrome : public TZelExpBool {
public:
    explicit TZelExpBoolIsPalindrome(TZelExpRef subject) : Subject(std::move(subject)) {}
    bool Evaluate() override;
    TZelOpKind GetKind() override { return okIsPalindrome; }

private:
    TZelExpRef Subject;
};

class TZelExpBoolIsDoubleFaced : public TZelExpBool {
public:
    TZelExpBoolIsDoubleFaced(TZelExpRef subject, ZelRef<IZelWordChecker> checker)
        : Subject(std::move(subject)), Checker(std::move(checker)) {}
    bool Evaluate() override;
    TZelOpKind GetKind() override { return okIsDoubleFaced; }

private:
    TZelExpRef Subject;
    ZelRef<IZelWordChecker> Checker;
    std::u16string Reversed;
};

// Anagram of, discard of, exchange of, wedge of.
class TZelExpBoolAnagramOf : public TZelExpBool {
public:
    TZelExpBoolAnagramOf(TZelExpRef subject, int32_t extra, int32_t lengthDelta,
                         TZelExpRef pattern);
    bool Evaluate() override;
    TZelOpKind GetKind() override { return okAnagramOf; }
    int32_t GetRequiredLength() override;

private:
    TZelExpRef Subject, Pattern;
    int32_t Extra, LengthDelta;
    std::u16string Prepared, Work;
};

class TZelURESearch;

class TZelExpBoolRE : public TZelExpBool {
public:
    // Compiles the pattern at once (a bad pattern raises the matcher's error).
    TZelExpBoolRE(TZelExpRef subject, bool wholeWord, bool caseSensitive,
                  const std::u16string& pattern);
    ~TZelExpBoolRE() override;
    bool Evaluate() override;
    void CollectHits() override;
    TZelOpKind GetKind() override { return okRE; }
    const TZelExpRef& GetSubject() const { return Subject; }

private:
    TZelExpRef Subject;
    std::unique_ptr<TZelURESearch> Search;
    bool WholeWord;
};

class TZelExpBoolNear : public TZelExpBool {
public:
    TZelExpBoolNear(TZelExpRef subject, int32_t distance, ZelRef<TZelExpBoolRE> first,
                    ZelRef<TZelExpBoolRE> second);
    bool Evaluate() override;
    void CollectHits() override;
    TZelOpKind GetKind() override { return okNear; }

private:
    // Collects the hits of both patterns; returns the number of the first's.
    size_t CollectRanges();
    TZelExpRef Subject;
    int32_t Distance;
    ZelRef<TZelExpBoolRE> First, Second;
    std::vector<std::pair<int32_t, int32_t>> Ranges;
};

// The number of words strictly between two ranges of a text; -1 when they overlap.
int32_t ZelWordDistance(const std::u16string& text, std::pair<int32_t, int32_t> a,
                        std::pair<int32_t, int32_t> b);

using TZelCurrentEntryProc = std::function<int32_t()>;

// A condition on the entry being evaluated: whether its number is in a subset.
class TZelExpBoolFilter : public TZelExpBool {
public:
    explicit TZelExpBoolFilter(TZelCurrentEntryProc current) : Current(std::move(current)) {}
    bool Evaluate() override { return Contains(Current()); }
    TZelOpKind GetKind() override { return okFilter; }
    virtual int32_t ItemAt(int32_t index) = 0;
    virtual bool Contains(int32_t entry);
    virtual int32_t Count() = 0;
    virtual const int32_t* Items() = 0;
    const TZelCurrentEntryProc& GetCurrent() const { return Current; }

protected:
    TZelCurrentEntryProc Current;
};

class TZelExpBoolFilterSubsetOwned : public TZelExpBoolFilter {
public:
    TZelExpBoolFilterSubsetOwned(TZelCurrentEntryProc current, std::vector<int32_t> entries)
        : TZelExpBoolFilter(std::move(current)), Entries(std::move(entries)) {}
    int32_t ItemAt(int32_t index) override { return Entries.at(size_t(index)); }
    int32_t Count() override { return int32_t(Entries.size()); }
    const int32_t* Items() override { return Entries.empty() ? nullptr : Entries.data(); }

private:
    std::vector<int32_t> Entries;
};

// A subset held by someone else: a block of a mapped index file, little-endian 32-bit
// entry numbers at any alignment (so Items is nullptr and the numbers are read one by one).
class TZelExpBoolFilterSubsetRef : public TZelExpBoolFilter {
public:
    TZelExpBoolFilterSubsetRef(TZelCurrentEntryProc current, const uint8_t* entries, int32_t count)
        : TZelExpBoolFilter(std::move(current)), Entries(entries), EntryCount(count) {}
    int32_t ItemAt(int32_t index) override;
    int32_t Count() override { return EntryCount; }
    const int32_t* Items() override { return nullptr; }

private:
    const uint8_t* Entries;
    int32_t EntryCount;
};

// The little-endian 32-bit number at p.
inline int32_t ZelReadEntryNumber(const uint8_t* p) {
    return int32_t(ZelReadLE32(p));
}

// Combining with constant folding; two subsets are merged into one.
TZelExpRef MakeAnd(const TZelExpRef& a, const TZelExpRef& b);
TZelExpRef MakeOr(const TZelExpRef& a, const TZelExpRef& b);
TZelExpRef MakeNot(const TZelExpRef& a);

// Collects entry numbers into a set, then makes one subset condition of them.
class TZelOrBuilder {
public:
    explicit TZelOrBuilder(int32_t entryCount);
    // Raises "Invalid stream format" for an entry number outside the dictionary (the
    // numbers come from index files).
    void AddEntries(const int32_t* entries, int32_t count);
    // The same from little-endian numbers of an index block.
    void AddEntryBlock(const uint8_t* entries, int32_t count);
    TZelExpRef Build(TZelCurrentEntryProc current);
    int32_t GetCount() const { return SetCount; }

private:
    std::vector<uint64_t> Bits;
    int32_t EntryCount;
    int32_t SetCount = 0;
};

// The grave and acute vowels folded to their base letters (upper-case A too).
char16_t FoldAccentedVowel(char16_t c);
