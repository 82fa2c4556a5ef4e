// "What's this?" for a window: in help mode the pointer is the help pointer and the next
// click on one of the window's controls, or on a menu item, shows the first paragraph of
// its help topic in a small popup. Escape leaves the mode without help; another key, or a
// click outside the window, leaves it and goes on as usual. The title-bar buttons and the
// system menu belong to the window manager on this platform, so they cannot be reached.
#pragma once

#include "ZelWindowsHook.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <functional>
#include <set>

class QAction;
class QMenu;
class QWidget;

class TZelHelpManager : public QObject {
    Q_OBJECT
public:
    // owner: the window whose controls the help mode serves; helpFile: where the topics are.
    TZelHelpManager(QWidget* owner, std::function<QString()> helpFile);
    ~TZelHelpManager() override;

    void SetHelpMode(bool on);
    bool IsHelpMode() const { return HelpMode; }
    // Shows the popup of a help context at a screen point (nothing for context 0).
    void ShowPopupHelp(const QPoint& screenPoint, int context);
    // The help context of the control under a screen point: the callback's answer, else an
    // item of a toolbar, else the control's own or its nearest parent's.
    int HelpContextAt(const QPoint& screenPoint) const;

    // A help context of the caller's own for a control at a point; 0 for the usual rule.
    std::function<int(QWidget* control, const QPoint& screenPoint)> OnExtractHelpContext;
    // The popup shown (tests read it instead of the screen): the text, or empty.
    std::function<void(const QPoint& screenPoint, const QString& text)> OnShowPopup;

    // Added to the fixed numbers of the title-bar buttons and system menu commands.
    int SysOffset = 30000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool InsideOwner(const QPoint& screenPoint) const;
    void ShowMenuHelp(QAction* action);
    intptr_t OnMouseHook(uintptr_t message, const TZelMouseHookInfo& info);
    void MenuShown(QMenu* menu, bool shown);

    QPointer<QWidget> Owner;
    std::function<QString()> HelpFile;
    bool HelpMode = false;
    bool PressedInside = false;
    TZelMouseHook MenuHook;
    std::set<QMenu*> OpenMenus;
};
