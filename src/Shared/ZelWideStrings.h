// Lists of UTF-16 strings: a base with a pluggable comparison, a locale, a sorted flag, a
// duplicates rule and an optional Unicode normalisation form; a read-only variant; and the
// list that stores (string, object) pairs.
#pragma once

#include "ZelLocale.h"
#include "ZelStrings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using TZelWideCompare =
    std::function<int(const std::u16string& a, const std::u16string& b, uint32_t locale)>;

// The default comparison: locale-aware, ignoring case (accents count).
int ZelWideCompareText(const std::u16string& a, const std::u16string& b, uint32_t locale);

class TZelWideStrings {
public:
    virtual ~TZelWideStrings() = default;

    virtual int32_t GetCount() const = 0;
    virtual std::u16string Get(int32_t index) const = 0;

    virtual int32_t Add(const std::u16string& s) = 0;
    virtual void Insert(int32_t index, const std::u16string& s) = 0;
    virtual void Put(int32_t index, const std::u16string& s) = 0;
    virtual void Delete(int32_t index) = 0;
    virtual void Clear() = 0;

    // Lower-bound binary search of a sorted list (assertion otherwise). With duplicates
    // accepted, index ends on the first equal element.
    bool Find(const std::u16string& s, int32_t& index) const;
    int32_t IndexOf(const std::u16string& s) const;

    bool GetSorted() const { return Sorted; }
    // A list can only become sorted while it holds at most one element (assertion).
    void SetSorted(bool sorted);

    TZelWideCompare Compare = ZelWideCompareText;
    uint32_t Locale = ZelLangSystemDefault;
    TZelDuplicates Duplicates = TZelDuplicates::Ignore;
    TZelNormalization Normalization = TZelNormalization::None;

protected:
    std::u16string Normalized(const std::u16string& s) const;
    void CheckIndex(int32_t index, bool allowEnd) const;

    bool Sorted = false;
};

// A list that ignores every modifying operation.
class TZelWideStringsReadOnly : public TZelWideStrings {
public:
    int32_t Add(const std::u16string&) override { return -1; }
    void Insert(int32_t, const std::u16string&) override {}
    void Put(int32_t, const std::u16string&) override {}
    void Delete(int32_t) override {}
    void Clear() override {}
};

class TZelWideStringList : public TZelWideStrings {
public:
    int32_t GetCount() const override { return int32_t(Items.size()); }
    std::u16string Get(int32_t index) const override;
    const std::u16string& At(int32_t index) const;

    // Unsorted: appends. Sorted: finds the place; an existing string is returned (duplicates
    // ignored), refused ("String list does not allow duplicates") or added before it.
    int32_t Add(const std::u16string& s) override;
    int32_t AddObject(const std::u16string& s, std::shared_ptr<void> object);
    void Insert(int32_t index, const std::u16string& s) override;
    void Put(int32_t index, const std::u16string& s) override;
    void Delete(int32_t index) override;
    void Clear() override;

    std::shared_ptr<void> GetObject(int32_t index) const;
    void PutObject(int32_t index, std::shared_ptr<void> object);

    int32_t GetCapacity() const { return Capacity; }

private:
    struct TItem {
        std::u16string Text;
        std::shared_ptr<void> Object;
    };
    void InsertItem(int32_t index, const std::u16string& s, std::shared_ptr<void> object);

    std::vector<TItem> Items;
    int32_t Capacity = 0;
};
