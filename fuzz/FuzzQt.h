// What the fuzz targets that drive Qt widgets share: a check that aborts (a finding), the
// leak checker told what Qt and fontconfig keep for the process's life, and the
// application on the offscreen platform. Included by one source file per target.
#pragma once

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#define Check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "failed: %s\n", #condition);                                      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// Fontconfig keeps what it learns of each font family asked for, for the process's life.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

// The fuzzer checks every input for leaks; at exit, Qt's per-thread font caches outlive the
// storage that held them (the application object is never destroyed here), which is no
// leak of an input.
extern "C" const char* __lsan_default_options() {
    return "leak_check_at_exit=0";
}

// The application the widgets need, made once.
inline void FuzzQtApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
}
