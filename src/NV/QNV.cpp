// Quick Norvel, the companion of the workstation: a small look-up window that stays on
// top. It reads the interface language from its own key (Software\VRD\QNV\1.0, "Locale")
// and uses the dictionaries Norvel has installed.
//
//   QNV                                  the window
//   QNV --lookup WORD [--pair en-it] [--send]
//                                        looks WORD up, prints the entry shown, hands the
//                                        word to the main window with --send, and ends
//                                        (exit status 0 found, 1 not found or not sent)
#include "ZelApplication.h"
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelFiles.h"
#include "ZelFlagDataModule.h"
#include "ZelInterfaceLanguage.h"
#include "ZelMainData.h"
#include "ZelNVDics.h"
#include "ZelProcess.h"
#include "ZelQNVUnit.h"
#include "ZelQtDialogs.h"
#include "ZelResourceModule.h"

#include <QApplication>
#include <QLineEdit>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    TZelApplication application(argc, argv);
    QApplication::setApplicationName("Quick Norvel");
    QApplication::setApplicationDisplayName("Quick Norvel");
    QApplication::setOrganizationName("VRD");
    ZelSetCommandLine(argc, argv);
    ZelSetDialogs(std::make_shared<TZelQtDialogs>());
    std::string executable = ZelExecutablePath();
    ZelSetAppData(std::make_unique<TZelMainAppData>("QNV"));
    std::string folder = ZelExtractFileDir(executable);
    try {
        // The same interface module as the main program's.
        TZelInterfaceLanguage::Load(
            ZelAppData().ReadLocale(), folder + "/NV",
            ZelMakeModuleVersion(NORVEL_VERSION_MAJOR, NORVEL_VERSION_MINOR, NORVEL_VERSION_PATCH));
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
        return 1;
    }
    ZelLoadLanguageResources(QString::fromStdString(folder));
    ZelRegisterNVBuilders();
    try {
        GetDicList();
    } catch (const std::exception&) {
        return 1; // the builder showed it already
    }
    int status = 0;
    {
        TZelQNVForm form;
        QStringList arguments = QApplication::arguments();
        qsizetype lookup = arguments.indexOf("--lookup");
        if (lookup > 0 && lookup + 1 < arguments.size()) {
            if (arguments.contains("--pair") &&
                arguments.value(arguments.indexOf("--pair") + 1) == "en-it")
                form.SetPair(ZelLangEnglish, ZelLangItalian);
            QString word = arguments[lookup + 1];
            form.WordEdit()->setText(word);
            bool found = form.LookUp(word);
            QString shown = form.ShownText().remove(QChar::ObjectReplacementCharacter);
            std::printf("%s\n", qPrintable(shown.trimmed()));
            bool sent = !arguments.contains("--send") || form.SendToMainWindow(word);
            if (!sent)
                std::fprintf(stderr, "QNV: Norvel's main window is not running\n");
            status = found && sent ? 0 : 1;
        } else {
            form.show();
            status = QApplication::exec();
        }
    }
    TZelInterfaceLanguage::Unload();
    ZelReleaseDicList(true);
    return status;
}
