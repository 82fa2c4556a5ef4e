// The non-visual module every look-up program has: the settings object and its saving
// (on demand, on exit, before a restart), the three Options actions, the shared toolbar
// pictures, the interface language and its change, the reset to the installation
// defaults. The product derives its main data module from it.
#pragma once

#include "ZelConfig.h"
#include "ZelImageList.h"

#include <QFont>
#include <QObject>

#include <cstdint>
#include <memory>
#include <string>

class QAction;
class QWidget;

class TZelBaseAppDataModule : public QObject {
    Q_OBJECT
public:
    explicit TZelBaseAppDataModule(QObject* parent = nullptr);
    // Saves the settings when "Save Settings on Exit" is checked.
    ~TZelBaseAppDataModule() override;

    // The creation steps that call the class's own operations: the help file, the settings
    // object (created, loaded from "Config", validated), "SaveSettingsOnExit", the
    // settings applied, the toolbar pictures.
    void Initialize();

    virtual int GetLocaleCount() const { return 0; }
    virtual uint16_t GetLocaleAt(int index) const;
    virtual void ApplySettings() {}
    // Writes "Locale" under the settings key (created when missing).
    virtual void SetLocale(uint16_t language);
    virtual void SaveUserData() {}
    virtual std::unique_ptr<TZelConfig> CreateConfig() { return nullptr; }
    virtual QWidget* CreateSettingsForm() { return nullptr; }

    std::string GetSettingsKey() const;
    TZelConfig* GetConfig() const { return Config.get(); }
    uint16_t GetLocale() const { return Locale; }
    bool IsLoading() const { return Loading; }
    const QString& GetHelpFile() const { return HelpFile; }
    TZelImageList& NormalImages() { return NormalImageList; }
    int GetColorDepth() const;

    // A font of the windows follows the system's menu font: kept when the names agree;
    // taken whole when it is one of the classic interface fonts; otherwise it becomes the
    // system's interface font, its size and style kept.
    static void MatchMenuFont(QFont& font);

    // Tells every window that the settings changed, then applies them.
    void BroadcastSettingsChanged();
    void ShowSettings();
    // Writes "SaveSettingsOnExit" and "Config", then asks every window to write its own.
    void SaveSettingsNow();
    // After the user's confirmation: deletes the settings key, keeps the user's data, and
    // restarts the program without writing the old settings back.
    void SetInstallationDefaults();
    // After the user's confirmation: stores the language and restarts the program in it.
    void ChangeInterfaceLanguage(uint16_t language);

    QAction* SaveSettingsOnExitAction() const { return SaveOnExit; }
    QAction* SaveSettingsNowAction() const { return SaveNow; }
    QAction* SetInstallationDefaultsAction() const { return SetDefaults; }

signals:
    // The system's interface font changed: windows match their fonts again.
    void SystemFontChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Starts the program again with its arguments and ends this one.
    virtual void Restart();

private:
    void LocateHelpFile();
    void LoadSettings();
    void SaveConfig(TZelSettingsKey& key);

    std::unique_ptr<TZelConfig> Config;
    // The settings as this process read them, to tell its own changes from another's.
    std::unique_ptr<TZelConfig> ConfigAsRead;
    std::unique_ptr<TZelConfig> ConfigToSave;
    TZelImageList NormalImageList;
    QAction* SaveOnExit = nullptr;
    QAction* SaveNow = nullptr;
    QAction* SetDefaults = nullptr;
    QString HelpFile;
    uint16_t Locale = 0x10;
    bool Loading = false;
    bool Destroying = false;
};

// A font of the settings as Qt shows it, and back.
QFont ZelFontOf(const TZelFontConfig& config);
void ZelSetFontConfig(TZelFontConfig& config, const QFont& font);

// The default text font of the settings (Arial 10 when there are no look-up settings):
// the font of the texts the views show, whose size ÷ 10 is their zoom.
QFont ZelDefaultTextFont();

// The program's one main data module (set by the start-up).
TZelBaseAppDataModule* ZelDataModule();
void ZelSetDataModule(TZelBaseAppDataModule* module);

// The toolbar pictures of the data module, none without one.
const TZelImageList* ZelToolbarPictures();
// The settings key of a window: the product's key + "\" + the window's name.
//   ZelWindowSettingsKey("NVMainForm") == "Software\VRD\NV\1.0\NVMainForm"
std::string ZelWindowSettingsKey(const std::string& windowName);
