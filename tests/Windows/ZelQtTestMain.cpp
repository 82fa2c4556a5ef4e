// The main program of the window tests: the programs' application object on the offscreen
// platform (a real display for the X11 tests), then the tests.
#include "ZelApplication.h"

#include <gtest/gtest.h>

// The leak checker of the sanitizer builds reads the dynamic thread-local blocks of the Qt
// plug-ins wrongly and crashes at exit after several windows were built and destroyed; it
// skips thread-local storage here, so what is reachable only from there (the plug-ins'
// thread-local blocks, GLib's per-thread data under Qt's event loop) is not a leak; nor
// are the PulseAudio client's own allocations behind Qt Multimedia.
extern "C" const char* __lsan_default_options() {
    return "use_tls=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:__tls_get_addr\nleak:libglib-2.0.so\nleak:libpulse.so\nleak:libdbus-1.so\n";
}

int main(int argc, char** argv) {
    // Offscreen, unless a run on a real display asks for it (the X11 tests under Xvfb).
    if (!qEnvironmentVariableIsSet("NORVEL_REQUIRE_X11"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TZelApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
