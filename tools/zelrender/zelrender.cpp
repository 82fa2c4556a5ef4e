// zelrender: renders an SVG picture of the program into a raster file at build time.
//
//   zelrender PICTURE.svg WIDTH HEIGHT OUT.jpg|OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("Usage: zelrender PICTURE.svg WIDTH HEIGHT OUT\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "zelrender: %s is not a picture\n", argv[1]);
        return 1;
    }
    QImage image(QString(argv[2]).toInt(), QString(argv[3]).toInt(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[4]), nullptr, 92)) {
        std::fprintf(stderr, "zelrender: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
