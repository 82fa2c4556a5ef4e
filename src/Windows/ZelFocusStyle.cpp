#include "ZelFocusStyle.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QStyleOption>

namespace {

void DrawFocusFrame(const QStyleOption& option, QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(option.palette.color(QPalette::Active, QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
    painter.restore();
}

bool HasFocus(const QStyleOption& option) {
    return option.state.testFlag(QStyle::State_HasFocus);
}

} // namespace

TZelFocusStyle::TZelFocusStyle() : QProxyStyle(nullptr) {}

void TZelFocusStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    // The frame of a list, tree or text pane: the pane is the widget that holds the focus.
    if (element == CE_ShapedFrame && option && painter && HasFocus(*option) &&
        qobject_cast<const QAbstractScrollArea*>(widget))
        DrawFocusFrame(*option, *painter);
}

void TZelFocusStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox && option && painter && HasFocus(*option))
        DrawFocusFrame(*option, *painter);
}
