// The program up in the benchmark's process, as NV starts it, on the sample installation of
// this build, with a user hive of its own.
#pragma once

#include "ZelNVMainUnit.h"
#include "ZelNVStartup.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

struct TBenchProgram {
    QTemporaryDir Hives;
    std::unique_ptr<TZelNVStartup> Startup = std::make_unique<TZelNVStartup>();

    TBenchProgram();
    ~TBenchProgram();
    // The main window, or none when the program could not start (the benchmark skips).
    TZelNVMainForm* Start(benchmark::State& state);
};
