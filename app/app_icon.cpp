#include "app/app_icon.h"

#include <QImageReader>
#include <QPixmap>
#include <QString>

QIcon AppIcon() {
    // The icons live in a static library, whose resource initialiser the linker would drop
    // unless something refers to it.
    Q_INIT_RESOURCE(veldane);
    // Pre-rendered from resources/veldane.svg: Qt's SVG plugin is often not installed, and
    // PNGs at the sizes window systems ask for need no plugin at all. They are read as PNG
    // outright: left to find the format itself, the reader would load every image format plugin
    // (and the libraries they need) to ask each whether it knows the file. Window managers show
    // 16 to 64 pixels; a larger one would only be decoded and sent to the display for nothing
    // (menus and software centres take the installed icon theme's copies).
    QIcon icon;
    for (const int nSize : {16, 32, 48, 64}) {
        QImageReader reader(QStringLiteral(":/icons/veldane-%1.png").arg(nSize), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}
