#include "ZelLangUnit.h"

#include "ZelASTDataModule.h"
#include "ZelActions.h"
#include "ZelActns.h"
#include "ZelAppEvents.h"
#include "ZelBaseDataModule.h"
#include "ZelFlagDataModule.h"
#include "ZelQtText.h"
#include "ZelRichEdit.h"
#include "ZelUtils.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const Context = "TZelLangForm";

const std::vector<TZelActionSpec>& LangActions() {
    static const std::vector<TZelActionSpec> table = {
        {"ActionsAnalyzeAction", QT_TRANSLATE_NOOP("TZelLangForm", "Analyze"),
         QT_TRANSLATE_NOOP("TZelLangForm", "Analyze the current sentence"), nullptr, 10401, 12},
        {"ActionsPasteAndAnalyzeAction", QT_TRANSLATE_NOOP("TZelLangForm", "&Paste and Analyze"),
         QT_TRANSLATE_NOOP("TZelLangForm", "Paste and analyze"), nullptr, 10402, 13},
        {"ActionsAnalyzeSelectedTextAction",
         QT_TRANSLATE_NOOP("TZelLangForm", "Analyze &Selected Text"),
         QT_TRANSLATE_NOOP("TZelLangForm", "Analyze the selected text"), nullptr, 10403, 14},
    };
    return table;
}

// The language window says "text" where the document window says "document".
const std::vector<TZelActionSpec>& RenamedActions() {
    static const std::vector<TZelActionSpec> table = {
        {"FileNewAction", QT_TRANSLATE_NOOP("TZelLangForm", "&Clear Text"),
         QT_TRANSLATE_NOOP("TZelLangForm", "Erase the current text"), nullptr, 10103, 4,
         QKeySequence("Ctrl+N")},
        {"FileSaveAction", QT_TRANSLATE_NOOP("TZelLangForm", "&Save"),
         QT_TRANSLATE_NOOP("TZelLangForm", "Save the current text"), nullptr, 10105, 6,
         QKeySequence("Ctrl+S")},
        {"FileSaveAsAction", QT_TRANSLATE_NOOP("TZelLangForm", "Save &As..."),
         QT_TRANSLATE_NOOP("TZelLangForm", "Save the current text with a new file name"), nullptr,
         10106},
    };
    return table;
}

bool ClipboardHasText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

TZelLangForm::TZelLangForm(const QString& name, QWidget* parent)
    : TZelDocAppForm(name, parent), Source(new TZelRichEdit), SourcePanel(new QWidget),
      RunPanel(new QWidget), Analyze(new QToolButton), Target(new QWidget),
      Splitter(new QSplitter(Qt::Vertical)) {
    for (const TZelActionSpec& spec : RenamedActions())
        ZelRetranslateAction(FindAction(spec.Name), Context, spec);
    CreateLanguageActions();
    // Tab leaves the text for the next control, so that the keyboard reaches every one;
    // a tab character in a text to look up carries no meaning.
    Source->setTabChangesFocus(true);
    BuildLayout();
    SetStatusPanels({80, 80});
}

void TZelLangForm::CreateLanguageActions() {
    for (QAction* action : ZelCreateActions(this, Context, LangActions(), ZelToolbarPictures())) {
        action->setEnabled(false);
        addAction(action);
    }
    connect(FindAction("ActionsPasteAndAnalyzeAction"), &QAction::triggered, this,
            &TZelLangForm::PasteAndAnalyze);
    connect(FindAction("ActionsAnalyzeSelectedTextAction"), &QAction::triggered, this, [this] {
        ZelDoEdit(Source, TZelEditCommand::Copy);
        PasteAndAnalyze();
    });
    QMenu* actions = ActionsMenu();
    actions->addAction(FindAction("ActionsAnalyzeAction"));
    actions->addAction(FindAction("ActionsPasteAndAnalyzeAction"));
    actions->addAction(FindAction("ActionsAnalyzeSelectedTextAction"));
    // The source language, first in the File menu.
    SourceLanguages = new QMenu(tr("&Source Language"), this);
    SourceLanguages->setObjectName("SourceLanguageMenu");
    FileMenu()->insertMenu(FileMenu()->actions().value(0), SourceLanguages);
    FileMenu()->insertSeparator(FileMenu()->actions().value(1));
    QToolBar* analyzer = AddToolBar("AnalyzerToolBar", tr("Analyzer"));
    analyzer->addAction(FindAction("ActionsPasteAndAnalyzeAction"));
    analyzer->addAction(FindAction("ActionsAnalyzeSelectedTextAction"));
    // Looking up what is selected in another application.
    if (TZelASTDataModule* module = ZelASTModule()) {
        actions->addAction(module->AnalyzeSelectedTextAction());
        analyzer->addAction(module->AnalyzeSelectedTextAction());
    }
    LanguageButton =
        ZelAddLanguageButton(AddToolBar("SourceLanguageToolBar", tr("Source Language")),
                             "SourceLanguageButton", SourceLanguages);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &TZelLangForm::UpdateAnalyzeActions);
}

void TZelLangForm::BuildLayout() {
    Source->setObjectName("SourceEdit");
    Source->setAccessibleName(tr("Source text"));
    Source->document()->setUndoRedoEnabled(true);
    Source->setAcceptRichText(true);
    Source->installEventFilter(this);
    ZelSetHelpContext(SourcePanel, 8010);
    Analyze->setObjectName("AnalyzeButton");
    Analyze->setDefaultAction(FindAction("ActionsAnalyzeAction"));
    Analyze->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Analyze->setIconSize(QSize(24, 24));
    // The button fills the panel's height, and lets the panel be as low as one row.
    Analyze->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    Analyze->setMinimumHeight(16);
    auto* run = new QVBoxLayout(RunPanel);
    run->setContentsMargins(3, 3, 3, 3);
    run->addWidget(Analyze);
    RunPanel->installEventFilter(this);
    auto* source = new QHBoxLayout(SourcePanel);
    source->setContentsMargins(0, 0, 0, 0);
    source->setSpacing(0);
    source->addWidget(Source, 1);
    source->addWidget(RunPanel);
    SourcePanel->setObjectName("SourcePanel");
    Target->setObjectName("TargetPane");
    Splitter->addWidget(SourcePanel);
    Splitter->addWidget(Target);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({120, 400});
    setCentralWidget(Splitter);
    connect(Source, &QTextEdit::selectionChanged, this, &TZelLangForm::UpdateAnalyzeActions);
}

void TZelLangForm::Prepare() {
    BuildSourceLanguageMenu();
    TZelDocAppForm::Prepare();
}

ZelRef<IZelDoc> TZelLangForm::CreateDoc() {
    return ZelMake<TZelSimpleRichEditDoc>(Source);
}

QString ZelLanguageCaption(TZelLanguage language) {
    QString name;
    try {
        name = ZelQStringFromSystem(GetNativeLangName(language));
    } catch (const std::exception&) {
        name = QString::number(language, 16);
    }
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

QToolButton* ZelAddLanguageButton(QToolBar* bar, const QString& name, QMenu* menu) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setIconSize(QSize(32, 22));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->addWidget(button);
    return button;
}

QAction* ZelAddLanguageItem(QMenu* menu, TZelLanguage language) {
    QAction* item = ZelFlagDataModule() ? ZelFlagDataModule()->CreateFlagItem(menu, language)
                                        : new QAction(ZelLanguageCaption(language), menu);
    item->setCheckable(true);
    item->setData(int(language));
    auto* group = menu->findChild<QActionGroup*>();
    if (!group)
        group = new QActionGroup(menu);
    group->addAction(item);
    menu->addAction(item);
    return item;
}

void ZelShowLanguage(QToolButton* button, QMenu* menu, TZelLanguage language) {
    QString name = ZelLanguageCaption(language);
    if (TZelFlagDataModule* flags = ZelFlagDataModule()) {
        button->setIcon(flags->Flag(language));
        menu->menuAction()->setIcon(flags->SmallFlag(language));
    }
    button->setText(name);
    button->setToolTip(name);
    for (QAction* item : menu->actions())
        if (item->data().isValid())
            item->setChecked(item->data().toInt() == int(language));
}

QAction* TZelLangForm::AddSourceLanguageItem(TZelLanguage language) {
    QAction* item = ZelAddLanguageItem(SourceLanguages, language);
    connect(item, &QAction::triggered, this, [this, language] { SetSourceLanguage(language); });
    return item;
}

void TZelLangForm::SetSourceLanguage(TZelLanguage language) {
    if (language == Language)
        return;
    Language = language;
    ZelShowLanguage(LanguageButton, SourceLanguages, language);
}

void TZelLangForm::SetAnalysisState(uint8_t state) {
    State = state;
    if (TZelASTDataModule* module = ZelASTModule())
        module->SetSampling(state != 0);
    UpdateAnalyzeActions();
}

void TZelLangForm::UpdateAnalyzeActions() {
    bool on = State != 0;
    FindAction("ActionsPasteAndAnalyzeAction")->setEnabled(on && ClipboardHasText());
    FindAction("ActionsAnalyzeSelectedTextAction")
        ->setEnabled(on && ZelCanEdit(Source, TZelEditCommand::Copy));
}

void TZelLangForm::PasteAndAnalyze() {
    FindAction("FileNewAction")->trigger();
    if (Doc() && Doc()->IsModified())
        return; // the user kept the text
    Source->setFocus();
    Source->paste();
    FindAction("ActionsAnalyzeAction")->trigger();
}

void TZelLangForm::BringToFront() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TZelLangForm::OnClipboardChanged() {
    UpdateAnalyzeActions();
    // The copy another application was asked for has arrived.
    TZelASTDataModule* module = ZelASTModule();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (module && module->IsWaiting() && data && !data->formats().isEmpty()) {
        module->StopWaiting();
        QCoreApplication::postEvent(this, new QEvent(QEvent::Type(ZelPasteAndAnalyzeEvent)));
    }
}

bool TZelLangForm::event(QEvent* event) {
    if (event->type() == QEvent::Type(ZelPasteAndAnalyzeEvent)) {
        QAction* pasteAndAnalyze = FindAction("ActionsPasteAndAnalyzeAction");
        if (pasteAndAnalyze->isEnabled()) {
            BringToFront();
            pasteAndAnalyze->trigger();
        }
        return true;
    }
    return TZelDocAppForm::event(event);
}

bool TZelLangForm::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the source text analyses it; Shift+Enter breaks the line.
    if (watched == Source && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        QAction* analyze = FindAction("ActionsAnalyzeAction");
        if (enter && !(key->modifiers() & Qt::ShiftModifier) && analyze->isEnabled()) {
            analyze->trigger();
            return true;
        }
    }
    if (watched == RunPanel && event->type() == QEvent::Resize)
        LayoutRunPanel();
    return TZelDocAppForm::eventFilter(watched, event);
}

// A low run panel shows only the button's picture.
void TZelLangForm::LayoutRunPanel() {
    int height = RunPanel->contentsRect().height();
    Analyze->setToolButtonStyle(height < 48 ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
}

void TZelLangForm::LoadSettings(TZelSettingsKey& key) {
    TZelDocAppForm::LoadSettings(key);
    try {
        if (auto height = key.ReadInteger("SourceEditHeight"); height && *height > 0) {
            int total = Splitter->height() > *height ? Splitter->height() : *height + 400;
            Splitter->setSizes({*height, total - *height});
        }
    } catch (const EZelError&) {
    }
}

void TZelLangForm::SaveSettings(TZelSettingsKey& key) {
    TZelDocAppForm::SaveSettings(key);
    key.WriteInteger("SourceEditHeight", SourcePanel->height());
}
