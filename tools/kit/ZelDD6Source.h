// The source of a DD6 dictionary (docs/dictionary-source.md) as the compiler reads it: the
// dictionary's settings, views and options, abbreviations, and per language its query
// fields, sounds and entries (each entry's content kept as XML text).
#pragma once

#include "ZelDic.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

struct TZelDD6SourceEntry {
    std::u16string Headword;
    int Ordinal = -1; // -1: numbered in source order among equal headwords
    int Category = -1;
    bool Multiword = false;
    std::u16string Fragment; // the entry's XML, escaped, in UTF-16
    int Number = 0;          // position in the source, from 1
    int Line = 0;            // the source line of its element
};

struct TZelDD6SourceLanguage {
    TZelLanguage Language = 0;
    std::string SoundsFolder;
    std::u16string Search;
    bool HasSearch = false;
    std::vector<TZelDD6SourceEntry> Entries;
    std::vector<std::string> SoundFiles; // block index -> file
    std::map<std::string, int> SoundIndex;
};

struct TZelDD6SourceOption {
    std::u16string Caption, Element, Hint;
    bool Checked = false;
    int Image = 0;
};

struct TZelDD6SourceView {
    std::string Stylesheet;
    std::vector<TZelDD6SourceOption> Options;
};

struct TZelDD6Source {
    std::string Path;
    std::string Folder; // of the source file, with "/"
    std::string FileName;
    std::u16string Name;
    int CodePage = 1252;
    int LuStyle = 1;
    bool Sorted = true;
    bool Monolingual = false;
    bool CommaComparison = true;
    std::vector<TZelLanguage> Targets;
    std::vector<TZelDD6SourceView> Views;
    std::vector<std::string> Resources;
    std::vector<std::pair<std::u16string, std::u16string>> Abbreviations;
    std::vector<TZelDD6SourceLanguage> Languages;
};

// Reads and checks a source. Raises EZelError naming the source, the line and the element
// or entry for anything it gets wrong: malformed XML, an unknown element, a number out of
// its range, a name of an output file that is not a plain file name.
TZelDD6Source ZelReadDD6Source(const std::string& path);

// Raises EZelError (with where) unless name is a plain file name: not empty, no folder
// part, not "." or "..", no control characters. Output files are named so, so that a
// source can never write outside the output folder.
void ZelCheckPlainFileName(const std::string& name, const std::string& where);
