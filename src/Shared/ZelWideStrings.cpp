#include "ZelWideStrings.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

int ZelWideCompareText(const std::u16string& a, const std::u16string& b, uint32_t locale) {
    return ZelCompareLocale(uint16_t(locale & 0xFFFF), a, b, TZelCollationStrength::Secondary);
}

std::u16string TZelWideStrings::Normalized(const std::u16string& s) const {
    if (Normalization == TZelNormalization::None || s.empty())
        return s;
    return ZelNormalize(s, Normalization);
}

void TZelWideStrings::CheckIndex(int32_t index, bool allowEnd) const {
    int32_t limit = GetCount() + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
}

void TZelWideStrings::SetSorted(bool sorted) {
    if (sorted && !Sorted)
        ZEL_ASSERT(GetCount() <= 1);
    Sorted = sorted;
}

bool TZelWideStrings::Find(const std::u16string& s, int32_t& index) const {
    ZEL_ASSERT(Sorted);
    std::u16string key = Normalized(s);
    return ZelFindInSortedList(
        GetCount(), Duplicates, [&](int32_t i) { return Compare(Get(i), key, Locale); }, index);
}

int32_t TZelWideStrings::IndexOf(const std::u16string& s) const {
    if (Sorted) {
        int32_t index = 0;
        return Find(s, index) ? index : -1;
    }
    std::u16string key = Normalized(s);
    for (int32_t i = 0; i < GetCount(); ++i)
        if (Compare(Get(i), key, Locale) == 0)
            return i;
    return -1;
}

std::u16string TZelWideStringList::Get(int32_t index) const {
    return At(index);
}

const std::u16string& TZelWideStringList::At(int32_t index) const {
    CheckIndex(index, false);
    return Items[size_t(index)].Text;
}

void TZelWideStringList::InsertItem(int32_t index, const std::u16string& s,
                                    std::shared_ptr<void> object) {
    if (GetCount() == Capacity) {
        int32_t delta = Capacity > 64 ? Capacity / 4 : (Capacity > 8 ? 16 : 4);
        Capacity += delta;
        Items.reserve(size_t(Capacity));
    }
    Items.insert(Items.begin() + index, TItem{Normalized(s), std::move(object)});
}

int32_t TZelWideStringList::Add(const std::u16string& s) {
    return AddObject(s, nullptr);
}

int32_t TZelWideStringList::AddObject(const std::u16string& s, std::shared_ptr<void> object) {
    int32_t index = GetCount();
    if (Sorted && Find(s, index)) {
        if (Duplicates == TZelDuplicates::Ignore)
            return index;
        if (Duplicates == TZelDuplicates::Error)
            throw EZelListError(ZelLoadStr(TZelResId::StringListDuplicates));
    }
    InsertItem(index, s, std::move(object));
    return index;
}

void TZelWideStringList::Insert(int32_t index, const std::u16string& s) {
    if (Sorted)
        throw EZelListError(ZelLoadStr(TZelResId::SortedListOperation));
    CheckIndex(index, true);
    InsertItem(index, s, nullptr);
}

void TZelWideStringList::Put(int32_t index, const std::u16string& s) {
    if (Sorted)
        throw EZelListError(ZelLoadStr(TZelResId::SortedListOperation));
    CheckIndex(index, false);
    Items[size_t(index)].Text = Normalized(s);
}

void TZelWideStringList::Delete(int32_t index) {
    CheckIndex(index, false);
    Items.erase(Items.begin() + index);
}

void TZelWideStringList::Clear() {
    Items.clear();
    Capacity = 0;
}

std::shared_ptr<void> TZelWideStringList::GetObject(int32_t index) const {
    CheckIndex(index, false);
    return Items[size_t(index)].Object;
}

void TZelWideStringList::PutObject(int32_t index, std::shared_ptr<void> object) {
    CheckIndex(index, false);
    Items[size_t(index)].Object = std::move(object);
}
