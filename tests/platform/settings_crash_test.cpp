#include "settings_crash_sets.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Kills of the writer, each at a random moment of its loop.
constexpr int KILLS = 200;
// Longest wait from the start of the writer's loop to the kill; one write takes a few
// milliseconds, most of them in fsync(), so kills land before, during and between writes.
constexpr int KILL_WINDOW_US = 15000;
// The whole test stops killing after this, on however slow a machine.
constexpr auto TIME_LIMIT = std::chrono::seconds(10);
constexpr unsigned SEED = 20240611;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Starts the writer on `file` and returns its process id once its loop begins; -1 on failure.
pid_t StartWriter(std::string file) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    char* argv[] = {const_cast<char*>(SETTINGS_WRITER), file.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, SETTINGS_WRITER, &actions, nullptr, argv, environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char ready = 0;
    if (pid > 0 && read(fds[0], &ready, 1) != 1) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    close(fds[0]);
    return pid;
}

class SettingsCrashTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "settings-crash-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_file = m_folder / "informatin.ini";
    }
    void TearDown() override { fs::remove_all(m_folder); }

    int Entries() const {
        return static_cast<int>(std::distance(fs::directory_iterator(m_folder), {}));
    }

    fs::path m_folder;
    fs::path m_file;
};

TEST_F(SettingsCrashTest, KilledWriterLeavesTheOldOrTheNewFile) {
    CSettingsFile settings(m_file.string());
    std::string asFiles[2];
    for (int nSet : {1, 0}) {
        ASSERT_TRUE(settings.WriteValues("App", CrashSet(nSet)));
        asFiles[nSet] = ReadBytes(m_file);
    }
    std::mt19937 random(SEED);
    std::uniform_int_distribution<int> wait(0, KILL_WINDOW_US);
    const auto stop = std::chrono::steady_clock::now() + TIME_LIMIT;
    int nKills = 0;
    int nLeftOver = 0; // kills that left the temporary file of a write behind
    for (; nKills < KILLS && std::chrono::steady_clock::now() < stop; ++nKills) {
        const pid_t pid = StartWriter(m_file.string());
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(wait(random)));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself at kill " << nKills;

        const std::string bytes = ReadBytes(m_file);
        ASSERT_TRUE(bytes == asFiles[0] || bytes == asFiles[1]) << "kill " << nKills;
        const int nSet = bytes == asFiles[0] ? 0 : 1;
        ASSERT_EQ(settings.GetString("App", "DEVELOP", ""), CrashSet(nSet)[0].strValue);
        // The next writer removes what this one left, so nothing piles up.
        const int nTemps = Entries() - 1;
        ASSERT_LE(nTemps, 1) << "kill " << nKills;
        nLeftOver += nTemps;
    }
    ASSERT_TRUE(settings.WriteValues("App", CrashSet(0)));
    EXPECT_EQ(Entries(), 1);
    std::printf("%d kills (seed %u), %d left a temporary file that the next write removed\n",
                nKills, SEED, nLeftOver);
    EXPECT_GT(nLeftOver, 0) << "no kill landed inside a write";
}

} // namespace
