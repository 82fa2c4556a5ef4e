// Turns user text into the normalised input of the morphological automaton: lower-cased
// letter runs, digit runs replaced by number tags, every other character a token of its
// own, each token followed by the separator. For every character produced it remembers the
// stretch of the user's text it came from (32-bit positions, so long texts never wrap).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TZelMorphTokenizer {
public:
    void Clear();
    void Tokenize(std::u16string_view text);

    // 0 for a text without tokens, otherwise the number of tokens plus one.
    int32_t BoundaryCount() const { return int32_t(Starts.size()); }
    // The output from the start of a token to its end (token 0 is the whole output).
    std::u16string_view Token(int32_t index) const;
    const std::u16string& Output() const { return Out; }
    int32_t TokenStart(int32_t index) const { return Starts.at(size_t(index)); }

    uint32_t SourcePos(int32_t outputIndex) const { return Map.at(size_t(outputIndex)).Pos; }
    uint32_t SourceLen(int32_t outputIndex) const { return Map.at(size_t(outputIndex)).Len; }
    // The length of the user's text covered by n output characters from start.
    uint32_t SourceSpan(int32_t start, int32_t n) const;

    char16_t Separator = u' ';

private:
    struct TSource {
        uint32_t Pos;
        uint32_t Len;
    };
    void Append(char16_t c, uint32_t pos, uint32_t len);

    std::vector<int32_t> Starts;
    std::vector<TSource> Map;
    std::u16string Out;
};

// Whether the tokenizer keeps the character in a run (a letter or a decimal digit); any
// other character but a blank is a token of its own.
bool ZelIsWordCharacter(char16_t c);

// A normalised form written as in text: the separators that tokenizing put on either side
// of a punctuation character are removed ("dell '" is "dell'", "e - mail" is "e-mail"),
// while those between two words stay ("a priori").
std::u16string ZelWrittenForm(std::u16string_view form, char16_t separator = u' ');
