#include "app/app_icon.h"
#include "app/header_app.h"
#include "version.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VELDANE_TITLE));
    QApplication::setApplicationVersion(QStringLiteral(VELDANE_VERSION));
    QApplication::setWindowIcon(AppIcon());
    // Ties the window to its installed menu entry, so that docks and Wayland show its icon.
    QApplication::setDesktopFileName(QStringLiteral("io.github.veldane.VeldaneForC"));

    CHeaderApp app;
    app.InitInstance();
    return app.ExitInstance();
}
