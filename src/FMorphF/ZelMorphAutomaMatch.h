// The transition matcher's walk (included by ZelMorphAutoma.h).
#pragma once

#include <cstdint>

// The labels of a state are sorted bytewise, so the labels that begin with the first i
// bytes of src form one run of transitions. The walk keeps that run and narrows it one byte
// at a time: inside the run every label agrees with src before position i, so only the
// byte at i is compared. Labels that end at i come first in the run; they are the matches.
template <class F>
void ZelMatchTransitions(const TZelMorphAutoma& automaton, int32_t state, const char* src,
                         F&& onMatch) {
    const TZelMorphNode* node = state == 0 ? nullptr : automaton.Node(state);
    if (!node)
        return;
    auto byteAt = [&](int32_t index, int i) {
        return uint8_t(automaton.String(node->LabelOffset(index))[i]);
    };
    // The first index of [low, high) whose byte at i is greater than (or, with orEqual,
    // at least) value.
    auto boundary = [&](int32_t low, int32_t high, int i, uint8_t value, bool orEqual) {
        int32_t n = high - low;
        while (n > 0) {
            int32_t half = n / 2;
            uint8_t b = byteAt(low + half, i);
            if (b < value || (!orEqual && b == value)) {
                low += half + 1;
                n -= half + 1;
            } else {
                n = half;
            }
        }
        return low;
    };
    int32_t low = 0;
    int32_t high = node->Count;
    for (int i = 0;; ++i) {
        for (; low < high && byteAt(low, i) == 0; ++low)
            if (!onMatch(node->Transition(low), i))
                return;
        auto c = uint8_t(src[i]);
        if (low == high || c == 0 || i == TZelMorphAutoma::MaxConsumed)
            return;
        if (node->Buckets && i < 2) {
            // The table gives the run of the first byte, then of the first two bytes.
            uint32_t key = i == 0 ? uint32_t(c) << 8 : (uint32_t(uint8_t(src[0])) << 8) | c;
            uint32_t end = i == 0 ? (uint32_t(c) + 1) << 8 : key + 1;
            low = int32_t(node->Buckets[key]);
            high = int32_t(node->Buckets[end]);
        } else {
            low = boundary(low, high, i, c, true);
            high = boundary(low, high, i, c, false);
        }
    }
}
