#include "ZelLXQueryItemsUnit.h"

#include "ZelGuiTranslations.h"
#include "ZelLXQueryItemUnit.h"
#include "ZelLXQueryUnit.h"
#include "ZelQtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

TZelLXQueryItemsFrame::TZelLXQueryItemsFrame(TZelLXQueryFrame* editor, int fieldIndex,
                                             QWidget* parent)
    : QWidget(parent), Editor(editor), Field(fieldIndex), Label(new QLabel(this)),
      Layout(new QHBoxLayout(this)) {
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Label->setAlignment(Qt::AlignCenter);
    Label->setFixedWidth(112);
    Layout->addWidget(Label);
    Layout->addStretch();
    setFixedHeight(QFontMetrics(font()).height() + 10 + 6);
}

void TZelLXQueryItemsFrame::SyncWithConditions(TZelLXQueryItemsData& data) {
    Label->setText(ZelGuiTranslate(ZelQStringFromSystem(data.GetField().Name)));
    int wanted = data.GetCount();
    // Surplus boxes go after their own handlers have returned.
    while (int(Items.size()) > wanted) {
        TZelLXQueryItemFrame* box = Items.back();
        Items.pop_back();
        box->hide();
        Layout->removeWidget(box);
        box->deleteLater();
    }
    while (int(Items.size()) < wanted) {
        auto* box = new TZelLXQueryItemFrame(Editor, this);
        int width = Items.empty() ? box->minimumWidth() : Items.back()->width();
        box->setFixedWidth(width);
        Layout->insertWidget(int(Items.size()) + 1, box);
        box->show();
        Items.push_back(box);
    }
    for (int i = 0; i < wanted; ++i)
        Items[size_t(i)]->Fill(data.Item(i), i);
    UpdateWidth();
}

void TZelLXQueryItemsFrame::SetLabelWidth(int width) {
    Label->setFixedWidth(width);
    UpdateWidth();
}

void TZelLXQueryItemsFrame::SetBoxWidth(int column, int width) {
    if (column >= 0 && column < int(Items.size()))
        Items[size_t(column)]->setFixedWidth(width);
    UpdateWidth();
}

void TZelLXQueryItemsFrame::UpdateWidth() {
    int width = Label->width();
    for (TZelLXQueryItemFrame* box : Items)
        width += box->width();
    setFixedWidth(width);
}
