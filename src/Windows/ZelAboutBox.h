// The About window: the program's title (bold) and icon, its version, copyright and a
// comment, from what the program declares of itself (application version, and the
// "legalCopyright" and "comments" properties of the application). A value the program does
// not declare leaves its line out.
#pragma once

#include <QDialog>

class QLabel;

class TZelAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TZelAboutBox(QWidget* parent = nullptr);

    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* Comments;
};
