#include "platform/file_read.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// What a read finds at each kind of place, that a failed read leaves the caller's bytes, and that
// no read leaves a file open.
TEST(PfReadFileTest, ReadsRegularFilesWholeAndRefusesTheRest) {
    std::string folder = (fs::temp_directory_path() / "file-read-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    // Several pieces of the reading and a part one, each byte telling where it stands.
    std::string large(200 * 1024 + 7, '\0');
    for (std::size_t n = 0; n < large.size(); ++n) {
        large[n] = static_cast<char>(n * 7 + n / 251);
    }
    std::ofstream(folder + "/large", std::ios::binary) << large;
    std::ofstream(folder + "/empty", std::ios::binary);
    ASSERT_EQ(mkfifo((folder + "/fifo").c_str(), 0600), 0);
    const struct {
        const char* m_pszName;
        std::string m_strPath;
        int m_nResult;
        std::string m_strBytes;
    } rows[] = {
        {"a file of several pieces", folder + "/large", PF_READ_DONE, large},
        {"an empty file", folder + "/empty", PF_READ_DONE, ""},
        {"nothing", folder + "/missing", PF_READ_MISSING, "before"},
        // Opening it must not wait for a writer that never comes; a folder is refused alike.
        {"a FIFO", folder + "/fifo", PF_READ_FAILED, "before"},
        // A regular file whose reading fails: this process's memory at address 0.
        {"a file whose reading fails", "/proc/self/mem", PF_READ_FAILED, "before"},
    };
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), {});
    };
    for (const auto& row : rows) {
        std::string bytes = "before";
        const auto before = openFiles();
        EXPECT_EQ(PfReadFile(row.m_strPath, bytes), row.m_nResult) << row.m_pszName;
        EXPECT_TRUE(bytes == row.m_strBytes) << row.m_pszName;
        EXPECT_EQ(openFiles(), before) << row.m_pszName;
    }
    fs::remove_all(folder);
}

} // namespace
