// The speller's candidate generators: each produces, one at a time, strings near a word.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TKVSpellerEngine {
public:
    virtual ~TKVSpellerEngine() = default;
    // Prepares the enumeration for a word; false when there is nothing to offer. The
    // candidates go to buffer when given, else to the engine's own.
    virtual bool Start(const char16_t* word, int32_t length, char16_t* buffer) = 0;
    // Writes the next candidate; false when there is none left.
    virtual bool Next() = 0;

    const char16_t* GetOutput() const { return Out; }
    int32_t GetOutputLength() const { return OutLength; }

protected:
    void Prepare(const char16_t* word, int32_t length, int32_t outLength, char16_t* buffer);

    int32_t Position = -1;
    const char16_t* Word = nullptr;
    int32_t Length = 0;
    std::u16string OwnBuffer;
    char16_t* Out = nullptr;
    int32_t OutLength = 0;
};

// Transposes two adjacent letters, from the end of the word to its start.
class TKVSpEnSwap : public TKVSpellerEngine {
public:
    bool Start(const char16_t* word, int32_t length, char16_t* buffer) override;
    bool Next() override;

private:
    int32_t LastSwap = -1; // the right-hand position of the previous swap
};

// The engines that try each letter of an alphabet at each position.
class TKVSpEnAlphabetic : public TKVSpellerEngine {
public:
    std::u16string Alphabet = u"abcdefghijklmnopqrstuvwxyz";

protected:
    // Starts the alphabet again at the current position.
    void RestartAlphabet() { AlphabetIndex = 0; }
    // The next letter to try at the current position; false when every letter was tried.
    bool NextLetter(char16_t& letter) {
        if (++AlphabetIndex > int32_t(Alphabet.size()))
            return false;
        letter = Alphabet[size_t(AlphabetIndex - 1)];
        return true;
    }

private:
    int32_t AlphabetIndex = 0; // 1-based: 0 is before the first letter
};

// Replaces one letter by each letter of the alphabet.
class TKVSpEnChange : public TKVSpEnAlphabetic {
public:
    bool Start(const char16_t* word, int32_t length, char16_t* buffer) override;
    bool Next() override;

    bool ChangeFirstLetter = false;
};

// Drops one letter.
class TKVSpEnDelete : public TKVSpellerEngine {
public:
    bool Start(const char16_t* word, int32_t length, char16_t* buffer) override;
    bool Next() override;
};

// Inserts one letter of the alphabet.
class TKVSpEnInsert : public TKVSpEnAlphabetic {
public:
    bool Start(const char16_t* word, int32_t length, char16_t* buffer) override;
    bool Next() override;

    bool InsertAtEnd = true;
    bool InsertBeforeFirstLetter = false;

private:
    bool FirstPass = false;
};

// Every distinct rearrangement of the letters but the word itself.
class TKVSpEnAnagram : public TKVSpellerEngine {
public:
    bool Start(const char16_t* word, int32_t length, char16_t* buffer) override;
    bool Next() override;

private:
    std::unique_ptr<TKVSpEnAnagram> Tail;
    std::u16string Remaining;
};
