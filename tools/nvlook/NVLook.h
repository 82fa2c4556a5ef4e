// nvlook's shared pieces: the options every command sees, the language pairs, the
// dictionaries and morphologies of the installation, and the output helpers (plain text
// made safe for a terminal, JSON for scripts). Each command group lives in its own file.
#pragma once

#include "ZelDic.h"
#include "ZelErrors.h"
#include "ZelExp.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

class IZelDicMorph;
class IZelSentenceItem;

namespace nvlook {

// A mistake in the command line: reported with a pointer to --help, status 2.
class TUsageError : public EZelError {
public:
    using EZelError::EZelError;
};

// A language pair: the source language's morphology and the dictionaries of the pair.
struct TPair {
    TZelLanguage Source = ZelLangItalian;
    TZelLanguage Target = ZelLangEnglish;
};

struct TOptions {
    bool PairGiven = false;
    TPair Pair;
    bool Styled = false;
    bool Json = false;
    bool AllLemmas = false; // lookup: every lemma of every word, not the first with an entry
};

using TJson = nlohmann::ordered_json;

// Prints a JSON array of the items, one item per line.
void PrintJsonArray(const std::vector<TJson>& items);

// "it" or "en" to a language; raises a usage error otherwise.
TZelLanguage LanguageOf(const std::string& code);
std::string LanguageCode(TZelLanguage language);
// "it-en" or "en-it" to a pair; raises a usage error otherwise.
TPair PairOf(const std::string& text);

std::string Utf8(const std::u16string& text);
// UTF-8 from the command line or the input, refused when it is not UTF-8.
std::u16string FromUtf8(const std::string& text);
// Text to show on a terminal: control characters (which could move the cursor, clear the
// screen or break a line in an error message) are written as visible escapes.
std::string Printable(const std::u16string& text);
std::string Printable(const std::string& utf8);
// A byte string of the system code page as UTF-8.
std::string FromSystem(const std::string& bytes);

// The installed morphology of a language; none when there is none.
ZelRef<IZelDicMorph> Morphology(TZelLanguage language);
// The morphology of a language, or an error saying none is installed.
ZelRef<IZelDicMorph> RequireMorphology(TZelLanguage language);
// Italian unless English recognises more of the text's words.
TPair GuessPair(const std::u16string& text);
TPair PairFor(const TOptions& options, const std::u16string& text);

// The dictionaries of a pair that show entries (not the morphologies), in list order.
std::vector<ZelRef<IZelDic>> EntryDictionaries(const TPair& pair);
ZelRef<IZelDic> DictionaryById(const std::string& id);
// The entry of a headword as terminal text.
std::string Rendered(IZelDic& dic, IZelLu& lu, bool styled);

bool HasLetter(const std::u16string& text);
// The readings of an item: its alternatives, or the item itself.
std::vector<ZelRef<IZelSentenceItem>> Readings(const ZelRef<IZelSentenceItem>& item);
// The first reading of an item (the item itself unless it holds alternatives).
ZelRef<IZelSentenceItem> FirstReading(const ZelRef<IZelSentenceItem>& item);

// Reads the whole of a file named on the command line ("-" for the standard input).
std::string ReadDocument(const std::string& name);
// Checks that the standard input can be read as text (not a folder).
void CheckStandardInput();

// The command-line name of one of the engine's operators ("begins" for "begins with"), and
// the operator of a name (a usage error for an unknown one).
std::string OperatorName(TZelOpKind kind);
TZelOpKind OperatorOf(const std::string& name);
// Prints headwords start .. end - 1 of the cursor; 1 when there are none.
int PrintHeadwords(const TOptions& options, IZelDic& dic, IZelArrayCursor& cursor, int32_t start,
                   int32_t end);

// The commands; each answers the exit status (0 found, 1 nothing found).
int Lookup(const TOptions& options, const std::vector<std::string>& texts, const std::string& file);
int Analyze(const TOptions& options, const std::string& text);
int Headwords(const TOptions& options, const std::string& dic, const std::string& prefix);
int Dicts(const TOptions& options);
int Fields(const TOptions& options, const std::string& dic);
int Forms(const TOptions& options, const std::string& language, const std::string& op,
          const std::vector<std::string>& values);
int Search(const TOptions& options, const std::string& dic, const std::string& field,
           const std::string& op, const std::vector<std::string>& values);
int NoteAdd(const TOptions& options, const std::string& headword, const std::string& text);
int NoteShow(const TOptions& options, const std::string& headword);
int NoteDelete(const TOptions& options, const std::string& headword);

} // namespace nvlook
