// Streams the containers read from: a memory stream over bytes it does not own, the
// read-only stream over a mapped file, and the buffer stream that writes into a
// caller-owned buffer without ever growing it.
#pragma once

#include "ZelFileMapping.h"

#include <cstdint>
#include <memory>
#include <string>

enum class TZelSeekOrigin { Beginning, Current, End };

class TZelStream {
public:
    virtual ~TZelStream() = default;

    // Reads up to count bytes; returns how many were read.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes up to count bytes; returns how many were written.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, TZelSeekOrigin origin) = 0;
    virtual int64_t GetSize() const = 0;
    // The file behind the stream, for error messages; empty when there is none.
    virtual std::string GetName() const { return {}; }

    int64_t GetPosition() { return Seek(0, TZelSeekOrigin::Current); }
    void SetPosition(int64_t pos) { Seek(pos, TZelSeekOrigin::Beginning); }
    // Reads exactly count bytes or raises "Stream read error".
    void ReadBuffer(void* buffer, int64_t count);
};

// A stream over memory it does not own. Reading follows the usual memory-stream rules:
// from the position up to the size, never past it; the position may be set anywhere >= 0.
class TZelMemoryStream : public TZelStream {
public:
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void*, int64_t) override { return 0; }
    int64_t Seek(int64_t offset, TZelSeekOrigin origin) override;
    int64_t GetSize() const override { return Size; }

    const uint8_t* GetMemory() const { return Memory; }

protected:
    void SetPointer(const uint8_t* memory, int64_t size) {
        Memory = memory;
        Size = size;
    }
    int64_t Position = 0;

private:
    const uint8_t* Memory = nullptr;
    int64_t Size = 0;
};

// The read-only stream over a whole mapped file. Writing does nothing and reports 0.
class TZelFileMappingStream : public TZelMemoryStream {
public:
    // Every caller opens for reading with writes denied to others; the "create" mode is not
    // supported.
    static constexpr int OpenReadDenyWrite = 32;
    static constexpr int OpenCreate = 0xFFFF;

    explicit TZelFileMappingStream(const std::string& fileName, int mode = OpenReadDenyWrite);
    std::string GetName() const override { return Mapping.Path(); }

private:
    TZelFileMapping Mapping;
};

// A stream over a caller-owned buffer. Writes copy into the buffer from the position and are
// clipped at its end; the buffer never grows.
class TZelBufferStream : public TZelMemoryStream {
public:
    TZelBufferStream(void* buffer, int64_t size);
    int64_t Write(const void* buffer, int64_t count) override;

private:
    uint8_t* Writable;
};
