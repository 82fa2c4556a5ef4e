// nvlook analyze and lookup: a text cut into sentences and words, the words reduced to their
// lemmas, and the entries of the lemmas.
#include "NVLook.h"

#include "ZelAdvSpeller.h"
#include "ZelCodePage.h"
#include "ZelHelpers.h"
#include "ZelSentenceItem.h"
#include "ZelSentenceList.h"
#include "ZelTokenKind.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <set>
#include <unicode/uchar.h>
#include <unistd.h>

namespace nvlook {

namespace {

// The number of characters a text takes on a terminal line (one per code point).
size_t DisplayWidth(const std::u16string& text) {
    size_t width = 0;
    for (size_t pos = 0; pos < text.size(); ++width)
        ZelNextCodePoint(text, pos);
    return width;
}

// A sentence on one line: its line breaks and tabs as single blanks, without blanks around.
std::string SentenceLine(const std::u16string& sentence) {
    std::u16string line;
    for (char16_t c : sentence) {
        bool blank = c == u'\r' || c == u'\n' || c == u'\t' || c == u' ';
        if (!blank)
            line += c;
        else if (!line.empty() && line.back() != u' ')
            line += u' ';
    }
    while (!line.empty() && line.back() == u' ')
        line.pop_back();
    return Printable(line);
}

// A reading's descriptions (one per line of the morphology) as one line.
std::string DescriptionLine(IZelSentenceItem& reading) {
    std::string description = reading.GetDescription();
    std::string out;
    for (size_t start = 0;;) {
        size_t end = description.find('\r', start);
        out += (out.empty() ? "" : "; ") + description.substr(start, end - start);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return FromSystem(out);
}

// The category of a reading without its brackets (" [n]" is "n").
std::string CategoryName(IZelSentenceItem& reading) {
    std::string category = reading.GetCatSuffix();
    return category.size() > 2 ? category.substr(2, category.size() - 3) : category;
}

// The readings of a sentence, one line each: form, lemma and category, description.
void PrintReadings(IZelSentenceItem& sentence) {
    for (int32_t i = 0; i < sentence.GetCount(); ++i) {
        ZelRef<IZelSentenceItem> item = sentence.GetItem(i);
        std::u16string token = FirstReading(item)->GetWordForm();
        if (!HasLetter(token)) {
            // Numbers (read whole by the analysis) show as what they are; punctuation is
            // left out.
            std::string kind = ZelNumberKind(token);
            if (!kind.empty()) {
                size_t width = DisplayWidth(token);
                std::printf("  %s%s(%s)\n", Printable(token).c_str(),
                            std::string(width < 14 ? 14 - width : 1, ' ').c_str(), kind.c_str());
            }
            continue;
        }
        std::vector<ZelRef<IZelSentenceItem>> readings = Readings(item);
        for (size_t r = 0; r < readings.size(); ++r) {
            IZelSentenceItem& reading = *readings[r];
            std::u16string form = r == 0 ? reading.GetWordForm() : u"";
            size_t width = DisplayWidth(form);
            std::string line =
                "  " + Printable(form) + std::string(width < 14 ? 14 - width : 1, ' ');
            if (!reading.GetKnown()) {
                std::printf("%s(unknown)\n", line.c_str());
                continue;
            }
            std::printf("%s%s%s  %s\n", line.c_str(), Printable(reading.GetLemma()).c_str(),
                        reading.GetCatSuffix().c_str(), DescriptionLine(reading).c_str());
        }
    }
}

// The words of a sentence as JSON: form, and its readings (none when unknown).
TJson ReadingsJson(IZelSentenceItem& sentence) {
    TJson words = TJson::array();
    for (int32_t i = 0; i < sentence.GetCount(); ++i) {
        ZelRef<IZelSentenceItem> item = sentence.GetItem(i);
        ZelRef<IZelSentenceItem> first = FirstReading(item);
        if (!HasLetter(first->GetWordForm())) {
            std::u16string token = first->GetWordForm();
            std::string kind = ZelNumberKind(token);
            if (!kind.empty())
                words.push_back(
                    {{"form", Utf8(token)}, {"kind", kind}, {"readings", TJson::array()}});
            continue;
        }
        TJson readings = TJson::array();
        for (const ZelRef<IZelSentenceItem>& reading : Readings(item)) {
            if (!first->GetKnown())
                break;
            readings.push_back({{"lemma", Utf8(reading->GetLemma())},
                                {"category", CategoryName(*reading)},
                                {"description", DescriptionLine(*reading)}});
        }
        words.push_back({{"form", Utf8(first->GetWordForm())}, {"readings", readings}});
    }
    return words;
}

// Counts the words of a sentence and those the morphology knows.
void CountKnown(IZelSentenceItem& sentence, int& words, int& known) {
    for (int32_t i = 0; i < sentence.GetCount(); ++i) {
        ZelRef<IZelSentenceItem> reading = FirstReading(sentence.GetItem(i));
        if (!HasLetter(reading->GetWordForm()))
            continue;
        ++words;
        known += reading->GetKnown() ? 1 : 0;
    }
}

// The lemmas of each word of the text in order, each word's readings in their order.
std::vector<std::vector<std::u16string>> WordLemmas(IZelDicMorph& morph,
                                                    const std::u16string& text) {
    std::vector<std::vector<std::u16string>> words;
    TZelSentenceList sentences;
    sentences.SetText(text);
    for (int32_t s = 0; s < sentences.GetCount(); ++s) {
        ZelRef<IZelSentenceItem> item = morph.Analyze(sentences.GetSentenceText(s));
        for (int32_t i = 0; item && i < item->GetCount(); ++i) {
            std::vector<std::u16string> lemmas;
            std::u16string form;
            for (const auto& reading : Readings(item->GetItem(i))) {
                form = reading->GetWordForm();
                std::u16string lemma = reading->GetKnown() ? reading->GetLemma() : u"";
                if (!lemma.empty() &&
                    std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end())
                    lemmas.push_back(lemma);
            }
            // A word written in small letters means a word before a proper name ("un po'"
            // is "poco", not the river).
            if (!form.empty() && !u_isupper(form[0]))
                std::stable_partition(
                    lemmas.begin(), lemmas.end(),
                    [](const std::u16string& lemma) { return !u_isupper(lemma[0]); });
            if (!lemmas.empty())
                words.push_back(std::move(lemmas));
        }
    }
    return words;
}

// The lemmas of the text in order of appearance, each once.
std::vector<std::u16string> Lemmas(IZelDicMorph& morph, const std::u16string& text) {
    std::vector<std::u16string> lemmas;
    std::set<std::u16string> seen;
    for (const auto& word : WordLemmas(morph, text))
        for (const std::u16string& lemma : word)
            if (seen.insert(lemma).second)
                lemmas.push_back(lemma);
    return lemmas;
}

// Whether looking the word up would show an entry of the pair.
bool LeadsToEntry(const TPair& pair, IZelDicMorph& morph, const std::u16string& word) {
    std::vector<ZelRef<IZelDic>> dics = EntryDictionaries(pair);
    for (const std::u16string& lemma : Lemmas(morph, word))
        for (const ZelRef<IZelDic>& dic : dics)
            if (dic->LookupLu(lemma, lemma, -1, 0))
                return true;
    return false;
}

// Words the morphology knows that are one slip away from an unknown word (letters swapped,
// changed, dropped or added) and have an entry in the pair, at most eight, without
// repeats. Only the speller's first 200 candidates are looked at, so a long word cannot
// keep the user waiting.
std::vector<std::u16string> Suggestions(const TPair& pair, IZelDicMorph& morph,
                                        const std::u16string& word) {
    std::vector<std::u16string> out;
    ZelRef<IZelWordChecker> checker = ZelQuery<IZelWordChecker>(&morph);
    if (!checker || word.empty() || word.find(u' ') != std::u16string::npos)
        return out;
    TZelAdvSpeller holder;
    holder.SetChecker(0, checker);
    holder.SetCheckerCount(1);
    IZelSpeller& speller = holder.GetSpeller();
    const char16_t* text = nullptr;
    int32_t length = 0;
    auto size = int32_t(word.size());
    std::set<std::u16string> seen;
    int candidates = 0;
    for (uint8_t r = speller.Spell(ZelSpellStart, word.data(), size, 0, &text, &length);
         r == ZelSpellSuggestion && out.size() < 8 && ++candidates <= 200;
         r = speller.Spell(ZelSpellNext, word.data(), size, 0, &text, &length)) {
        std::u16string suggestion(text, size_t(length));
        if (seen.insert(suggestion).second && LeadsToEntry(pair, morph, suggestion))
            out.push_back(suggestion);
    }
    return out;
}

// The line that says a look-up found nothing, with suggestions from the pairs in turn
// when there are some.
void ReportNothingFound(const std::vector<TPair>& pairs, const std::u16string& text) {
    std::string line = "nvlook: no entry for \"" + Printable(text) + "\"";
    std::vector<std::u16string> near;
    for (const TPair& pair : pairs)
        if (ZelRef<IZelDicMorph> morph = Morphology(pair.Source))
            for (const std::u16string& word : Suggestions(pair, *morph, text))
                if (near.size() < 8 && std::find(near.begin(), near.end(), word) == near.end())
                    near.push_back(word);
    for (size_t i = 0; i < near.size(); ++i)
        line += (i == 0 ? "; did you mean " : ", ") + Printable(near[i]);
    std::fprintf(stderr, "%s%s\n", line.c_str(), near.empty() ? "" : "?");
}

// Whether any dictionary of the pair has an entry for the lemma.
bool HasEntry(const TPair& pair, const std::u16string& lemma) {
    for (const ZelRef<IZelDic>& dic : EntryDictionaries(pair))
        if (dic->LookupLu(lemma, lemma, -1, 0))
            return true;
    return false;
}

// What to show for each word: its first lemma that has an entry, and its other lemmas
// named after it; with --all, every lemma. Each lemma is shown once.
struct TShownLemma {
    std::u16string Lemma;
    std::vector<std::u16string> Also;
};

std::vector<TShownLemma> LemmasToShow(const TOptions& options, const TPair& pair,
                                      IZelDicMorph* morph, const std::u16string& text) {
    std::vector<TShownLemma> shown;
    if (!morph)
        return {{text, {}}}; // no analysis: the text as it is
    std::vector<std::vector<std::u16string>> words = WordLemmas(*morph, text);
    std::set<std::u16string> seen;
    for (const std::vector<std::u16string>& word : words) {
        if (options.AllLemmas) {
            for (const std::u16string& lemma : word)
                if (seen.insert(lemma).second)
                    shown.push_back({lemma, {}});
            continue;
        }
        // An ending read first (the possessive "'s" of "children's") stands for no headword:
        // the word shows nothing rather than the entries of a reading not meant ("be").
        if (!word.empty() && word.front().rfind(u"'", 0) == 0 && !HasEntry(pair, word.front()))
            continue;
        auto chosen = std::find_if(word.begin(), word.end(), [&](const std::u16string& lemma) {
            return HasEntry(pair, lemma);
        });
        if (chosen == word.end() || !seen.insert(*chosen).second)
            continue;
        TShownLemma item{*chosen, {}};
        // The others, leaving out a proper name spelt as the lemma shown ("Casa", "casa").
        auto lower = [](std::u16string text) {
            for (char16_t& c : text)
                c = char16_t(u_tolower(c));
            return text;
        };
        for (const std::u16string& other : word)
            if (lower(other) != lower(*chosen))
                item.Also.push_back(other);
        shown.push_back(std::move(item));
    }
    if (words.empty())
        shown.push_back({text, {}});
    return shown;
}

// Looks one text up and prints what it finds (after a blank line when entries were shown
// before); answers how many entries it showed.
int LookupText(const TOptions& options, const std::u16string& text, bool shownBefore) {
    TPair pair = PairFor(options, text);
    ZelRef<IZelDicMorph> morph = Morphology(pair.Source);
    int shown = 0;
    std::vector<TJson> json;
    for (const TShownLemma& item : LemmasToShow(options, pair, morph.get(), text)) {
        const std::u16string& lemma = item.Lemma;
        std::string also;
        for (const std::u16string& other : item.Also)
            also += (also.empty() ? "" : ", ") + Printable(other);
        int before = shown;
        for (const ZelRef<IZelDic>& dic : EntryDictionaries(pair)) {
            ZelRef<IZelArrayCursor> found = dic->LookupLu(lemma, lemma, -1, 0);
            if (!found)
                continue;
            ZelRef<IZelLu> lu = ZelQuery<IZelLu>(found);
            for (int32_t i = 0; i < found->GetCount(); ++i) {
                found->SetIndex(i);
                if (options.Json) {
                    TJson entry = {
                        {"lemma", Utf8(lemma)},         {"dictionary", dic->GetId()},
                        {"name", Utf8(dic->GetName())}, {"headword", Utf8(lu->GetWideText())},
                        {"ordinal", lu->GetOrdinal()},  {"text", Rendered(*dic, *lu, false)}};
                    if (!item.Also.empty()) {
                        TJson others = TJson::array();
                        for (const std::u16string& other : item.Also)
                            others.push_back(Utf8(other));
                        entry["also"] = others;
                    }
                    json.push_back(std::move(entry));
                } else {
                    std::printf("%s── %s ── %s\n", shown || shownBefore ? "\n" : "",
                                Printable(lemma).c_str(), Printable(dic->GetName()).c_str());
                    std::fputs(Rendered(*dic, *lu, options.Styled).c_str(), stdout);
                }
                ++shown;
            }
        }
        if (!options.Json && shown > before && !also.empty())
            std::printf("also: %s\n", also.c_str());
    }
    if (options.Json)
        PrintJsonArray(json);
    if (shown == 0)
        // A guessed pair may be the wrong one for an unknown word: the other one suggests too.
        ReportNothingFound(options.PairGiven ? std::vector<TPair>{pair}
                                             : std::vector<TPair>{pair, {pair.Target, pair.Source}},
                           text);
    return shown;
}

// Input text with control characters (a NUL byte, an escape) read as blanks, and without
// blanks around it.
std::u16string CleanInput(const std::string& line) {
    std::u16string text = FromUtf8(line);
    for (char16_t& c : text)
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
            c = u' ';
    auto notBlank = [](char16_t c) { return !u_isspace(c); };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notBlank));
    text.erase(std::find_if(text.rbegin(), text.rend(), notBlank).base(), text.end());
    return text;
}

// Every line of the standard input looked up in turn, with a prompt on a terminal.
int LookupLines(const TOptions& options) {
    CheckStandardInput();
    bool interactive = isatty(STDIN_FILENO) != 0;
    bool found = false;
    for (std::string line;;) {
        if (interactive) {
            std::fputs("nvlook> ", stdout);
            std::fflush(stdout);
        }
        if (!std::getline(std::cin, line))
            break;
        std::u16string text = CleanInput(line);
        if (text.empty())
            continue;
        found = LookupText(options, text, found) > 0 || found;
        std::fflush(stdout);
    }
    if (std::cin.bad())
        throw EZelError("The standard input could not be read");
    if (interactive)
        std::fputs("\n", stdout);
    return found ? 0 : 1;
}

} // namespace

int Analyze(const TOptions& options, const std::string& argument) {
    std::u16string text = FromUtf8(argument == "-" ? ReadDocument("-") : argument);
    TPair pair = PairFor(options, text);
    ZelRef<IZelDicMorph> morph = RequireMorphology(pair.Source);
    TZelSentenceList sentences;
    sentences.SetText(text);
    int words = 0, known = 0;
    std::vector<TJson> json;
    for (int32_t s = 0; s < sentences.GetCount(); ++s) {
        std::u16string sentence = sentences.GetSentenceText(s);
        ZelRef<IZelSentenceItem> item = morph->Analyze(sentence);
        if (options.Json) {
            json.push_back({{"sentence", Utf8(sentence)},
                            {"words", item ? ReadingsJson(*item) : TJson::array()}});
        } else {
            std::printf("%s\n", SentenceLine(sentence).c_str());
            if (item)
                PrintReadings(*item);
        }
        if (item)
            CountKnown(*item, words, known);
    }
    if (options.Json)
        PrintJsonArray(json);
    return known > 0 ? 0 : 1;
}

int Lookup(const TOptions& options, const std::vector<std::string>& texts,
           const std::string& file) {
    if (!file.empty()) {
        std::u16string document = FromUtf8(ReadDocument(file));
        return LookupText(options, document, false) > 0 ? 0 : 1;
    }
    if (texts.empty() || (texts.size() == 1 && texts[0] == "-"))
        return LookupLines(options);
    if (texts.size() > 1)
        throw TUsageError("lookup needs one WORD or TEXT (or none to read lines)");
    std::u16string text = CleanInput(texts[0]);
    if (text.empty())
        throw TUsageError("lookup needs a word or a text, not an empty one");
    return LookupText(options, text, false) > 0 ? 0 : 1;
}

} // namespace nvlook
