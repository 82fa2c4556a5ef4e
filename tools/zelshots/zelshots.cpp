// zelshots: takes the user guide's pictures of the workstation. It starts the program as
// NV does (the same start-up, on the installation of its build) and, once the main window
// is up, grabs the splash and the main window into PNG files of the folder given, named
// after the interface language ("splash.png", "main-en.png", "main-it.png" …). Run it
// under a display (scripts/screenshots.sh runs it under Xvfb).
//
//   zelshots FOLDER [LANGUAGE-SUFFIX]
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelNVMainUnit.h"
#include "ZelNVStartup.h"
#include "ZelProcess.h"
#include "ZelQtDialogs.h"
#include "ZelSettingsStore.h"
#include "ZelSplash.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

bool Save(QWidget& widget, const QString& path) {
    bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("Usage: zelshots FOLDER [SUFFIX]\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QString folder = QString::fromLocal8Bit(argv[1]);
    QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString("en");
    ZelSetCommandLine({"ns"});
    ZelSetDialogs(std::make_shared<TZelQtDialogs>());
    int status = 1;
    {
        TZelNVStartup startup;
        // The pictures and modules of the program beside this tool.
        startup.ExecutablePath = ZelExecutableFolder() + "/NV";
        if (startup.Start()) {
            TZelNVMainForm& main = *startup.MainForm();
            QTimer::singleShot(300, &application, [&] {
                TSplashForm splash(QString::fromStdString(ZelExecutableFolder() + "/cover.jpg"));
                splash.show();
                QApplication::processEvents();
                bool ok = Save(splash, folder + "/splash.png");
                main.LookupLine()->setText("Le case sono belle");
                main.LookUp("Le case sono belle");
                QApplication::processEvents();
                ok = Save(main, folder + "/main-" + suffix + ".png") && ok;
                status = ok ? 0 : 1;
                QApplication::quit();
            });
            QApplication::exec();
        }
    }
    ZelReleaseDicList(true);
    return status;
}
