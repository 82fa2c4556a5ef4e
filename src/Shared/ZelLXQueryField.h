// Query fields: the searchable aspects of a dictionary's entries that advanced search
// offers. A field says which operators apply (its kind), which entry elements make up its
// text, which values a user may pick, and gives access to its optional index files.
#pragma once

#include "ZelMemBlocks.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TZelLXQueryFieldKind : uint8_t { qkC = 0, qkX, qkD, qkI, qkS, qkT, qkWordForm };

// What a dictionary format hands every field of its list (the DD6 format: the file-name
// pattern of the index files). Not owned by the fields.
class TZelQueryFieldParameter {
public:
    virtual ~TZelQueryFieldParameter() = default;
};

class TZelWideStrings;

class TZelLXQueryField {
public:
    TZelLXQueryField(TZelQueryFieldParameter* parameter, TZelLXQueryFieldKind kind,
                     const std::string& name);
    virtual ~TZelLXQueryField();

    // Index data; the base class has none.
    virtual ZelRef<IZelMemBlocks> GetIndexBlocks() { return nullptr; }
    virtual TZelWideStrings* GetWordList() { return nullptr; }
    virtual ZelRef<IZelMemBlocks> GetWordIndexBlocks() { return nullptr; }
    virtual std::string GetIndexFileName() { return {}; }
    virtual std::string GetWordIndexFileName() { return {}; }
    virtual std::string GetWordListFileName() { return {}; }

    std::string CustomName;
    std::string Name;
    std::vector<std::u16string> Fields;
    TZelLXQueryFieldKind Kind;
    bool HasMore = false;
    bool IsMarker = false;
    int32_t Index = 0;
    TZelQueryFieldParameter* Parameter;
};

class TZelLXQueryFields {
public:
    explicit TZelLXQueryFields(TZelQueryFieldParameter* parameter = nullptr)
        : Parameter(parameter) {}

    int32_t GetCount() const { return int32_t(Items.size()); }
    TZelLXQueryField& Get(int32_t index) const;
    void Add(std::unique_ptr<TZelLXQueryField> field);

    TZelQueryFieldParameter* GetParameter() const { return Parameter; }

private:
    TZelQueryFieldParameter* Parameter;
    std::vector<std::unique_ptr<TZelLXQueryField>> Items;
};
