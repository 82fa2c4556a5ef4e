// DD6 dictionaries: a text description and a family of memory-block files beside it (one
// headword file and one entry file per source language, optional sounds, query-field
// indexes and a multi-word filter), one XSLT stylesheet per rendering view, per-view display
// options and an abbreviation table. Entries are XML fragments rendered into RTF.
#pragma once

#include "ZelDD6Query.h"
#include "ZelDic.h"
#include "ZelXML.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One display option of a view: a checkbox the user toggles to show or hide a part of the
// entries.
struct TZelViewOption {
    std::string Caption;
    bool Checked = false;
    bool Present = false; // set at each rendering: the entry shown has the option's element
    std::u16string ElementName;
    std::string Hint;
    int32_t ImageIndex = 0;
};

using TZelViewOptions = std::vector<TZelViewOption>;

// Reads a display options file: one option per line, as comma text (caption, checked,
// element name, hint, image index). A missing file gives no options; a bad line raises
// EZelStreamError naming the file and line.
TZelViewOptions ZelReadViewOptions(const std::string& path);

// The values of a description file.
struct TZelDD6Description {
    bool Sorted = true;
    int CodePage = 1252;
    uint8_t LuStyle = 1;
    bool Monolingual = false;
    std::u16string Name;
    int32_t ViewCount = 1;
    std::vector<TZelLanguage> SourceLangs;
    std::vector<TZelLanguage> TargetLangs;
};

// Reads a description file (name=value lines; names ignore case; the first line of a name
// wins). A missing or non-numeric "LuStyle" or another bad number raises EZelConvertError
// naming the file.
TZelDD6Description ZelReadDD6Description(const std::string& path);
// The same for the text of a description; errors name the given file name.
TZelDD6Description ZelParseDD6Description(const std::string& text, const std::string& path);

// Four lower-case hexadecimal digits: "0009" for English.
std::string ZelLangFilePart(TZelLanguage language);

class IZelDicEntries : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{32ED0521-434B-11D5-94F7-0001020ADED1}");
    // The entry block of the current element.
    virtual TZelMemBlock GetEntryBlock() = 0;
};

class TZelDD6Master;

// The data of one source language, each part opened on first use and kept.
class TZelSourceFullangData {
public:
    TZelSourceFullangData(TZelDD6Master& master, TZelLanguage language);
    ~TZelSourceFullangData();

    TZelLanguage GetLanguage() const { return Language; }
    std::string FilePart() const { return ZelLangFilePart(Language); }

    // The headword and entry containers (a missing file raises).
    const ZelRef<IZelMemBlocks>& GetHeadwords();
    const ZelRef<IZelMemBlocks>& GetEntries();
    TZelLXQueryFields& GetQueryFields();
    // The sound container; nothing while the file is unavailable.
    ZelRef<IZelMemBlocks> GetSounds();
    TZelViewOptions& GetViewOptions(int32_t view);

    std::string HeadwordFile() const;
    std::string EntryFile() const;
    std::string MultiwordFilterFile() const;
    std::string SoundFile() const;

private:
    TZelDD6Master& Master;
    TZelLanguage Language;
    ZelRef<IZelMemBlocks> Headwords;
    ZelRef<IZelMemBlocks> Entries;
    ZelRef<IZelMemBlocks> Sounds;
    std::unique_ptr<TZelQueryFieldParameterForDD6> QueryParameter;
    std::unique_ptr<TZelLXQueryFields> QueryFields;
    std::vector<std::unique_ptr<TZelViewOptions>> ViewOptions;
};

// The data one installed dictionary shares between its language-pair objects.
class TZelDD6Master : public TZelInterfacedObject {
public:
    // Reads the description, compiles the stylesheets and reads the abbreviations; nothing
    // else is opened until needed. indexFolder and audioFolder end with "/".
    TZelDD6Master(const std::string& installName, const std::string& indexFolder,
                  const std::string& audioFolder, const std::string& descriptionPath);
    ~TZelDD6Master() override;

    const std::string& GetInstallName() const { return InstallName; }
    const std::string& GetBasePath() const { return BasePath; }       // B
    const std::string& GetIndexPrefix() const { return IndexPrefix; } // I + N
    const std::string& GetAudioPrefix() const { return AudioPrefix; } // A + N
    const TZelDD6Description& GetDescription() const { return Description; }

    // The data of a source language; nullptr for a language the dictionary does not have.
    TZelSourceFullangData* GetSourceData(TZelLanguage language);

    // The expansion of an abbreviation (in the dictionary's code page); empty when none.
    std::string FindAbbreviation(const std::string& abbreviation) const;
    bool HasAbbreviations() const { return !Abbreviations.empty(); }
    // Finds the abbreviations at the starts of the words of a text.
    void FindAbbreviations(const std::u16string& text, const TZelAddRangeProc& addRange) const;

    IZelXslProcessor& GetProcessor(int32_t view);
    TZelEnumQueryFieldHelper& GetMarker() { return Marker; }
    bool SoundStarted = false;

private:
    void ReadAbbreviations();
    // Lower bound of bytes among the abbreviations (byte-wise order).
    size_t LowerBound(std::string_view bytes) const;

    std::string InstallName;
    std::string BasePath;
    std::string IndexPrefix;
    std::string AudioPrefix;
    TZelDD6Description Description;
    std::vector<std::unique_ptr<TZelSourceFullangData>> Sources;
    std::vector<std::string> Abbreviations;
    size_t MaxAbbreviationLength = 0;
    std::vector<std::string> Expansions;
    std::vector<ZelRef<IZelXslProcessor>> Processors;
    TZelEnumQueryFieldHelper Marker;
};

class TZelDD6 : public TZelDic {
public:
    TZelDD6(const ZelRef<TZelDD6Master>& master, TZelLanguage source, TZelLanguage target);
    ~TZelDD6() override;

    std::u16string GetAbbreviation(const std::u16string& abbreviation) override;
    bool IsLuSorted() override { return Master->GetDescription().Sorted; }
    std::string GetEntryRtf(IZelLu& lu, int32_t view) override;
    void EnumFieldValues(IZelLu& lu, const std::vector<int32_t>& fields,
                         const TZelFieldTextEvent& callback) override;
    bool FindLu(IZelArrayCursor& cursor, IZelLu& key, int32_t& index) override;
    std::string GetBasePath() override { return Master->GetBasePath(); }
    ZelRef<IZelArrayCursor> GetEntries() override;
    bool HasLuList() override { return true; }
    bool HasMultiwordFilter() override { return MultiwordFilterExists; }
    std::string GetId() override;
    uint8_t GetLuStyle() override { return Master->GetDescription().LuStyle; }
    std::u16string GetName() override;
    TZelLXQueryFields* GetQueryFields() override;
    ZelRef<IZelArrayCursorFilter> GetLuFilter() override;
    int32_t GetViewOptionCount(int32_t view) override;
    TZelViewOption* GetViewOption(int32_t view, int32_t option) override;
    void PlayAudio(int32_t sound) override;
    ZelRef<IZelArrayCursor> LookupLu(const std::u16string& text, const std::u16string& alternative,
                                     int32_t ordinal, uint8_t catCode) override;

    // The bytes of the element's entry (the unit must be an element of this dictionary's
    // headword cursor, or of a filter over it).
    virtual std::string GetEntryXml(IZelLu& lu);

    // The entry wrapped into the document the stylesheets receive; view -1 for none.
    std::string BuildEntryDocument(IZelLu& lu, int32_t view);

    const ZelRef<TZelDD6Master>& GetMaster() const { return Master; }

protected:
    TZelSourceFullangData& SourceData();
    std::string RenderEntry(IZelLu& lu, int32_t view);
    // The headword cursor when it was created, else none.
    const ZelRef<IZelArrayCursor>& CachedEntries() const { return Entries; }
    virtual ZelRef<IZelArrayCursor> CreateEntries();

private:
    ZelRef<TZelDD6Master> Master;
    bool MultiwordFilterExists;
    ZelRef<IZelArrayCursorFilter> LuFilter;
    ZelRef<IZelArrayCursor> Entries;
};

// The headword cursor of a DD6 dictionary: headword records and, for the same element, its
// entry.
class TZelDD6DicEntries : public TZelLuCursorOnMemBlocks, public virtual IZelDicEntries {
public:
    TZelDD6DicEntries(TZelDD6& dic, TZelSourceFullangData& data);

    void* QueryInterface(const ZelGuid& iid) override;
    TZelMemBlock GetEntryBlock() override;

private:
    ZelRef<IZelMemBlocks> EntryBlocks;
};

// Makes the dictionary object of one language pair.
using TZelDD6Factory = std::function<ZelRef<TZelDD6>(const ZelRef<TZelDD6Master>& master,
                                                     TZelLanguage source, TZelLanguage target)>;

// Finds the installed dictionaries of one type and opens each, one object per language pair.
class TZelDD6Builder : public TZelInterfacedObject, public virtual IZelDicBuilder {
public:
    TZelDD6Builder(std::string typeId, TZelDD6Factory factory);

    void* QueryInterface(const ZelGuid& iid) override;
    bool AddInstalled(IZelDicList& list) override;
    const std::string& GetTypeId() const { return TypeId; }

private:
    std::string TypeId;
    TZelDD6Factory Factory;
};

// Adds the dictionary objects of every language pair of an opened dictionary to a list.
void ZelAddDD6Dictionaries(const ZelRef<TZelDD6Master>& master, const TZelDD6Factory& factory,
                           IZelDicList& list);

// The rich-text bytes of a stylesheet's result: characters below 256 as bytes, others as
// "\u" + decimal code + " ?".
std::string ZelRtfBytes(const std::u16string& text);
