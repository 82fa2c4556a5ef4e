#include "ZelMemBlocksWriter.h"

#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelMemBlocks.h"

namespace {
void AppendLE(std::string& out, uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}
} // namespace

void TZelMemBlocksWriter::Add(std::string_view block) {
    Data.append(block);
    Ends.push_back(Data.size());
}

void TZelMemBlocksWriter::AddIntegers(const std::vector<uint32_t>& values) {
    std::string block;
    for (uint32_t v : values)
        AppendLE(block, v, 4);
    Add(block);
}

std::string TZelMemBlocksWriter::Build(int width) const {
    if (Data.size() > UINT32_MAX)
        throw EZelError("Container data larger than 4 GiB");
    if (width == 0) {
        width = 1;
        while (width < 4 && (Data.size() >> (8 * width)) != 0)
            ++width;
    }
    std::string out(ZelMemBlocksMagic, sizeof ZelMemBlocksMagic);
    AppendLE(out, 5, 4); // header length: count and width
    AppendLE(out, Ends.size(), 4);
    out += char(width);
    for (uint64_t end : Ends)
        AppendLE(out, end, width);
    out += Data;
    return out;
}

void TZelMemBlocksWriter::WriteFile(const std::string& path, int width) const {
    ZelWriteFileAtomic(path, Build(width));
}
