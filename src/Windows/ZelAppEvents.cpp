#include "ZelAppEvents.h"

#include <QApplication>
#include <QWidget>

namespace {

// Every top-level window, and the inner windows that take the messages too (docked views).
QList<QWidget*> Receivers() {
    QList<QWidget*> receivers = QApplication::topLevelWidgets();
    for (QWidget* widget : QApplication::allWidgets())
        if (!widget->isWindow() && widget->property(ZelAppEventsProperty).toBool())
            receivers.append(widget);
    return receivers;
}

} // namespace

void ZelPostToTopLevelWindows(TZelAppEvent type) {
    for (QWidget* window : Receivers())
        QCoreApplication::postEvent(window, new QEvent(QEvent::Type(type)));
}

void ZelSendToTopLevelWindows(TZelAppEvent type) {
    for (QWidget* window : Receivers()) {
        QEvent event{QEvent::Type(type)};
        QCoreApplication::sendEvent(window, &event);
    }
}
