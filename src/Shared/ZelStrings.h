// TZelStrings: a list of byte strings that can be kept sorted, with an optional comparison
// event and a lower-bound Find.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class TZelDuplicates { Ignore, Accept, Error };

// The binary search of the sorted string lists: compareAt(i) compares item i with the key.
// True when found; index receives the first equal item (the last one when duplicates are
// accepted) or the insertion position.
template <class CompareAt>
bool ZelFindInSortedList(int32_t count, TZelDuplicates duplicates, CompareAt&& compareAt,
                         int32_t& index) {
    int32_t low = 0;
    int32_t high = count - 1;
    bool found = false;
    while (low <= high) {
        int32_t mid = low + (high - low) / 2;
        int r = compareAt(mid);
        if (r < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (r == 0) {
                found = true;
                if (duplicates != TZelDuplicates::Accept)
                    low = mid;
            }
        }
    }
    index = low;
    return found;
}

class TZelStrings {
public:
    using TCompare = std::function<int(const std::string&, const std::string&)>;

    virtual ~TZelStrings() = default;

    int32_t GetCount() const { return int32_t(Items.size()); }
    const std::string& Get(int32_t index) const;
    const std::string& operator[](int32_t index) const { return Get(index); }

    virtual int32_t Add(const std::string& s);
    virtual void Insert(int32_t index, const std::string& s);
    virtual void Delete(int32_t index);
    virtual void Clear() { Items.clear(); }

    // Lower-bound binary search with the comparison event, or the locale-aware
    // comparison that ignores case and accents when no event is set.
    bool Find(const std::string& s, int32_t& index) const;
    int32_t IndexOf(const std::string& s) const;

    bool Sorted = false;
    TZelDuplicates Duplicates = TZelDuplicates::Ignore;
    TCompare OnCompare;

protected:
    int Compare(const std::string& a, const std::string& b) const;
    void CheckIndex(int32_t index, bool allowEnd) const;

    std::vector<std::string> Items;
};

// A string list whose clear, delete and insert operations do nothing.
class TZelReadOnlyStrings : public TZelStrings {
public:
    void Insert(int32_t, const std::string&) override {}
    void Delete(int32_t) override {}
    void Clear() override {}
};
