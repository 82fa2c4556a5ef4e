// The main window every look-up program has: its size, position and maximised state, its
// toolbars and their layout kept under the window's own settings key; hints in the status
// bar; the Toolbars menu; the interface-language menu; the Help menu (the help window at a
// topic, What's this?, the home page, About); F1 for the help of the control in use.
#pragma once

#include "ZelSettingsStore.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <string>

class QAction;
class QMenu;
class QToolBar;
class TZelHelpManager;

// Bounds that show on one of the screens there are now: a window saved on a screen since
// removed comes back on the primary one, never larger than it.
QRect ZelOnAScreen(QRect bounds);

class TZelBaseAppForm : public QMainWindow {
    Q_OBJECT
public:
    // name: the window's name, the last part of its settings key.
    explicit TZelBaseAppForm(const QString& name, QWidget* parent = nullptr);
    ~TZelBaseAppForm() override;

    // Reads the window's settings (or its defaults when it has none), then the toolbar
    // layout, then applies the settings. Runs once; showing the window runs it too.
    void Initialize();
    // The product's settings key + "\" + the window's name.
    std::string SettingsKey() const;

    virtual void LoadSettings(TZelSettingsKey& key);
    virtual void SaveSettings(TZelSettingsKey& key);
    virtual void LoadDefaults() {}
    virtual void ApplySettings() {}
    virtual void SetShowCaptions(bool on);
    bool ShowCaptions() const { return Captions; }
    // Writes the window's values and its toolbar layout now.
    void SaveAllSettings();

    // The help window at the topic of a help context (the contents for 0).
    void ShowHelpTopic(int context);
    TZelHelpManager* HelpManager() const { return Help; }

    QAction* FindAction(const QString& name) const;
    QMenu* FileMenu() const { return File; }
    QMenu* EditMenu();
    QMenu* ViewMenu() const { return View; }
    QMenu* ActionsMenu();
    QMenu* OptionsMenu() const { return Options; }
    QMenu* HelpMenu() const { return HelpItems; }
    QMenu* ToolbarsMenu() const { return Toolbars; }
    QMenu* LanguageMenu() const { return Languages; }
    // A toolbar of the window; a toolbar with tag -1 is not listed in the Toolbars menu
    // and keeps its look when captions are shown.
    QToolBar* AddToolBar(const QString& name, const QString& title, int tag = 0);

    // The home page the Help menu opens (set at build time).
    static QString HomePage();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;
    // Whether the window may close (the document window asks to save first).
    virtual bool CanClose() { return true; }
    // The first step of Initialize, before the settings are read: what a window makes
    // once it is whole (the document of a document window).
    virtual void Prepare() {}

private:
    void CreateActions();
    void BuildMenus();
    void BuildLanguageMenu();
    void UpdateToolbarsMenu();
    void RestoreBounds(TZelSettingsKey& key);
    void ShowAbout();
    void HelpForFocus();
    void SaveIfSwitchedOn();

    TZelHelpManager* Help;
    QMenu* File = nullptr;
    QMenu* Edit = nullptr;
    QMenu* View = nullptr;
    QMenu* Actions = nullptr;
    QMenu* Options = nullptr;
    QMenu* HelpItems = nullptr;
    QMenu* Toolbars = nullptr;
    QMenu* Languages = nullptr;
    bool Captions = false;
    bool Initialized = false;
    bool Saved = false;
    // The window's values as read at start and written since (name in lower case → value),
    // so that saving writes only what this instance changed.
    std::map<std::string, std::string> Snapshot;
};
