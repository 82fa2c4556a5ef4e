// A node of a sentence analysis: a reading (one lemma), alternatives (competing readings of
// the same words) or a sequence (consecutive parts). A reading is also the value that names
// a lemma with its category and ordinal between panes and views.
#pragma once

#include "ZelBase.h"
#include "ZelDic.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

enum : uint8_t {
    ZelItemReading = 0,
    ZelItemAlternatives = 2,
    ZelItemSequence = 3,
};

class IZelSentenceItem : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{2F6C1E0A-5B7D-4C1A-9E83-6A0D4B2C7F15}");

    virtual void Add(const ZelRef<IZelSentenceItem>& item) = 0;
    virtual void AddDescription(const std::string& description) = 0;
    virtual ZelRef<IZelSentenceItem> Find(const std::u16string& lemma, int32_t ordinal,
                                          uint8_t catCode) = 0;
    virtual ZelRef<IZelInterfaceList> GetAuxList() = 0;
    virtual uint8_t GetCatCode() = 0;
    virtual int32_t GetCount() = 0;
    virtual std::string GetTag() = 0;
    virtual TZelLanguage GetLanguage() = 0;
    virtual std::string GetDescription() = 0;
    virtual ZelRef<IZelSentenceItem> GetItem(int32_t index) = 0;
    virtual uint8_t GetKind() = 0;
    virtual std::u16string GetLemma() = 0;
    virtual int32_t GetOrdinal() = 0;
    virtual int32_t GetLength() = 0;
    virtual std::string GetCatSuffix() = 0;
    virtual int32_t GetStart() = 0;
    virtual uint8_t GetKnown() = 0;
    // How common the reading's lemma is in its language: 1 for the commonest, 0 when the
    // morphology does not know.
    virtual int32_t GetRank() = 0;
    virtual std::u16string GetWordForm() = 0;
    // The word form when there is one, else the lemma.
    virtual std::u16string GetDisplayText() = 0;
    // True when this reading stays before the new reading inside an alternatives item.
    virtual bool Precedes(IZelSentenceItem& item) = 0;
    virtual void SetCapacity(int32_t capacity) = 0;
    virtual void SetCatCode(uint8_t code) = 0;
    virtual void SetCount(int32_t count) = 0;
    virtual void SetTag(const std::string& tag) = 0;
    virtual void SetLanguage(TZelLanguage language) = 0;
    virtual void SetItem(int32_t index, const ZelRef<IZelSentenceItem>& item) = 0;
    virtual void SetLemma(const std::u16string& lemma) = 0;
    virtual void SetOrdinal(int32_t ordinal) = 0;
    virtual void SetLength(int32_t length) = 0;
    virtual void SetStart(int32_t start) = 0;
    virtual void SetKnown(uint8_t known) = 0;
    virtual void SetRank(int32_t rank) = 0;
    virtual void SetWordForm(const std::u16string& form) = 0;
};

class TZelSentenceItem : public TZelInterfacedObject, public virtual IZelSentenceItem {
public:
    TZelSentenceItem(uint8_t kind, TZelLanguage language) : Language(language), Kind(kind) {}

    void* QueryInterface(const ZelGuid& iid) override;

    void Add(const ZelRef<IZelSentenceItem>& item) override;
    void AddDescription(const std::string& description) override;
    ZelRef<IZelSentenceItem> Find(const std::u16string& lemma, int32_t ordinal,
                                  uint8_t catCode) override;
    ZelRef<IZelInterfaceList> GetAuxList() override;
    uint8_t GetCatCode() override { return CatCode; }
    int32_t GetCount() override { return int32_t(Children.size()); }
    std::string GetTag() override { return Tag; }
    TZelLanguage GetLanguage() override { return Language; }
    std::string GetDescription() override { return Descriptions; }
    ZelRef<IZelSentenceItem> GetItem(int32_t index) override;
    uint8_t GetKind() override { return Kind; }
    std::u16string GetLemma() override { return Lemma; }
    int32_t GetOrdinal() override { return Ordinal; }
    int32_t GetLength() override { return Length; }
    std::string GetCatSuffix() override;
    int32_t GetStart() override { return Start; }
    uint8_t GetKnown() override { return Known; }
    int32_t GetRank() override { return Rank; }
    std::u16string GetWordForm() override { return WordForm; }
    std::u16string GetDisplayText() override { return WordForm.empty() ? Lemma : WordForm; }
    bool Precedes(IZelSentenceItem& item) override;
    void SetCapacity(int32_t capacity) override { Children.reserve(size_t(std::max(capacity, 0))); }
    void SetCatCode(uint8_t code) override { CatCode = code; }
    void SetCount(int32_t count) override { Children.resize(size_t(std::max(count, 0))); }
    void SetTag(const std::string& tag) override { Tag = tag; }
    void SetLanguage(TZelLanguage language) override { Language = language; }
    void SetItem(int32_t index, const ZelRef<IZelSentenceItem>& item) override;
    void SetLemma(const std::u16string& lemma) override { Lemma = lemma; }
    void SetOrdinal(int32_t ordinal) override { Ordinal = ordinal; }
    void SetLength(int32_t length) override { Length = length; }
    void SetStart(int32_t start) override { Start = start; }
    void SetKnown(uint8_t known) override { Known = known; }
    void SetRank(int32_t rank) override { Rank = rank; }
    void SetWordForm(const std::u16string& form) override { WordForm = form; }

private:
    ZelRef<IZelInterfaceList> AuxList;
    uint8_t CatCode = 0;
    std::string Tag;
    TZelLanguage Language;
    uint8_t Kind;
    std::string Descriptions; // lines separated by CR
    std::vector<ZelRef<IZelSentenceItem>> Children;
    std::u16string Lemma;
    int32_t Ordinal = 0;
    int32_t Length = 0;
    int32_t Start = 0;
    uint8_t Known = 0;
    int32_t Rank = 0;
    std::u16string WordForm;
};

// a and b as alternatives: b added to a when a is an alternatives item, else both added to
// a new one; with one of them absent, the other.
ZelRef<IZelSentenceItem> MergeAlternatives(const ZelRef<IZelSentenceItem>& a,
                                           const ZelRef<IZelSentenceItem>& b);
