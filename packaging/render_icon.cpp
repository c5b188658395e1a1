// plax-render-icon SVG SIZE OUT draws the program's icon as a SIZE x SIZE PNG picture, for the
// icon theme's fixed sizes.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "Usage: plax-render-icon SVG SIZE OUT\n";
        return 2;
    }
    // Painting needs a GUI application; an offscreen one asks for no display.
    char name[] = "plax-render-icon";
    char option[] = "-platform";
    char platform[] = "offscreen";
    char* guiArgv[] = {name, option, platform, nullptr};
    int guiArgc = 3;
    QGuiApplication app(guiArgc, guiArgv);

    bool sizeOk = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&sizeOk);
    if (!sizeOk || size < 1 || size > 1024) {
        std::cerr << "plax-render-icon: SIZE takes a whole number from 1 to 1024\n";
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::cerr << "plax-render-icon: cannot read " << argv[1] << '\n';
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::cerr << "plax-render-icon: cannot write " << argv[3] << '\n';
        return 1;
    }
    return 0;
}
