// Generated data for the benchmarks: pseudo-words and a large DD6 dictionary compiled by
// the kit, kept in the system's temporary folder between runs.
#pragma once

#include "ZelDD6.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <spawn.h>
#include <string>
#include <vector>

// The process's resident memory in megabytes.
double BenchResidentMegabytes();

// NV of this build, to start as a process on the build's sample installation with a
// fresh user of its own (settings and data in a temporary folder removed with the object)
// and told to end once it is up ("Norvel is up…" on its standard output).
class TBenchProgramProcess {
public:
    explicit TBenchProgramProcess(const std::string& platform);
    ~TBenchProgramProcess();
    // False (with the reason for the benchmark) when the program or the installation is
    // missing.
    bool Available(benchmark::State& state) const;
    // Starts "NV -ns" with the file actions given (none for nullptr); the child's pid, or
    // -1.
    pid_t Spawn(const posix_spawn_file_actions_t* actions) const;

private:
    std::string Program;
    std::string Home;
    std::vector<std::string> Environment; // this process's, then the program's own
};

// A pronounceable pseudo-word, different for every number.
std::string BenchWord(uint32_t n);

// Compiles (once) a generated English-Italian dictionary of the given number of entries;
// returns its description file.
std::string BenchDD6(int entries);

// Opens the BenchDD6 dictionary of that size (English to Italian), compiling it if needed.
ZelRef<TZelDD6> BenchOpenDD6(int entries);

// The body of a look-up benchmark: FindLu of 1,000 headwords spread over the BenchDD6
// dictionary of that size, one per iteration.
void BenchFindLu(benchmark::State& state, int entries);

// The body of a field-text benchmark: EnumFieldValues of the three fields of one entry of
// the BenchDD6 dictionary of that size per iteration, entries taken in order.
void BenchEnumFieldValues(benchmark::State& state, int entries);

// Writes (once) a generated Italian-like full-form lexicon of about ten forms per lemma and
// returns its path.
std::string BenchLexicon(int lemmas);

// A sentence-like text of the lexicon's forms (words separated by blanks and punctuation).
std::u16string BenchText(int lemmas, int words);
