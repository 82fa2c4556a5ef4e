// The product's main window, for now the look-up window with the product's names of its
// views: the source text above; below, the analysis tree of the sentence under the caret
// (or the headword list) and the view manager with the views of the language pair.
#pragma once

#include "ZelDicLookUnit.h"

class TZelNVMainForm : public TZelDicLookForm {
    Q_OBJECT
public:
    TZelNVMainForm();

    // Makes the text the source text in Free Text and analyses it; the number of readings
    // of its first sentence.
    int LookUp(const QString& text);

    void LoadDefaults() override;

protected:
    TZelDicViewForm* CreateView(int kind, TZelDicViewConfig* config) override;
};
