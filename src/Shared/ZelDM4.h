// Morphological dictionaries: the dictionary type through which the rest of the program
// reaches morphology. It turns the module's reading trees into sentence items, answers
// word-existence questions and enumerates inflected forms.
#pragma once

#include "ZelDescriptionFile.h"

#include "ZelDic.h"
#include "ZelMorph.h"
#include "ZelSentenceItem.h"
#include "ZelWordChecker.h"

#include <string>
#include <unordered_map>
#include <vector>

// The caller's side of a word-form enumeration.
class IZelEnumWordFormsCallback {
public:
    virtual ~IZelEnumWordFormsCallback() = default;
    // The description of a reading met on the way to a form; false prunes that branch.
    virtual bool AcceptDescription(const std::string& description) = 0;
    // False stops the enumeration.
    virtual bool Progress(int32_t done, int32_t total) = 0;
    virtual void WordForm(const std::u16string& form) = 0;
};

// Which forms to enumerate: every form, the forms of one length (argument: the length), or
// the forms of lemmas (argument: an array of lemma and code pairs).
enum : uint8_t { ZelFormsAll = 0, ZelFormsOfLength = 1, ZelFormsOfLemmas = 2 };

class IZelDicMorphEx : public virtual IZelDicMorph {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{72BD4B31-EDDD-4D06-8573-F7BB2D78E11A}");

    virtual void EnumWordForms(uint8_t kind, const TZelVariant& argument,
                               IZelEnumWordFormsCallback& callback) = 0;
};

class TZelDM4;

// Adapts the module's enumeration callback to the dictionary's.
class TZelWordFormExtractor : public IZelMorphEnumCallback {
public:
    TZelWordFormExtractor(TZelDM4& dic, IZelEnumWordFormsCallback& callback)
        : Dic(dic), Callback(callback) {}
    bool AcceptInfo(int32_t infoId, int32_t elementIndex) override;
    bool Progress(int32_t done, int32_t total) override { return Callback.Progress(done, total); }
    bool WordForm(const std::u16string& form) override;

private:
    TZelDM4& Dic;
    IZelEnumWordFormsCallback& Callback;
};

class TZelDM4 : public TZelDicMorph, public virtual IZelDicMorphEx, public virtual IZelWordChecker {
public:
    // Reads the description file and the description list beside it. Raises the file's
    // error or EZelConvertError (naming the file and the key) for a missing or bad "SLWC",
    // "LuStyle" or "CodePage".
    TZelDM4(const std::string& id, const std::string& path);

    void* QueryInterface(const ZelGuid& iid) override;

    ZelRef<IZelSentenceItem> Analyze(const std::u16string& text) override;
    std::u16string GetConsonants() override;
    std::u16string GetVowels() override;
    void EnumWordForms(uint8_t kind, const TZelVariant& argument,
                       IZelEnumWordFormsCallback& callback) override;
    bool WordExists(const char16_t* text, int32_t length) override;
    bool WordExists(const std::u16string& text) override;

    std::string GetEntryRtf(IZelLu&, int32_t) override { return {}; }
    bool FindLu(IZelArrayCursor& cursor, IZelLu& key, int32_t& index) override;
    uint8_t GetLuStyle() override { return LuStyle; }
    std::u16string GetName() override { return Name; }

    // The description of an information identifier: "" for 0, the line of the list, or an
    // error text for an identifier the list does not have.
    std::string InfoDescription(int32_t id) const;
    // The morphology module, opened on first use.
    IZelMorphModule& GetModule();
    const std::string& GetPath() const { return Path; }

private:
    TZelDM4(const std::string& id, const std::string& path, const TZelDescriptionFile& description);
    ZelRef<IZelSentenceItem> Convert(const std::u16string& text, IZelMorphInfo& node);
    // How common a lemma is (1 for the commonest), from the rank list beside the
    // description ("<name>_rank.kv0", one lemma per line, commonest first), read on first
    // use; 0 for a lemma it does not hold, and for every lemma without a list.
    int32_t RankOf(const std::u16string& lemma);
    // The lemma of a reading of the automaton with its rank, by where its information
    // string lies: a text names the same lemmas again and again, and decoding the lemma
    // and looking up its rank cost more than the walk that found it.
    struct TLemmaSlot {
        int32_t InfoOffset = -1;
        std::u16string Lemma;
        int32_t Rank = 0;
    };
    const TLemmaSlot& LemmaOf(IZelMorphInfo& leaf);
    // After a word that can only be a noun ("children's", "John's"), the "s" is the
    // possessive ending rather than "is" or "has", and is listed first.
    static void PreferPossessives(IZelSentenceItem& sentence);

    std::string Path;
    int CodePage = 1252;
    std::u16string Consonants;
    ZelRef<IZelMorphModule> Module;
    uint8_t LuStyle = 0;
    std::vector<std::string> Descriptions;
    std::unordered_map<std::u16string, int32_t> Ranks;
    bool RanksRead = false;
    std::vector<TLemmaSlot> LemmaCache; // direct-mapped, by information string
    std::u16string Name;
    std::u16string Vowels;
};

// Finds the installed morphological dictionaries of one type.
class TZelDM4Builder : public TZelInterfacedObject, public virtual IZelDicBuilder {
public:
    explicit TZelDM4Builder(std::string typeId) : TypeId(std::move(typeId)) {}
    void* QueryInterface(const ZelGuid& iid) override;
    void EnumLanguagePairs(const TZelAddPairProc&) override {}
    bool AddInstalled(IZelDicList& list) override;

private:
    std::string TypeId;
};
