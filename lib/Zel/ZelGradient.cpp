#include "ZelGradient.h"

#include <QPainter>
#include <QScreen>

#include <algorithm>

void ZelPaintGradient(QPainter& painter, const QRect& rect, const QColor& from, const QColor& to,
                      Qt::Orientation orientation, int bands, bool flat) {
    if (rect.isEmpty())
        return;
    if (flat || bands <= 1) {
        painter.fillRect(rect, from);
        return;
    }
    int length = orientation == Qt::Horizontal ? rect.width() : rect.height();
    bands = std::clamp(bands, 1, std::max(length, 1));
    auto channel = [&](int a, int b, int band) { return a + (b - a) * band / (bands - 1); };
    for (int band = 0; band < bands; ++band) {
        QColor color(channel(from.red(), to.red(), band), channel(from.green(), to.green(), band),
                     channel(from.blue(), to.blue(), band));
        int begin = length * band / bands;
        int end = length * (band + 1) / bands;
        QRect part = orientation == Qt::Horizontal
                         ? QRect(rect.left() + begin, rect.top(), end - begin, rect.height())
                         : QRect(rect.left(), rect.top() + begin, rect.width(), end - begin);
        painter.fillRect(part, color);
    }
}

bool ZelCanShowGradients(const QWidget* widget) {
    QScreen* screen = widget ? widget->screen() : nullptr;
    return !screen || screen->depth() > 8;
}

TZelGradientPanel::TZelGradientPanel(QWidget* parent) : QWidget(parent) {
    Colors.From = palette().color(QPalette::Button);
    Colors.To = Colors.From;
}

void TZelGradientPanel::SetGradient(const TZelGradient& gradient) {
    Colors = gradient;
    update();
}

void TZelGradientPanel::SetCornerPicture(const QPixmap& picture, int margin) {
    Corner = picture;
    CornerMargin = margin;
    update();
}

void TZelGradientPanel::SetLeftCornerPicture(const QPixmap& picture, int margin) {
    LeftCorner = picture;
    LeftCornerMargin = margin;
    update();
}

void TZelGradientPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ZelPaintGradient(painter, rect(), Colors.From, Colors.To, Colors.Orientation, Colors.Bands,
                     !ZelCanShowGradients(this));
    if (!Corner.isNull()) {
        QSize size = Corner.deviceIndependentSize().toSize();
        painter.drawPixmap(width() - CornerMargin - size.width(),
                           height() - CornerMargin - size.height(), Corner);
    }
    if (!LeftCorner.isNull()) {
        QSize size = LeftCorner.deviceIndependentSize().toSize();
        painter.drawPixmap(LeftCornerMargin, height() - LeftCornerMargin - size.height(),
                           LeftCorner);
    }
}

TZelGradientLabel::TZelGradientLabel(QWidget* parent) : QLabel(parent) {
    Colors.From = palette().color(QPalette::Button);
    Colors.To = palette().color(QPalette::Base);
    Colors.Orientation = Qt::Horizontal;
}

void TZelGradientLabel::SetGradient(const TZelGradient& gradient) {
    Colors = gradient;
    update();
}

void TZelGradientLabel::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        ZelPaintGradient(painter, rect(), Colors.From, Colors.To, Colors.Orientation,
                         std::min(Colors.Bands, std::max(width(), 1)), !ZelCanShowGradients(this));
    }
    QLabel::paintEvent(event);
}
