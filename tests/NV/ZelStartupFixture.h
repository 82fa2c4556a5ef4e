// The workstation's surroundings for a test: the build's sample installation, a user hive
// of the test's own, dialogs that record and answer, a starter that records.
#pragma once

#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelFiles.h"
#include "ZelInterfaceLanguage.h"
#include "ZelNVStartup.h"
#include "ZelProcess.h"
#include "ZelSettingsStore.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string Key = "Software\\VRD\\NV\\1.0";

// A starter that records what the program would start.
class TRecordingStarter : public TZelProcessStarter {
public:
    void StartDetached(const std::string& program, const std::vector<std::string>& args,
                       const std::string& workingFolder) override {
        std::string line = program;
        for (const auto& a : args)
            line += " " + a;
        Started.push_back(line);
        Folders.push_back(workingFolder);
    }
    std::vector<std::string> Started;
    std::vector<std::string> Folders;
};

// The program's surroundings: the sample installation of the build, a user hive of our
// own, dialogs that record and answer, a starter that records.
class TStartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ZEL_USER_HIVE", Hives.File("user.reg").c_str(), 1);
        unsetenv("ZEL_MACHINE_HIVE");
        setenv("XDG_DATA_HOME", Hives.File("data").c_str(), 1);
        ZelSettings().Reset();
        if (!ZelFileExists(ZelSettings().GetHivePath(TZelHive::LocalMachine)))
            GTEST_SKIP() << "the sample installation is not built";
        PreviousDialogs = ZelSetDialogs(Dialogs);
        PreviousStarter = ZelSetProcessStarter(Starter);
        ZelSetCommandLine(std::vector<std::string>{"-ns"});
    }
    void TearDown() override {
        Startup.reset();
        ZelSetDialogs(PreviousDialogs);
        ZelSetProcessStarter(PreviousStarter);
        TZelInterfaceLanguage::Unload();
        ZelReleaseDicList(true);
        ZelSetCommandLine(std::vector<std::string>{});
        unsetenv("ZEL_USER_HIVE");
        unsetenv("XDG_DATA_HOME");
        ZelSettings().Reset();
    }

    // Runs the start-up of the built program, recording its steps.
    bool Start() {
        ZelReleaseDicList(true);
        Startup = std::make_unique<TZelNVStartup>();
        Startup->ExecutablePath = ZelExecutableFolder() + "/NV";
        Startup->OnStep = [this](const std::string& step) { Steps.push_back(step); };
        return Startup->Start();
    }
    void WriteLocale(int32_t locale) {
        ZelSettings().OpenKey(TZelHive::CurrentUser, Key, true)->WriteInteger("Locale", locale);
    }

    TTempDir Hives;
    std::shared_ptr<TRecordingDialogs> Dialogs =
        std::make_shared<TRecordingDialogs>(TZelMsgResult::Cancel);
    std::shared_ptr<TZelDialogs> PreviousDialogs;
    std::shared_ptr<TRecordingStarter> Starter = std::make_shared<TRecordingStarter>();
    std::shared_ptr<TZelProcessStarter> PreviousStarter;
    std::unique_ptr<TZelNVStartup> Startup;
    std::vector<std::string> Steps;
};

} // namespace

// Runs a program of the build to its end while this process's events flow (the window
// under test answers it meanwhile), then lets the events it caused be handled; its exit
// code.
inline int RunWhileEventsFlow(QProcess& process, const std::string& program,
                              const QStringList& arguments) {
    process.start(QString::fromStdString(ZelExecutableFolder() + "/" + program), arguments);
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < 30000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        process.waitForFinished(5);
    }
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return process.exitCode();
}
