// The memory-block container ("Application data (Type 1.0)"): a header, a table of block end
// offsets and the blocks back to back. Blocks are handed out as pointers into the mapped
// file, never copied until a caller asks for a string.
//
// Every offset read from the file is checked against the real size: a header or table that
// claims more than the file holds, or an offset pair that runs backwards or past the data
// area, raises "Invalid stream format" naming the file, so a corrupt file is never read
// outside its mapping.
#pragma once

#include "ZelBase.h"
#include "ZelStreams.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct TZelMemBlock {
    const uint8_t* Ptr = nullptr;
    int32_t Size = 0;

    std::string_view View() const { return {reinterpret_cast<const char*>(Ptr), size_t(Size)}; }
};

class IZelMemBlocks : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{CE772303-3D32-4462-A7AE-F29BBEF6D3CA}");

    virtual int32_t GetCount() = 0;
    virtual int32_t GetBlockSize(int32_t index) = 0;
    virtual TZelMemBlock GetBlock(int32_t index) = 0;
    virtual const uint8_t* GetBlockPtr(int32_t index) = 0;
    virtual std::string GetBlockString(int32_t index) = 0;
};

// The magic that opens every container: 27 characters and the byte 0x1A.
extern const char ZelMemBlocksMagic[28];

class TZelMemBlocks : public TZelInterfacedObject, public IZelMemBlocks {
public:
    void* QueryInterface(const ZelGuid& iid) override;

    int32_t GetCount() override { return 0; }
    TZelMemBlock GetBlock(int32_t index) override;
    std::string GetBlockString(int32_t index) override;
};

class TZelStreamedMemBlocks : public TZelMemBlocks {
public:
    // Reads the header at once (an empty stream gives an empty container). Raises
    // EZelStreamError "Invalid stream format" for a bad magic, an offset width outside 1-4,
    // or a header and table larger than the stream.
    TZelStreamedMemBlocks(TZelStream* stream, bool ownsStream);
    ~TZelStreamedMemBlocks() override;

    int32_t GetCount() override { return Count; }
    int32_t GetBlockSize(int32_t index) override;
    TZelMemBlock GetBlock(int32_t index) override;
    const uint8_t* GetBlockPtr(int32_t index) override;

    int GetOffsetWidth() const { return Width; }

private:
    void ReadHeader();
    [[noreturn]] void RaiseInvalidFormat() const;
    void CheckIndex(int32_t index) const;
    uint32_t ReadEntry(int64_t position);
    // Start and end of a block in the data area, both checked against the data size.
    std::pair<uint32_t, uint32_t> BlockRange(int32_t index);

    int32_t Count = 0;
    uint8_t Width = 4;
    int64_t TablePos = 0;
    int64_t DataPos = 0;
    int64_t DataSize = 0;
    TZelStream* Stream;
    bool OwnsStream;
    const uint8_t* Memory = nullptr; // the stream's bytes when it is a memory stream
};

// Maps a container file and opens it; the container owns the mapping.
ZelRef<IZelMemBlocks> ZelOpenMemBlocksFile(const std::string& fileName);
