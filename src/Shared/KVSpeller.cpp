#include "KVSpeller.h"

#include "ZelResStrings.h"

#include "ZelFormat.h"

EZelSpeller::EZelSpeller(int code1, int code2)
    : EZelError(ZelFormat(ZelLoadStr(TZelResId::SpellerError), {code1, code2})) {}

TKVSpeller::TKVSpeller() {
    Standard.push_back(std::make_unique<TKVSpEnSwap>());
    auto change = std::make_unique<TKVSpEnChange>();
    change->ChangeFirstLetter = false;
    Standard.push_back(std::move(change));
    Standard.push_back(std::make_unique<TKVSpEnDelete>());
    auto insert = std::make_unique<TKVSpEnInsert>();
    insert->InsertAtEnd = true;
    insert->InsertBeforeFirstLetter = false;
    Standard.push_back(std::move(insert));
}

void* TKVSpeller::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelSpeller::IID)
        return static_cast<IZelSpeller*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

bool TKVSpeller::Accepted(const char16_t* text, int32_t length) {
    for (int32_t i = 0; i < CheckerCount && Checkers; ++i)
        if (Checkers[i] && Checkers[i]->WordExists(text, length))
            return true;
    return false;
}

void TKVSpeller::StartEngine(size_t index) {
    CurrentEngine = index;
    while (CurrentEngine < Run.size() &&
           !Run[CurrentEngine]->Start(Word.data(), int32_t(Word.size()), nullptr))
        ++CurrentEngine;
}

void TKVSpeller::StartRun(std::vector<TKVSpellerEngine*> engines, const char16_t* word,
                          int32_t length) {
    Word.assign(word, size_t(std::max(length, 0)));
    Run = std::move(engines);
    StartEngine(0);
}

uint8_t TKVSpeller::Continue(const char16_t** suggestion, int32_t* suggestionLength) {
    while (CurrentEngine < Run.size()) {
        TKVSpellerEngine& engine = *Run[CurrentEngine];
        while (engine.Next())
            if (Accepted(engine.GetOutput(), engine.GetOutputLength())) {
                if (suggestion)
                    *suggestion = engine.GetOutput();
                if (suggestionLength)
                    *suggestionLength = engine.GetOutputLength();
                return ZelSpellSuggestion;
            }
        StartEngine(CurrentEngine + 1);
    }
    return ZelSpellNoSuggestion;
}

uint8_t TKVSpeller::Spell(uint8_t mode, const char16_t* word, int32_t length, uint16_t,
                          const char16_t** suggestion, int32_t* suggestionLength) {
    switch (mode) {
    case ZelSpellTest:
        return Accepted(word, length) ? ZelSpellAccepted : ZelSpellRejected;
    case ZelSpellStart: {
        // Every engine makes candidates in proportion to the length, each as long as the
        // word: no real word is this long, and suggesting for one would take quadratic time.
        if (length > MaxSuggestedLength) {
            Run.clear();
            return ZelSpellNoSuggestion;
        }
        std::vector<TKVSpellerEngine*> engines;
        for (auto& e : Standard)
            engines.push_back(e.get());
        StartRun(engines, word, length);
        return Continue(suggestion, suggestionLength);
    }
    case ZelSpellNext:
        return Continue(suggestion, suggestionLength);
    case ZelSpellStartAnagram:
        if (length > MaxAnagramLength) {
            Run.clear();
            return ZelSpellNoSuggestion;
        }
        StartRun({&Anagram}, word, length);
        return Continue(suggestion, suggestionLength);
    default:
        throw EZelSpeller(2, 133);
    }
}
