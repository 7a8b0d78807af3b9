#include "platform/user_prompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Answers the modal window the code under test is about to open: the timer fires once that
// window's own event loop runs.
void AnswerModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
}

TEST(UserPromptTest, BoxesAreCaptionedWithoutIconAndAnsweredByKeys) {
    const struct {
        const char* name;
        bool question;
        Qt::Key key;
        bool yes;
    } rows[] = {
        {"message, Enter", false, Qt::Key_Return, false},
        {"question, Enter is yes", true, Qt::Key_Return, true},
        {"question, Escape is no", true, Qt::Key_Escape, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QMessageBox::StandardButtons buttons;
        AnswerModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QStringLiteral("VELDANE for C"));
            EXPECT_EQ(box->text(), QString::fromUtf16(u"日本語"));
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            buttons = box->standardButtons();
            QTest::keyClick(box, row.key);
        });
        const std::string text = "\x93\xfa\x96\x7b\x8c\xea";
        if (row.question) {
            EXPECT_EQ(PfPrompt().Question(nullptr, text), row.yes);
        } else {
            PfPrompt().Message(nullptr, text);
        }
        EXPECT_EQ(buttons, row.question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    }
}

// A cancelled chooser leaves the outputs; a new name typed without its extension gets it.
TEST(UserPromptTest, ChooserTakesANewFileNameAndAddsTheSuffix) {
    std::string folder = (std::filesystem::temp_directory_path() / "chooser-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    std::string path = "old path", name = "old name";
    AnswerModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(PfPrompt().ChooseFormatFile(nullptr, &path, &name));
    EXPECT_EQ(path + name, "old pathold name");
    AnswerModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("CommentEditorFormat(*.txt)")});
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(QString::fromStdString(folder) + QString::fromUtf16(u"/書式"));
        QTest::keyClick(edit, Qt::Key_Return);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    EXPECT_TRUE(PfPrompt().ChooseFormatFile(nullptr, &path, &name));
    // The path in the file system's own bytes (UTF-8 here), the name in code page 932.
    EXPECT_EQ(path, folder + "/書式.txt");
    EXPECT_EQ(name, "\x8f\x91\x8e\xae.txt");
    std::filesystem::remove_all(folder);
}

} // namespace
