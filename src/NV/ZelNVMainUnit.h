// The product's main window, for now a plain reading window on the language window: the
// source text above; below, the analysis tree of the sentence under the caret and a page
// with the entries of the reading chosen there (of the whole sentence at first), from the
// dictionaries of the pair the source language makes.
#pragma once

#include "ZelDic.h"
#include "ZelLangUnit.h"
#include "ZelSentenceList.h"

class TZelDicRichViewForm;
class TZelMorphTreeFrame;

class TZelNVMainForm : public TZelLangForm {
    Q_OBJECT
public:
    TZelNVMainForm();

    // Makes the text the source text and analyses it; the number of entries shown.
    int LookUp(const QString& text);
    // The text of the page.
    QString ShownText() const;
    TZelMorphTreeFrame* Tree() const { return AnalysisTree; }
    TZelDicRichViewForm* Page() const { return EntryPage; }

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
    // Analyses the sentence under the caret; the number of entries shown.
    int AnalyzeSentence();
    // Shows the entries of a unit (every reading of it); how many.
    int Render(IZelSentenceItem* item);
    int RenderItem(IZelSentenceItem& item);
    int RenderReading(IZelSentenceItem& reading);

    TZelMorphTreeFrame* AnalysisTree;
    TZelDicRichViewForm* EntryPage;
    TZelSentenceList Sentences;
};
