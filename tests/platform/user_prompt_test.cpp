#include "platform/user_prompt.h"

#include <QAbstractButton>
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

// Polls for the modal window the code under test opens and hands it to `act`, once. The poll
// gives up after a while, so a prompt that never opened cannot hang the test.
class CModalAnswer {
public:
    explicit CModalAnswer(std::function<void(QWidget*)> act) : m_act(std::move(act)) {
        m_timer.setInterval(POLL_MS);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

private:
    static constexpr int POLL_MS = 10;
    static constexpr int MAX_POLLS = 500;

    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && ++m_nPolls < MAX_POLLS) {
            return;
        }
        m_timer.stop();
        if (modal != nullptr) {
            m_act(modal);
        }
    }

    std::function<void(QWidget*)> m_act;
    QTimer m_timer;
    int m_nPolls = 0;
};

// "日本語" in code page 932.
const char* const TEXT_CP932 = "\x93\xfa\x96\x7b\x8c\xea";

TEST(UserPromptTest, MessageIsCaptionedWithoutIconAndAnsweredByEnter) {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons;
    const CModalAnswer answer([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        QTest::keyClick(box, Qt::Key_Return);
    });
    PfPrompt().Message(nullptr, TEXT_CP932);
    EXPECT_EQ(caption, QStringLiteral("VELDANE for C"));
    EXPECT_EQ(text, QString::fromUtf16(u"日本語"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

struct AnswerRow {
    const char* name;
    std::function<void(QMessageBox*)> answer;
    bool yes;
};

TEST(UserPromptTest, QuestionOffersYesAndNo) {
    const AnswerRow rows[] = {
        {"Enter", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }, true},
        {"Space", [](QMessageBox* box) { QTest::keyClick(box->focusWidget(), Qt::Key_Space); },
         true},
        {"Escape", [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }, false},
        {"NoButton", [](QMessageBox* box) { box->button(QMessageBox::No)->click(); }, false},
        {"YesButton", [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); }, true},
    };
    for (const AnswerRow& row : rows) {
        SCOPED_TRACE(row.name);
        QMessageBox::StandardButtons buttons;
        const CModalAnswer answer([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            buttons = box->standardButtons();
            EXPECT_EQ(box->windowTitle(), QStringLiteral("VELDANE for C"));
            row.answer(box);
        });
        EXPECT_EQ(PfPrompt().Question(nullptr, TEXT_CP932), row.yes);
        EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);
    }
}

class ChooserTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "chooser-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = QString::fromStdString(pattern);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder.toStdString()); }

    QString m_folder;
};

TEST_F(ChooserTest, AcceptsANewFileNameAndAddsTheSuffix) {
    QFileDialog* seen = nullptr;
    QStringList filters;
    QString suffix;
    const CModalAnswer answer([&](QWidget* modal) {
        seen = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(seen, nullptr);
        filters = seen->nameFilters();
        suffix = seen->defaultSuffix();
        EXPECT_EQ(seen->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(seen->fileMode(), QFileDialog::AnyFile);
        // Typed as a user would: a name not there yet, without its extension.
        auto* edit = seen->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(m_folder + QString::fromUtf16(u"/書式"));
        QTest::keyClick(edit, Qt::Key_Return);
        if (seen->isVisible()) {
            seen->reject();
        }
    });
    std::string path, name;
    ASSERT_TRUE(PfPrompt().ChooseFormatFile(nullptr, &path, &name));
    EXPECT_EQ(filters, QStringList{QStringLiteral("CommentEditorFormat(*.txt)")});
    EXPECT_EQ(suffix, QStringLiteral("txt"));
    // The path in the file system's bytes (UTF-8 here), the name in code page 932.
    EXPECT_EQ(path, m_folder.toStdString() + "/書式.txt");
    EXPECT_EQ(name, "\x8f\x91\x8e\xae.txt");
}

TEST_F(ChooserTest, CancelReturnsFalseAndLeavesTheOutputs) {
    const CModalAnswer answer([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    std::string path = "old path", name = "old name";
    EXPECT_FALSE(PfPrompt().ChooseFormatFile(nullptr, &path, &name));
    EXPECT_EQ(path, "old path");
    EXPECT_EQ(name, "old name");
}

class CRecordingPrompt : public CUserPrompt {
public:
    void Message(QWidget*, const std::string& text) override { m_strLast = text; }
    bool Question(QWidget*, const std::string& text) override {
        m_strLast = text;
        return false;
    }
    bool ChooseFormatFile(QWidget*, std::string*, std::string*) override { return false; }

    std::string m_strLast;
};

TEST(UserPromptTest, InstalledPromptAnswersUntilRemoved) {
    CRecordingPrompt recording;
    CUserPrompt* real = PfSetPrompt(&recording);
    PfPrompt().Message(nullptr, "hello");
    EXPECT_EQ(recording.m_strLast, "hello");
    EXPECT_EQ(&PfPrompt(), &recording);

    EXPECT_EQ(PfSetPrompt(nullptr), &recording);
    EXPECT_EQ(&PfPrompt(), real);
}

} // namespace
