// One condition box of the query editor: and/or, not, the operator, the value (typed, or
// picked from the field's values), the distance and second value of "near", the sub-value,
// and the small Add and Delete buttons. It edits its condition directly.
#pragma once

#include "ZelLXQuery.h"

#include <QFrame>

class QLineEdit;
class QToolButton;
class TZelComboBox;
class TZelLXQueryFrame;

class TZelLXQueryItemFrame : public QFrame {
    Q_OBJECT
public:
    TZelLXQueryItemFrame(TZelLXQueryFrame* editor, QWidget* parent);

    // The box shows the condition at its position in the field's list.
    void Fill(TZelLXQueryItemData& item, int position);
    TZelLXQueryItemData* Item() const { return Data; }
    int Position() const { return Index; }
    // The control that takes the input first.
    QWidget* InputControl() const;

    TZelComboBox* ConnectorList() const { return Connector; }
    TZelComboBox* NegationList() const { return Negation; }
    TZelComboBox* OperatorList() const { return Operators; }
    QLineEdit* Arg1Edit() const { return Arg1; }
    QLineEdit* Arg2Edit() const { return Arg2; }
    TZelComboBox* ValueList() const { return Values; }
    TZelComboBox* DistanceList() const { return Distance; }
    TZelComboBox* SubValueList() const { return SubValues; }
    QToolButton* AddButton() const { return Add; }
    QToolButton* DeleteButton() const { return Delete; }

    // Whether a character may be typed into a value under the operator.
    static bool AcceptsCharacter(QChar c, TZelOpKind op, bool wordForms, IZelDic* dic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyOperator();
    void FillSubValues();
    void Changed();
    bool WordForms() const;
    TZelOpKind CurrentOperator() const;

    TZelLXQueryFrame* Editor;
    TZelLXQueryItemData* Data = nullptr;
    int Index = 0;
    bool Refreshing = false;
    TZelComboBox* Connector;
    TZelComboBox* Negation;
    TZelComboBox* Operators;
    QLineEdit* Arg1;
    TZelComboBox* Values;
    TZelComboBox* Distance;
    QLineEdit* Arg2;
    TZelComboBox* SubValues;
    QToolButton* Add;
    QToolButton* Delete;
};
