#include "ZelApplication.h"

#include "ZelDialogs.h"
#include "ZelFocusStyle.h"

#include <exception>

TZelApplication::TZelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setStyle(new TZelFocusStyle); // the application owns it
}

bool TZelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
    }
    return false;
}
