#include "ZelMemBlocks.h"

#include "ZelHelpers.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <cstring>

const char ZelMemBlocksMagic[28] = {'A', 'p', 'p', 'l', 'i', 'c', 'a', 't',   'i', 'o',
                                    'n', ' ', 'd', 'a', 't', 'a', ' ', '(',   'T', 'y',
                                    'p', 'e', ' ', '1', '.', '0', ')', '\x1A'};

namespace {
constexpr int64_t MagicSize = 28;
constexpr int64_t FixedHeaderSize = 32; // magic + header length
} // namespace

void* TZelMemBlocks::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelMemBlocks::IID)
        return static_cast<IZelMemBlocks*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

TZelMemBlock TZelMemBlocks::GetBlock(int32_t index) {
    TZelMemBlock block;
    block.Ptr = GetBlockPtr(index);
    block.Size = GetBlockSize(index);
    return block;
}

std::string TZelMemBlocks::GetBlockString(int32_t index) {
    TZelMemBlock block = GetBlock(index);
    return std::string(block.View());
}

TZelStreamedMemBlocks::TZelStreamedMemBlocks(TZelStream* stream, bool ownsStream)
    : Stream(stream), OwnsStream(ownsStream) {
    ZEL_ASSERT(stream);
    try {
        if (auto* memory = dynamic_cast<TZelMemoryStream*>(stream))
            Memory = memory->GetMemory();
        if (Stream->GetSize() > 0)
            ReadHeader();
    } catch (...) {
        if (OwnsStream)
            delete Stream;
        throw;
    }
}

TZelStreamedMemBlocks::~TZelStreamedMemBlocks() {
    if (OwnsStream)
        delete Stream;
}

void TZelStreamedMemBlocks::RaiseInvalidFormat() const {
    std::string name = Stream->GetName();
    if (name.empty())
        throw EZelStreamError(ZelLoadStr(TZelResId::InvalidStreamFormat));
    throw EZelStreamError(ZelFormat(ZelLoadStr(TZelResId::InvalidStreamFormatInFile), {name}));
}

void TZelStreamedMemBlocks::ReadHeader() {
    int64_t size = Stream->GetSize();
    if (size < FixedHeaderSize)
        RaiseInvalidFormat();
    uint8_t fixed[FixedHeaderSize];
    Stream->SetPosition(0);
    Stream->ReadBuffer(fixed, FixedHeaderSize);
    if (std::memcmp(fixed, ZelMemBlocksMagic, MagicSize) != 0)
        RaiseInvalidFormat();
    uint32_t headerLength = ZelReadLE32(fixed + 28);
    if (FixedHeaderSize + int64_t(headerLength) > size)
        RaiseInvalidFormat();
    uint8_t header[5] = {0, 0, 0, 0, 4};
    Stream->ReadBuffer(header, headerLength < 5 ? headerLength : 5);
    uint32_t count = ZelReadLE32(header);
    Width = header[4];
    if (Width < 1 || Width > 4 || count > uint32_t(INT32_MAX))
        RaiseInvalidFormat();
    Count = int32_t(count);
    TablePos = FixedHeaderSize + int64_t(headerLength);
    DataPos = TablePos + int64_t(Count) * Width;
    if (DataPos > size)
        RaiseInvalidFormat();
    DataSize = size - DataPos;
}

void TZelStreamedMemBlocks::CheckIndex(int32_t index) const {
    if (index < 0 || index >= Count)
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
}

uint32_t TZelStreamedMemBlocks::ReadEntry(int64_t position) {
    uint8_t bytes[4] = {0, 0, 0, 0};
    if (Memory) {
        std::memcpy(bytes, Memory + position, Width);
    } else {
        Stream->SetPosition(position);
        Stream->ReadBuffer(bytes, Width);
    }
    return ZelReadLE32(bytes);
}

std::pair<uint32_t, uint32_t> TZelStreamedMemBlocks::BlockRange(int32_t index) {
    CheckIndex(index);
    uint32_t start = index == 0 ? 0 : ReadEntry(TablePos + int64_t(Width) * (index - 1));
    uint32_t end = ReadEntry(TablePos + int64_t(Width) * index);
    if (start > end || int64_t(end) > DataSize)
        RaiseInvalidFormat();
    return {start, end};
}

int32_t TZelStreamedMemBlocks::GetBlockSize(int32_t index) {
    auto [start, end] = BlockRange(index);
    return int32_t(end - start);
}

TZelMemBlock TZelStreamedMemBlocks::GetBlock(int32_t index) {
    auto [start, end] = BlockRange(index);
    ZEL_ASSERT(Memory);
    return {Memory + DataPos + start, int32_t(end - start)};
}

const uint8_t* TZelStreamedMemBlocks::GetBlockPtr(int32_t index) {
    return GetBlock(index).Ptr;
}

ZelRef<IZelMemBlocks> ZelOpenMemBlocksFile(const std::string& fileName) {
    return ZelRef<IZelMemBlocks>(
        new TZelStreamedMemBlocks(new TZelFileMappingStream(fileName), true));
}
