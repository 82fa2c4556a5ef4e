#include "ZelTextRange.h"

#include "ZelErrors.h"

int64_t RangeEnd(const TZelTextRange& r) {
    return int64_t(r.Start) + r.Length;
}

void SetRangeEnd(TZelTextRange& r, int64_t end) {
    ZEL_ASSERT(end >= int64_t(r.Start));
    r.Length = int32_t(end - int64_t(r.Start));
}

bool RangesOverlap(const TZelTextRange& a, const TZelTextRange& b) {
    if (a.Length == 0 || b.Length == 0)
        return false;
    if (a.Start == b.Start)
        return true;
    if (a.Start < b.Start)
        return int64_t(b.Start) < RangeEnd(a);
    return int64_t(a.Start) < RangeEnd(b);
}
