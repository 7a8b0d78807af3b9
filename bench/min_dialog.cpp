#include <QApplication>
#include <QDialog>

// The smallest Qt 6 program that shows a dialog: the floor against which the start-up of the
// program is measured. Built from the same tree with the same flags, it shares every cost that
// comes with the toolkit itself (loading the libraries, connecting to the display, fonts).
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("min_dialog"));
    return dialog.exec();
}
