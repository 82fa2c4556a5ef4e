#include "ZelAdvSpeller.h"

#include "KVSpeller.h"
#include "ZelErrors.h"

TZelAdvSpeller::TZelAdvSpeller() : Speller(ZelMake<TKVSpeller>()), Owned(1), Checkers(1, nullptr) {
    Speller->SetCheckers(Checkers.data());
    Speller->SetCheckerCount(0);
}

void TZelAdvSpeller::SetCheckerCount(int32_t count) {
    if (count != PassedCount) {
        ZEL_ASSERT(count >= 0 && count <= int32_t(Checkers.size()));
        Speller->SetCheckerCount(count);
        PassedCount = count;
    }
}

void TZelAdvSpeller::SetChecker(int32_t index, const ZelRef<IZelWordChecker>& checker) {
    ZEL_ASSERT(index >= 0);
    if (index >= int32_t(Checkers.size())) {
        IZelWordChecker* const* before = Checkers.data();
        Checkers.resize(size_t(index) + 1, nullptr);
        Owned.resize(size_t(index) + 1);
        if (Checkers.data() != before)
            Speller->SetCheckers(Checkers.data());
        SetCheckerCount(index + 1);
    }
    Owned[size_t(index)] = checker;
    Checkers[size_t(index)] = checker.get();
}
