#include "platform/desktop_services.h"

#include "platform/clipboard.h"
#include "platform/qt_text.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace {

const char* const PROMPT_CAPTION = "VELDANE for C";
const char* const FORMAT_FILTER = "CommentEditorFormat(*.txt)";
const char* const FORMAT_SUFFIX = "txt";
// What the name box holds at opening: the pattern of the files the chooser lists.
const char* const FORMAT_INITIAL_NAME = "*.txt";

int RunMessageBox(QWidget* parent, const std::string& cp932Text,
                  QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defButton) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(PROMPT_CAPTION),
                    PfFromCp932(cp932Text), buttons, parent);
    // Enter answers the first button; Space presses the focused one, which starts there too.
    box.setDefaultButton(defButton);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec();
}

// The format file chooser. A name holding a wildcard, as the "*.txt" it opens with does, is a
// pattern to list the files by, as Enter on it lists them in other choosers, never the name of the
// file chosen: the form would take "*.txt" for a format file that can never be read.
class CFormatChooser : public QFileDialog {
public:
    CFormatChooser(QWidget* pParent, const QString& strFolder)
        : QFileDialog(pParent, QString(), strFolder, QString::fromLatin1(FORMAT_FILTER)) {}

    void accept() override {
        const QStringList listFiles = selectedFiles();
        const QFileInfo typed(listFiles.value(0));
        const QString strName = typed.fileName();
        if (!strName.contains(QLatin1Char('*')) && !strName.contains(QLatin1Char('?'))) {
            QFileDialog::accept();
            return;
        }
        setDirectory(typed.absolutePath());
        QStringList listFilters = {QString::fromLatin1(FORMAT_FILTER)};
        if (strName != QLatin1String(FORMAT_INITIAL_NAME)) {
            listFilters << strName;
        }
        setNameFilters(listFilters);
        selectNameFilter(listFilters.last());
    }
};

class CQtDesktop : public CDesktopServices {
public:
    void Message(QWidget* parent, const std::string& cp932Text) override {
        RunMessageBox(parent, cp932Text, QMessageBox::Ok, QMessageBox::Ok);
    }

    bool Question(QWidget* parent, const std::string& cp932Text) override {
        // Escape and the close button give No: the question offers no way out but its answers.
        return RunMessageBox(parent, cp932Text, QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::Yes) == QMessageBox::Yes;
    }

    bool ChooseFormatFile(QWidget* parent, const std::string& strFolder, std::string* pPath,
                          std::string* pName) override {
        CFormatChooser dialog(parent, QFile::decodeName(strFolder.c_str()));
        // An open dialog that takes names of files not there yet: a format file may be named
        // before it is written, and the later expansion reports one that cannot be read.
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QString::fromLatin1(FORMAT_SUFFIX));
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.selectFile(QString::fromLatin1(FORMAT_INITIAL_NAME));
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty()) {
            return false;
        }
        // The path goes back to the file system as it came, so it stays in its own bytes; only
        // the name shown in the form is converted.
        const QByteArray path = QFile::encodeName(files.first());
        pPath->assign(path.constData(), static_cast<std::size_t>(path.size()));
        *pName = PfToCp932(QFileInfo(files.first()).fileName());
        return true;
    }

    int ReadClipboard(std::string* pCp932, std::size_t nMaxBytes) override {
        return ClipReadText(pCp932, nMaxBytes);
    }

    bool WriteClipboard(std::string_view cp932) override { return ClipWriteText(cp932); }
};

} // namespace

CDesktopServices& PfDesktopServices() {
    static CQtDesktop desktop;
    return desktop;
}
