#include "ZelActns.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

bool ClipboardHasText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

bool ZelIsEditTarget(const QWidget* control) {
    return qobject_cast<const QTextEdit*>(control) ||
           qobject_cast<const QPlainTextEdit*>(control) || qobject_cast<const QLineEdit*>(control);
}

bool ZelCanEdit(const QWidget* target, TZelEditCommand command) {
    bool selection = false, readOnly = true, undo = false, redo = false;
    if (auto* rich = qobject_cast<const QTextEdit*>(target)) {
        selection = rich->textCursor().hasSelection();
        readOnly = rich->isReadOnly();
        undo = rich->document()->isUndoAvailable();
        redo = rich->document()->isRedoAvailable();
    } else if (auto* plain = qobject_cast<const QPlainTextEdit*>(target)) {
        selection = plain->textCursor().hasSelection();
        readOnly = plain->isReadOnly();
        undo = plain->document()->isUndoAvailable();
        redo = plain->document()->isRedoAvailable();
    } else if (auto* line = qobject_cast<const QLineEdit*>(target)) {
        selection = line->hasSelectedText();
        readOnly = line->isReadOnly();
        undo = line->isUndoAvailable();
        redo = line->isRedoAvailable();
    } else {
        return false;
    }
    switch (command) {
    case TZelEditCommand::Cut:
        return selection && !readOnly;
    case TZelEditCommand::Copy:
        return selection;
    case TZelEditCommand::Paste:
        return !readOnly && ClipboardHasText();
    case TZelEditCommand::Undo:
        return undo && !readOnly;
    case TZelEditCommand::Redo:
        return redo && !readOnly;
    }
    return false;
}

void ZelDoEdit(QWidget* target, TZelEditCommand command) {
    if (!ZelCanEdit(target, command))
        return;
    auto run = [command](auto* control) {
        switch (command) {
        case TZelEditCommand::Cut:
            control->cut();
            break;
        case TZelEditCommand::Copy:
            control->copy();
            break;
        case TZelEditCommand::Paste:
            control->paste();
            break;
        case TZelEditCommand::Undo:
            control->undo();
            break;
        case TZelEditCommand::Redo:
            control->redo();
            break;
        }
    };
    if (auto* rich = qobject_cast<QTextEdit*>(target))
        run(rich);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
        run(plain);
    else if (auto* line = qobject_cast<QLineEdit*>(target))
        run(line);
}

TZelEditActions::TZelEditActions(QObject* parent, QAction* cut, QAction* copy, QAction* paste,
                                 QAction* undo, QAction* redo)
    : QObject(parent), Actions{cut, copy, paste, undo, redo} {
    for (int i = 0; i < 5; ++i)
        connect(Actions[i], &QAction::triggered, this, [this, i] {
            ZelDoEdit(Current, TZelEditCommand(i));
            Update();
        });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusChanged(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TZelEditActions::Update);
    FocusChanged(QApplication::focusWidget());
}

void TZelEditActions::FocusChanged(QWidget* now) {
    if (ZelIsEditTarget(now) && now != Current) {
        for (QMetaObject::Connection& watch : Watches)
            disconnect(watch);
        Current = now;
        auto update = [this] { Update(); };
        if (auto* rich = qobject_cast<QTextEdit*>(now)) {
            Watches[0] = connect(rich, &QTextEdit::selectionChanged, this, update);
            Watches[1] = connect(rich, &QTextEdit::undoAvailable, this, update);
            Watches[2] = connect(rich, &QTextEdit::redoAvailable, this, update);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(now)) {
            Watches[0] = connect(plain, &QPlainTextEdit::selectionChanged, this, update);
            Watches[1] = connect(plain, &QPlainTextEdit::undoAvailable, this, update);
            Watches[2] = connect(plain, &QPlainTextEdit::redoAvailable, this, update);
        } else if (auto* line = qobject_cast<QLineEdit*>(now)) {
            Watches[0] = connect(line, &QLineEdit::selectionChanged, this, update);
            Watches[1] = connect(line, &QLineEdit::textChanged, this, update);
        }
    }
    Update();
}

void TZelEditActions::Update() {
    for (int i = 0; i < 5; ++i)
        Actions[i]->setEnabled(ZelCanEdit(Current, TZelEditCommand(i)));
}
