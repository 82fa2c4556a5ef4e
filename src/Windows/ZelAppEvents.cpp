#include "ZelAppEvents.h"

#include <QApplication>
#include <QWidget>

void ZelPostToTopLevelWindows(TZelAppEvent type) {
    for (QWidget* window : QApplication::topLevelWidgets())
        QCoreApplication::postEvent(window, new QEvent(QEvent::Type(type)));
}

void ZelSendToTopLevelWindows(TZelAppEvent type) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QEvent event{QEvent::Type(type)};
        QCoreApplication::sendEvent(window, &event);
    }
}
