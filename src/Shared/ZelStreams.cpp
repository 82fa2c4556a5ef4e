#include "ZelStreams.h"

#include "ZelErrors.h"
#include "ZelResStrings.h"

#include <cstring>

void TZelStream::ReadBuffer(void* buffer, int64_t count) {
    if (count != 0 && Read(buffer, count) != count)
        throw EZelStreamError(ZelLoadStr(TZelResId::StreamReadError));
}

int64_t TZelMemoryStream::Read(void* buffer, int64_t count) {
    if (Position < 0 || count <= 0)
        return 0;
    int64_t available = Size - Position;
    if (available <= 0)
        return 0;
    int64_t n = available < count ? available : count;
    std::memcpy(buffer, Memory + Position, size_t(n));
    Position += n;
    return n;
}

int64_t TZelMemoryStream::Seek(int64_t offset, TZelSeekOrigin origin) {
    switch (origin) {
    case TZelSeekOrigin::Beginning:
        Position = offset;
        break;
    case TZelSeekOrigin::Current:
        Position += offset;
        break;
    case TZelSeekOrigin::End:
        Position = Size + offset;
        break;
    }
    return Position;
}

namespace {
// The mapping is always read-only: nothing in the program maps a file for writing.
const std::string& CheckReadOnlyMode(int mode, const std::string& fileName) {
    ZEL_ASSERT(mode != TZelFileMappingStream::OpenCreate);
    return fileName;
}
} // namespace

TZelFileMappingStream::TZelFileMappingStream(const std::string& fileName, int mode)
    : Mapping(CheckReadOnlyMode(mode, fileName)) {
    SetPointer(Mapping.Data(), Mapping.Size());
}

TZelBufferStream::TZelBufferStream(void* buffer, int64_t size)
    : Writable(static_cast<uint8_t*>(buffer)) {
    SetPointer(Writable, size);
}

int64_t TZelBufferStream::Write(const void* buffer, int64_t count) {
    if (Position < 0 || count < 0 || Position + count <= 0)
        return 0;
    int64_t left = GetSize() - Position;
    if (count > left)
        count = left < 0 ? 0 : left;
    if (count > 0)
        std::memcpy(Writable + Position, buffer, size_t(count));
    Position = Position + count < GetSize() ? Position + count : GetSize();
    return count;
}
