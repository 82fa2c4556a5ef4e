// What a screen reader finds in the main window: every control a person can use, in every
// mode and in both interface languages, has an accessible name.
#include "ZelNVMainUnit.h"
#include "ZelStartupFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTest>
#include <QToolBar>

#include <algorithm>

#include <functional>

namespace {

bool IsInteractive(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::Link:
        return true;
    default:
        return false;
    }
}

// The interactive elements without a name, each described by its role and object.
void CollectUnnamed(QAccessibleInterface* node, QStringList& unnamed, int depth = 0) {
    if (!node || depth > 40)
        return;
    QAccessible::State state = node->state();
    if (state.invisible || state.offscreen)
        return;
    if (IsInteractive(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
        QObject* object = node->object();
        unnamed << QString("%1 %2 (%3)")
                       .arg(int(node->role()))
                       .arg(object ? object->metaObject()->className() : "?")
                       .arg(object ? object->objectName() : QString());
    }
    for (int i = 0; i < node->childCount(); ++i)
        CollectUnnamed(node->child(i), unnamed, depth + 1);
}

class TAccessibilityTest : public TStartupTest {
protected:
    TZelNVMainForm& Main() { return *Startup->MainForm(); }
    QStringList UnnamedInEveryMode() {
        QStringList unnamed;
        Main().show();
        Main().LookUp("Le case sono belle.");
        for (const char* mode : {"ViewFreeTextAction", "ViewLemmaListAction",
                                 "ViewLemmaSearchAction", "ViewWordFormSearchAction"}) {
            Main().FindAction(mode)->trigger();
            QApplication::processEvents();
            QStringList found;
            CollectUnnamed(QAccessible::queryAccessibleInterface(&Main()), found);
            for (const QString& item : found)
                unnamed << QString(mode) + ": " + item;
        }
        return unnamed;
    }
};

} // namespace

TEST_F(TAccessibilityTest, EveryControlHasANameInEnglish) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    QStringList unnamed = UnnamedInEveryMode();
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join("\n").toStdString();
}

TEST_F(TAccessibilityTest, EveryControlHasANameInItalian) {
    WriteLocale(0x10);
    ASSERT_TRUE(Start());
    QStringList unnamed = UnnamedInEveryMode();
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join("\n").toStdString();
}

namespace {

// Whether an action can be reached without the mouse: a menu of the menu bar (Alt and the
// arrows) holds it, or the context menu of the pane its toolbar belongs to (the Menu key),
// or it has a shortcut.
bool ReachableByKeyboard(QAction* action, QToolBar* toolbar, QMenuBar* bar) {
    if (!action->shortcut().isEmpty())
        return true;
    for (QWidget* pane = toolbar->parentWidget(); pane; pane = pane->parentWidget())
        if (pane->contextMenuPolicy() == Qt::ActionsContextMenu && pane->actions().contains(action))
            return true;
    std::function<bool(QMenu*)> holds = [&](QMenu* menu) {
        for (QAction* item : menu->actions())
            if (item == action || (item->menu() && holds(item->menu())))
                return true;
        return false;
    };
    for (QAction* top : bar->actions())
        if (top->menu() && holds(top->menu()))
            return true;
    return false;
}

} // namespace

// Every command of a toolbar of the window is also in a menu or has a key.
TEST_F(TAccessibilityTest, EveryToolbarCommandHasAKeyboardWay) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Main().LookUp("Le case sono belle.");
    QStringList unreachable;
    for (QToolBar* toolbar : Main().findChildren<QToolBar*>()) {
        if (!toolbar->isVisibleTo(&Main()))
            continue;
        for (QAction* action : toolbar->actions())
            if (action->isVisible() && !action->isSeparator() && !action->text().isEmpty() &&
                !ReachableByKeyboard(action, toolbar, Main().menuBar()))
                unreachable << toolbar->objectName() + ": " + action->text();
    }
    EXPECT_TRUE(unreachable.isEmpty()) << unreachable.join("\n").toStdString();
}

namespace {

// The widgets Tab reaches from the focused one, in order, until it comes back round.
std::vector<QWidget*> TabChain() {
    std::vector<QWidget*> visited;
    for (int step = 0; step < 200; ++step) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused || (!visited.empty() && focused == visited.front()))
            break;
        if (std::find(visited.begin(), visited.end(), focused) == visited.end())
            visited.push_back(focused);
        QTest::keyClick(focused, Qt::Key_Tab);
        QApplication::processEvents();
        if (QApplication::focusWidget() == focused) // Tab was typed into it: Ctrl+Tab leaves
            QTest::keyClick(focused, Qt::Key_Tab, Qt::ControlModifier);
        QApplication::processEvents();
        if (QApplication::focusWidget() == focused)
            break;
    }
    return visited;
}

// Whether a person sees which control has the focus: it is drawn differently with it.
bool ShowsFocus(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QImage focused = widget->grab().toImage();
    // To look at how each control shows its focus: NORVEL_FOCUS_PICTURES=FOLDER.
    static int saved = 0;
    if (qEnvironmentVariableIsSet("NORVEL_FOCUS_PICTURES"))
        focused.save(qEnvironmentVariable("NORVEL_FOCUS_PICTURES") +
                     QString("/focus-%1.png").arg(++saved));
    widget->clearFocus();
    QApplication::processEvents();
    QImage unfocused = widget->grab().toImage();
    return focused != unfocused;
}

QString Describe(QWidget* widget) {
    return QString("%1 (%2)").arg(widget->metaObject()->className(), widget->objectName());
}

} // namespace

// In every mode, Tab goes round every control a person can use, and each shows the focus.
TEST_F(TAccessibilityTest, TabReachesEveryControlWithAVisibleFocus) {
    WriteLocale(9);
    ASSERT_TRUE(Start());
    Main().show();
    Main().activateWindow();
    QApplication::setActiveWindow(&Main());
    Main().LookUp("Le case sono belle.");
    QStringList missed, unseen;
    for (const char* mode : {"ViewFreeTextAction", "ViewLemmaListAction", "ViewLemmaSearchAction",
                             "ViewWordFormSearchAction"}) {
        Main().FindAction(mode)->trigger();
        QApplication::processEvents();
        std::vector<QWidget*> chain = TabChain();
        for (QWidget* widget : Main().findChildren<QWidget*>()) {
            if (!widget->isVisible() || !widget->isEnabled() ||
                !(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy() ||
                widget->window() != &Main())
                continue;
            if (std::find(chain.begin(), chain.end(), widget) == chain.end())
                missed << QString(mode) + ": " + Describe(widget);
        }
        for (QWidget* widget : chain)
            if (!ShowsFocus(widget))
                unseen << QString(mode) + ": " + Describe(widget);
    }
    EXPECT_TRUE(missed.isEmpty()) << "Not reached by Tab:\n" << missed.join("\n").toStdString();
    EXPECT_TRUE(unseen.isEmpty()) << "No visible focus:\n" << unseen.join("\n").toStdString();
}
