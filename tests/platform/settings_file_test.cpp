#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <tuple>

namespace fs = std::filesystem;

namespace {

// Kills of the writer, each at a random moment up to 15 ms into its loop (one write takes a few ms,
// mostly fsync(), so kills land before, during and between writes), for 10 s at most.
constexpr int KILLS = 200;
constexpr int KILL_WINDOW_US = 15000;
constexpr auto TIME_LIMIT = std::chrono::seconds(10);
constexpr unsigned SEED = 20240611;

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mkdtemp(m_folder.data()), nullptr); }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string File() const { return m_folder + "/informatin.ini"; }
    void Write(const std::string& bytes) { std::ofstream(File(), std::ios::binary) << bytes; }
    std::string Read() {
        std::ifstream in(File(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Files in the folder: the settings file and any temporary file a write left behind.
    int Entries() const {
        return static_cast<int>(std::distance(fs::directory_iterator(m_folder), {}));
    }

    std::string m_folder = (fs::temp_directory_path() / "settings-XXXXXX").string();
};

// Names match without regard to case; the entry is updated where it stands, spelt as the file had
// it, and comments and other sections stay in order (blank lines are the writer's own layout).
TEST_F(SettingsFileTest, WriteUpdatesTheEntryInPlaceAndKeepsTheRest) {
    Write("; by hand\n[Window]\nLEFT=10\n[app]\n; who\ndevelop=old\nEXTRA=1\n");
    ASSERT_TRUE(CSettingsFile(File()).WriteString("App", "DEVELOP", "new"));
    std::string text = Read();
    const auto blankLine = [](char a, char b) { return a == '\n' && b == '\n'; };
    text.erase(std::unique(text.begin(), text.end(), blankLine), text.end());
    EXPECT_EQ(text, "; by hand\n[Window]\nLEFT=10\n[app]\n; who\ndevelop=new\nEXTRA=1\n");
    // "ﾃｽﾄ": a valid UTF-8 pair, then a UTF-8 lead byte that the value's end cuts off: not UTF-8.
    Write("[App]\nDEVELOP=\xc3\xbd\xc4\n");
    EXPECT_EQ(CSettingsFile(File()).GetString("App", "DEVELOP", ""), "\xc3\xbd\xc4");
    // Of several values, one with a line break is refused and the rest are written.
    EXPECT_FALSE(CSettingsFile(File()).WriteValues(
        "App", {{"DEVELOP", "new", false}, {"FILE_PATH", "a\nb", true}}));
    EXPECT_EQ(Read(), "[App]\nDEVELOP=new\n");
}

// A value with a line break (it could add keys of its own) and a write that fails part way (a file
// size limit, as a full disk would) leave the old file and nothing beside it.
TEST_F(SettingsFileTest, FailedWritesKeepTheOldFile) {
    Write("[App]\nDEVELOP=old\n");
    CSettingsFile settings(File());
    EXPECT_FALSE(settings.WriteString("App", "DEVELOP", "a\n[Other]\nKEY=1"));
    EXPECT_FALSE(settings.WriteRaw("App", "FILE_PATH", "a\rb"));
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const rlimit small{4096, old.rlim_max};
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_FALSE(settings.WriteString("App", "DEVELOP", std::string(8192, 'y').c_str()));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(Read(), "[App]\nDEVELOP=old\n");
    EXPECT_EQ(Entries(), 1);
}

// A place that cannot be read gives the defaults and is never replaced, not even where it could
// be; a missing folder is not created.
TEST_F(SettingsFileTest, UnreadablePlacesGiveTheDefaultsAndAreNotReplaced) {
    Write("[App]\nDEVELOP=old\n");
    ASSERT_EQ(mkfifo((m_folder + "/fifo").c_str(), 0600), 0);
    const std::pair<const char*, std::string> rows[] = {
        {"a FIFO", m_folder + "/fifo"},
        {"below a regular file", File() + "/informatin.ini"},
        {"in a missing folder", m_folder + "/missing/informatin.ini"},
    };
    for (const auto& [name, path] : rows) {
        SCOPED_TRACE(name);
        CSettingsFile settings(path);
        EXPECT_EQ(settings.GetString("App", "DEVELOP", "def") + settings.GetRaw("App", "X", "d"),
                  "defd");
        EXPECT_FALSE(settings.WriteString("App", "DEVELOP", "new"));
    }
    EXPECT_TRUE(fs::is_fifo(m_folder + "/fifo"));
    EXPECT_FALSE(fs::exists(m_folder + "/missing"));
    EXPECT_EQ(Read(), "[App]\nDEVELOP=old\n");
}

// Asked to, a write makes the missing folders, private to the user; where one cannot be made
// nothing is written.
TEST_F(SettingsFileTest, WriteMakesMissingFoldersWhenAsked) {
    fs::create_symlink(m_folder + "/nowhere", m_folder + "/dangling");
    const std::tuple<const char*, std::string, bool> rows[] = {
        {"two missing folders", m_folder + "/a/b/informatin.ini", true},
        // No folder can be made among the process files.
        {"a folder that cannot be made", "/proc/veldane-missing/informatin.ini", false},
        {"a link to nothing where the folder goes", m_folder + "/dangling/informatin.ini", false},
    };
    for (const auto& [name, path, written] : rows) {
        SCOPED_TRACE(name);
        CSettingsFile settings(path, true);
        EXPECT_EQ(settings.WriteString("App", "DEVELOP", "new"), written);
        EXPECT_EQ(settings.GetString("App", "DEVELOP", "none"), written ? "new" : "none");
    }
    EXPECT_EQ(fs::status(m_folder + "/a").permissions(), fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(m_folder + "/nowhere"));
}

// A write removes the temporary files of writers that died, and only those: not the one a live
// writer holds locked, nor names that the writer would not have made, nor a link.
TEST_F(SettingsFileTest, WriteRemovesOnlyTheTemporaryFilesOfDeadWriters) {
    const std::pair<const char*, bool> rows[] = {
        {"informatin.ini.tmp-a1B2c3", false}, {"informatin.ini.tmp-LOCKED", true},
        {"informatin.ini.tmp-a1B2c", true},   {"informatin.ini.tmp-a1B2c.", true},
        {"informatin.inx.tmp-a1B2c3", true},  {"informatin.ini.tmp-LINKED", true},
    };
    for (const auto& [name, kept] : rows) {
        std::ofstream(m_folder + "/" + name) << "x";
    }
    fs::remove(m_folder + "/informatin.ini.tmp-LINKED");
    fs::create_symlink(m_folder + "/informatin.inx.tmp-a1B2c3",
                       m_folder + "/informatin.ini.tmp-LINKED");
    const int fd = open((m_folder + "/informatin.ini.tmp-LOCKED").c_str(), O_RDONLY);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    // A bare file name is in the current folder.
    const fs::path previous = fs::current_path();
    fs::current_path(m_folder);
    EXPECT_TRUE(CSettingsFile("informatin.ini").WriteString("App", "DEVELOP", "new"));
    fs::current_path(previous);
    close(fd);
    EXPECT_EQ(Read(), "[App]\nDEVELOP=new\n");
    for (const auto& [name, kept] : rows) {
        EXPECT_EQ(fs::exists(fs::symlink_status(m_folder + "/" + name)), kept) << name;
    }
}

// Two sets that differ in every value and in length, so that any mixture or torn write shows.
std::vector<SettingsValue> CrashSet(int nSet) {
    const std::size_t nLength = nSet == 0 ? 1 : 1000;
    return {{"DEVELOP", nSet == 0 ? "\x8e\x52\x93\x63" : std::string(3 * nLength, 'd'), false},
            {"FILE_NAME", std::string(nLength, 'n') + ".txt", false},
            {"FILE_PATH", "/" + std::string(nLength, 'p') + ".txt", true}};
}

// A forked writer alternates between the two sets until it is killed; after every kill the file
// is one set or the other, and at most one temporary file is left, which the next write removes.
TEST_F(SettingsFileTest, KilledWriterLeavesTheOldOrTheNewFile) {
    CSettingsFile settings(File());
    std::string asFiles[2];
    for (int nSet : {1, 0}) {
        ASSERT_TRUE(settings.WriteValues("App", CrashSet(nSet)));
        asFiles[nSet] = Read();
    }
    std::mt19937 random(SEED);
    std::uniform_int_distribution<int> wait(0, KILL_WINDOW_US);
    const auto stop = std::chrono::steady_clock::now() + TIME_LIMIT;
    int nLeftOver = 0; // kills that left the temporary file of a write behind
    for (int nKill = 0; nKill < KILLS && std::chrono::steady_clock::now() < stop; ++nKill) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (int nSet = 0; settings.WriteValues("App", CrashSet(nSet)); nSet = 1 - nSet) {
            }
            _exit(1);
        }
        ASSERT_GT(pid, 0);
        usleep(static_cast<useconds_t>(wait(random)));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself at kill " << nKill;
        const std::string bytes = Read();
        ASSERT_TRUE(bytes == asFiles[0] || bytes == asFiles[1]) << "kill " << nKill;
        ASSERT_LE(Entries(), 2) << "kill " << nKill;
        nLeftOver += Entries() - 1;
    }
    ASSERT_TRUE(settings.WriteValues("App", CrashSet(0)));
    EXPECT_EQ(Entries(), 1);
    EXPECT_GT(nLeftOver, 0) << "no kill landed inside a write";
}

} // namespace
