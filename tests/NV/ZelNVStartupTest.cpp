// The workstation's start-up and settings, on the offscreen platform, with the build's
// sample installation and a user hive of the test's own.
#include "ZelNVStartup.h"
#include "ZelComboBox.h"
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelDicViewPageUnit.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFlagDataModule.h"
#include "ZelInterfaceLanguage.h"
#include "ZelLXQueryItemUnit.h"
#include "ZelLXQueryItemsUnit.h"
#include "ZelLangList.h"
#include "ZelLemmaQueryUnit.h"
#include "ZelLuListUnit.h"
#include "ZelMainData.h"
#include "ZelNVConfig.h"
#include "ZelNVMainUnit.h"
#include "ZelProcess.h"
#include "ZelResStrings.h"
#include "ZelRichEdit.h"
#include "ZelSettingsStore.h"
#include "ZelSound.h"
#include "ZelSplash.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"
#include "ZelViewManagerUnit.h"
#include "ZelWordFormQueryUnit.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

#include "ZelStartupFixture.h"

TEST_F(TStartupTest, StepsRunInOrder) {
    ZelSetCommandLine(std::vector<std::string>{});
    ASSERT_TRUE(Start()) << (Dialogs->Shown.empty() ? "" : Dialogs->Shown[0]);
    EXPECT_EQ(Steps,
              (std::vector<std::string>{
                  "registries", "interface language", "language resources", "builders", "splash",
                  "dictionaries", "application", "main data module", "flag data module",
                  "analyse-selected-text data module", "main window", "flag hint window"}));
    EXPECT_EQ(ZelAppData().GetSettingsKey(), Key);
    EXPECT_EQ(QApplication::applicationDisplayName(), "Norvel");
    ASSERT_TRUE(Startup->Splash());
    EXPECT_FALSE(Startup->Splash()->Cover().isNull()); // cover.jpg beside the program
    // The first idle moment closes the splash.
    QCoreApplication::processEvents();
    EXPECT_EQ(Steps.back(), "first idle");
    EXPECT_FALSE(Startup->Splash());
    // Italian by default: the engine speaks Italian.
    EXPECT_EQ(TZelInterfaceLanguage::Current(), 0x10);
    EXPECT_EQ(ZelLoadStr(TZelResId::OpAnagramOf), "anagramma di");
}

TEST_F(TStartupTest, TheSplashSwitchInAnySpelling) {
    for (const auto& [argument, splash] : std::vector<std::pair<std::string, bool>>{{"-ns", false},
                                                                                    {"/NS", false},
                                                                                    {"/ns", false},
                                                                                    {"--ns", true},
                                                                                    {"ns", true},
                                                                                    {"", true}}) {
        ZelSetCommandLine(argument.empty() ? std::vector<std::string>{}
                                           : std::vector<std::string>{argument});
        Steps.clear();
        ASSERT_TRUE(Start());
        EXPECT_EQ(std::find(Steps.begin(), Steps.end(), "splash") != Steps.end(), splash)
            << argument;
        Startup.reset();
    }
}

TEST_F(TStartupTest, TheInterfaceLanguageOfTheSettings) {
    WriteLocale(9); // English: nothing is loaded
    ASSERT_TRUE(Start());
    EXPECT_EQ(TZelInterfaceLanguage::Translator(), nullptr);
    EXPECT_EQ(Startup->DataModule()->SaveSettingsNowAction()->text(), "Save Settings &Now");
    Startup.reset();
    TZelInterfaceLanguage::Unload();

    WriteLocale(0x0410); // Italy's Italian: its own module, which is not shipped
    EXPECT_FALSE(Start());
    ASSERT_EQ(Dialogs->Shown.size(), 1u);
    EXPECT_EQ(Dialogs->Shown[0],
              "Error loading resource file \"" + ZelExecutableFolder() + "/Locales/NV.ITA\"");
    EXPECT_EQ(Steps.back(), "interface language"); // nothing after it ran
}

TEST_F(TStartupTest, AMissingDictionaryEndsTheStartUpBeforeAnyWindow) {
    WriteLocale(9);
    ZelSettings()
        .OpenKey(TZelHive::CurrentUser, "Software\\Zel\\Dics\\DD6KNV1", true)
        ->WriteString("", Hives.File("nowhere/norvel.dd6"));
    EXPECT_FALSE(Start());
    EXPECT_EQ(Steps.back(), "dictionaries");
    ASSERT_FALSE(Dialogs->Shown.empty());
    EXPECT_EQ(Dialogs->Shown.back(),
              "A dictionary was not found: the application will be terminated");
    EXPECT_FALSE(Startup->MainForm());
}

// "Config" holds the settings object whatever its size, and reading skips what it does
// not know.
TEST_F(TStartupTest, TheSettingsObjectRoundTrips) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    TZelNVConfig& config = Startup->DataModule()->GetNVConfig();
    config.DefaultTextFont.Name = "DejaVu Serif";
    config.DefaultTextFont.Size = 14;
    config.SpellCheckerEnabled = true;
    // Many views with long names: far more than 4096 bytes.
    TZelLangConfig& pair = config.LangConfigList.GetItem(0);
    for (int i = 0; i < 60; ++i)
        pair.DicViewConfigList.AddItem().SetDisplayName("view " +
                                                        std::string(100, char('a' + i % 26)));
    config.Validate(); // as loading will
    Startup->DataModule()->SaveSettingsNow();
    auto key = ZelSettings().OpenKey(TZelHive::CurrentUser, Key, false);
    std::vector<uint8_t> stream = key->ReadBinary("Config").value();
    EXPECT_GT(stream.size(), 4096u);
    // A property of a later version, appended at the end, is skipped.
    std::vector<uint8_t> extended = stream;
    std::string name = "FutureSetting";
    extended.insert(extended.end() - 1, uint8_t(name.size()));
    extended.insert(extended.end() - 1, name.begin(), name.end());
    for (uint8_t b :
         {uint8_t(3), uint8_t(2), uint8_t(0), uint8_t(0), uint8_t(0), uint8_t('o'), uint8_t('k')})
        extended.insert(extended.end() - 1, b);
    key->WriteBinary("Config", extended);
    TZelNVConfig copy;
    copy.Assign(config);
    Startup.reset();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Startup->DataModule()->GetNVConfig().SameAs(copy));
    EXPECT_EQ(Startup->DataModule()->TextFont().family(), "DejaVu Serif");
}

// A first start gives each pair four views with the look-up modes of the table.
TEST_F(TStartupTest, TheInstallationDefaults) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    TZelNVConfig& config = Startup->DataModule()->GetNVConfig();
    ASSERT_EQ(config.LangConfigList.GetItemCount(), 2);
    const char* expected[4] = {"ANNNN", "NANNN", "NNAAN", "NNNNA"};
    for (int pair = 0; pair < 2; ++pair) {
        TZelLangConfig& lang = config.LangConfigList.GetItem(pair);
        ASSERT_EQ(lang.DicViewConfigList.GetItemCount(), 4) << lang.GetDisplayName();
        for (int view = 0; view < 4; ++view) {
            TZelDicViewConfig& v = lang.DicViewConfigList.GetItem(view);
            std::string modes;
            for (int d = 0; d < v.DicConfigList.GetItemCount(); ++d)
                modes += v.DicConfigList.GetItem(d).LookupMode == lmAlways ? 'A' : 'N';
            EXPECT_EQ(modes, expected[view]) << lang.GetDisplayName() << " view " << view;
            EXPECT_EQ(v.HorzScrollbar, view == 1 || view == 2);
        }
    }
    EXPECT_EQ(config.LangConfigList.GetItem(0).GetDisplayName(), "009-016");
    EXPECT_EQ(config.LangConfigList.GetItem(1).GetDisplayName(), "016-009");
}

// An installation with fewer dictionaries than the product's five: the positions that do
// not exist are left alone.
TEST(NVConfig, DefaultsWithFewerDictionaries) {
    InstallDics({ZelMake<TFakeDic>("DD6KNV1_ENIT", 9, 16), ZelMake<TFakeDic>("GN_ENIT", 9, 16)});
    TZelNVConfig config;
    config.Validate();
    ASSERT_EQ(config.LangConfigList.GetItemCount(), 2);
    TZelLangConfig& enit = config.LangConfigList.GetItem(0);
    ASSERT_EQ(enit.DicViewConfigList.GetItemCount(), 4);
    const char* expected[4] = {"AN", "NA", "NN", "NN"};
    for (int view = 0; view < 4; ++view) {
        TZelDicViewConfig& v = enit.DicViewConfigList.GetItem(view);
        std::string modes;
        for (int d = 0; d < v.DicConfigList.GetItemCount(); ++d)
            modes += v.DicConfigList.GetItem(d).LookupMode == lmAlways ? 'A' : 'N';
        EXPECT_EQ(modes, expected[view]) << view;
    }
    // A configuration that exists gets nothing added, even with a pair missing.
    TZelNVConfig again;
    again.LangConfigList.AddItem().SetDisplayName("009-016");
    again.Validate();
    EXPECT_EQ(again.LangConfigList.GetItemCount(), 1);
    ZelReleaseDicList(true);
}

TEST_F(TStartupTest, CancelInEitherRestartLeavesTheSettingsAlone) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Startup->DataModule()->SaveSettingsNow();
    std::string before = ReadBytes(Hives.File("user.reg"));
    Startup->DataModule()->SetInstallationDefaults();
    Startup->DataModule()->ChangeInterfaceLanguage(0x10);
    EXPECT_EQ(Dialogs->Shown,
              (std::vector<std::string>{"To reset installation defaults, I need to restart the "
                                        "application. Continue?",
                                        "To set the interface language I need to restart the "
                                        "application. Continue?"}));
    EXPECT_TRUE(Starter->Started.empty());
    EXPECT_EQ(ReadBytes(Hives.File("user.reg")), before);
}

// OK: the key goes, the user's notes are kept, the program starts again with its
// arguments, and the old settings are not written back on exit.
TEST_F(TStartupTest, InstallationDefaultsRestartWithoutWritingBack) {
    WriteLocale(9);
    ZelSetCommandLine({"/ns", "letter.txt"});
    ASSERT_TRUE(Start());
    Startup->DataModule()->SaveSettingsNow();
    Dialogs = std::make_shared<TRecordingDialogs>(TZelMsgResult::Ok);
    ZelSetDialogs(Dialogs);
    Startup->DataModule()->SetInstallationDefaults();
    ASSERT_EQ(Starter->Started.size(), 1u);
    EXPECT_EQ(Starter->Started[0], ZelExecutablePath() + " /ns letter.txt");
    EXPECT_FALSE(ZelSettings().KeyExists(TZelHive::CurrentUser, Key));
    Startup.reset(); // the module is destroyed: nothing is saved
    EXPECT_FALSE(ZelSettings().KeyExists(TZelHive::CurrentUser, Key));
}

TEST_F(TStartupTest, ChangingTheInterfaceLanguage) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Dialogs = std::make_shared<TRecordingDialogs>(TZelMsgResult::Ok);
    ZelSetDialogs(Dialogs);
    Startup->DataModule()->ChangeInterfaceLanguage(0x10);
    EXPECT_EQ(Starter->Started.size(), 1u);
    EXPECT_EQ(ZelSettings().OpenKey(TZelHive::CurrentUser, Key, false)->ReadInteger("Locale"),
              0x10);
    // The companion's key follows.
    EXPECT_EQ(ZelSettings()
                  .OpenKey(TZelHive::CurrentUser, "Software\\VRD\\QNV\\1.0", false)
                  ->ReadInteger("Locale"),
              0x10);
    // The settings were saved before the restart, and are not saved again on exit.
    EXPECT_TRUE(
        ZelSettings().OpenKey(TZelHive::CurrentUser, Key, false)->ReadBinary("Config").has_value());
    EXPECT_FALSE(Startup->DataModule()->SaveSettingsOnExitAction()->isChecked());
}

// Without the flags' resource file the program says so and ends once the flag module is
// made.
TEST_F(TStartupTest, MissingLanguageResourcesEndTheProgram) {
    WriteLocale(9);
    TTempDir elsewhere;
    Startup = std::make_unique<TZelNVStartup>();
    Startup->ExecutablePath = elsewhere.File("NV");
    Startup->OnStep = [this](const std::string& step) { Steps.push_back(step); };
    EXPECT_FALSE(Startup->Start());
    ASSERT_FALSE(Dialogs->Shown.empty());
    EXPECT_EQ(Dialogs->Shown[0], "No such file or directory (Lang.rcc).");
    EXPECT_EQ(Steps.back(), "flag data module");
    // Found again, the flags are the pictures of the file, not drawn ones.
    EXPECT_TRUE(ZelLoadLanguageResources(QString::fromStdString(ZelExecutableFolder())).isEmpty());
    EXPECT_TRUE(QFile::exists(":/lang/flags/IT.svg"));
}

TEST_F(TStartupTest, TheMainWindowLooksWordsUp) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    EXPECT_GT(Startup->MainForm()->LookUp("Case belle"), 0);
    EXPECT_TRUE(Startup->MainForm()->ShownText().contains("house"))
        << Startup->MainForm()->ShownText().toStdString();
}

// The help file (in the interface's language) beside a program in ".../bin" is looked for
// in ".../help", where the build writes it; a program's font follows the system's menu
// font.
TEST_F(TStartupTest, HelpFileAndMenuFont) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    std::string bin = ZelExecutableFolder();
    ASSERT_EQ(bin.substr(bin.size() - 4), "/bin");
    std::string help = bin.substr(0, bin.size() - 3) + "help/nv_eng.html";
    EXPECT_EQ(Startup->DataModule()->GetHelpFile().toStdString(), help);
    EXPECT_TRUE(ZelFileExists(help));

    QFont menu = QApplication::font("QMenu");
    QFont same(menu.family(), 23);
    TZelBaseAppDataModule::MatchMenuFont(same);
    EXPECT_EQ(same.pointSize(), 23); // the same name: kept as it is
    QFont classic("Tahoma", 23);
    TZelBaseAppDataModule::MatchMenuFont(classic);
    EXPECT_EQ(classic, menu); // a classic interface font: the menu font whole
    QFont other("Some Other Font", 23);
    TZelBaseAppDataModule::MatchMenuFont(other);
    EXPECT_EQ(other.family(), QApplication::font().family());
    EXPECT_EQ(other.pointSize(), 23);
    EXPECT_GT(Startup->DataModule()->MeasureText("casa").width(), 0);
}

// ----- the views on the sample installation ----------------------------------------------

namespace {

// The page view the main window shows, rendered.
TZelDicViewPageForm* ShownPage(TZelNVMainForm& main) {
    main.Views()->RefreshNow();
    auto* page = dynamic_cast<TZelDicViewPageForm*>(main.Views()->CurrentView());
    if (page && !page->IsRendered())
        page->RenderNow();
    return page;
}

// The first hot spot of a kind on a page.
template <class T> T* FirstSpot(TZelDicViewPageForm& page) {
    for (const auto& spot : page.HotSpots())
        if (auto* found = dynamic_cast<T*>(spot.get()))
            return found;
    return nullptr;
}

// A point inside a character of the page, as the pointer would be.
QPoint InsideCharacter(TZelDicViewPageForm& page, int position) {
    return page.PageEdit()->PointOfCharacter(position) +
           QPoint(4, page.PageEdit()->fontMetrics().height() / 2);
}

class TRecordingSounds : public TZelSoundPlayer {
public:
    void Play(const ZelRef<IZelMemBlocks>& sounds, int32_t index) override {
        Played.emplace_back(sounds, index);
    }
    std::vector<std::pair<ZelRef<IZelMemBlocks>, int32_t>> Played;
};

} // namespace

// "casa": a click on its first cross-reference shows the English unit it names, in the
// English views; Back comes back to "casa" in the Italian ones.
TEST_F(TStartupTest, TheEntryOfCasaFollowsItsFirstCrossReference) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    TZelNVMainForm& main = *Startup->MainForm();
    ZelRef<IZelSentenceItem> casa = ZelReferenceItem(u"casa", ZelLangItalian);
    main.Views()->ShowLu(casa.get());
    TZelDicViewPageForm* page = ShownPage(main);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->PageEdit()->toPlainText().contains("house"));
    auto* reference = FirstSpot<TZelHotSpotRef>(*page);
    ASSERT_NE(reference, nullptr);
    QString target = page->PageEdit()->TextOfRange(reference->Start, reference->End);
    EXPECT_EQ(target, "house");
    int noun = int(page->PageEdit()->toPlainText().indexOf(" s.")) + 1; // the part of speech
    page->PointerMovedTo(InsideCharacter(*page, noun));
    EXPECT_EQ(page->HintText(), "sostantivo");
    // A real click: the page that handles it goes with the Italian views it belongs to.
    QPoint at = InsideCharacter(*page, reference->Start + 1);
    QTest::mouseMove(page->PageEdit()->viewport(), at);
    page->PointerMovedTo(at);
    EXPECT_TRUE(page->IsHandPointer());
    QTest::mouseClick(page->PageEdit()->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
    ASSERT_NE(main.Views()->CurrentLu(), nullptr);
    EXPECT_EQ(main.Views()->CurrentLu()->GetLemma(), u"house");
    EXPECT_EQ(main.Views()->LangConfig()->GetSourceLang(), ZelLangEnglish);
    TZelDicViewPageForm* english = ShownPage(main);
    ASSERT_NE(english, nullptr);
    EXPECT_TRUE(english->PageEdit()->toPlainText().contains("casa"));
    main.Views()->GoBackAction()->trigger();
    EXPECT_EQ(main.Views()->CurrentLu(), casa.get());
    EXPECT_EQ(main.Views()->LangConfig()->GetSourceLang(), ZelLangItalian);
}

// The flag in the entry of "Italy" shows as a picture in its place.
TEST_F(TStartupTest, TheEntryOfItalyShowsItsPicture) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    TZelNVMainForm& main = *Startup->MainForm();
    main.Views()->ShowLu(ZelReferenceItem(u"Italy", ZelLangEnglish).get());
    TZelDicViewPageForm* page = ShownPage(main);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->PictureErrors().isEmpty()) << page->PictureErrors().join(' ').toStdString();
    EXPECT_TRUE(Dialogs->Shown.empty());
    QString text = page->PageEdit()->toPlainText();
    EXPECT_EQ(text.count(QChar::ObjectReplacementCharacter), 2) << text.toStdString(); // box, flag
}

// A click on the sound of "abet" asks the sound service to play that block of the
// dictionary's sounds, a wave image.
TEST_F(TStartupTest, ASoundHotSpotPlaysItsBlock) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    auto sounds = std::make_shared<TRecordingSounds>();
    std::shared_ptr<TZelSoundPlayer> previous = ZelSetSoundPlayer(sounds);
    TZelNVMainForm& main = *Startup->MainForm();
    main.Views()->ShowLu(ZelReferenceItem(u"abet", ZelLangEnglish).get());
    TZelDicViewPageForm* page = ShownPage(main);
    ASSERT_NE(page, nullptr);
    auto* sound = FirstSpot<TZelHotSpotSound>(*page);
    ASSERT_NE(sound, nullptr) << page->PageEdit()->toPlainText().toStdString();
    page->PointerMovedTo(InsideCharacter(*page, sound->Start));
    EXPECT_TRUE(page->IsHandPointer());
    EXPECT_TRUE(page->ClickAt(InsideCharacter(*page, sound->Start)));
    ZelSetSoundPlayer(previous);
    ASSERT_EQ(sounds->Played.size(), 1u);
    EXPECT_EQ(sounds->Played[0].second, sound->Sound);
    EXPECT_EQ(sounds->Played[0].first->GetBlockString(sound->Sound).substr(0, 4), "RIFF");
}

// The searches on the sample installation: an advanced search for the Italian headwords
// whose translation contains "house", shown in the headword list; the entry of the result
// chosen there shows the text found marked. Then a word-form search for the anagrams of
// "asac".
TEST_F(TStartupTest, SearchesThroughTheEditorsIntoTheList) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    TZelNVMainForm& main = *Startup->MainForm();
    TZelLemmaQueryFrame editor;
    editor.show();
    editor.SetDictionaries(GetDicList().get());
    ASSERT_TRUE(editor.DictionaryPanel()->isVisible()); // several dictionaries
    int italian = editor.DictionaryComboBox()->findText("Dictionary (Italian - English)");
    ASSERT_GE(italian, 0);
    editor.DictionaryComboBox()->setCurrentIndex(italian);
    TZelLXQueryItemFrame& translation = *editor.Rows()[1]->Boxes()[0];
    translation.OperatorList()->setCurrentIndex(0); // contains word
    translation.Arg1Edit()->setText("house");
    ASSERT_TRUE(editor.SearchAction()->isEnabled());
    TZelLuListFrame list;
    list.resize(220, 400);
    list.show();
    QObject::connect(&editor, &TZelLXQueryFrame::QueryChanged,
                     [&] { list.ShowCursor(editor.Query().GetResult()); });
    ZelRef<IZelLu> chosen;
    list.OnSelect = [&](IZelLu* lu) { chosen = lu; };
    ASSERT_TRUE(editor.Search());
    QStringList rows;
    for (int i = 0; i < list.List()->model()->rowCount(); ++i)
        rows << list.List()->model()->index(i, 0).data().toString();
    EXPECT_TRUE(rows.contains("casa")) << rows.join(", ").toStdString();
    list.FindEdit()->setText("casa");
    QTest::keyClick(list.FindEdit(), Qt::Key_End); // the row follows the typing
    QTest::keyClicks(list.FindEdit(), " ");
    QTest::keyClick(list.FindEdit(), Qt::Key_Backspace);
    QApplication::processEvents(); // painting the rows leaves the chosen one current
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->GetWideText(), u"casa") << rows.join(", ").toStdString();

    main.Views()->ShowLu(ZelReferenceItem(chosen->GetWideText(), ZelLangItalian).get());
    TZelDicViewPageForm* page = ShownPage(main);
    ASSERT_NE(page, nullptr);
    QString text = page->PageEdit()->toPlainText();
    int house = int(text.indexOf("house"));
    ASSERT_GE(house, 0);
    QTextCursor cursor(page->PageEdit()->document());
    cursor.setPosition(house + 1);
    EXPECT_EQ(cursor.charFormat().background().color(), QColor(255, 255, 0)); // text found

    TZelWordFormQueryFrame forms;
    forms.show();
    ZelRef<IZelDicMorph> morph = ZelFirstDic<IZelDicMorph>(ZelLangItalian, ZelLangItalian);
    ASSERT_TRUE(morph);
    forms.SetDictionary(ZelQuery<IZelDic>(morph));
    TZelLXQueryItemFrame& form = *forms.Rows()[0]->Boxes()[0];
    form.OperatorList()->setCurrentIndex(form.OperatorList()->findData(int(okAnagramOf)));
    QTest::keyClicks(form.Arg1Edit(), "asac1");
    EXPECT_EQ(form.Arg1Edit()->text(), "asac"); // letters only
    ASSERT_TRUE(forms.Search());
    list.ShowCursor(forms.Query().GetResult());
    QStringList anagrams;
    for (int i = 0; i < list.List()->model()->rowCount(); ++i)
        anagrams << list.List()->model()->index(i, 0).data().toString();
    EXPECT_TRUE(anagrams.contains("casa")) << anagrams.join(", ").toStdString();
}
