// A node of a sentence analysis: a reading (one lemma), alternatives (competing readings of
// the same words) or a sequence (consecutive parts). A reading is also the value that names
// a lemma with its category and ordinal between panes and views.
#pragma once

#include "ZelBase.h"
#include "ZelDic.h"

#include <cstdint>
#include <string>

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
    virtual std::u16string GetWordForm() = 0;
};
