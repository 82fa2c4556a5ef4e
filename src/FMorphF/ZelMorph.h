// The interfaces of morphological analysis: reading trees (IZelMorphInfo), the morphology
// engine of one language (IZelMorphModule), the callback of word-form enumeration, and the
// small tagged value that carries enumeration arguments.
#pragma once

#include "ZelBase.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A value that is nothing, an integer, a string or an array of values.
struct TZelVariant {
    using TArray = std::vector<TZelVariant>;
    std::variant<std::monostate, int64_t, std::u16string, TArray> Value;

    TZelVariant() = default;
    TZelVariant(int64_t v) : Value(v) {}
    TZelVariant(int v) : Value(int64_t(v)) {}
    TZelVariant(std::u16string v) : Value(std::move(v)) {}
    TZelVariant(const char16_t* v) : Value(std::u16string(v)) {}
    TZelVariant(TArray v) : Value(std::move(v)) {}

    bool IsInteger() const { return std::holds_alternative<int64_t>(Value); }
    bool IsString() const { return std::holds_alternative<std::u16string>(Value); }
    bool IsArray() const { return std::holds_alternative<TArray>(Value); }
    int64_t AsInteger() const { return std::get<int64_t>(Value); }
    const std::u16string& AsString() const { return std::get<std::u16string>(Value); }
    const TArray& AsArray() const { return std::get<TArray>(Value); }
};

enum : uint8_t { ZelMorphLeaf = 0, ZelMorphAlternatives = 1, ZelMorphSequence = 2 };

// The largest lemma code: the category codes run from 0 to 13.
constexpr int ZelMaxLemmaCode = 13;

class IZelMorphInfo : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{3A1D5C70-2E4B-4F60-9C8A-1B2D3E4F5A61}");

    virtual uint8_t GetKind() = 0;
    virtual void SetKind(uint8_t kind) = 0;
    virtual int32_t GetCount() = 0;
    virtual ZelRef<IZelMorphInfo> GetItem(int32_t index) = 0;
    virtual int32_t GetInfoOffset() = 0;
    virtual void SetInfoOffset(int32_t offset) = 0;
    // The information string without its last character, in UTF-16; empty for a
    // placeholder.
    virtual std::u16string GetLemma() = 0;
    // The last character of the information string minus "0" (0 to ZelMaxLemmaCode); -1 for
    // a placeholder or an information string whose last byte is no code.
    virtual int32_t GetLemmaCode() = 0;
    virtual int32_t GetInfoId() = 0;
    virtual void SetInfoId(int32_t id) = 0;
    virtual int32_t GetStart() = 0;
    virtual void SetStart(int32_t start) = 0;
    virtual int32_t GetLength() = 0;
    virtual void SetLength(int32_t length) = 0;
    virtual void Add(const ZelRef<IZelMorphInfo>& child) = 0;
    virtual int16_t GetJunction() = 0;
    virtual void SetJunction(int16_t junction) = 0;
};

// The caller's side of word-form enumeration.
class IZelMorphEnumCallback {
public:
    virtual ~IZelMorphEnumCallback() = default;
    // False prunes the branch carrying this information identifier.
    virtual bool AcceptInfo(int32_t infoId, int32_t elementIndex) = 0;
    // False aborts the enumeration.
    virtual bool Progress(int32_t done, int32_t total) = 0;
    // One form; the string is reused for the next form of the same length. False aborts.
    virtual bool WordForm(const std::u16string& form) = 0;
};

enum : uint8_t { ZelEnumLemmaForms = 2, ZelEnumFormsOfLength = 4, ZelEnumAllForms = 5 };

class IZelMorphModule : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{3A1D5C70-2E4B-4F60-9C8A-1B2D3E4F5A62}");

    // The readings of a text; none for an empty text or a text without tokens.
    virtual ZelRef<IZelMorphInfo> Analyze(const std::u16string& text) = 0;
    virtual std::u16string GetFileName() = 0;
    virtual void SetFileName(const std::u16string& fileName) = 0;
    virtual std::u16string GetDicId() = 0;
    virtual void SetDicId(const std::u16string& id) = 0;
    // 1 when the text (or its first length characters; 0 for all) is a known word, 0 when
    // not, -1 when length exceeds the text.
    virtual int32_t WordExists(const std::u16string& text, int32_t length) = 0;
    // Whether one word (a form of the lexicon, which may hold blanks or apostrophes) covers
    // the whole text: "don't" is not a word because "don" is. The empty text is a word.
    virtual bool IsWholeWord(const std::u16string& text) = 0;
    virtual int32_t GetWordCount() = 0;
    // Every form (ZelEnumAllForms), the forms of one length (ZelEnumFormsOfLength) or the
    // forms of a lemma (ZelEnumLemmaForms). Forms are handed out as written (ZelWrittenForm:
    // "l'", not the analyser's tokens "l '"), and a length is the written length.
    virtual void EnumWordForms(uint8_t selection, const TZelVariant& argument,
                               IZelMorphEnumCallback& callback) = 0;
};
