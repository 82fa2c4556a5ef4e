// Query expressions: the operator kinds every expression and condition reports.
#pragma once

#include <cstdint>

enum TZelOpKind : uint8_t {
    okNone,
    okAnagramOf,
    okAnd,
    okAnsiStringConst,
    okBeginsWith,
    okContains,
    okContainsTheOnlyConsonants,
    okContainsTheOnlyVowels,
    okContainsWildcards,
    okDiscardOf,
    okEndsWith,
    okEqInt,
    okExchangeOf,
    okFalse,
    okFilter,
    okIntConst,
    okIsDoubleFaced,
    okIsPalindrome,
    okLengthIs,
    okNear,
    okNot,
    okOr,
    okRE,
    okWideStringConst,
    okTrue,
    okWedgeOf,
    okWildcards,
    okWholeWords,
};

constexpr int ZelOpKindCount = 28;
