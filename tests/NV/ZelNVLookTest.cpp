// nvlook end to end, on the build tree's sample installation, through the real settings
// store (the user's hive in a temporary folder).
#include "ZelFiles.h"
#include "ZelSettingsStore.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <sys/wait.h>

namespace {

struct TRun {
    int Status = -1;
    std::string Out, Err;
};

// Runs nvlook with its own user hive and, when given, its own data folder (the notes).
TRun NVLook(const std::string& arguments, const std::string& dataHome = "") {
    TTempDir dir;
    std::string command = "ZEL_USER_HIVE='" + dir.File("user.reg") + "' XDG_DATA_HOME='" +
                          (dataHome.empty() ? dir.File("data") : dataHome) +
                          "' '" NVLOOK_PATH "' " + arguments + " 2>'" + dir.File("err") + "'";
    TRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.Out.append(buffer, n);
    int status = pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Err = ReadBytes(dir.File("err"));
    return run;
}

class TNVLookTest : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("ZEL_MACHINE_HIVE");
        ZelSettings().Reset();
        if (!ZelFileExists(ZelSettings().GetHivePath(TZelHive::LocalMachine)))
            GTEST_SKIP() << "the sample installation is not built";
    }
};

} // namespace

TEST_F(TNVLookTest, LooksUpTheLemmasOfATextInBothPairs) {
    TRun it = NVLook("lookup 'Le case sono belle'");
    EXPECT_EQ(it.Status, 0) << it.Err;
    EXPECT_NE(it.Out.find("── casa ── Dizionario Norvel (italiano - English)\ncasa [kˈaza] s.\n1. "
                          "house\n2. home\n"),
              std::string::npos)
        << it.Out;
    EXPECT_NE(it.Out.find("── bello ──"), std::string::npos);
    EXPECT_EQ(it.Out.find("\x1b["), std::string::npos); // not a terminal: plain text
    // Each word shows its first lemma with an entry (the commonest: the article) and names
    // the others; --all shows all.
    EXPECT_NE(it.Out.find("── il ──"), std::string::npos) << it.Out;
    EXPECT_NE(it.Out.find("also: lo, gli\n"), std::string::npos) << it.Out;
    EXPECT_EQ(it.Out.find("── lo ──"), std::string::npos) << it.Out;
    // A word in small letters is a word before it is a proper name: "un po'" is "poco".
    TRun little = NVLook("--pair it-en lookup \"un po'\"");
    EXPECT_NE(little.Out.find("── poco ──"), std::string::npos) << little.Out;
    EXPECT_NE(little.Out.find("also: Po\n"), std::string::npos) << little.Out;
    TRun all = NVLook("lookup --all 'Le case sono belle'");
    EXPECT_NE(all.Out.find("── lo ──"), std::string::npos) << all.Out;
    EXPECT_EQ(all.Out.find("also:"), std::string::npos) << all.Out;

    TRun en = NVLook("--pair en-it lookup 'The children were running'");
    EXPECT_EQ(en.Status, 0) << en.Err;
    EXPECT_NE(en.Out.find("── child ──"), std::string::npos);
    EXPECT_NE(en.Out.find("── run ──"), std::string::npos);
    // Without --pair the language is guessed from the words.
    EXPECT_NE(NVLook("lookup 'The children were running'").Out.find("── child ──"),
              std::string::npos);
    // The possessive "'s" has no entry of its own: "be" is not shown for it.
    TRun possessive = NVLook("--pair en-it lookup \"the children's names\"");
    EXPECT_NE(possessive.Out.find("── child ──"), std::string::npos) << possessive.Out;
    EXPECT_EQ(possessive.Out.find("── be ──"), std::string::npos) << possessive.Out;
}

// Without a text, lookup reads one per line (blank lines skipped) until the input ends.
TEST_F(TNVLookTest, LooksUpEveryLineOfTheInput) {
    TTempDir dir;
    WriteBytes(dir.File("in.txt"), "casa\n\n  qqqxyzzy \nlibri\n");
    TRun run = NVLook("--pair it-en lookup < '" + dir.File("in.txt") + "'");
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out.find("── casa ──"), 0u) << run.Out;
    EXPECT_NE(run.Out.find("3. household\n\n── libro ──"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Err, "nvlook: no entry for \"qqqxyzzy\"\n");
    WriteBytes(dir.File("none.txt"), "qqqxyzzy\n");
    EXPECT_EQ(NVLook("lookup - < '" + dir.File("none.txt") + "'").Status, 1);
}

TEST_F(TNVLookTest, OtherCommands) {
    TRun forms = NVLook("forms it anagram amor");
    EXPECT_EQ(forms.Status, 0);
    EXPECT_NE(forms.Out.find("\nroma\n"), std::string::npos) << forms.Out;

    TRun analyze = NVLook("analyze 'Le case.'");
    EXPECT_NE(analyze.Out.find("  case          casa [n]  sostantivo femminile plurale"),
              std::string::npos)
        << analyze.Out;

    // Numbers show as what they are, also where the analysis cut them at a separator.
    TRun numbers = NVLook("--pair it-en analyze 'Alle 8.30 del 2003 arrivarono 1.500 persone.'");
    for (const char* line :
         {"  8.30          (time)\n", "  2003          (year)\n", "  1.500         (number)\n"})
        EXPECT_NE(numbers.Out.find(line), std::string::npos) << numbers.Out;

    TRun headwords = NVLook("headwords DD6KNV1_ITEN casa");
    EXPECT_EQ(headwords.Out.substr(0, 5), "casa\n");

    TRun dicts = NVLook("dicts");
    EXPECT_NE(dicts.Out.find("DM4KNVIT1        it     Morfologia italiana"), std::string::npos);
}

TEST_F(TNVLookTest, AdvancedSearch) {
    TRun interjections = NVLook("search DD6KNV1_ENIT 'part of speech' equal interjection");
    EXPECT_EQ(interjections.Status, 0);
    EXPECT_NE(interjections.Out.find("\nhello\n"), std::string::npos) << interjections.Out;
    EXPECT_EQ(NVLook("search DD6KNV1_ENIT 3 equal 8").Out, interjections.Out);
    EXPECT_NE(NVLook("search DD6KNV1_ENIT translation words casa").Out.find("house\n"),
              std::string::npos);
    // Each field lists the operators the engine offers for it, and only those are taken.
    TRun fields = NVLook("fields DD6KNV1_ITEN");
    EXPECT_NE(fields.Out.find("3 Parte del discorso (equal)\n    1 Sostantivo\n"),
              std::string::npos)
        << fields.Out;
    EXPECT_NE(fields.Out.find("1 Lemma (begins, contains, ends, wildcards, length)\n"),
              std::string::npos)
        << fields.Out;
    EXPECT_EQ(fields.Out.find("regex"), std::string::npos);
}

TEST_F(TNVLookTest, NotesAreAddedShownAndDeleted) {
    TTempDir data;
    std::string home = data.File("share");
    EXPECT_EQ(NVLook("note show casa", home).Status, 1);
    EXPECT_EQ(NVLook("note add casa 'La mia nota'", home).Status, 0);
    TRun shown = NVLook("note show casa", home);
    EXPECT_EQ(shown.Out, "La mia nota\n");
    EXPECT_NE(NVLook("lookup casa", home)
                  .Out.find("── casa ── Annotazioni (italiano - English)\nLa mia nota\n"),
              std::string::npos);
    EXPECT_EQ(NVLook("note delete casa", home).Status, 0);
    EXPECT_EQ(NVLook("note show casa", home).Status, 1);
    TRun again = NVLook("note delete casa", home);
    EXPECT_EQ(again.Status, 1);
    EXPECT_EQ(again.Err, "nvlook: no note on \"casa\" to delete\n");

    // A note stored with another ordinal (or none), as a hand-edited file may hold it, is
    // the one deleted.
    WriteBytes(home + "/VRD/NV/1.0/ann0010_des.xml",
               "<?xml version=\"1.0\"?>\n<dicEntries>\n<dicEntry lemma=\"cane\">a dog</dicEntry>\n"
               "<dicEntry lemma=\"gatto\" lemmaOrd=\"3\">a cat</dicEntry>\n</dicEntries>\n");
    EXPECT_EQ(NVLook("--pair it-en note delete cane", home).Status, 0);
    EXPECT_EQ(NVLook("--pair it-en note delete gatto", home).Status, 0);
    EXPECT_EQ(ReadBytes(home + "/VRD/NV/1.0/ann0010_des.xml").find("dicEntry lemma"),
              std::string::npos);
}

// A note with a character beyond the Basic Multilingual Plane shows in a look-up of a
// sentence, and every word of the sentence still gets its entries.
TEST_F(TNVLookTest, NotesWithAnyCharacterShowInLookUps) {
    TTempDir data;
    std::string home = data.File("share");
    EXPECT_EQ(NVLook("--pair en-it note add bank 'smile \U0001F600'", home).Status, 0);
    TRun run = NVLook("--pair en-it lookup 'the bank is open'", home);
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("── bank ── Annotazioni (English - italiano)\nsmile \U0001F600\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("── open ──"), std::string::npos) << run.Out;
}

// A hive that cannot be read is reported with its file and line; the dictionaries of the
// other hive still work.
TEST_F(TNVLookTest, AMalformedHiveIsReported) {
    TTempDir dir;
    WriteBytes(dir.File("user.reg"), "[Software\\Zel\\Dics\\X]\n\"bad\"=dword:zz\n");
    std::string command = "ZEL_USER_HIVE='" + dir.File("user.reg") +
                          "' '" NVLOOK_PATH "' dicts 2>'" + dir.File("err") + "' >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadBytes(dir.File("err")),
              "nvlook: " + dir.File("user.reg") +
                  ":2: a dword value needs 1 to 8 hexadecimal digits\n");
}

TEST_F(TNVLookTest, JsonForScripts) {
    EXPECT_EQ(NVLook("--json forms it anagram amor").Out.substr(0, 21),
              "[\n  \"amor\",\n  \"armo\",");
    EXPECT_EQ(nlohmann::json::parse(NVLook("--json lookup casa").Out),
              nlohmann::json::parse(R"json([{"lemma": "casa", "dictionary": "DD6KNV1_ITEN",
                  "name": "Dizionario Norvel (italiano - English)", "headword": "casa",
                  "ordinal": 0, "text": "casa [kˈaza] s.\n1. house\n2. home\n3. household\n"}])json"));
    // Descriptions of several readings are one line.
    nlohmann::json analysis = nlohmann::json::parse(NVLook("--json analyze 'Le case sono.'").Out);
    EXPECT_EQ(analysis[0]["words"][1],
              nlohmann::json::parse(R"json({"form": "case", "readings": [{"lemma": "casa",
                  "category": "n", "description": "sostantivo femminile plurale"}]})json"));
    std::string sono = analysis[0]["words"][2]["readings"][0]["description"];
    EXPECT_NE(sono.find("plurale; verbo"), std::string::npos) << sono;
    EXPECT_EQ(analysis.dump().find("\\r"), std::string::npos);
    TRun none = NVLook("--json forms it anagram qqqq");
    EXPECT_EQ(none.Status, 1);
    EXPECT_EQ(none.Out, "[]\n");
}

TEST_F(TNVLookTest, ExitStatusAndErrors) {
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"lookup qqqxyzzy", 1, "nvlook: no entry for \"qqqxyzzy\"\n"},
        {"--pair en-it lookup hoise", 1,
         "nvlook: no entry for \"hoise\"; did you mean hoist, horse, house?\n"},
        // Neither morphology knows the word, so Italian is guessed: English suggests too.
        {"lookup hoise", 1, "nvlook: no entry for \"hoise\"; did you mean hoist, horse, house?\n"},
        {"--pair it-en lookup hoise", 1, "nvlook: no entry for \"hoise\"\n"},
        {"forms it anagram qqqq", 1, ""},
        {"bogus", 2, "nvlook: Unknown command \"bogus\" (see nvlook --help)\n"},
        {"forms xx anagram a", 2,
         "nvlook: Unknown language \"xx\" (it or en) (see nvlook --help)\n"},
        {"forms it anagram", 2, "nvlook: The operator anagram needs a value (see nvlook --help)\n"},
        {"headwords NOPE", 2,
         "nvlook: No dictionary \"NOPE\" (see nvlook dicts) (see nvlook --help)\n"},
        {"--pair it_en lookup casa", 2,
         "nvlook: A pair is written it-en or en-it (see nvlook --help)\n"},
        {"search DD6KNV1_ENIT nofield begins a", 2,
         "nvlook: No field \"nofield\" (see nvlook fields) (see nvlook --help)\n"},
        {"search DD6KNV1_ENIT 1 equal x", 2,
         "nvlook: The field Headword has no operator equal (see nvlook --help)\n"},
        {"search DD6KNV1_ENIT 3 equal Nope", 2,
         "nvlook: No value \"Nope\" in the field Part of speech (see nvlook --help)\n"},
        {"search DD6KNV1_ENIT 1 regex a", 2,
         "nvlook: The field Headword has no operator regex (see nvlook --help)\n"},
        // The matcher's own message, on one line.
        {"search DD6KNV1_ENIT 1 wildcards '['", 2,
         "nvlook: Error in regular expression: ^[$ — Character class not closed, ']' is "
         "missing. (see nvlook --help)\n"},
        {"lookup ''", 2,
         "nvlook: lookup needs a word or a text, not an empty one (see nvlook --help)\n"},
        {"--pair", 2, "nvlook: --pair: 1 required TEXT missing (see nvlook --help)\n"},
        // Text from the command line is never written raw to the terminal.
        // (control characters in a text looked up are blanks)
        {"lookup \"$(printf 'qq\\033[2Jzz\\nyy')\"", 1, "nvlook: no entry for \"qq [2Jzz yy\"\n"},
        {"headwords \"$(printf '\\033]0;x')\"", 2,
         "nvlook: No dictionary \"\\x1B]0;x\" (see nvlook dicts) (see nvlook --help)\n"},
        {"search DD6KNV1_ENIT translation near casa home -1", 2,
         "nvlook: The distance must be a whole number from 0 to 1000, not \"-1\" (see nvlook "
         "--help)\n"},
        {"search DD6KNV1_ENIT translation near casa home 4294967297", 2,
         "nvlook: The distance must be a whole number from 0 to 1000, not \"4294967297\" (see "
         "nvlook --help)\n"},
        {"forms it length abc", 2,
         "nvlook: A length must be a whole number from 1 to 1000, not \"abc\" (see nvlook "
         "--help)\n"},
        {"forms it begins \"$(printf '\\360\\237\\230\\200')\"", 1,
         "nvlook: The value \"\U0001F600\" holds characters no headword or form can hold\n"},
        {"forms it wildcards \"$(printf '\\360\\237\\230\\200')\"", 1,
         "nvlook: The value \"\U0001F600\" holds characters no headword or form can hold\n"},
        {"lookup < /", 2, "nvlook: The standard input is a folder, not a text\n"},
    };
    for (const auto& [arguments, status, firstLine] : cases) {
        TRun run = NVLook(arguments);
        EXPECT_EQ(run.Status, status) << arguments;
        EXPECT_EQ(run.Err, firstLine) << arguments; // one line, or none
    }
}
