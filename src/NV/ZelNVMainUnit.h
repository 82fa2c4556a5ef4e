// The product's main window. For now a plain look-up window: the installed dictionaries,
// a line to type a word or a sentence in, the language pair, and the entries of every lemma
// found, with the Options menu of the main data module and the interface languages.
#pragma once

#include "ZelDic.h"

#include <QMainWindow>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTextBrowser;

class TZelNVMainForm : public QMainWindow {
    Q_OBJECT
public:
    TZelNVMainForm();

    // Looks the text up in the chosen pair and shows the entries; how many.
    int LookUp(const QString& text);
    QString ShownText() const;
    QLineEdit* LookupLine() const { return Line; }

signals:
    // The window's first idle moment (the splash closes then).
    void FirstIdle();

protected:
    bool event(QEvent* event) override;

private:
    void BuildMenus();
    void FillDictionaries();
    TZelLanguage SourceLanguage() const;

    QComboBox* Pair = nullptr;
    QLineEdit* Line = nullptr;
    QListWidget* Dictionaries = nullptr;
    QTextBrowser* Entries = nullptr;
};
