#include "ZelShadowHint.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace {

constexpr int Padding = 4;

} // namespace

TZelShadowHint::TZelShadowHint(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
}

void TZelShadowHint::SetHintFont(const QFont& font) {
    setFont(font);
}

// Words wrap at blanks; a word longer than the screen wraps anywhere.
int TZelShadowHint::WrapFlags(const QString& text, int maxWidth) const {
    QRect byWords =
        fontMetrics().boundingRect(QRect(0, 0, maxWidth, 10000), Qt::TextWordWrap, text);
    return byWords.width() > maxWidth ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
}

QRect TZelShadowHint::TextRect(const QString& text, int maxWidth) const {
    return fontMetrics().boundingRect(QRect(0, 0, maxWidth, 10000), WrapFlags(text, maxWidth),
                                      text);
}

int TZelShadowHint::MaxTextWidth() const {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    return std::max(screenWidth - 2 * Padding - ShadowSize - 2, 16);
}

QSize TZelShadowHint::SizeFor(const QString& text) const {
    QRect bounds = TextRect(text, MaxTextWidth());
    return QSize(bounds.width() + 2 * Padding + 2 + ShadowSize,
                 bounds.height() + 2 * Padding + 2 + ShadowSize);
}

void TZelShadowHint::ShowAt(const QString& text, const QPoint& topLeft) {
    HintText = text;
    QSize size = SizeFor(text);
    QScreen* screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    QPoint at = topLeft;
    if (screen) {
        QRect area = screen->geometry();
        at.setX(
            std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
        at.setY(
            std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
        hide();
        Behind = screen->grabWindow(0, at.x() - area.left(), at.y() - area.top(), size.width(),
                                    size.height());
    }
    HasShadow = !Behind.isNull() && Behind.size() == size * Behind.devicePixelRatio();
    setGeometry(QRect(at, size));
    show();
    update();
}

void TZelShadowHint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect body = rect().adjusted(0, 0, -ShadowSize, -ShadowSize);
    if (HasShadow) {
        painter.drawPixmap(0, 0, Behind);
        // The shadow: black at falling strength, offset by its size.
        for (int i = 0; i < ShadowSize; ++i) {
            QColor shade(0, 0, 0, 60 - i * 14);
            QRect right(body.right() + 1 + i, body.top() + ShadowSize + i, 1,
                        body.height() - ShadowSize);
            QRect bottom(body.left() + ShadowSize + i, body.bottom() + 1 + i,
                         body.width() - ShadowSize + 1, 1);
            painter.fillRect(right, shade);
            painter.fillRect(bottom, shade);
        }
    } else {
        body = rect();
    }
    painter.fillRect(body, palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(body.adjusted(0, 0, -1, -1));
    painter.drawText(body.adjusted(Padding + 1, Padding + 1, -Padding - 1, -Padding - 1),
                     WrapFlags(HintText, MaxTextWidth()), HintText);
}
