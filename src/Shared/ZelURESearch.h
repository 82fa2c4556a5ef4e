// Regular expressions over UTF-16 text, in the dialect the searches use (named classes,
// numbered character properties, repetition ranges, case folding), found leftmost-longest.
//
// The matcher simulates the pattern's automaton on all paths at once (a Pike machine),
// carrying each path's start: the time is linear in the text for every pattern, so no
// pattern a user types, like (a|a)*b or (a*)*, can make a search hang.
#pragma once

#include "ZelRegexParser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Compilation options.
enum : uint32_t { ZelRegexCaseSensitive = 1, ZelRegexWholeWord = 8 };

struct TZelRegexProgram;
class TZelRegexDfa;

class TZelURESearch {
public:
    TZelURESearch();
    ~TZelURESearch();

    // Compiles a pattern (an empty one compiles to nothing, without error).
    void Compile(const std::u16string& pattern, uint32_t options);
    uint32_t GetOptions() const { return Options; }

    // Whether the first length characters hold a match (what Find answers, without the
    // positions): a lazily built deterministic automaton, a few table look-ups a character.
    bool Matches(const char16_t* text, int32_t length);
    // The leftmost-longest match in the first length characters.
    bool Find(const char16_t* text, int32_t length, int32_t& start, int32_t& end);
    // The same, starting no earlier than from; anchors still see the whole text.
    bool FindFrom(const char16_t* text, int32_t length, int32_t from, int32_t& start, int32_t& end);
    // Every match, searching again after each one (one character further after an empty
    // one).
    bool FindAll(const char16_t* text, int32_t length);
    bool FindText(const std::u16string& text, int32_t& start, int32_t& end);

    int32_t GetResultCount() const { return int32_t(Results.size()); }
    void GetResult(int32_t index, int32_t& start, int32_t& end) const;

private:
    std::unique_ptr<TZelRegexProgram> Program;
    std::unique_ptr<TZelRegexDfa> Dfa;
    uint32_t Options = 0;
    std::vector<std::pair<int32_t, int32_t>> Results;
};

// Wildcard modes: anywhere in the text, the whole text, or with the wildcards standing for
// letters only.
enum : int { ZelWildcardSubstring = 0, ZelWildcardAnchored = 1, ZelWildcardWord = 2 };

// Translates a wildcard value ("*", "?") into a pattern; the characters of keep pass
// through unescaped.
std::u16string WildcardToRegex(const std::u16string& value, int mode, const std::u16string& keep);

// Whether the match [start, end) of a text of length n stands as a whole word.
bool ZelIsWholeWordMatch(const char16_t* text, int32_t n, int32_t start, int32_t end);
