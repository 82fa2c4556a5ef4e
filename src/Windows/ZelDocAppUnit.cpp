#include "ZelDocAppUnit.h"

#include "ZelActions.h"
#include "ZelActns.h"
#include "ZelBaseDataModule.h"
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFileAssociation.h"
#include "ZelFiles.h"
#include "ZelProcess.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

const char* const Context = "TZelDocAppForm";
constexpr int MaxRecentFiles = 9;

const std::vector<TZelActionSpec>& DocActions() {
    static const std::vector<TZelActionSpec> table = {
        {"FileNewAction", QT_TRANSLATE_NOOP("TZelDocAppForm", "&New"),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Create a new document"), nullptr, 10103, 4,
         QKeySequence("Ctrl+N")},
        {"FileOpenAction", QT_TRANSLATE_NOOP("TZelDocAppForm", "&Open..."),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Open an existing file"), nullptr, 10104, 5},
        {"FileSaveAction", QT_TRANSLATE_NOOP("TZelDocAppForm", "&Save"),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Save the current document"), nullptr, 10105, 6,
         QKeySequence("Ctrl+S")},
        {"FileSaveAsAction", QT_TRANSLATE_NOOP("TZelDocAppForm", "Save &As..."),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Save the current document with a new name"), nullptr,
         10106},
        {"EditCutAction", QT_TRANSLATE_NOOP("TZelDocAppForm", "Cu&t"),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Cut the selection and put it on the clipboard"),
         nullptr, 10211, 7, QKeySequence("Ctrl+X")},
        {"EditCopyAction", QT_TRANSLATE_NOOP("TZelDocAppForm", "&Copy"),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Copy the selection and put it on the clipboard"),
         nullptr, 10212, 8, QKeySequence("Ctrl+C")},
        {"EditPasteAction", QT_TRANSLATE_NOOP("TZelDocAppForm", "&Paste"),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Paste the clipboard contents"), nullptr, 10213, 9,
         QKeySequence("Ctrl+V")},
        {"EditUndoAction", QT_TRANSLATE_NOOP("TZelDocAppForm", "&Undo"),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Undo the last action"), nullptr, 10201, 10,
         QKeySequence("Ctrl+Z")},
        {"EditRedoAction", QT_TRANSLATE_NOOP("TZelDocAppForm", "&Redo"),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Redo the previously undone action"), nullptr, 10202,
         11, QKeySequence("Ctrl+Shift+Z")},
        {"RegisterAsDefaultEditorAction",
         QT_TRANSLATE_NOOP("TZelDocAppForm", "&Register as Default Editor"),
         QT_TRANSLATE_NOOP("TZelDocAppForm", "Register this program as the default editor"),
         nullptr,
         0,
         -1,
         {},
         true},
    };
    return table;
}

// A parameter that names a file: not "-x", and not a "/x" switch (a path has another "/",
// or is a file that exists).
bool NamesAFile(const std::string& argument) {
    if (argument.empty() || argument[0] == '-')
        return false;
    if (argument[0] != '/')
        return true;
    return argument.find('/', 1) != std::string::npos || ZelFileExists(argument);
}

std::string DesktopIdOfProgram() {
    QString name = QCoreApplication::applicationName().toLower();
    return "norvel-" + (name.isEmpty() ? std::string("program") : name.toStdString()) +
           "-editor.desktop";
}

} // namespace

TZelDocAppForm::TZelDocAppForm(const QString& name, QWidget* parent)
    : TZelBaseAppForm(name, parent) {
    BaseCaption = QApplication::applicationDisplayName();
    setWindowTitle(BaseCaption);
    CreateActions();
    BuildMenusAndToolbar();
    SetStatusPanels({80});
    setAcceptDrops(true);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { OnClipboardChanged(); });
}

TZelDocAppForm::~TZelDocAppForm() = default;

void TZelDocAppForm::CreateActions() {
    for (QAction* action : ZelCreateActions(this, Context, DocActions(), ZelToolbarPictures()))
        addAction(action);
    EditCommands = new TZelEditActions(this, FindAction("EditCutAction"),
                                       FindAction("EditCopyAction"), FindAction("EditPasteAction"),
                                       FindAction("EditUndoAction"), FindAction("EditRedoAction"));
    connect(FindAction("FileNewAction"), &QAction::triggered, this,
            [this] { Guarded([this] { FileNew(); }); });
    connect(FindAction("FileOpenAction"), &QAction::triggered, this,
            [this] { Guarded([this] { OpenDocument(); }); });
    connect(FindAction("FileSaveAction"), &QAction::triggered, this, [this] { SaveDocument(); });
    connect(FindAction("FileSaveAsAction"), &QAction::triggered, this,
            [this] { SaveDocumentAs(); });
    connect(FindAction("RegisterAsDefaultEditorAction"), &QAction::triggered, this,
            [this](bool on) { Guarded([this, on] { ToggleDefaultEditor(on); }); });
}

void TZelDocAppForm::BuildMenusAndToolbar() {
    QMenu* file = FileMenu();
    QAction* exit = FindAction("FileExitAction");
    file->insertAction(exit, FindAction("FileNewAction"));
    file->insertAction(exit, FindAction("FileOpenAction"));
    Reopen = new QMenu(tr("&Reopen"), file);
    Reopen->setObjectName("ReopenMenu");
    file->insertMenu(exit, Reopen);
    file->insertAction(exit, FindAction("FileSaveAction"));
    file->insertAction(exit, FindAction("FileSaveAsAction"));
    file->insertSeparator(exit);
    connect(Reopen, &QMenu::aboutToShow, this, [this] { FillRecentMenu(Reopen); });
    QMenu* edit = EditMenu();
    for (const char* name : {"EditUndoAction", "EditRedoAction"})
        edit->addAction(FindAction(name));
    edit->addSeparator();
    for (const char* name : {"EditCutAction", "EditCopyAction", "EditPasteAction"})
        edit->addAction(FindAction(name));
    OptionsMenu()->insertAction(OptionsMenu()->actions().value(1),
                                FindAction("RegisterAsDefaultEditorAction"));
    QToolBar* standard = AddToolBar("StandardToolBar", tr("Standard"));
    insertToolBar(findChild<QToolBar*>("HelpToolBar"), standard);
    standard->addAction(FindAction("FileNewAction"));
    standard->addAction(FindAction("FileOpenAction"));
    // The Open button's arrow lists the recent files.
    OpenDropDown = new QMenu(this);
    connect(OpenDropDown, &QMenu::aboutToShow, this, [this] { FillRecentMenu(OpenDropDown); });
    if (auto* open =
            qobject_cast<QToolButton*>(standard->widgetForAction(FindAction("FileOpenAction")))) {
        open->setMenu(OpenDropDown);
        open->setPopupMode(QToolButton::MenuButtonPopup);
    }
    standard->addAction(FindAction("FileSaveAction"));
    standard->addSeparator();
    for (const char* name :
         {"EditCutAction", "EditCopyAction", "EditPasteAction", "EditUndoAction", "EditRedoAction"})
        standard->addAction(FindAction(name));
    standard->addSeparator();
    standard->addAction(FindAction("OptionsSettingsAction"));
}

void TZelDocAppForm::SetStatusPanels(const std::vector<int>& widths) {
    for (QLabel* panel : Panels)
        delete panel;
    Panels.clear();
    for (int width : widths) {
        auto* panel = new QLabel(statusBar());
        panel->setMinimumWidth(width);
        panel->setAlignment(Qt::AlignCenter);
        statusBar()->addPermanentWidget(panel);
        Panels.push_back(panel);
    }
}

QLabel* TZelDocAppForm::StatusPanel(int index) const {
    return index >= 1 && size_t(index) <= Panels.size() ? Panels[size_t(index - 1)] : nullptr;
}

QString TZelDocAppForm::CommandLineFile() {
    for (const std::string& argument : ZelGetCommandLine())
        if (NamesAFile(argument))
            return QString::fromStdString(argument);
    return {};
}

void TZelDocAppForm::Prepare() {
    Document = CreateDoc();
    Document->SetOnModifiedChange([this] { UpdateModified(); });
    Document->SetOnFileNameChange([this] { UpdateCaption(); });
    QString file = CommandLineFile();
    bool opened = false;
    if (!file.isEmpty())
        opened = Guarded([&] { Document->Open(file, false, 0); });
    if (!opened)
        Document->New();
    UpdateCaption();
    UpdateModified();
    FindAction("RegisterAsDefaultEditorAction")
        ->setChecked(
            ZelIsDefaultEditor(DesktopIdOfProgram(),
                               ZelMimeTypesOfExtension(Document->GetDefaultExt().toStdString())));
}

void TZelDocAppForm::UpdateCaption() {
    if (!Document)
        return;
    QString caption = Document->HasFileName()
                          ? QFileInfo(Document->GetFileName()).fileName() + " - " + BaseCaption
                          : BaseCaption;
    setWindowTitle(caption);
    if (QLabel* panel = StatusPanel(1))
        panel->setText(Document->IsReadOnly() ? tr("Read Only") : QString());
    ShownModified = false;
    UpdateSaveAction();
}

void TZelDocAppForm::UpdateModified() {
    if (!Document)
        return;
    bool modified = Document->IsModified();
    if (modified != ShownModified && !Document->IsReadOnly()) {
        if (QLabel* panel = StatusPanel(1))
            panel->setText(modified ? tr("Modified") : QString());
    }
    ShownModified = modified;
    UpdateSaveAction();
}

void TZelDocAppForm::UpdateSaveAction() {
    bool enabled =
        Document && DocumentActionsAvailable() &&
        (Document->IsModified() || (!Document->HasFileName() && !Document->IsReadOnly()));
    FindAction("FileSaveAction")->setEnabled(enabled);
}

void TZelDocAppForm::UpdateDocumentActions() {
    FindAction("FileOpenAction")->setEnabled(DocumentActionsAvailable());
    FindAction("FileSaveAsAction")->setEnabled(DocumentActionsAvailable());
    UpdateSaveAction();
}

void TZelDocAppForm::FileNew() {
    NewDocument();
}

// A step that may fail: its error is shown and the document stays as it was.
bool TZelDocAppForm::Guarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
        return false;
    }
}

bool TZelDocAppForm::CheckSave() {
    if (!Document)
        return true;
    if (Document->HasFileName())
        AddRecentFile(Document->GetFileName());
    if (!Document->IsModified())
        return true;
    QString question = tr("Save changes to '%1'?").arg(Document->GetFileName());
    int answer =
        OnAskSave ? OnAskSave(question)
                  : QMessageBox::question(this, QApplication::applicationDisplayName(), question,
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        return SaveDocument();
    return true;
}

void TZelDocAppForm::NewDocument() {
    if (CheckSave())
        Document->New();
}

void TZelDocAppForm::OpenDocument() {
    QString filter = Document->GetOpenFilter() + ";;" + tr("All files (*)");
    QString chosen;
    int index = 0;
    bool readOnly = false;
    if (OnChooseFile) {
        chosen = OnChooseFile(false);
    } else {
        QFileDialog dialog(this, tr("Open"), QString(), filter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        chosen = dialog.selectedFiles().front();
        index = int(filter.split(";;").indexOf(dialog.selectedNameFilter())) + 1;
    }
    if (chosen.isEmpty() || !CheckSave())
        return;
    OpenFile(chosen, readOnly, index);
}

void TZelDocAppForm::OpenFile(const QString& fileName, bool readOnly, int filterIndex) {
    Guarded([&] {
        Document->Open(fileName, readOnly, filterIndex);
        AddRecentFile(fileName);
    });
}

bool TZelDocAppForm::SaveDocument() {
    // A document opened read-only is never written over: it is saved under a new name.
    if (!Document->HasFileName() || Document->IsReadOnly())
        return SaveDocumentAs();
    return Guarded([this] { Document->Save({}, true, 0); });
}

bool TZelDocAppForm::SaveDocumentAs() {
    QString filter = Document->GetSaveFilter();
    QString chosen;
    int index = Document->GetFilterIndex();
    if (OnChooseFile) {
        chosen = OnChooseFile(true);
    } else {
        QFileDialog dialog(this, tr("Save As"),
                           Document->HasFileName() ? Document->GetFileName() : QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(Document->GetDefaultExt());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        chosen = dialog.selectedFiles().front();
        index = int(filter.split(";;").indexOf(dialog.selectedNameFilter())) + 1;
    }
    if (chosen.isEmpty())
        return false;
    bool saved = Guarded([&] { Document->Save(chosen, true, index); });
    if (saved)
        AddRecentFile(chosen);
    return saved;
}

void TZelDocAppForm::AddRecentFile(const QString& fileName) {
    QString full = QFileInfo(fileName).absoluteFilePath();
    Recent.removeAll(full);
    Recent.prepend(full);
    while (Recent.size() > MaxRecentFiles)
        Recent.removeLast();
    Reopen->menuAction()->setVisible(!Recent.isEmpty());
}

void TZelDocAppForm::FillRecentMenu(QMenu* menu) {
    menu->clear();
    for (int i = 0; i < Recent.size(); ++i) {
        QString file = Recent[i];
        QAction* item = menu->addAction(QString("&%1 %2").arg(i + 1).arg(file));
        connect(item, &QAction::triggered, this, [this, file] {
            if (CheckSave())
                OpenFile(file);
        });
    }
}

void TZelDocAppForm::ToggleDefaultEditor(bool on) {
    std::string extension = Document->GetDefaultExt().toStdString();
    std::string desktopId = DesktopIdOfProgram();
    if (on)
        ZelRegisterDefaultEditor({desktopId, QApplication::applicationDisplayName().toStdString(),
                                  Document->GetDescription().toStdString(), ZelExecutablePath(),
                                  ZelMimeTypesOfExtension(extension)});
    else
        ZelUnregisterDefaultEditor(desktopId);
    FindAction("RegisterAsDefaultEditorAction")
        ->setChecked(ZelIsDefaultEditor(desktopId, ZelMimeTypesOfExtension(extension)));
}

void TZelDocAppForm::LoadSettings(TZelSettingsKey& key) {
    TZelBaseAppForm::LoadSettings(key);
    Recent.clear();
    try {
        if (auto list =
                ZelSettings().OpenKey(TZelHive::CurrentUser, SettingsKey() + "\\MRU list", false))
            for (int i = 1; i <= MaxRecentFiles; ++i)
                if (auto file = list->ReadString("File" + std::to_string(i));
                    file && !file->empty())
                    Recent.append(QString::fromStdString(*file));
    } catch (const EZelError&) {
    }
    Reopen->menuAction()->setVisible(!Recent.isEmpty());
}

void TZelDocAppForm::SaveSettings(TZelSettingsKey& key) {
    TZelBaseAppForm::SaveSettings(key);
    auto list = ZelSettings().OpenKey(TZelHive::CurrentUser, SettingsKey() + "\\MRU list", true);
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        std::string name = "File" + std::to_string(i);
        if (i <= Recent.size())
            list->WriteString(name, Recent[i - 1].toStdString());
        else
            list->DeleteValue(name);
    }
}

bool TZelDocAppForm::CanClose() {
    return CheckSave();
}

void TZelDocAppForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TZelDocAppForm::dropEvent(QDropEvent* event) {
    activateWindow();
    raise();
    QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    if (CheckSave())
        OpenFile(urls.front().toLocalFile());
}
