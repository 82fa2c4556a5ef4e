// A compiled pattern and the machine that runs it: the pattern's automaton as a small
// program (character tests, splits, jumps, assertions), simulated on all paths at once (a
// Pike machine) carrying each path's start, so a search takes time linear in the text for
// every pattern and finds the leftmost-longest match.
#pragma once

#include "ZelRegexParser.h"

#include <cstdint>
#include <utility>
#include <vector>

enum TZelRegexOp : uint8_t {
    OpChar,
    OpAny,
    OpSplit,
    OpJmp,
    OpAssertStart,
    OpAssertEnd,
    OpAssertNotLF,
    OpMatch
};

struct TZelRegexInst {
    TZelRegexOp Op;
    int32_t X = 0; // class index, or jump targets
    int32_t Y = 0;
};

// Raised by Generate when a pattern's program grows beyond what a query can afford.
struct TZelRegexTooLarge {};

// Whether a pattern consumes no character (anchors only).
bool ZelRegexConsumesNothing(const TZelRegexNode& node);

struct TZelRegexProgram {
    std::vector<TZelRegexInst> Code;
    std::vector<TZelRegexClass> Classes;
    bool CaseInsensitive = false;
    bool AnchorsOnly = false;
    bool Empty = true;

    // Appends an instruction; raises TZelRegexTooLarge past 200,000 of them.
    int32_t Emit(TZelRegexOp op, int32_t x = 0, int32_t y = 0);
    // A class of its own for the given ranges; its index.
    int32_t ClassOf(std::vector<std::pair<char32_t, char32_t>> ranges);
    // Appends the instructions of a node.
    void Generate(const TZelRegexNode& node);
    // The leftmost-longest match starting no earlier than from; anchors see the whole text.
    bool Run(const char16_t* text, int32_t length, int32_t from, int32_t& matchStart,
             int32_t& matchEnd);

private:
    // The machine's two thread lists, reused between searches.
    struct TList {
        std::vector<std::pair<int32_t, int32_t>> Threads; // (instruction, start)
        std::vector<uint32_t> Mark;
        uint32_t Generation = 0;
        void Clear();
    };
    void AddThread(TList& list, int32_t pc, int32_t start, const char16_t* text, int32_t length,
                   int32_t pos);

    TList Lists[2];
    std::vector<int32_t> Stack;
};
