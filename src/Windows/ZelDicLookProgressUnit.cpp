#include "ZelDicLookProgressUnit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLocale>

TZelDicLookProgressForm::TZelDicLookProgressForm(QWidget* parent)
    : TZelProgressForm(parent), Items(new QLabel("0")) {
    FieldsLayout()->addWidget(new QLabel(tr("Items found:")), 3, 0);
    FieldsLayout()->addWidget(Items, 3, 1, Qt::AlignRight);
}

void TZelDicLookProgressForm::SetItemsFound(int count) {
    ItemsFound = count;
    ShowFigures();
}

void TZelDicLookProgressForm::ShowFigures() {
    TZelProgressForm::ShowFigures();
    Items->setText(QLocale().toString(ItemsFound));
}
