// The DM4 compiler: from a full-form lexicon (docs/lexicon-source.md) to the files of a
// morphological dictionary, and the check that proves them against the lexicon.
#pragma once

#include <string>

struct TZelDM4CompileReport {
    std::string DescriptionPath;
    int Readings = 0;     // distinct (form, lemma, code, description) lines
    int Lemmas = 0;       // distinct (lemma, code)
    int Stems = 0;        // transitions of the entry state
    int Paradigms = 0;    // shared ending states
    int Descriptions = 0; // grammatical descriptions
    int Ranked = 0;       // lemmas with a rank from the frequency list
};

// Compiles the lexicon into the output folder. With check, the result is then proved (see
// ZelCheckDM4) and any difference raises. The output depends on the lexicon (and the
// frequency list) alone.
//
// A frequency list ("lemma<TAB>count" lines, commonest first, UTF-8) gives the lemmas'
// ranks: the lemmas of the lexicon it names are written, commonest first, as
// "<file>_rank.kv0", which the analysis uses to list a word's commoner lemma first.
TZelDM4CompileReport ZelCompileDM4(const std::string& lexiconPath, const std::string& outputFolder,
                                   bool check = true, const std::string& frequenciesPath = "");

// Opens a compiled dictionary and proves it against its lexicon: every line is found by
// analysis with its lemma, code and description, the forms generated for every lemma are
// exactly its forms, and the automaton holds no other word. Raises EZelError describing the
// first difference.
void ZelCheckDM4(const std::string& lexiconPath, const std::string& descriptionPath);
