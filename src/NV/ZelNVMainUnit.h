// The product's main window, for now a plain reading window on the language window: the
// source text above; below, the analysis tree of the sentence under the caret and the view
// manager with the views of the pair the source language makes, showing the reading chosen
// in the tree (the whole sentence at first).
#pragma once

#include "ZelDic.h"
#include "ZelLangUnit.h"
#include "ZelSentenceList.h"

class TZelDicViewForm;
class TZelDicViewConfig;
class TZelViewManagerFrame;
class TZelMorphTreeFrame;

class TZelNVMainForm : public TZelLangForm {
    Q_OBJECT
public:
    TZelNVMainForm();

    // Makes the text the source text and analyses it; the number of readings shown.
    int LookUp(const QString& text);
    // The text of the view shown (once the views rendered).
    QString ShownText();
    TZelMorphTreeFrame* Tree() const { return AnalysisTree; }
    TZelViewManagerFrame* Views() const { return ViewManager; }

    void SetSourceLanguage(TZelLanguage language) override;
    void LoadSettings(TZelSettingsKey& key) override;
    void SaveSettings(TZelSettingsKey& key) override;
    void LoadDefaults() override;

signals:
    // The window's first idle moment (the splash closes then).
    void FirstIdle();

protected:
    void BuildSourceLanguageMenu() override;

private:
    // Analyses the sentence under the caret; the number of readings in it.
    int AnalyzeSentence();
    TZelDicViewForm* CreateView(int kind, TZelDicViewConfig* config);
    void UseLanguagePair();

    TZelMorphTreeFrame* AnalysisTree;
    TZelViewManagerFrame* ViewManager;
    TZelSentenceList Sentences;
};
