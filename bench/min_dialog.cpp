#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QString>

#include <cstring>

// The smallest Qt 6 program that shows a dialog: the floor against which the start-up of the
// program is measured. Built from the same tree with the same flags, it shares every cost that
// comes with the toolkit itself: loading the libraries, connecting to the display, and (unless
// started with --empty) setting up the fonts and drawing one line of Japanese text in the
// form's font, which any dialog with a caption pays.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("min_dialog"));
    if (argc < 2 || std::strcmp(argv[1], "--empty") != 0) {
        // "Function header" in Japanese, in the family and size the form uses.
        auto* pLabel = new QLabel(QString::fromUtf8("\xe9\x96\xa2\xe6\x95\xb0\xe3\x83\x98\xe3\x83"
                                                    "\x83\xe3\x83\x80"),
                                  &dialog);
        pLabel->setFont(QFont(QStringLiteral("IPAPGothic"), 9));
        pLabel->move(10, 10);
    }
    return dialog.exec();
}
