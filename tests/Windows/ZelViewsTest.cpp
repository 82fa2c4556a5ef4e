// The page view's hot spots, modes, hover and view options, and the view manager's tabs,
// history, idle refresh and docking, on scripted dictionaries: each holds, for a lemma, a
// list of entries as rich text.
#include "ZelCodePage.h"
#include "ZelDD6.h"
#include "ZelDialogs.h"
#include "ZelDicViewPageUnit.h"
#include "ZelErrors.h"
#include "ZelGuiTranslations.h"
#include "ZelLangConfig.h"
#include "ZelRichEdit.h"
#include "ZelSettingsStore.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"
#include "ZelViewManagerUnit.h"
#include "ZelWindowTestItems.h"
#include "ZelWordChecker.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <map>

namespace {

class TScriptDic;

// The entries found for a lemma: a cursor whose current element is a headword of the
// dictionary.
class TScriptCursor : public TZelArrayCursor, public virtual IZelLu {
public:
    TScriptCursor(TScriptDic* dic, std::u16string lemma, int count)
        : Dic(dic), Lemma(std::move(lemma)), Count(count) {}
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelLu::IID)
            return static_cast<IZelLu*>(this);
        return TZelArrayCursor::QueryInterface(iid);
    }
    int32_t GetCount() override { return Count; }
    uint8_t GetCatCode() override { return 0; }
    ZelRef<IZelDic> GetDic() override;
    std::string GetText() override { return ZelWideToUtf8(Lemma); }
    int32_t GetLength() override { return int32_t(Lemma.size()); }
    int32_t GetOrdinal() override { return 0; }
    std::u16string GetWideText() override { return Lemma; }
    uint8_t GetLuStyle() override { return ZelLuStylePlain; }

    TScriptDic* Dic;
    std::u16string Lemma;
    int Count;
};

class TScriptDic : public TFakeDic {
public:
    TScriptDic(std::string id, TZelLanguage source, TZelLanguage target)
        : TFakeDic(std::move(id), source, target) {
        Option.Caption = "rsExamples";
        Option.Hint = "rsExamples";
    }
    ZelRef<IZelArrayCursor> LookupLu(const std::u16string& text, const std::u16string& alternative,
                                     int32_t ordinal, uint8_t) override {
        std::u16string lemma = alternative.empty() ? text : alternative;
        Asked.push_back(ZelWideToUtf8(lemma) + "/" + std::to_string(ordinal));
        auto found = Entries.find(lemma);
        if (found == Entries.end())
            return nullptr;
        return ZelMake<TScriptCursor>(this, lemma, int(found->second.size()));
    }
    std::string GetEntryRtf(IZelLu& lu, int32_t) override {
        auto& cursor = dynamic_cast<TScriptCursor&>(lu);
        std::string rtf = Entries.at(cursor.Lemma).at(size_t(cursor.GetIndex()));
        if (rtf == "FAIL")
            throw EZelError("the entry is damaged");
        Option.Present = rtf.find("EX") != std::string::npos;
        if (!Option.Checked) // the option leaves the examples out
            rtf.replace(rtf.find("EX") == std::string::npos ? rtf.size() : rtf.find("EX"),
                        Option.Present ? 2 : 0, "");
        return rtf;
    }
    std::u16string GetAbbreviation(const std::u16string& abbreviation) override {
        return u"(" + abbreviation + u" in full)";
    }
    int32_t GetViewOptionCount(int32_t) override { return 1; }
    TZelViewOption* GetViewOption(int32_t, int32_t) override { return &Option; }
    void PlayAudio(int32_t sound) override { Played.push_back(sound); }
    std::string GetBasePath() override { return BasePath; }

    std::map<std::u16string, std::vector<std::string>> Entries;
    std::vector<std::string> Asked;
    std::vector<int32_t> Played;
    TZelViewOption Option;
    std::string BasePath;
};

ZelRef<IZelDic> TScriptCursor::GetDic() {
    return ZelRef<IZelDic>(Dic);
}

// A word checker that knows every word.
class TKnowAllDic : public TFakeDic, public virtual IZelWordChecker {
public:
    using TFakeDic::TFakeDic;
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelWordChecker::IID)
            return static_cast<IZelWordChecker*>(this);
        return TFakeDic::QueryInterface(iid);
    }
    bool WordExists(const char16_t*, int32_t) override { return true; }
    bool WordExists(const std::u16string&) override { return true; }
};

// A view configuration of the dictionaries, by identifier.
std::unique_ptr<TZelDicViewConfig> ViewOf(const std::string& name,
                                          const std::vector<std::string>& dics) {
    auto view = std::make_unique<TZelDicViewConfig>();
    view->SetDisplayName(name);
    for (const std::string& id : dics)
        view->DicConfigList.AddItem().SetDisplayName(id);
    return view;
}

class TPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        Main = ZelMake<TScriptDic>("MainIT", ZelLangItalian, ZelLangEnglish);
        Notes = ZelMake<TScriptDic>("NotesIT", ZelLangItalian, ZelLangEnglish);
        Checker = ZelMake<TKnowAllDic>("CheckIT", ZelLangItalian, ZelLangItalian);
        InstallDics({Main, Notes, Checker});
        Config = ViewOf("Dizionario Norvel (italiano - English)", {"MainIT", "NotesIT"});
        Page.SetViewConfig(Config.get());
        Page.resize(500, 400);
        Previous = ZelSetDialogs(Dialogs);
    }
    void TearDown() override {
        ZelSetDialogs(Previous);
        ZelReleaseDicList(true);
    }
    // A point inside the character at a position.
    QPoint PointAt(int position) {
        QPoint point = Page.PageEdit()->PointOfCharacter(position);
        return point + QPoint(2 + 2, Page.PageEdit()->fontMetrics().height() / 2);
    }

    ZelRef<TScriptDic> Main, Notes;
    ZelRef<TKnowAllDic> Checker;
    std::unique_ptr<TZelDicViewConfig> Config;
    TZelDicViewPageForm Page;
    std::shared_ptr<TRecordingDialogs> Dialogs = std::make_shared<TRecordingDialogs>();
    std::shared_ptr<TZelDialogs> Previous;
};

TEST_F(TPageTest, AnAbbreviationCoversItsCharactersAndTheCounterFollows) {
    Page.BeginRender();
    Page.AppendRtf(Main.get(), "{\\rtf1 x{\\*\\customAbbr 3}abc y}");
    EXPECT_EQ(Page.Position(), 6);
    Page.EndRender();
    ASSERT_EQ(Page.HotSpots().size(), 1u);
    auto* abbr = dynamic_cast<TZelHotSpotAbbr*>(Page.HotSpots()[0].get());
    ASSERT_NE(abbr, nullptr);
    EXPECT_EQ(abbr->Start, 1);
    EXPECT_EQ(abbr->End, 4);
}

TEST_F(TPageTest, SoundsWithoutAUsableIndexRecordNothing) {
    Page.BeginRender();
    Page.AppendRtf(
        Main.get(),
        "{\\rtf1 {\\*\\customSound -1,1}*a{\\*\\customSound x,1}*b{\\*\\customSound 7,1}*c}");
    Page.EndRender();
    EXPECT_EQ(Page.PageEdit()->toPlainText(), "*a*b*c");
    ASSERT_EQ(Page.HotSpots().size(), 1u);
    auto* sound = dynamic_cast<TZelHotSpotSound*>(Page.HotSpots()[0].get());
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->Start, 4);
    EXPECT_EQ(sound->Sound, 7);
    EXPECT_TRUE(sound->Execute());
    EXPECT_EQ(Main->Played, std::vector<int32_t>{7});
}

TEST(PageView, TheReadingOfAReference) {
    struct TCase {
        std::u16string Text, Lemma;
        int32_t Ordinal;
    };
    for (const TCase& c : std::vector<TCase>{{u"2.casa", u"casa", 2},
                                             {u"casa", u"casa", -1},
                                             {u"0casa", u"0casa", -1},
                                             {u"3D", u"3D", -1},
                                             {u"1984", u"1984", -1},
                                             {u"2.", u"2.", -1}}) {
        ZelRef<IZelSentenceItem> item = ZelReferenceItem(c.Text, ZelLangEnglish);
        EXPECT_EQ(item->GetLemma(), c.Lemma) << ZelWideToUtf8(c.Text);
        EXPECT_EQ(item->GetOrdinal(), c.Ordinal) << ZelWideToUtf8(c.Text);
        EXPECT_EQ(item->GetLanguage(), ZelLangEnglish);
        EXPECT_EQ(item->GetKind(), ZelItemReading);
        EXPECT_EQ(item->GetKnown(), 1);
    }
}

TEST(PageView, DisplayNames) {
    EXPECT_EQ(ZelGuiTranslate(std::string("rsRelative")), "relative");
    EXPECT_EQ(ZelGuiTranslate(std::string("rsNoun")), "noun");
    EXPECT_EQ(ZelGuiTranslate(std::string("Note grammaticali (italiano - English)")),
              "Grammar notes (Italian - English)");
    EXPECT_EQ(ZelGuiTranslate(std::string("rsnoun")), "rsnoun"); // the case counts
    EXPECT_EQ(ZelGuiTranslate(std::string("Something else")), "Something else");
}

// Two dictionaries of the view both hold the word: the second entry starts where the first
// ends; a damaged entry shows its error and the next one still comes; each dictionary is
// asked once per unit.
TEST_F(TPageTest, EveryDictionaryRendersOneAfterTheOther) {
    Main->Entries[u"casa"] = {"{\\rtf1 house}", "FAIL", "{\\rtf1 {\\*\\customAbbr x}y}",
                              "{\\rtf1 home}"};
    Notes->Entries[u"casa"] = {"{\\rtf1 a note}"};
    ZelRef<IZelSentenceItem> item = Reading(u"casa", u"case");
    Page.show();
    EXPECT_TRUE(Page.CanShow(item.get()));
    Page.SetLu(item.get());
    QString text = Page.PageEdit()->toPlainText();
    EXPECT_TRUE(text.contains("\nhouse\nthe entry is damaged\n'x' is not a valid length\nhome\n"))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith("home\na note")) << text.toStdString();
    std::vector<std::pair<int, int>> entries;
    std::vector<std::string> owners;
    for (const auto& spot : Page.HotSpots()) {
        auto* dic = dynamic_cast<TZelHotSpotDic*>(spot.get());
        ASSERT_NE(dic, nullptr) << "a tag of the failed entry was kept";
        entries.emplace_back(dic->Start, dic->End);
        owners.push_back(dic->Dic->GetId());
    }
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(owners, (std::vector<std::string>{"MainIT", "MainIT", "NotesIT"}));
    EXPECT_EQ(entries[2].first, entries[1].second);
    EXPECT_EQ(text.mid(entries[0].first, entries[0].second - entries[0].first), "\nhouse");
    EXPECT_EQ(Main->Asked, std::vector<std::string>{"casa/0"}); // cached on the unit
    EXPECT_FALSE(Page.CanShow(Reading(u"gatto", u"gatto").get()));
}

// The word under the pointer lights up only when its text carries a language whose word
// checker knows it; a reference lights up blue and a click follows it.
TEST_F(TPageTest, HoverAndClicks) {
    Main->Entries[u"casa"] = {"{\\rtf1 tetto {\\lang1040 muro} {\\*\\customRef 6}2.casa}"};
    Page.show();
    Page.SetLu(Reading(u"casa", u"casa").get());
    QString text = Page.PageEdit()->toPlainText();
    int tetto = int(text.indexOf("tetto")), muro = int(text.indexOf("muro")),
        ref = int(text.indexOf("2.casa"));
    Page.PointerMovedTo(PointAt(tetto + 1));
    EXPECT_FALSE(Page.IsHandPointer()); // language 0: never lit
    EXPECT_EQ(Page.HighlightStart(), Page.HighlightEnd());
    Page.PointerMovedTo(PointAt(muro + 1));
    EXPECT_TRUE(Page.IsHandPointer());
    EXPECT_EQ(Page.HighlightText(), "muro");
    EXPECT_EQ(Page.PageEdit()->TextColor(muro), QColor(255, 0, 0));
    Page.PointerMovedTo(PointAt(ref + 3));
    EXPECT_EQ(Page.HighlightText(), "2.casa");
    EXPECT_EQ(Page.PageEdit()->TextColor(ref), QColor(0, 0, 255));
    EXPECT_NE(Page.PageEdit()->TextColor(muro), QColor(255, 0, 0)); // its colour is back

    ZelRef<IZelSentenceItem> followed;
    QObject::connect(&Page, &TZelDicViewPageForm::Navigate,
                     [&](IZelSentenceItem* item) { followed = item; });
    EXPECT_TRUE(Page.ClickAt(PointAt(ref + 3)));
    ASSERT_TRUE(followed);
    EXPECT_EQ(followed->GetLemma(), u"casa");
    EXPECT_EQ(followed->GetOrdinal(), 2);
    EXPECT_EQ(followed->GetLanguage(), ZelLangItalian);

    // Selection mode: no word and no reference lights up.
    Page.SetMode(TZelDicViewPageForm::SelectionMode);
    Page.PointerMovedTo(PointAt(ref + 3));
    Page.PointerMovedTo(PointAt(muro + 1));
    EXPECT_FALSE(Page.IsHandPointer());
    EXPECT_EQ(Page.HighlightStart(), Page.HighlightEnd());
    EXPECT_EQ(Page.PageEdit()->focusPolicy(), Qt::StrongFocus);
}

TEST_F(TPageTest, AnAbbreviationShowsItsExpansion) {
    Main->Entries[u"casa"] = {"{\\rtf1 casa {\\*\\customAbbr 2}sf}"};
    Page.show();
    Page.SetLu(Reading(u"casa", u"casa").get());
    int sf = int(Page.PageEdit()->toPlainText().indexOf("sf"));
    Page.PointerMovedTo(PointAt(sf));
    EXPECT_EQ(Page.HintText(), "(sf in full)");
    Page.OnHover(&Page, {}); // the pointer left the text
    EXPECT_EQ(Page.HintText(), "");
}

TEST_F(TPageTest, TogglingAViewOptionRendersAgain) {
    Main->Entries[u"casa"] = {"{\\rtf1 casa EX}"};
    ASSERT_EQ(Page.ViewOptionActions().size(), 2u); // one per dictionary of the view
    QAction* examples = Page.ViewOptionActions()[0];
    EXPECT_EQ(examples->text(), "Examples");
    EXPECT_FALSE(examples->isEnabled()); // no unit yet
    Page.show();
    Page.SetLu(Reading(u"casa", u"casa").get());
    EXPECT_TRUE(examples->isEnabled());
    EXPECT_FALSE(Page.PageEdit()->toPlainText().contains("EX"));
    examples->trigger();
    EXPECT_TRUE(Main->Option.Checked);
    EXPECT_TRUE(Page.PageEdit()->toPlainText().contains("EX"));
    examples->trigger();
    EXPECT_FALSE(Page.PageEdit()->toPlainText().contains("EX"));
}

// A picture that cannot be read is left out; the page is finished, then the failure is
// told once.
TEST_F(TPageTest, AMissingPictureIsSkippedAndToldAfter) {
    TTempDir dir;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(QString::fromStdString(dir.File("flag.png"))));
    Main->BasePath = dir.File("main.dd6"); // pictures are beside the description file
    Main->Entries[u"casa"] = {
        "{\\rtf1 a{\\*\\customImage flag.png}\\~b{\\*\\customImage none.png}\\~c}"};
    Page.show();
    Page.SetLu(Reading(u"casa", u"casa").get());
    int a = int(Page.PageEdit()->toPlainText().indexOf('a')); // after the word's box
    EXPECT_EQ(Page.PageEdit()->CharacterAt(a + 1), QChar(QChar::ObjectReplacementCharacter));
    EXPECT_EQ(Page.PageEdit()->CharacterAt(a + 3), QChar(0xA0)); // the unread one's place
    ASSERT_EQ(Page.PictureErrors().size(), 1);
    EXPECT_TRUE(Page.PictureErrors()[0].contains("none.png"));
    ASSERT_EQ(Dialogs->Shown.size(), 1u);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(Page.PageEdit()->updatesEnabled());
    EXPECT_EQ(Page.PageEdit()->CharacterCount(), a + 5);
}

// ----- the view manager ---------------------------------------------------------------------

// A view that counts its renderings; it can show what its dictionary holds.
class TCountingView : public TZelDicViewForm {
public:
    explicit TCountingView(const QString& caption) : TZelDicViewForm("TestView") {
        setWindowTitle(caption);
    }
    bool CanShow(IZelSentenceItem* item) override { return item && ShowAll; }
    void Render(IZelSentenceItem& item, bool& shown) override {
        Rendered.push_back(ZelWideToUtf8(item.GetLemma()));
        shown = true;
    }
    std::vector<std::string> Rendered;
    bool ShowAll = true;
};

class TManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ZEL_USER_HIVE", Hives.UserHive().c_str(), 1);
        ZelSettings().Reset();
        for (auto [source, target] : {std::pair{ZelLangItalian, ZelLangEnglish},
                                      std::pair{ZelLangEnglish, ZelLangItalian}}) {
            auto& pair = Pairs.AddItem();
            pair.SetDisplayName(ZelLangPairName(source, target));
            for (const char* name : {"Dictionary", "Grammar notes", "Lexical notes", "Annotations"})
                pair.DicViewConfigList.AddItem().SetDisplayName(name);
        }
        Window.setMenuBar(new QMenuBar);
        for (const char* menu :
             {"&File", "&Edit", "&View", "&Actions", "&Options", "&Tools", "&Help"})
            Window.menuBar()->addMenu(menu);
        Manager = new TZelViewManagerFrame;
        Window.setCentralWidget(Manager);
        Manager->SetViewFactory([this](int kind, TZelDicViewConfig* config) -> TZelDicViewForm* {
            if (kind != 0)
                return nullptr;
            auto* view = new TCountingView(QString::fromStdString(config->GetDisplayName()));
            Made.push_back(view);
            return view;
        });
        Manager->SetLangConfigSource([this](TZelLanguage source, TZelLanguage) {
            return &Pairs.GetItem(source == ZelLangItalian ? 0 : 1);
        });
        Window.resize(700, 500);
        Window.show();
    }
    void TearDown() override {
        unsetenv("ZEL_USER_HIVE");
        ZelSettings().Reset();
    }
    void Idle() { QCoreApplication::processEvents(); }
    std::vector<QString> Captions() {
        std::vector<QString> captions;
        for (auto* tab : Manager->TabActions())
            captions.push_back(tab->text());
        return captions;
    }

    TTempHives Hives;
    TZelLangConfigList Pairs;
    QMainWindow Window;
    TZelViewManagerFrame* Manager;
    std::vector<TCountingView*> Made;
};

TEST_F(TManagerTest, TabsTakeLettersTheMenusLeave) {
    Manager->SetLangConfig(&Pairs.GetItem(0));
    EXPECT_EQ(Captions(), (std::vector<QString>{"&Dictionary", "&Grammar notes", "&Lexical notes",
                                                "A&nnotations"}));
    // A caption whose letters are all taken gets none.
    Pairs.GetItem(1).DicViewConfigList.GetItem(3).SetDisplayName("Favorita");
    Manager->SetLangConfig(&Pairs.GetItem(1));
    EXPECT_EQ(Captions().back(), "Favo&rita");
    Pairs.GetItem(1).DicViewConfigList.GetItem(3).SetDisplayName("Favole");
    Manager->SetLangConfig(&Pairs.GetItem(1));
    EXPECT_EQ(Captions().back(), "Favole");
}

TEST_F(TManagerTest, TwoRequestsBeforeTheIdleMomentRenderOnce) {
    Manager->SetLangConfig(&Pairs.GetItem(0));
    Idle();
    Manager->ShowLu(Reading(u"casa", u"casa").get());
    Manager->ShowLu(Reading(u"gatto", u"gatto").get());
    Idle();
    EXPECT_EQ(Made[0]->Rendered, std::vector<std::string>{"gatto"}); // the tab shown
    EXPECT_TRUE(Made[1]->Rendered.empty()); // hidden tabs render when shown
    Manager->TabActions()[1]->trigger();
    EXPECT_EQ(Made[1]->Rendered, std::vector<std::string>{"gatto"});
    EXPECT_EQ(Manager->CurrentView(), Made[1]);
}

TEST_F(TManagerTest, WhenNoViewCanShowTheUnitEveryTabIsDisabled) {
    Manager->SetLangConfig(&Pairs.GetItem(0));
    Manager->TabActions()[2]->trigger();
    for (TCountingView* view : Made)
        view->ShowAll = false;
    Manager->ShowLu(Reading(u"casa", u"casa").get());
    Idle();
    for (auto* tab : Manager->TabActions())
        EXPECT_FALSE(tab->isEnabled());
    EXPECT_EQ(Manager->CurrentView(), Made[0]); // none enabled: the first visible one
    Made[1]->ShowAll = true;
    Manager->RefreshViews();
    Idle();
    EXPECT_EQ(Manager->CurrentView(), Made[1]); // the nearest enabled tab
}

// A unit of the other language switches the pair; Back comes back to it.
TEST_F(TManagerTest, FollowingAUnitIntoTheOtherLanguageAndBack) {
    Manager->SetLangConfig(&Pairs.GetItem(1)); // English to Italian
    ZelRef<IZelSentenceItem> bank = Reading(u"bank", u"bank");
    bank->SetLanguage(ZelLangEnglish);
    Manager->ShowLu(bank.get());
    Idle();
    EXPECT_FALSE(Manager->GoBackAction()->isEnabled());
    Manager->NavigateTo(ZelReferenceItem(u"banca", ZelLangItalian).get());
    Idle();
    EXPECT_EQ(Manager->LangConfig()->GetSourceLang(), ZelLangItalian);
    EXPECT_EQ(Manager->CurrentLu()->GetLemma(), u"banca");
    EXPECT_EQ(Made.back()->Rendered.size(), 0u); // views of the pair were made anew
    EXPECT_TRUE(Manager->GoBackAction()->isEnabled());
    Manager->GoBackAction()->trigger();
    Idle();
    EXPECT_EQ(Manager->LangConfig()->GetSourceLang(), ZelLangEnglish);
    EXPECT_EQ(Manager->CurrentLu(), bank.get());
    EXPECT_TRUE(Manager->GoForwardAction()->isEnabled());
    EXPECT_EQ(dynamic_cast<TCountingView*>(Manager->CurrentView())->Rendered,
              std::vector<std::string>{"bank"});
}

// A view floated and saved comes back floating at its bounds; a view without a saved place
// docks.
TEST_F(TManagerTest, AFloatingViewComesBackFloatingWhereItWas) {
    Manager->SetLangConfig(&Pairs.GetItem(0));
    TZelDicViewForm* notes = Manager->PageViews()[1];
    EXPECT_TRUE(notes->IsDocked());
    notes->FloatAction()->trigger();
    EXPECT_FALSE(notes->IsDocked());
    EXPECT_TRUE(notes->isWindow());
    EXPECT_FALSE(Manager->TabActions()[1]->isVisible());
    EXPECT_TRUE(notes->DockAction()->isVisible());
    EXPECT_FALSE(notes->FloatAction()->isVisible());
    notes->setGeometry(QRect(60, 70, 300, 200));
    QRect bounds = notes->geometry();
    notes->SavePosition();

    Made.clear();
    Manager->SetLangConfig(nullptr);
    Manager->SetLangConfig(&Pairs.GetItem(0));
    TZelDicViewForm* again = Manager->PageViews()[1];
    EXPECT_FALSE(again->IsDocked());
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(again->geometry(), bounds);
    EXPECT_TRUE(Manager->PageViews()[0]->IsDocked());
    again->DockAction()->trigger();
    EXPECT_TRUE(again->IsDocked());
    EXPECT_EQ(Manager->CurrentView(), again);
}

TEST_F(TManagerTest, SelectViewBringsAViewToTheFrontWithItsArgument) {
    Manager->SetLangConfig(&Pairs.GetItem(0));
    Manager->SelectView(2, 7);
    EXPECT_EQ(Manager->CurrentView(), Manager->PageViews()[2]);
    EXPECT_EQ(Manager->PageViews()[2]->GetViewArgument(), 7);
    Manager->SelectView(9, 1); // no such view: nothing
    EXPECT_EQ(Manager->CurrentView(), Manager->PageViews()[2]);
}

} // namespace
