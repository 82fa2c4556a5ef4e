// Writes memory-block containers: the header, the table of block end offsets and the
// blocks. The offset width is the smallest that holds the data size (1 to 4 bytes), or a
// width chosen by the caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TZelMemBlocksWriter {
public:
    void Add(std::string_view block);
    void AddIntegers(const std::vector<uint32_t>& values);
    int32_t GetCount() const { return int32_t(Ends.size()); }

    // The whole container as bytes; width 0 picks the smallest sufficient width.
    std::string Build(int width = 0) const;
    // Writes the container to a file, through a temporary file renamed into place.
    void WriteFile(const std::string& path, int width = 0) const;

private:
    std::string Data;
    std::vector<uint64_t> Ends;
};
