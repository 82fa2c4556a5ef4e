// Block access of a memory-block container and the lower-bound search of a cursor over it.
#include "ZelArrayCursor.h"
#include "ZelMemBlocks.h"
#include "ZelMemBlocksWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr int Entries = 300000;

std::string Word(int i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "w%07d", i);
    return buf;
}

// The headword file of a generated dictionary, written once per run.
const std::string& ContainerPath() {
    static std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "norvel-bench-blocks").string();
        TZelMemBlocksWriter writer;
        for (int i = 0; i < Entries; ++i)
            writer.Add(Word(i));
        writer.WriteFile(p);
        return p;
    }();
    return path;
}

class TBlockCursor : public TZelArrayCursor {
public:
    explicit TBlockCursor(ZelRef<IZelMemBlocks> blocks) : Blocks(std::move(blocks)) {}
    int32_t GetCount() override { return Blocks->GetCount(); }
    std::string_view Current() { return Blocks->GetBlock(Index).View(); }
    ZelRef<IZelMemBlocks> Blocks;
};

void BM_OpenContainer(benchmark::State& state) {
    const std::string& path = ContainerPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(ZelOpenMemBlocksFile(path));
}
BENCHMARK(BM_OpenContainer);

void BM_GetBlock(benchmark::State& state) {
    ZelRef<IZelMemBlocks> blocks = ZelOpenMemBlocksFile(ContainerPath());
    int32_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(blocks->GetBlock(i));
        i = (i + 7919) % Entries;
    }
}
BENCHMARK(BM_GetBlock);

void BM_SearchSorted(benchmark::State& state) {
    ZelRef<TBlockCursor> cursor = ZelMake<TBlockCursor>(ZelOpenMemBlocksFile(ContainerPath()));
    int i = 0;
    for (auto _ : state) {
        std::string key = Word(i);
        int32_t index = 0;
        benchmark::DoNotOptimize(SearchSorted(
            *cursor, [&](IZelArrayCursor&) { return cursor->Current().compare(key); }, index));
        i = (i + 7919) % Entries;
    }
}
BENCHMARK(BM_SearchSorted);

} // namespace

BENCHMARK_MAIN();
