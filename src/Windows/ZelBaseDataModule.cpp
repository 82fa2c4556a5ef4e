#include "ZelBaseDataModule.h"

#include "ZelActions.h"
#include "ZelAppEvents.h"
#include "ZelBaseAppData.h"
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelProcess.h"
#include "ZelSettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QScreen>
#include <QWidget>

namespace {

TZelBaseAppDataModule*& Current() {
    static TZelBaseAppDataModule* current = nullptr;
    return current;
}

const std::vector<TZelActionSpec>& OptionsActions() {
    static const std::vector<TZelActionSpec> table = {
        {"OptionsSaveSettingsOnExitAction",
         QT_TRANSLATE_NOOP("TZelBaseAppDataModule", "Save Settings on &Exit"),
         QT_TRANSLATE_NOOP("TZelBaseAppDataModule", "Save program settings on exit"),
         nullptr,
         10512,
         -1,
         {},
         true},
        {"OptionsSaveSettingsNowAction",
         QT_TRANSLATE_NOOP("TZelBaseAppDataModule", "Save Settings &Now"),
         QT_TRANSLATE_NOOP("TZelBaseAppDataModule", "Save program settings immediately"), nullptr,
         10511},
        {"OptionsSetIntsallationDefaultsAction",
         QT_TRANSLATE_NOOP("TZelBaseAppDataModule", "Set &Installation Defaults"),
         QT_TRANSLATE_NOOP("TZelBaseAppDataModule", "Set settings to original installation values"),
         nullptr, 10513},
    };
    return table;
}

// The key of the program's settings, opened for reading; none when it cannot be.
std::unique_ptr<TZelSettingsKey> OpenForReading(const std::string& key) {
    try {
        return ZelSettings().OpenKey(TZelHive::CurrentUser, key, false);
    } catch (const EZelSettingsError&) {
        return nullptr;
    }
}

} // namespace

QFont ZelFontOf(const TZelFontConfig& config) {
    QFont font(QString::fromStdString(config.Name));
    font.setPointSize(config.Size > 0 ? config.Size : 10);
    font.setBold((config.Style & TZelFontConfig::Bold) != 0);
    font.setItalic((config.Style & TZelFontConfig::Italic) != 0);
    font.setUnderline((config.Style & TZelFontConfig::Underline) != 0);
    font.setStrikeOut((config.Style & TZelFontConfig::StrikeOut) != 0);
    return font;
}

QFont ZelDefaultTextFont() {
    TZelBaseAppDataModule* module = ZelDataModule();
    auto* config = module ? dynamic_cast<TZelDicLookConfig*>(module->GetConfig()) : nullptr;
    return ZelFontOf(config ? config->DefaultTextFont : TZelFontConfig{});
}

void ZelSetFontConfig(TZelFontConfig& config, const QFont& font) {
    config.Name = font.family().toStdString();
    config.Size = font.pointSize() > 0 ? font.pointSize() : config.Size;
    config.Style = (font.bold() ? TZelFontConfig::Bold : 0u) |
                   (font.italic() ? TZelFontConfig::Italic : 0u) |
                   (font.underline() ? TZelFontConfig::Underline : 0u) |
                   (font.strikeOut() ? TZelFontConfig::StrikeOut : 0u);
}

TZelBaseAppDataModule* ZelDataModule() {
    return Current();
}

void ZelSetDataModule(TZelBaseAppDataModule* module) {
    Current() = module;
}

const TZelImageList* ZelToolbarPictures() {
    TZelBaseAppDataModule* module = ZelDataModule();
    return module ? &module->NormalImages() : nullptr;
}

std::string ZelWindowSettingsKey(const std::string& windowName) {
    TZelBaseAppDataModule* module = ZelDataModule();
    std::string product = module ? module->GetSettingsKey() : ZelAppData().GetSettingsKey();
    return product + "\\" + windowName;
}

TZelBaseAppDataModule::TZelBaseAppDataModule(QObject* parent)
    : QObject(parent), NormalImageList(":/images/normal", QSize(16, 16)) {
    setObjectName("MainDataModule");
    std::vector<QAction*> actions =
        ZelCreateActions(this, "TZelBaseAppDataModule", OptionsActions(), nullptr);
    SaveOnExit = actions[0];
    SaveNow = actions[1];
    SetDefaults = actions[2];
    SaveOnExit->setChecked(true);
    connect(SaveNow, &QAction::triggered, this, [this] { SaveSettingsNow(); });
    connect(SetDefaults, &QAction::triggered, this, [this] { SetInstallationDefaults(); });
    if (qApp)
        qApp->installEventFilter(this);
}

TZelBaseAppDataModule::~TZelBaseAppDataModule() {
    Destroying = true;
    if (SaveOnExit->isChecked() && Config) {
        try {
            SaveSettingsNow();
        } catch (const std::exception& e) {
            ZelDialogs().ShowException(e);
        }
    }
    if (Current() == this)
        Current() = nullptr;
}

void TZelBaseAppDataModule::Initialize() {
    Loading = true;
    Locale = ZelAppData().ReadLocale();
    LocateHelpFile();
    Config = CreateConfig();
    LoadSettings();
    ApplySettings();
    if (NormalImageList.IsEmpty())
        NormalImageList.Load();
    Loading = false;
}

void TZelBaseAppDataModule::LoadSettings() {
    std::unique_ptr<TZelSettingsKey> key = OpenForReading(GetSettingsKey());
    if (key) {
        try {
            if (std::optional<int32_t> save = key->ReadInteger("SaveSettingsOnExit"))
                SaveOnExit->setChecked(*save != 0);
        } catch (const EZelSettingsError&) {
        }
        if (Config)
            LoadPersistent(*key, "Config", *Config);
    }
    if (!Config)
        return;
    Config->Validate();
    // Made now: a save can come from the destructor, where CreateConfig is no longer the
    // product's.
    ConfigAsRead = CreateConfig();
    ConfigAsRead->Assign(*Config);
    ConfigToSave = CreateConfig();
}

void TZelBaseAppDataModule::SaveConfig(TZelSettingsKey& key) {
    // Another instance of the program may have saved its settings since this one read
    // them: only what changed here is written over the stored settings (a property the
    // stored settings lack counts as unchanged since the read). Settings not stored yet
    // are written whole.
    std::optional<std::vector<uint8_t>> stored;
    try {
        stored = key.ReadBinary("Config");
    } catch (const EZelSettingsError&) {
    }
    if (stored && Config->SameAs(*ConfigAsRead))
        return;
    ConfigToSave->Assign(*ConfigAsRead);
    if (stored)
        ZelReadPersistent(*stored, *ConfigToSave);
    MergePersistent(*ConfigToSave, *ConfigAsRead, *Config);
    SavePersistent(key, "Config", *ConfigToSave);
    ConfigAsRead->Assign(*Config);
}

void TZelBaseAppDataModule::LocateHelpFile() {
    QString name = QApplication::instance() ? qApp->property("helpFile").toString() : QString();
    if (name.isEmpty())
        return;
    std::string folder = ZelExtractFileDir(ZelExecutablePath());
    QString beside = QString::fromStdString(folder) + "/" + name;
    HelpFile = beside;
    // An installation keeps its programs in ".../bin" and its help in ".../help".
    if (!QFileInfo::exists(beside) && folder.size() >= 4 &&
        QString::fromStdString(folder).endsWith("/bin", Qt::CaseInsensitive))
        HelpFile = QString::fromStdString(folder.substr(0, folder.size() - 3)) + "help/" + name;
}

uint16_t TZelBaseAppDataModule::GetLocaleAt(int) const {
    ZEL_ASSERT(false);
}

void TZelBaseAppDataModule::SetLocale(uint16_t language) {
    ZelSettings()
        .OpenKey(TZelHive::CurrentUser, GetSettingsKey(), true)
        ->WriteInteger("Locale", int32_t(language));
}

std::string TZelBaseAppDataModule::GetSettingsKey() const {
    return ZelAppData().GetSettingsKey();
}

int TZelBaseAppDataModule::GetColorDepth() const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}

void TZelBaseAppDataModule::MatchMenuFont(QFont& font) {
    QFont menu = QApplication::font("QMenu");
    if (font.family() == menu.family())
        return;
    QString family = font.family();
    if (family == "Arial" || family == "MS Sans Serif" || family == "Tahoma")
        font = menu;
    else
        font.setFamily(QApplication::font().family());
}

void TZelBaseAppDataModule::BroadcastSettingsChanged() {
    ZelPostToTopLevelWindows(ZelSettingsChangedEvent);
    ApplySettings();
}

void TZelBaseAppDataModule::ShowSettings() {
    // The product has no settings window; a variant that supplies one shows it here.
    if (QWidget* form = CreateSettingsForm())
        form->show();
}

void TZelBaseAppDataModule::SaveSettingsNow() {
    auto key = ZelSettings().OpenKey(TZelHive::CurrentUser, GetSettingsKey(), true);
    try {
        key->WriteInteger("SaveSettingsOnExit", SaveOnExit->isChecked() ? 1 : 0);
    } catch (const EZelSettingsError&) {
    }
    if (Config)
        SaveConfig(*key);
    if (!Destroying)
        ZelSendToTopLevelWindows(ZelSaveSettingsEvent);
}

void TZelBaseAppDataModule::SetInstallationDefaults() {
    if (ZelDialogs().MessageBox(
            "",
            tr("To reset installation defaults, I need to restart the application. Continue?")
                .toStdString(),
            TZelMsgButtons::OkCancel, TZelMsgIcon::Warning) != TZelMsgResult::Ok)
        return;
    ZelSettings().DeleteKey(TZelHive::CurrentUser, GetSettingsKey());
    SaveUserData();
    SaveOnExit->setChecked(false); // the old settings are not written back on exit
    Restart();
}

void TZelBaseAppDataModule::ChangeInterfaceLanguage(uint16_t language) {
    if (ZelDialogs().MessageBox(
            "",
            tr("To set the interface language I need to restart the application. Continue?")
                .toStdString(),
            TZelMsgButtons::OkCancel, TZelMsgIcon::Warning) != TZelMsgResult::Ok)
        return;
    SetLocale(language);
    if (SaveOnExit->isChecked())
        SaveSettingsNow();
    SaveUserData();
    SaveOnExit->setChecked(false);
    Restart();
}

void TZelBaseAppDataModule::Restart() {
    ZelProcessStarter().StartDetached(ZelExecutablePath(), ZelGetCommandLine());
    QCoreApplication::quit();
}

bool TZelBaseAppDataModule::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::ApplicationFontChange)
        emit SystemFontChanged();
    return QObject::eventFilter(watched, event);
}
