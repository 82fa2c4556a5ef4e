// The splash window shown while the dictionaries open: borderless, on top, centred, a
// white 287 × 404 client area framed by 3 pixels, holding the cover picture ("cover.jpg"
// beside the executable) stretched to it. The main window closes it at its first idle
// moment.
#pragma once

#include <QPixmap>
#include <QWidget>

class TSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashForm(const QString& coverPath);

    static constexpr int ClientWidth = 287;
    static constexpr int ClientHeight = 404;
    static constexpr int Border = 3;

    const QPixmap& Cover() const { return Picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap Picture;
};
