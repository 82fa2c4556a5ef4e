// The workstation: Norvel's main program.
#include "ZelApplication.h"
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelNVMainUnit.h"
#include "ZelNVStartup.h"
#include "ZelQtDialogs.h"
#include "ZelQtSoundPlayer.h"

#include <QApplication>
#include <QStatusBar>

int main(int argc, char** argv) {
    TZelApplication application(argc, argv);
    QApplication::setApplicationName("Norvel");
    QApplication::setOrganizationName("VRD");
    ZelSetCommandLine(argc, argv);
    ZelSetDialogs(std::make_shared<TZelQtDialogs>());
    auto sounds = std::make_shared<TZelQtSoundPlayer>();
    ZelSetSoundPlayer(sounds);
    int status = 1;
    {
        TZelNVStartup startup;
        sounds->OnReport = [&startup](const QString& message) {
            if (TZelNVMainForm* main = startup.MainForm())
                main->statusBar()->showMessage(message, 10000);
        };
        status = startup.Run();
        sounds->OnReport = nullptr;
    }
    ZelSetSoundPlayer(nullptr);
    ZelReleaseDicList(true);
    return status;
}
