// Holds a speller and the array of word checkers it reads.
#pragma once

#include "ZelSpeller.h"

#include <vector>

class TZelAdvSpeller {
public:
    TZelAdvSpeller();

    IZelSpeller& GetSpeller() { return *Speller; }
    void SetCheckerCount(int32_t count);
    // Sets a checker, growing the array as needed (the speller then gets the new array).
    void SetChecker(int32_t index, const ZelRef<IZelWordChecker>& checker);

private:
    ZelRef<IZelSpeller> Speller;
    int32_t PassedCount = 0;
    std::vector<ZelRef<IZelWordChecker>> Owned;
    std::vector<IZelWordChecker*> Checkers;
};
