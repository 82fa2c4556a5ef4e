#include "ZelActions.h"

#include "ZelImageList.h"
#include "ZelInterfaceLanguage.h"

#include <QCoreApplication>
#include <QToolBar>
#include <QToolButton>
#include <QVariant>

void ZelRetranslateAction(QAction* action, const char* context, const TZelActionSpec& spec) {
    action->setText(ZelTr(context, spec.Caption));
    QString hint = spec.Hint ? ZelTr(context, spec.Hint) : QString();
    QString longHint = spec.LongHint ? ZelTr(context, spec.LongHint) : hint;
    action->setToolTip(ZelToolTipOf(*action));
    action->setStatusTip(longHint);
}

QString ZelToolTipOf(const QAction& action) {
    QString tip = QString(action.text()).remove('&');
    if (!action.shortcut().isEmpty())
        tip += " (" + action.shortcut().toString(QKeySequence::NativeText) + ")";
    return tip;
}

std::vector<QAction*> ZelCreateActions(QObject* parent, const char* context,
                                       const std::vector<TZelActionSpec>& table,
                                       const TZelImageList* images) {
    std::vector<QAction*> actions;
    for (const TZelActionSpec& spec : table) {
        auto* action = new QAction(parent);
        action->setObjectName(spec.Name);
        if (!spec.Shortcut.isEmpty())
            action->setShortcut(spec.Shortcut);
        ZelRetranslateAction(action, context, spec);
        ZelSetHelpContext(action, spec.HelpContext);
        if (images && spec.Image >= 0)
            action->setIcon(images->Icon(spec.Image));
        action->setProperty("imageIndex", spec.Image);
        action->setCheckable(spec.Checkable);
        actions.push_back(action);
    }
    return actions;
}

void ZelNameToolbarExtension(QToolBar* toolbar) {
    for (QToolButton* button : toolbar->findChildren<QToolButton*>("qt_toolbar_ext_button"))
        button->setAccessibleName(QCoreApplication::translate("ZelActions", "More commands"));
}
