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

// Every started process has been reaped: none is running or left as a zombie.
bool NoChildLeft() {
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// What the keeper's first process reports decides, and a keeper that stops reading, never ends or
// is missing neither raises SIGPIPE here nor holds up the caller. The real keeper gives up at once
// without a text or without a display.
TEST(ClipboardKeeperTest, ReportsWhatTheKeeperDidAndReapsIt) {
    std::string folder = (std::filesystem::temp_directory_path() / "keeper-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    // This program runs offscreen and needs no display after its start.
    setenv("DISPLAY", (folder + "/no-such-display").c_str(), 1);
    std::string large;
    while (large.size() < LARGE_TEXT_BYTES) {
        large += "/* 関数ヘッダ */\r\n";
    }
    const struct {
        const char* name;
        std::string program; // a stand-in's shell script, where it does not start with '/'
        std::string text;
        int wait;
        int expected;
    } rows[] = {
        {"serving", "cat >\"$0.received\"; exit 0", large, WAIT_MS, KEEP_SERVING},
        {"refusing", "cat >\"$0.received\"; exit 4", "text", WAIT_MS, KEEP_FAILED},
        {"not reading", "exit 0", large, WAIT_MS, KEEP_FAILED},
        {"never ending", "exec sleep 600", "text", STUCK_WAIT_MS, KEEP_FAILED},
        {"stuck reading", "exec sleep 600", large, STUCK_WAIT_MS, KEEP_FAILED},
        {"missing", folder + "/missing", "text", WAIT_MS, KEEP_FAILED},
        {"the real one without a text", VELDANE_KEEPER_PATH, "", WAIT_MS, KEEP_FAILED},
        {"the real one without a display", VELDANE_KEEPER_PATH, "text", WAIT_MS, KEEP_FAILED},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string program = row.program;
        if (program[0] != '/') {
            program = folder + "/keeper";
            std::ofstream(program) << "#!/bin/sh\n" << row.program << "\n";
            std::filesystem::permissions(program, std::filesystem::perms::owner_all);
            std::filesystem::remove(program + ".received");
        }
        EXPECT_EQ(PfStartKeeper(program, row.text, row.wait), row.expected);
        if (row.expected == KEEP_SERVING) {
            std::ostringstream received;
            received << std::ifstream(program + ".received").rdbuf();
            EXPECT_EQ(received.str(), row.text);
        }
        EXPECT_TRUE(NoChildLeft());
    }
    std::filesystem::remove_all(folder);
}

// Off X11 the clipboard is the platform's own business: nothing is started for it.
TEST(ClipboardKeeperTest, StartsNothingOffX11) {
    QGuiApplication::clipboard()->setText(QStringLiteral("/* kept */"));
    EXPECT_EQ(PfKeepClipboard(), KEEP_NOT_NEEDED);
    EXPECT_TRUE(NoChildLeft());
}

} // namespace
