// The Edit commands (Cut, Copy, Paste, Undo, Redo) act on the text control that has the
// focus: a rich or plain text editor or a line. Each is enabled when its target can do
// it: Cut with a selection in a control that may change, Copy with a selection, Paste
// with text on the clipboard in a control that may change, Undo and Redo when the target
// has something to undo or redo.
#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

enum class TZelEditCommand { Cut, Copy, Paste, Undo, Redo };

// Whether a control is a text control the Edit commands act on.
bool ZelIsEditTarget(const QWidget* control);
bool ZelCanEdit(const QWidget* target, TZelEditCommand command);
void ZelDoEdit(QWidget* target, TZelEditCommand command);

// Keeps the five actions enabled as their target allows and runs them on it.
class TZelEditActions : public QObject {
    Q_OBJECT
public:
    TZelEditActions(QObject* parent, QAction* cut, QAction* copy, QAction* paste, QAction* undo,
                    QAction* redo);

    // The control the commands act on: the focused text control, or the last one.
    QWidget* Target() const { return Current; }
    void Update();

private:
    void FocusChanged(QWidget* now);

    QAction* Actions[5];
    QPointer<QWidget> Current;
    QMetaObject::Connection Watches[4];
};
