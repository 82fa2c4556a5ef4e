// zelshots: takes the user guide's pictures of the workstation. It starts the program as
// NV does (the same start-up, on the installation of its build) and, once the main window
// is up, grabs the splash, the main window and the analysis panes into PNG files of the
// folder given, named after the interface language ("splash.png", "main-en.png",
// "tree-it.png" …). Run it under a display (scripts/screenshots.sh runs it under Xvfb).
//
//   zelshots FOLDER [LANGUAGE-SUFFIX]
#include "ZelBaseDataModule.h"
#include "ZelComboBox.h"
#include "ZelCommandLine.h"
#include "ZelDD6.h"
#include "ZelDM4.h"
#include "ZelDialogs.h"
#include "ZelDic.h"
#include "ZelDicLookProgressUnit.h"
#include "ZelDicRichViewUnit.h"
#include "ZelDicViewFlexUnit.h"
#include "ZelDicViewPageUnit.h"
#include "ZelHelpBrowser.h"
#include "ZelHelpManager.h"
#include "ZelLXQueryItemUnit.h"
#include "ZelLXQueryItemsUnit.h"
#include "ZelLemmaQueryUnit.h"
#include "ZelLuListUnit.h"
#include "ZelMainData.h"
#include "ZelMorphTreeUnit.h"
#include "ZelNVMainUnit.h"
#include "ZelNVStartup.h"
#include "ZelProcess.h"
#include "ZelQNVUnit.h"
#include "ZelQtDialogs.h"
#include "ZelSettingsStore.h"
#include "ZelShadowHint.h"
#include "ZelSplash.h"
#include "ZelViewManagerUnit.h"
#include "ZelWordFormQueryUnit.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWhatsThis>

#include <cstdio>
#include <string>

namespace {

bool Save(QWidget& widget, const QString& path) {
    bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

ZelRef<IZelDicMorphEx> ItalianMorphology() {
    return ZelFirstDic<IZelDicMorphEx>(ZelLangItalian, ZelLangItalian);
}

// The first reading of the word in an analysis (of the category when one is given).
ZelRef<IZelSentenceItem> FindReading(IZelSentenceItem& item, const std::u16string& form,
                                     const std::string& category = {}) {
    if (item.GetKind() == ZelItemReading && item.GetWordForm() == form &&
        (category.empty() || item.GetCatSuffix() == " [" + category + "]"))
        return &item;
    for (int32_t i = 0; i < item.GetCount(); ++i)
        if (ZelRef<IZelSentenceItem> found = FindReading(*item.GetItem(i), form, category))
            return found;
    return nullptr;
}

// The analysis tree of a sentence with one word selected.
bool ShootTree(IZelDicMorphEx& morph, const QString& path) {
    ZelRef<IZelSentenceItem> analysis = morph.Analyze(u"Le case sono belle.");
    TZelMorphTreeFrame frame;
    frame.SetTreeFont(ZelDefaultTextFont());
    frame.SetAnalysis(analysis.get());
    QTreeWidget& tree = *frame.MorphTreeView();
    auto found = tree.findItems("case [n]", Qt::MatchExactly | Qt::MatchRecursive);
    if (!found.isEmpty())
        tree.setCurrentItem(found.front());
    frame.resize(260, 300);
    frame.show();
    QApplication::setActiveWindow(&frame);
    tree.setFocus();
    QApplication::processEvents();
    return Save(frame, path);
}

// A page as the dictionary view shows it: the word's box, its descriptions, its entry.
bool ShootPage(IZelDicMorphEx& morph, const QString& path) {
    ZelRef<IZelSentenceItem> reading = FindReading(*morph.Analyze(u"case"), u"case");
    ZelRef<TZelInterfaceList> dics = ZelMake<TZelInterfaceList>();
    CollectDics(ZelLangItalian, ZelLangEnglish, *dics, IZelDic::IID);
    TZelDicRichViewForm view("ZelDicViewPageForm");
    view.resize(560, 420);
    view.show();
    view.BeginRender();
    if (reading) {
        view.AppendTokenBox(*reading);
        view.AppendMorphInfo(*reading);
        view.AppendParagraph();
        for (int32_t d = 0; d < dics->GetCount(); ++d) {
            ZelRef<IZelDic> dic = ZelQuery<IZelDic>(dics->Get(d));
            if (!dic || ZelQuery<IZelDicMorph>(dic) || !dic->HasLuList())
                continue;
            ZelRef<IZelArrayCursor> entries =
                dic->LookupLu(reading->GetLemma(), reading->GetLemma(), -1, 0);
            for (int32_t i = 0; entries && i < entries->GetCount() && i < 1; ++i) {
                entries->SetIndex(i);
                view.AppendRtf(dic.get(), dic->GetEntryRtf(*ZelQuery<IZelLu>(entries), 0));
            }
            break;
        }
    }
    view.EndRender();
    view.SetContentVisible(true);
    QApplication::processEvents();
    bool ok = Save(view, path);
    // The hint an abbreviation shows, over the page.
    TZelShadowHint hint;
    hint.SetHintFont(ZelDefaultTextFont());
    hint.ShowAt("sostantivo", view.mapToGlobal(QPoint(120, 60)));
    QApplication::processEvents();
    QString hintPath = path;
    hintPath.replace("page-", "hint-");
    return Save(hint, hintPath) && ok;
}

// Every form of "essere".
bool ShootForms(IZelDicMorphEx& morph, const QString& path) {
    ZelRef<IZelSentenceItem> reading = FindReading(*morph.Analyze(u"essere"), u"essere", "v");
    TZelDicViewFlexForm view;
    view.SetMorphDicSource([&] { return ZelRef<IZelDicMorphEx>(&morph); });
    view.resize(560, 520);
    view.show();
    view.SetLu(reading.get());
    QApplication::processEvents();
    return Save(view, path);
}

// A part of the screen (a window with the popup it opened): what the person sees.
bool SaveScreen(const QRect& area, const QString& path) {
    QApplication::processEvents();
    bool saved = QGuiApplication::primaryScreen()
                     ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                     .save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// The main window with its Actions menu open.
bool ShootMenu(TZelNVMainForm& main, const QString& path) {
    QMenu* menu = main.ActionsMenu();
    main.menuBar()->setActiveAction(menu->menuAction());
    QApplication::processEvents();
    bool ok = SaveScreen(main.frameGeometry(), path);
    menu->close();
    return ok;
}

// The "What's this?" popup of the source text, over the window.
bool ShootWhatsThis(TZelNVMainForm& main, const QString& path) {
    QWidget* source = main.SourceEdit();
    QPoint point = source->mapToGlobal(QPoint(source->width() / 3, source->height() / 2));
    main.HelpManager()->ShowPopupHelp(point, 8010);
    bool ok = SaveScreen(main.frameGeometry(), path);
    QWhatsThis::hideText();
    return ok;
}

// The help window on the topic of the source text.
bool ShootHelp(const QString& helpFile, const QString& path) {
    TZelHelpBrowser* help = TZelHelpBrowser::Show(helpFile, "LDH_8010");
    if (!help)
        return false;
    help->resize(820, 560);
    help->move(40, 40);
    QApplication::processEvents();
    bool ok = Save(*help, path);
    help->close();
    return ok;
}

// The page view the main window shows, rendered.
TZelDicViewPageForm* ShownPage(TZelNVMainForm& main) {
    main.Views()->RefreshNow();
    auto* page = dynamic_cast<TZelDicViewPageForm*>(main.Views()->CurrentView());
    if (page && !page->IsRendered())
        page->RenderNow();
    QApplication::processEvents();
    return page;
}

// The pointer over a character of the page.
void PointAt(TZelDicViewPageForm& page, int position) {
    QPoint point = page.PageEdit()->PointOfCharacter(position) +
                   QPoint(4, page.PageEdit()->fontMetrics().height() / 2);
    page.PointerMovedTo(point);
    QApplication::processEvents();
}

// An entry with the Sources option of its page checked: where each translation comes from,
// the mark of a translation through one other language, FreeDict's unchecked ones.
bool ShootSources(TZelNVMainForm& main, const std::u16string& word, TZelLanguage language,
                  const QString& path) {
    main.Views()->ShowLu(ZelReferenceItem(word, language).get());
    main.Views()->SelectView(0, 0);
    TZelDicViewPageForm* page = ShownPage(main);
    TZelViewOptionAction* sources = nullptr;
    for (auto* action :
         page ? page->findChildren<TZelViewOptionAction*>() : QList<TZelViewOptionAction*>())
        if (action->Option()->ElementName == u"sources")
            sources = action;
    if (!sources || !sources->isEnabled()) {
        std::puts("no Sources option on the page");
        return false;
    }
    sources->trigger();
    page->RenderNow();
    QApplication::processEvents();
    bool ok = Save(main, path);
    sources->trigger();
    page->RenderNow();
    return ok;
}

// The hot spots of an entry: a cross-reference lit under the pointer, a word of the entry
// lit with its language's flag beside it, an abbreviation's hint; then a floating view and
// an entry with a picture.
bool ShootHotSpots(TZelNVMainForm& main, const QString& folder, const QString& suffix) {
    bool ok = true;
    QRect area = main.frameGeometry().adjusted(0, 0, 40, 40);
    main.Views()->ShowLu(ZelReferenceItem(u"casa", ZelLangItalian).get());
    main.Views()->SelectView(0, 0);
    TZelDicViewPageForm* page = ShownPage(main);
    if (!page) {
        std::puts("no page view in front for the hot spots");
        return false;
    }
    QString text = page->PageEdit()->toPlainText();
    for (const auto& spot : page->HotSpots())
        if (dynamic_cast<TZelHotSpotRef*>(spot.get())) {
            PointAt(*page, spot->Start + 1);
            break;
        }
    ok = SaveScreen(area, folder + "/reference-" + suffix + ".png") && ok;
    PointAt(*page, int(text.indexOf("casa")) + 1);
    ok = SaveScreen(area, folder + "/word-" + suffix + ".png") && ok;
    PointAt(*page, int(text.indexOf(" s.")) + 1);
    ok = SaveScreen(area, folder + "/abbreviation-" + suffix + ".png") && ok;
    page->OnHover(&main, {});

    main.Views()->ShowLu(ZelReferenceItem(u"Italy", ZelLangEnglish).get());
    ShownPage(main);
    ok = Save(main, folder + "/picture-" + suffix + ".png") && ok;

    // The views are made anew for each language pair: take the notes view of the Italian
    // one once it is up.
    main.Views()->ShowLu(ZelReferenceItem(u"essere", ZelLangItalian).get());
    ShownPage(main);
    const auto& views = main.Views()->PageViews();
    TZelDicViewForm* notes = views.size() > 1 ? views[1] : nullptr;
    if (notes) {
        notes->SetFloatingBounds(QRect(main.x() + 420, main.y() + 260, 460, 300));
        notes->SetDocked(false);
        if (!notes->IsRendered())
            notes->RenderNow();
        QApplication::processEvents();
        ok = SaveScreen(main.frameGeometry().united(notes->frameGeometry()),
                        folder + "/floating-" + suffix + ".png") &&
             ok;
        notes->SetDocked(true);
    }
    return ok;
}

// The panes of searching side by side: the headword list, an editor above the entry of the
// row chosen.
struct TSearchWindow {
    QSplitter Window{Qt::Horizontal};
    TZelLuListFrame* List = new TZelLuListFrame;
    QSplitter* Right = new QSplitter(Qt::Vertical);
    TZelDicViewPageForm* Page = new TZelDicViewPageForm;
    TZelDicViewConfig Config;

    TSearchWindow(QWidget* editor, TZelLanguage source) {
        Window.addWidget(List);
        Window.addWidget(Right);
        Right->addWidget(editor);
        Right->addWidget(Page);
        Right->setSizes({200, 300});
        Window.setSizes({220, 760});
        Window.resize(980, 520);
        Window.move(20, 20);
        ZelSynchronizeView(Config, source,
                           source == ZelLangItalian ? ZelLangEnglish : ZelLangItalian);
        Page->SetViewConfig(&Config);
        List->OnSelect = [this, source](IZelLu* lu) {
            Page->SetLu(ZelReferenceItem(lu->GetWideText(), source).get());
        };
        Window.show();
        QApplication::processEvents();
    }
};

bool ShootSearches(const QString& folder, const QString& suffix) {
    bool ok = true;
    ZelRef<IZelDicList> dics = GetDicList();
    {
        // The headword list positioned on a word as it is typed.
        TZelLuListFrame list;
        list.resize(240, 420);
        list.move(20, 20);
        list.show();
        ZelRef<TZelDicList> main = ZelMake<TZelDicList>();
        for (int32_t i = 0; i < dics->GetCount(); ++i)
            if (ZelRef<IZelDic> dic = dics->GetDic(i); dic && dic->GetId().rfind("DD6KNV1", 0) == 0)
                main->Add(ZelRef<IZelUnknown>(dic));
        list.ShowDictionaries(main.get());
        list.DicChooser()->setCurrentIndex(1);
        QTest::keyClicks(list.FindEdit(), "cas");
        QApplication::processEvents();
        ok = Save(list, folder + "/list-" + suffix + ".png") && ok;
    }
    {
        // An advanced search with conditions on two fields, and its results.
        auto* editor = new TZelLemmaQueryFrame;
        TSearchWindow window(editor, ZelLangItalian);
        editor->SetDictionaries(dics.get());
        int italian = editor->DictionaryComboBox()->findText(
            QCoreApplication::translate("ZelGuiTranslations", "Dictionary (Italian - English)"));
        editor->DictionaryComboBox()->setCurrentIndex(std::max(italian, 0));
        TZelLXQueryItemFrame& headword = *editor->Rows()[0]->Boxes()[0];
        QTest::keyClicks(headword.Arg1Edit(), "c");
        TZelLXQueryItemFrame& translation = *editor->Rows()[1]->Boxes()[0];
        QTest::keyClicks(translation.Arg1Edit(), "house");
        translation.AddButton()->click();
        TZelLXQueryItemFrame& second = *editor->Rows()[1]->Boxes()[1];
        second.ConnectorList()->setCurrentIndex(0); // or
        QTest::keyClicks(second.Arg1Edit(), "home");
        QObject::connect(editor, &TZelLXQueryFrame::QueryChanged,
                         [&] { window.List->ShowCursor(editor->Query().GetResult()); });
        editor->Search();
        if (editor->ProgressWindow() && editor->ProgressWindow()->isVisible())
            editor->ProgressWindow()->CancelButton()->click(); // "Close" after the figures
        window.List->List()->setCurrentIndex(window.List->List()->model()->index(0, 0));
        QApplication::processEvents();
        ok = Save(window.Window, folder + "/advanced-" + suffix + ".png") && ok;
    }
    {
        // The anagrams of a word among every form of the Italian morphology.
        auto* editor = new TZelWordFormQueryFrame;
        TSearchWindow window(editor, ZelLangItalian);
        if (ZelRef<IZelDicMorph> morph = ZelFirstDic<IZelDicMorph>(ZelLangItalian, ZelLangItalian))
            editor->SetDictionary(ZelQuery<IZelDic>(morph));
        if (!editor->Rows().empty()) {
            TZelLXQueryItemFrame& form = *editor->Rows()[0]->Boxes()[0];
            form.OperatorList()->setCurrentIndex(form.OperatorList()->findData(int(okAnagramOf)));
            QTest::keyClicks(form.Arg1Edit(), "rota");
            editor->Search();
            if (editor->ProgressWindow() && editor->ProgressWindow()->isVisible())
                editor->ProgressWindow()->CancelButton()->click();
            window.List->ShowCursor(editor->Query().GetResult());
        }
        QApplication::processEvents();
        ok = Save(window.Window, folder + "/wordform-" + suffix + ".png") && ok;
    }
    {
        // The progress window in the middle of a long search.
        TZelDicLookProgressForm progress;
        progress.Start();
        progress.SetStartTime(QDateTime::currentDateTime().addSecs(-47));
        progress.Progress(420000, 318, 1000000);
        progress.UpdateTimes();
        QApplication::processEvents();
        ok = Save(progress, folder + "/progress-" + suffix + ".png") && ok;
        progress.CloseProgress();
    }
    return ok;
}

// Runs an editor's search and closes the progress window it leaves with the figures.
void RunSearch(TZelLXQueryFrame& editor) {
    editor.Search();
    if (editor.ProgressWindow() && editor.ProgressWindow()->isVisible())
        editor.ProgressWindow()->CancelButton()->click();
    QApplication::processEvents();
}

// The main window in each of its modes: the headword list positioned by typing, an advanced
// search for the headwords translated "house", the anagrams of "rota" among every form.
bool ShootModes(TZelNVMainForm& main, const QString& folder, const QString& suffix) {
    bool ok = true;
    main.SetLanguagePair(ZelLangItalian, ZelLangEnglish);
    main.FindAction("ViewLemmaListAction")->trigger();
    QTest::keyClicks(main.LuList()->FindEdit(), "cas");
    ShownPage(main);
    ok = Save(main, folder + "/mode-list-" + suffix + ".png") && ok;

    main.FindAction("ViewLemmaSearchAction")->trigger();
    TZelLemmaQueryFrame& search = *main.LemmaQuery();
    int italian = search.DictionaryComboBox()->findText(
        QCoreApplication::translate("ZelGuiTranslations", "Dictionary (Italian - English)"));
    search.DictionaryComboBox()->setCurrentIndex(std::max(italian, 0));
    if (search.Rows().size() > 1) {
        TZelLXQueryItemFrame& translation = *search.Rows()[1]->Boxes()[0];
        QTest::keyClicks(translation.Arg1Edit(), "house");
        RunSearch(search);
        main.LuList()->List()->setCurrentIndex(main.LuList()->List()->model()->index(0, 0));
    }
    ShownPage(main);
    ok = Save(main, folder + "/mode-search-" + suffix + ".png") && ok;

    main.FindAction("ViewWordFormSearchAction")->trigger();
    TZelWordFormQueryFrame& forms = *main.WordFormQuery();
    if (!forms.Rows().empty()) {
        TZelLXQueryItemFrame& form = *forms.Rows()[0]->Boxes()[0];
        form.OperatorList()->setCurrentIndex(form.OperatorList()->findData(int(okAnagramOf)));
        QTest::keyClicks(form.Arg1Edit(), "rota");
        RunSearch(forms);
        main.LuList()->List()->setCurrentIndex(main.LuList()->List()->model()->index(1, 0));
    }
    ShownPage(main);
    ok = Save(main, folder + "/mode-wordform-" + suffix + ".png") && ok;
    main.FindAction("ViewFreeTextAction")->trigger();
    return ok;
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
    ZelSetCommandLine(std::vector<std::string>{"-ns"});
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
                splash.close();
                main.LookUp("Le case sono belle. Il gatto dorme sul divano.");
                main.SourceEdit()->SetCaretPosition(4); // on "case"
                ShownPage(main);
                ok = Save(main, folder + "/main-" + suffix + ".png") && ok;
                ok = ShootModes(main, folder, suffix) && ok;
                {
                    // Quick Norvel with a word typed.
                    TZelQNVForm quick;
                    quick.move(40, 40);
                    quick.show();
                    QTest::keyClicks(quick.WordEdit(), "case");
                    quick.LookUp("case");
                    QApplication::processEvents();
                    ok = Save(quick, folder + "/qnv-" + suffix + ".png") && ok;
                }
                {
                    // The annotation editor on a note, grabbed while it waits for the user.
                    QTimer::singleShot(300, [&] {
                        if (QWidget* dialog = QApplication::activeModalWidget()) {
                            ok = Save(*dialog, folder + "/annotation-" + suffix + ".png") && ok;
                            dialog->close();
                        }
                    });
                    ZelEditAnnotation(&main, "Un gatto nero porta fortuna.");
                }
                main.LookUp("Le case sono belle. Il gatto dorme sul divano.");
                main.move(20, 20);
                ok = ShootMenu(main, folder + "/menu-" + suffix + ".png") && ok;
                ok = ShootWhatsThis(main, folder + "/whatsthis-" + suffix + ".png") && ok;
                ok = ShootHotSpots(main, folder, suffix) && ok;
                ok = ShootSources(main, u"albero", ZelLangItalian,
                                  folder + "/sources-" + suffix + ".png") &&
                     ok;
                ok = ShootSearches(folder, suffix) && ok;
                ok = ShootHelp(startup.DataModule()->GetHelpFile(),
                               folder + "/help-" + suffix + ".png") &&
                     ok;
                if (ZelRef<IZelDicMorphEx> morph = ItalianMorphology()) {
                    ok = ShootTree(*morph, folder + "/tree-" + suffix + ".png") && ok;
                    ok = ShootPage(*morph, folder + "/page-" + suffix + ".png") && ok;
                    ok = ShootForms(*morph, folder + "/forms-" + suffix + ".png") && ok;
                } else {
                    std::puts("no Italian morphology installed");
                    ok = false;
                }
                status = ok ? 0 : 1;
                QApplication::quit();
            });
            QApplication::exec();
        }
    }
    ZelReleaseDicList(true);
    return status;
}
