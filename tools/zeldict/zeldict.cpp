// zeldict: the dictionary kit's command.
//
//   zeldict dd6 SOURCE.xml OUTDIR     compile a DD6 dictionary
//   zeldict dm4 LEXICON OUTDIR        compile a DM4 morphological dictionary
//   zeldict install NAME DESCRIPTION  register a dictionary in a hive
//   zeldict templates FOLDER          register the correspondence templates
//   zeldict uninstall NAME            remove its registration
#include "ZelCodePage.h"
#include "ZelCoverage.h"
#include "ZelDD6Compiler.h"
#include "ZelDM4Compiler.h"
#include "ZelErrors.h"
#include "ZelHelpers.h"
#include "ZelInstaller.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const Usage =
    "Usage: zeldict COMMAND ARGUMENTS\n"
    "\n"
    "Commands:\n"
    "  dd6 SOURCE.xml OUTDIR   compile a DD6 dictionary from its source\n"
    "  dm4 [--no-check] [--frequencies LIST] LEXICON OUTDIR\n"
    "                          compile a DM4 morphological dictionary from a\n"
    "                          full-form lexicon, then prove it against the\n"
    "                          lexicon (unless --no-check)\n"
    "  dm4-check LEXICON DESCRIPTION\n"
    "                          prove a compiled DM4 dictionary against a lexicon\n"
    "  install [--user] [--audio DIR] [--index DIR] NAME DESCRIPTION\n"
    "                          register a compiled dictionary under an installation\n"
    "                          name (DD6KNV1, DM4KNVIT1 ...): in the machine hive of\n"
    "                          this build or prefix, or with --user in your own\n"
    "  templates [--user] FOLDER\n"
    "                          register the correspondence templates (FOLDER/index.xml)\n"
    "  uninstall [--user] NAME remove a registration\n"
    "  coverage [--unknown N] DESCRIPTION TEXT\n"
    "                          the share of a UTF-8 text's words that a DM4\n"
    "                          dictionary recognises (and the N most frequent\n"
    "                          words it does not)\n"
    "\n"
    "The source formats are described in docs/dictionary-source.md.\n";

int CompileDD6(int argc, char** argv) {
    if (argc != 4) {
        std::fputs(Usage, stderr);
        return 2;
    }
    TZelDD6CompileReport report = ZelCompileDD6(argv[2], argv[3]);
    std::printf("%s: %d entries, %d sounds\n", report.DescriptionPath.c_str(), report.Entries,
                report.Sounds);
    return 0;
}

int CompileDM4(int argc, char** argv) {
    bool check = true;
    std::string frequencies;
    int first = 2;
    for (; first < argc; ++first) {
        std::string option = argv[first];
        if (option == "--no-check")
            check = false;
        else if (option == "--frequencies" && first + 1 < argc)
            frequencies = argv[++first];
        else
            break;
    }
    if (argc != first + 2) {
        std::fputs(Usage, stderr);
        return 2;
    }
    TZelDM4CompileReport r = ZelCompileDM4(argv[first], argv[first + 1], check, frequencies);
    std::printf("%s: %d readings of %d lemmas, %d stems, %d paradigms, %d descriptions",
                r.DescriptionPath.c_str(), r.Readings, r.Lemmas, r.Stems, r.Paradigms,
                r.Descriptions);
    if (!frequencies.empty())
        std::printf(", %d lemmas ranked", r.Ranked);
    std::printf("%s\n", check ? ", checked" : "");
    return 0;
}

int CheckDM4(int argc, char** argv) {
    if (argc != 4) {
        std::fputs(Usage, stderr);
        return 2;
    }
    ZelCheckDM4(argv[2], argv[3]);
    std::printf("%s agrees with %s\n", argv[3], argv[2]);
    return 0;
}

// The options of install and uninstall, then the plain arguments.
struct TInstallArguments {
    TZelHive Hive = TZelHive::LocalMachine;
    TZelInstallation Installation;
    std::vector<std::string> Plain;
};

bool ParseInstallArguments(int argc, char** argv, TInstallArguments& out) {
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--user")
            out.Hive = TZelHive::CurrentUser;
        else if ((a == "--audio" || a == "--index") && i + 1 < argc)
            (a == "--audio" ? out.Installation.AudioPath : out.Installation.IndexPath) = argv[++i];
        else if (a.rfind("--", 0) == 0)
            return false;
        else
            out.Plain.push_back(a);
    }
    return true;
}

int Install(int argc, char** argv) {
    TInstallArguments args;
    if (!ParseInstallArguments(argc, argv, args) || args.Plain.size() != 2) {
        std::fputs(Usage, stderr);
        return 2;
    }
    args.Installation.Name = args.Plain[0];
    args.Installation.DescriptionPath = args.Plain[1];
    ZelInstallDictionary(args.Hive, args.Installation);
    std::printf("%s installed in %s\n", args.Installation.Name.c_str(),
                ZelSettings().GetHivePath(args.Hive).c_str());
    return 0;
}

int Templates(int argc, char** argv) {
    TInstallArguments args;
    if (!ParseInstallArguments(argc, argv, args) || args.Plain.size() != 1) {
        std::fputs(Usage, stderr);
        return 2;
    }
    ZelInstallTemplates(args.Hive, args.Plain[0]);
    std::printf("templates registered in %s\n", ZelSettings().GetHivePath(args.Hive).c_str());
    return 0;
}

int Uninstall(int argc, char** argv) {
    TInstallArguments args;
    if (!ParseInstallArguments(argc, argv, args) || args.Plain.size() != 1 ||
        !args.Installation.AudioPath.empty() || !args.Installation.IndexPath.empty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    if (!ZelUninstallDictionary(args.Hive, args.Plain[0])) {
        std::fprintf(stderr, "zeldict: %s is not installed in %s\n", args.Plain[0].c_str(),
                     ZelSettings().GetHivePath(args.Hive).c_str());
        return 1;
    }
    std::printf("%s uninstalled\n", args.Plain[0].c_str());
    return 0;
}

int Coverage(int argc, char** argv) {
    int first = 2;
    long listed = 0;
    if (argc == 6 && std::string(argv[2]) == "--unknown") {
        std::optional<int32_t> number = ZelParseInt32(argv[3]);
        if (!number || *number < 0) {
            std::fprintf(stderr, "zeldict: --unknown takes a number of words, not \"%s\"\n",
                         argv[3]);
            return 2;
        }
        listed = *number;
        first = 4;
    }
    if (argc != first + 2) {
        std::fputs(Usage, stderr);
        return 2;
    }
    TZelCoverage c = ZelMeasureCoverage(argv[first], argv[first + 1]);
    std::printf("%lld of %lld words recognised (%.1f%%)\n", (long long)c.Known,
                (long long)c.WordTokens, 100.0 * c.Share());
    std::vector<std::pair<int64_t, std::u16string>> unknown;
    for (const auto& [form, count] : c.Unknown)
        unknown.emplace_back(-count, form);
    std::sort(unknown.begin(), unknown.end());
    for (size_t i = 0; i < unknown.size() && long(i) < listed; ++i)
        std::printf("%8lld %s\n", (long long)-unknown[i].first,
                    ZelWideToUtf8(unknown[i].second).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(Usage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    static const std::vector<std::pair<std::string, int (*)(int, char**)>> commands = {
        {"dd6", CompileDD6},    {"dm4", CompileDM4},      {"dm4-check", CheckDM4},
        {"install", Install},   {"templates", Templates}, {"uninstall", Uninstall},
        {"coverage", Coverage},
    };
    std::string command = argv[1];
    for (const auto& [name, run] : commands) {
        if (name != command)
            continue;
        try {
            return run(argc, argv);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "zeldict: %s\n", e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "zeldict: unknown command \"%s\"\n%s", command.c_str(), Usage);
    return 2;
}
