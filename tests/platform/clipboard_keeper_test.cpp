#include "platform/clipboard_keeper.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

// Ample for a stand-in that only reads its input; the stuck rows are cut short after the other.
constexpr int WAIT_MS = 2000;
constexpr int STUCK_WAIT_MS = 200;

// More than a socket buffer holds, so the text only arrives whole if it is read while it is sent.
constexpr std::size_t LARGE_TEXT_BYTES = 300000;

std::string LargeText() {
    std::string text;
    while (text.size() < LARGE_TEXT_BYTES) {
        text += "/* 関数ヘッダ */\r\n";
    }
    return text;
}

// Every started process has been reaped: none is running or left as a zombie.
bool NoChildLeft() {
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

class ClipboardKeeperTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mkdtemp(m_folder.data()), nullptr); }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    // A stand-in keeper: a shell script with this body.
    std::string Script(const std::string& body) const {
        const std::string path = m_folder + "/keeper";
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }
    std::string Received() const {
        std::ostringstream text;
        text << std::ifstream(m_folder + "/received").rdbuf();
        return text.str();
    }

    std::string m_folder = (std::filesystem::temp_directory_path() / "keeper-XXXXXX").string();
};

// What the keeper's first process reports decides, and a keeper that stops reading, never ends or
// is missing neither raises SIGPIPE here nor holds up the caller.
TEST_F(ClipboardKeeperTest, ReportsWhatTheKeeperDidAndReapsIt) {
    struct Row {
        const char* name;
        const char* body; // "${0%/*}" is the test's folder
        std::string text;
        int wait;
        int expected;
    };
    const Row rows[] = {
        {"serving", "cat >\"${0%/*}/received\"; exit 0", LargeText(), WAIT_MS, KEEP_SERVING},
        {"refusing", "cat >\"${0%/*}/received\"; exit 4", "text", WAIT_MS, KEEP_FAILED},
        {"not reading", "exit 0", LargeText(), WAIT_MS, KEEP_FAILED},
        {"never ending", "exec sleep 600", "text", STUCK_WAIT_MS, KEEP_FAILED},
        {"stuck reading", "exec sleep 600", LargeText(), STUCK_WAIT_MS, KEEP_FAILED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(m_folder + "/received");
        EXPECT_EQ(PfStartKeeper(Script(row.body), row.text, row.wait), row.expected);
        if (row.expected == KEEP_SERVING) {
            EXPECT_EQ(Received(), row.text);
        }
        EXPECT_TRUE(NoChildLeft());
    }
    EXPECT_EQ(PfStartKeeper(m_folder + "/missing", "text", WAIT_MS), KEEP_FAILED);
    EXPECT_TRUE(NoChildLeft());
}

// The real keeper gives up at once without a text or without a display.
TEST_F(ClipboardKeeperTest, RealKeeperEndsWithoutTextOrDisplay) {
    const char* display = std::getenv("DISPLAY");
    const std::string saved = display != nullptr ? display : "";
    setenv("DISPLAY", (m_folder + "/no-such-display").c_str(), 1);
    EXPECT_EQ(PfStartKeeper(VELDANE_KEEPER_PATH, "", WAIT_MS), KEEP_FAILED);
    EXPECT_EQ(PfStartKeeper(VELDANE_KEEPER_PATH, "text", WAIT_MS), KEEP_FAILED);
    EXPECT_TRUE(NoChildLeft());
    if (display != nullptr) {
        setenv("DISPLAY", saved.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}

// Off X11 the clipboard is the platform's own business: nothing is started for it.
TEST(ClipboardKeeperPlatformTest, StartsNothingOffX11) {
    QGuiApplication::clipboard()->setText(QStringLiteral("/* kept */"));
    EXPECT_EQ(PfKeepClipboard(), KEEP_NOT_NEEDED);
    EXPECT_TRUE(NoChildLeft());
}

} // namespace
