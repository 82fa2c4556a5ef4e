// Reading trees: leaves are single readings of a stretch of text (lemma, lemma code,
// description, position); alternatives hold competing readings of the same stretch;
// sequences hold consecutive pieces. And the three rules that combine them.
#pragma once

#include "ZelMorph.h"

#include <vector>

class TZelMorphModuleFile;

class TZelMorphInfo : public TZelInterfacedObject, public virtual IZelMorphInfo {
public:
    // module may be nullptr: the node is then a placeholder for a token without a reading.
    explicit TZelMorphInfo(const TZelMorphModuleFile* module) : Module(module) {}

    void* QueryInterface(const ZelGuid& iid) override;

    uint8_t GetKind() override { return Kind; }
    void SetKind(uint8_t kind) override { Kind = kind; }
    int32_t GetCount() override { return int32_t(Children.size()); }
    ZelRef<IZelMorphInfo> GetItem(int32_t index) override;
    int32_t GetInfoOffset() override { return InfoOffset; }
    void SetInfoOffset(int32_t offset) override { InfoOffset = offset; }
    std::u16string GetLemma() override;
    int32_t GetLemmaCode() override;
    int32_t GetInfoId() override { return InfoId; }
    void SetInfoId(int32_t id) override { InfoId = id; }
    int32_t GetStart() override { return Start; }
    void SetStart(int32_t start) override { Start = start; }
    int32_t GetLength() override { return Length; }
    void SetLength(int32_t length) override { Length = length; }
    void Add(const ZelRef<IZelMorphInfo>& child) override;
    int16_t GetJunction() override { return Junction; }
    void SetJunction(int16_t junction) override { Junction = junction; }

private:
    // The information string in the module's pool; empty when there is none.
    std::string_view InfoString() const;

    uint8_t Kind = ZelMorphLeaf;
    int32_t InfoId = 0;
    std::vector<ZelRef<IZelMorphInfo>> Children;
    int32_t Start = 0;
    int32_t Length = 0;
    int32_t InfoOffset = 0;
    int16_t Junction = 0;
    const TZelMorphModuleFile* Module;
};

// A sequence of a's pieces followed by b's.
ZelRef<IZelMorphInfo> Concatenate(const TZelMorphModuleFile* module, const ZelRef<IZelMorphInfo>& a,
                                  const ZelRef<IZelMorphInfo>& b);
// The leaf a continued, in the same segment, by b.
ZelRef<IZelMorphInfo> Extend(const TZelMorphModuleFile* module, const ZelRef<IZelMorphInfo>& a,
                             const ZelRef<IZelMorphInfo>& b);
// The better of two results for the same start: the longer, or both as alternatives.
ZelRef<IZelMorphInfo> Prefer(const TZelMorphModuleFile* module, const ZelRef<IZelMorphInfo>& p,
                             const ZelRef<IZelMorphInfo>& q);
