#include "app/app_icon.h"
#include "app/header_app.h"
#include "platform/clipboard_keeper.h"
#include "platform/dialog_units.h"
#include "platform/qt_translation.h"
#include "version.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VELDANE_TITLE));
    QApplication::setApplicationVersion(QStringLiteral(VELDANE_VERSION));
    // Before the first window, so that no text of Qt's own is ever shown in English. Without the
    // translation Qt's defaults stay, silently.
    PfInstallQtJapanese();
    // Every window takes this icon unless it sets its own, so it is decoded once.
    QApplication::setWindowIcon(AppIcon());
    // The form's font for the whole program, before any widget exists: a line edit lays out its
    // text once in the application font before taking its parent's, and would otherwise load a
    // font nothing is drawn in. Message boxes and the file chooser then speak the form's font.
    QApplication::setFont(PfDialogFont());
    // Ties the window to its installed menu entry, so that docks and Wayland show its icon.
    QApplication::setDesktopFileName(QStringLiteral("io.github.veldane.VeldaneForC"));

    CHeaderApp app;
    app.InitInstance();
    // A comment placed by the form stays pasteable after the program has ended.
    PfKeepClipboard();
    return app.ExitInstance();
}
