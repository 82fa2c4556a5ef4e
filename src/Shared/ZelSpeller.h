// The speller's interface: a word test and suggestions of existing words near a word.
#pragma once

#include "ZelBase.h"
#include "ZelErrors.h"
#include "ZelWordChecker.h"

#include <cstdint>

class EZelSpeller : public EZelError {
public:
    EZelSpeller(int code1, int code2);
};

// Spell modes and their results.
enum : uint8_t {
    ZelSpellTest = 0,         // 0 accepted, 1 not
    ZelSpellStart = 2,        // suggestions by swap, change, delete and insert
    ZelSpellNext = 3,         // the next suggestion of the current run
    ZelSpellStartAnagram = 6, // suggestions by rearranging every letter
    ZelSpellAccepted = 0,
    ZelSpellRejected = 1,
    ZelSpellNoSuggestion = 8,
    ZelSpellSuggestion = 9,
};

class IZelSpeller : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{4D5E6F70-8192-4A3B-9C4D-5E6F708192A3}");

    virtual int32_t GetReserved1() = 0;
    virtual int32_t GetOptions() = 0;
    virtual int32_t GetReserved2() = 0;
    virtual int32_t GetReserved3() = 0;
    virtual void SetOptions(int32_t options) = 0;
    virtual void SetCheckerCount(int32_t count) = 0;
    // The array of checkers the speller reads; it stays the caller's.
    virtual void SetCheckers(IZelWordChecker* const* checkers) = 0;
    virtual void SetReserved(int32_t value) = 0;
    // Tests the word or hands out the next suggestion (a pointer into the speller, valid
    // until the next call). Raises EZelSpeller "Spell Checker Error Code 2:133" for an
    // unknown mode.
    virtual uint8_t Spell(uint8_t mode, const char16_t* word, int32_t length, uint16_t options,
                          const char16_t** suggestion, int32_t* suggestionLength) = 0;
};
