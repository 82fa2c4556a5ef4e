#include "ZelProcess.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::shared_ptr<TZelProcessStarter>& Current() {
    static std::shared_ptr<TZelProcessStarter> current = std::make_shared<TZelProcessStarter>();
    return current;
}

} // namespace

void TZelProcessStarter::StartDetached(const std::string& program,
                                       const std::vector<std::string>& args,
                                       const std::string& workingFolder) {
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    // The child reports a failure to start through a pipe closed on a successful exec.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        throw EZelOSError(std::strerror(errno), errno);
    pid_t child = fork();
    if (child < 0) {
        int error = errno;
        close(report[0]);
        close(report[1]);
        throw EZelOSError(std::strerror(error), error);
    }
    if (child == 0) {
        // A grandchild that nobody waits for: the new program outlives this one.
        setsid();
        if (fork() != 0)
            _exit(0);
        if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0) {
            int error = errno;
            [[maybe_unused]] ssize_t n = write(report[1], &error, sizeof error);
            _exit(127);
        }
        execvp(program.c_str(), argv.data());
        int error = errno;
        [[maybe_unused]] ssize_t n = write(report[1], &error, sizeof error);
        _exit(127);
    }
    close(report[1]);
    int error = 0;
    ssize_t n = 0;
    do {
        n = read(report[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    waitpid(child, nullptr, 0);
    if (n == ssize_t(sizeof error))
        throw EZelOSError(ZelFormat(ZelLoadStr(TZelResId::CannotStartProgram),
                                    {program, std::string(std::strerror(error))}),
                          error);
}

TZelProcessStarter& ZelProcessStarter() {
    return *Current();
}

std::shared_ptr<TZelProcessStarter>
ZelSetProcessStarter(std::shared_ptr<TZelProcessStarter> starter) {
    auto previous = Current();
    Current() = starter ? std::move(starter) : std::make_shared<TZelProcessStarter>();
    return previous;
}

std::string ZelExecutablePath() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, size_t(n)) : std::string();
}
