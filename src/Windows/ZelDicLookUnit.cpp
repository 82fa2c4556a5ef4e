#include "ZelDicLookUnit.h"

#include "ZelActions.h"
#include "ZelAppEvents.h"
#include "ZelBaseDataModule.h"
#include "ZelConfig.h"
#include "ZelDM4.h"
#include "ZelDialogs.h"
#include "ZelDicRichViewUnit.h"
#include "ZelDicViewFlexUnit.h"
#include "ZelDicViewPageUnit.h"
#include "ZelFlagDataModule.h"
#include "ZelLangConfig.h"
#include "ZelLangList.h"
#include "ZelLemmaQueryUnit.h"
#include "ZelMorphTreeUnit.h"
#include "ZelQtText.h"
#include "ZelRichEdit.h"
#include "ZelUtils.h"
#include "ZelViewManagerUnit.h"
#include "ZelWordFormQueryUnit.h"

#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(LookLog, "norvel.lookup")

const char* const Context = "TZelDicLookForm";

// The modes' actions, in the order of their values.
const std::vector<TZelActionSpec>& ModeActions() {
    static const std::vector<TZelActionSpec> table = {
        {"ViewFreeTextAction",
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Free Text"),
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Free text mode"),
         nullptr,
         10303,
         21,
         {},
         true},
        {"ViewLemmaListAction",
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Headword List"),
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Headword list mode"),
         nullptr,
         10304,
         22,
         {},
         true},
        {"ViewLemmaSearchAction",
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Advanced Search"),
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Advanced search mode"),
         nullptr,
         10305,
         23,
         {},
         true},
        {"ViewTaggerAction",
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Tagger"),
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Tagger"),
         nullptr,
         10307,
         27,
         {},
         true},
        {"ViewWordFormSearchAction",
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Word Form Search"),
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Word form search mode"),
         nullptr,
         10306,
         24,
         {},
         true},
    };
    return table;
}

const std::vector<TZelActionSpec>& ViewActions() {
    static const std::vector<TZelActionSpec> table = {
        {"ViewZoomInAction", QT_TRANSLATE_NOOP("TZelDicLookForm", "Zoom &In"),
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Zoom in"), nullptr, 18001, 33, QKeySequence::ZoomIn},
        {"ViewZoomOutAction", QT_TRANSLATE_NOOP("TZelDicLookForm", "Zoom &Out"),
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Zoom out"), nullptr, 18002, 32,
         QKeySequence::ZoomOut},
        {"ViewAvailableDictionariesAction",
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Available Dictionaries"),
         QT_TRANSLATE_NOOP("TZelDicLookForm", "Show all available dictionaries"), nullptr, 10311,
         26},
    };
    return table;
}

const char* const StateTexts[] = {QT_TRANSLATE_NOOP("TZelDicLookForm", "Not ready"),
                                  QT_TRANSLATE_NOOP("TZelDicLookForm", "Ready"), "",
                                  QT_TRANSLATE_NOOP("TZelDicLookForm", "Browse")};

constexpr int ModeButtonWidth = 64;
constexpr int ModeButtonHeight = 60;
constexpr int BrowseInterval = 100; // ms
constexpr int HoverTicks = 5;

// A caption broken into lines that fit a width, at its spaces.
QString WrapCaption(const QString& caption, const QFontMetrics& metrics, int width) {
    QStringList lines;
    for (const QString& word : QString(caption).remove('&').split(' ', Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + ' ' + word) <= width)
            lines.back() += ' ' + word;
        else
            lines << word;
    }
    return lines.join('\n');
}

// Replaces an action by another in a menu or toolbar, in its place.
void ReplaceAction(QWidget* container, QAction* old, QAction* next) {
    if (!container || !old || old == next || !container->actions().contains(old))
        return;
    container->insertAction(old, next);
    container->removeAction(old);
}

// The zoom steps: Zoom Out undoes Zoom In.
//   ZoomedIn(10) == 11, ZoomedIn(20) == 22, ZoomedOut(22) == 20, ZoomedOut(21) == 19
int ZoomedIn(int size) {
    return size + size / 20 + 1;
}
int ZoomedOut(int size) {
    return size - (size - 1) / 20 - 1;
}

TZelDicLookConfig* LookConfig() {
    TZelBaseAppDataModule* module = ZelDataModule();
    return module ? dynamic_cast<TZelDicLookConfig*>(module->GetConfig()) : nullptr;
}

} // namespace

void* TZelGUIState::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelGUIState::IID)
        return static_cast<IZelGUIState*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

// ---------------------------------------------------------------------------------------
// Creation

TZelDicLookForm::TZelDicLookForm(const QString& name, QWidget* parent)
    : TZelLangForm(name, parent), AnalysisTree(new TZelMorphTreeFrame),
      ViewManager(new TZelViewManagerFrame), BrowsePanel(new QWidget),
      BrowseSplitter(new QSplitter(Qt::Horizontal)), Timer(new QTimer(this)),
      ModeGroup(new QActionGroup(this)) {
    DicList = ZelMake<TZelDicList>();
    NoDics = IsCmdLineSwitch("nl");
    if (ZelLangList().GetCount() == 0) {
        NoDics = true;
        ZelDialogs().MessageBox(
            (QApplication::applicationDisplayName() + tr(" Warning")).toStdString(),
            tr("Warning: there are not installed dictionaries: most features of Lexorin will be "
               "unavailable.")
                .toStdString(),
            TZelMsgButtons::Ok, TZelMsgIcon::Warning);
    }
    SavedStates.resize(size_t(std::max(ZelLangList().GetCount(), 1)));
    CursorPosition = [] { return QCursor::pos(); };
    ViewManager->SetViewFactory(
        [this](int kind, TZelDicViewConfig* config) { return CreateView(kind, config); });
    BuildPanes();
    CreateModeActions();
    CreateViewToolbar();
    CreateZoomActions();
    CreateTargetLanguageControls();
    Timer->setInterval(BrowseInterval);
    connect(Timer, &QTimer::timeout, this, &TZelDicLookForm::BrowseTick);
    BoundAnalyze = FindAction("ActionsAnalyzeAction");
    BoundFileNew = FindAction("FileNewAction");
    connect(BoundAnalyze, &QAction::triggered, this, &TZelDicLookForm::Analyze);
    connect(SourceEdit(), &QTextEdit::textChanged, this, &TZelDicLookForm::OnTextChanged);
    connect(SourceEdit(), &QTextEdit::cursorPositionChanged, this, &TZelDicLookForm::OnCaretMoved);
    connect(AnalysisTree, &TZelMorphTreeFrame::Selected, this,
            [this](IZelSentenceItem* item) { SetCurrentLu(item); });
    connect(AnalysisTree, &TZelMorphTreeFrame::ClearedWhileFocused, this,
            [this] { SourceEdit()->setFocus(); });
    FindAction("ViewFreeTextAction")->setChecked(true);
    FindAction("ViewLemmaListAction")->setEnabled(false);
    FindAction("ViewLemmaSearchAction")->setEnabled(false);
    FindAction("ViewWordFormSearchAction")->setEnabled(false);
    FindAction("ViewTaggerAction")->setEnabled(false);
    FindAction("ViewTaggerAction")->setVisible(false);
    EnterTextMode();
    if (QLabel* panel = StatusPanel(2))
        panel->setText(tr(StateTexts[ZelStateNotReady]));
    resize(1000, 660);
    QTimer::singleShot(0, this, &TZelDicLookForm::OnFirstIdle);
}

TZelDicLookForm::~TZelDicLookForm() {
    Timer->stop();
}

void TZelDicLookForm::BuildPanes() {
    BrowsePanel->setObjectName("BrowsePane");
    auto* browse = new QVBoxLayout(BrowsePanel);
    browse->setContentsMargins(0, 0, 0, 0);
    browse->addWidget(AnalysisTree);
    BrowseSplitter->setObjectName("BrowseSplitter");
    BrowseSplitter->addWidget(BrowsePanel);
    BrowseSplitter->addWidget(ViewManager);
    BrowseSplitter->setStretchFactor(1, 1);
    BrowseSplitter->setSizes({230, 770});
    auto* target = new QVBoxLayout(TargetPane());
    target->setContentsMargins(0, 0, 0, 0);
    target->addWidget(BrowseSplitter);
}

void TZelDicLookForm::CreateModeActions() {
    std::vector<QAction*> actions =
        ZelCreateActions(this, Context, ModeActions(), ZelToolbarPictures());
    QMenu* view = ViewMenu();
    QAction* first = view->actions().value(0);
    for (size_t mode = 0; mode < actions.size(); ++mode) {
        QAction* action = actions[mode];
        addAction(action);
        ModeGroup->addAction(action);
        view->insertAction(first, action);
        connect(action, &QAction::triggered, this, [this, mode] { SetGUIMode(uint8_t(mode)); });
    }
    view->insertSeparator(first);
}

// The modes as large buttons down the window's left edge, exactly one of them down.
void TZelDicLookForm::CreateViewToolbar() {
    QToolBar* bar = AddToolBar("ViewToolBar", tr("View"));
    addToolBar(Qt::LeftToolBarArea, bar);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(32, 32));
    for (int mode = 0; mode < ZelGUIModeCount; ++mode) {
        QAction* action = ModeAction(uint8_t(mode));
        bar->addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
            button->setMinimumSize(ModeButtonWidth, ModeButtonHeight);
            button->setMaximumWidth(ModeButtonWidth + 8);
            action->setIconText(
                WrapCaption(action->text(), button->fontMetrics(), ModeButtonWidth));
            // Read as one caption, not as the lines the button draws.
            button->setAccessibleName(QString(action->text()).remove('&'));
        }
    }
}

void TZelDicLookForm::CreateZoomActions() {
    std::vector<QAction*> actions =
        ZelCreateActions(this, Context, ViewActions(), ZelToolbarPictures());
    for (QAction* action : actions)
        addAction(action);
    QAction* zoomIn = FindAction("ViewZoomInAction");
    QAction* zoomOut = FindAction("ViewZoomOutAction");
    connect(zoomIn, &QAction::triggered, this, &TZelDicLookForm::ZoomIn);
    connect(zoomOut, &QAction::triggered, this, &TZelDicLookForm::ZoomOut);
    QMenu* view = ViewMenu();
    QAction* first = view->actions().value(0);
    view->insertAction(first, zoomIn);
    view->insertAction(first, zoomOut);
    view->insertSeparator(first);
    view->insertAction(first, FindAction("ViewAvailableDictionariesAction"));
    view->insertSeparator(first);
    if (auto* standard = findChild<QToolBar*>("StandardToolBar")) {
        standard->addSeparator();
        standard->addAction(zoomIn);
        standard->addAction(zoomOut);
    }
    connect(FindAction("ViewAvailableDictionariesAction"), &QAction::triggered, this, [this] {
        if (!AvailableDicsForm)
            AvailableDicsForm = new TZelAvailableDicsForm(this);
        AvailableDicsForm->Show();
    });
}

void TZelDicLookForm::CreateTargetLanguageControls() {
    TargetLanguages = new QMenu(tr("&Target Language"), this);
    TargetLanguages->setObjectName("TargetLanguageMenu");
    QMenu* file = FileMenu();
    file->insertMenu(file->actions().value(1), TargetLanguages);
    TargetButton = ZelAddLanguageButton(AddToolBar("TargetLanguageToolBar", tr("Target Language")),
                                        "TargetLanguageButton", TargetLanguages);
}

void TZelDicLookForm::BuildSourceLanguageMenu() {
    TZelLangList& languages = ZelLangList();
    for (int32_t i = 0; i < languages.GetCount(); ++i)
        AddSourceLanguageItem(languages.GetSource(i));
}

void TZelDicLookForm::Prepare() {
    TZelLangForm::Prepare();
    if (!NoDics && SourceLanguage() == 0 && ZelLangList().GetCount() > 0)
        SetSourceLanguage(ZelLangList().GetSource(0));
}

void TZelDicLookForm::OnFirstIdle() {
    AnnounceToCompanion();
    emit FirstIdle();
}

// ---------------------------------------------------------------------------------------
// Panes made on first use

TZelLuListFrame* TZelDicLookForm::EnsureLuList() {
    if (!LuListPane) {
        LuListPane = CreateLuListFrame();
        LuListPane->setObjectName("LuListPane");
        LuListPane->hide();
        BrowsePanel->layout()->addWidget(LuListPane);
        LuListPane->SetPaneFont(ZelDefaultTextFont());
        LuListPane->OnSelect = [this](IZelLu* lu) { OnLuListSelect(lu); };
    }
    return LuListPane;
}

TZelLuListFrame* TZelDicLookForm::CreateLuListFrame() {
    return new TZelLuListFrame;
}

TZelLemmaQueryFrame* TZelDicLookForm::CreateQueryFrame() {
    return new TZelLemmaQueryFrame;
}

void TZelDicLookForm::InsertQueryEditor(QWidget* editor) {
    editor->hide();
    static_cast<QHBoxLayout*>(SourcePane()->layout())->insertWidget(0, editor, 1);
}

TZelLemmaQueryFrame* TZelDicLookForm::EnsureLemmaQuery() {
    if (!LemmaQueryPane) {
        LemmaQueryPane = CreateQueryFrame();
        LemmaQueryPane->setObjectName("LemmaQueryPane");
        InsertQueryEditor(LemmaQueryPane);
        connect(LemmaQueryPane, &TZelLXQueryFrame::QueryChanged, this,
                [this] { OnQueryChanged(ZelModeLemmaSearch); });
        LemmaQueryPane->OnShowTextFoundChanged = [this] { ViewManager->RefreshViews(); };
    }
    return LemmaQueryPane;
}

TZelWordFormQueryFrame* TZelDicLookForm::EnsureWordFormQuery() {
    if (!WordFormQueryPane) {
        WordFormQueryPane = new TZelWordFormQueryFrame;
        WordFormQueryPane->setObjectName("WordFormQueryPane");
        InsertQueryEditor(WordFormQueryPane);
        connect(WordFormQueryPane, &TZelLXQueryFrame::QueryChanged, this,
                [this] { OnQueryChanged(ZelModeWordFormSearch); });
        if (Morph)
            WordFormQueryPane->SetDictionary(ZelQuery<IZelDic>(Morph));
    }
    return WordFormQueryPane;
}

// ---------------------------------------------------------------------------------------
// Modes

QAction* TZelDicLookForm::ModeAction(uint8_t mode) const {
    return FindAction(ModeActions()[mode].Name);
}

int TZelDicLookForm::LanguageSlot() const {
    int index = ZelLangList().IndexOfSource(SourceLanguage());
    return index >= 0 && size_t(index) < SavedStates.size() ? index : 0;
}

void TZelDicLookForm::SetGUIMode(uint8_t mode) {
    // A mode the pair does not offer (its action is disabled) is not entered.
    if (mode >= ZelGUIModeCount || !ModeAction(mode)->isEnabled())
        return;
    if (mode == Mode) {
        ModeAction(mode)->setChecked(true);
        return;
    }
    setUpdatesEnabled(false);
    LeaveMode();
    EnterMode(mode);
    Mode = mode;
    setUpdatesEnabled(true);
    UpdateDocumentActions();
    RestoreState();
}

namespace {

bool IsListMode(uint8_t mode) {
    return mode == ZelModeLemmaList || mode == ZelModeLemmaSearch || mode == ZelModeWordFormSearch;
}

} // namespace

// What the current mode looks like, into the slot of the source language.
void TZelDicLookForm::CaptureState() {
    auto state = ZelMake<TZelGUIState>();
    state->SetActiveControl(focusWidget());
    if (IsListMode(Mode) && LuListPane)
        state->SetLuListState(LuListPane->GetState());
    SavedStates[size_t(LanguageSlot())][Mode] = ZelRef<IZelGUIState>(state);
}

// A change of the source language in a list mode keeps each language's place in the list.
void TZelDicLookForm::KeepingListStates(const std::function<void()>& change) {
    bool listMode = IsListMode(Mode);
    TZelLanguage before = SourceLanguage();
    if (listMode)
        CaptureState();
    change();
    if (listMode && IsListMode(Mode) && SourceLanguage() != before)
        RestoreState();
}

void TZelDicLookForm::LeaveMode() {
    CaptureState();
    RememberSourcePaneHeight();
    switch (Mode) {
    case ZelModeFreeText:
    case ZelModeTagger:
        SourceEdit()->hide();
        SourcePane()->hide();
        if (Mode == ZelModeFreeText)
            AnalysisTree->hide();
        else
            SetTaggerMode(false);
        FindAction("ActionsAnalyzeAction")->setEnabled(false);
        FindAction("FileNewAction")->setEnabled(false);
        break;
    case ZelModeLemmaList:
        LuListPane->hide();
        FindAction("FileNewAction")->setEnabled(false);
        statusBar()->clearMessage();
        break;
    case ZelModeLemmaSearch:
        LemmaQueryPane->hide();
        SourcePane()->hide();
        LuListPane->hide();
        statusBar()->clearMessage();
        break;
    case ZelModeWordFormSearch:
        WordFormQueryPane->hide();
        SourcePane()->hide();
        LuListPane->hide();
        SourceSplitter()->handle(1)->setEnabled(true);
        statusBar()->clearMessage();
        break;
    }
    ModeAction(Mode)->setChecked(false);
}

void TZelDicLookForm::EnterMode(uint8_t mode) {
    switch (mode) {
    case ZelModeFreeText:
        AnalysisTree->show();
        EnterTextMode();
        break;
    case ZelModeLemmaList:
        SetAnalysisState(ZelStateBrowse);
        EnsureLuList()->ShowDictionaries(DicList.get());
        LuListPane->show();
        BindFileNew(FindAction("FileNewAction"));
        FindAction("FileNewAction")->setEnabled(true);
        ModeAction(mode)->setChecked(true);
        LuListPane->FindEdit()->setFocus();
        break;
    case ZelModeLemmaSearch:
    case ZelModeWordFormSearch: {
        SetAnalysisState(ZelStateBrowse);
        TZelLXQueryFrame* editor = mode == ZelModeLemmaSearch
                                       ? static_cast<TZelLXQueryFrame*>(EnsureLemmaQuery())
                                       : EnsureWordFormQuery();
        SourceEdit()->hide();
        editor->show();
        SourcePane()->show();
        if (mode == ZelModeLemmaSearch) {
            SetSourcePaneHeight(QueryHeight > 0 ? QueryHeight : editor->PreferredHeight());
        } else {
            // A fixed height: the pane cannot be resized in this mode.
            SetSourcePaneHeight(editor->PreferredHeight());
            SourceSplitter()->handle(1)->setEnabled(false);
        }
        EnsureLuList()->ShowCursor(editor->Query().GetResult());
        LuListPane->show();
        BindAnalyze(editor->SearchAction());
        BindFileNew(editor->ClearQueryAction());
        ModeAction(mode)->setChecked(true);
        if (QWidget* first = editor->FirstControl())
            first->setFocus();
        break;
    }
    case ZelModeTagger:
        if (AnalysisState() == ZelStateBrowse)
            SetAnalysisState(ZelStateReady);
        SetTaggerMode(true);
        Mode = mode; // the text steps below test the mode
        EnterTextMode();
        break;
    }
}

// Free Text and Tagger: the source text with Analyze and Clear Text.
void TZelDicLookForm::EnterTextMode() {
    if (LemmaQueryPane)
        LemmaQueryPane->hide();
    if (WordFormQueryPane)
        WordFormQueryPane->hide();
    SourceEdit()->show();
    SourcePane()->show();
    SetSourcePaneHeight(TextHeight);
    QAction* analyze = FindAction("ActionsAnalyzeAction");
    QAction* fileNew = FindAction("FileNewAction");
    BindAnalyze(analyze);
    BindFileNew(fileNew);
    analyze->setEnabled(AnalysisState() == ZelStateReady || AnalysisState() == ZelStateBrowse);
    fileNew->setEnabled(true);
    ModeAction(Mode == ZelModeTagger ? ZelModeTagger : ZelModeFreeText)->setChecked(true);
    SourceEdit()->setFocus();
}

void TZelDicLookForm::RestoreState() {
    ZelRef<IZelGUIState> state = SavedStates[size_t(LanguageSlot())][Mode];
    if (!state) {
        if (Mode == ZelModeFreeText) {
            SetAnalysisState(ZelStateReady);
            SetCurrentLu(nullptr);
        }
        return;
    }
    if (Mode == ZelModeFreeText) {
        if (AnalysisTree->Analysis()) {
            SetAnalysisState(ZelStateBrowse);
            SetCurrentLu(AnalysisTree->GetSelected());
        } else {
            SetAnalysisState(ZelStateReady);
            SetCurrentLu(nullptr);
        }
    }
    if (IsListMode(Mode) && LuListPane) {
        TZelLuListState list;
        state->GetLuListState(list);
        LuListPane->SetState(list);
    }
    if (QWidget* control = state->GetActiveControl(); control && control->isVisibleTo(this) &&
                                                      control->isEnabled() &&
                                                      control->focusPolicy() != Qt::NoFocus)
        control->setFocus();
}

void TZelDicLookForm::SwitchToFreeTextIfChecked(uint8_t mode) {
    if (ModeAction(mode)->isChecked())
        SetGUIMode(ZelModeFreeText);
}

// The Analyze item of the Actions menu and the run panel's button run this action.
void TZelDicLookForm::BindAnalyze(QAction* action) {
    AnalyzeButton()->setDefaultAction(action);
    ReplaceAction(ActionsMenu(), BoundAnalyze, action);
    BoundAnalyze = action;
}

// The File menu's and the standard toolbar's first item run this action.
void TZelDicLookForm::BindFileNew(QAction* action) {
    ReplaceAction(FileMenu(), BoundFileNew, action);
    ReplaceAction(findChild<QToolBar*>("StandardToolBar"), BoundFileNew, action);
    BoundFileNew = action;
}

void TZelDicLookForm::SetSourcePaneHeight(int height) {
    QSplitter* splitter = SourceSplitter();
    int total = std::max(splitter->height(), height + 200);
    splitter->setSizes({height, total - height});
}

void TZelDicLookForm::RememberSourcePaneHeight() {
    if (!SourcePane()->isVisible())
        return;
    int height = SourcePane()->height();
    if (Mode == ZelModeFreeText || Mode == ZelModeTagger)
        TextHeight = height;
    else if (Mode == ZelModeLemmaSearch)
        QueryHeight = height;
}

void TZelDicLookForm::FileNew() {
    if (Mode == ZelModeLemmaList && LuListPane) {
        LuListPane->FindEdit()->clear();
        LuListPane->FindEdit()->setFocus();
        return;
    }
    TZelLangForm::FileNew();
}

bool TZelDicLookForm::DocumentActionsAvailable() const {
    return Mode == ZelModeFreeText || Mode == ZelModeTagger;
}

// ---------------------------------------------------------------------------------------
// Languages and dictionaries

void TZelDicLookForm::SetSourceLanguage(TZelLanguage language) {
    if (language == SourceLanguage())
        return;
    KeepingListStates([this, language] {
        TZelLanguage target = ChangeSource(language);
        if (target == 0)
            return;
        if (target == Target)
            ReloadDictionaries();
        else
            SetTargetLanguage(target);
    });
}

// The source language stored and shown, its analyses forgotten (they were of the other
// language), the target menu rebuilt; the target it checks (see FillTargetMenu).
TZelLanguage TZelDicLookForm::ChangeSource(TZelLanguage language) {
    TZelLangForm::SetSourceLanguage(language);
    SentenceList.SetText({});
    ShownSentence = -1;
    return FillTargetMenu();
}

// The target-language menu of the source language: one item per target it offers, the
// current target checked when it is among them, else the first; that target is returned
// (0 when the language list offers none, which the list never does for its sources).
TZelLanguage TZelDicLookForm::FillTargetMenu() {
    TargetLanguages->clear();
    for (QActionGroup* old : TargetLanguages->findChildren<QActionGroup*>())
        delete old;
    TZelLangList& languages = ZelLangList();
    int32_t source = languages.IndexOfSource(SourceLanguage());
    QAction* chosen = nullptr;
    for (int32_t i = 0; source >= 0 && i < languages.GetTargetCount(source); ++i) {
        TZelLanguage target = languages.GetTarget(source, i);
        QAction* item = ZelAddLanguageItem(TargetLanguages, target);
        connect(item, &QAction::triggered, this, [this, target] { SetTargetLanguage(target); });
        if (target == Target || !chosen)
            chosen = item;
    }
    if (!chosen) {
        qCWarning(LookLog) << "the language list offers no target for" << SourceLanguage();
        return 0;
    }
    chosen->setChecked(true);
    return TZelLanguage(chosen->data().toInt());
}

void TZelDicLookForm::SetTargetLanguage(TZelLanguage language) {
    if (language == Target)
        return;
    ZelShowLanguage(TargetButton, TargetLanguages, language);
    Target = language;
    ReloadDictionaries();
}

// Both languages at once, with one reload of the dictionaries.
void TZelDicLookForm::SetLanguagePair(TZelLanguage source, TZelLanguage target) {
    KeepingListStates([this, source, target] {
        bool sourceChanged = source != SourceLanguage();
        if (sourceChanged)
            ChangeSource(source);
        if (target != Target)
            SetTargetLanguage(target);
        else if (sourceChanged)
            ReloadDictionaries(); // the same target from another source: other dictionaries
    });
}

// Whether the language list offers the pair.
bool TZelDicLookForm::IsKnownPair(TZelLanguage source, TZelLanguage target) {
    TZelLangList& languages = ZelLangList();
    int32_t index = languages.IndexOfSource(source);
    return index >= 0 && languages.IndexOfTarget(index, target) >= 0;
}

void TZelDicLookForm::ReloadDictionaries() {
    DicList->Clear();
    if (SourceLanguage() != 0 && Target != 0)
        CollectDics(SourceLanguage(), Target, *DicList, IZelDic::IID);
    bool hasHeadwords = false, hasQueries = false, hasMorphology = false;
    for (int32_t i = 0; i < DicList->GetCount(); ++i) {
        ZelRef<IZelDic> dic = DicList->GetDic(i);
        if (dic->HasLuList()) {
            hasHeadwords = true;
            if (TZelLXQueryFields* fields = dic->GetQueryFields(); fields && fields->GetCount() > 0)
                hasQueries = true;
        }
        if (ZelQuery<IZelDicMorph>(dic))
            hasMorphology = true;
    }
    QAction* list = ModeAction(ZelModeLemmaList);
    if (list->isChecked()) {
        if (hasHeadwords)
            EnsureLuList()->ShowDictionaries(DicList.get());
        else
            SetGUIMode(ZelModeFreeText);
    }
    list->setEnabled(hasHeadwords);
    if (hasQueries)
        EnsureLemmaQuery()->SetDictionaries(DicList.get());
    else
        SwitchToFreeTextIfChecked(ZelModeLemmaSearch);
    ModeAction(ZelModeLemmaSearch)->setEnabled(hasQueries);
    if (hasMorphology) {
        if (!SpellerHolder)
            SpellerHolder = std::make_unique<TZelAdvSpeller>();
    } else {
        SwitchToFreeTextIfChecked(ZelModeWordFormSearch);
    }
    ModeAction(ZelModeWordFormSearch)->setEnabled(hasMorphology);
    LoadLangConfig();
    if (AnalysisState() == ZelStateNotReady ||
        (AnalysisState() == ZelStateBrowse && Mode == ZelModeFreeText))
        SetAnalysisState(ZelStateReady);
}

void TZelDicLookForm::LoadLangConfig() {
    TZelDicLookConfig* settings = LookConfig();
    TZelLangConfig* found = settings && SourceLanguage() && Target
                                ? settings->LangConfigList.FindOrAdd(SourceLanguage(), Target)
                                : nullptr;
    if (Config && found && SamePersistent(Config.get(), found)) {
        UpdateTaggerAction();
        return;
    }
    if (found) {
        if (!Config)
            Config = std::make_unique<TZelLangConfig>();
        CopyPersistent(*Config, *found);
    } else {
        Config.reset();
    }
    Morph = nullptr;
    for (int32_t i = 0; i < DicList->GetCount() && !Morph; ++i)
        Morph = ZelQuery<IZelDicMorph>(DicList->GetDic(i));
    if (Morph) {
        // ReloadDictionaries made the speller when it found the morphology in the list.
        SpellerHolder->SetChecker(0, ZelQuery<IZelWordChecker>(Morph));
        SpellerHolder->SetCheckerCount(1);
        if (WordFormQueryPane)
            WordFormQueryPane->SetDictionary(ZelQuery<IZelDic>(Morph));
    }
    ViewManager->SetMorphDic(Morph);
    ViewManager->SetLangConfig(Config.get());
    UpdateTaggerAction();
}

// Tagger needs a product that has one, and a morphology for the pair.
void TZelDicLookForm::UpdateTaggerAction() {
    bool tagger = TaggerAvailable && Morph;
    // Shown only in a product that has a tagger (a hidden action cannot be enabled).
    ModeAction(ZelModeTagger)->setVisible(TaggerAvailable);
    ModeAction(ZelModeTagger)->setEnabled(tagger);
    if (!tagger)
        SwitchToFreeTextIfChecked(ZelModeTagger);
    LangConfigLoaded();
}

// ---------------------------------------------------------------------------------------
// Analysis state and analysing

void TZelDicLookForm::SetAnalysisState(uint8_t state) {
    if (state == AnalysisState())
        return;
    ZEL_ASSERT(state != ZelStateNotReady || Mode == ZelModeFreeText);
    ZEL_ASSERT(state != ZelStateBrowse || Mode != ZelModeTagger);
    if (state == ZelStateBrowse)
        Timer->start();
    else
        Timer->stop();
    if (state == ZelStateReady)
        AnalysisTree->SetAnalysis(nullptr);
    if (QLabel* panel = StatusPanel(2); panel && state < std::size(StateTexts))
        panel->setText(tr(StateTexts[state]));
    TZelLangForm::SetAnalysisState(state);
    bool textMode = Mode == ZelModeFreeText || Mode == ZelModeTagger;
    FindAction("ActionsAnalyzeAction")
        ->setEnabled(textMode && (state == ZelStateReady || state == ZelStateBrowse));
}

ZelRef<IZelSentenceItem> TZelDicLookForm::AnalyzeSentence(const std::u16string& text) {
    if (Morph && (!Config || Config->MorphAnalysisEnabled))
        return Morph->Analyze(text);
    return PlainTokenize(text);
}

void TZelDicLookForm::Analyze() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct TRestore {
        ~TRestore() { QApplication::restoreOverrideCursor(); }
    } restore;
    if (AnalysisState() == ZelStateReady) {
        SentenceList.SetText(SourceEdit()->toPlainText().toStdU16String());
        ShownSentence = 0;
        if (SentenceList.GetCount() == 0) {
            AnalysisTree->SetAnalysis(nullptr);
            return;
        }
        SentenceStart = SentenceList.GetSentenceStart(0);
        ZelRef<IZelSentenceItem> analysis = SentenceAnalysis(0);
        Follow = true;
        // Tagger shows the analysis without browsing it (the caret and the pointer are the
        // tagger's there).
        if (Mode != ZelModeTagger)
            SetAnalysisState(ZelStateBrowse);
        ShowInTree(analysis.get());
        return;
    }
    if (AnalysisState() != ZelStateBrowse || SentenceList.GetCount() == 0)
        return;
    int index = SentenceList.IndexAt(SourceEdit()->CaretPosition());
    ShowSentence(index);
}

// The analysis of a sentence: the one kept, or made now and kept.
ZelRef<IZelSentenceItem> TZelDicLookForm::SentenceAnalysis(int index) {
    ZelRef<IZelSentenceItem> analysis = SentenceList.GetAnalysis(index);
    if (!analysis) {
        analysis = AnalyzeSentence(SentenceList.GetSentenceText(index));
        SentenceList.SetAnalysis(index, analysis);
    }
    return analysis;
}

// The analysis of a sentence in the tree, made now when it has none yet.
void TZelDicLookForm::ShowSentence(int index) {
    SentenceStart = SentenceList.GetSentenceStart(index);
    ZelRef<IZelSentenceItem> analysis = SentenceAnalysis(index);
    ShownSentence = index;
    ShowInTree(analysis.get());
}

// An analysis in the tree, and its first word in the views.
void TZelDicLookForm::ShowInTree(IZelSentenceItem* analysis) {
    AnalysisTree->SetAnalysis(analysis);
    SetCurrentLu(AnalysisTree->GetSelected());
}

void TZelDicLookForm::PasteAndAnalyze() {
    if (Mode != ZelModeFreeText && Mode != ZelModeTagger)
        SetGUIMode(ZelModeFreeText);
    TZelLangForm::PasteAndAnalyze();
}

void TZelDicLookForm::OnTextChanged() {
    if (AnalysisState() == ZelStateBrowse && Mode == ZelModeFreeText && !SettingSelection)
        SetAnalysisState(ZelStateReady);
}

void TZelDicLookForm::OnCaretMoved() {
    if (SettingSelection || AnalysisState() != ZelStateBrowse || Mode != ZelModeFreeText)
        return;
    Follow = false;
    ShowWordAt(SourceEdit()->CaretPosition());
}

// Shows, in the tree, the word of the source text at a position.
void TZelDicLookForm::ShowWordAt(int position) {
    if (position > int(SentenceList.GetText().size()) || SentenceList.GetCount() == 0)
        return;
    int index = SentenceList.IndexAt(position);
    // The caret alone shows only what was analysed; the pointer analyses as it goes.
    ZelRef<IZelSentenceItem> analysis =
        Follow ? SentenceAnalysis(index) : SentenceList.GetAnalysis(index);
    if (index != ShownSentence) {
        SentenceStart = SentenceList.GetSentenceStart(index);
        ShownSentence = index;
        ShowInTree(analysis.get());
    }
    if (!analysis)
        return;
    int offset = position - SentenceStart;
    int count = 0;
    if (analysis->GetKind() == ZelItemSequence)
        while (count < analysis->GetCount() && analysis->GetItem(count)->GetStart() <= offset)
            ++count;
    QTreeWidget* tree = AnalysisTree->MorphTreeView();
    QTreeWidgetItem* root = tree->topLevelItem(0);
    if (QTreeWidgetItem* word = root ? root->child(std::max(count - 1, 0)) : nullptr)
        tree->setCurrentItem(word);
    SetCurrentLu(AnalysisTree->GetSelected());
}

// ---------------------------------------------------------------------------------------
// Hover to browse

void TZelDicLookForm::BrowseTick() {
    if (AnalysisState() != ZelStateBrowse)
        return;
    QPoint position = CursorPosition();
    if (position != LastCursor) {
        LastCursor = position;
        Ticks = 0;
        return;
    }
    if (++Ticks != HoverTicks)
        return;
    Follow = true;
    QWidget* window = QApplication::widgetAt(position);
    QTreeWidget* tree = AnalysisTree->MorphTreeView();
    if (window == tree->viewport()) {
        if (tree->viewport()->cursor().shape() == Qt::PointingHandCursor)
            if (QTreeWidgetItem* node = tree->itemAt(tree->viewport()->mapFromGlobal(position)))
                tree->setCurrentItem(node);
    } else if (window == SourceEdit()->viewport()) {
        QPoint point = SourceEdit()->viewport()->mapFromGlobal(position);
        if (point.y() > 1 && Mode == ZelModeFreeText)
            ShowWordAt(SourceEdit()->cursorForPosition(point).position());
    } else if (LuListPane && window == LuListPane->List()->viewport()) {
        QListView* list = LuListPane->List();
        QModelIndex row = list->indexAt(list->viewport()->mapFromGlobal(position));
        if (row.isValid())
            list->setCurrentIndex(row);
    }
    ViewManager->Hover(window, position);
}

// ---------------------------------------------------------------------------------------
// The unit shown

void TZelDicLookForm::SetCurrentLu(IZelSentenceItem* lu) {
    if (lu == Current.get())
        return;
    Current = lu;
    Refresh();
}

void TZelDicLookForm::Refresh() {
    if (ViewManager->CurrentLu() == Current.get())
        ViewManager->RefreshViews();
    else
        ViewManager->ShowLu(Current.get());
    if (AnalysisState() == ZelStateBrowse && Mode == ZelModeFreeText)
        MirrorInSourceText();
}

// The word shown becomes the selection of the source text, when the word follows the text.
void TZelDicLookForm::MirrorInSourceText() {
    if (!Follow || !Current)
        return;
    int start = SentenceStart + Current->GetStart();
    int end = start + Current->GetLength();
    TZelRichEdit* edit = SourceEdit();
    QTextCursor cursor = edit->textCursor();
    if (cursor.selectionStart() == start && cursor.selectionEnd() == end)
        return;
    int length = int(SentenceList.GetText().size());
    if (start < 0 || end > length)
        return;
    SettingSelection = true;
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    SettingSelection = false;
}

void TZelDicLookForm::OnLuListSelect(IZelLu* lu) {
    ZelRef<IZelSentenceItem> item;
    IZelArrayCursor* rows = LuListPane->Cursor();
    int count = rows ? int(rows->GetCount()) : 0;
    if (lu && count > 0) {
        if (lu->GetLuStyle() == ZelLuStylePlain && Morph) {
            // A word form found by a word-form search: its analysis.
            item = Morph->Analyze(lu->GetWideText());
        } else {
            ZelRef<IZelDic> dic = lu->GetDic();
            item = ZelMake<TZelSentenceItem>(ZelItemReading,
                                             dic ? dic->GetSourceLang() : SourceLanguage());
            item->SetStart(LuListPane->SelectedRow());
            item->SetLemma(lu->GetWideText());
            item->SetWordForm(lu->GetWideText());
            item->SetOrdinal(lu->GetOrdinal());
            item->SetKnown(1); // from the list
        }
        statusBar()->showMessage(tr("%1 of %2").arg(LuListPane->SelectedRow() + 1).arg(count));
    }
    if (item.get() == Current.get())
        Refresh();
    else
        SetCurrentLu(item.get());
}

void TZelDicLookForm::OnQueryChanged(uint8_t mode) {
    if (Mode != mode || !LuListPane)
        return;
    TZelLXQueryFrame* editor = mode == ZelModeLemmaSearch
                                   ? static_cast<TZelLXQueryFrame*>(LemmaQueryPane)
                                   : WordFormQueryPane;
    LuListPane->ShowCursor(editor->Query().GetResult());
}

QString TZelDicLookForm::ShownText() {
    ViewManager->RefreshNow();
    auto* page = dynamic_cast<TZelDicRichViewForm*>(ViewManager->CurrentView());
    if (page && !page->IsRendered())
        page->RenderNow();
    return page ? page->PageEdit()->toPlainText() : QString();
}

TZelDicViewForm* TZelDicLookForm::CreateView(int kind, TZelDicViewConfig* config) {
    if (kind == 0) {
        auto* view = new TZelDicViewPageForm;
        view->SetViewConfig(config);
        return view;
    }
    if (kind == 1 && Morph) {
        auto* view = new TZelDicViewFlexForm;
        view->setWindowTitle(tr("Word forms"));
        view->SetImageIndex(22);
        view->SetMorphDicSource([this] { return ZelQuery<IZelDicMorphEx>(Morph); });
        return view;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// Settings and zoom

void TZelDicLookForm::ApplySettings() {
    TZelLangForm::ApplySettings();
    QFont font = ZelDefaultTextFont();
    AnalysisTree->SetTreeFont(font);
    if (LuListPane)
        LuListPane->SetPaneFont(font);
    QFont editorFont = font;
    editorFont.setPointSize(10);
    if (SourceEdit()->font() != editorFont)
        SourceEdit()->setFont(editorFont);
    SourceEdit()->SetZoom(std::max(font.pointSize(), 1), 10);
    FindAction("ViewZoomOutAction")->setEnabled(font.pointSize() > 1);
    LoadLangConfig();
}

void TZelDicLookForm::SetDefaultTextSize(int size) {
    TZelDicLookConfig* config = LookConfig();
    if (!config)
        return;
    config->DefaultTextFont.Size = std::max(size, 1);
    if (TZelBaseAppDataModule* module = ZelDataModule())
        module->BroadcastSettingsChanged();
    ApplySettings();
}

void TZelDicLookForm::ZoomIn() {
    if (TZelDicLookConfig* config = LookConfig())
        SetDefaultTextSize(ZoomedIn(config->DefaultTextFont.Size));
}

void TZelDicLookForm::ZoomOut() {
    if (TZelDicLookConfig* config = LookConfig(); config && config->DefaultTextFont.Size > 1)
        SetDefaultTextSize(ZoomedOut(config->DefaultTextFont.Size));
}

void TZelDicLookForm::LoadSettings(TZelSettingsKey& key) {
    TZelLangForm::LoadSettings(key);
    if (auto height = ZelReadIntegerOrNone(key, "SourceEditHeight"); height && *height > 0)
        TextHeight = *height;
    if (auto width = ZelReadIntegerOrNone(key, "BrowsePanelWidth"); width && *width > 0) {
        int total = std::max(BrowseSplitter->width(), *width + 300);
        BrowseSplitter->setSizes({*width, total - *width});
    }
    if (auto height = ZelReadIntegerOrNone(key, "QueryFrameHeight"); height && *height > 0) {
        QueryHeight = *height;
        EnsureLemmaQuery();
    }
    if (!NoDics && ZelLangList().GetCount() > 0) {
        TZelLanguage source = 0, target = 0;
        try {
            source = ReadLastSourceLang(key);
            target = ReadLastTargetLang(key, source);
        } catch (const EZelError&) {
        }
        if (IsKnownPair(source, target))
            SetLanguagePair(source, target);
    }
    std::optional<int32_t> mode = ZelReadIntegerOrNone(key, "GUIMode");
    if (mode && *mode > 0 && *mode < ZelGUIModeCount && ModeAction(uint8_t(*mode))->isEnabled())
        SetGUIMode(uint8_t(*mode));
}

void TZelDicLookForm::SaveSettings(TZelSettingsKey& key) {
    TZelLangForm::SaveSettings(key);
    RememberSourcePaneHeight();
    key.WriteInteger("SourceEditHeight", TextHeight);
    key.WriteInteger("GUIMode", Mode);
    key.WriteInteger("BrowsePanelWidth", BrowsePanel->width());
    if (LemmaQueryPane && QueryHeight > 0)
        key.WriteInteger("QueryFrameHeight", QueryHeight);
    key.WriteInteger("SLWC", SourceLanguage());
    key.WriteInteger("TLWC", Target);
}

// ---------------------------------------------------------------------------------------
// The companion

bool TZelDicLookForm::ListenForCompanion(const QString& serverName) {
    if (!CompanionServer) {
        CompanionServer = new TZelCompanionServer(this);
        connect(CompanionServer, &TZelCompanionServer::Received, this,
                [this](const TZelCompanionMessage& message) {
                    if (message.Message == ZelCompanionCommandMessage)
                        HandleCompanionCommand(message.First, message.Second);
                    else
                        qCWarning(LookLog) << "companion message" << message.Message << "ignored";
                });
    }
    return CompanionServer->Listen(serverName);
}

// Tells a companion that listens that this window is up (its "handle" is the process id).
void TZelDicLookForm::AnnounceToCompanion() {
    auto* socket = new QLocalSocket(this);
    connect(socket, &QLocalSocket::connected, socket, [socket] {
        socket->write(ZelEncodeCompanionFrame(
            {ZelCompanionAnnounceMessage, uint32_t(QCoreApplication::applicationPid()), 0}));
        socket->disconnectFromServer();
    });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::errorOccurred, socket, &QObject::deleteLater);
    socket->connectToServer(ZelCompanionServerName(GetCompanionWindowClass()));
}

void TZelDicLookForm::HandleCompanionCommand(uint32_t first, uint32_t second) {
    uint8_t command = uint8_t(first & 0xFF);
    int viewIndex = int(first >> 8 & 0xFF);
    int viewArgument = int(first >> 16);
    ViewManager->SelectView(viewIndex, viewArgument);
    if (command == 1) {
        BringToFront();
    } else if (command == 2) {
        if (second != 0) {
            auto source = TZelLanguage(second & 0xFFFF);
            auto target = TZelLanguage(second >> 16);
            if (IsKnownPair(source, target))
                SetLanguagePair(source, target);
            else
                qCWarning(LookLog)
                    << "companion asked for an unknown language pair" << source << target;
        }
        if (AnalysisState() == ZelStateReady || AnalysisState() == ZelStateBrowse)
            QCoreApplication::postEvent(this, new QEvent(QEvent::Type(ZelPasteAndAnalyzeEvent)));
    }
}
