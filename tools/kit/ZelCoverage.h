// How much of a text a morphological dictionary recognises: the share of its word tokens
// (tokens holding a letter) that analysis finds in the dictionary.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct TZelCoverage {
    int64_t WordTokens = 0;
    int64_t Known = 0;
    std::map<std::u16string, int64_t> Unknown; // each unknown word form (lower case), how often
    double Share() const { return WordTokens ? double(Known) / double(WordTokens) : 0.0; }
};

// Analyses a UTF-8 text line by line with the DM4 dictionary of that description.
TZelCoverage ZelMeasureCoverage(const std::string& dm4Description, const std::string& textPath);
