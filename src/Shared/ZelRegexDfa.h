// The deterministic automaton of a compiled pattern, for questions that need only whether
// a text holds a match (the searches ask that of every entry): built state by state as the
// texts need it, a few table look-ups a character, its cache started again past 4,096
// states.
#pragma once

#include "ZelRegexProgram.h"

#include <map>
#include <memory>
#include <vector>

class TZelRegexDfa {
public:
    explicit TZelRegexDfa(const TZelRegexProgram& program);
    ~TZelRegexDfa();

    // Whether the first length characters hold a match.
    bool Matches(const char16_t* text, int32_t length, bool caseInsensitive);

private:
    struct TImpl;
    std::unique_ptr<TImpl> Impl;
};
