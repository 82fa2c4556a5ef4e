// The transition matcher's walk (included by ZelMorphAutoma.h).
#pragma once

#include <cstring>

template <class F>
void ZelMatchTransitions(const TZelMorphAutoma& automaton, int32_t state, const char* src,
                         F&& onMatch) {
    constexpr int Max = TZelMorphAutoma::MaxConsumed;
    // The consumed prefix: at most 127 input bytes plus one separator, and its NUL.
    char buf[Max + 2];
    int i = 0;
    buf[0] = 0;
    TZelMorphCursor cursor;
    int32_t hint = 0; // every label before it is less than the prefix consumed so far
    auto append = [&]() {
        buf[i] = src[i];
        ++i;
        buf[i] = 0;
    };
    for (;;) {
        cursor.Seek(automaton, state, buf, hint);
        hint = cursor.Index;
        if (cursor.AtEnd())
            return;
        const char* label = cursor.CurrentLabel();
        if (label[0] != 0) {
            if (std::strncmp(label, src, size_t(i)) != 0)
                return;
            while (i < Max && label[i] != 0 && label[i] == src[i])
                append();
        }
        bool matches = label[i] == 0;
        while (matches) {
            if (!onMatch(cursor.Current(), i))
                return;
            cursor.Advance();
            hint = cursor.Index;
            if (cursor.AtEnd())
                return;
            label = cursor.CurrentLabel();
            int k = 0;
            while (label[k] != 0 && label[k] == src[k])
                ++k;
            while (i < k && i < Max)
                append();
            matches = label[k] == 0 && k == i;
        }
        if (src[i] == ' ') {
            if (i >= Max + 1)
                return;
            append();
        }
        if (src[i] == 0 || i >= Max)
            return;
        append();
    }
}
