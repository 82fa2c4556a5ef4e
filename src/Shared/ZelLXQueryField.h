// Query fields: the searchable aspects of a dictionary's entries that advanced search
// offers. A field says which operators apply (its kind), which entry elements make up its
// text, which values a user may pick, and gives access to its optional index files. The
// fields of a dictionary are described in an INI-style file:
//
//     [Fields]            Count=2
//     [Info_1]            Name=Part of speech / Kind=C / Fields=pos / IsMarker=1 / HasMore=0
//     [Values_1]          Template=^%s$ / Noun=n / Verb=v
//     [Values_1_1]        (sub-values of the first value, when HasMore is set)
#pragma once

#include "ZelExp.h"
#include "ZelIniFile.h"
#include "ZelMemBlocks.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TZelLXQueryFieldKind : uint8_t { qkC = 0, qkX, qkD, qkI, qkS, qkT, qkWordForm };

// The operators offered for each kind, the first being the default.
const std::vector<TZelOpKind>& ZelQueryFieldOperators(TZelLXQueryFieldKind kind);

// The kind named by the first letter of a "Kind" value ("T" for anything unknown or empty).
TZelLXQueryFieldKind ZelQueryFieldKindOf(const std::string& letter);

// What a dictionary format hands every field of its list (the DD6 format: the file-name
// pattern of the index files). Not owned by the fields.
class TZelQueryFieldParameter {
public:
    virtual ~TZelQueryFieldParameter() = default;
};

// The pickable values of a field: captions and, at the same positions, the patterns an
// entry's field must match; with sub-values, one such list per value (or none).
struct TZelQueryValues {
    std::vector<std::string> Names;
    std::vector<std::string> Patterns;
    std::vector<std::unique_ptr<TZelQueryValues>> SubValues;
};

class TZelWideStrings;
class TZelWideStringList;

class TZelLXQueryField {
public:
    // A field without element names or values (the built-in word-form field).
    TZelLXQueryField(TZelQueryFieldParameter* parameter, TZelLXQueryFieldKind kind,
                     const std::string& name);
    // Reads the description of the field with this zero-based index.
    TZelLXQueryField(TZelQueryFieldParameter* parameter, int32_t index, const TZelIniFile& ini);
    virtual ~TZelLXQueryField();

    // Index data; the base class has none.
    virtual ZelRef<IZelMemBlocks> GetIndexBlocks() { return nullptr; }
    virtual TZelWideStrings* GetWordList() { return nullptr; }
    virtual ZelRef<IZelMemBlocks> GetWordIndexBlocks() { return nullptr; }
    virtual std::string GetIndexFileName() { return {}; }
    virtual std::string GetWordIndexFileName() { return {}; }
    virtual std::string GetWordListFileName() { return {}; }

    // The captions and patterns of the pickable values; nullptr when the field has none.
    const TZelQueryValues* GetValues() const { return Values.get(); }

    std::string CustomName;
    std::string Name;
    std::vector<std::u16string> Fields;
    TZelLXQueryFieldKind Kind;
    bool HasMore = false;
    bool IsMarker = false;
    int32_t Index = 0;
    TZelQueryFieldParameter* Parameter;

private:
    std::unique_ptr<TZelQueryValues> Values;
};

// Makes the field of a given index from its description: the class of field a dictionary
// format uses.
using TZelQueryFieldFactory = std::function<std::unique_ptr<TZelLXQueryField>(
    TZelQueryFieldParameter* parameter, int32_t index, const TZelIniFile& ini)>;

class TZelLXQueryFields {
public:
    // Plain fields, no parameter.
    TZelLXQueryFields();
    TZelLXQueryFields(TZelQueryFieldFactory factory, TZelQueryFieldParameter* parameter);

    // A missing file gives no fields.
    void LoadFromFile(const std::string& path);
    void LoadFromIni(const TZelIniFile& ini);

    int32_t GetCount() const { return int32_t(Items.size()); }
    TZelLXQueryField& Get(int32_t index) const;
    void Add(std::unique_ptr<TZelLXQueryField> field);

    TZelQueryFieldParameter* GetParameter() const { return Parameter; }

private:
    TZelQueryFieldFactory Factory;
    TZelQueryFieldParameter* Parameter;
    std::vector<std::unique_ptr<TZelLXQueryField>> Items;
};

// Splits a query value into the words looked up in a word list: the text is lower-cased
// and case-folded, and every longest run of word characters (letters and "-") or extra
// characters becomes one word. list is sorted by character code and holds each word once.
void SplitQueryWords(const TZelLXQueryField* field, const std::u16string& text,
                     TZelWideStringList& list, const std::u16string& extraCharacters);

// A sorted list comparing by character code, ignoring duplicates, as SplitQueryWords needs.
std::unique_ptr<TZelWideStringList> ZelNewCodeOrderList();
