// The DD6 compiler: from a dictionary source (an XML file a person can write, described in
// docs/dictionary-source.md) to the description and every file of a DD6 dictionary.
#pragma once

#include <string>

struct TZelDD6CompileReport {
    std::string DescriptionPath;
    int Entries = 0;
    int Sounds = 0;
    int WordIndexes = 0;  // word lists with their word indexes, one per text field
    int ValueIndexes = 0; // value indexes, one per field of values
};

// Compiles the source into the output folder (created when missing). The output depends on
// the source alone: compiling twice gives identical files. Raises EZelError with the
// source's name and the entry concerned for anything the source gets wrong.
TZelDD6CompileReport ZelCompileDD6(const std::string& sourcePath, const std::string& outputFolder);
