#include "ZelSlv2MainUnit.h"

#include "ZelActions.h"
#include "ZelBaseDataModule.h"
#include "ZelChooseLemmaUnit.h"
#include "ZelDD6Ex.h"
#include "ZelDialogs.h"
#include "ZelFlagDataModule.h"
#include "ZelLangList.h"
#include "ZelLemmaQueryUnit.h"
#include "ZelProcess.h"
#include "ZelViewManagerUnit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char* const Context = "TZelSlv2MainForm";

const std::vector<TZelActionSpec>& ProductActions() {
    static const std::vector<TZelActionSpec> table = {
        {"HelpSelvanoHomePageAction", QT_TRANSLATE_NOOP("TZelSlv2MainForm", "&Selvano Home Page"),
         QT_TRANSLATE_NOOP("TZelSlv2MainForm",
                           "Open the Selvano home page using the default navigator"),
         nullptr, 10612, 3},
        {"EditInsertAnnotationAction", QT_TRANSLATE_NOOP("TZelSlv2MainForm", "Insert &Annotation"),
         QT_TRANSLATE_NOOP("TZelSlv2MainForm", "Insert annotation to current lemma"), nullptr,
         10214, 43},
        {"ToolsRunQuickAnswerAction", QT_TRANSLATE_NOOP("TZelSlv2MainForm", "Quick Answer"),
         QT_TRANSLATE_NOOP("TZelSlv2MainForm", "Run Quick Answer"), nullptr, 10520, 20},
    };
    return table;
}

constexpr int LanguageButtonWidth = 64;

// Hides a toolbar for good: not shown, not listed in the Toolbars menu.
void HideToolbar(QToolBar* bar) {
    if (!bar)
        return;
    bar->setProperty("tag", -1);
    bar->hide();
    bar->toggleViewAction()->setVisible(false);
}

} // namespace

TZelSlv2MainForm::TZelSlv2MainForm(const QString& name, QWidget* parent)
    : TZelDicLookForm(name, parent), LanguageButtons(new QButtonGroup(this)) {
    OnEditAnnotation = [this](const QString& note) { return ZelEditAnnotation(this, note); };
    CreateProductActions();
    HideToolbar(findChild<QToolBar*>("SourceLanguageToolBar"));
    HideToolbar(findChild<QToolBar*>("TargetLanguageToolBar"));
    TargetLanguageMenu()->menuAction()->setVisible(false);
    FindAction("OptionsSettingsAction")->setVisible(false);
    connect(Views(), &TZelViewManagerFrame::LuChanged, this,
            &TZelSlv2MainForm::UpdateInsertAnnotation);
    UpdateInsertAnnotation();
}

void TZelSlv2MainForm::CreateProductActions() {
    for (QAction* action : ZelCreateActions(this, Context, ProductActions(), ZelToolbarPictures()))
        addAction(action);
    QAction* homePage = FindAction("HelpSelvanoHomePageAction");
    connect(homePage, &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(PublisherPage())); });
    HelpMenu()->insertAction(FindAction("HelpHomePageAction"), homePage);
    if (auto* help = findChild<QToolBar*>("HelpToolBar"))
        help->addAction(homePage);

    QAction* insert = FindAction("EditInsertAnnotationAction");
    connect(insert, &QAction::triggered, this, &TZelSlv2MainForm::InsertAnnotation);
    EditMenu()->addSeparator();
    EditMenu()->addAction(insert);
    if (auto* standard = findChild<QToolBar*>("StandardToolBar"))
        standard->insertAction(FindAction("EditCutAction"), insert);

    QAction* quick = FindAction("ToolsRunQuickAnswerAction");
    connect(quick, &QAction::triggered, this, &TZelSlv2MainForm::RunQuickAnswer);
    auto* tools = new QMenu(tr("&Tools"), this);
    tools->setObjectName("ToolsMenu");
    tools->menuAction()->setStatusTip(tr("Available tools"));
    tools->addAction(quick);
    menuBar()->insertMenu(OptionsMenu()->menuAction(), tools);
}

QString TZelSlv2MainForm::PublisherPage() {
    return QStringLiteral(NORVEL_PUBLISHER_PAGE);
}

// One large button per language of the list, picture above its name; exactly one down.
void TZelSlv2MainForm::BuildSourceLanguageMenu() {
    TZelDicLookForm::BuildSourceLanguageMenu();
    TZelLangList& languages = ZelLangList();
    if (languages.GetCount() == 0)
        return; // the window warned already; nothing to choose
    ZEL_ASSERT(languages.GetCount() == 2);
    QToolBar* bar = AddToolBar("SourceLanguageButtonsToolBar", tr("Source Language"));
    addToolBar(Qt::LeftToolBarArea, bar);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(40, 27));
    for (int32_t i = 0; i < languages.GetCount(); ++i) {
        TZelLanguage language = languages.GetSource(i);
        auto* button = new QToolButton(bar);
        button->setObjectName(QString("LanguageButton%1").arg(i + 1));
        button->setCheckable(true);
        QString name = ZelLanguageCaption(language);
        button->setText(name);
        button->setToolTip(name);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setMinimumWidth(LanguageButtonWidth);
        if (TZelFlagDataModule* flags = ZelFlagDataModule())
            button->setIcon(flags->Flag(language));
        ZelSetHelpContext(button, 3090);
        LanguageButtons->addButton(button, i);
        bar->addWidget(button);
        connect(button, &QToolButton::clicked, this,
                [this, language] { SetSourceLanguage(language); });
    }
    LanguageButtons->setExclusive(true);
    // The bar is darker docked at a side, where it stands beside the mode buttons.
    auto colour = [bar](Qt::Orientation orientation) {
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Window,
                         bar->palette().color(orientation == Qt::Vertical && !bar->isFloating()
                                                  ? QPalette::Dark
                                                  : QPalette::Button));
        bar->setPalette(palette);
        bar->setAutoFillBackground(true);
    };
    connect(bar, &QToolBar::orientationChanged, bar, colour);
    connect(bar, &QToolBar::topLevelChanged, bar, [bar, colour] { colour(bar->orientation()); });
    colour(bar->orientation());
}

QToolButton* TZelSlv2MainForm::LanguageButton(int index) const {
    return qobject_cast<QToolButton*>(LanguageButtons->button(index));
}

// The button of the source language is down.
void TZelSlv2MainForm::LangConfigLoaded() {
    int index = ZelLangList().IndexOfSource(SourceLanguage());
    if (QToolButton* button = LanguageButton(index))
        button->setChecked(true);
}

// A first start opens on the headword list, the advanced search's editor as high as its
// three rows.
void TZelSlv2MainForm::LoadDefaults() {
    int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    qreal dpi = screen() ? screen()->logicalDotsPerInch() : 96.0;
    SetQueryFrameHeight(int((scrollBar + 204) * dpi / 96.0));
    SetGUIMode(ZelModeLemmaList);
}

void TZelSlv2MainForm::UpdateInsertAnnotation() {
    IZelSentenceItem* lu = Views()->CurrentLu();
    FindAction("EditInsertAnnotationAction")
        ->setEnabled(Views()->AnnotationDic() && lu && HasLemma(*lu));
}

void TZelSlv2MainForm::InsertAnnotation() {
    ZelRef<IZelDicEditable> annotations = Views()->AnnotationDic();
    IZelSentenceItem* lu = Views()->CurrentLu();
    if (!annotations || !lu)
        return;
    ZelRef<IZelSentenceItem> reading;
    ChooseLemma(*lu, true, reading);
    if (!reading)
        return;
    try {
        std::u16string lemma = reading->GetLemma();
        // A reading without a homograph number is the note of the first homograph.
        int32_t ordinal = std::max(reading->GetOrdinal(), 1);
        uint8_t category = reading->GetCatCode();
        ZelRef<IZelArrayCursor> entry = annotations->FindOrAddLu(lemma, ordinal, category);
        if (!entry)
            return;
        entry->SetIndex(0);
        ZelRef<IZelDD6ExEntryText> text = ZelQuery<IZelDD6ExEntryText>(entry);
        QString current = text ? QString::fromStdU16String(text->GetEntryText()) : QString();
        QString edited = OnEditAnnotation(current);
        edited.replace("\r\n", "\n").replace('\r', '\n');
        if (edited.isEmpty()) {
            annotations->DeleteLu(lemma, ordinal, category);
            annotations->SaveChanges();
            if (LuList())
                LuList()->Refresh();
        } else if (edited != current && text) {
            text->SetEntryText(edited.toStdU16String());
            annotations->SaveChanges();
        } else {
            if (current.isEmpty()) // the entry FindOrAddLu made stays out
                annotations->DeleteLu(lemma, ordinal, category);
            return;
        }
        reading->GetAuxList()->Clear();
        lu->GetAuxList()->Clear();
        Views()->RefreshViews();
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
    }
}

void TZelSlv2MainForm::RunQuickAnswer() {
    try {
        ZelProcessStarter().StartDetached(GetCompanionPath().toStdString(), {});
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
    }
}

QString ZelEditAnnotation(QWidget* parent, const QString& note) {
    QDialog dialog(parent);
    dialog.setObjectName("AnnotationEditor");
    dialog.setWindowTitle(QCoreApplication::translate("TZelSlv2MainForm", "Annotation Editor"));
    auto* editor = new QPlainTextEdit(&dialog);
    editor->setFont(ZelDefaultTextFont());
    editor->setPlainText(note);
    editor->selectAll();
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QCoreApplication::translate("TZelSlv2MainForm", "Ok"),
                       QDialogButtonBox::AcceptRole);
    buttons->addButton(QCoreApplication::translate("TZelSlv2MainForm", "Cancel"),
                       QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(editor);
    layout->addWidget(buttons);
    dialog.resize(420, 260);
    if (QScreen* screen = QApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    return dialog.exec() == QDialog::Accepted ? editor->toPlainText() : note;
}
