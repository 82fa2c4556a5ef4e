// zeldict: the dictionary kit's command.
//
//   zeldict dd6 SOURCE.xml OUTDIR     compile a DD6 dictionary
#include "ZelDD6Compiler.h"
#include "ZelErrors.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const Usage = "Usage: zeldict COMMAND ARGUMENTS\n"
                          "\n"
                          "Commands:\n"
                          "  dd6 SOURCE.xml OUTDIR   compile a DD6 dictionary from its source\n"
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

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(Usage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::string command = argv[1];
    try {
        if (command == "dd6")
            return CompileDD6(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zeldict: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "zeldict: unknown command \"%s\"\n%s", command.c_str(), Usage);
    return 2;
}
