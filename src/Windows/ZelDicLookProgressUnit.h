#pragma once

#include "ZelProgressUnit.h"

class QLabel;

// The search's progress window, with the number of items found so far.
class TZelDicLookProgressForm : public TZelProgressForm {
    Q_OBJECT
public:
    explicit TZelDicLookProgressForm(QWidget* parent = nullptr);
    void SetItemsFound(int count);
    QLabel* ItemsField() const { return Items; }

protected:
    void ShowFigures() override;

private:
    QLabel* Items;
};
