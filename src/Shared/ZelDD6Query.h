// The DD6 side of query fields: the fields' index files, and the marker that walks an
// entry's XML, reports the text of every query-field occurrence to a callback and, while an
// entry is rendered, re-emits it as UTF-16 XML with "em" around reported hits and "abbr"
// around recognised abbreviations.
#pragma once

#include "ZelDic.h"
#include "ZelLXQueryField.h"
#include "ZelWideStrings.h"
#include "ZelXML.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The file-name pattern of one language's field index files: I + N + L + "_%s%.2d.ddata".
class TZelQueryFieldParameterForDD6 : public TZelQueryFieldParameter {
public:
    explicit TZelQueryFieldParameterForDD6(std::string prefix) : Prefix(std::move(prefix)) {}
    // The file of one kind ("i", "wl", "wi") for a field index.
    std::string FileName(const char* kind, int32_t index) const;

private:
    std::string Prefix; // I + N + L
};

// A read-only list of UTF-16 words over a container of UTF-8 blocks, sorted by character
// code.
class TZelWideStringsOnMemBlocks : public TZelWideStringsReadOnly {
public:
    explicit TZelWideStringsOnMemBlocks(ZelRef<IZelMemBlocks> blocks);
    int32_t GetCount() const override { return Blocks->GetCount(); }
    std::u16string Get(int32_t index) const override;

private:
    ZelRef<IZelMemBlocks> Blocks;
};

class TZelLXQueryFieldForDD6 : public TZelLXQueryField {
public:
    TZelLXQueryFieldForDD6(TZelQueryFieldParameter* parameter, int32_t index,
                           const TZelIniFile& ini);

    ZelRef<IZelMemBlocks> GetIndexBlocks() override;
    TZelWideStrings* GetWordList() override;
    ZelRef<IZelMemBlocks> GetWordIndexBlocks() override;
    std::string GetIndexFileName() override;
    std::string GetWordIndexFileName() override;
    std::string GetWordListFileName() override;

private:
    const TZelQueryFieldParameterForDD6& DD6Parameter() const;
    static ZelRef<IZelMemBlocks> OpenIfExists(const std::string& path,
                                              ZelRef<IZelMemBlocks>& cache);

    ZelRef<IZelMemBlocks> IndexBlocks;
    ZelRef<IZelMemBlocks> WordIndexBlocks;
    std::unique_ptr<TZelWideStringsOnMemBlocks> WordList;
};

// Finds abbreviations in one piece of text, reporting their ranges.
using TZelAbbreviationFinder =
    std::function<void(const std::u16string& text, const TZelAddRangeProc& addRange)>;

class TZelEnumQueryFieldHelper {
public:
    TZelEnumQueryFieldHelper();

    void SetFields(std::vector<TZelLXQueryField*> fields);
    void SetEvent(TZelFieldTextEvent event) { Event = std::move(event); }
    void SetAbbreviationFinder(TZelAbbreviationFinder finder) { Finder = std::move(finder); }

    // Re-emits the entry document as UTF-16 XML (with its byte-order mark and declaration),
    // hits in "em" and abbreviations in "abbr".
    std::u16string Render(std::string_view document);
    // Reports the watched fields' occurrences; a callback answering true ends the walk.
    void Enumerate(std::string_view document);

    // Merges a range into a sorted list of ranges (the add-range rule).
    static void AddRange(std::vector<std::pair<int32_t, int32_t>>& ranges, int32_t start,
                         int32_t length);
    // Wraps characters [start, start + length) of the XML text from position from in the
    // tag, keeping the markup well nested. Raises an assertion for a range past the end.
    static void WrapRange(std::u16string& xml, size_t from, int32_t start, int32_t length,
                          const std::u16string& tag);

private:
    struct TCapture {
        std::u16string Text;
        int Depth = 0;
        size_t Start = 0;
    };
    struct TStop {};

    void Walk(std::string_view document);
    void OnAttribute(const std::u16string& name, const std::u16string& value);
    void OnStartElement(const std::u16string& name);
    void OnCharData(const std::u16string& text);
    void OnEndElement(const std::u16string& name);
    bool Watches(size_t field, const std::u16string& name) const;
    void WrapHits(size_t from, const std::u16string& tag);
    // Emits the character data gathered since the last tag, with its abbreviations marked:
    // the parser may hand one text over in several pieces (at references, at its buffer's
    // end), and an abbreviation must be found in the whole of it.
    void FlushText();

    std::vector<TZelLXQueryField*> Fields;
    std::vector<TCapture> Captures;
    std::vector<std::pair<int32_t, int32_t>> Hits;
    std::u16string Output;
    bool Emitting = false;
    std::u16string PendingAttributes;
    std::u16string PendingText;
    TZelAbbreviationFinder Finder;
    TZelFieldTextEvent Event;
    ZelRef<IZelXmlParser> Parser;
};
