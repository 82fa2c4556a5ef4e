// A damaged installation in the running workstation: each file of the Italian side of the
// sample main dictionary in turn truncated, zeroed in its middle, or overwritten with
// random bytes. The program either stops at start with the error shown, or starts, and then
// a person's look-ups (a sentence analysed and browsed, every view rendered, the headword
// list, an advanced search) show the damage as an error once or in the view, the other
// dictionaries keep working, and nothing crashes.
#include "ZelDicRichViewUnit.h"
#include "ZelLemmaQueryUnit.h"
#include "ZelLuListUnit.h"
#include "ZelMorphTreeUnit.h"
#include "ZelNVMainUnit.h"
#include "ZelRichEdit.h"
#include "ZelStartupFixture.h"
#include "ZelViewManagerUnit.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <random>
#include <set>

namespace fs = std::filesystem;

namespace {

class TCorruptWindowTest : public TStartupTest {
protected:
    void TearDown() override {
        unsetenv("ZEL_MACHINE_HIVE");
        TStartupTest::TearDown();
    }
    TZelNVMainForm& Main() { return *Startup->MainForm(); }

    // Everything a person does first; the messages it showed.
    void UseTheWindow() {
        Main().LookUp("Le case sono belle.");
        Main().SourceEdit()->SetCaretPosition(4);
        Main().Views()->RefreshNow();
        for (TZelDicViewForm* view : Main().Views()->PageViews())
            if (!view->IsRendered())
                view->RenderNow();
        Main().FindAction("ViewLemmaListAction")->trigger();
        if (Main().GUIMode() == ZelModeLemmaList) {
            QTest::keyClicks(Main().LuList()->FindEdit(), "cas");
            Main().Views()->RefreshNow();
        }
        Main().FindAction("ViewLemmaSearchAction")->trigger();
        if (Main().GUIMode() == ZelModeLemmaSearch &&
            Main().LemmaQuery()->SearchAction()->isEnabled())
            Main().LemmaQuery()->Search();
        Main().FindAction("ViewFreeTextAction")->trigger();
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(TCorruptWindowTest, DamagedDictionaryFilesNeverCrashTheWindow) {
    WriteLocale(9);
    std::string buildHive = ZelSettings().GetHivePath(TZelHive::LocalMachine);
    fs::path sample = fs::canonical(fs::path(buildHive).parent_path().parent_path().parent_path() /
                                    "share" / "norvel");
    std::string hiveText = ReadBytes(buildHive);
    std::mt19937 random(20261211);
    int cases = 0, stopped = 0, started = 0, withMessages = 0;
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(sample / "main"))
        if (entry.path().filename().string().rfind("norvel0010", 0) == 0 ||
            entry.path().filename() == "norvel.dd6")
            files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
        for (int damage = 0; damage < 3; ++damage) {
            SCOPED_TRACE(file + " damage " + std::to_string(damage));
            TTempDir work;
            fs::path damaged = work.Path() / "main";
            fs::create_directories(damaged);
            for (const auto& entry : fs::directory_iterator(sample / "main"))
                fs::copy_file(entry.path(), damaged / entry.path().filename());
            std::string bytes = ReadBytes((damaged / file).string());
            if (damage == 0)
                bytes.resize(bytes.size() / 2);
            else if (damage == 1)
                std::fill(bytes.begin() + long(bytes.size() / 3),
                          bytes.begin() + long(2 * bytes.size() / 3), '\0');
            else
                for (char& c : bytes)
                    c = char(random());
            WriteBytes((damaged / file).string(), bytes);
            std::string hive = hiveText;
            std::string from = (sample / "main").string(), to = damaged.string();
            for (size_t at = hive.find(from); at != std::string::npos;
                 at = hive.find(from, at + to.size()))
                hive.replace(at, from.size(), to);
            ASSERT_NE(hive, hiveText); // the damaged copy is the one installed
            WriteBytes(work.File("machine.reg"), hive);
            setenv("ZEL_MACHINE_HIVE", work.File("machine.reg").c_str(), 1);
            ZelSettings().Reset();
            WriteLocale(9);
            Dialogs->Shown.clear();
            ++cases;
            if (!Start()) {
                ++stopped;
                EXPECT_FALSE(Dialogs->Shown.empty());
                Startup.reset();
                continue;
            }
            ++started;
            UseTheWindow();
            UseTheWindow(); // a second round shows nothing new
            // The morphology and the notes still work.
            ASSERT_NE(Main().Tree()->Analysis(), nullptr);
            EXPECT_GT(Main().Tree()->MorphTreeView()->topLevelItem(0)->childCount(), 3);
            EXPECT_LE(Dialogs->Shown.size(), 3u)
                << (Dialogs->Shown.empty() ? "" : Dialogs->Shown.front());
            for (const std::string& message : Dialogs->Shown)
                EXPECT_FALSE(message.empty());
            // Each error is told once, however often the damaged file is met.
            EXPECT_EQ(std::set<std::string>(Dialogs->Shown.begin(), Dialogs->Shown.end()).size(),
                      Dialogs->Shown.size());
            withMessages += !Dialogs->Shown.empty();
            if (std::getenv("NORVEL_SHOW_ERRORS") && !Dialogs->Shown.empty())
                std::printf("%s: %s\n", file.c_str(), Dialogs->Shown.front().c_str());
            Startup.reset();
        }
    std::printf("%d damaged installations: %d stopped at start with their error, %d started "
                "(%d of them told an error)\n",
                cases, stopped, started, withMessages);
}
