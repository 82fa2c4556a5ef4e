// A stretch of text: a 0-based start and a length.
#pragma once

#include <cstdint>

struct TZelTextRange {
    uint32_t Start = 0;
    int32_t Length = 0;
};

int64_t RangeEnd(const TZelTextRange& r);
// Sets the length so that the range ends at end (not before its start: assertion).
void SetRangeEnd(TZelTextRange& r, int64_t end);
// Two ranges overlap when neither is empty and one starts inside the other.
bool RangesOverlap(const TZelTextRange& a, const TZelTextRange& b);
