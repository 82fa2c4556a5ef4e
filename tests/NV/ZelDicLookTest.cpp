// The main look-up window on the sample installation: its modes and their saved states,
// languages, zoom, analysing and browsing the source text (caret and pointer), and the
// companion protocol driven through the test client.
#include "ZelBaseAppData.h"
#include "ZelBaseDataModule.h"
#include "ZelCompanion.h"
#include "ZelConfig.h"
#include "ZelDicViewPageUnit.h"
#include "ZelLangList.h"
#include "ZelLemmaQueryUnit.h"
#include "ZelMainData.h"
#include "ZelMorphTreeUnit.h"
#include "ZelNVMainUnit.h"
#include "ZelRichEdit.h"
#include "ZelStartupFixture.h"
#include "ZelViewManagerUnit.h"
#include "ZelWordFormQueryUnit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProcess>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace {

class TDicLookTest : public TStartupTest {
protected:
    TZelNVMainForm& Main() { return *Startup->MainForm(); }
    // The program started, in Free Text (a first start opens on the headword list).
    bool StartInFreeText() {
        if (!Start())
            return false;
        Main().FindAction("ViewFreeTextAction")->trigger();
        return Main().GUIMode() == ZelModeFreeText;
    }
    bool StartWithMode(int mode) {
        ZelSettings()
            .OpenKey(TZelHive::CurrentUser, Key + "\\NVMainForm", true)
            ->WriteInteger("GUIMode", mode);
        return Start();
    }
    // The lemma of the unit the views show ("" for none).
    std::u16string ShownLemma() {
        IZelSentenceItem* lu = Main().Views()->CurrentLu();
        if (!lu)
            return u"";
        if (lu->GetKind() == ZelItemAlternatives && lu->GetCount() > 0)
            return lu->GetItem(0)->GetLemma();
        return lu->GetLemma();
    }
    // Every lemma of the unit the views show (the readings of a word with several).
    std::vector<std::u16string> ShownLemmas() {
        std::vector<std::u16string> lemmas;
        if (IZelSentenceItem* lu = Main().Views()->CurrentLu()) {
            if (lu->GetKind() != ZelItemAlternatives)
                lemmas.push_back(lu->GetLemma());
            for (int32_t i = 0; lu->GetKind() == ZelItemAlternatives && i < lu->GetCount(); ++i)
                lemmas.push_back(lu->GetItem(i)->GetLemma());
        }
        return lemmas;
    }
    bool Shows(const std::u16string& lemma) {
        std::vector<std::u16string> lemmas = ShownLemmas();
        return std::find(lemmas.begin(), lemmas.end(), lemma) != lemmas.end();
    }
    QString SelectedText() { return Main().SourceEdit()->textCursor().selectedText(); }
    // Types a text into the source editor and presses Enter.
    void TypeAndAnalyze(const QString& text) {
        Main().SourceEdit()->setFocus();
        QTest::keyClicks(Main().SourceEdit(), text);
        QTest::keyClick(Main().SourceEdit(), Qt::Key_Return);
    }
    // A point of the screen inside a character of the source text.
    QPoint OnCharacter(int position) {
        TZelRichEdit* edit = Main().SourceEdit();
        QTextCursor cursor(edit->document());
        cursor.setPosition(position);
        QRect caret = edit->cursorRect(cursor);
        return edit->viewport()->mapToGlobal(caret.center() + QPoint(3, 0));
    }
};

int TextSize() {
    auto* config = dynamic_cast<TZelDicLookConfig*>(ZelDataModule()->GetConfig());
    return config->DefaultTextFont.Size;
}

void SetTextSize(int size) {
    dynamic_cast<TZelDicLookConfig*>(ZelDataModule()->GetConfig())->DefaultTextFont.Size = size;
}

} // namespace

// ----- modes, settings, languages ----------------------------------------------------------

// "GUIMode" is honoured only for a mode the pair offers: Advanced Search needs a dictionary
// with query fields (none with "nl"), Tagger a product that has a tagger.
TEST_F(TDicLookTest, SavedModeIsHonouredOnlyWhenAvailable) {
    WriteLocale(9);
    ASSERT_TRUE(StartWithMode(2));
    EXPECT_EQ(Main().GUIMode(), ZelModeLemmaSearch);
    EXPECT_TRUE(Main().LemmaQuery()->isVisible());
    EXPECT_TRUE(Main().LuList()->isVisible());
    EXPECT_FALSE(Main().SourceEdit()->isVisible());
    EXPECT_EQ(Main().AnalyzeButton()->defaultAction(), Main().LemmaQuery()->SearchAction());
    EXPECT_FALSE(Main().FindAction("FileOpenAction")->isEnabled());
    Startup.reset();

    ZelSetCommandLine(std::vector<std::string>{"-ns", "-nl"});
    ASSERT_TRUE(StartWithMode(2));
    EXPECT_EQ(Main().GUIMode(), ZelModeFreeText);
    EXPECT_FALSE(Main().FindAction("ViewLemmaSearchAction")->isEnabled());
    EXPECT_FALSE(Main().FindAction("ViewLemmaListAction")->isEnabled());
    Startup.reset();

    ZelSetCommandLine(std::vector<std::string>{"-ns"});
    ASSERT_TRUE(StartWithMode(3));
    EXPECT_EQ(Main().GUIMode(), ZelModeFreeText);
    EXPECT_FALSE(Main().FindAction("ViewTaggerAction")->isEnabled());
    // A product that declares a tagger gets the mode once the pair has a morphology.
    Main().SetTaggerAvailable(true);
    Main().ReloadDictionaries();
    ASSERT_TRUE(Main().FindAction("ViewTaggerAction")->isEnabled());
    Main().FindAction("ViewTaggerAction")->trigger();
    EXPECT_EQ(Main().GUIMode(), ZelModeTagger);
    EXPECT_TRUE(Main().IsTaggerMode());
    EXPECT_TRUE(Main().SourceEdit()->isVisible());
    // Analyze there shows the analysis and stays ready: Tagger never browses.
    QTest::keyClicks(Main().SourceEdit(), "Le case.");
    QTest::keyClick(Main().SourceEdit(), Qt::Key_Return);
    EXPECT_NE(Main().Tree()->Analysis(), nullptr);
    EXPECT_EQ(Main().AnalysisState(), ZelStateReady);
    Main().FindAction("ViewFreeTextAction")->trigger();
    EXPECT_FALSE(Main().IsTaggerMode());
}

// The window's values are written on exit and read at the next start: mode, pair, sizes.
TEST_F(TDicLookTest, WindowValuesSurviveARestart) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main().SourceLanguage(), ZelLangItalian); // the product's first start
    EXPECT_EQ(Main().TargetLanguage(), ZelLangEnglish);
    Main().SetLanguagePair(ZelLangEnglish, ZelLangItalian);
    Main().FindAction("ViewWordFormSearchAction")->trigger();
    Main().SaveAllSettings();
    Startup.reset();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Main().SourceLanguage(), ZelLangEnglish);
    EXPECT_EQ(Main().TargetLanguage(), ZelLangItalian);
    EXPECT_EQ(Main().GUIMode(), ZelModeWordFormSearch);
    std::unique_ptr<TZelSettingsKey> key =
        ZelSettings().OpenKey(TZelHive::CurrentUser, Key + "\\NVMainForm", false);
    EXPECT_EQ(key->ReadInteger("SLWC"), ZelLangEnglish);
    EXPECT_EQ(key->ReadInteger("TLWC"), ZelLangItalian);
    EXPECT_EQ(key->ReadInteger("GUIMode"), ZelModeWordFormSearch);
    EXPECT_GT(key->ReadInteger("BrowsePanelWidth").value_or(0), 0);
}

// The pair without a morphology: Word Form Search falls back to Free Text and is disabled.
TEST_F(TDicLookTest, WordFormSearchFallsBackWithoutMorphology) {
    WriteLocale(9);
    ASSERT_TRUE(StartInFreeText());
    Main().FindAction("ViewWordFormSearchAction")->trigger();
    ASSERT_EQ(Main().GUIMode(), ZelModeWordFormSearch);
    ASSERT_NE(Main().Speller(), nullptr);
    // The English morphology leaves the installation.
    ZelRef<IZelDicList> dics = GetDicList();
    ZelRef<IZelDicMorph> english = ZelFirstDic<IZelDicMorph>(ZelLangEnglish, ZelLangEnglish);
    ASSERT_TRUE(english);
    dics->Remove(ZelRef<IZelUnknown>(english).get());
    Main().SetLanguagePair(ZelLangEnglish, ZelLangItalian);
    EXPECT_EQ(Main().GUIMode(), ZelModeFreeText);
    EXPECT_FALSE(Main().FindAction("ViewWordFormSearchAction")->isEnabled());
    EXPECT_TRUE(Main().FindAction("ViewLemmaListAction")->isEnabled());
    EXPECT_EQ(Main().MorphDic(), nullptr);
    EXPECT_TRUE(Main().SourceEdit()->isVisible());
}

// Zoom In and Zoom Out step the text size; Zoom Out undoes Zoom In and stops at 1.
TEST_F(TDicLookTest, ZoomSteps) {
    WriteLocale(9);
    ASSERT_TRUE(StartInFreeText());
    QAction* zoomIn = Main().FindAction("ViewZoomInAction");
    QAction* zoomOut = Main().FindAction("ViewZoomOutAction");
    struct TStep {
        int From;
        QAction* Action;
        int To;
    };
    for (const TStep& step : std::vector<TStep>{{10, zoomIn, 11},
                                                {20, zoomIn, 22},
                                                {40, zoomIn, 43},
                                                {11, zoomOut, 10},
                                                {22, zoomOut, 20},
                                                {43, zoomOut, 40},
                                                {21, zoomOut, 19},
                                                {2, zoomOut, 1}}) {
        SetTextSize(step.From);
        Main().ApplySettings();
        step.Action->trigger();
        EXPECT_EQ(TextSize(), step.To)
            << step.From << " " << step.Action->objectName().toStdString();
    }
    EXPECT_FALSE(zoomOut->isEnabled());
    // The source text keeps its 10 points, zoomed by the size ÷ 10.
    SetTextSize(15);
    Main().ApplySettings();
    EXPECT_EQ(Main().SourceEdit()->font().pointSize(), 10);
    EXPECT_EQ(Main().SourceEdit()->ZoomNumerator(), 15);
    EXPECT_EQ(Main().SourceEdit()->ZoomDenominator(), 10);
    EXPECT_TRUE(zoomOut->isEnabled());
}

// Leaving Headword List and coming back finds the row and the focus where they were; each
// source language keeps its own.
TEST_F(TDicLookTest, HeadwordListStateIsKeptPerModeAndLanguage) {
    WriteLocale(9);
    ASSERT_TRUE(StartInFreeText());
    Main().activateWindow();
    auto positionOn = [&](const char* word) {
        Main().FindAction("ViewLemmaListAction")->trigger();
        EXPECT_EQ(Main().focusWidget(), Main().LuList()->FindEdit());
        Main().LuList()->FindEdit()->clear();
        QTest::keyClicks(Main().LuList()->FindEdit(), word);
        Main().LuList()->List()->setFocus();
        return Main().LuList()->SelectedRow();
    };
    int casa = positionOn("casa");
    EXPECT_EQ(Main().LuList()->CurrentLu()->GetWideText(), u"casa");
    EXPECT_EQ(Main().statusBar()->currentMessage(),
              QString("%1 of %2").arg(casa + 1).arg(Main().LuList()->Cursor()->GetCount()));
    EXPECT_EQ(ShownLemma(), u"casa");
    Main().FindAction("ViewFreeTextAction")->trigger();
    EXPECT_FALSE(Main().LuList()->isVisible());
    EXPECT_EQ(Main().focusWidget(), Main().SourceEdit());
    Main().SetLanguagePair(ZelLangEnglish, ZelLangItalian);
    int house = positionOn("house");
    Main().FindAction("ViewFreeTextAction")->trigger();

    Main().SetLanguagePair(ZelLangItalian, ZelLangEnglish);
    Main().FindAction("ViewLemmaListAction")->trigger();
    EXPECT_EQ(Main().LuList()->SelectedRow(), casa);
    EXPECT_EQ(Main().LuList()->FindEdit()->text(), "casa");
    EXPECT_EQ(Main().focusWidget(), Main().LuList()->List());
    Main().FindAction("ViewFreeTextAction")->trigger();
    Main().SetLanguagePair(ZelLangEnglish, ZelLangItalian);
    Main().FindAction("ViewLemmaListAction")->trigger();
    EXPECT_EQ(Main().LuList()->SelectedRow(), house);
    EXPECT_EQ(Main().LuList()->CurrentLu()->GetWideText(), u"house");
    // Switching languages within the mode finds each language's place again.
    Main().SetSourceLanguage(ZelLangItalian);
    EXPECT_EQ(Main().LuList()->SelectedRow(), casa);
    EXPECT_EQ(ShownLemma(), u"casa");
    Main().SetSourceLanguage(ZelLangEnglish);
    EXPECT_EQ(Main().LuList()->SelectedRow(), house);
    // Clear Text clears the search field here.
    Main().FindAction("FileNewAction")->trigger();
    EXPECT_TRUE(Main().LuList()->FindEdit()->text().isEmpty());
}

// The target-language menu offers the targets of the source language.
TEST_F(TDicLookTest, TargetLanguageMenuFollowsTheSource) {
    WriteLocale(9);
    ASSERT_TRUE(StartInFreeText());
    auto targets = [&] {
        std::vector<int> found;
        for (QAction* item : Main().TargetLanguageMenu()->actions())
            found.push_back(item->data().toInt() * (item->isChecked() ? -1 : 1));
        return found;
    };
    EXPECT_EQ(targets(), std::vector<int>{-ZelLangEnglish});
    Main().SetSourceLanguage(ZelLangEnglish);
    EXPECT_EQ(targets(), std::vector<int>{-ZelLangItalian});
    EXPECT_EQ(Main().TargetLanguage(), ZelLangItalian);
    for (int32_t i = 0; i < Main().Dics()->GetCount(); ++i)
        EXPECT_EQ(Main().Dics()->GetDic(i)->GetSourceLang(), ZelLangEnglish);
    ASSERT_NE(Main().LangConfig(), nullptr);
    EXPECT_EQ(Main().LangConfig()->GetSourceLang(), ZelLangEnglish);
}

// ----- analysing and browsing ----------------------------------------------------------------

// Typing a sentence and pressing Enter analyses it; the caret moved onto a word shows its
// entry; a node chosen in the tree becomes the selection of the text.
TEST_F(TDicLookTest, ItalianSentenceIsBrowsedWithTheCaret) {
    WriteLocale(9);
    ASSERT_TRUE(StartInFreeText());
    EXPECT_EQ(Main().AnalysisState(), ZelStateReady);
    EXPECT_EQ(Main().StatusPanel(2)->text(), "Ready");
    TypeAndAnalyze("Le case sono belle.");
    ASSERT_EQ(Main().AnalysisState(), ZelStateBrowse);
    EXPECT_EQ(Main().StatusPanel(2)->text(), "Browse");
    EXPECT_TRUE(Main().BrowseTimer()->isActive());
    QTreeWidgetItem* root = Main().Tree()->MorphTreeView()->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->childCount(), 5); // four words and the full stop
    // Just analysed, the word shown follows into the text: the first, then the tree's choice.
    EXPECT_EQ(SelectedText(), "Le");
    Main().Tree()->MorphTreeView()->setCurrentItem(root->child(3));
    EXPECT_EQ(SelectedText(), "belle");
    EXPECT_TRUE(Shows(u"bello"));
    EXPECT_EQ(Main().AnalysisState(), ZelStateBrowse); // the selection did not edit the text
    Main().SourceEdit()->SetCaretPosition(4);          // "ca|se"
    EXPECT_EQ(Main().Tree()->MorphTreeView()->currentItem(), root->child(1));
    EXPECT_EQ(ShownLemma(), u"casa");
    EXPECT_TRUE(Main().ShownText().contains("house")) << Main().ShownText().toStdString();
    // The caret leads now: the text keeps the caret, no selection.
    EXPECT_TRUE(SelectedText().isEmpty());
    Main().Tree()->MorphTreeView()->setCurrentItem(root->child(0));
    EXPECT_TRUE(SelectedText().isEmpty());
    // Editing makes the analysis stale.
    QTest::keyClicks(Main().SourceEdit(), "x");
    EXPECT_EQ(Main().AnalysisState(), ZelStateReady);
    EXPECT_EQ(Main().Tree()->Analysis(), nullptr);
}

// Numbers and addresses show in the tree as what they are, whole, instead of vanishing;
// so do words of no part of speech, unlike unknown words.
TEST_F(TDicLookTest, NumbersShowInTheTreeAsWhatTheyAre) {
    WriteLocale(9);
    ASSERT_TRUE(StartInFreeText());
    TypeAndAnalyze("Alle 8.30 del 2003 scrivi ad anna@example.org del tabloid xqzv.");
    QTreeWidgetItem* root = Main().Tree()->MorphTreeView()->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    QStringList nodes;
    for (int i = 0; i < root->childCount(); ++i)
        nodes << root->child(i)->text(0);
    EXPECT_TRUE(nodes.contains("8.30 (ora)")) << nodes.join(" | ").toStdString();
    EXPECT_TRUE(nodes.contains("2003 (anno)")) << nodes.join(" | ").toStdString();
    EXPECT_TRUE(nodes.contains("anna@example.org (indirizzo e-mail)"))
        << nodes.join(" | ").toStdString();
    EXPECT_TRUE(nodes.contains("tabloid (parola)")) << nodes.join(" | ").toStdString();
    EXPECT_TRUE(nodes.contains("xqzv")) << nodes.join(" | ").toStdString();
}

TEST_F(TDicLookTest, EnglishSentenceOnTheOtherPair) {
    WriteLocale(9);
    ASSERT_TRUE(StartInFreeText());
    Main().SetLanguagePair(ZelLangEnglish, ZelLangItalian);
    TypeAndAnalyze("The children were running.");
    ASSERT_EQ(Main().AnalysisState(), ZelStateBrowse);
    Main().SourceEdit()->SetCaretPosition(6); // "ch|ildren"
    EXPECT_EQ(ShownLemma(), u"child");
    EXPECT_TRUE(Main().ShownText().contains("bambino")) << Main().ShownText().toStdString();
    Main().SourceEdit()->SetCaretPosition(20); // "ru|nning"
    EXPECT_TRUE(Shows(u"run"));
}

// A text of several sentences: the caret in the second shows that sentence in the tree,
// analysed when first reached; Analyze on an empty text clears the tree and stays ready.
TEST_F(TDicLookTest, CaretFollowsIntoOtherSentences) {
    WriteLocale(9);
    ASSERT_TRUE(StartInFreeText());
    TypeAndAnalyze("Il gatto dorme. Le case sono belle.");
    ASSERT_EQ(Main().Sentences().GetCount(), 2);
    EXPECT_FALSE(Main().Sentences().GetAnalysis(1));
    Main().SourceEdit()->SetCaretPosition(20); // "ca|se" of the second sentence
    // Only Analyze and the pointer analyse a sentence not yet analysed.
    Main().FindAction("ActionsAnalyzeAction")->trigger();
    ASSERT_TRUE(Main().Sentences().GetAnalysis(1));
    Main().SourceEdit()->SetCaretPosition(21);
    EXPECT_EQ(ShownLemma(), u"casa");
    Main().SourceEdit()->SetCaretPosition(4); // "ga|tto": back in the first
    EXPECT_EQ(ShownLemma(), u"gatto");

    Main().FindAction("FileNewAction")->trigger();
    EXPECT_EQ(Main().AnalysisState(), ZelStateReady);
    Main().FindAction("ActionsAnalyzeAction")->trigger();
    EXPECT_EQ(Main().AnalysisState(), ZelStateReady);
    EXPECT_EQ(Main().Tree()->Analysis(), nullptr);
}

// The pointer resting over a word: nothing for four ticks, the word at the fifth, nothing
// more while it rests; a move of one pixel starts the count again; the editor's first two
// pixel rows look nothing up.
TEST_F(TDicLookTest, HoverLooksUpAtTheFifthTick) {
    WriteLocale(9);
    ASSERT_TRUE(StartInFreeText());
    QApplication::processEvents();
    TypeAndAnalyze("Le case sono belle.");
    Main().BrowseTimer()->stop(); // the test ticks
    QPoint pointer = OnCharacter(4);
    Main().CursorPosition = [&] { return pointer; };
    int changes = 0;
    QObject::connect(Main().Views(), &TZelViewManagerFrame::LuChanged, [&] { ++changes; });
    Main().BrowseTick(); // the pointer arrived
    for (int tick = 1; tick <= 4; ++tick)
        Main().BrowseTick();
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(Shows(u"il")); // still the first word
    Main().BrowseTick();       // the fifth tick at rest
    EXPECT_EQ(ShownLemma(), u"casa");
    EXPECT_EQ(SelectedText(), "case"); // the pointer's word follows into the text
    EXPECT_EQ(changes, 1);
    for (int tick = 0; tick < 10; ++tick)
        Main().BrowseTick();
    EXPECT_EQ(changes, 1);
    pointer = OnCharacter(15) + QPoint(1, 0); // "belle", moved
    for (int tick = 0; tick < 5; ++tick)
        Main().BrowseTick();
    EXPECT_EQ(changes, 1); // the move restarted the count
    Main().BrowseTick();
    EXPECT_TRUE(Shows(u"bello"));
    // The top two rows of the editor.
    pointer = Main().SourceEdit()->viewport()->mapToGlobal(QPoint(20, 1));
    for (int tick = 0; tick < 8; ++tick)
        Main().BrowseTick();
    EXPECT_TRUE(Shows(u"bello"));
    EXPECT_EQ(SelectedText(), "belle");
}

// ----- the companion ----------------------------------------------------------------------

namespace {

// Runs the test client against a server while the window's event loop runs.
int RunClient(const QString& server, const QStringList& arguments) {
    QProcess client;
    return RunWhileEventsFlow(client, "zelcompanion", QStringList{server} + arguments);
}

} // namespace

TEST_F(TDicLookTest, CompanionCommandsThroughTheTestClient) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    QString server = ZelCompanionServerName(
        QString("NorvelTest%1x%2").arg(QCoreApplication::applicationPid()).arg(std::rand()));
    ASSERT_TRUE(Main().ListenForCompanion(server));
    // Bring to front, with a view index out of range: nothing else happens.
    EXPECT_EQ(RunClient(server, {"front", "200", "7"}), 0);
    EXPECT_TRUE(Main().isVisible());
    // Look up the clipboard in the English pair.
    QApplication::clipboard()->setText("The children were running.");
    EXPECT_EQ(RunClient(server, {"lookup", "0", "0", "9", "16"}), 0);
    EXPECT_EQ(Main().SourceLanguage(), ZelLangEnglish);
    EXPECT_EQ(Main().TargetLanguage(), ZelLangItalian);
    EXPECT_EQ(Main().SourceEdit()->toPlainText(), "The children were running.");
    EXPECT_EQ(Main().AnalysisState(), ZelStateBrowse);
    // A pair of 0 keeps the pair and still pastes; an unknown pair is ignored.
    QApplication::clipboard()->setText("The cat.");
    EXPECT_EQ(RunClient(server, {"lookup", "0", "0", "0x0407", "9"}), 0);
    EXPECT_EQ(Main().SourceLanguage(), ZelLangEnglish);
    EXPECT_EQ(Main().SourceEdit()->toPlainText(), "The cat.");
    // Malformed frames: a wrong magic, a short frame; the window carries on.
    EXPECT_EQ(RunClient(server, {"raw", "00112233445566778899aabbccddeeff"}), 0);
    EXPECT_EQ(RunClient(server, {"raw", "5a656c4dc9"}), 0);
    EXPECT_EQ(RunClient(server, {"command", "77"}), 0);
    QApplication::clipboard()->setText("Le case.");
    EXPECT_EQ(RunClient(server, {"lookup", "0", "0", "16", "9"}), 0);
    EXPECT_EQ(Main().SourceLanguage(), ZelLangItalian);
    EXPECT_EQ(Main().SourceEdit()->toPlainText(), "Le case.");
    // No window: the client says so.
    EXPECT_EQ(RunClient(server + "-none", {"front"}), 1);
    EXPECT_EQ(RunClient(server, {"sideways"}), 2);
}

// At its first idle moment the window announces itself to a companion that listens.
TEST_F(TDicLookTest, WindowAnnouncesItselfToTheCompanion) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    TZelCompanionServer companion;
    ASSERT_TRUE(companion.Listen(ZelCompanionServerName(Main().GetCompanionWindowClass())));
    std::vector<TZelCompanionMessage> heard;
    QObject::connect(&companion, &TZelCompanionServer::Received,
                     [&](const TZelCompanionMessage& message) { heard.push_back(message); });
    QElapsedTimer clock;
    clock.start();
    while (heard.empty() && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].Message, ZelCompanionAnnounceMessage);
    EXPECT_EQ(heard[0].First, uint32_t(QCoreApplication::applicationPid()));
}

// Without any installed language the window warns once and stays usable, every mode but
// Free Text disabled.
TEST_F(TDicLookTest, NoInstalledLanguageWarns) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Dialogs->Shown.clear();
    ZelLangList().Clear();
    {
        TZelDicLookForm window("EmptyLookForm");
        window.Initialize();
        ASSERT_EQ(Dialogs->Shown.size(), 1u);
        EXPECT_EQ(Dialogs->Shown[0], "Warning: there are not installed dictionaries: most "
                                     "features of Lexorin will be unavailable.");
        EXPECT_TRUE(window.NoDictionaries());
        EXPECT_EQ(window.SourceLanguage(), 0);
        for (const char* mode : {"ViewLemmaListAction", "ViewLemmaSearchAction",
                                 "ViewWordFormSearchAction", "ViewTaggerAction"})
            EXPECT_FALSE(window.FindAction(mode)->isEnabled()) << mode;
        window.SetGUIMode(ZelModeLemmaList); // a programming slip, not a crash
        QTest::keyClicks(window.SourceEdit(), "casa");
        QTest::keyClick(window.SourceEdit(), Qt::Key_Return);
        EXPECT_EQ(window.Tree()->Analysis(), nullptr);
    }
    ZelLangList().Rebuild();
}

TEST(TCompanionFrameTest, FramesRoundTripAndRefuseWrongMagic) {
    TZelCompanionMessage message{ZelCompanionCommandMessage, ZelCompanionCommand(2, 1, 513),
                                 0x00100009};
    QByteArray frame = ZelEncodeCompanionFrame(message);
    ASSERT_EQ(frame.size(), ZelCompanionFrameSize);
    std::optional<TZelCompanionMessage> back = ZelDecodeCompanionFrame(frame);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Message, 1225u);
    EXPECT_EQ(back->First, 0x02010102u);
    EXPECT_EQ(back->Second, 0x00100009u);
    frame[0] = 'X';
    EXPECT_FALSE(ZelDecodeCompanionFrame(frame));
    EXPECT_FALSE(ZelDecodeCompanionFrame(frame.left(15)));
    EXPECT_TRUE(
        ZelCompanionServerName("Software\\VRD\\NV\\1.0").startsWith("Software_VRD_NV_1_0-"));
}
