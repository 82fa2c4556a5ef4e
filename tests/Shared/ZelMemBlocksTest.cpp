#include "ZelMemBlocks.h"
#include "ZelErrors.h"
#include "ZelMemBlocksWriter.h"
#include "ZelStreams.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string Header(uint32_t headerLength) {
    std::string out(ZelMemBlocksMagic, sizeof ZelMemBlocksMagic);
    for (int i = 0; i < 4; ++i)
        out += char((headerLength >> (8 * i)) & 0xFF);
    return out;
}

std::string Le(uint32_t v, int width) {
    std::string out;
    for (int i = 0; i < width; ++i)
        out += char((v >> (8 * i)) & 0xFF);
    return out;
}

ZelRef<IZelMemBlocks> OpenBytes(const TTempDir& dir, std::string_view bytes,
                                const char* name = "blocks.ddata") {
    std::string path = dir.File(name);
    WriteBytes(path, bytes);
    return ZelOpenMemBlocksFile(path);
}

} // namespace

TEST(MemBlocks, WrittenBlocksReadBackWithoutCopying) {
    TTempDir dir;
    TZelMemBlocksWriter writer;
    writer.Add("");
    writer.Add("casa");
    writer.Add(std::string(300, 'x'));
    for (int width : {0, 2, 3, 4}) {
        ZelRef<IZelMemBlocks> blocks = OpenBytes(dir, writer.Build(width));
        ASSERT_EQ(blocks->GetCount(), 3);
        EXPECT_EQ(blocks->GetBlockSize(0), 0);
        EXPECT_EQ(blocks->GetBlockString(0), "");
        EXPECT_EQ(blocks->GetBlockString(1), "casa");
        EXPECT_EQ(blocks->GetBlockSize(2), 300);
        // Block 0 is empty and starts where block 1 starts: at the data area.
        EXPECT_EQ(blocks->GetBlockPtr(0), blocks->GetBlockPtr(1));
        TZelMemBlock b = blocks->GetBlock(1);
        EXPECT_EQ(b.View(), "casa");
    }
}

TEST(MemBlocks, EmptyFileIsAnEmptyContainer) {
    TTempDir dir;
    ZelRef<IZelMemBlocks> blocks = OpenBytes(dir, "");
    EXPECT_EQ(blocks->GetCount(), 0);
    EXPECT_THROW_MSG(blocks->GetBlockSize(0), EZelListError, "List index out of bounds (0)");
}

TEST(MemBlocks, HeaderLengthDecidesCountAndWidth) {
    TTempDir dir;
    // H = 4: a count and no width byte, so entries are 4 bytes wide.
    std::string four = Header(4) + Le(2, 4) + Le(1, 4) + Le(3, 4) + "abc";
    ZelRef<IZelMemBlocks> blocks = OpenBytes(dir, four, "h4");
    ASSERT_EQ(blocks->GetCount(), 2);
    EXPECT_EQ(blocks->GetBlockString(0), "a");
    EXPECT_EQ(blocks->GetBlockString(1), "bc");

    // H = 5 with width 2: 16-bit entries.
    std::string five = Header(5) + Le(2, 4) + char(2) + Le(2, 2) + Le(3, 2) + "abc";
    blocks = OpenBytes(dir, five, "h5");
    EXPECT_EQ(static_cast<TZelStreamedMemBlocks*>(blocks.get())->GetOffsetWidth(), 2);
    EXPECT_EQ(blocks->GetBlockString(0), "ab");
    EXPECT_EQ(blocks->GetBlockString(1), "c");

    // H = 9: the reserved header bytes are skipped.
    std::string nine = Header(9) + Le(1, 4) + char(1) + "RSVD" + Le(2, 1) + "hi";
    blocks = OpenBytes(dir, nine, "h9");
    EXPECT_EQ(blocks->GetBlockString(0), "hi");

    // H < 4: no count at all.
    blocks = OpenBytes(dir, Header(0), "h0");
    EXPECT_EQ(blocks->GetCount(), 0);
}

TEST(MemBlocks, IndexOutOfRangeNamesTheIndex) {
    TTempDir dir;
    TZelMemBlocksWriter writer;
    writer.Add("a");
    writer.Add("b");
    ZelRef<IZelMemBlocks> blocks = OpenBytes(dir, writer.Build());
    EXPECT_THROW_MSG(blocks->GetBlockSize(2), EZelListError, "List index out of bounds (2)");
    EXPECT_THROW_MSG(blocks->GetBlockSize(-1), EZelListError, "List index out of bounds (-1)");
    EXPECT_THROW_MSG(blocks->GetBlockPtr(2), EZelListError, "List index out of bounds (2)");
    EXPECT_THROW_MSG(blocks->GetBlockString(-1), EZelListError, "List index out of bounds (-1)");
}

TEST(MemBlocks, MalformedHeadersAreInvalidFormat) {
    TTempDir dir;
    std::string path = dir.File("bad.ddata");
    std::string message = "Invalid stream format (" + path + ")";
    std::string badMagic = Header(5) + Le(0, 4) + char(4);
    badMagic[0] = 'a';
    struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"bad magic", badMagic},
        {"shorter than the fixed header", Header(5).substr(0, 20)},
        {"width 0", Header(5) + Le(0, 4) + char(0)},
        {"width 5", Header(5) + Le(0, 4) + char(5)},
        {"header longer than the file", Header(100) + Le(0, 4) + char(4)},
        {"table longer than the file", Header(5) + Le(1000, 4) + char(4) + Le(0, 4)},
        {"count beyond 32-bit signed", Header(5) + Le(0x80000000u, 4) + char(1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(path, c.bytes);
        EXPECT_THROW_MSG(ZelOpenMemBlocksFile(path), EZelStreamError, message);
    }
}

TEST(MemBlocks, OffsetsPastTheDataOrBackwardsAreInvalidFormat) {
    TTempDir dir;
    std::string path = dir.File("bad.ddata");
    // Block 0 claims 100 bytes of a 3-byte data area; block 1 runs backwards.
    WriteBytes(path, Header(5) + Le(3, 4) + char(1) + Le(100, 1) + Le(2, 1) + Le(3, 1) + "abc");
    ZelRef<IZelMemBlocks> blocks = ZelOpenMemBlocksFile(path);
    std::string message = "Invalid stream format (" + path + ")";
    EXPECT_THROW_MSG(blocks->GetBlockSize(0), EZelStreamError, message);
    EXPECT_THROW_MSG(blocks->GetBlockPtr(1), EZelStreamError, message);
    EXPECT_EQ(blocks->GetBlockString(2), "c");
}

TEST(MemBlocks, EveryTruncationIsAnErrorNeverAReadOutside) {
    TTempDir dir;
    TZelMemBlocksWriter writer;
    for (int i = 0; i < 20; ++i)
        writer.Add(std::string(size_t(i * 7), char('a' + i)));
    std::string whole = writer.Build();
    std::string path = dir.File("cut.ddata");
    for (size_t len = 1; len < whole.size(); ++len) {
        WriteBytes(path, std::string_view(whole).substr(0, len));
        try {
            ZelRef<IZelMemBlocks> blocks = ZelOpenMemBlocksFile(path);
            for (int32_t i = 0; i < blocks->GetCount(); ++i) {
                try {
                    TZelMemBlock b = blocks->GetBlock(i);
                    // A block that can be read lies inside the file and is what was written.
                    EXPECT_EQ(b.View(), std::string(size_t(i * 7), char('a' + i)));
                } catch (const EZelStreamError&) {
                }
            }
        } catch (const EZelStreamError&) {
        }
    }
}

TEST(MemBlocks, MissingFileRaisesTheSystemError) {
    TTempDir dir;
    std::string path = dir.File("absent.ddata");
    EXPECT_THROW_MSG(ZelOpenMemBlocksFile(path), EZelOSError,
                     "Cannot open file \"" + path + "\". No such file or directory");
}

TEST(MemBlocks, ContainersWorkOnAnyStream) {
    TZelMemBlocksWriter writer;
    writer.Add("one");
    writer.Add("three");
    std::string bytes = writer.Build();
    // Over a caller's buffer the container reads sizes and blocks alike.
    ZelRef<IZelMemBlocks> blocks(
        new TZelStreamedMemBlocks(new TZelBufferStream(bytes.data(), int64_t(bytes.size())), true));
    EXPECT_EQ(blocks->GetBlockSize(1), 5);
    EXPECT_EQ(blocks->GetBlockString(1), "three");
}

TEST(Streams, MappedFileIgnoresWrites) {
    TTempDir dir;
    std::string path = dir.File("f.bin");
    WriteBytes(path, "hello");
    {
        TZelFileMappingStream stream(path);
        EXPECT_EQ(stream.GetSize(), 5);
        EXPECT_EQ(stream.Write("XY", 2), 0);
        char buf[8] = {};
        EXPECT_EQ(stream.Read(buf, 8), 5);
        EXPECT_EQ(std::string(buf), "hello");
        EXPECT_EQ(stream.Read(buf, 8), 0);
    }
    EXPECT_EQ(ReadBytes(path), "hello");
    EXPECT_THROW(TZelFileMappingStream(path, TZelFileMappingStream::OpenCreate), EZelAssertion);
}

TEST(Streams, BufferStreamClipsWritesAtItsEnd) {
    char buffer[10] = {};
    TZelBufferStream stream(buffer, 10);
    stream.SetPosition(8);
    EXPECT_EQ(stream.Write("abcde", 5), 2);
    EXPECT_EQ(stream.GetPosition(), 10);
    EXPECT_EQ(buffer[8], 'a');
    EXPECT_EQ(buffer[9], 'b');
    stream.SetPosition(0);
    EXPECT_EQ(stream.Write("x", -1), 0);
    EXPECT_EQ(stream.Write("x", 0), 0);
    stream.SetPosition(-3);
    EXPECT_EQ(stream.Write("xyz", 3), 0);
    EXPECT_EQ(buffer[0], 0);
}
