// Commands are actions made from one table per window: name, caption (with its "&"
// accelerator), hint (short, shown as tooltip; long, shown in the status bar), help
// context, picture number and shortcut. Menus and toolbars show the same QAction, so
// enabling, checking or hiding it changes every place it shows. Captions and hints are
// translated in the table's context.
#pragma once

#include "ZelHelpContext.h"

#include <QAction>
#include <QKeySequence>

#include <vector>

class QToolBar;
class TZelImageList;

struct TZelActionSpec {
    const char* Name;
    const char* Caption;            // QT_TRANSLATE_NOOP in the table's context
    const char* Hint = nullptr;     // short hint
    const char* LongHint = nullptr; // status-bar hint; the short one when none
    int HelpContext = 0;            // topic "LDH_" + number; 0 for none
    int Image = -1;                 // number in the image list; -1 for none
    QKeySequence Shortcut = {};
    bool Checkable = false;
};

// Makes the table's actions, owned by parent, named as the table says.
std::vector<QAction*> ZelCreateActions(QObject* parent, const char* context,
                                       const std::vector<TZelActionSpec>& table,
                                       const TZelImageList* images);
// The tooltip of an action: its caption without "&", and its shortcut in brackets.
QString ZelToolTipOf(const QAction& action);
// Names the toolbar's extension button (the "»" of the actions that do not fit) for screen
// readers.
void ZelNameToolbarExtension(QToolBar* toolbar);
// Translates an action again (after the interface language changed in a test).
void ZelRetranslateAction(QAction* action, const char* context, const TZelActionSpec& spec);
