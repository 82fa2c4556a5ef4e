// The workstation as a whole process: from starting the program to its main window's first
// idle moment on the sample installation of this build (offscreen, no splash), with the
// process's peak resident memory. Each run is a fresh process.

#include "BenchData.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>

namespace {

// Runs the program until it ends; its peak resident memory in megabytes, or -1.
double RunOnce(const TBenchProgramProcess& program) {
    pid_t child = program.Spawn(nullptr);
    if (child < 0)
        return -1;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_NVStartToFirstIdle(benchmark::State& state) {
    TBenchProgramProcess program("offscreen");
    if (!program.Available(state))
        return;
    double resident = 0;
    for (auto _ : state) {
        resident = RunOnce(program);
        if (resident < 0) {
            state.SkipWithError("the program did not start and end cleanly");
            break;
        }
    }
    state.counters["peak_resident_MB"] = resident;
}
BENCHMARK(BM_NVStartToFirstIdle)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace

BENCHMARK_MAIN();
