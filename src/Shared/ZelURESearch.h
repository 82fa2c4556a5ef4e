// Regular expressions over UTF-16 text, in the dialect the searches use (named classes,
// numbered character properties, repetition ranges, case folding), found leftmost-longest.
//
// The matcher simulates the pattern's automaton on all paths at once (a Pike machine),
// carrying each path's start: the time is linear in the text for every pattern, so no
// pattern a user types, like (a|a)*b or (a*)*, can make a search hang.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Compilation options.
enum : uint32_t { ZelRegexCaseSensitive = 1, ZelRegexWholeWord = 8 };

// A character class: code-point ranges, character properties (by number, see the
// dialect), negation.
struct TZelRegexClass {
    std::vector<std::pair<char32_t, char32_t>> Ranges;
    uint64_t Properties = 0;
    bool Negated = false;
    bool Contains(char32_t c) const;
};

// The parsed pattern.
struct TZelRegexNode {
    enum TKind { Empty, Class, Any, LineStart, LineEnd, Concat, Alternation, Repeat } Kind = Empty;
    int32_t ClassIndex = -1;
    std::vector<std::unique_ptr<TZelRegexNode>> Children;
    int32_t Min = 0, Max = -1; // repetition; Max -1 for no bound
};

struct TZelRegexTree {
    std::unique_ptr<TZelRegexNode> Root; // nullptr for the empty pattern
    std::vector<TZelRegexClass> Classes;
    bool CaseInsensitive = false;
};

// Parses a pattern; raises EZelError "Error in regular expression: PATTERN\rREASON".
TZelRegexTree ZelParseRegex(const std::u16string& pattern, bool caseInsensitive);

// Whether a character is a line separator: LF, CR, U+2028, U+2029.
bool ZelIsLineSeparator(char32_t c);
// The first code point of the character's lower-case mapping.
char32_t ZelRegexLower(char32_t c);

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
    struct TProgram;
    struct TDfa;
    std::unique_ptr<TProgram> Program;
    std::unique_ptr<TDfa> Dfa;
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
