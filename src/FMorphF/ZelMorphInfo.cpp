#include "ZelMorphInfo.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelMorphModuleFile.h"
#include "ZelResStrings.h"

#include <cstring>

void* TZelMorphInfo::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelMorphInfo::IID)
        return static_cast<IZelMorphInfo*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

ZelRef<IZelMorphInfo> TZelMorphInfo::GetItem(int32_t index) {
    if (index < 0 || index >= GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    return Children[size_t(index)];
}

std::string_view TZelMorphInfo::InfoString() const {
    if (!Module || InfoOffset <= 0 || uint32_t(InfoOffset) >= Module->GetAutomaton().GetPoolSize())
        return {};
    return Module->GetAutomaton().String(uint32_t(InfoOffset));
}

std::u16string TZelMorphInfo::GetLemma() {
    std::string_view info = InfoString();
    if (info.empty())
        return {};
    return ZelCodePageToWide(info.substr(0, info.size() - 1), Module->GetCodePage());
}

int32_t TZelMorphInfo::GetLemmaCode() {
    std::string_view info = InfoString();
    if (info.empty())
        return -1;
    // Codes above 9 are written as the byte "0" + code, so ":" is 10. A byte beyond the
    // category codes (0 to 13) is no code.
    int code = uint8_t(info.back()) - '0';
    return code >= 0 && code <= ZelMaxLemmaCode ? code : -1;
}

void TZelMorphInfo::Add(const ZelRef<IZelMorphInfo>& child) {
    ZEL_ASSERT(Kind != ZelMorphLeaf);
    if (!child)
        return;
    if (Children.empty()) {
        Start = child->GetStart();
        Length = child->GetLength();
    } else if (Kind == ZelMorphSequence) {
        Length += child->GetLength();
    }
    Children.push_back(child);
}

namespace {

ZelRef<IZelMorphInfo> NewNode(const TZelMorphModuleFile* module, uint8_t kind) {
    ZelRef<IZelMorphInfo> node = ZelMake<TZelMorphInfo>(module);
    node->SetKind(kind);
    return node;
}

// Adds the children of a node of the given kind, or the node itself.
void AddFlattened(IZelMorphInfo& target, const ZelRef<IZelMorphInfo>& node, uint8_t kind) {
    if (node->GetKind() == kind)
        for (int32_t i = 0; i < node->GetCount(); ++i)
            target.Add(node->GetItem(i));
    else
        target.Add(node);
}

} // namespace

ZelRef<IZelMorphInfo> Concatenate(const TZelMorphModuleFile* module, const ZelRef<IZelMorphInfo>& a,
                                  const ZelRef<IZelMorphInfo>& b) {
    ZelRef<IZelMorphInfo> sequence = NewNode(module, ZelMorphSequence);
    AddFlattened(*sequence, a, ZelMorphSequence);
    AddFlattened(*sequence, b, ZelMorphSequence);
    return sequence;
}

ZelRef<IZelMorphInfo> Extend(const TZelMorphModuleFile* module, const ZelRef<IZelMorphInfo>& a,
                             const ZelRef<IZelMorphInfo>& b) {
    ZEL_ASSERT(a->GetKind() == ZelMorphLeaf);
    switch (b->GetKind()) {
    case ZelMorphLeaf: {
        ZelRef<IZelMorphInfo> leaf = ZelMake<TZelMorphInfo>(module);
        leaf->SetInfoId(b->GetInfoId() != 0 ? b->GetInfoId() : a->GetInfoId());
        leaf->SetInfoOffset(b->GetInfoOffset() != 0 ? b->GetInfoOffset() : a->GetInfoOffset());
        leaf->SetStart(a->GetStart());
        leaf->SetLength(a->GetLength() + b->GetLength());
        leaf->SetJunction(b->GetJunction());
        return leaf;
    }
    case ZelMorphAlternatives: {
        ZelRef<IZelMorphInfo> alternatives = NewNode(module, ZelMorphAlternatives);
        for (int32_t i = 0; i < b->GetCount(); ++i)
            alternatives->Add(Extend(module, a, b->GetItem(i)));
        return alternatives;
    }
    default: {
        ZelRef<IZelMorphInfo> sequence = NewNode(module, ZelMorphSequence);
        sequence->SetJunction(b->GetJunction());
        for (int32_t i = 0; i < b->GetCount(); ++i)
            sequence->Add(i == 0 ? Extend(module, a, b->GetItem(0)) : b->GetItem(i));
        return sequence;
    }
    }
}

ZelRef<IZelMorphInfo> Prefer(const TZelMorphModuleFile* module, const ZelRef<IZelMorphInfo>& p,
                             const ZelRef<IZelMorphInfo>& q) {
    if (!p)
        return q;
    if (!q)
        return p;
    if (p->GetLength() != q->GetLength())
        return p->GetLength() > q->GetLength() ? p : q;
    ZelRef<IZelMorphInfo> alternatives = NewNode(module, ZelMorphAlternatives);
    AddFlattened(*alternatives, p, ZelMorphAlternatives);
    AddFlattened(*alternatives, q, ZelMorphAlternatives);
    return alternatives;
}
