// The speller: candidates from its engines, handed out only when a word checker accepts
// them.
#pragma once

#include "KVSpellerEngines.h"
#include "ZelSpeller.h"

#include <memory>
#include <string>
#include <vector>

class TKVSpeller : public TZelInterfacedObject, public virtual IZelSpeller {
public:
    // The anagram run stops at words of this many letters: the candidates of a longer word
    // are too many to try in one call.
    static constexpr int32_t MaxAnagramLength = 9;
    // Suggestions by swap, change, delete and insert stop at this length.
    static constexpr int32_t MaxSuggestedLength = 64;

    TKVSpeller();

    void* QueryInterface(const ZelGuid& iid) override;

    int32_t GetReserved1() override { return 0; }
    int32_t GetOptions() override { return Options; }
    int32_t GetReserved2() override { return 0; }
    int32_t GetReserved3() override { return 0; }
    void SetOptions(int32_t options) override { Options = options; }
    void SetCheckerCount(int32_t count) override { CheckerCount = count; }
    void SetCheckers(IZelWordChecker* const* checkers) override { Checkers = checkers; }
    void SetReserved(int32_t) override {}
    uint8_t Spell(uint8_t mode, const char16_t* word, int32_t length, uint16_t options,
                  const char16_t** suggestion, int32_t* suggestionLength) override;

private:
    bool Accepted(const char16_t* text, int32_t length);
    void StartRun(std::vector<TKVSpellerEngine*> engines, const char16_t* word, int32_t length);
    // Moves on to the next engine (from index) that has candidates for the word.
    void StartEngine(size_t index);
    uint8_t Continue(const char16_t** suggestion, int32_t* suggestionLength);

    size_t CurrentEngine = 0;
    int32_t Options = 0;
    int32_t CheckerCount = 0;
    IZelWordChecker* const* Checkers = nullptr;
    TKVSpEnAnagram Anagram;
    std::vector<TKVSpellerEngine*> Run;
    std::vector<std::unique_ptr<TKVSpellerEngine>> Standard;
    std::u16string Word; // the run's word, kept for its engines
};
