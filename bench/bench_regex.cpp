// The matcher: pathological patterns, and a wildcard search over a list of a million words
// measured side by side with grep -E -x on the same list.
#include "BenchData.h"
#include "ZelFiles.h"
#include "ZelURESearch.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

void BM_Pathological(benchmark::State& state, const char16_t* pattern) {
    std::u16string text(10000, u'a');
    TZelURESearch re;
    re.Compile(pattern, ZelRegexCaseSensitive);
    for (auto _ : state) {
        int32_t s, e;
        benchmark::DoNotOptimize(re.FindText(text, s, e));
    }
}
BENCHMARK_CAPTURE(BM_Pathological, a_star_star_b, u"(a*)*b")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Pathological, a_or_aa_star_c, u"(a|aa)*c")->Unit(benchmark::kMillisecond);

constexpr int Words = 1000000;

const std::vector<std::u16string>& WordList() {
    static std::vector<std::u16string> words = [] {
        std::vector<std::u16string> list;
        std::string file;
        for (int i = 0; i < Words; ++i) {
            std::string w = BenchWord(uint32_t(i));
            list.emplace_back(w.begin(), w.end());
            file += w + "\n";
        }
        ZelWriteFileAtomic(
            (std::filesystem::temp_directory_path() / "norvel-bench-words.txt").string(), file);
        return list;
    }();
    return words;
}

// "ca*a" as the search's "matches (wildcards)" writes it.
const std::u16string Wildcard = u"ba*ca";

void BM_WildcardOverWords(benchmark::State& state) {
    const auto& words = WordList();
    TZelURESearch re;
    re.Compile(WildcardToRegex(Wildcard, ZelWildcardAnchored, u"-[]"), 0);
    size_t found = 0;
    for (auto _ : state) {
        found = 0;
        for (const auto& w : words) {
            found += re.Matches(w.data(), int32_t(w.size()));
        }
    }
    state.counters["matches"] = double(found);
    state.counters["words_per_second"] = benchmark::Counter(
        double(words.size()) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WildcardOverWords)->Unit(benchmark::kMillisecond);

void BM_GrepOverWords(benchmark::State& state) {
    WordList();
    std::string file = (std::filesystem::temp_directory_path() / "norvel-bench-words.txt").string();
    // Not to /dev/null: GNU grep then stops at the first match, as with -q.
    std::string count = (std::filesystem::temp_directory_path() / "norvel-bench-grep.txt").string();
    std::string command = "grep -i -c -E -x 'ba.*ca' " + file + " > " + count;
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(command.c_str()));
    state.counters["words_per_second"] =
        benchmark::Counter(double(Words) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GrepOverWords)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
