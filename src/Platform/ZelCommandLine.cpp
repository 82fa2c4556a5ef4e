#include "ZelCommandLine.h"

namespace {
std::vector<std::string>& Args() {
    static std::vector<std::string> args;
    return args;
}
} // namespace

void ZelSetCommandLine(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    ZelSetCommandLine(std::move(args));
}

void ZelSetCommandLine(std::vector<std::string> args) {
    Args() = std::move(args);
}

const std::vector<std::string>& ZelGetCommandLine() {
    return Args();
}
