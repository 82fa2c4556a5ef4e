#include "BenchQt.h"

#include "ZelDic.h"
#include "ZelNVDics.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int BenchQtMain(int argc, char** argv, const char* platform) {
    qputenv("QT_QPA_PLATFORM", platform);
    QApplication application(argc, argv);
    ZelRegisterNVBuilders();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ZelReleaseDicList(true);
    return 0;
}
