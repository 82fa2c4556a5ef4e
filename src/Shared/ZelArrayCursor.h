// Indexed cursors with a shared current position, and filters whose elements are indexes
// into a base cursor. A filter keeps its base positioned on the element under it and
// answers every interface of its base, so code that reads the current headword works the
// same on the full list, on a query result or on a subset read from disk.
#pragma once

#include "ZelBase.h"
#include "ZelStreams.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TZelStrings;

class IZelArrayCursor : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{32ED0520-434B-11D5-94F7-0001020ADED1}");

    virtual int32_t GetCount() = 0;
    virtual int32_t GetIndex() = 0;
    virtual void SetIndex(int32_t index) = 0;
};

class IZelArrayCursorFilter : public virtual IZelArrayCursor {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{70369C60-1B92-11D5-94F7-0001020ADED1}");

    virtual void Add(int32_t baseIndex) = 0;
    virtual void Clear() = 0;
    virtual ZelRef<IZelArrayCursor> GetBase() = 0;
    virtual void SetBase(const ZelRef<IZelArrayCursor>& base) = 0;
};

// The interface of a cursor over a list of strings.
class IZelArrayCursorOnStrings : public virtual IZelArrayCursor {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{5B8B0C41-6C6E-4D0B-9E36-7A1D2F0C5E11}");

    virtual void Add(const std::string& text) = 0;
    virtual void Clear() = 0;
};

class TZelArrayCursor : public TZelInterfacedObject, public virtual IZelArrayCursor {
public:
    void* QueryInterface(const ZelGuid& iid) override;

    int32_t GetCount() override { return 0; }
    int32_t GetIndex() override;
    // Raises "List index out of bounds (%d)" outside -1 .. count - 1.
    void SetIndex(int32_t index) override;

protected:
    // Raises "List index out of bounds (%d)" outside -1 .. count - 1.
    void CheckIndex(int32_t index);

    int32_t Index = -1;
};

class TZelArrayCursorFilterCustom : public TZelArrayCursor, public IZelArrayCursorFilter {
public:
    // Answers its own interfaces first, then forwards the request to its base.
    void* QueryInterface(const ZelGuid& iid) override;

    ZelRef<IZelArrayCursor> GetBase() override { return Base; }
    void SetBase(const ZelRef<IZelArrayCursor>& base) override;

protected:
    ZelRef<IZelArrayCursor> Base;
};

// A filter holding its base indexes in memory, in the order added; duplicates allowed.
class TZelArrayCursorFilter : public TZelArrayCursorFilterCustom {
public:
    TZelArrayCursorFilter() = default;
    explicit TZelArrayCursorFilter(const ZelRef<IZelArrayCursor>& base) { Base = base; }

    int32_t GetCount() override { return int32_t(List.size()); }
    void SetIndex(int32_t index) override;
    void Add(int32_t baseIndex) override { List.push_back(baseIndex); }
    void Clear() override;

    const std::vector<int32_t>& GetList() const { return List; }

private:
    std::vector<int32_t> List;
};

// A read-only filter whose base indexes are the 32-bit little-endian integers of a mapped
// file (no header). It needs a base; an index in the file beyond the base raises through
// the base's own range check.
class TZelArrayCursorFilterOnFileMap : public TZelArrayCursorFilterCustom {
public:
    TZelArrayCursorFilterOnFileMap(const std::string& fileName,
                                   const ZelRef<IZelArrayCursor>& base);

    int32_t GetCount() override { return int32_t(Stream.GetSize() / 4); }
    void SetIndex(int32_t index) override;
    void Add(int32_t baseIndex) override;
    void Clear() override;

    int32_t GetBaseIndex(int32_t index) const;

private:
    TZelFileMappingStream Stream;
};

// A cursor over a string list, owned or not.
class TZelArrayCursorOnStrings : public TZelArrayCursor, public IZelArrayCursorOnStrings {
public:
    TZelArrayCursorOnStrings(TZelStrings* strings, bool ownsStrings);
    ~TZelArrayCursorOnStrings() override;

    void* QueryInterface(const ZelGuid& iid) override;
    int32_t GetCount() override;
    void Add(const std::string& text) override;
    void Clear() override;

    TZelStrings& GetStrings() const { return *Strings; }

private:
    TZelStrings* Strings;
    bool OwnsStrings;
};

// Lower-bound binary search. compare(cursor) compares the cursor's current element with the
// key: negative when the element sorts before it, 0 when equal. When found, the cursor is
// left on the first equal element; index receives the lower bound (the insertion position
// when nothing is equal).
template <class Compare>
bool SearchSorted(IZelArrayCursor& cursor, Compare&& compare, int32_t& index) {
    int32_t low = 0;
    int32_t high = cursor.GetCount() - 1;
    bool found = false;
    while (high >= low) {
        int32_t mid = int32_t((uint32_t(low) + uint32_t(high)) / 2);
        cursor.SetIndex(mid);
        int r = compare(cursor);
        if (r < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            found = found || r == 0;
        }
    }
    if (found)
        cursor.SetIndex(low);
    index = low;
    return found;
}

// Linear search for the first equal element from index 0. The cursor stays on the found
// element (or on the last one probed); index is unchanged when nothing is found.
template <class Compare>
bool SearchLinear(IZelArrayCursor& cursor, Compare&& compare, int32_t& index) {
    int32_t count = cursor.GetCount();
    for (int32_t i = 0; i < count; ++i) {
        cursor.SetIndex(i);
        if (compare(cursor) == 0) {
            index = i;
            return true;
        }
    }
    return false;
}
