// Annotations: a DD6 dictionary whose headwords and entries are the user's own notes, kept
// in an XML file of the user's data folder. Description, stylesheets, options and query
// fields come from the installed files.
//
// The notes file is never lost: every save writes a temporary file, flushes it to disk and
// renames it over the old one, keeping the previous version beside it with a "~". A notes
// file that cannot be read is reported and left alone: the dictionary then shows no notes
// and refuses changes rather than overwrite it.
//
// Several programs may change one notes file at once (two windows, a window and nvlook):
// changes are kept as a list of edits by headword, and a save takes the file's lock,
// reads the file as it is now, applies the edits to it and writes the result, so nobody's
// note is lost. A file changed by another program is read again before the next look-up.
// Notes are kept in the dictionary's order (a hand-edited file out of order is sorted when
// read, keeping equal headwords in file order, and written back sorted). A headword the
// system code page cannot hold is refused: the comparisons that order the notes would not
// tell it from others.
#pragma once

#include "ZelDD6.h"
#include "ZelFiles.h"

#include <optional>

class IZelDD6ExEntries : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{8471AA17-9BA1-451D-B410-E76C1A9411B9}");

    virtual void Delete(int32_t index) = 0;
    virtual void Save() = 0;
    virtual void Insert(int32_t index, IZelLu& lu) = 0;
    // Grows with every insertion and deletion, so that holders of entry numbers can tell
    // that theirs are stale.
    virtual uint32_t GetChangeCount() = 0;
};

class IZelDD6ExEntryText : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{85569146-2BDA-404A-AE3B-1AFC268FEC9A}");

    virtual std::u16string GetEntryText() = 0;
    virtual void SetEntryText(const std::u16string& text) = 0;
};

// The folder of the user's notes: $XDG_DATA_HOME (default ~/.local/share) + "/VRD/NV/1.0".
std::string ZelUserNotesFolder();

class TZelDD6Ex;

class TZelDD6ExDicEntries : public TZelArrayCursor,
                            public virtual IZelLu,
                            public virtual IZelDD6ExEntries,
                            public virtual IZelDD6ExEntryText {
public:
    // Reads the notes file when it exists. A file that is not well-formed is reported
    // through the dialogs and kept: the cursor is then empty and read-only.
    TZelDD6ExDicEntries(TZelDD6Ex& dic, std::string fileName);
    ~TZelDD6ExDicEntries() override;

    void* QueryInterface(const ZelGuid& iid) override;
    int32_t GetCount() override { return int32_t(Notes.size()); }

    uint8_t GetCatCode() override { return 0; }
    ZelRef<IZelDic> GetDic() override;
    std::string GetText() override;
    int32_t GetLength() override { return int32_t(Current().Lemma.size()); }
    int32_t GetOrdinal() override;
    std::u16string GetWideText() override { return Current().Lemma; }
    uint8_t GetLuStyle() override;

    void Delete(int32_t index) override;
    void Save() override;
    void Insert(int32_t index, IZelLu& lu) override;
    uint32_t GetChangeCount() override { return ChangeCount; }

    std::u16string GetEntryText() override { return Current().Text; }
    void SetEntryText(const std::u16string& text) override;

    const std::string& GetFileName() const { return FileName; }
    // The reason the notes file could not be read; empty when it could.
    const std::string& GetLoadError() const { return LoadError; }
    void Detach() { Dic = nullptr; }
    // Reads the file again when another program has changed it and nothing is waiting to
    // be saved here.
    void RefreshIfChanged();

private:
    struct TNote {
        std::u16string Lemma;
        std::optional<std::u16string> LemmaOrd;
        std::u16string Text;
    };
    enum class TEditKind { Add, SetText, Delete };
    // One change, by headword, to be applied again to the file as it is when saving.
    struct TEdit {
        TEditKind Kind;
        TNote Note;
    };
    const TNote& Current() const;
    void CheckWritable() const;
    // Reads the notes file into notes, sorted; true when the file was not in order.
    bool ReadFile(std::vector<TNote>& notes);
    void Reload();
    void SortNotes(std::vector<TNote>& notes, bool& wasUnsorted) const;
    int CompareNotes(const TNote& a, const TNote& b) const;
    int32_t OrdinalOf(const TNote& note) const;
    void Apply(std::vector<TNote>& notes, const TEdit& edit) const;
    std::string Serialize() const;

    TZelDD6Ex* Dic;
    uint8_t Style;
    uint16_t Language;
    std::string FileName;
    std::vector<TNote> Notes;
    std::vector<TEdit> Pending;
    // The file was out of order or held broken references: write it back at the next save.
    bool NeedsRewrite = false;
    TZelFileStamp LoadedStamp;
    uint32_t ChangeCount = 0;
    std::string LoadError;
};

class TZelDD6Ex : public TZelDD6, public virtual IZelDicEditable {
public:
    TZelDD6Ex(const ZelRef<TZelDD6Master>& master, TZelLanguage source, TZelLanguage target);
    ~TZelDD6Ex() override;

    void* QueryInterface(const ZelGuid& iid) override;

    // The note as an XML fragment: line feeds as <br />, backslashes and braces as <bs />,
    // <bkb /> and <bke />, markup characters escaped, characters the code page cannot hold
    // as character references.
    std::string GetEntryXml(IZelLu& lu) override;

    // Raises an error for a headword the system code page cannot hold.
    void DeleteLu(const std::u16string& text, int32_t ordinal, uint8_t catCode) override;
    void SaveChanges() override;
    // Raises an error for a headword the system code page cannot hold.
    ZelRef<IZelArrayCursor> FindOrAddLu(const std::u16string& text, int32_t ordinal,
                                        uint8_t catCode) override;
    // Nothing for a headword the system code page cannot hold.
    ZelRef<IZelArrayCursor> LookupLu(const std::u16string& text, const std::u16string& alternative,
                                     int32_t ordinal, uint8_t catCode) override;

    // The notes file of the dictionary's source language.
    std::string GetNotesFileName();

protected:
    ZelRef<IZelArrayCursor> CreateEntries() override;

private:
    TZelDD6ExDicEntries& Cursor();
};
