// One row of the query editor: the field's name, then a condition box per condition.
#pragma once

#include "ZelLXQuery.h"

#include <QWidget>

#include <vector>

class QHBoxLayout;
class QLabel;
class TZelLXQueryFrame;
class TZelLXQueryItemFrame;

class TZelLXQueryItemsFrame : public QWidget {
    Q_OBJECT
public:
    TZelLXQueryItemsFrame(TZelLXQueryFrame* editor, int fieldIndex, QWidget* parent);

    int FieldIndex() const { return Field; }
    QLabel* FieldLabel() const { return Label; }
    const std::vector<TZelLXQueryItemFrame*>& Boxes() const { return Items; }
    // As many boxes as the field has conditions, each filled from its condition.
    void SyncWithConditions(TZelLXQueryItemsData& data);
    void SetLabelWidth(int width);
    void SetBoxWidth(int column, int width);

private:
    void UpdateWidth();

    TZelLXQueryFrame* Editor;
    int Field;
    QLabel* Label;
    QHBoxLayout* Layout;
    std::vector<TZelLXQueryItemFrame*> Items;
};
