#include "ZelBaseAppUnit.h"

#include "ZelAboutBox.h"
#include "ZelActions.h"
#include "ZelAppEvents.h"
#include "ZelBaseAppData.h"
#include "ZelBaseDataModule.h"
#include "ZelDialogs.h"
#include "ZelFlagDataModule.h"
#include "ZelHelpBrowser.h"
#include "ZelHelpManager.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#ifndef NORVEL_HOME_PAGE
#define NORVEL_HOME_PAGE "https://www.example.org/"
#endif

namespace {

// A window's key seen through what the window read and wrote before: reading records the
// value, writing skips a value equal to the one recorded. So two instances of the program
// lose nothing: a value one of them left alone is not written back over the other's change.
class TSnapshotKey : public TZelSettingsKey {
public:
    TSnapshotKey(TZelSettingsKey& inner, std::map<std::string, std::string>& snapshot)
        : Inner(inner), Snapshot(snapshot) {}

    std::optional<int32_t> ReadInteger(const std::string& name) override {
        std::optional<int32_t> value = Inner.ReadInteger(name);
        Record(name, value ? "i" + std::to_string(*value) : "-");
        return value;
    }
    std::optional<std::string> ReadString(const std::string& name) override {
        std::optional<std::string> value = Inner.ReadString(name);
        Record(name, value ? "s" + *value : "-");
        return value;
    }
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) override {
        std::optional<std::vector<uint8_t>> value = Inner.ReadBinary(name);
        Record(name, value ? "b" + std::string(value->begin(), value->end()) : "-");
        return value;
    }
    void WriteInteger(const std::string& name, int32_t value) override {
        if (Changed(name, "i" + std::to_string(value)))
            Inner.WriteInteger(name, value);
    }
    void WriteString(const std::string& name, const std::string& value) override {
        if (Changed(name, "s" + value))
            Inner.WriteString(name, value);
    }
    void WriteBinary(const std::string& name, const std::vector<uint8_t>& value) override {
        if (Changed(name, "b" + std::string(value.begin(), value.end())))
            Inner.WriteBinary(name, value);
    }
    std::vector<std::string> GetSubKeyNames() override { return Inner.GetSubKeyNames(); }
    std::vector<std::string> GetValueNames() override { return Inner.GetValueNames(); }
    bool DeleteValue(const std::string& name) override {
        Snapshot.erase(Lower(name));
        return Inner.DeleteValue(name);
    }

private:
    static std::string Lower(const std::string& name) {
        return QString::fromStdString(name).toLower().toStdString();
    }
    void Record(const std::string& name, const std::string& value) {
        Snapshot[Lower(name)] = value;
    }
    // Whether the value differs from the one recorded; it is recorded either way.
    bool Changed(const std::string& name, const std::string& value) {
        auto [at, added] = Snapshot.try_emplace(Lower(name), value);
        if (!added && at->second == value)
            return false;
        at->second = value;
        return true;
    }

    TZelSettingsKey& Inner;
    std::map<std::string, std::string>& Snapshot;
};

const char* const Context = "TZelBaseAppForm";

const std::vector<TZelActionSpec>& BaseActions() {
    static const std::vector<TZelActionSpec> table = {
        {"FileExitAction", QT_TRANSLATE_NOOP("TZelBaseAppForm", "E&xit"),
         QT_TRANSLATE_NOOP("TZelBaseAppForm", "Quit this application"), nullptr, 10199},
        {"HelpContentsAction", QT_TRANSLATE_NOOP("TZelBaseAppForm", "&Contents"),
         QT_TRANSLATE_NOOP("TZelBaseAppForm", "Show help contents"), nullptr, 10601, 1},
        {"HelpHomePageAction", QT_TRANSLATE_NOOP("TZelBaseAppForm", "&Kelvar Home Page"),
         QT_TRANSLATE_NOOP("TZelBaseAppForm",
                           "Open the Kelvar home page using the default navigator"),
         nullptr, 10611, 3},
        {"OptionsSettingsAction", QT_TRANSLATE_NOOP("TZelBaseAppForm", "&Settings"),
         QT_TRANSLATE_NOOP("TZelBaseAppForm", "Open the settings form"), nullptr, 10501, 0},
        {"HelpWhatIsThisAction", QT_TRANSLATE_NOOP("TZelBaseAppForm", "&What's this?"),
         QT_TRANSLATE_NOOP("TZelBaseAppForm", "Quick help"), nullptr, 0, 2,
         QKeySequence("Shift+F1")},
        {"ViewToolbarsShowCaptionsAction",
         QT_TRANSLATE_NOOP("TZelBaseAppForm", "Show &Captions"),
         nullptr,
         nullptr,
         10399,
         -1,
         {},
         true},
        {"HelpAboutAction", QT_TRANSLATE_NOOP("TZelBaseAppForm", "&About..."), nullptr, nullptr,
         10699},
    };
    return table;
}

QString HelpFile() {
    TZelBaseAppDataModule* module = ZelDataModule();
    return module ? module->GetHelpFile() : QString();
}

} // namespace

QRect ZelOnAScreen(QRect bounds) {
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return bounds;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(bounds)) {
            QRect area = screen->availableGeometry();
            bounds.setSize(bounds.size().boundedTo(area.size()));
            return bounds;
        }
    QRect area = primary->availableGeometry();
    bounds.setSize(bounds.size().boundedTo(area.size()));
    bounds.moveTopLeft(area.topLeft());
    return bounds;
}

TZelBaseAppForm::TZelBaseAppForm(const QString& name, QWidget* parent)
    : QMainWindow(parent), Help(new TZelHelpManager(this, HelpFile)) {
    setObjectName(name);
    QFont font = this->font();
    TZelBaseAppDataModule::MatchMenuFont(font);
    setFont(font);
    if (TZelBaseAppDataModule* module = ZelDataModule())
        connect(module, &TZelBaseAppDataModule::SystemFontChanged, this, [this] {
            QFont matched = this->font();
            TZelBaseAppDataModule::MatchMenuFont(matched);
            setFont(matched);
        });
    // The toolbar's items name what they are in the status bar, and the help for a toolbar
    // is the help of its item under the pointer.
    Help->OnExtractHelpContext = [](QWidget* control, const QPoint& at) {
        auto* toolbar = qobject_cast<QToolBar*>(control);
        return toolbar ? ZelHelpContext(toolbar->actionAt(toolbar->mapFromGlobal(at))) : 0;
    };
    CreateActions();
    BuildMenus();
    QToolBar* help = AddToolBar("HelpToolBar", tr("Help"));
    help->addAction(FindAction("HelpWhatIsThisAction"));
    help->addAction(FindAction("HelpContentsAction"));
    statusBar();
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TZelBaseAppForm::HelpForFocus);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TZelBaseAppForm::SaveIfSwitchedOn);
}

TZelBaseAppForm::~TZelBaseAppForm() = default;

void TZelBaseAppForm::CreateActions() {
    for (QAction* action : ZelCreateActions(this, Context, BaseActions(), ZelToolbarPictures()))
        addAction(action);
    connect(FindAction("FileExitAction"), &QAction::triggered, this, &QWidget::close);
    connect(FindAction("HelpContentsAction"), &QAction::triggered, this,
            [this] { ShowHelpTopic(0); });
    connect(FindAction("HelpHomePageAction"), &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(HomePage())); });
    connect(FindAction("OptionsSettingsAction"), &QAction::triggered, this, [] {
        if (TZelBaseAppDataModule* module = ZelDataModule())
            module->ShowSettings();
    });
    connect(FindAction("HelpWhatIsThisAction"), &QAction::triggered, this,
            [this] { Help->SetHelpMode(true); });
    connect(FindAction("ViewToolbarsShowCaptionsAction"), &QAction::triggered, this,
            [this](bool on) { SetShowCaptions(on); });
    connect(FindAction("HelpAboutAction"), &QAction::triggered, this, &TZelBaseAppForm::ShowAbout);
}

QAction* TZelBaseAppForm::FindAction(const QString& name) const {
    return findChild<QAction*>(name);
}

void TZelBaseAppForm::BuildMenus() {
    File = menuBar()->addMenu(tr("&File"));
    File->setObjectName("FileMenu");
    File->addAction(FindAction("FileExitAction"));
    View = menuBar()->addMenu(tr("&View"));
    View->setObjectName("ViewMenu");
    Toolbars = View->addMenu(tr("&Toolbars"));
    Toolbars->setObjectName("ToolbarsMenu");
    connect(Toolbars, &QMenu::aboutToShow, this, &TZelBaseAppForm::UpdateToolbarsMenu);
    Options = menuBar()->addMenu(tr("&Options"));
    Options->setObjectName("OptionsMenu");
    Options->addAction(FindAction("OptionsSettingsAction"));
    BuildLanguageMenu();
    if (TZelBaseAppDataModule* module = ZelDataModule()) {
        Options->addSeparator();
        Options->addAction(module->SaveSettingsOnExitAction());
        Options->addAction(module->SaveSettingsNowAction());
        Options->addAction(module->SetInstallationDefaultsAction());
    }
    HelpItems = menuBar()->addMenu(tr("&Help"));
    HelpItems->setObjectName("HelpMenu");
    HelpItems->addAction(FindAction("HelpContentsAction"));
    HelpItems->addAction(FindAction("HelpWhatIsThisAction"));
    HelpItems->addAction(FindAction("HelpHomePageAction"));
    HelpItems->addSeparator();
    HelpItems->addAction(FindAction("HelpAboutAction"));
}

QMenu* TZelBaseAppForm::EditMenu() {
    if (!Edit) {
        Edit = new QMenu(tr("&Edit"), this);
        Edit->setObjectName("EditMenu");
        menuBar()->insertMenu(View->menuAction(), Edit);
    }
    return Edit;
}

QMenu* TZelBaseAppForm::ActionsMenu() {
    if (!Actions) {
        Actions = new QMenu(tr("&Actions"), this);
        Actions->setObjectName("ActionsMenu");
        menuBar()->insertMenu(Options->menuAction(), Actions);
    }
    return Actions;
}

// One item per interface language when the program has two or more: the current one
// checked and disabled; choosing another restarts the program in it.
void TZelBaseAppForm::BuildLanguageMenu() {
    TZelBaseAppDataModule* module = ZelDataModule();
    if (!module || module->GetLocaleCount() < 2 || !ZelFlagDataModule())
        return;
    Languages = Options->addMenu(tr("Interface &Language"));
    Languages->setObjectName("InterfaceLanguageMenu");
    auto* group = new QActionGroup(Languages);
    for (int i = 0; i < module->GetLocaleCount(); ++i) {
        uint16_t language = module->GetLocaleAt(i);
        QAction* item = ZelFlagDataModule()->CreateFlagItem(Languages, language);
        group->addAction(item);
        Languages->addAction(item);
        bool current = (language & 0x3FF) == (module->GetLocale() & 0x3FF);
        item->setChecked(current);
        item->setEnabled(!current);
        connect(item, &QAction::triggered, module,
                [module, language] { module->ChangeInterfaceLanguage(language); });
    }
}

QToolBar* TZelBaseAppForm::AddToolBar(const QString& name, const QString& title, int tag) {
    QToolBar* toolbar = addToolBar(title);
    toolbar->setObjectName(name);
    toolbar->setProperty("tag", tag);
    ZelNameToolbarExtension(toolbar);
    toolbar->setIconSize(QSize(16, 16));
    if (tag >= 0)
        toolbar->setToolButtonStyle(Captions ? Qt::ToolButtonTextUnderIcon
                                             : Qt::ToolButtonIconOnly);
    return toolbar;
}

void TZelBaseAppForm::UpdateToolbarsMenu() {
    Toolbars->clear();
    Toolbars->addAction(FindAction("ViewToolbarsShowCaptionsAction"));
    Toolbars->addSeparator();
    for (QToolBar* toolbar : findChildren<QToolBar*>()) {
        if (toolbar->property("tag").toInt() == -1)
            continue;
        QAction* toggle = Toolbars->addAction(toolbar->windowTitle());
        toggle->setCheckable(true);
        toggle->setChecked(toolbar->isVisible());
        connect(toggle, &QAction::triggered, toolbar, &QToolBar::setVisible);
    }
}

QMenu* TZelBaseAppForm::createPopupMenu() {
    // The docks' menu is the Toolbars menu (a copy, which the caller frees).
    UpdateToolbarsMenu();
    auto* menu = new QMenu(this);
    for (QAction* action : Toolbars->actions())
        menu->addAction(action);
    return menu;
}

void TZelBaseAppForm::SetShowCaptions(bool on) {
    if (on == Captions)
        return;
    Captions = on;
    for (QToolBar* toolbar : findChildren<QToolBar*>())
        if (toolbar->property("tag").toInt() >= 0)
            toolbar->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    FindAction("ViewToolbarsShowCaptionsAction")->setChecked(on);
}

std::string TZelBaseAppForm::SettingsKey() const {
    return ZelWindowSettingsKey(objectName().toStdString());
}

void TZelBaseAppForm::Initialize() {
    if (Initialized)
        return;
    Initialized = true;
    Prepare();
    std::unique_ptr<TZelSettingsKey> key;
    try {
        key = ZelSettings().OpenKey(TZelHive::CurrentUser, SettingsKey(), false);
    } catch (const EZelError&) {
        // An unreadable store: the window starts as on the first day.
    }
    if (key) {
        TSnapshotKey recording(*key, Snapshot);
        LoadSettings(recording);
    } else {
        LoadDefaults();
    }
    try {
        if (auto toolbars =
                ZelSettings().OpenKey(TZelHive::CurrentUser, SettingsKey() + "\\Toolbars", false))
            if (std::optional<std::vector<uint8_t>> state = toolbars->ReadBinary("State"))
                restoreState(QByteArray(reinterpret_cast<const char*>(state->data()),
                                        qsizetype(state->size())));
    } catch (const EZelError&) {
    }
    ApplySettings();
}

void TZelBaseAppForm::RestoreBounds(TZelSettingsKey& key) {
    QRect bounds = geometry();
    auto read = [&](const char* name) { return ZelReadIntegerOrNone(key, name); };
    if (auto left = read("Left"))
        bounds.moveLeft(*left);
    if (auto top = read("Top"))
        bounds.moveTop(*top);
    if (auto width = read("Width"); width && *width > 0)
        bounds.setWidth(*width);
    if (auto height = read("Height"); height && *height > 0)
        bounds.setHeight(*height);
    bounds = ZelOnAScreen(bounds);
    move(bounds.topLeft());
    resize(bounds.size());
}

void TZelBaseAppForm::LoadSettings(TZelSettingsKey& key) {
    RestoreBounds(key);
    try {
        if (auto captions = key.ReadInteger("ShowCaptions"))
            SetShowCaptions(*captions != 0);
    } catch (const EZelError&) {
    }
    bool maximized = false;
    try {
        maximized = key.ReadInteger("Maximized").value_or(0) != 0;
    } catch (const EZelError&) {
    }
    if (maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TZelBaseAppForm::SaveSettings(TZelSettingsKey& key) {
    bool maximized = isMaximized();
    key.WriteInteger("Maximized", maximized ? 1 : 0);
    key.WriteInteger("ShowCaptions", Captions ? 1 : 0);
    if (!maximized) {
        key.WriteInteger("Left", pos().x());
        key.WriteInteger("Top", pos().y());
        key.WriteInteger("Width", width());
        key.WriteInteger("Height", height());
    }
}

void TZelBaseAppForm::SaveAllSettings() {
    std::unique_ptr<TZelSettingsKey> key =
        ZelSettings().OpenKey(TZelHive::CurrentUser, SettingsKey(), true);
    TSnapshotKey changesOnly(*key, Snapshot);
    SaveSettings(changesOnly);
    QByteArray state = saveState();
    ZelSettings()
        .OpenKey(TZelHive::CurrentUser, SettingsKey() + "\\Toolbars", true)
        ->WriteBinary("State", std::vector<uint8_t>(state.begin(), state.end()));
}

void TZelBaseAppForm::SaveIfSwitchedOn() {
    TZelBaseAppDataModule* module = ZelDataModule();
    if (Saved || !Initialized || !module || !module->SaveSettingsOnExitAction()->isChecked() ||
        module->IsLoading())
        return;
    Saved = true;
    try {
        SaveAllSettings();
    } catch (const EZelError&) {
        // Ending the program: nothing more to do about an unwritable store.
    }
}

QString TZelBaseAppForm::HomePage() {
    return QStringLiteral(NORVEL_HOME_PAGE);
}

void TZelBaseAppForm::ShowHelpTopic(int context) {
    QString file = HelpFile();
    if (file.isEmpty()) {
        ZelDialogs().MessageBox(QApplication::applicationDisplayName().toStdString(),
                                tr("This program has no help file.").toStdString(),
                                TZelMsgButtons::Ok, TZelMsgIcon::Information);
        return;
    }
    TZelHelpBrowser::Show(file, context > 0 ? "LDH_" + QString::number(context) : QString());
}

// F1: the help of the control that has the focus, or of its nearest parent that has one.
void TZelBaseAppForm::HelpForFocus() {
    int context = 0;
    for (QWidget* w = QApplication::focusWidget(); w && !context; w = w->parentWidget())
        context = ZelHelpContext(w);
    ShowHelpTopic(context);
}

void TZelBaseAppForm::ShowAbout() {
    TZelAboutBox about(this);
    ZelSetHelpContext(&about, 10699);
    about.exec();
}

bool TZelBaseAppForm::event(QEvent* event) {
    if (event->type() == QEvent::Type(ZelSettingsChangedEvent)) {
        ApplySettings();
        return true;
    }
    if (event->type() == QEvent::Type(ZelSaveSettingsEvent)) {
        SaveAllSettings();
        return true;
    }
    return QMainWindow::event(event);
}

void TZelBaseAppForm::showEvent(QShowEvent* event) {
    Initialize();
    QMainWindow::showEvent(event);
}

void TZelBaseAppForm::closeEvent(QCloseEvent* event) {
    if (!CanClose()) {
        event->ignore();
        return;
    }
    SaveIfSwitchedOn();
    QMainWindow::closeEvent(event);
}
