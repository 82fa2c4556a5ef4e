// The view window: a window that shows one lexical unit (a sentence item) in its own way,
// on a gradient background with the product logo in its corner. It renders only when it
// is visible: setting a unit renders at once when the window shows, otherwise when it is
// next shown. Subclasses decide what they can show and how (the rich-text views).
//
// A view lives in a view manager: docked there as one of its tabs, or floating as a tool
// window that stays on top. Whether it is docked and where it floats are kept under its
// window name in the settings store.
#pragma once

#include "ZelSentenceItem.h"

#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

class QAction;
class QToolBar;
class TZelDicViewConfig;
class TZelDockedControlAction;
class TZelGradientPanel;
class TZelViewManagerFrame;

class TZelDicViewForm : public QWidget {
    Q_OBJECT
public:
    // defaultName: the class's window name; further windows of the class alive at the same
    // time get "_1", "_2"... after it.
    TZelDicViewForm(const QString& defaultName, QWidget* parent = nullptr);
    ~TZelDicViewForm() override;

    // The caption becomes the configuration's name.
    virtual void SetViewConfig(TZelDicViewConfig* config);
    TZelDicViewConfig* ViewConfig() const { return Config; }
    // Whether the view can show the unit (the base: when there is one).
    virtual bool CanShow(IZelSentenceItem* item);
    virtual void Render(IZelSentenceItem& item, bool& shown);
    virtual void BeginRender() {}
    virtual void EndRender() {}
    virtual void ApplySettings() {}
    virtual void OnHover(QWidget* window, const QPoint& screenPoint);
    virtual void SetContentVisible(bool visible);
    virtual void SetViewArgument(int argument) { ViewArgument = argument; }
    int GetViewArgument() const { return ViewArgument; }

    // Stores the unit, renders it (now when visible, otherwise when next shown), and tells
    // whether the view can show it.
    bool SetLu(IZelSentenceItem* item);
    IZelSentenceItem* Lu() const { return Item.get(); }
    bool IsRendered() const { return Rendered; }
    // Renders the current unit now.
    void RenderNow();
    // Renders again: now when visible, otherwise when next shown.
    void Refresh();

    int ImageIndex() const { return TabImageIndex; }
    void SetImageIndex(int index) { TabImageIndex = index; }
    // The panel the content sits on.
    TZelGradientPanel* BackgroundPanel() const { return Background; }
    // The view's own toolbar (Dock or Float, and what subclasses add).
    QToolBar* ViewToolbar() const { return Toolbar; }
    QAction* DockAction() const { return DockItem; }
    QAction* FloatAction() const { return FloatItem; }

    // Docking: the manager it belongs to and the tab that shows it there.
    void SetManager(TZelViewManagerFrame* manager) { Manager = manager; }
    TZelViewManagerFrame* ViewManager() const { return Manager; }
    void SetTabAction(TZelDockedControlAction* action) { Tab = action; }
    TZelDockedControlAction* TabAction() const { return Tab; }
    bool IsDocked() const { return Docked; }
    // Docks the view into its manager or floats it at its remembered bounds.
    void SetDocked(bool docked);
    // Called by the manager as it docks or floats the view.
    void SetDockedState(bool docked);
    QRect FloatingBounds() const { return Bounds; }
    void SetFloatingBounds(const QRect& bounds) { Bounds = bounds; }

    // Reads "Left", "Top", "Right", "Bottom" and "Docked" under the window's key, then docks
    // or floats (docks when "Docked" is missing or the key does not open).
    void LoadPosition();
    void SavePosition();
    std::string SettingsKey() const;

signals:
    void Rendering();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateDockItems();
    // Docks or floats whatever the current state (the first placement).
    void PlaceDocked(bool docked);

    TZelGradientPanel* Background;
    QToolBar* Toolbar;
    QAction* DockItem;
    QAction* FloatItem;
    TZelDicViewConfig* Config = nullptr;
    ZelRef<IZelSentenceItem> Item;
    bool Rendered = false;
    int TabImageIndex = 0;
    int ViewArgument = 0;
    TZelViewManagerFrame* Manager = nullptr;
    TZelDockedControlAction* Tab = nullptr;
    bool Docked = false;
    QRect Bounds{120, 120, 480, 420};
};
