// Generated data for the benchmarks: pseudo-words and a large DD6 dictionary compiled by
// the kit, kept in the system's temporary folder between runs.
#pragma once

#include <cstdint>
#include <string>

// A pronounceable pseudo-word, different for every number.
std::string BenchWord(uint32_t n);

// Compiles (once) a generated English-Italian dictionary of the given number of entries;
// returns its description file.
std::string BenchDD6(int entries);

// Writes (once) a generated Italian-like full-form lexicon of about ten forms per lemma and
// returns its path.
std::string BenchLexicon(int lemmas);

// A sentence-like text of the lexicon's forms (words separated by blanks and punctuation).
std::u16string BenchText(int lemmas, int words);
