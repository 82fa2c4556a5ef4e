// Starting programs: a detached process (the restart of the application after a change of
// interface language or a reset of its settings, the companion program, a document opened
// with the desktop's default program). Tests install a starter that only records.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TZelProcessStarter {
public:
    virtual ~TZelProcessStarter() = default;
    // Starts program with the arguments, detached from this process (it outlives it), in
    // the working folder when one is given. Raises EZelOSError when it cannot be started.
    virtual void StartDetached(const std::string& program, const std::vector<std::string>& args,
                               const std::string& workingFolder = {});
};

TZelProcessStarter& ZelProcessStarter();
// Installs another starter (nullptr restores the real one); returns the previous one.
std::shared_ptr<TZelProcessStarter>
ZelSetProcessStarter(std::shared_ptr<TZelProcessStarter> starter);

// The path of the running executable.
std::string ZelExecutablePath();
