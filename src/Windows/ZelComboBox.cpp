#include "ZelComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>

TZelComboBox::TZelComboBox(QWidget* parent) : QComboBox(parent) {
    setMaxVisibleItems(15);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

void TZelComboBox::enterEvent(QEnterEvent* event) {
    Hovered = true;
    update();
    QComboBox::enterEvent(event);
}

void TZelComboBox::leaveEvent(QEvent* event) {
    Hovered = false;
    update();
    QComboBox::leaveEvent(event);
}

void TZelComboBox::showPopup() {
    Dropped = true;
    // The list shows its items whole, however narrow the box.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth() +
                            style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    QComboBox::showPopup();
}

void TZelComboBox::hidePopup() {
    Dropped = false;
    QComboBox::hidePopup();
    update();
}

void TZelComboBox::paintEvent(QPaintEvent* event) {
    if (Hovered || Dropped || hasFocus()) {
        QComboBox::paintEvent(event); // the ordinary look while in use, with the focus frame
        QPainter frame(this);
        frame.setPen(palette().color(QPalette::Dark));
        frame.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    QPainter painter(this);
    QRect area = rect();
    QColor face = isEnabled() ? palette().color(QPalette::Base) : palette().color(QPalette::Button);
    painter.fillRect(area, face);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    int button = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QRect buttonArea(area.right() - button, area.top() + 1, button, area.height() - 2);
    painter.fillRect(buttonArea, palette().color(QPalette::Button));
    if (isEnabled() && count() >= 2) {
        int half = std::min(button, area.height()) / 4 - 1;
        QPoint centre = buttonArea.center();
        QPolygon triangle{{centre.x() - half, centre.y() - half / 2},
                          {centre.x() + half, centre.y() - half / 2},
                          {centre.x(), centre.y() + half / 2 + 1}};
        painter.setBrush(palette().color(QPalette::WindowText));
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(triangle);
    }
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    QRect textArea = area.adjusted(4, 0, -button - 2, 0);
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(currentText(), Qt::ElideRight, textArea.width()));
}
