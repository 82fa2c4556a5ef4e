// "Advanced Search": the query editor over a dictionary's query fields, with the dictionary
// chooser (shown when there are several) and three switches: show the text found in the
// entry, a case-sensitive query, and multi-word headwords included.
#pragma once

#include "ZelLXQueryUnit.h"

#include <QStringList>

#include <functional>

class QComboBox;
class QToolButton;

class TZelLemmaQueryFrame : public TZelLXQueryFrame {
    Q_OBJECT
public:
    explicit TZelLemmaQueryFrame(QWidget* parent = nullptr);

    void SetDictionaries(IZelDicList* list);
    void Rebuild() override;
    TZelLemmaQuery& LemmaQuery() const { return static_cast<TZelLemmaQuery&>(Query()); }
    QComboBox* DictionaryComboBox() const { return Chooser; }
    QWidget* DictionaryPanel() const { return TopPanel; }
    QAction* ShowTextFoundAction() const { return ShowTextFound; }
    QAction* CaseSensitiveAction() const { return CaseSensitive; }
    QAction* QueryMultiwordsAction() const { return Multiwords; }
    // The entry view to refresh when the marking of text found changes.
    std::function<void()> OnShowTextFoundChanged;

protected:
    std::unique_ptr<TZelLXQuery> CreateQuery() override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* TopPanel;
    QComboBox* Chooser;
    QAction* ShowTextFound;
    QAction* CaseSensitive;
    QAction* Multiwords;
    QStringList Names; // the dictionaries' own names, parallel to the chooser
    std::vector<ZelRef<IZelDic>> Offered;
    bool Filling = false;
};
