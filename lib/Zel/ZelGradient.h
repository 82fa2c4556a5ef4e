// Gradient backgrounds: a label and a panel that paint themselves from one colour to
// another in bands, and the painting routine they share. On screens of 8 bits per pixel
// or less a gradient would dither into noise, so they paint the first colour flat.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

// Fills rect from `from` to `to` along the orientation in `bands` bands (each band's colour
// interpolated channel by channel), or flat with `from` when flat is set.
void ZelPaintGradient(QPainter& painter, const QRect& rect, const QColor& from, const QColor& to,
                      Qt::Orientation orientation, int bands, bool flat);

// Whether the screen a widget shows on can show gradients (more than 8 bits per pixel).
bool ZelCanShowGradients(const QWidget* widget);

struct TZelGradient {
    QColor From;
    QColor To;
    Qt::Orientation Orientation = Qt::Vertical;
    int Bands = 128;
};

class TZelGradientPanel : public QWidget {
    Q_OBJECT
public:
    explicit TZelGradientPanel(QWidget* parent = nullptr);

    void SetGradient(const TZelGradient& gradient);
    const TZelGradient& Gradient() const { return Colors; }
    // A picture painted in the bottom-right corner, margin pixels from both edges.
    void SetCornerPicture(const QPixmap& picture, int margin = 16);
    // A picture painted in the bottom-left corner, margin pixels from both edges.
    void SetLeftCornerPicture(const QPixmap& picture, int margin = 8);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TZelGradient Colors;
    QPixmap Corner;
    int CornerMargin = 16;
    QPixmap LeftCorner;
    int LeftCornerMargin = 8;
};

class TZelGradientLabel : public QLabel {
    Q_OBJECT
public:
    explicit TZelGradientLabel(QWidget* parent = nullptr);

    void SetGradient(const TZelGradient& gradient);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TZelGradient Colors;
};
