// nvlook: the command-line front end to the engine. It opens the installed dictionaries as
// the workstation does (the installation registry of the settings store) and prints
// analyses, entries, headword lists, search results and the user's notes.
//
// Exit status: 0 something found, 1 nothing found, 2 usage or data error.
#include "NVLook.h"

#include "ZelDialogs.h"
#include "ZelLXQueryField.h"
#include "ZelNVDics.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <unistd.h>

using namespace nvlook;

namespace {

// The operators a word-form search offers, for the help text.
std::string FormOperators() {
    std::string out;
    for (TZelOpKind kind : ZelQueryFieldOperators(qkWordForm))
        out += (out.empty() ? "" : ", ") + OperatorName(kind);
    return out;
}

struct TCommandLine {
    CLI::App App{"nvlook: look words up in the installed dictionaries, from the terminal.\n"
                 "Without --pair, the language of the text is guessed from the words each\n"
                 "morphology recognises. --json prints the results as a JSON array.\n"
                 "Exit status: 0 found, 1 nothing found, 2 error.",
                 "nvlook"};
    std::string Pair;
    bool Plain = false;
    bool Json = false;

    std::vector<std::string> LookupTexts;
    std::string LookupFile;
    bool AllLemmas = false;
    std::string AnalyzeText;
    std::string Dic, Prefix, Field, Operator, Language, Headword, NoteText;
    std::vector<std::string> Values;
    std::function<int(const TOptions&)> Command;

    TCommandLine() {
        App.add_option("--pair", Pair, "the language pair: it-en or en-it");
        App.add_flag("--plain", Plain, "no bold, italics or colour on a terminal");
        App.add_flag("--json", Json, "the results as a JSON array, for scripts");
        App.require_subcommand(1);
        App.footer(
            "\nWord-form operators: " + FormOperators() +
            ".\nA search FIELD is a name or number shown by \"nvlook fields DICT\", with the "
            "operators it takes;\nnear takes VALUE VALUE2 [DISTANCE], equal a value's name "
            "or number.\n\nExamples:\n  nvlook lookup \"Le case sono belle\"\n"
            "  nvlook --pair en-it lookup children\n  nvlook forms it anagram amor\n"
            "  nvlook search DD6KNV1_ENIT translation words casa\n"
            "  nvlook note add casa \"my note\"");

        CLI::App* lookup = App.add_subcommand(
            "lookup", "the entries of each word of TEXT in the pair's dictionaries: its first "
                      "lemma that has one, its other lemmas named after them (no TEXT or -: "
                      "each line of the input)");
        lookup->add_option("TEXT", LookupTexts, "a word or a text");
        lookup->add_flag("--all", AllLemmas, "the entries of every lemma of every word");
        lookup->add_option("--file", LookupFile, "look up a whole document (- for the input)");
        lookup->callback([this] {
            Command = [this](const TOptions& o) { return Lookup(o, LookupTexts, LookupFile); };
        });

        CLI::App* analyze = App.add_subcommand(
            "analyze", "the sentences, words and readings of TEXT (-: the input)");
        analyze->add_option("TEXT", AnalyzeText, "a text, or - for the input")->required();
        analyze->callback(
            [this] { Command = [this](const TOptions& o) { return Analyze(o, AnalyzeText); }; });

        CLI::App* headwords = App.add_subcommand(
            "headwords", "20 headwords of DICT (an id of \"nvlook dicts\") from PREFIX on");
        headwords->add_option("DICT", Dic, "a dictionary id")->required();
        headwords->add_option("PREFIX", Prefix, "where the list starts");
        headwords->callback(
            [this] { Command = [this](const TOptions& o) { return Headwords(o, Dic, Prefix); }; });

        CLI::App* forms = App.add_subcommand(
            "forms", "the word forms of LANG (it, en) that satisfy OPERATOR VALUE");
        forms->add_option("LANG", Language, "it or en")->required();
        forms->add_option("OPERATOR", Operator, "an operator")->required();
        forms->add_option("VALUE", Values, "the value (palindrome and double-faced take none)");
        forms->callback([this] {
            Command = [this](const TOptions& o) { return Forms(o, Language, Operator, Values); };
        });

        CLI::App* search = App.add_subcommand(
            "search", "the headwords of DICT whose FIELD satisfies OPERATOR VALUE");
        search->add_option("DICT", Dic, "a dictionary id")->required();
        search->add_option("FIELD", Field, "a field's name or number")->required();
        search->add_option("OPERATOR", Operator, "an operator of the field")->required();
        search->add_option("VALUE", Values, "VALUE [VALUE2 [DISTANCE]]")->required();
        search->callback([this] {
            Command = [this](const TOptions& o) { return Search(o, Dic, Field, Operator, Values); };
        });

        CLI::App* fields = App.add_subcommand(
            "fields", "the query fields of DICT, with their operators and values");
        fields->add_option("DICT", Dic, "a dictionary id")->required();
        fields->callback(
            [this] { Command = [this](const TOptions& o) { return Fields(o, Dic); }; });

        CLI::App* note = App.add_subcommand("note", "your own notes, in the pair's annotations");
        note->require_subcommand(1);
        CLI::App* add = note->add_subcommand("add", "add or change the note on a headword");
        add->add_option("HEADWORD", Headword)->required();
        add->add_option("TEXT", NoteText)->required();
        add->callback([this] {
            Command = [this](const TOptions& o) { return NoteAdd(o, Headword, NoteText); };
        });
        CLI::App* show = note->add_subcommand("show", "show the note on a headword");
        show->add_option("HEADWORD", Headword)->required();
        show->callback(
            [this] { Command = [this](const TOptions& o) { return NoteShow(o, Headword); }; });
        CLI::App* remove = note->add_subcommand("delete", "delete the note on a headword");
        remove->add_option("HEADWORD", Headword)->required();
        remove->callback(
            [this] { Command = [this](const TOptions& o) { return NoteDelete(o, Headword); }; });

        CLI::App* dicts = App.add_subcommand("dicts", "the installed dictionaries");
        dicts->callback([this] { Command = [](const TOptions& o) { return Dicts(o); }; });
    }

    TOptions Options() const {
        TOptions options;
        options.Styled = isatty(STDOUT_FILENO) != 0 && !Plain && !Json;
        options.Json = Json;
        options.AllLemmas = AllLemmas;
        if (!Pair.empty()) {
            options.Pair = PairOf(Pair);
            options.PairGiven = true;
        }
        return options;
    }
};

// A message as one line on stderr: its lines joined, other control characters made
// visible.
std::string OneLine(const std::string& text) {
    std::string joined;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            joined += text[i];
            continue;
        }
        while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n'))
            ++i;
        if (i + 1 < text.size())
            joined += " — ";
    }
    return Printable(joined);
}

// The command the arguments name, checked before the parser sees it so that a misspelt
// command is called one.
void CheckCommandName(const CLI::App& app, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--pair") {
            ++i;
            continue;
        }
        if (a.empty() || a[0] == '-')
            continue;
        for (const CLI::App* sub : app.get_subcommands({}))
            if (sub->get_name() == a)
                return;
        throw TUsageError("Unknown command \"" + Printable(a) + "\"");
    }
}

// What the engine tells the user (a hive that cannot be read, a dictionary that cannot be
// opened) comes on stderr as nvlook's own one-line messages.
class TTerminalDialogs : public TZelDialogs {
public:
    void ShowException(const std::exception& e) override {
        std::fflush(stdout);
        std::fprintf(stderr, "nvlook: %s\n", OneLine(e.what()).c_str());
    }
    TZelMsgResult MessageBox(const std::string&, const std::string& text, TZelMsgButtons buttons,
                             TZelMsgIcon) override {
        std::fflush(stdout);
        std::fprintf(stderr, "nvlook: %s\n", OneLine(text).c_str());
        return buttons == TZelMsgButtons::Ok ? TZelMsgResult::Ok : TZelMsgResult::Cancel;
    }
};

} // namespace

int main(int argc, char** argv) {
    TCommandLine line;
    try {
        line.App.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::fputs(line.App.help().c_str(), stdout);
        return 0;
    } catch (const CLI::ParseError& e) {
        std::string message = e.what();
        try {
            CheckCommandName(line.App, argc, argv);
        } catch (const TUsageError& unknown) {
            message = unknown.what();
        }
        std::fprintf(stderr, "nvlook: %s (see nvlook --help)\n", OneLine(message).c_str());
        return 2;
    }
    int status = 2;
    ZelSetDialogs(std::make_shared<TTerminalDialogs>());
    try {
        TOptions options = line.Options();
        ZelRegisterNVBuilders();
        status = line.Command(options);
    } catch (const TUsageError& e) {
        std::fprintf(stderr, "nvlook: %s (see nvlook --help)\n", OneLine(e.what()).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nvlook: %s\n", OneLine(e.what()).c_str());
    }
    ZelReleaseDicList(true);
    return status;
}
