#include "BenchData.h"

#include "ZelDD6Compiler.h"
#include "ZelFiles.h"
#include "ZelNVDics.h"
#include "ZelProcess.h"
#include "ZelSettingsStore.h"

#include <cctype>
#include <fstream>
#include <unistd.h>
#include <vector>

extern char** environ;

#include <filesystem>

namespace {

const char* const Syllables[] = {"ba", "ce", "di", "fo", "gu", "la", "me", "ni", "po", "ru",
                                 "sa", "te", "vi", "zo", "ca", "re", "mi", "no", "pa", "to",
                                 "an", "el", "in", "or", "us", "ra", "le", "si", "bo", "nu"};
constexpr uint32_t SyllableCount = sizeof Syllables / sizeof Syllables[0];

const char* const Stylesheet = R"XSL(<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text" encoding="UTF-8"/>
  <xsl:param name="dicPath"/><xsl:param name="gl"/><xsl:param name="sl"/><xsl:param name="tl"/>
  <xsl:template match="/body">{\rtf1\ansi <xsl:apply-templates select="*[not(self::view-options)]"/>}</xsl:template>
  <xsl:template match="hw">{\b <xsl:apply-templates/>} </xsl:template>
  <xsl:template match="pron"><xsl:if test="/body/view-options/phon-checked">[<xsl:apply-templates/>] </xsl:if></xsl:template>
  <xsl:template match="s">\par <xsl:value-of select="@n"/>. <xsl:apply-templates/></xsl:template>
  <xsl:template match="tr">{\*\customRef <xsl:value-of select="string-length(.)"/>}<xsl:apply-templates/>, </xsl:template>
  <xsl:template match="ex">{\i <xsl:apply-templates/>}</xsl:template>
  <xsl:template match="abbr">{\*\customAbbr <xsl:value-of select="string-length(.)"/>}<xsl:apply-templates/></xsl:template>
  <xsl:template match="em">{\highlight1 <xsl:apply-templates/>}</xsl:template>
</xsl:stylesheet>
)XSL";

const char* const Search = "[Fields]\nCount=3\n"
                           "[Info_1]\nName=Headword\nKind=S\nFields=hw\n"
                           "[Info_2]\nName=Translation\nKind=T\nFields=tr\nIsMarker=1\n"
                           "[Info_3]\nName=Example\nKind=T\nFields=ex\n";

} // namespace

double BenchResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

TBenchProgramProcess::TBenchProgramProcess(const std::string& platform)
    : Program(ZelExecutableFolder() + "/NV"), Home(ZelMakeTempFolder("/tmp", "norvel-bench-")) {
    for (char** e = environ; *e; ++e)
        Environment.emplace_back(*e);
    Environment.insert(Environment.end(),
                       {"QT_QPA_PLATFORM=" + platform, "NORVEL_QUIT_WHEN_IDLE=1",
                        "ZEL_USER_HIVE=" + Home + "/user.reg", "XDG_DATA_HOME=" + Home + "/data"});
}

TBenchProgramProcess::~TBenchProgramProcess() {
    ZelRemoveTree(Home);
}

bool TBenchProgramProcess::Available(benchmark::State& state) const {
    if (ZelFileExists(Program) && ZelFileExists(ZelSettings().GetHivePath(TZelHive::LocalMachine)))
        return true;
    state.SkipWithError("the program or the sample installation of this build is missing");
    return false;
}

pid_t TBenchProgramProcess::Spawn(const posix_spawn_file_actions_t* actions) const {
    std::vector<std::string> env = Environment;
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string name = Program, ns = "-ns";
    char* argv[] = {name.data(), ns.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, Program.c_str(), actions, nullptr, argv, envp.data()) != 0)
        return -1;
    return child;
}

std::string BenchWord(uint32_t n) {
    std::string word;
    do {
        word += Syllables[n % SyllableCount];
        n /= SyllableCount;
    } while (n);
    return word;
}

std::string BenchDD6(int entries) {
    namespace fs = std::filesystem;
    fs::path folder =
        fs::temp_directory_path() / ("norvel-bench-dd6-v2-" + std::to_string(entries));
    std::string description = (folder / "out" / "bench.dd6").string();
    if (ZelFileExists(description))
        return description;
    fs::create_directories(folder);
    ZelWriteFileAtomic((folder / "view.xsl").string(), Stylesheet);
    std::string source = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<dd6 file=\"bench\" name=\"Bench\" lustyle=\"1\" targets=\"it\">\n"
                         "<view stylesheet=\"view.xsl\"><option caption=\"Pronunciation\" "
                         "checked=\"true\" element=\"phon\" hint=\"\" image=\"1\"/></view>\n"
                         "<abbreviations><abbr short=\"fig.\" long=\"figurative\"/>"
                         "<abbr short=\"n.\" long=\"noun\"/><abbr short=\"v.\" long=\"verb\"/>"
                         "</abbreviations>\n<language code=\"en\"><search>";
    source += Search;
    source += "</search>\n";
    for (int i = 0; i < entries; ++i) {
        std::string w = BenchWord(uint32_t(i) * 7919u % uint32_t(entries));
        source += "<entry headword=\"" + w + "\"><hw>" + w + "</hw><pron>" + w +
                  "</pron><s n=\"1\"><tr>" + BenchWord(uint32_t(i) + 11) + "</tr><tr>" +
                  BenchWord(uint32_t(i) + 12) + "</tr></s><s n=\"2\"><tr>" +
                  BenchWord(uint32_t(i) + 13) + "</tr></s><ex>n. the " + w + " of the " +
                  BenchWord(uint32_t(i) + 14) + " (fig. use)</ex></entry>\n";
    }
    source += "</language></dd6>\n";
    ZelWriteFileAtomic((folder / "bench.xml").string(), source);
    return ZelCompileDD6((folder / "bench.xml").string(), (folder / "out").string())
        .DescriptionPath;
}

ZelRef<TZelDD6> BenchOpenDD6(int entries) {
    std::string description = BenchDD6(entries);
    std::string folder = ZelExtractFileDir(description) + "/";
    return ZelMakeDicNV(ZelMake<TZelDD6Master>("DD6KNV1", folder, folder, description), 9, 16);
}

void BenchFindLu(benchmark::State& state, int entries) {
    ZelRef<TZelDD6> dic = BenchOpenDD6(entries);
    ZelRef<IZelArrayCursor> cursor = dic->GetEntries();
    std::vector<ZelRef<TZelLu>> keys;
    for (uint32_t i = 0; i < 1000; ++i) {
        std::string w = BenchWord(i * 104729u % uint32_t(entries));
        keys.push_back(ZelMake<TZelLu>(dic, std::u16string(w.begin(), w.end()), -1, 0));
    }
    size_t k = 0;
    for (auto _ : state) {
        int32_t index = 0;
        benchmark::DoNotOptimize(dic->FindLu(*cursor, *keys[k], index));
        k = (k + 1) % keys.size();
    }
}

void BenchEnumFieldValues(benchmark::State& state, int entries) {
    ZelRef<TZelDD6> dic = BenchOpenDD6(entries);
    ZelRef<IZelArrayCursor> cursor = dic->GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(cursor);
    size_t characters = 0;
    TZelFieldTextEvent count = [&](int32_t, const std::u16string& text, const TZelAddRangeProc&) {
        characters += text.size();
        return false;
    };
    int32_t i = 0;
    for (auto _ : state) {
        cursor->SetIndex(i);
        dic->EnumFieldValues(*lu, {0, 1, 2}, count);
        i = (i + 1) % entries;
    }
    state.SetItemsProcessed(state.iterations());
    benchmark::DoNotOptimize(characters);
}

namespace {

struct TParadigm {
    const char* Category;
    std::vector<std::pair<const char*, const char*>> Endings; // ending, description
};

const std::vector<TParadigm>& Paradigms() {
    static const std::vector<TParadigm> paradigms = {
        {"n", {{"o", "sostantivo maschile singolare"}, {"i", "sostantivo maschile plurale"}}},
        {"n", {{"a", "sostantivo femminile singolare"}, {"e", "sostantivo femminile plurale"}}},
        {"adj",
         {{"o", "aggettivo maschile singolare"},
          {"a", "aggettivo femminile singolare"},
          {"i", "aggettivo maschile plurale"},
          {"e", "aggettivo femminile plurale"},
          {"issimo", "superlativo maschile singolare"},
          {"issima", "superlativo femminile singolare"}}},
        {"v",
         {{"are", "infinito"},
          {"o", "indicativo presente, 1a persona singolare"},
          {"i", "indicativo presente, 2a persona singolare"},
          {"a", "indicativo presente, 3a persona singolare"},
          {"iamo", "indicativo presente, 1a persona plurale"},
          {"ate", "indicativo presente, 2a persona plurale"},
          {"ano", "indicativo presente, 3a persona plurale"},
          {"avo", "indicativo imperfetto, 1a persona singolare"},
          {"avi", "indicativo imperfetto, 2a persona singolare"},
          {"ava", "indicativo imperfetto, 3a persona singolare"},
          {"erò", "indicativo futuro, 1a persona singolare"},
          {"ato", "participio passato"},
          {"ando", "gerundio"},
          {"erei", "condizionale presente, 1a persona singolare"},
          {"assi", "congiuntivo imperfetto, 1a persona singolare"},
          {"ante", "participio presente"}}},
    };
    return paradigms;
}

const TParadigm& ParadigmOf(int lemma) {
    static const int weights[] = {0, 1, 2, 3, 3, 3}; // verbs carry most forms
    return Paradigms()[size_t(weights[lemma % 6])];
}

} // namespace

std::string BenchLexicon(int lemmas) {
    namespace fs = std::filesystem;
    fs::path path =
        fs::temp_directory_path() / ("norvel-bench-lexicon-" + std::to_string(lemmas) + ".tsv");
    if (ZelFileExists(path.string()))
        return path.string();
    std::string text = "@file=benchit\n@name=Bench\n@language=it\n@lustyle=0\n";
    for (int i = 0; i < lemmas; ++i) {
        const TParadigm& p = ParadigmOf(i);
        std::string stem = BenchWord(uint32_t(i) * 7919u % uint32_t(lemmas) + 1000);
        std::string lemma = stem + p.Endings[0].first;
        for (const auto& [ending, description] : p.Endings)
            text += stem + ending + "\t" + lemma + "\t" + p.Category + "\t" + description + "\n";
    }
    ZelWriteFileAtomic(path.string(), text);
    return path.string();
}

std::u16string BenchText(int lemmas, int words) {
    std::u16string text;
    uint32_t seed = 12345;
    for (int w = 0; w < words; ++w) {
        seed = seed * 1103515245u + 12345u;
        int lemma = int((seed >> 8) % uint32_t(lemmas));
        const TParadigm& p = ParadigmOf(lemma);
        std::string stem = BenchWord(uint32_t(lemma) * 7919u % uint32_t(lemmas) + 1000);
        std::string form = stem + p.Endings[(seed >> 4) % p.Endings.size()].first;
        if (w % 12 == 0)
            form[0] = char(std::toupper(uint8_t(form[0]))); // a sentence starts
        text += std::u16string(form.begin(), form.end());
        text += (w % 12 == 11) ? u". " : (w % 5 == 4 ? u", " : u" ");
    }
    return text;
}
