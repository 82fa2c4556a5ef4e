// Quick Norvel: the companion's compact window. One input line and a language pair; the
// entry of the typed word (its first reading's lemma) shows below as the main window's
// dictionary view shows it. It stays on top of the other windows, and hands the word to
// Norvel's main window through the companion protocol: the word goes to the clipboard and
// the main window pastes and analyses it in the pair chosen.
#pragma once

#include "ZelCompanion.h"
#include "ZelDic.h"
#include "ZelLangConfig.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;
class TZelDicViewPageForm;

class TZelQNVForm : public QWidget {
    Q_OBJECT
public:
    TZelQNVForm();
    ~TZelQNVForm() override;

    // The pair of the look-ups: Italian to English, or English to Italian.
    void SetPair(TZelLanguage source, TZelLanguage target);
    TZelLanguage Source() const { return SourceLanguage; }
    // Shows the entry of a word; false when the dictionaries have none.
    bool LookUp(const QString& word);
    // The text of the entry shown.
    QString ShownText() const;
    // Hands the word to the main window (command 2 with the pair); false when no main window
    // listens.
    bool SendToMainWindow(const QString& word);
    // Brings the main window to the front (command 1).
    bool BringMainWindowToFront();

    QLineEdit* WordEdit() const { return Word; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnCompanionMessage(const TZelCompanionMessage& message);
    void UpdateStatus(bool mainWindowUp);
    QString MainWindowServer() const;
    void LoadWindowSettings();
    void SaveWindowSettings();

    QComboBox* Pair;
    QLineEdit* Word;
    QToolButton* Send;
    TZelDicViewPageForm* Page;
    QLabel* Status;
    QTimer* Typing;
    TZelCompanionServer Server;
    std::unique_ptr<TZelDicViewConfig> ViewConfig;
    TZelLanguage SourceLanguage = ZelLangItalian;
};
