#include "ZelHelpManager.h"

#include "ZelHelpContext.h"
#include "ZelHelpFile.h"
#include "ZelQtHookSystem.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>
#include <QWhatsThis>

TZelHelpManager::TZelHelpManager(QWidget* owner, std::function<QString()> helpFile)
    : QObject(owner), Owner(owner), HelpFile(std::move(helpFile)) {
    ZelUseQtHookSystem();
    MenuHook.OnHook = [this](TZelBaseHook&, int, uintptr_t message, intptr_t info) {
        return OnMouseHook(message, *reinterpret_cast<const TZelMouseHookInfo*>(info));
    };
}

TZelHelpManager::~TZelHelpManager() {
    SetHelpMode(false);
}

void TZelHelpManager::SetHelpMode(bool on) {
    if (on == HelpMode)
        return;
    HelpMode = on;
    PressedInside = false;
    if (on) {
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    } else {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
        MenuHook.SetActive(false);
        OpenMenus.clear();
    }
}

bool TZelHelpManager::InsideOwner(const QPoint& screenPoint) const {
    return Owner && Owner->frameGeometry().contains(screenPoint);
}

int TZelHelpManager::HelpContextAt(const QPoint& screenPoint) const {
    QWidget* control = QApplication::widgetAt(screenPoint);
    if (!control)
        return 0;
    if (OnExtractHelpContext)
        if (int context = OnExtractHelpContext(control, screenPoint))
            return context;
    if (auto* button = qobject_cast<QToolButton*>(control); button && button->defaultAction())
        if (int context = ZelHelpContext(button->defaultAction()))
            return context;
    if (auto* toolbar = qobject_cast<QToolBar*>(control))
        if (int context = ZelHelpContext(toolbar->actionAt(toolbar->mapFromGlobal(screenPoint))))
            return context;
    for (QWidget* w = control; w; w = w->parentWidget())
        if (int context = ZelHelpContext(w))
            return context;
    return 0;
}

void TZelHelpManager::ShowPopupHelp(const QPoint& screenPoint, int context) {
    if (context <= 0)
        return;
    std::shared_ptr<const TZelHelpFile> file = HelpFile ? ZelHelpFileAt(HelpFile()) : nullptr;
    QString text = file ? file->PopupText(context) : QString();
    if (text.isEmpty())
        text = tr("There is no help for this item (topic %1).").arg(context);
    if (OnShowPopup)
        OnShowPopup(screenPoint, text);
    else
        QWhatsThis::showText(screenPoint, text, Owner);
}

void TZelHelpManager::ShowMenuHelp(QAction* action) {
    SetHelpMode(false);
    ShowPopupHelp(QCursor::pos(), ZelHelpContext(action));
}

void TZelHelpManager::MenuShown(QMenu* menu, bool shown) {
    if (shown)
        OpenMenus.insert(menu);
    else
        OpenMenus.erase(menu);
    // The hook watches the mouse while a menu is open in help mode.
    MenuHook.SetActive(HelpMode && !OpenMenus.empty());
}

// A click on a menu item while in help mode: the menu closes and the item's help shows.
intptr_t TZelHelpManager::OnMouseHook(uintptr_t message, const TZelMouseHookInfo& info) {
    auto* menu = qobject_cast<QMenu*>(static_cast<QObject*>(info.Window));
    if (!menu || message != ZelHookLeftButtonUp)
        return 0;
    QAction* action = menu->actionAt(menu->mapFromGlobal(QPoint(info.X, info.Y)));
    if (!action || action->menu() || action->isSeparator())
        return 0;
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    QMetaObject::invokeMethod(
        this, [this, action] { ShowMenuHelp(action); }, Qt::QueuedConnection);
    return 1;
}

bool TZelHelpManager::eventFilter(QObject* watched, QEvent* event) {
    if (!HelpMode)
        return false;
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            MenuShown(menu, event->type() == QEvent::Show);
        return false; // menus work as usual; the hook takes their clicks
    }
    switch (event->type()) {
    case QEvent::MouseMove: {
        QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        QApplication::changeOverrideCursor(InsideOwner(at) ? Qt::WhatsThisCursor : Qt::ArrowCursor);
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (!watched->isWidgetType() || qobject_cast<QMenuBar*>(watched))
            return false; // the menu bar opens its menus
        auto* mouse = static_cast<QMouseEvent*>(event);
        QPoint at = mouse->globalPosition().toPoint();
        if (!InsideOwner(at) || static_cast<QWidget*>(watched)->window() != Owner) {
            // A click outside the window leaves help mode and reaches its target.
            SetHelpMode(false);
            return false;
        }
        if (mouse->button() != Qt::LeftButton)
            return false;
        PressedInside = true;
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!PressedInside || mouse->button() != Qt::LeftButton)
            return false;
        QPoint at = mouse->globalPosition().toPoint();
        SetHelpMode(false);
        ShowPopupHelp(at, HelpContextAt(at));
        return true;
    }
    case QEvent::KeyPress: {
        bool escape = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
        SetHelpMode(false);
        return escape; // Escape ends here; another key goes on
    }
    default:
        return false;
    }
}
