// Looking up text selected in another application, on a real X display: the tests run
// under Xvfb (ctest's LookUpFromOtherApplications) with another program of our own
// (zelxclient) as the other application; the test plays the window manager by setting the
// root window's active-window property. On another platform they are skipped.
#include "ZelASTDataModule.h"
#include "ZelNVMainUnit.h"
#include "ZelRichEdit.h"
#include "ZelStartupFixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

class TAstX11Test : public TStartupTest {
protected:
    void SetUp() override {
        TStartupTest::SetUp();
        if (IsSkipped())
            return;
        if (QGuiApplication::platformName() != "xcb") {
            if (std::getenv("NORVEL_REQUIRE_X11"))
                FAIL() << "the X11 tests need the xcb platform";
            GTEST_SKIP() << "needs an X display (the xcb platform)";
        }
        Display = XOpenDisplay(nullptr);
        ASSERT_NE(Display, nullptr);
        ZelSetDesktopWindows(nullptr); // the session's: X11
        WriteLocale(9);
        ASSERT_TRUE(Start());
        Main().FindAction("ViewFreeTextAction")->trigger();
        Module = ZelASTModule();
        ASSERT_NE(Module, nullptr);
        Module->OnBeep = [this] { ++Beeps; };
        Module->Sampler()->stop(); // the test ticks
    }
    void TearDown() override {
        for (QProcess* client : Clients) {
            client->kill();
            client->waitForFinished(2000);
            delete client;
        }
        if (Display) {
            SetActiveWindow(0);
            XCloseDisplay(Display);
        }
        TStartupTest::TearDown();
    }
    TZelNVMainForm& Main() { return *Startup->MainForm(); }
    // Starts another application; its window id.
    unsigned long StartClient(const QStringList& arguments) {
        auto* client = new QProcess;
        Clients.push_back(client);
        client->start(QString::fromStdString(ZelExecutableFolder() + "/zelxclient"), arguments);
        client->waitForReadyRead(10000);
        return client->readLine().trimmed().toULong();
    }
    // What a window manager does when a window is activated.
    void SetActiveWindow(unsigned long window) {
        Window root = DefaultRootWindow(Display);
        Atom active = XInternAtom(Display, "_NET_ACTIVE_WINDOW", False);
        XChangeProperty(Display, root, active, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&window), 1);
        if (window)
            XSetInputFocus(Display, Window(window), RevertToParent, CurrentTime);
        XSync(Display, False);
        Settle();
    }
    void Settle(int milliseconds = 300) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QAction* Action() { return Module->AnalyzeSelectedTextAction(); }

    ::Display* Display = nullptr;
    TZelASTDataModule* Module = nullptr;
    std::vector<QProcess*> Clients;
    int Beeps = 0;
};

} // namespace

// The other application's selection (its primary selection) is pasted and analysed.
TEST_F(TAstX11Test, SelectionOfTheOtherApplicationIsAnalysed) {
    unsigned long editor =
        StartClient({"--title", "Lettera.txt - Editor", "--primary", "Le case sono belle."});
    ASSERT_NE(editor, 0u);
    SetActiveWindow(editor);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    Module->Tick();
    ASSERT_TRUE(Module->Remembered());
    EXPECT_EQ(Module->Remembered()->Caption, "Lettera.txt - Editor");
    ASSERT_TRUE(Action()->isEnabled());
    EXPECT_TRUE(Action()->toolTip().endsWith("(Lettera.txt - Editor)"))
        << Action()->toolTip().toStdString();
    Action()->trigger();
    Settle(1000);
    EXPECT_FALSE(Module->IsWaiting());
    EXPECT_EQ(Main().SourceEdit()->toPlainText(), "Le case sono belle.");
    EXPECT_EQ(Main().AnalysisState(), ZelStateBrowse);
}

// Without a primary selection, the copy keystroke makes the other application copy.
TEST_F(TAstX11Test, TheCopyKeystrokeMakesTheOtherApplicationCopy) {
    unsigned long editor = StartClient({"--title", "Notes", "--copy", "The cat sleeps."});
    SetActiveWindow(editor);
    Module->Tick();
    ASSERT_TRUE(Action()->isEnabled());
    Action()->trigger();
    EXPECT_TRUE(Module->IsWaiting());
    Settle(1500);
    EXPECT_FALSE(Module->IsWaiting());
    EXPECT_EQ(Main().SourceEdit()->toPlainText(), "The cat sleeps.");
}

// An application that copies nothing: the wait ends at the sixth tick, with a beep, and
// nothing is pasted; running the action while waiting does nothing more.
TEST_F(TAstX11Test, NoCopyEndsTheWaitAfterSixTicks) {
    Main().SourceEdit()->setPlainText("Il gatto.");
    unsigned long silent = StartClient({"--title", "Silent"});
    SetActiveWindow(silent);
    Module->Tick();
    ASSERT_TRUE(Action()->isEnabled());
    Action()->trigger();
    ASSERT_TRUE(Module->IsWaiting());
    Action()->trigger(); // pending: ignored
    EXPECT_TRUE(Module->IsWaiting());
    for (int tick = 1; tick <= 5; ++tick)
        Module->Tick();
    EXPECT_TRUE(Module->IsWaiting());
    EXPECT_EQ(Beeps, 0);
    Module->Tick();
    EXPECT_FALSE(Module->IsWaiting());
    EXPECT_EQ(Beeps, 1);
    EXPECT_FALSE(Action()->isChecked());
    Settle();
    EXPECT_EQ(Main().SourceEdit()->toPlainText(), "Il gatto.");
}

// The desktop and a minimised window are not offered.
TEST_F(TAstX11Test, DesktopAndMinimisedWindowsAreIgnored) {
    unsigned long desktop = StartClient({"--title", "Desktop", "--desktop"});
    SetActiveWindow(desktop);
    Module->Tick();
    EXPECT_FALSE(Module->Remembered());
    EXPECT_FALSE(Action()->isEnabled());
    EXPECT_EQ(Action()->toolTip(),
              "Command not available because no valid other application was detected");
    unsigned long minimised = StartClient({"--title", "Hidden", "--minimized"});
    SetActiveWindow(minimised);
    Module->Tick();
    ASSERT_TRUE(Module->Remembered());
    EXPECT_TRUE(Module->Remembered()->Minimized);
    EXPECT_FALSE(Action()->isEnabled());
    // Sampling off: the plain hint.
    Module->SetSampling(false);
    EXPECT_EQ(Action()->toolTip(), "Analyze selected text from other application");
}

// Where other applications' windows cannot be reached (Wayland, no display) the action
// stays disabled and its hint says why.
TEST(TAstUnavailableTest, TheHintSaysWhy) {
    class TNoDesktop : public TZelDesktopWindows {
    public:
        std::string UnavailableReason() const override { return "there is no X11 display"; }
        std::optional<TZelForeignWindow> ForegroundWindow() override { return std::nullopt; }
        bool Activate(uint64_t) override { return false; }
        void SendCopyKeystroke() override {}
    };
    std::shared_ptr<TZelDesktopWindows> previous =
        ZelSetDesktopWindows(std::make_shared<TNoDesktop>());
    {
        TZelASTDataModule module;
        module.SetSampling(true);
        EXPECT_FALSE(module.Sampler()->isActive());
        EXPECT_FALSE(module.AnalyzeSelectedTextAction()->isEnabled());
        EXPECT_EQ(module.AnalyzeSelectedTextAction()->toolTip(),
                  "Not available: there is no X11 display");
        module.AnalyzeSelectedTextAction()->trigger(); // disabled: nothing happens
        EXPECT_FALSE(module.IsWaiting());
    }
    ZelSetDesktopWindows(previous);
}
