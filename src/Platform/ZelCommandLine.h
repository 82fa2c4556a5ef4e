// The command line of the running program, as handed to main.
#pragma once

#include <string>
#include <vector>

void ZelSetCommandLine(int argc, const char* const* argv);
void ZelSetCommandLine(std::vector<std::string> args);
// The arguments after the program name.
const std::vector<std::string>& ZelGetCommandLine();
