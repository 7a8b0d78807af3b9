#include "app/app_icon.h"

#include <QString>

QIcon AppIcon() {
    // The icons live in a static library, whose resource initialiser the linker would drop
    // unless something refers to it.
    Q_INIT_RESOURCE(veldane);
    // Pre-rendered from resources/veldane.svg: Qt's SVG plugin is often not installed, and
    // PNGs at the sizes window systems ask for need no plugin at all.
    QIcon icon;
    for (const int nSize : {16, 32, 48, 64, 256}) {
        icon.addFile(QStringLiteral(":/icons/veldane-%1.png").arg(nSize), QSize(nSize, nSize));
    }
    return icon;
}
