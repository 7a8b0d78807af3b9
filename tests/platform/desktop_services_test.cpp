#include "platform/desktop_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Answers the modal window the code under test is about to open, once its event loop runs.
void AnswerModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
}

// The chooser opens in the folder asked, "*.txt" in its name box, which Enter does not take for
// a file; a cancelled chooser leaves the outputs; a new name typed without its extension gets it,
// the path in the file system's own bytes (UTF-8 here), the name in code page 932.
TEST(DesktopServicesTest, ChooserTakesANewFileNameAndAddsTheSuffix) {
    const std::string folder = std::filesystem::temp_directory_path().string();
    std::string path = "old path", name = "old name";
    AnswerModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(PfDesktopServices().ChooseFormatFile(nullptr, folder, &path, &name));
    EXPECT_EQ(path + name, "old pathold name");
    AnswerModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"CommentEditorFormat(*.txt)"});
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(dialog->directory().path() + "|" + edit->text(),
                  QString::fromStdString(folder) + "|*.txt");
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible()) << "a wildcard was taken for a file name";
        edit->setText(QString::fromUtf16(u"書式"));
        QTest::keyClick(edit, Qt::Key_Return);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    EXPECT_TRUE(PfDesktopServices().ChooseFormatFile(nullptr, folder, &path, &name));
    EXPECT_EQ(path + "|" + name, folder + "/書式.txt|\x8f\x91\x8e\xae.txt");
}

} // namespace
