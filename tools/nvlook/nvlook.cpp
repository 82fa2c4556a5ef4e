// nvlook: the command-line front end to the engine. It opens the installed dictionaries as
// the workstation does (the installation registry of the settings store) and prints
// analyses, entries, headword lists and word-form search results.
//
// Exit status: 0 something found, 1 nothing found, 2 usage or data error.
#include "ZelAdvSpeller.h"
#include "ZelCodePage.h"
#include "ZelDD6Ex.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelDicRegistry.h"
#include "ZelErrors.h"
#include "ZelLXQuery.h"
#include "ZelNVDics.h"
#include "ZelRtfReader.h"
#include "ZelSentenceItem.h"
#include "ZelSentenceList.h"
#include "ZelTerminalSink.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <unicode/uchar.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const Usage =
    "Usage: nvlook [--pair it-en|en-it] [--plain] [--json] COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  lookup TEXT              analyse the text, then show the entries of every\n"
    "                           lemma from every dictionary of the language pair;\n"
    "                           without TEXT, every line read from the input\n"
    "  analyze TEXT             the sentences, words and readings of the text\n"
    "  headwords DICT [PREFIX]  20 headwords of a dictionary from the prefix on\n"
    "                           (DICT is an id shown by \"nvlook dicts\")\n"
    "  forms LANG OPERATOR VALUE\n"
    "                           every word form of the language (it, en) that\n"
    "                           satisfies the condition; operators: anagram,\n"
    "                           discard, exchange, wedge, begins, contains, ends,\n"
    "                           wildcards, length, palindrome, double-faced,\n"
    "                           consonants, vowels\n"
    "  search DICT FIELD OPERATOR VALUE [VALUE2 [DISTANCE]]\n"
    "                           advanced search: the headwords whose FIELD (a name\n"
    "                           or number shown by \"nvlook fields DICT\") satisfies\n"
    "                           the condition; operators: begins, ends, contains,\n"
    "                           contains-wildcards, wildcards, words, length, regex,\n"
    "                           near (VALUE VALUE2 [DISTANCE]), equal (a value's\n"
    "                           name or number)\n"
    "  fields DICT              the query fields of a dictionary and their values\n"
    "  note add HEADWORD TEXT | note show HEADWORD | note delete HEADWORD\n"
    "                           your own notes, in the pair's annotations\n"
    "  dicts                    the installed dictionaries\n"
    "\n"
    "Without --pair, the language of the text is guessed from the words each\n"
    "morphology recognises. --json prints the results as a JSON array.\n"
    "Exit status: 0 found, 1 nothing found, 2 error.\n";

// A language pair: the source language's morphology and the dictionaries of the pair.
struct TPair {
    TZelLanguage Source = ZelLangItalian;
    TZelLanguage Target = ZelLangEnglish;
};

struct TOptions {
    bool PairGiven = false;
    TPair Pair;
    bool Styled = isatty(STDOUT_FILENO) != 0;
    bool Json = false;
    std::vector<std::string> Arguments;
};

// Output for scripts: every command prints one JSON array of its results.
std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\')
            out += std::string("\\") + char(c);
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20)
            out +=
                "\\u00" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
        else
            out += char(c);
    }
    return out + "\"";
}

class TJsonArray {
public:
    void Add(const std::string& item) { Items.push_back(item); }
    void Print() const {
        std::string out = "[";
        for (size_t i = 0; i < Items.size(); ++i)
            out += (i ? ",\n  " : "\n  ") + Items[i];
        std::fputs((out + (Items.empty() ? "]\n" : "\n]\n")).c_str(), stdout);
    }

private:
    std::vector<std::string> Items;
};

class TUsageError : public EZelError {
public:
    using EZelError::EZelError;
};

TZelLanguage LanguageOf(const std::string& code) {
    if (code == "it")
        return ZelLangItalian;
    if (code == "en")
        return ZelLangEnglish;
    throw TUsageError("Unknown language \"" + code + "\" (it or en)");
}

TOptions ParseOptions(int argc, char** argv) {
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--pair" && i + 1 < argc) {
            std::string pair = argv[++i];
            if (pair.size() != 5 || pair[2] != '-')
                throw TUsageError("A pair is written it-en or en-it");
            options.Pair = {LanguageOf(pair.substr(0, 2)), LanguageOf(pair.substr(3))};
            options.PairGiven = true;
        } else if (a == "--plain") {
            options.Styled = false;
        } else if (a == "--json") {
            options.Json = true;
            options.Styled = false;
        } else if (a == "--help" || a == "-h") {
            options.Arguments = {"help"};
            return options;
        } else if (a.rfind("--", 0) == 0) {
            throw TUsageError("Unknown option " + a);
        } else {
            options.Arguments.push_back(a);
        }
    }
    return options;
}

ZelRef<IZelDicMorph> Morphology(TZelLanguage language) {
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = list->GetDic(i);
        ZelRef<IZelDicMorph> morph = ZelQuery<IZelDicMorph>(dic);
        if (morph && dic->GetSourceLang() == language)
            return morph;
    }
    return nullptr;
}

bool HasLetter(const std::u16string& text) {
    for (char16_t c : text)
        if (u_isalpha(c))
            return true;
    return false;
}

// The first reading of an item (the item itself unless it holds alternatives).
ZelRef<IZelSentenceItem> FirstReading(const ZelRef<IZelSentenceItem>& item) {
    return item->GetKind() == ZelItemAlternatives && item->GetCount() ? item->GetItem(0) : item;
}

// Runs a search, showing its progress on stderr when stderr is a terminal.
void RunWithProgress(TZelLXQuery& query) {
    bool progress = isatty(STDERR_FILENO) != 0;
    query.OnProgress = [progress](TZelLXQuery&, int32_t done, int32_t found, int32_t total) {
        if (progress && total > 0)
            std::fprintf(stderr, "\r%3d%%  %d found", int(100LL * done / total), found);
        return false;
    };
    query.Run();
    if (progress)
        std::fputs("\r\x1b[K", stderr);
}

// The readings of an item: its alternatives, or the item itself.
std::vector<ZelRef<IZelSentenceItem>> Readings(const ZelRef<IZelSentenceItem>& item) {
    std::vector<ZelRef<IZelSentenceItem>> readings;
    if (item->GetKind() == ZelItemAlternatives)
        for (int32_t r = 0; r < item->GetCount(); ++r)
            readings.push_back(item->GetItem(r));
    else
        readings.push_back(item);
    return readings;
}

// The words of a sentence item, and how many of them the morphology knows.
void CountKnown(IZelSentenceItem& sentence, int& words, int& known) {
    for (int32_t i = 0; i < sentence.GetCount(); ++i) {
        ZelRef<IZelSentenceItem> reading = FirstReading(sentence.GetItem(i));
        if (!HasLetter(reading->GetWordForm()))
            continue;
        ++words;
        known += reading->GetKnown() ? 1 : 0;
    }
}

// Italian unless English recognises more of the text's words.
TPair GuessPair(const std::u16string& text) {
    int best = -1;
    TPair pair;
    for (TPair candidate :
         {TPair{ZelLangItalian, ZelLangEnglish}, TPair{ZelLangEnglish, ZelLangItalian}}) {
        ZelRef<IZelDicMorph> morph = Morphology(candidate.Source);
        if (!morph)
            continue;
        int words = 0, known = 0;
        if (ZelRef<IZelSentenceItem> item = morph->Analyze(text))
            CountKnown(*item, words, known);
        if (known > best) {
            best = known;
            pair = candidate;
        }
    }
    return pair;
}

std::string Utf8(const std::u16string& text) {
    return ZelWideToUtf8(text);
}

std::string LanguageCode(TZelLanguage language) {
    return language == ZelLangItalian ? "it" : language == ZelLangEnglish ? "en" : "?";
}

// The readings of a sentence, one line each: form, lemma and category, description.
void PrintReadings(IZelSentenceItem& sentence) {
    for (int32_t i = 0; i < sentence.GetCount(); ++i) {
        ZelRef<IZelSentenceItem> item = sentence.GetItem(i);
        if (!HasLetter(FirstReading(item)->GetWordForm()))
            continue; // punctuation and numbers
        std::vector<ZelRef<IZelSentenceItem>> readings = Readings(item);
        for (size_t r = 0; r < readings.size(); ++r) {
            IZelSentenceItem& reading = *readings[r];
            std::string form = r == 0 ? Utf8(reading.GetWordForm()) : "";
            std::string line =
                "  " + form + std::string(form.size() < 14 ? 14 - form.size() : 1, ' ');
            if (!reading.GetKnown()) {
                std::printf("%s(unknown)\n", line.c_str());
                continue;
            }
            std::string description = reading.GetDescription();
            for (char& c : description)
                if (c == '\r')
                    c = ';';
            std::printf(
                "%s%s%s  %s\n", line.c_str(), Utf8(reading.GetLemma()).c_str(),
                reading.GetCatSuffix().c_str(),
                ZelWideToUtf8(ZelCodePageToWide(description, ZelGetSystemCodePage())).c_str());
        }
    }
}

// The words of a sentence as JSON: form, and its readings (none when unknown).
std::string ReadingsJson(IZelSentenceItem& sentence) {
    std::string out = "[";
    for (int32_t i = 0; i < sentence.GetCount(); ++i) {
        ZelRef<IZelSentenceItem> item = sentence.GetItem(i);
        ZelRef<IZelSentenceItem> first = FirstReading(item);
        if (!HasLetter(first->GetWordForm()))
            continue;
        std::string readings;
        for (const ZelRef<IZelSentenceItem>& reading : Readings(item)) {
            if (!first->GetKnown())
                break;
            std::string description = reading->GetDescription();
            for (size_t at; (at = description.find('\r')) != std::string::npos;)
                description.replace(at, 1, "; ");
            std::string category = reading->GetCatSuffix();
            if (category.size() > 2)
                category = category.substr(2, category.size() - 3); // " [n]" -> "n"
            readings += std::string(readings.empty() ? "" : ", ") +
                        "{\"lemma\": " + JsonString(Utf8(reading->GetLemma())) +
                        ", \"category\": " + JsonString(category) + ", \"description\": " +
                        JsonString(ZelWideToUtf8(
                            ZelCodePageToWide(reading->GetDescription(), ZelGetSystemCodePage()))) +
                        "}";
        }
        out += std::string(out.size() > 1 ? ", " : "") +
               "{\"form\": " + JsonString(Utf8(first->GetWordForm())) + ", \"readings\": [" +
               readings + "]}";
    }
    return out + "]";
}

int Analyze(const TOptions& options) {
    if (options.Arguments.size() != 2)
        throw TUsageError("analyze needs one TEXT");
    std::u16string text = ZelUtf8ToWide(options.Arguments[1]);
    TPair pair = options.PairGiven ? options.Pair : GuessPair(text);
    ZelRef<IZelDicMorph> morph = Morphology(pair.Source);
    if (!morph)
        throw EZelError("No morphology installed for " + LanguageCode(pair.Source));
    TZelSentenceList sentences;
    sentences.SetText(text);
    int words = 0, known = 0;
    TJsonArray json;
    for (int32_t s = 0; s < sentences.GetCount(); ++s) {
        std::u16string sentence = sentences.GetSentenceText(s);
        ZelRef<IZelSentenceItem> item = morph->Analyze(sentence);
        if (options.Json) {
            json.Add("{\"sentence\": " + JsonString(Utf8(sentence)) +
                     ", \"words\": " + (item ? ReadingsJson(*item) : "[]") + "}");
        } else {
            std::printf("%s\n", Utf8(sentence).c_str());
            if (item)
                PrintReadings(*item);
        }
        if (item)
            CountKnown(*item, words, known);
    }
    if (options.Json)
        json.Print();
    return known > 0 ? 0 : 1;
}

// The lemmas of the text in order of appearance, each once.
std::vector<std::u16string> Lemmas(IZelDicMorph& morph, const std::u16string& text) {
    std::vector<std::u16string> lemmas;
    std::set<std::u16string> seen;
    TZelSentenceList sentences;
    sentences.SetText(text);
    for (int32_t s = 0; s < sentences.GetCount(); ++s) {
        ZelRef<IZelSentenceItem> item = morph.Analyze(sentences.GetSentenceText(s));
        for (int32_t i = 0; item && i < item->GetCount(); ++i) {
            for (const auto& reading : Readings(item->GetItem(i))) {
                std::u16string lemma = reading->GetKnown() ? reading->GetLemma() : u"";
                if (!lemma.empty() && seen.insert(lemma).second)
                    lemmas.push_back(lemma);
            }
        }
    }
    return lemmas;
}

std::vector<ZelRef<IZelDic>> EntryDictionaries(const TPair& pair) {
    ZelRef<TZelInterfaceList> list = ZelMake<TZelInterfaceList>();
    CollectDics(pair.Source, pair.Target, *list, IZelDic::IID);
    std::vector<ZelRef<IZelDic>> dics;
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = ZelQuery<IZelDic>(list->Get(i));
        if (dic && !ZelQuery<IZelDicMorph>(dic) && dic->HasLuList())
            dics.push_back(dic);
    }
    return dics;
}

std::string Rendered(IZelDic& dic, IZelLu& lu, bool styled) {
    TZelTerminalSink sink(styled);
    ZelReadRtf(dic.GetEntryRtf(lu, 0), ZelGetSystemCodePage(), sink);
    return sink.Result();
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
    std::string line = "nvlook: no entry for \"" + Utf8(text) + "\"";
    std::vector<std::u16string> near;
    for (const TPair& pair : pairs)
        if (ZelRef<IZelDicMorph> morph = Morphology(pair.Source))
            for (const std::u16string& word : Suggestions(pair, *morph, text))
                if (near.size() < 8 && std::find(near.begin(), near.end(), word) == near.end())
                    near.push_back(word);
    for (size_t i = 0; i < near.size(); ++i)
        line += (i == 0 ? "; did you mean " : ", ") + Utf8(near[i]);
    std::fprintf(stderr, "%s%s\n", line.c_str(), near.empty() ? "" : "?");
}

// Looks one text up and prints what it finds (after a blank line when entries were shown
// before); answers how many entries it showed.
int LookupText(const TOptions& options, const std::u16string& text, bool shownBefore = false) {
    TPair pair = options.PairGiven ? options.Pair : GuessPair(text);
    ZelRef<IZelDicMorph> morph = Morphology(pair.Source);
    std::vector<std::u16string> lemmas =
        morph ? Lemmas(*morph, text) : std::vector<std::u16string>{};
    if (lemmas.empty())
        lemmas.push_back(text); // no analysis: look the text up as it is
    int shown = 0;
    TJsonArray json;
    for (const std::u16string& lemma : lemmas)
        for (const ZelRef<IZelDic>& dic : EntryDictionaries(pair)) {
            ZelRef<IZelArrayCursor> found = dic->LookupLu(lemma, lemma, -1, 0);
            if (!found)
                continue;
            ZelRef<IZelLu> lu = ZelQuery<IZelLu>(found);
            for (int32_t i = 0; i < found->GetCount(); ++i) {
                found->SetIndex(i);
                if (options.Json) {
                    json.Add("{\"lemma\": " + JsonString(Utf8(lemma)) +
                             ", \"dictionary\": " + JsonString(dic->GetId()) +
                             ", \"name\": " + JsonString(Utf8(dic->GetName())) +
                             ", \"headword\": " + JsonString(Utf8(lu->GetWideText())) +
                             ", \"ordinal\": " + std::to_string(lu->GetOrdinal()) +
                             ", \"text\": " + JsonString(Rendered(*dic, *lu, false)) + "}");
                } else {
                    std::printf("%s── %s ── %s\n", shown || shownBefore ? "\n" : "",
                                Utf8(lemma).c_str(), Utf8(dic->GetName()).c_str());
                    std::fputs(Rendered(*dic, *lu, options.Styled).c_str(), stdout);
                }
                ++shown;
            }
        }
    if (options.Json)
        json.Print();
    if (shown == 0)
        // A guessed pair may be the wrong one for an unknown word: the other one suggests too.
        ReportNothingFound(options.PairGiven ? std::vector<TPair>{pair}
                                             : std::vector<TPair>{pair, {pair.Target, pair.Source}},
                           text);
    return shown;
}

// Looks up the text given, or with none (or "-") every line of the standard input, with a
// prompt when it is a terminal.
int Lookup(const TOptions& options) {
    if (options.Arguments.size() > 2)
        throw TUsageError("lookup needs one WORD or TEXT (or none to read lines)");
    if (options.Arguments.size() == 2 && options.Arguments[1] != "-")
        return LookupText(options, ZelUtf8ToWide(options.Arguments[1])) > 0 ? 0 : 1;
    bool interactive = isatty(STDIN_FILENO) != 0;
    bool found = false;
    for (std::string line;;) {
        if (interactive) {
            std::fputs("nvlook> ", stdout);
            std::fflush(stdout);
        }
        if (!std::getline(std::cin, line))
            break;
        std::u16string text = ZelUtf8ToWide(line);
        auto notBlank = [](char16_t c) { return !u_isspace(c); };
        text.erase(text.begin(), std::find_if(text.begin(), text.end(), notBlank));
        text.erase(std::find_if(text.rbegin(), text.rend(), notBlank).base(), text.end());
        if (text.empty())
            continue;
        found = LookupText(options, text, found) > 0 || found;
        std::fflush(stdout);
    }
    if (interactive)
        std::fputs("\n", stdout);
    return found ? 0 : 1;
}

ZelRef<IZelDic> DictionaryById(const std::string& id) {
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i)
        if (list->GetDic(i)->GetId() == id)
            return list->GetDic(i);
    throw TUsageError("No dictionary \"" + id + "\" (see nvlook dicts)");
}

// One headword of a list: plain "text [ordinal]" or a JSON object.
void PrintHeadword(IZelDic& dic, IZelLu& lu, const TOptions& options, TJsonArray& json) {
    bool numbered = dic.GetLuStyle() == ZelLuStyleOrdinal;
    if (options.Json) {
        json.Add("{\"headword\": " + JsonString(Utf8(lu.GetWideText())) +
                 (numbered ? ", \"ordinal\": " + std::to_string(lu.GetOrdinal()) : "") + "}");
        return;
    }
    std::string line = Utf8(lu.GetWideText());
    if (numbered && lu.GetOrdinal() > 1)
        line += " " + std::to_string(lu.GetOrdinal());
    std::printf("%s\n", line.c_str());
}

int Headwords(const TOptions& options) {
    if (options.Arguments.size() < 2 || options.Arguments.size() > 3)
        throw TUsageError("headwords needs DICT and optionally PREFIX");
    ZelRef<IZelDic> dic = DictionaryById(options.Arguments[1]);
    ZelRef<IZelArrayCursor> entries = dic->GetEntries();
    if (!entries)
        return 1;
    int32_t start = 0;
    if (options.Arguments.size() == 3) {
        ZelRef<TZelLu> key =
            ZelMake<TZelLu>(dic, ZelUtf8ToWide(options.Arguments[2]), -1, uint8_t(0));
        dic->FindLu(*entries, *key, start);
    }
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    int32_t end = std::min(entries->GetCount(), start + 20);
    TJsonArray json;
    for (int32_t i = start; i < end; ++i) {
        entries->SetIndex(i);
        PrintHeadword(*dic, *lu, options, json);
    }
    if (options.Json)
        json.Print();
    return end > start ? 0 : 1;
}

TZelOpKind OperatorOf(const std::string& name) {
    static const std::map<std::string, TZelOpKind> names = {
        {"anagram", okAnagramOf},
        {"discard", okDiscardOf},
        {"exchange", okExchangeOf},
        {"wedge", okWedgeOf},
        {"begins", okBeginsWith},
        {"contains", okContains},
        {"ends", okEndsWith},
        {"wildcards", okWildcards},
        {"length", okLengthIs},
        {"palindrome", okIsPalindrome},
        {"double-faced", okIsDoubleFaced},
        {"consonants", okContainsTheOnlyConsonants},
        {"vowels", okContainsTheOnlyVowels}};
    auto found = names.find(name);
    if (found == names.end())
        throw TUsageError("Unknown operator \"" + name + "\"");
    return found->second;
}

int Forms(const TOptions& options) {
    if (options.Arguments.size() < 3 || options.Arguments.size() > 4)
        throw TUsageError("forms needs LANG, OPERATOR and (for most operators) VALUE");
    TZelLanguage language = LanguageOf(options.Arguments[1]);
    ZelRef<IZelDicMorph> morph = Morphology(language);
    if (!morph)
        throw EZelError("No morphology installed for " + options.Arguments[1]);
    ZelRef<TZelWordFormQuery> query = ZelMake<TZelWordFormQuery>();
    query->SetDic(ZelQuery<IZelDic>(morph));
    TZelLXQueryItemData& item = query->GetFieldData(0).Item(0);
    item.Operator = OperatorOf(options.Arguments[2]);
    if (options.Arguments.size() == 4)
        item.Arg1 = ZelWideToCodePage(ZelUtf8ToWide(options.Arguments[3]), ZelGetSystemCodePage());
    if (query->IsEmpty())
        throw TUsageError("The operator " + options.Arguments[2] + " needs a value");
    RunWithProgress(*query);
    ZelRef<IZelArrayCursor> result = query->GetResult();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(result);
    TJsonArray json;
    for (int32_t i = 0; i < result->GetCount(); ++i) {
        result->SetIndex(i);
        if (options.Json)
            json.Add(JsonString(Utf8(lu->GetWideText())));
        else
            std::printf("%s\n", Utf8(lu->GetWideText()).c_str());
    }
    if (options.Json)
        json.Print();
    return result->GetCount() > 0 ? 0 : 1;
}

TZelOpKind LemmaOperatorOf(const std::string& name) {
    static const std::map<std::string, TZelOpKind> names = {
        {"begins", okBeginsWith},   {"ends", okEndsWith},
        {"contains", okContains},   {"contains-wildcards", okContainsWildcards},
        {"wildcards", okWildcards}, {"words", okWholeWords},
        {"length", okLengthIs},     {"regex", okRE},
        {"near", okNear},           {"equal", okEqInt}};
    auto found = names.find(name);
    if (found == names.end())
        throw TUsageError("Unknown operator \"" + name + "\"");
    return found->second;
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A field by its 1-based number or its name (any case).
int32_t FieldIndex(TZelLemmaQuery& query, const std::string& field) {
    for (int32_t i = 0; i < query.GetFieldCount(); ++i)
        if (Lower(query.GetFieldData(i).GetField().Name) == Lower(field) ||
            std::to_string(i + 1) == field)
            return i;
    throw TUsageError("No field \"" + field + "\" (see nvlook fields)");
}

// The 1-based position of a value given by name or number.
std::string ValuePosition(TZelLXQueryField& field, const std::string& value) {
    if (const TZelQueryValues* values = field.GetValues())
        for (size_t v = 0; v < values->Names.size(); ++v)
            if (Lower(values->Names[v]) == Lower(value) || std::to_string(v + 1) == value)
                return std::to_string(v + 1);
    throw TUsageError("No value \"" + value + "\" in the field " + field.Name);
}

int Fields(const TOptions& options) {
    if (options.Arguments.size() != 2)
        throw TUsageError("fields needs DICT");
    ZelRef<IZelDic> dic = DictionaryById(options.Arguments[1]);
    TZelLXQueryFields* fields = dic->GetQueryFields();
    TJsonArray json;
    for (int32_t i = 0; fields && i < fields->GetCount(); ++i) {
        TZelLXQueryField& field = fields->Get(i);
        const TZelQueryValues* values = field.GetValues();
        if (options.Json) {
            std::string names;
            for (size_t v = 0; values && v < values->Names.size(); ++v)
                names += (v ? ", " : "") + JsonString(values->Names[v]);
            json.Add("{\"number\": " + std::to_string(i + 1) +
                     ", \"name\": " + JsonString(field.Name) + ", \"values\": [" + names + "]}");
            continue;
        }
        std::printf("%d %s\n", i + 1, field.Name.c_str());
        for (size_t v = 0; values && v < values->Names.size(); ++v)
            std::printf("    %zu %s\n", v + 1, values->Names[v].c_str());
    }
    if (options.Json)
        json.Print();
    return fields && fields->GetCount() > 0 ? 0 : 1;
}

int Search(const TOptions& options) {
    const std::vector<std::string>& a = options.Arguments;
    if (a.size() < 5 || a.size() > 7)
        throw TUsageError("search needs DICT FIELD OPERATOR VALUE");
    ZelRef<IZelDic> dic = DictionaryById(a[1]);
    ZelRef<TZelLemmaQuery> query = ZelMake<TZelLemmaQuery>();
    query->SetDic(dic);
    TZelLXQueryItemsData& data = query->GetFieldData(FieldIndex(*query, a[2]));
    TZelLXQueryItemData& item = data.Item(0);
    item.Operator = LemmaOperatorOf(a[3]);
    const auto& allowed = ZelQueryFieldOperators(data.GetField().Kind);
    if (std::find(allowed.begin(), allowed.end(), item.Operator) == allowed.end())
        throw TUsageError("The field " + data.GetField().Name + " has no operator " + a[3]);
    int cp = ZelGetSystemCodePage();
    item.Arg1 = item.Operator == okEqInt ? ValuePosition(data.GetField(), a[4])
                                         : ZelWideToCodePage(ZelUtf8ToWide(a[4]), cp);
    if (a.size() >= 6)
        item.Arg2 = ZelWideToCodePage(ZelUtf8ToWide(a[5]), cp);
    if (a.size() == 7)
        item.NearDistance = int32_t(std::strtol(a[6].c_str(), nullptr, 10));
    if (query->IsEmpty())
        throw TUsageError("The condition is empty or not valid");
    RunWithProgress(*query);
    ZelRef<IZelArrayCursor> result = query->GetResult();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(result);
    TJsonArray json;
    for (int32_t i = 0; i < result->GetCount(); ++i) {
        result->SetIndex(i);
        PrintHeadword(*dic, *lu, options, json);
    }
    if (options.Json)
        json.Print();
    return result->GetCount() > 0 ? 0 : 1;
}

// The annotations of the pair (the text's language guessed unless --pair is given).
ZelRef<IZelDic> Annotations(const TOptions& options, const std::u16string& headword) {
    TPair pair = options.PairGiven ? options.Pair : GuessPair(headword);
    for (const ZelRef<IZelDic>& dic : EntryDictionaries(pair))
        if (ZelQuery<IZelDicEditable>(dic))
            return dic;
    throw EZelError("No annotations dictionary installed for " + LanguageCode(pair.Source) + "-" +
                    LanguageCode(pair.Target));
}

int Note(const TOptions& options) {
    const std::vector<std::string>& a = options.Arguments;
    if (a.size() < 3)
        throw TUsageError("note needs add, show or delete and a HEADWORD");
    std::u16string headword = ZelUtf8ToWide(a[2]);
    ZelRef<IZelDic> dic = Annotations(options, headword);
    ZelRef<IZelDicEditable> editable = ZelQuery<IZelDicEditable>(dic);
    if (a[1] == "add" && a.size() == 4) {
        ZelRef<IZelArrayCursor> at = editable->FindOrAddLu(headword, 1, 0);
        if (!at)
            throw TUsageError("A note needs a headword");
        at->SetIndex(0);
        ZelQuery<IZelDD6ExEntryText>(at)->SetEntryText(ZelUtf8ToWide(a[3]));
        editable->SaveChanges();
        return 0;
    }
    if (a[1] == "show" && a.size() == 3) {
        ZelRef<IZelArrayCursor> found = dic->LookupLu(headword, headword, -1, 0);
        if (!found || found->GetCount() == 0)
            return 1;
        found->SetIndex(0);
        std::string note = Rendered(*dic, *ZelQuery<IZelLu>(found), options.Styled);
        if (options.Json) {
            TJsonArray json;
            json.Add("{\"headword\": " + JsonString(a[2]) +
                     ", \"note\": " + JsonString(note.substr(0, note.size() - 1)) + "}");
            json.Print();
        } else {
            std::fputs(note.c_str(), stdout);
        }
        return 0;
    }
    if (a[1] == "delete" && a.size() == 3) {
        ZelRef<IZelArrayCursor> found = dic->LookupLu(headword, headword, -1, 0);
        if (!found || found->GetCount() == 0)
            return 1;
        editable->DeleteLu(headword, 1, 0);
        editable->SaveChanges();
        return 0;
    }
    throw TUsageError("note add HEADWORD TEXT, note show HEADWORD or note delete HEADWORD");
}

int Dicts(const TOptions& options) {
    ZelRef<IZelDicList> list = GetDicList();
    TJsonArray json;
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = list->GetDic(i);
        std::string languages = LanguageCode(dic->GetSourceLang());
        if (dic->IsBilingual()) {
            languages += '-';
            languages += LanguageCode(dic->GetTargetLang());
        }
        if (options.Json)
            json.Add("{\"id\": " + JsonString(dic->GetId()) +
                     ", \"languages\": " + JsonString(languages) +
                     ", \"name\": " + JsonString(Utf8(dic->GetName())) + "}");
        else
            std::printf("%-16s %-6s %s\n", dic->GetId().c_str(), languages.c_str(),
                        Utf8(dic->GetName()).c_str());
    }
    if (options.Json)
        json.Print();
    return list->GetCount() > 0 ? 0 : 1;
}

int Run(const TOptions& options) {
    const std::vector<std::string>& a = options.Arguments;
    if (a.empty())
        throw TUsageError("No command");
    if (a[0] == "help") {
        std::fputs(Usage, stdout);
        return 0;
    }
    ZelRegisterNVBuilders();
    if (a[0] == "lookup")
        return Lookup(options);
    if (a[0] == "analyze")
        return Analyze(options);
    if (a[0] == "headwords")
        return Headwords(options);
    if (a[0] == "forms")
        return Forms(options);
    if (a[0] == "dicts")
        return Dicts(options);
    if (a[0] == "search")
        return Search(options);
    if (a[0] == "fields")
        return Fields(options);
    if (a[0] == "note")
        return Note(options);
    throw TUsageError("Unknown command \"" + a[0] + "\"");
}

} // namespace

int main(int argc, char** argv) {
    int status = 2;
    try {
        status = Run(ParseOptions(argc, argv));
    } catch (const TUsageError& e) {
        std::fprintf(stderr, "nvlook: %s (see nvlook --help)\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nvlook: %s\n", e.what());
    }
    ZelReleaseDicList(true);
    return status;
}
