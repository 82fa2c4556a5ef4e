// The dictionary model: the interfaces every dictionary and every headword (lexical unit)
// is reached through, the base classes that give each operation its default, the cursor
// that turns a container of headword records into lexical units, and the process-wide
// dictionary list with its builder registry.
#pragma once

#include "ZelArrayCursor.h"
#include "ZelBase.h"
#include "ZelMemBlocks.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using TZelLanguage = uint16_t;

constexpr TZelLanguage ZelLangEnglish = 0x09;
constexpr TZelLanguage ZelLangItalian = 0x10;

// The primary-language part of a Windows language identifier (the low 10 bits).
constexpr TZelLanguage ZelPrimaryLang(TZelLanguage language) {
    return language & 0x3FF;
}

class IZelDic;
class IZelSentenceItem;
class TZelLXQueryFields;
class TZelSettingsKey;
struct TZelViewOption;

// Headword record styles: how a record ends after the headword bytes.
enum : uint8_t {
    ZelLuStyleCategory = 0, // one category byte (never 0)
    ZelLuStyleOrdinal = 1,  // one homograph ordinal byte
    ZelLuStylePlain = 2     // nothing
};

class IZelLu : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{CC615660-8CFE-11D4-94F7-308455C1010C}");

    virtual uint8_t GetCatCode() = 0;
    virtual ZelRef<IZelDic> GetDic() = 0;
    // The headword in the system code page.
    virtual std::string GetText() = 0;
    virtual int32_t GetLength() = 0;
    virtual int32_t GetOrdinal() = 0;
    virtual std::u16string GetWideText() = 0;
    virtual uint8_t GetLuStyle() = 0;
};

// Marks a hit (start, length, in characters of the field text) while an entry is rendered.
using TZelAddRangeProc = std::function<void(int32_t start, int32_t length)>;
// Called for each occurrence of a watched query field; answering true stops the entry.
using TZelFieldTextEvent =
    std::function<bool(int32_t fieldIndex, const std::u16string& text, const TZelAddRangeProc&)>;

class IZelDic : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{0468D200-8CB3-11D4-94F7-308455C1010C}");

    virtual std::u16string GetAbbreviation(const std::u16string& abbreviation) = 0;
    virtual bool IsLuSorted() = 0;
    virtual bool MultiwordsShownByDefault() = 0;
    // Compare a headword with a text in the system code page; -1, 0 or 1.
    virtual int CompareLuLoose(IZelLu& lu, const std::string& text) = 0;
    virtual int CompareLuExact(IZelLu& lu, const std::string& text) = 0;
    virtual int CompareLuText(IZelLu& lu, const std::string& text) = 0;
    virtual int CompareLus(IZelLu& a, IZelLu& b) = 0;
    virtual std::string GetEntryRtf(IZelLu& lu, int32_t view) = 0;
    virtual void EnumFieldValues(IZelLu& lu, const std::vector<int32_t>& fields,
                                 const TZelFieldTextEvent& callback) = 0;
    virtual bool FindLu(IZelArrayCursor& cursor, IZelLu& key, int32_t& index) = 0;
    virtual std::string GetBasePath() = 0;
    virtual ZelRef<IZelArrayCursor> GetEntries() = 0;
    virtual bool HasLuList() = 0;
    virtual bool HasMultiwordFilter() = 0;
    virtual std::string GetId() = 0;
    virtual uint8_t GetLuStyle() = 0;
    virtual std::u16string GetName() = 0;
    virtual const TZelFieldTextEvent& GetOnFieldText() = 0;
    virtual TZelLXQueryFields* GetQueryFields() = 0;
    virtual ZelRef<IZelArrayCursorFilter> GetLuFilter() = 0;
    virtual TZelLanguage GetSourceLang() = 0;
    virtual TZelLanguage GetTargetLang() = 0;
    virtual int32_t GetViewOptionCount(int32_t view) = 0;
    virtual TZelViewOption* GetViewOption(int32_t view, int32_t option) = 0;
    virtual bool IsBilingual() = 0;
    virtual void PlayAudio(int32_t sound) = 0;
    // The headwords equal to the alternative text (or the text when the alternative is
    // empty), narrowed by ordinal; none when nothing matches.
    virtual ZelRef<IZelArrayCursor> LookupLu(const std::u16string& text,
                                             const std::u16string& alternative, int32_t ordinal,
                                             uint8_t catCode) = 0;
    virtual void SetOnFieldText(TZelFieldTextEvent event) = 0;
};

class IZelDicMorph : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{B8484680-8CE9-11D4-94F7-308455C1010C}");

    virtual ZelRef<IZelSentenceItem> Analyze(const std::u16string& word) = 0;
    virtual std::u16string GetConsonants() = 0;
    virtual std::u16string GetVowels() = 0;
};

class IZelDicEditable : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{972E01BB-B52F-4572-982C-DF077C20EA02}");

    // Removes the entry of the headword (text, ordinal).
    virtual void DeleteLu(const std::u16string& text, int32_t ordinal, uint8_t catCode) = 0;
    virtual void SaveChanges() = 0;
    // A cursor on the headword's entry, added (empty) when missing; none for an empty text.
    virtual ZelRef<IZelArrayCursor> FindOrAddLu(const std::u16string& text, int32_t ordinal,
                                                uint8_t catCode) = 0;
};

// A list of interface references, in the manner of the toolkit's interface list.
class IZelInterfaceList : public virtual IZelUnknown {
public:
    virtual ZelRef<IZelUnknown> Get(int32_t index) = 0;
    virtual int32_t GetCount() = 0;
    virtual void Put(int32_t index, const ZelRef<IZelUnknown>& item) = 0;
    virtual void Clear() = 0;
    virtual void Delete(int32_t index) = 0;
    virtual void Exchange(int32_t a, int32_t b) = 0;
    virtual ZelRef<IZelUnknown> First() = 0;
    virtual int32_t IndexOf(IZelUnknown* item) = 0;
    virtual int32_t Add(const ZelRef<IZelUnknown>& item) = 0;
    virtual void Insert(int32_t index, const ZelRef<IZelUnknown>& item) = 0;
    virtual ZelRef<IZelUnknown> Last() = 0;
    virtual int32_t Remove(IZelUnknown* item) = 0;
};

class IZelDicList : public virtual IZelInterfaceList {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{0468D201-8CB3-11D4-94F7-308455C1010C}");

    // Saves every dictionary of the list the user writes into.
    virtual void SaveEditable() = 0;
    virtual ZelRef<IZelDic> GetDic(int32_t index) = 0;
};

using TZelAddPairProc = std::function<void(TZelLanguage source, TZelLanguage target)>;

class IZelDicBuilder : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{0331CBD0-6000-43BE-B51D-C1E305DB1953}");

    virtual void EnumLanguagePairs(const TZelAddPairProc& addPair) = 0;
    // Adds every installed dictionary of the type; false when one could not be opened.
    virtual bool AddInstalled(IZelDicList& list) = 0;
};

// ---------------------------------------------------------------------------------------
// Base classes

class TZelDic : public TZelInterfacedObject, public virtual IZelDic {
public:
    TZelDic(TZelLanguage source, TZelLanguage target);

    void* QueryInterface(const ZelGuid& iid) override;

    std::u16string GetAbbreviation(const std::u16string&) override { return {}; }
    bool IsLuSorted() override { return false; }
    bool MultiwordsShownByDefault() override { return false; }
    int CompareLuLoose(IZelLu& lu, const std::string& text) override;
    int CompareLuExact(IZelLu& lu, const std::string& text) override;
    int CompareLuText(IZelLu& lu, const std::string& text) final;
    int CompareLus(IZelLu& a, IZelLu& b) final;
    void EnumFieldValues(IZelLu&, const std::vector<int32_t>&, const TZelFieldTextEvent&) override {
    }
    std::string GetBasePath() override { return {}; }
    ZelRef<IZelArrayCursor> GetEntries() override { return nullptr; }
    bool HasLuList() override { return false; }
    bool HasMultiwordFilter() override { return false; }
    std::string GetId() override;
    std::u16string GetName() override;
    const TZelFieldTextEvent& GetOnFieldText() final { return OnFieldText; }
    TZelLXQueryFields* GetQueryFields() override { return nullptr; }
    ZelRef<IZelArrayCursorFilter> GetLuFilter() override { return nullptr; }
    TZelLanguage GetSourceLang() final { return SourceLang; }
    TZelLanguage GetTargetLang() final { return TargetLang; }
    int32_t GetViewOptionCount(int32_t) override { return 0; }
    TZelViewOption* GetViewOption(int32_t, int32_t) override { return nullptr; }
    bool IsBilingual() final { return SourceLang != TargetLang; }
    void PlayAudio(int32_t) override {}
    ZelRef<IZelArrayCursor> LookupLu(const std::u16string& text, const std::u16string& alternative,
                                     int32_t ordinal, uint8_t catCode) override;
    void SetOnFieldText(TZelFieldTextEvent event) final { OnFieldText = std::move(event); }

protected:
    // The search of the dictionaries that keep their headwords in a cursor: binary when
    // sorted, else linear, comparing loosely with the key's text.
    bool FindLuInCursor(IZelArrayCursor& cursor, IZelLu& key, int32_t& index);
    // The look-up of the dictionaries of style 1 (Algorithms of LookupLu).
    ZelRef<IZelArrayCursor> LookupLuInEntries(const std::u16string& text,
                                              const std::u16string& alternative, int32_t ordinal,
                                              uint8_t catCode);
    // Compares two texts of the system code page for the source language.
    int CompareSystemTexts(const std::string& a, const std::string& b, bool loose);

private:
    TZelLanguage SourceLang;
    TZelLanguage TargetLang;
    TZelFieldTextEvent OnFieldText;
};

class TZelDicMorph : public TZelDic, public virtual IZelDicMorph {
public:
    TZelDicMorph(const std::string& id, TZelLanguage language);
    ~TZelDicMorph() override;

    void* QueryInterface(const ZelGuid& iid) override;

    std::string GetId() override { return Id; }
    TZelLXQueryFields* GetQueryFields() override;
    std::u16string GetConsonants() override { return u"bcdfghjklmnpqrstvwxyz"; }
    std::u16string GetVowels() override { return u"aeiou"; }

private:
    std::string Id;
    std::unique_ptr<TZelLXQueryFields> QueryFields;
};

// A lexical unit that stands on its own: a text with its category and ordinal.
class TZelLu : public TZelInterfacedObject, public virtual IZelLu {
public:
    TZelLu(const ZelRef<IZelDic>& dic, const std::u16string& text, int32_t ordinal,
           uint8_t catCode);

    void* QueryInterface(const ZelGuid& iid) override;

    uint8_t GetCatCode() override { return CatCode; }
    ZelRef<IZelDic> GetDic() override { return Dic; }
    std::string GetText() override;
    int32_t GetLength() override { return int32_t(Text.size()); }
    int32_t GetOrdinal() override { return Ordinal; }
    std::u16string GetWideText() override { return Text; }
    uint8_t GetLuStyle() override { return ZelLuStylePlain; }

private:
    ZelRef<IZelDic> Dic;
    std::u16string Text;
    int32_t Ordinal;
    uint8_t CatCode;
};

// The headword cursor over a container of headword records; it answers IZelLu for its
// current element. The dictionary owns the cursor, so the cursor does not count its
// reference to the dictionary.
class TZelLuCursorOnMemBlocks : public TZelArrayCursor, public virtual IZelLu {
public:
    TZelLuCursorOnMemBlocks(int codePage, IZelDic* dic, const ZelRef<IZelMemBlocks>& blocks,
                            const std::string& fileName = {});

    void* QueryInterface(const ZelGuid& iid) override;
    int32_t GetCount() override { return Count; }

    uint8_t GetCatCode() override;
    ZelRef<IZelDic> GetDic() override { return Dic; }
    std::string GetText() override;
    int32_t GetLength() override;
    int32_t GetOrdinal() override;
    std::u16string GetWideText() override;
    uint8_t GetLuStyle() override { return Style; }

    // Forgets the dictionary (when it goes away before the cursor).
    void Detach() { Dic = nullptr; }

    // The headword bytes of the current record in the dictionary's code page.
    std::string_view GetRawText();
    const ZelRef<IZelMemBlocks>& GetBlocks() const { return Blocks; }
    int GetCodePage() const { return CodePage; }

protected:
    // The current record, checked against the record layout of the style.
    std::string_view CurrentRecord();
    [[noreturn]] void RaiseInvalidRecord() const;

private:
    int CodePage;
    IZelDic* Dic;
    ZelRef<IZelMemBlocks> Blocks;
    std::string FileName;
    int32_t Count;
    uint8_t Style;
};

class TZelInterfaceList : public TZelInterfacedObject, public virtual IZelInterfaceList {
public:
    void* QueryInterface(const ZelGuid& iid) override;

    ZelRef<IZelUnknown> Get(int32_t index) override;
    int32_t GetCount() override { return int32_t(Items.size()); }
    void Put(int32_t index, const ZelRef<IZelUnknown>& item) override;
    void Clear() override { Items.clear(); }
    void Delete(int32_t index) override;
    void Exchange(int32_t a, int32_t b) override;
    ZelRef<IZelUnknown> First() override { return Get(0); }
    int32_t IndexOf(IZelUnknown* item) override;
    int32_t Add(const ZelRef<IZelUnknown>& item) override;
    void Insert(int32_t index, const ZelRef<IZelUnknown>& item) override;
    ZelRef<IZelUnknown> Last() override { return Get(GetCount() - 1); }
    int32_t Remove(IZelUnknown* item) override;

private:
    void CheckIndex(int32_t index, bool allowEnd) const;
    std::vector<ZelRef<IZelUnknown>> Items;
};

class TZelDicList : public TZelInterfaceList, public virtual IZelDicList {
public:
    void* QueryInterface(const ZelGuid& iid) override;

    void SaveEditable() override;
    ZelRef<IZelDic> GetDic(int32_t index) override;
};

// Compares two texts of the system code page for a language, loosely (case and accents
// ignored) or exactly: the comparison every dictionary's headword order rests on.
int ZelCompareSystemTexts(TZelLanguage language, const std::string& a, const std::string& b,
                          bool loose);

// ---------------------------------------------------------------------------------------
// Process-wide registries

void RegisterDicBuilder(const ZelRef<IZelDicBuilder>& builder);
const std::vector<ZelRef<IZelDicBuilder>>& GetDicBuilders();

// The list of installed dictionaries, built on first call by every registered builder in
// registration order. A builder's exception is shown to the user and raised again.
ZelRef<IZelDicList> GetDicList();

// Releases the dictionary list (at process end, and between tests) and, when asked, the
// builder registry too.
void ZelReleaseDicList(bool alsoBuilders = false);

// Clears list, then adds every installed dictionary answering the interface whose source is
// source and whose target is source or target, in dictionary-list order.
void CollectDics(TZelLanguage source, TZelLanguage target, IZelInterfaceList& list,
                 const ZelGuid& iid);

// The first installed dictionary of the pair that answers the interface I, or none.
//   ZelFirstDic<IZelDicMorph>(ZelLangItalian, ZelLangItalian)  (the Italian morphology)
template <class I> ZelRef<I> ZelFirstDic(TZelLanguage source, TZelLanguage target) {
    ZelRef<TZelInterfaceList> found = ZelMake<TZelInterfaceList>();
    CollectDics(source, target, *found, I::IID);
    return found->GetCount() > 0 ? ZelQuery<I>(found->Get(0)) : nullptr;
}

// The last source and target languages stored under the settings key ("SLWC", "TLWC"),
// when they are in the language list; otherwise its first source (or first target).
TZelLanguage ReadLastSourceLang(TZelSettingsKey& key);
TZelLanguage ReadLastTargetLang(TZelSettingsKey& key, TZelLanguage source);
