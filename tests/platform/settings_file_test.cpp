#include "platform/settings_file.h"
#include "row_file.h"

#include <gtest/gtest.h>

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
#include <map>
#include <random>
#include <sstream>

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
// The user nobody, for files that root could read whatever their mode.
constexpr uid_t NOBODY = 65534;

// Two sets that differ in every value and in length, so that any mixture or torn write shows.
std::vector<SettingsValue> CrashSet(int nSet) {
    const std::size_t nLength = nSet == 0 ? 1 : 1000;
    return {{"DEVELOP", nSet == 0 ? "\x8e\x52\x93\x63" : std::string(3 * nLength, 'd'), false},
            {"FILE_NAME", std::string(nLength, 'n') + ".txt", false},
            {"FILE_PATH", "/" + std::string(nLength, 'p') + ".txt", true}};
}

// Whom the file system checks from here on: this process's user, or nobody.
void SetUser(uid_t user) {
    if (geteuid() != user) {
        EXPECT_EQ(geteuid() == 0 ? setegid(user) + seteuid(user) : seteuid(user) + setegid(user),
                  0);
    }
}

long OpenFiles() {
    return std::distance(fs::directory_iterator("/proc/self/fd"), {});
}

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(mkdtemp(m_folder.data()), nullptr);
        // A file size limit stops a write part way, with an error rather than this signal.
        std::signal(SIGXFSZ, SIG_IGN);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string File() const { return m_folder + "/informatin.ini"; }
    // Every entry under the folder by its path: a file's mode and bytes (blank lines, the
    // writer's own layout, left out), a folder's mode, or where a link leads.
    std::map<std::string, std::string> Listing() const {
        const auto blankLine = [](char a, char b) { return a == '\n' && b == '\n'; };
        std::map<std::string, std::string> entries;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(m_folder)) {
            const fs::file_status status = entry.symlink_status();
            std::ostringstream shown;
            if (fs::is_symlink(status)) {
                shown << " -> " << fs::read_symlink(entry.path()).string();
            } else {
                shown << (fs::is_directory(status) ? "/ " : " ") << std::oct
                      << static_cast<unsigned>(status.permissions());
            }
            if (fs::is_regular_file(status)) {
                std::string bytes = ReadBytes(entry.path());
                bytes.erase(std::unique(bytes.begin(), bytes.end(), blankLine), bytes.end());
                shown << ' ' << bytes;
            }
            entries[entry.path().lexically_relative(m_folder).string()] = shown.str();
        }
        return entries;
    }
    // The answers of a scenario's steps (see data/settings.txt), a line each.
    std::string Run(const std::string& steps) {
        const long files = OpenFiles();
        const mode_t mask = umask(022);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        CSettingsFile settings(File());
        std::vector<int> locks;
        std::string result;
        std::istringstream lines(steps);
        for (std::string line; std::getline(lines, line);) {
            std::vector<std::string> words;
            for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
                end = line.find(' ', start);
                words.push_back(RowText(line.substr(start, end - start), false));
            }
            const std::string path =
                words.size() > 1 && words[1][0] != '/' ? m_folder + "/" + words[1] : "";
            if (words[0] == "file") {
                fs::create_directories(fs::path(path).parent_path());
                std::ofstream(path, std::ios::binary | std::ios::app)
                    << RowText(line.substr(std::min(line.size(), 6 + words[1].size())), false);
            } else if (words[0] == "pad") {
                std::ofstream(path, std::ios::app)
                    << ';' << std::string(std::stoul(words[2]), 'x') << '\n';
            } else if (words[0] == "link") {
                fs::create_symlink(words[2], path);
            } else if (words[0] == "fifo") {
                mkfifo(path.c_str(), 0600);
            } else if (words[0] == "lock") {
                locks.push_back(open(path.c_str(), O_RDONLY));
                flock(locks.back(), LOCK_EX);
            } else if (words[0] == "chmod") {
                fs::permissions(path, fs::perms(std::stoi(words[2], nullptr, 8)));
            } else if (words[0] == "user") { // root reads any file: "other" is nobody then
                SetUser(words[1] == "other" && getuid() == 0 ? NOBODY : getuid());
            } else if (words[0] == "umask") {
                umask(static_cast<mode_t>(std::stoi(words[1], nullptr, 8)));
            } else if (words[0] == "limit") {
                const rlimit small{std::stoul(words[1]), limit.rlim_max};
                setrlimit(RLIMIT_FSIZE, &small);
            } else if (words[0] == "open") {
                settings = CSettingsFile(path.empty() ? words[1] : path, words.size() > 2);
            } else if (words[0] == "write" || words[0] == "raw") {
                std::vector<SettingsValue> values;
                for (std::size_t i = 1; i + 1 < words.size(); i += 2) {
                    values.push_back({words[i].c_str(), words[i + 1], words[0] == "raw"});
                }
                const bool bWritten =
                    values.size() > 1 ? settings.WriteValues("App", values)
                    : words[0] == "raw"
                        ? settings.WriteRaw("App", words[1].c_str(), words[2].c_str())
                        : settings.WriteString("App", words[1].c_str(), words[2].c_str());
                result += bWritten ? "written\n" : "refused\n";
            } else if (words[0] == "read") {
                result += settings.GetString("App", words[1].c_str(), "(none)") + "|" +
                          settings.GetRaw("App", words[1].c_str(), "(none)") + "\n";
            } else if (words[0] == "show") {
                for (const auto& [name, shown] : Listing()) {
                    result += name + shown + "\n";
                }
            } else {
                ADD_FAILURE() << "an unknown step: " << line;
            }
        }
        for (const int fd : locks) {
            close(fd);
        }
        setrlimit(RLIMIT_FSIZE, &limit);
        umask(mask);
        SetUser(getuid());
        return OpenFiles() == files ? result : result + "a file left open\n";
    }
    std::string m_folder = (fs::temp_directory_path() / "settings-XXXXXX").string();
};

TEST_F(SettingsFileTest, ScenariosEndAsTheDataFileSays) {
    for (const CRow& row : ReadRows(SETTINGS_TEST_DATA)) {
        SCOPED_TRACE(row.m_strWhere);
        EXPECT_EQ(Run(row.m_strInput), RowResult(row, false));
        fs::remove_all(m_folder);
        fs::create_directory(m_folder);
    }
}

// A forked writer alternates between the two sets until it is killed: after every kill the file
// is one set or the other, and at most one temporary file is left, which the next write removes.
// Writers of one folder take turns.
TEST_F(SettingsFileTest, KilledWriterLeavesTheOldOrTheNewFileAndNothingElse) {
    CSettingsFile settings(File());
    std::string asFiles[2];
    for (int nSet : {1, 0}) {
        ASSERT_TRUE(settings.WriteValues("App", CrashSet(nSet)));
        asFiles[nSet] = ReadBytes(File());
    }
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
    EXPECT_EQ(ReadBytes(File()), asFiles[0]);
    close(folderFd);
    ASSERT_EQ(waitpid(waiting, &status, 0), waiting);
    EXPECT_EQ(ReadBytes(File()), asFiles[1]);
    std::mt19937 random(SEED);
    const auto stop = std::chrono::steady_clock::now() + TIME_LIMIT;
    bool bLeftOver = false; // a kill left a temporary file behind
    for (int nKill = 0; nKill < KILLS && std::chrono::steady_clock::now() < stop; ++nKill) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (int nSet = 0; settings.WriteValues("App", CrashSet(nSet)); nSet = 1 - nSet) {
            }
            _exit(1);
        }
        usleep(static_cast<useconds_t>(random() % KILL_WINDOW_US));
        kill(pid, SIGKILL);
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
        const std::string bytes = ReadBytes(File());
        ASSERT_TRUE(bytes == asFiles[0] || bytes == asFiles[1]);
        ASSERT_LE(Listing().size(), 2u);
        bLeftOver = bLeftOver || Listing().size() == 2;
    }
    ASSERT_TRUE(bLeftOver) << "no kill landed inside a write";
    ASSERT_TRUE(settings.WriteValues("App", CrashSet(0)));
    EXPECT_EQ(Listing().size(), 1u);
}

} // namespace
