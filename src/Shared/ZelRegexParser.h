// The parser of the search dialect's patterns: a pattern becomes a tree of classes,
// anchors, sequences, alternatives and repetitions, with its classes listed apart. Groups
// and repetitions nest at most 200 deep, so every walk of the tree stays shallow.
#pragma once

#include "ZelRegexClass.h"

#include <memory>
#include <string>
#include <vector>

// The parsed pattern.
struct TZelRegexNode {
    enum TKind { Empty, Class, Any, LineStart, LineEnd, Concat, Alternation, Repeat } Kind = Empty;
    int32_t ClassIndex = -1;
    std::vector<std::unique_ptr<TZelRegexNode>> Children;
    int32_t Min = 0, Max = -1; // repetition; Max -1 for no bound
};

struct TZelRegexTree {
    std::unique_ptr<TZelRegexNode> Root; // nullptr for the empty pattern
    std::vector<TZelRegexClass> Classes;
    bool CaseInsensitive = false;
};

// Parses a pattern; raises EZelError "Error in regular expression: PATTERN\rREASON", or
// "Expression is empty." alone.
TZelRegexTree ZelParseRegex(const std::u16string& pattern, bool caseInsensitive);
