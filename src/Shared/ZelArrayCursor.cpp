#include "ZelArrayCursor.h"

#include "ZelHelpers.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"
#include "ZelStrings.h"

namespace {
[[noreturn]] void RaiseIndexOutOfBounds(int32_t index) {
    throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
}
} // namespace

void* TZelArrayCursor::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelArrayCursor::IID)
        return static_cast<IZelArrayCursor*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

int32_t TZelArrayCursor::GetIndex() {
    ZEL_ASSERT(Index >= -1 && Index < GetCount());
    return Index;
}

void TZelArrayCursor::CheckIndex(int32_t index) {
    if (index < -1 || index >= GetCount())
        RaiseIndexOutOfBounds(index);
}

void TZelArrayCursor::SetIndex(int32_t index) {
    CheckIndex(index);
    Index = index;
}

void* TZelArrayCursorFilterCustom::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelArrayCursorFilter::IID)
        return static_cast<IZelArrayCursorFilter*>(this);
    if (void* own = TZelArrayCursor::QueryInterface(iid))
        return own;
    return Base ? Base->QueryInterface(iid) : nullptr;
}

void TZelArrayCursorFilterCustom::SetBase(const ZelRef<IZelArrayCursor>& base) {
    if (base == Base)
        return;
    Base = base;
    SetIndex(-1);
}

// The base moves first: when it refuses the move, the filter stays where it was, so the
// two never disagree.
void TZelArrayCursorFilter::SetIndex(int32_t index) {
    CheckIndex(index);
    if (Base)
        Base->SetIndex(index == -1 ? -1 : List[size_t(index)]);
    Index = index;
}

void TZelArrayCursorFilter::Clear() {
    List.clear();
    TZelArrayCursor::SetIndex(-1);
}

TZelArrayCursorFilterOnFileMap::TZelArrayCursorFilterOnFileMap(const std::string& fileName,
                                                               const ZelRef<IZelArrayCursor>& base)
    : Stream(fileName) {
    ZEL_ASSERT(base);
    Base = base;
}

int32_t TZelArrayCursorFilterOnFileMap::GetBaseIndex(int32_t index) const {
    const uint8_t* p = Stream.GetMemory() + int64_t(index) * 4;
    return int32_t(ZelReadLE32(p));
}

void TZelArrayCursorFilterOnFileMap::SetIndex(int32_t index) {
    CheckIndex(index);
    Base->SetIndex(index == -1 ? -1 : GetBaseIndex(index));
    Index = index;
}

void TZelArrayCursorFilterOnFileMap::Add(int32_t) {
    ZEL_ASSERT(false);
}

void TZelArrayCursorFilterOnFileMap::Clear() {
    ZEL_ASSERT(false);
}

TZelArrayCursorOnStrings::TZelArrayCursorOnStrings(TZelStrings* strings, bool ownsStrings)
    : Strings(strings), OwnsStrings(ownsStrings) {
    ZEL_ASSERT(strings);
}

TZelArrayCursorOnStrings::~TZelArrayCursorOnStrings() {
    if (OwnsStrings)
        delete Strings;
}

void* TZelArrayCursorOnStrings::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelArrayCursorOnStrings::IID)
        return static_cast<IZelArrayCursorOnStrings*>(this);
    return TZelArrayCursor::QueryInterface(iid);
}

int32_t TZelArrayCursorOnStrings::GetCount() {
    return Strings->GetCount();
}

void TZelArrayCursorOnStrings::Add(const std::string& text) {
    Strings->Add(text);
}

void TZelArrayCursorOnStrings::Clear() {
    Strings->Clear();
    TZelArrayCursor::SetIndex(-1);
}
