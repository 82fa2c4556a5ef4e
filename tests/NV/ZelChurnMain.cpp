// nv_churn: the workstation with changes always pending, for the kill-loop test. It starts
// as NV does (offscreen, no splash) and then, every few milliseconds, zooms the text in or
// out, writes the window's and the program's settings, and writes a new version of the
// note on "gatto"; it prints "churning" once it has begun and runs until it is killed.
#include "ZelApplication.h"
#include "ZelChooseLemmaUnit.h"
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelFiles.h"
#include "ZelMainData.h"
#include "ZelNVMainUnit.h"
#include "ZelNVStartup.h"
#include "ZelProcess.h"

#include <QAction>
#include <QTimer>

#include <cstdio>

namespace {

// Errors go to standard error: the test reads them there.
class TPrintingDialogs : public TZelDialogs {
public:
    void ShowException(const std::exception& e) override {
        std::fprintf(stderr, "error: %s\n", e.what());
    }
    TZelMsgResult MessageBox(const std::string&, const std::string& text, TZelMsgButtons,
                             TZelMsgIcon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return TZelMsgResult::Ok;
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TZelApplication application(argc, argv);
    ZelSetCommandLine(std::vector<std::string>{"-ns"});
    ZelSetDialogs(std::make_shared<TPrintingDialogs>());
    ZelSetChooseLemmaRunner([](TZelChooseLemmaForm&) { return true; });
    TZelNVStartup startup;
    startup.ExecutablePath = ZelExecutableFolder() + "/NV";
    if (!startup.Start())
        return 1;
    TZelNVMainForm& main = *startup.MainForm();
    main.LookUp("gatto");
    int version = 0;
    main.OnEditAnnotation = [&version](const QString&) {
        return QString("version %1 of the note").arg(version);
    };
    QTimer churn;
    QObject::connect(&churn, &QTimer::timeout, [&] {
        ++version;
        main.FindAction(version % 2 ? "ViewZoomInAction" : "ViewZoomOutAction")->trigger();
        main.SaveAllSettings();
        startup.DataModule()->SaveSettingsNow();
        main.FindAction("EditInsertAnnotationAction")->trigger();
        if (version == 3) {
            std::printf("churning\n");
            std::fflush(stdout);
        }
    });
    churn.start(2);
    return QApplication::exec();
}
