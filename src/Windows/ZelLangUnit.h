// The language window: a document window whose document is a source text in one
// language. The source-text editor sits in the top pane beside the Analyze button; the
// source language is chosen from the File menu or the Source Language toolbar's flag
// button; Analyze, Paste and Analyze, and Analyze Selected Text work on the text. The
// pane below is the descendant's (the look-up window puts its views there).
#pragma once

#include "ZelDic.h"
#include "ZelDocAppUnit.h"

class QSplitter;
class QToolBar;
class QToolButton;
class TZelRichEdit;

// A language's own name with its first letter upper-cased ("Italiano", "English").
QString ZelLanguageCaption(TZelLanguage language);
// The toolbar button that shows a language and drops its menu down.
QToolButton* ZelAddLanguageButton(QToolBar* bar, const QString& name, QMenu* menu);
// A checkable item of a menu of languages (its flag and name; the language in its data),
// in the menu's one radio group.
QAction* ZelAddLanguageItem(QMenu* menu, TZelLanguage language);
// The button and the menu show the language: its flag and name, its item checked.
void ZelShowLanguage(QToolButton* button, QMenu* menu, TZelLanguage language);

class TZelLangForm : public TZelDocAppForm {
    Q_OBJECT
public:
    explicit TZelLangForm(const QString& name, QWidget* parent = nullptr);

    TZelRichEdit* SourceEdit() const { return Source; }
    QWidget* SourcePane() const { return SourcePanel; }
    QWidget* TargetPane() const { return Target; }
    QToolButton* AnalyzeButton() const { return Analyze; }
    QMenu* SourceLanguageMenu() const { return SourceLanguages; }
    QWidget* RunPane() const { return RunPanel; }
    // The splitter between the source pane and the target pane.
    QSplitter* SourceSplitter() const { return Splitter; }

    TZelLanguage SourceLanguage() const { return Language; }
    virtual void SetSourceLanguage(TZelLanguage language);
    uint8_t AnalysisState() const { return State; }
    virtual void SetAnalysisState(uint8_t state);
    // Restores the window when it is minimised, raises it and makes it active.
    void BringToFront();
    // Adds a language to the source-language menu (the descendant's BuildSourceLanguageMenu).
    QAction* AddSourceLanguageItem(TZelLanguage language);

    void LoadSettings(TZelSettingsKey& key) override;
    void SaveSettings(TZelSettingsKey& key) override;

protected:
    ZelRef<IZelDoc> CreateDoc() override;
    virtual void BuildSourceLanguageMenu() {}
    void OnClipboardChanged() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Prepare() override;
    // Clears the text, pastes the clipboard and analyses it.
    virtual void PasteAndAnalyze();

private:
    void CreateLanguageActions();
    void BuildLayout();
    void UpdateAnalyzeActions();
    void LayoutRunPanel();

    TZelRichEdit* Source;
    QWidget* SourcePanel;
    QWidget* RunPanel;
    QToolButton* Analyze;
    QWidget* Target;
    QSplitter* Splitter;
    QMenu* SourceLanguages = nullptr;
    QToolButton* LanguageButton = nullptr;
    TZelLanguage Language = 0;
    uint8_t State = 0;
};
