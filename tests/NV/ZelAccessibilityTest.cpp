// What a screen reader finds in the main window: every control a person can use, in every
// mode and in both interface languages, has an accessible name.
#include "ZelNVMainUnit.h"
#include "ZelStartupFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QStringList>

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
