#include "ZelStrings.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelLocale.h"
#include "ZelResStrings.h"

void TZelStrings::CheckIndex(int32_t index, bool allowEnd) const {
    int32_t limit = GetCount() + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
}

const std::string& TZelStrings::Get(int32_t index) const {
    CheckIndex(index, false);
    return Items[size_t(index)];
}

int TZelStrings::Compare(const std::string& a, const std::string& b) const {
    if (OnCompare)
        return OnCompare(a, b);
    int cp = ZelGetSystemCodePage();
    return ZelCompareLocale(ZelLangSystemDefault, ZelCodePageToWide(a, cp),
                            ZelCodePageToWide(b, cp), TZelCollationStrength::Loose);
}

bool TZelStrings::Find(const std::string& s, int32_t& index) const {
    return ZelFindInSortedList(
        GetCount(), Duplicates, [&](int32_t i) { return Compare(Items[size_t(i)], s); }, index);
}

int32_t TZelStrings::IndexOf(const std::string& s) const {
    if (Sorted) {
        int32_t index = 0;
        return Find(s, index) ? index : -1;
    }
    for (int32_t i = 0; i < GetCount(); ++i)
        if (Compare(Items[size_t(i)], s) == 0)
            return i;
    return -1;
}

int32_t TZelStrings::Add(const std::string& s) {
    if (!Sorted) {
        Items.push_back(s);
        return GetCount() - 1;
    }
    int32_t index = 0;
    if (Find(s, index)) {
        if (Duplicates == TZelDuplicates::Ignore)
            return index;
        if (Duplicates == TZelDuplicates::Error)
            throw EZelListError(ZelLoadStr(TZelResId::StringListDuplicates));
    }
    Items.insert(Items.begin() + index, s);
    return index;
}

void TZelStrings::Insert(int32_t index, const std::string& s) {
    CheckIndex(index, true);
    Items.insert(Items.begin() + index, s);
}

void TZelStrings::Delete(int32_t index) {
    CheckIndex(index, false);
    Items.erase(Items.begin() + index);
}
