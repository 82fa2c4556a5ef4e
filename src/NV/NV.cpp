// The workstation: Norvel's main program.
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelNVStartup.h"
#include "ZelQtDialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Norvel");
    QApplication::setOrganizationName("VRD");
    ZelSetCommandLine(argc, argv);
    ZelSetDialogs(std::make_shared<TZelQtDialogs>());
    int status = 1;
    {
        TZelNVStartup startup;
        status = startup.Run();
    }
    ZelReleaseDicList(true);
    return status;
}
