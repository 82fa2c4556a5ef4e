// The workstation as a whole process: from starting the program to its main window's first
// idle moment on the sample installation of this build (offscreen, no splash), with the
// process's peak resident memory. Each run is a fresh process.
#include "ZelFiles.h"
#include "ZelProcess.h"
#include "ZelSettingsStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// Runs the program until it ends; its peak resident memory in megabytes, or -1.
double RunOnce(const std::string& program, const std::vector<std::string>& environment) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string name = program, ns = "-ns";
    char* argv[] = {name.data(), ns.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_NVStartToFirstIdle(benchmark::State& state) {
    std::string program = ZelExecutableFolder() + "/NV";
    if (!ZelFileExists(program) ||
        !ZelFileExists(ZelSettings().GetHivePath(TZelHive::LocalMachine))) {
        state.SkipWithError("the program or the sample installation of this build is missing");
        return;
    }
    std::string home = ZelMakeTempFolder("/tmp", "norvel-bench-");
    std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen", "NORVEL_QUIT_WHEN_IDLE=1",
                                            "ZEL_USER_HIVE=" + home + "/user.reg",
                                            "XDG_DATA_HOME=" + home + "/data"};
    double resident = 0;
    for (auto _ : state) {
        resident = RunOnce(program, environment);
        if (resident < 0) {
            state.SkipWithError("the program did not start and end cleanly");
            break;
        }
    }
    state.counters["peak_resident_MB"] = resident;
    ZelRemoveTree(home);
}
BENCHMARK(BM_NVStartToFirstIdle)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace

BENCHMARK_MAIN();
