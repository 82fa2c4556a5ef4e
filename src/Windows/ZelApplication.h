// The application object of the programs: a QApplication whose event dispatch shows an
// error that escapes a window's handler (a damaged dictionary met while painting or
// switching a pane) in the standard exception box, instead of letting it end the program,
// and whose style shows the keyboard focus on every kind of control (TZelFocusStyle).
#pragma once

#include <QApplication>

class TZelApplication : public QApplication {
    Q_OBJECT
public:
    TZelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
