#include "ZelURESearch.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelRegexDfa.h"
#include "ZelRegexProgram.h"
#include "ZelResStrings.h"
#include "ZelUtils.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

TZelURESearch::TZelURESearch() = default;
TZelURESearch::~TZelURESearch() = default;

bool TZelURESearch::Matches(const char16_t* text, int32_t length) {
    if (!Program || length <= 0 || Program->Empty) {
        int32_t start, end;
        return FindFrom(text, length, 0, start, end);
    }
    if (!Dfa)
        Dfa = std::make_unique<TZelRegexDfa>(*Program);
    return Dfa->Matches(text, length, Program->CaseInsensitive);
}

void TZelURESearch::Compile(const std::u16string& pattern, uint32_t options) {
    Dfa.reset();
    Program.reset();
    Results.clear();
    Options = options;
    TZelRegexTree tree = ZelParseRegex(pattern, (options & ZelRegexCaseSensitive) == 0);
    auto program = std::make_unique<TZelRegexProgram>();
    program->CaseInsensitive = tree.CaseInsensitive;
    program->Classes = std::move(tree.Classes);
    if (tree.Root) {
        program->Empty = false;
        program->AnchorsOnly = ZelRegexConsumesNothing(*tree.Root);
        try {
            program->Generate(*tree.Root);
        } catch (const TZelRegexTooLarge&) {
            std::string text = ZelWideToUtf8(pattern);
            throw EZelError(ZelFormat(ZelLoadStr(TZelResId::RegexError), {text}) + "\r" +
                            ZelLoadStr(TZelResId::RegexInvalidRepetition));
        }
    }
    program->Emit(OpMatch);
    Program = std::move(program);
}

bool TZelURESearch::FindFrom(const char16_t* text, int32_t length, int32_t from, int32_t& start,
                             int32_t& end) {
    if (!Program || from < 0 || from > length)
        return false;
    if (length == 0 && !Program->AnchorsOnly)
        return false; // an empty text matches only a pattern of anchors
    if (Program->Empty) {
        if (from >= length)
            return false;
        start = end = from;
        return true;
    }
    return Program->Run(text, length, from, start, end);
}

bool TZelURESearch::Find(const char16_t* text, int32_t length, int32_t& start, int32_t& end) {
    Results.clear();
    if (!FindFrom(text, length, 0, start, end))
        return false;
    Results.emplace_back(start, end);
    return true;
}

bool TZelURESearch::FindText(const std::u16string& text, int32_t& start, int32_t& end) {
    return Find(text.data(), int32_t(text.size()), start, end);
}

bool TZelURESearch::FindAll(const char16_t* text, int32_t length) {
    Results.clear();
    int32_t from = 0, start = 0, end = 0;
    while (from <= length && FindFrom(text, length, from, start, end)) {
        Results.emplace_back(start, end);
        if (end > start) {
            from = end;
        } else {
            from = start;
            U16_FWD_1(text, from, length);
        }
        if (from >= length)
            break;
    }
    return !Results.empty();
}

void TZelURESearch::GetResult(int32_t index, int32_t& start, int32_t& end) const {
    const auto& r = Results.at(size_t(index));
    start = r.first;
    end = r.second;
}

// ---------------------------------------------------------------------------------------

std::u16string WildcardToRegex(const std::u16string& value, int mode, const std::u16string& keep) {
    ZEL_ASSERT(!value.empty());
    std::u16string out;
    if (mode == ZelWildcardAnchored)
        out += u'^';
    const std::u16string special = u"()+-.[]";
    for (char16_t c : value) {
        if (special.find(c) != std::u16string::npos && keep.find(c) == std::u16string::npos) {
            out += u'\\';
            out += c;
        } else if (c == u'?') {
            out += mode == ZelWildcardWord ? u"[:alpha:-]" : u".";
        } else if (c == u'*') {
            out += mode == ZelWildcardWord ? u"[:alpha:-]*" : u".*";
        } else {
            out += c;
        }
    }
    if (mode == ZelWildcardAnchored)
        out += u'$';
    return out;
}

bool ZelIsWholeWordMatch(const char16_t* text, int32_t n, int32_t start, int32_t end) {
    bool atStart = start == 0 || !IsCharOfWord(text[start]) || !IsCharOfWord(text[start - 1]);
    bool atEnd = end == n || end == 0 || !IsCharOfWord(text[end - 1]) || !IsCharOfWord(text[end]);
    return atStart && atEnd;
}
