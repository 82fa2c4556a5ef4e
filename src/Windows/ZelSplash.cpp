#include "ZelSplash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

TSplashForm::TSplashForm(const QString& coverPath)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("SplashForm");
    setAttribute(Qt::WA_DeleteOnClose, false);
    Picture.load(coverPath);
    setFixedSize(ClientWidth + 2 * Border, ClientHeight + 2 * Border);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TSplashForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), Border));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
    QRect client = rect().adjusted(Border, Border, -Border, -Border);
    if (!Picture.isNull())
        painter.drawPixmap(client, Picture);
}
