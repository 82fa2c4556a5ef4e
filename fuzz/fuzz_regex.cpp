// Compiles arbitrary patterns and searches arbitrary text with them: compilation gives a
// matcher or a clean error, searching returns a match inside the text, and the quick
// yes/no answer agrees with the search.
#include "ZelErrors.h"
#include "ZelURESearch.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    size_t patternUnits = std::min<size_t>(data[0], (size - 1) / 2);
    std::u16string pattern, text;
    for (size_t i = 0; i < patternUnits; ++i)
        pattern += char16_t(data[1 + 2 * i] | data[2 + 2 * i] << 8);
    for (size_t i = 1 + 2 * patternUnits; i + 1 < size; i += 2)
        text += char16_t(data[i] | data[i + 1] << 8);
    TZelURESearch re;
    try {
        re.Compile(pattern, data[0] & 1 ? ZelRegexCaseSensitive : 0);
    } catch (const EZelError&) {
        return 0;
    }
    int32_t start = 0, end = 0;
    bool found = re.FindText(text, start, end);
    if (found && (start < 0 || end < start || end > int32_t(text.size())))
        std::abort();
    // The yes/no automaton must agree with the matcher that finds positions.
    if (re.Matches(text.data(), int32_t(text.size())) != found)
        std::abort();
    if (re.FindAll(text.data(), int32_t(text.size())))
        for (int32_t i = 0; i < re.GetResultCount(); ++i) {
            re.GetResult(i, start, end);
            if (start < 0 || end < start || end > int32_t(text.size()))
                std::abort();
        }
    return 0;
}
