// Choosing one lemma among the readings of an analysis: a dialog with the analysis tree
// when there is a choice to make, the single reading at once when there is not.
#pragma once

#include "ZelSentenceItem.h"

#include <QDialog>

#include <functional>

class TZelMorphTreeFrame;

// Whether a reading has a lemma, or any reading among alternatives or in a sequence.
bool HasLemma(IZelSentenceItem& item);

// The reading the user chooses in item: the dialog when item holds several children or
// alternatives (OK: the selected node's item, otherwise none), else the one reading.
// With lemmasOnly, only readings with a lemma can be chosen, and a single reading without
// one gives none.
void ChooseLemma(IZelSentenceItem& item, bool lemmasOnly, ZelRef<IZelSentenceItem>& chosen);

class TZelChooseLemmaForm : public QDialog {
    Q_OBJECT
public:
    explicit TZelChooseLemmaForm(QWidget* parent = nullptr);

    TZelMorphTreeFrame* TreeFrame() const { return Frame; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TZelMorphTreeFrame* Frame;
    bool DoubleClicked = false;
};

// How ChooseLemma shows its dialog: the default runs it modally and answers whether it
// was closed with OK; tests put their own here.
using TZelChooseLemmaRunner = std::function<bool(TZelChooseLemmaForm& form)>;
void ZelSetChooseLemmaRunner(TZelChooseLemmaRunner runner);
