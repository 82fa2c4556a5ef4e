#include "ZelSentenceItem.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelLocale.h"
#include "ZelResStrings.h"
#include "ZelUtils.h"

#include <unicode/uchar.h>

void* TZelSentenceItem::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelSentenceItem::IID)
        return static_cast<IZelSentenceItem*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

void TZelSentenceItem::Add(const ZelRef<IZelSentenceItem>& item) {
    ZEL_ASSERT(item);
    if (Kind == ZelItemAlternatives) {
        if (!Children.empty()) {
            auto at = Children.begin();
            while (at != Children.end() && (*at)->Precedes(*item))
                ++at;
            Children.insert(at, item);
            return;
        }
        if (Language == 0)
            Language = item->GetLanguage();
        ZEL_ASSERT(item->GetLanguage() == 0 || Language == item->GetLanguage());
        Start = item->GetStart();
        Length = item->GetLength();
        WordForm = item->GetWordForm();
        Children.push_back(item);
        return;
    }
    ZEL_ASSERT(Kind == ZelItemSequence);
    if (Children.empty()) {
        Start = item->GetStart();
        Length = item->GetLength();
    } else {
        Length = item->GetStart() + item->GetLength() - Start;
    }
    Children.push_back(item);
}

namespace {

// A proper name read into a word written in lower case ("Belle" for "belle"): the reader
// most likely meant the common word, so such a reading goes after the others.
bool IsProperNameOfLowerCaseWord(const std::u16string& lemma, const std::u16string& form) {
    return !lemma.empty() && !form.empty() && u_isupper(lemma[0]) && u_islower(form[0]);
}

// A rank as an order: the commoner lemma first, lemmas of unknown frequency last.
uint32_t RankOrder(int32_t rank) {
    return rank > 0 ? uint32_t(rank) : UINT32_MAX;
}

} // namespace

bool TZelSentenceItem::Precedes(IZelSentenceItem& item) {
    bool mineLater = IsProperNameOfLowerCaseWord(Lemma, WordForm);
    bool theirsLater = IsProperNameOfLowerCaseWord(item.GetLemma(), item.GetWordForm());
    if (mineLater != theirsLater)
        return theirsLater;
    if (Lemma != item.GetLemma() && RankOrder(Rank) != RankOrder(item.GetRank()))
        return RankOrder(Rank) < RankOrder(item.GetRank());
    int cp = ZelGetSystemCodePage();
    // The lemmas as the system's case-sensitive comparison sees them.
    std::u16string mine = ZelCodePageToWide(ZelWideToCodePage(Lemma, cp), cp);
    std::u16string theirs = ZelCodePageToWide(ZelWideToCodePage(item.GetLemma(), cp), cp);
    int order = ZelCompareLocale(ZelLangSystemDefault, mine, theirs, TZelCollationStrength::Exact);
    if (order == 0)
        return Ordinal < item.GetOrdinal();
    if (Lemma == WordForm)
        return true;
    if (item.GetLemma() == item.GetWordForm())
        return false;
    return order < 0;
}

void TZelSentenceItem::AddDescription(const std::string& description) {
    if (description.empty())
        return;
    if (Descriptions.empty()) {
        Descriptions = description;
        return;
    }
    size_t at = Descriptions.find(description);
    bool wholeLine = at != std::string::npos && (at == 0 || Descriptions[at - 1] == '\r') &&
                     (at + description.size() == Descriptions.size() ||
                      Descriptions[at + description.size()] == '\r');
    if (!wholeLine)
        Descriptions += "\r" + description;
}

ZelRef<IZelSentenceItem> TZelSentenceItem::Find(const std::u16string& lemma, int32_t ordinal,
                                                uint8_t catCode) {
    auto matches = [&](IZelSentenceItem& r) {
        return r.GetKind() == ZelItemReading && r.GetCatCode() == catCode &&
               r.GetOrdinal() == ordinal && r.GetLemma() == lemma;
    };
    if (Kind == ZelItemAlternatives) {
        for (auto it = Children.rbegin(); it != Children.rend(); ++it)
            if (*it && matches(**it))
                return *it;
    } else if (Kind == ZelItemSequence && !Children.empty() && Children[0] &&
               matches(*Children[0])) {
        return Children[0];
    }
    return nullptr;
}

ZelRef<IZelInterfaceList> TZelSentenceItem::GetAuxList() {
    if (!AuxList)
        AuxList = ZelMake<TZelInterfaceList>();
    return AuxList;
}

ZelRef<IZelSentenceItem> TZelSentenceItem::GetItem(int32_t index) {
    if (Children.empty())
        return nullptr;
    if (index < 0 || index >= GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    return Children[size_t(index)];
}

void TZelSentenceItem::SetItem(int32_t index, const ZelRef<IZelSentenceItem>& item) {
    if (index < 0 || index >= GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    Children[size_t(index)] = item;
}

std::string TZelSentenceItem::GetCatSuffix() {
    std::string name = CatCode == 0 ? std::string() : ZelCatIdList().GetCatId(CatCode);
    return name.empty() ? std::string() : " [" + name + "]";
}

ZelRef<IZelSentenceItem> MergeAlternatives(const ZelRef<IZelSentenceItem>& a,
                                           const ZelRef<IZelSentenceItem>& b) {
    if (!a)
        return b;
    if (!b)
        return a;
    if (a->GetKind() == ZelItemAlternatives) {
        a->Add(b);
        return a;
    }
    ZelRef<IZelSentenceItem> merged =
        ZelMake<TZelSentenceItem>(ZelItemAlternatives, TZelLanguage(0));
    merged->Add(a);
    merged->Add(b);
    return merged;
}
