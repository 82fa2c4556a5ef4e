#include "BenchProgram.h"

#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelInterfaceLanguage.h"
#include "ZelProcess.h"
#include "ZelQtDialogs.h"

#include <QApplication>

TBenchProgram::TBenchProgram() {
    qputenv("ZEL_USER_HIVE", Hives.filePath("user.reg").toLocal8Bit());
    qputenv("XDG_DATA_HOME", Hives.filePath("data").toLocal8Bit());
    ZelSetCommandLine(std::vector<std::string>{"-ns"});
    ZelSetDialogs(std::make_shared<TZelQtDialogs>());
    Startup->ExecutablePath = ZelExecutableFolder() + "/NV";
}

TBenchProgram::~TBenchProgram() {
    Startup.reset();
    TZelInterfaceLanguage::Unload();
    ZelReleaseDicList(true);
}

TZelNVMainForm* TBenchProgram::Start(benchmark::State& state) {
    if (!Startup->Start()) {
        state.SkipWithError("the sample installation of this build is missing");
        return nullptr;
    }
    QApplication::processEvents();
    return Startup->MainForm();
}
