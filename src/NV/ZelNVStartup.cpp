#include "ZelNVStartup.h"

#include "ZelASTDataModule.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelFiles.h"
#include "ZelFlagDataModule.h"
#include "ZelFlagHint.h"
#include "ZelInterfaceLanguage.h"
#include "ZelMainData.h"
#include "ZelNVDics.h"
#include "ZelNVMainUnit.h"
#include "ZelProcess.h"
#include "ZelQtHookSystem.h"
#include "ZelResourceModule.h"
#include "ZelSplash.h"
#include "ZelUtils.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

TZelNVStartup::TZelNVStartup()
    : ExecutablePath(ZelExecutablePath()),
      Version(
          ZelMakeModuleVersion(NORVEL_VERSION_MAJOR, NORVEL_VERSION_MINOR, NORVEL_VERSION_PATCH)) {}

TZelNVStartup::~TZelNVStartup() {
    FlagHintPtr.reset();
    MainFormPtr.reset();
    ASTModulePtr.reset();
    FlagModulePtr.reset();
    DataModulePtr.reset();
    SplashPtr.reset();
}

void TZelNVStartup::Step(const char* name) {
    if (OnStep)
        OnStep(name);
}

bool TZelNVStartup::Start() {
    Step("registries");
    ZelSetAppData(std::make_unique<TZelMainAppData>(
        ZelChangeFileExt(ZelExtractFileName(ExecutablePath), "")));
    Step("interface language");
    try {
        TZelInterfaceLanguage::Load(ZelAppData().ReadLocale(), ExecutablePath, Version);
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
        return false;
    }
    Step("language resources");
    QString flagsError =
        ZelLoadLanguageResources(QString::fromStdString(ZelExtractFileDir(ExecutablePath)));
    if (!flagsError.isEmpty())
        ZelDialogs().MessageBox("Norvel", flagsError.toStdString(), TZelMsgButtons::Ok,
                                TZelMsgIcon::Error);
    Step("builders");
    ZelRegisterNVBuilders();
    if (!IsCmdLineSwitch("ns")) {
        Step("splash");
        SplashPtr = std::make_unique<TSplashForm>(
            QString::fromStdString(ZelExtractFileDir(ExecutablePath) + "/cover.jpg"));
        SplashPtr->show();
        SplashPtr->repaint();
    }
    Step("dictionaries");
    try {
        GetDicList();
    } catch (const std::exception&) {
        return false; // the builder showed it already
    }
    Step("application");
    QApplication::setApplicationDisplayName("Norvel");
    // The help in the interface's language.
    qApp->setProperty("helpFile",
                      TZelInterfaceLanguage::Current() == 0x09 ? "nv_eng.html" : "nv_ita.html");
    Step("main data module");
    DataModulePtr = std::make_unique<TMainDataModule>();
    ZelSetDataModule(DataModulePtr.get());
    Step("flag data module");
    FlagModulePtr = std::make_unique<TZelFlagDataModule>();
    if (TZelFlagDataModule::ResourcesMissing())
        return false; // the program cannot show its languages: it ends
    ZelUseQtHookSystem();
    QApplication::setApplicationVersion(QString("%1.%2.%3")
                                            .arg(NORVEL_VERSION_MAJOR)
                                            .arg(NORVEL_VERSION_MINOR)
                                            .arg(NORVEL_VERSION_PATCH));
    qApp->setProperty("legalCopyright", "2026 Kelvar");
    qApp->setProperty(
        "comments",
        QCoreApplication::translate("TZelNVStartup", "An Italian–English dictionary workstation."));
    Step("analyse-selected-text data module");
    ASTModulePtr = std::make_unique<TZelASTDataModule>();
    Step("main window");
    MainFormPtr = std::make_unique<TZelNVMainForm>();
    connect(MainFormPtr.get(), &TZelNVMainForm::FirstIdle, this, [this] {
        Step("first idle");
        CloseSplash();
        // A test or a benchmark asks the program to say it is up, and to end.
        if (std::getenv("NORVEL_QUIT_WHEN_IDLE"))
            QuitWhenShown(5000);
    });
    MainFormPtr->show();
    MainFormPtr->ListenForCompanion(
        ZelCompanionServerName(QString::fromStdString(ZelAppData().GetSettingsKey())));
    Step("flag hint window");
    FlagHintPtr = std::make_unique<TZelFlagHintForm>();
    return true;
}

void TZelNVStartup::QuitWhenShown(int triesLeft) {
    // On a display the window is up once it is mapped and painted, which can come after the
    // first idle moment; the program waits for that (up to five seconds) before it says so.
    QWindow* window = MainFormPtr->windowHandle();
    if (window && !window->isExposed() && triesLeft > 0) {
        QTimer::singleShot(1, this, [this, triesLeft] { QuitWhenShown(triesLeft - 1); });
        return;
    }
    QApplication::processEvents(); // the paint that follows the exposure
    std::printf("Norvel is up with %d dictionaries\n", int(GetDicList()->GetCount()));
    std::fflush(stdout);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void TZelNVStartup::CloseSplash() {
    if (SplashPtr) {
        SplashPtr->close();
        SplashPtr.reset();
    }
}

int TZelNVStartup::Run() {
    if (!Start())
        return 1;
    return QApplication::exec();
}
