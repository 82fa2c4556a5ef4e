// A hint window with a drop shadow: a borderless tool tip in the hint colours, its text in
// a font of the caller's, with a soft shadow on its right and bottom. The shadow is drawn
// over a picture of the screen behind the window taken when it is shown, so it needs no
// compositing window manager; where the screen cannot be read (Wayland) there is none.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QWidget>

class TZelShadowHint : public QWidget {
    Q_OBJECT
public:
    explicit TZelShadowHint(QWidget* parent = nullptr);

    void SetHintFont(const QFont& font);
    // Shows text with the window's top left corner at a screen point; the window is at
    // most as wide as the screen.
    void ShowAt(const QString& text, const QPoint& topLeft);
    // The size the window takes for a text, shadow included.
    QSize SizeFor(const QString& text) const;
    const QString& Text() const { return HintText; }

    static constexpr int ShadowSize = 4;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextRect(const QString& text, int maxWidth) const;
    int WrapFlags(const QString& text, int maxWidth) const;
    int MaxTextWidth() const;

    QString HintText;
    QPixmap Behind;
    bool HasShadow = false;
};
