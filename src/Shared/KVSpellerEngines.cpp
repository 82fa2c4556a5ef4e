#include "KVSpellerEngines.h"

#include <algorithm>

void TKVSpellerEngine::Prepare(const char16_t* word, int32_t length, int32_t outLength,
                               char16_t* buffer) {
    Word = word;
    Length = length;
    OutLength = outLength;
    if (buffer) {
        Out = buffer;
    } else {
        OwnBuffer.assign(size_t(std::max(outLength, 1)), u'\0');
        Out = OwnBuffer.data();
    }
    std::copy(word, word + std::min(length, outLength), Out);
}

// ---------------------------------------------------------------------------------------

bool TKVSpEnSwap::Start(const char16_t* word, int32_t length, char16_t* buffer) {
    if (length < 2)
        return false;
    Prepare(word, length, length, buffer);
    Position = length - 1;
    LastSwap = -1;
    return true;
}

bool TKVSpEnSwap::Next() {
    while (Position >= 1 && Word[Position - 1] == Word[Position])
        --Position;
    if (Position < 1)
        return false;
    // Undo the previous swap wherever it was (equal pairs may have been skipped since).
    if (LastSwap >= 1) {
        Out[LastSwap - 1] = Word[LastSwap - 1];
        Out[LastSwap] = Word[LastSwap];
    }
    Out[Position - 1] = Word[Position];
    Out[Position] = Word[Position - 1];
    LastSwap = Position;
    --Position;
    return true;
}

// ---------------------------------------------------------------------------------------

bool TKVSpEnChange::Start(const char16_t* word, int32_t length, char16_t* buffer) {
    if (length <= 1 || Alphabet.empty()) {
        Position = -1;
        return false;
    }
    Prepare(word, length, length, buffer);
    Position = length - 1;
    RestartAlphabet();
    return true;
}

bool TKVSpEnChange::Next() {
    if (Position < 0)
        return false;
    for (;;) {
        char16_t letter = 0;
        if (!NextLetter(letter)) {
            Out[Position] = Word[Position];
            --Position;
            if (Position < 0 || (Position == 0 && !ChangeFirstLetter)) {
                Position = -1;
                return false;
            }
            RestartAlphabet();
            continue;
        }
        if (letter == Word[Position])
            continue;
        Out[Position] = letter;
        return true;
    }
}

// ---------------------------------------------------------------------------------------

bool TKVSpEnDelete::Start(const char16_t* word, int32_t length, char16_t* buffer) {
    if (length < 2) {
        Position = -1;
        return false;
    }
    Prepare(word, length, length - 1, buffer);
    Position = length - 1;
    return true;
}

bool TKVSpEnDelete::Next() {
    if (Position < 0)
        return false;
    if (Position < Length - 1) {
        // Dropping a letter equal to the next one repeats the previous candidate.
        while (Out[Position] == Word[Position + 1])
            if (--Position < 0)
                return false;
        Out[Position] = Word[Position + 1];
    }
    --Position;
    return true;
}

// ---------------------------------------------------------------------------------------

bool TKVSpEnInsert::Start(const char16_t* word, int32_t length, char16_t* buffer) {
    if (length <= 0 || (length == 1 && !InsertAtEnd && !InsertBeforeFirstLetter) ||
        Alphabet.empty()) {
        Position = -1;
        return false;
    }
    Prepare(word, length, length + 1, buffer);
    if (InsertAtEnd) {
        Position = length;
        FirstPass = false;
    } else {
        Position = length - 1;
        Out[length] = word[length - 1];
        FirstPass = true;
    }
    RestartAlphabet();
    return true;
}

bool TKVSpEnInsert::Next() {
    if (Position < 0)
        return false;
    for (;;) {
        char16_t letter = 0;
        if (!NextLetter(letter)) {
            --Position;
            if (Position < 0 || (Position == 0 && !InsertBeforeFirstLetter)) {
                Position = -1;
                return false;
            }
            FirstPass = false;
            Out[Position + 1] = Word[Position];
            RestartAlphabet();
            continue;
        }
        // Inserting the letter that follows gives what inserting it after that letter
        // gave already. At the end no letter follows.
        if (!FirstPass && Position < Length && letter == Word[Position])
            continue;
        Out[Position] = letter;
        return true;
    }
}

// ---------------------------------------------------------------------------------------

bool TKVSpEnAnagram::Start(const char16_t* word, int32_t length, char16_t* buffer) {
    Position = 0;
    if (length < 2)
        return false;
    Prepare(word, length, length, buffer);
    if (length == 2)
        return true;
    if (!Tail)
        Tail = std::make_unique<TKVSpEnAnagram>();
    Tail->Start(word + 1, length - 1, Out + 1);
    return true;
}

bool TKVSpEnAnagram::Next() {
    if (Position >= Length)
        return false;
    if (Length == 2) {
        Position = 2;
        if (Word[0] == Word[1])
            return false;
        Out[0] = Word[1];
        Out[1] = Word[0];
        return true;
    }
    if (Tail->Next())
        return true;
    for (;;) {
        if (++Position >= Length)
            return false;
        if (std::find(Word, Word + Position, Word[Position]) != Word + Position)
            continue; // a letter already put first
        Out[0] = Word[Position];
        Remaining.assign(Word, size_t(Position));
        Remaining.append(Word + Position + 1, size_t(Length - Position - 1));
        Tail->Start(Remaining.data(), Length - 1, Out + 1);
        return true;
    }
}
