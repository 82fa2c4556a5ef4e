#include "ZelLangList.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

const std::vector<TZelLanguage>& TZelLangList::Item(int32_t index) const {
    if (index < 0 || index >= GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    return Items[size_t(index)];
}

int32_t TZelLangList::IndexOfSource(TZelLanguage language) const {
    for (int32_t i = GetCount() - 1; i >= 0; --i)
        if (Items[size_t(i)][0] == language)
            return i;
    return -1;
}

int32_t TZelLangList::IndexOfTarget(int32_t sourceIndex, TZelLanguage language) const {
    const auto& item = Item(sourceIndex);
    for (int32_t j = int32_t(item.size()) - 2; j >= 0; --j)
        if (item[size_t(j) + 1] == language)
            return j;
    return -1;
}

TZelLanguage TZelLangList::GetSource(int32_t index) const {
    return Item(index)[0];
}

int32_t TZelLangList::GetTargetCount(int32_t index) const {
    return int32_t(Item(index).size()) - 1;
}

TZelLanguage TZelLangList::GetTarget(int32_t index, int32_t target) const {
    const auto& item = Item(index);
    if (target < 0 || target >= int32_t(item.size()) - 1)
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {target}));
    return item[size_t(target) + 1];
}

void TZelLangList::AddPair(TZelLanguage source, TZelLanguage target) {
    source = ZelPrimaryLang(source);
    target = ZelPrimaryLang(target);
    int32_t s = IndexOfSource(source);
    if (s < 0) {
        Items.push_back({source});
        s = GetCount() - 1;
    }
    if (IndexOfTarget(s, target) < 0)
        Items[size_t(s)].push_back(target);
}

void TZelLangList::Rebuild() {
    Clear();
    for (const auto& builder : GetDicBuilders())
        builder->EnumLanguagePairs(
            [this](TZelLanguage source, TZelLanguage target) { AddPair(source, target); });
}

TZelLangList& ZelLangList() {
    static TZelLangList list;
    return list;
}
