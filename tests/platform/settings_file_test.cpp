#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>

namespace fs = std::filesystem;

namespace {

// Kills of the writer, each at a random moment up to 15 ms into its loop (one write takes a few ms,
// mostly fsync(), so kills land before, during and between writes), for 10 s at most.
constexpr int KILLS = 200;
constexpr int KILL_WINDOW_US = 15000;
constexpr auto TIME_LIMIT = std::chrono::seconds(10);
constexpr unsigned SEED = 20240611;
// How long a writer is watched waiting for another: many times what a write takes.
constexpr useconds_t WAIT_US = 100000;
const std::string OLD = "[App]\nDEVELOP=old\n";

// Two sets that differ in every value and in length, so that any mixture or torn write shows.
std::vector<SettingsValue> CrashSet(int nSet) {
    const std::size_t nLength = nSet == 0 ? 1 : 1000;
    return {{"DEVELOP", nSet == 0 ? "\x8e\x52\x93\x63" : std::string(3 * nLength, 'd'), false},
            {"FILE_NAME", std::string(nLength, 'n') + ".txt", false},
            {"FILE_PATH", "/" + std::string(nLength, 'p') + ".txt", true}};
}

// Runs `check` in a child process of another user (nobody when the test runs as root, to whom
// every file is readable); true when it returned true.
bool AsAnotherUser(const std::function<bool()>& check) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit((getuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) && check() ? 0 : 1);
    }
    int status = 1;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(mkdtemp(m_folder.data()), nullptr);
        // Another user must be able to reach the files, though not to read a protected one.
        fs::permissions(m_folder, fs::perms::all);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string File() const { return m_folder + "/informatin.ini"; }
    void Write(const std::string& bytes) { std::ofstream(File(), std::ios::binary) << bytes; }
    std::string Read(const std::string& path = "") const {
        std::ifstream in(path.empty() ? File() : path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static long OpenFiles() { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); }
    // Every entry of the folder: its kind, its permissions, and its bytes or where it leads.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> entries;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_folder)) {
            const fs::file_status status = fs::symlink_status(entry.path());
            std::string& shown = entries[entry.path().filename().string()];
            shown = std::to_string(static_cast<int>(status.type())) + " " +
                    std::to_string(static_cast<int>(status.permissions())) + " ";
            shown += fs::is_symlink(status)        ? fs::read_symlink(entry.path()).string()
                     : fs::is_regular_file(status) ? Read(entry.path().string())
                                                   : "";
        }
        return entries;
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

// A write that cannot be done, or must not be, changes nothing in the folder, byte for byte; a
// place that cannot be read gives the defaults.
TEST_F(SettingsFileTest, RefusedWriteLeavesEverythingAsItWas) {
    const std::string file = File();
    const struct {
        const char* name;
        std::function<void()> place;
        std::string path, value, read;
        bool bOtherUser = false, bDiskFull = false;
    } rows[] = {
        {"a value with a line break", [] {}, file, "a\n[Other]\nKEY=1", "old"},
        {"a value with a CR", [] {}, file, "a\rb", "old"},
        {"a line break where no file is yet", [&] { fs::remove(file); }, file, "a\nb", "def"},
        {"a disk that fills", [] {}, file, std::string(8192, 'y'), "old", false, true},
        {"unreadable to the writer", [&] { fs::permissions(file, fs::perms::none); }, file, "new",
         "def", true},
        {"a link to itself", [&] { fs::create_symlink("loop.ini", m_folder + "/loop.ini"); },
         m_folder + "/loop.ini", "new", "def"},
        {"a FIFO", [&] { mkfifo((m_folder + "/fifo").c_str(), 0600); }, m_folder + "/fifo", "new",
         "def"},
        {"in a missing folder", [] {}, m_folder + "/missing/informatin.ini", "new", "def"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(m_folder);
        ASSERT_TRUE(fs::create_directory(m_folder));
        fs::permissions(m_folder, fs::perms::all);
        Write(OLD);
        row.place();
        const auto before = Snapshot();
        const long files = OpenFiles();
        const auto refused = [&] {
            CSettingsFile settings(row.path);
            // A file size limit stops a write part way, as a full disk would.
            rlimit old{};
            getrlimit(RLIMIT_FSIZE, &old);
            const rlimit small{row.bDiskFull ? 4096 : old.rlim_cur, old.rlim_max};
            std::signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &small);
            const bool bRefused = !settings.WriteString("App", "DEVELOP", row.value.c_str()) &&
                                  !settings.WriteRaw("App", "DEVELOP", row.value.c_str());
            setrlimit(RLIMIT_FSIZE, &old);
            return bRefused && settings.GetString("App", "DEVELOP", "def") == row.read &&
                   settings.GetRaw("App", "DEVELOP", "def") == row.read;
        };
        EXPECT_TRUE(row.bOtherUser ? AsAnotherUser(refused) : refused());
        EXPECT_EQ(Snapshot(), before);
        EXPECT_EQ(OpenFiles(), files);
    }
}

// A new file is made as any new file (0666 less the umask) and a file keeps its permissions; a link
// keeps leading to the file it names, which is the one rewritten. Asked to, a write makes the
// missing folders, private to the user; where one cannot be made nothing is written. A read makes
// nothing.
TEST_F(SettingsFileTest, WriteKeepsPermissionsAndLinksAndMakesFoldersWhenAsked) {
    fs::create_directory(m_folder + "/kept");
    std::ofstream(m_folder + "/kept/real.ini") << OLD;
    fs::permissions(m_folder + "/kept/real.ini",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_exec);
    fs::create_symlink("kept/real.ini", File());
    fs::create_symlink(m_folder + "/nowhere", m_folder + "/dangling");
    std::ofstream(m_folder + "/blocked") << "x";
    const struct {
        const char* name;
        std::string path;
        mode_t umask, mode; // the new file's mode; 0 when nothing may be written
        bool bMakeFolder = false;
    } rows[] = {
        {"new, umask 022", m_folder + "/new-022.ini", 022, 0644},
        {"new, umask 077", m_folder + "/new-077.ini", 077, 0600},
        {"through a link", File(), 022, 0601},
        {"two missing folders", m_folder + "/a/b/informatin.ini", 022, 0644, true},
        // No folder can be made among the process files.
        {"a folder that cannot be made", "/proc/veldane-missing/informatin.ini", 022, 0, true},
        {"a link to nothing where the folder goes", m_folder + "/dangling/x.ini", 022, 0, true},
        {"a file where the folder goes", m_folder + "/blocked/veldane/x.ini", 022, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CSettingsFile settings(row.path, row.bMakeFolder);
        const auto before = Snapshot();
        const std::string read = settings.GetString("App", "DEVELOP", "none");
        EXPECT_EQ(Snapshot(), before);
        const mode_t previous = umask(row.umask);
        const long files = OpenFiles();
        EXPECT_EQ(settings.WriteString("App", "DEVELOP", "new"), row.mode != 0);
        EXPECT_EQ(OpenFiles(), files);
        EXPECT_EQ(umask(previous), row.umask); // the program leaves the mask as it found it
        EXPECT_EQ(settings.GetString("App", "DEVELOP", "none"), row.mode != 0 ? "new" : read);
        struct stat st {};
        EXPECT_EQ(stat(row.path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0, row.mode);
    }
    EXPECT_EQ(fs::read_symlink(File()), "kept/real.ini");
    for (const char* folder : {"/a", "/a/b"}) {
        EXPECT_EQ(fs::status(m_folder + folder).permissions(), fs::perms::owner_all) << folder;
    }
    EXPECT_FALSE(fs::exists(m_folder + "/nowhere"));
    EXPECT_EQ(Read(m_folder + "/blocked"), "x");
}

// A forked writer alternates between the two sets until it is killed; after every kill the file
// is one set or the other, and at most one temporary file is left, which the next write removes.
// The files a user keeps beside the settings stay, and so does the temporary file of a writer
// that still runs (it holds a lock on it) and anything else of that name but a file; writers of
// one folder take turns.
TEST_F(SettingsFileTest, KilledWriterLeavesTheOldOrTheNewFileAndNothingElse) {
    for (const char* name : {"informatin.ini.tmp-backup1", "informatin.ini.tmp-backup",
                             ".informatin.ini.swp", "informatin.ini~"}) {
        std::ofstream(m_folder + "/" + name) << name;
    }
    const auto kept = Snapshot();
    CSettingsFile settings(File());
    std::string asFiles[2];
    for (int nSet : {1, 0}) {
        ASSERT_TRUE(settings.WriteValues("App", CrashSet(nSet)));
        asFiles[nSet] = Read();
    }
    const auto entries = [&] { return static_cast<int>(Snapshot().size() - kept.size()); };
    // A writer that comes while another is at work (this test, holding the folder's lock) waits
    // for it: its cleaning cannot meet the other's temporary file before that is locked.
    const int folderFd = open(m_folder.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(folderFd, LOCK_EX), 0);
    const pid_t waiting = fork();
    if (waiting == 0) {
        close(folderFd); // the lock is the other writer's, not this one's
        _exit(settings.WriteValues("App", CrashSet(1)) ? 0 : 1);
    }
    usleep(WAIT_US);
    int status = 1;
    EXPECT_EQ(waitpid(waiting, &status, WNOHANG), 0) << "a writer did not wait for the other";
    EXPECT_EQ(Read(), asFiles[0]);
    close(folderFd);
    ASSERT_EQ(waitpid(waiting, &status, 0), waiting);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(Read(), asFiles[1]);
    std::mt19937 random(SEED);
    const auto stop = std::chrono::steady_clock::now() + TIME_LIMIT;
    std::string leftOver; // the name of a temporary file a kill left behind
    for (int nKill = 0; nKill < KILLS && std::chrono::steady_clock::now() < stop; ++nKill) {
        SCOPED_TRACE("kill " + std::to_string(nKill));
        const pid_t pid = fork();
        if (pid == 0) {
            for (int nSet = 0; settings.WriteValues("App", CrashSet(nSet)); nSet = 1 - nSet) {
            }
            _exit(1);
        }
        usleep(static_cast<useconds_t>(random() % KILL_WINDOW_US));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
        const std::string bytes = Read();
        ASSERT_TRUE(bytes == asFiles[0] || bytes == asFiles[1]);
        ASSERT_LE(entries(), 2);
        for (const auto& [name, shown] : Snapshot()) {
            if (kept.count(name) == 0 && name != "informatin.ini") {
                leftOver = m_folder + "/" + name;
            }
        }
    }
    ASSERT_FALSE(leftOver.empty()) << "no kill landed inside a write";
    std::ofstream(leftOver) << "x";
    const int fd = open(leftOver.c_str(), O_RDONLY);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    ASSERT_TRUE(settings.WriteValues("App", CrashSet(0)));
    EXPECT_TRUE(fs::exists(leftOver)) << "a running writer's file was removed";
    close(fd);
    // A link of that name is no writer's file: it stays.
    fs::remove(leftOver);
    fs::create_symlink("informatin.ini.tmp-backup", leftOver);
    ASSERT_TRUE(settings.WriteValues("App", CrashSet(1)));
    EXPECT_TRUE(fs::is_symlink(leftOver));
    fs::remove(leftOver);
    std::ofstream(leftOver) << "x"; // unlocked, it is what a writer that died left
    ASSERT_TRUE(settings.WriteValues("App", CrashSet(0)));
    EXPECT_EQ(entries(), 1);
    for (const auto& [name, shown] : kept) {
        EXPECT_EQ(Snapshot()[name], shown) << name;
    }
}

} // namespace
