// Our morphology against real peers on the same machine and the same data: analysis of a
// long Italian text against Apertium's lt-proc with the analyser our Italian lexicon was
// expanded from, and word existence against hunspell -l with the Italian dictionary.
//
// Needs the sample installation of this build (share/norvel) and the Debian packages
// fortunes-it, lttoolbox, apertium-cat-ita, hunspell and hunspell-it; a benchmark whose
// input is missing is skipped with the reason.
#include "ZelCodePage.h"
#include "ZelDM4.h"
#include "ZelFiles.h"
#include "ZelSentenceItem.h"
#include "ZelSettingsStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unicode/uchar.h>

namespace {

const char* const Analyser = "/usr/share/apertium/apertium-cat-ita/ita-cat.automorf.bin";
const char* const FortunesFolder = "/usr/share/games/fortunes/it";

std::string Temp(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("norvel-peers-" + name)).string();
}

// The Italian fortunes as one UTF-8 text (separator lines removed), written once.
std::string ItalianText() {
    static std::string path = [] {
        std::string out = Temp("it.txt");
        if (!std::filesystem::exists(FortunesFolder))
            return std::string();
        std::string text;
        for (const auto& entry : std::filesystem::directory_iterator(FortunesFolder))
            if (entry.path().extension() == ".u8") {
                std::ifstream in(entry.path());
                for (std::string line; std::getline(in, line);)
                    if (line != "%")
                        text += line + "\n";
            }
        ZelWriteFileAtomic(out, text);
        return out;
    }();
    return path;
}

std::vector<std::u16string> Lines(const std::string& path) {
    std::vector<std::u16string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(ZelUtf8ToWide(line));
    return lines;
}

// The words of the text (runs of letters), one per line in a file, written once.
std::string WordList(std::vector<std::u16string>* words = nullptr) {
    static std::vector<std::u16string> list;
    static std::string path = [] {
        std::string out = Temp("it-words.txt");
        std::string file;
        for (const std::u16string& line : Lines(ItalianText())) {
            std::u16string word;
            for (char16_t c : line + u" ") {
                if (u_isalpha(c)) {
                    word += c;
                } else if (!word.empty()) {
                    list.push_back(word);
                    file += ZelWideToUtf8(word) + "\n";
                    word.clear();
                }
            }
        }
        ZelWriteFileAtomic(out, file);
        return out;
    }();
    if (words)
        *words = list;
    return path;
}

ZelRef<TZelDM4> Italian() {
    std::string description = ZelExecutableFolder() + "/../share/norvel/morph-it/dm4it.dm4";
    return ZelFileExists(description) ? ZelMake<TZelDM4>("DM4KNVIT1", description) : nullptr;
}

bool Have(benchmark::State& state, bool ok, const char* what) {
    if (!ok)
        state.SkipWithError(what);
    return ok;
}

// Runs a shell command once per iteration, timing it as wall time.
void TimeCommand(benchmark::State& state, const std::string& command, double words) {
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError(("failed: " + command).c_str());
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["words_per_second"] =
        benchmark::Counter(words * double(state.iterations()), benchmark::Counter::kIsRate);
}

double WordCount() {
    std::vector<std::u16string> words;
    WordList(&words);
    return double(words.size());
}

void BM_AnalyseItalianText_Norvel(benchmark::State& state) {
    ZelRef<TZelDM4> dic = Italian();
    if (!Have(state, dic && !ItalianText().empty(), "sample installation or fortunes-it missing"))
        return;
    std::vector<std::u16string> lines = Lines(ItalianText());
    for (auto _ : state)
        for (const std::u16string& line : lines)
            benchmark::DoNotOptimize(dic->Analyze(line));
    state.counters["words_per_second"] =
        benchmark::Counter(WordCount() * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnalyseItalianText_Norvel)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same text with the characters lt-proc's stream format reserves escaped.
std::string EscapedItalianText() {
    static std::string path = [] {
        std::string out = Temp("it-escaped.txt");
        std::string text = ZelReadWholeFile(ItalianText()), escaped;
        for (char c : text) {
            if (std::strchr("\\^$/<>@[]{}*#+~", c) && c != 0)
                escaped += '\\';
            escaped += c;
        }
        ZelWriteFileAtomic(out, escaped);
        return out;
    }();
    return path;
}

void BM_AnalyseItalianText_LtProc(benchmark::State& state) {
    if (!Have(state, std::filesystem::exists(Analyser) && !ItalianText().empty(),
              "apertium-cat-ita or fortunes-it missing"))
        return;
    TimeCommand(state,
                std::string("lt-proc -a ") + Analyser + " < " + EscapedItalianText() + " > " +
                    Temp("ltproc.out"),
                WordCount());
}
BENCHMARK(BM_AnalyseItalianText_LtProc)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_WordExists_Norvel(benchmark::State& state) {
    ZelRef<TZelDM4> dic = Italian();
    std::vector<std::u16string> words;
    WordList(&words);
    if (!Have(state, dic && !words.empty(), "sample installation or fortunes-it missing"))
        return;
    size_t unknown = 0;
    for (auto _ : state) {
        unknown = 0;
        for (const std::u16string& w : words)
            unknown += !dic->WordExists(w);
    }
    state.counters["unknown"] = double(unknown);
    state.counters["words_per_second"] = benchmark::Counter(
        double(words.size()) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WordExists_Norvel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WordExists_Hunspell(benchmark::State& state) {
    if (!Have(state,
              std::filesystem::exists("/usr/share/hunspell/it_IT.dic") && !ItalianText().empty(),
              "hunspell-it or fortunes-it missing"))
        return;
    TimeCommand(state, "hunspell -d it_IT -l < " + WordList() + " > " + Temp("hunspell.out"),
                WordCount());
}
BENCHMARK(BM_WordExists_Hunspell)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

BENCHMARK_MAIN();
