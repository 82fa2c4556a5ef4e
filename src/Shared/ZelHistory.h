// A back-and-forward history, as in a web browser: a list of entries with a current
// position. Pushing an entry drops every entry ahead of the current one.
#pragma once

#include "ZelBase.h"
#include "ZelErrors.h"

#include <cstdint>
#include <vector>

template <class T> class TZelHistory {
public:
    bool CanGoBack() const { return Index > 0; }
    bool CanGoForward() const { return Index < int32_t(Entries.size()) - 1; }
    void Clear() {
        Entries.clear();
        Index = -1;
    }
    void GoBack() {
        ZEL_ASSERT(CanGoBack());
        --Index;
    }
    void GoForward() {
        ZEL_ASSERT(CanGoForward());
        ++Index;
    }
    void Push(T entry) {
        ++Index;
        Entries.resize(size_t(Index));
        Entries.push_back(std::move(entry));
    }
    const T& GetAt(int32_t index) const {
        ZEL_ASSERT(index >= 0 && index < int32_t(Entries.size()));
        return Entries[size_t(index)];
    }
    int32_t GetIndex() const { return Index; }
    int32_t GetCount() const { return int32_t(Entries.size()); }

private:
    std::vector<T> Entries;
    int32_t Index = -1;
};

// The history of the units a view manager shows: it holds one reference to each entry.
class TZelInterfaceHistory : public TZelHistory<ZelRef<IZelUnknown>> {};
