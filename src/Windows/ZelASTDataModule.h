// Looking up text selected in another application: the action "Analyze from &other
// Application", enabled while another application is in the foreground and the language
// window's analysis is available.
#pragma once

#include <QObject>

class QAction;

class TZelASTDataModule : public QObject {
    Q_OBJECT
public:
    explicit TZelASTDataModule(QObject* parent = nullptr);

    QAction* AnalyzeSelectedTextAction() const { return Action; }

private:
    QAction* Action = nullptr;
};
