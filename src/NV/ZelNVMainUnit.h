// Norvel's main window: the two-language look-up window with the product's four named
// views (Dictionary, Grammar notes, Lexical notes, Annotations) in its colours and logos,
// phrasal verbs for multi-word headwords, the correspondence-templates menu and the Quick
// Norvel companion.
#pragma once

#include "ZelSlv2MainUnit.h"

#include <string>

class TZelNVMainForm : public TZelSlv2MainForm {
    Q_OBJECT
public:
    TZelNVMainForm();

    // Makes the text the source text in Free Text and analyses it; the number of readings
    // of its first sentence.
    int LookUp(const QString& text);

    void LoadDefaults() override;
    QString GetCompanionWindowClass() const override { return "TQNVForm"; }
    QString GetCompanionPath() const override;
    // The correspondence templates' folder (ending in "/"), empty when none is installed.
    const std::string& TemplatesFolder() const { return Templates; }
    // The correspondence menu (none without templates, or when its index could not be read).
    QMenu* TemplatesMenu() const { return TemplateMenu; }
    // Opens template "lettera N.rtf" with the desktop's program for it.
    void OpenTemplate(int index);

protected:
    TZelDicViewForm* CreateView(int kind, TZelDicViewConfig* config) override;
    TZelLemmaQueryFrame* CreateQueryFrame() override;
    TZelLuListFrame* CreateLuListFrame() override;

private:
    void BuildTemplatesMenu();

    std::string Templates;
    QMenu* TemplateMenu = nullptr;
};
