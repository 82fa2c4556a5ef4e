// Norvel's main window on the sample installation: the first start, the two language
// buttons, the hidden actions, the named views, Insert Annotation, the correspondence
// templates and the companion launcher.
#include "ZelChooseLemmaUnit.h"
#include "ZelDicViewPageUnit.h"
#include "ZelErrors.h"
#include "ZelGradient.h"
#include "ZelLuListUnit.h"
#include "ZelMainData.h"
#include "ZelNVMainUnit.h"
#include "ZelRichEdit.h"
#include "ZelStartupFixture.h"
#include "ZelViewManagerUnit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QThread>
#include <QToolBar>
#include <QToolButton>

#include <random>

namespace {

class TNVMainTest : public TStartupTest {
protected:
    TZelNVMainForm& Main() { return *Startup->MainForm(); }
    // A machine hive of the test's own: the sample installation's, with the templates'
    // folder changed to one holding the index given.
    void UseTemplatesIndex(const std::string& index) {
        std::string hive = Hives.File("machine.reg");
        std::string text = ZelReadWholeFile(ZelSettings().GetHivePath(TZelHive::LocalMachine));
        ZelWriteFileAtomic(hive, text);
        setenv("ZEL_MACHINE_HIVE", hive.c_str(), 1);
        ZelSettings().Reset();
        std::string folder = Hives.File("templates") + "/";
        ZelCreateFolders(folder);
        ZelWriteFileAtomic(folder + "index.xml", index);
        ZelSettings().Change(TZelHive::LocalMachine, [&](TZelSettingsBatch& batch) {
            batch.WriteString("Software\\Zel\\Dics\\TypKNV1", "", folder);
        });
    }
    void TearDown() override {
        unsetenv("ZEL_MACHINE_HIVE");
        TStartupTest::TearDown();
    }
    // The text of the page view at a position of the views, rendered.
    QString PageText(int position) {
        Main().Views()->RefreshNow();
        auto* page = dynamic_cast<TZelDicViewPageForm*>(Main().Views()->PageViews()[position]);
        if (!page->IsRendered())
            page->RenderNow();
        return page->PageEdit()->toPlainText();
    }
};

} // namespace

// A first start opens on the headword list; the next start opens in the mode left.
TEST_F(TNVMainTest, FirstStartOnTheHeadwordListThenTheModeLeft) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main().GUIMode(), ZelModeLemmaList);
    EXPECT_TRUE(Main().LuList()->isVisible());
    Main().FindAction("ViewFreeTextAction")->trigger();
    Main().SaveAllSettings();
    Startup.reset();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main().GUIMode(), ZelModeFreeText);
}

// Two large buttons choose the source language; the language menus are hidden, and so are
// the settings window and the empty list of dictionaries.
TEST_F(TNVMainTest, LanguageButtonsAndHiddenActions) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    ASSERT_NE(Main().LanguageButton(0), nullptr);
    ASSERT_NE(Main().LanguageButton(1), nullptr);
    // The language list's order: English, then Italian.
    QToolButton* english = Main().LanguageButton(0);
    QToolButton* italian = Main().LanguageButton(1);
    EXPECT_EQ(english->text(), "English");
    EXPECT_EQ(italian->text(), "Italiano");
    EXPECT_TRUE(italian->isChecked());
    english->click();
    EXPECT_EQ(Main().SourceLanguage(), ZelLangEnglish);
    EXPECT_EQ(Main().TargetLanguage(), ZelLangItalian);
    EXPECT_TRUE(english->isChecked());
    EXPECT_FALSE(italian->isChecked());
    Main().SetLanguagePair(ZelLangItalian, ZelLangEnglish);
    EXPECT_TRUE(italian->isChecked());
    EXPECT_FALSE(Main().findChild<QToolBar*>("TargetLanguageToolBar")->isVisibleTo(&Main()));
    EXPECT_FALSE(Main().findChild<QToolBar*>("SourceLanguageToolBar")->isVisibleTo(&Main()));
    EXPECT_FALSE(Main().TargetLanguageMenu()->menuAction()->isVisible());
    EXPECT_FALSE(Main().FindAction("OptionsSettingsAction")->isVisible());
    EXPECT_FALSE(Main().FindAction("ViewAvailableDictionariesAction")->isVisible());
    EXPECT_EQ(Main().FindAction("ToolsRunQuickAnswerAction")->text(), "Quick Norvel");
    EXPECT_EQ(Main().LuList()->ShowMultiwordsAction()->text(), "Show Phrasal Verbs");
}

// The four views: named, the notes in selection mode with hypertext locked.
TEST_F(TNVMainTest, TheFourNamedViews) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Main().LookUp("casa");
    const auto& views = Main().Views()->PageViews();
    ASSERT_EQ(views.size(), 4u);
    QStringList names;
    for (TZelDicViewForm* view : views)
        names << view->windowTitle();
    EXPECT_EQ(names, QStringList({"Dictionary", "Grammar notes", "Lexical notes", "Annotations"}));
    for (size_t i = 0; i < views.size(); ++i) {
        auto* page = dynamic_cast<TZelDicViewPageForm*>(views[i]);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->Mode() == TZelDicViewPageForm::SelectionMode, i > 0) << i;
        EXPECT_EQ(page->HypertextAction()->isEnabled(), i == 0) << i;
        EXPECT_EQ(page->BackgroundPanel()->Gradient().From, QColor(0, 93, 167));
    }
}

// Insert Annotation: a note written in the editor shows in the Annotations view; Cancel
// changes nothing; a note emptied is deleted.
TEST_F(TNVMainTest, InsertAnnotationWritesChangesAndDeletesTheNote) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Main().LookUp("gatto");
    // Several readings: the dialog offers them, the first with a lemma is taken.
    ZelSetChooseLemmaRunner([](TZelChooseLemmaForm&) { return true; });
    QAction* insert = Main().FindAction("EditInsertAnnotationAction");
    ASSERT_TRUE(insert->isEnabled());
    QString shown;
    Main().OnEditAnnotation = [&](const QString& note) {
        shown = note;
        return QString("Un animale\r\ndomestico");
    };
    insert->trigger();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(PageText(3).contains("Un animale\ndomestico") ||
                PageText(3).contains("Un animale\u2029domestico"))
        << PageText(3).toStdString();
    // Cancel gives the note back unchanged.
    Main().OnEditAnnotation = [&](const QString& note) {
        shown = note;
        return note;
    };
    insert->trigger();
    EXPECT_EQ(shown, "Un animale\ndomestico");
    EXPECT_TRUE(PageText(3).contains("domestico"));
    // Emptied: the note goes.
    Main().OnEditAnnotation = [](const QString&) { return QString(); };
    insert->trigger();
    EXPECT_FALSE(PageText(3).contains("domestico"));
    ZelRef<IZelDicEditable> annotations = Main().Views()->AnnotationDic();
    ASSERT_TRUE(annotations);
    // Nothing is left behind by a Cancel on a word without a note either.
    Main().OnEditAnnotation = [](const QString& note) { return note; };
    insert->trigger();
    ZelRef<IZelDic> dic = ZelQuery<IZelDic>(annotations);
    ZelRef<IZelArrayCursor> all = dic->GetEntries();
    for (int32_t i = 0; i < all->GetCount(); ++i) {
        all->SetIndex(i);
        EXPECT_NE(ZelQuery<IZelLu>(all)->GetWideText(), u"gatto");
    }
    ZelSetChooseLemmaRunner({});
    EXPECT_TRUE(Dialogs->Shown.empty()) << Dialogs->Shown[0];
}

// The correspondence menu of the sample templates: "English &Correspondence" (the index
// gives no text), a submenu per language, a letter opening its RTF file in the documents
// folder with the desktop's program.
TEST_F(TNVMainTest, CorrespondenceMenuOpensTheLetters) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    QMenu* menu = Main().TemplatesMenu();
    ASSERT_NE(menu, nullptr) << (Dialogs->Shown.empty() ? "" : Dialogs->Shown[0]);
    EXPECT_EQ(menu->title(), "English &Correspondence");
    EXPECT_TRUE(Main().ViewMenu()->actions().contains(menu->menuAction()));
    ASSERT_EQ(menu->actions().size(), 2);
    QMenu* italian = menu->actions()[1]->menu();
    ASSERT_NE(italian, nullptr);
    EXPECT_EQ(italian->title(), "Lettere in italiano");
    ASSERT_EQ(italian->actions().size(), 6);
    italian->actions()[0]->trigger(); // index 7
    ASSERT_EQ(Starter->Started.size(), 1u);
    EXPECT_EQ(Starter->Started[0], "xdg-open " + Main().TemplatesFolder() + "lettera 7.rtf");
    EXPECT_TRUE(ZelFileExists(Main().TemplatesFolder() + "lettera 7.rtf"));
    EXPECT_FALSE(Starter->Folders[0].empty());
}

// Nested menus and captions as the index gives them; a malformed index is told once and the
// window carries on without the menu.
TEST_F(TNVMainTest, TemplateIndexNestedAndMalformed) {
    WriteLocale(9);
    UseTemplatesIndex("<menu text='&amp;Lettere'><menu text='A'><menu text='B'>"
                      "<letter text='Sette' index='7'/></menu></menu></menu>");
    ASSERT_TRUE(Start());
    QMenu* menu = Main().TemplatesMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "&Lettere");
    QMenu* b = menu->actions().value(0)->menu()->actions().value(0)->menu();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->actions().value(0)->text(), "Sette");
    Startup.reset();

    UseTemplatesIndex("<menu><letter index='1'>");
    Dialogs->Shown.clear();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main().TemplatesMenu(), nullptr);
    ASSERT_EQ(Dialogs->Shown.size(), 1u);
    EXPECT_NE(Dialogs->Shown[0].find("index.xml"), std::string::npos) << Dialogs->Shown[0];
    EXPECT_GT(Main().LookUp("casa"), 0); // the window works
}

// Quick Norvel starts the companion beside the program; a failure to start it is shown.
TEST_F(TNVMainTest, QuickNorvelStartsTheCompanion) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Main().FindAction("ToolsRunQuickAnswerAction")->trigger();
    ASSERT_EQ(Starter->Started.size(), 1u);
    EXPECT_EQ(Starter->Started[0], ZelExecutableFolder() + "/QNV");
    class TFailingStarter : public TZelProcessStarter {
    public:
        void StartDetached(const std::string& program, const std::vector<std::string>&,
                           const std::string&) override {
            throw EZelOSError(program + ": No such file or directory", 2);
        }
    };
    ZelSetProcessStarter(std::make_shared<TFailingStarter>());
    Dialogs->Shown.clear();
    Main().FindAction("ToolsRunQuickAnswerAction")->trigger();
    EXPECT_EQ(Dialogs->Shown.size(), 1u);
}

// Quick Norvel as its own process: it shows the entry of the word it is given and hands
// the word to the main window, which switches to the pair and analyses it. (Offscreen, each
// process has its own clipboard: the test puts the word on the main window's.)
TEST_F(TNVMainTest, QuickNorvelHandsAWordToTheMainWindow) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Main().FindAction("ViewFreeTextAction")->trigger();
    QApplication::clipboard()->setText("children");
    QProcess companion;
    RunWhileEventsFlow(companion, "QNV", {"--lookup", "children", "--pair", "en-it", "--send"});
    QString shown = QString::fromUtf8(companion.readAllStandardOutput());
    EXPECT_EQ(companion.exitCode(), 0) << companion.readAllStandardError().toStdString();
    EXPECT_TRUE(shown.contains("bambino")) << shown.toStdString();
    EXPECT_EQ(Main().SourceLanguage(), ZelLangEnglish);
    EXPECT_EQ(Main().SourceEdit()->toPlainText(), "children");
    EXPECT_EQ(Main().AnalysisState(), ZelStateBrowse);
}

// The workstation killed at any moment while it zooms, writes its settings and rewrites a
// note, over and over: afterwards the settings and the notes are whole, and the next start
// reads them without a word and shows the note.
TEST_F(TNVMainTest, KilledWithChangesPendingLeavesEverythingWhole) {
    WriteLocale(9);
    std::mt19937 random(20261211);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QProcess churn;
        churn.start(QString::fromStdString(ZelExecutableFolder() + "/nv_churn"));
        ASSERT_TRUE(churn.waitForReadyRead(60000)) << churn.readAllStandardError().toStdString();
        QThread::msleep(random() % 250);
        churn.kill(); // SIGKILL: nothing is flushed or finished
        churn.waitForFinished(10000);
        QString errors = QString::fromUtf8(churn.readAllStandardError());
        EXPECT_FALSE(errors.contains("error:")) << errors.toStdString();
        ZelSettings().Reset();
        Dialogs->Shown.clear();
        ASSERT_TRUE(Start());
        EXPECT_TRUE(Dialogs->Shown.empty()) << Dialogs->Shown[0];
        Main().LookUp("gatto");
        EXPECT_TRUE(PageText(3).contains("of the note")) << PageText(3).toStdString();
        Startup.reset();
    }
}

// Two instances of the program at once, each changing a value of its own: saving, each
// writes what it changed, not the older copy of what the other changed.
TEST_F(TNVMainTest, TwoInstancesLoseNoSettings) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Main().FindAction("ViewFreeTextAction")->trigger();
    Main().SaveAllSettings();
    TZelNVMainForm other; // a second program's window, reading the same settings
    other.Initialize();
    ASSERT_EQ(other.GUIMode(), ZelModeFreeText);
    Main().FindAction("ViewLemmaSearchAction")->trigger(); // the first changes the mode
    Main().SaveAllSettings();
    other.SetLanguagePair(ZelLangEnglish, ZelLangItalian); // the second the language pair
    other.SaveAllSettings();
    std::unique_ptr<TZelSettingsKey> key =
        ZelSettings().OpenKey(TZelHive::CurrentUser, Key + "\\NVMainForm", false);
    EXPECT_EQ(key->ReadInteger("GUIMode"), ZelModeLemmaSearch);
    EXPECT_EQ(key->ReadInteger("SLWC"), ZelLangEnglish);
    // A value changed in both: the later save wins.
    Main().FindAction("ViewFreeTextAction")->trigger();
    Main().SaveAllSettings();
    other.FindAction("ViewLemmaListAction")->trigger();
    other.SaveAllSettings();
    EXPECT_EQ(key->ReadInteger("GUIMode"), ZelModeLemmaList);
}

// The settings object of the two programs: the text font zoomed in one and the speller
// switched on in the other both survive, whichever saves last.
TEST_F(TNVMainTest, TwoInstancesMergeTheirSettingsObjects) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    ZelDataModule()->SaveSettingsNow();
    TMainDataModule other; // the second program's settings, read now
    other.Initialize();
    auto& mine = dynamic_cast<TZelDicLookConfig&>(*ZelDataModule()->GetConfig());
    auto& theirs = dynamic_cast<TZelDicLookConfig&>(*other.GetConfig());
    mine.DefaultTextFont.Size = 17;
    theirs.SpellCheckerEnabled = !theirs.SpellCheckerEnabled;
    ZelDataModule()->SaveSettingsNow();
    other.SaveSettingsNow();
    other.SaveSettingsOnExitAction()->setChecked(false);

    TMainDataModule later;
    later.Initialize();
    later.SaveSettingsOnExitAction()->setChecked(false);
    auto& saved = dynamic_cast<TZelDicLookConfig&>(*later.GetConfig());
    EXPECT_EQ(saved.DefaultTextFont.Size, 17);
    EXPECT_EQ(saved.SpellCheckerEnabled, theirs.SpellCheckerEnabled);
}
