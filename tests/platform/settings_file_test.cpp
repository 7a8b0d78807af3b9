#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

// "山田 太郎" in code page 932 and in UTF-8.
const char* const NAME_CP932 = "\x8e\x52\x93\x63 \x91\xbe\x98\x59";
const char* const NAME_UTF8 = "山田 太郎";

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "settings-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_file = m_folder / "informatin.ini";
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void Write(const std::string& bytes) { std::ofstream(m_file, std::ios::binary) << bytes; }
    std::string Read() {
        std::ifstream in(m_file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // A failed write must leave the old file as it was and nothing else in the folder.
    void ExpectOnly(const std::string& content) {
        EXPECT_EQ(Read(), content);
        EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(m_folder), {}),
                  std::vector<fs::path>{m_file});
    }

    fs::path m_folder;
    fs::path m_file;
};

TEST_F(SettingsFileTest, TextIsStoredAsUtf8AndPathsByteForByte) {
    const std::string path = "/home/u/\x8f\x91\x8e\xae.txt"; // from a code page 932 file system
    CSettingsFile settings(m_file.string());
    EXPECT_EQ(settings.GetString("App", "DEVELOP", "def"), "def");
    ASSERT_TRUE(settings.WriteString("App", "DEVELOP", NAME_CP932));
    ASSERT_TRUE(settings.WriteRaw("App", "FILE_PATH", path.c_str()));
    ExpectOnly(std::string("[App]\nDEVELOP=") + NAME_UTF8 + "\nFILE_PATH=" + path + "\n");
    EXPECT_EQ(settings.GetString("App", "DEVELOP", ""), NAME_CP932);
    EXPECT_EQ(settings.GetRaw("App", "FILE_PATH", ""), path);
    // A file larger than one read comes back whole.
    const std::string big(200 * 1024, 'x');
    ASSERT_TRUE(settings.WriteString("App", "TITLE", big.c_str()));
    EXPECT_EQ(settings.GetString("App", "TITLE", ""), big);
}

// Names match without regard to case, the entry is updated where it stands, spelt as the file had
// it, and all else stays in order (blank lines are the writer's own layout).
TEST_F(SettingsFileTest, WriteUpdatesTheEntryInPlaceAndKeepsTheRest) {
    Write("; by hand\n[Window]\nLEFT=10\n[app]\n; who\ndevelop=old\nEXTRA=1\n");
    CSettingsFile settings(m_file.string());
    EXPECT_EQ(settings.GetString("APP", "Develop", ""), "old");
    ASSERT_TRUE(settings.WriteString("App", "DEVELOP", "new"));
    std::string text = Read();
    const auto blankLine = [](char a, char b) { return a == '\n' && b == '\n'; };
    text.erase(std::unique(text.begin(), text.end(), blankLine), text.end());
    EXPECT_EQ(text, "; by hand\n[Window]\nLEFT=10\n[app]\n; who\ndevelop=new\nEXTRA=1\n");
}

TEST_F(SettingsFileTest, ValueThatIsNotUtf8IsTakenAsCp932) {
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"UTF-8", NAME_UTF8, NAME_CP932},
        {"code page 932", NAME_CP932, NAME_CP932},
        // "ﾃｽﾄ": a valid UTF-8 pair, then a UTF-8 lead byte that the value's end cuts off.
        {"ending in a UTF-8 lead byte", "\xc3\xbd\xc4", "\xc3\xbd\xc4"},
    };
    for (const auto& [name, stored, read] : rows) {
        SCOPED_TRACE(name);
        Write("[App]\r\nDEVELOP=" + stored + "\r\n");
        EXPECT_EQ(CSettingsFile(m_file.string()).GetString("App", "DEVELOP", ""), read);
    }
}

// A missing folder is never created; a value with a line break (it could add keys of its own) and
// a write that fails part way, as on a full disk, leave the old file.
TEST_F(SettingsFileTest, FailedWritesKeepTheOldFile) {
    const std::string nowhere = (m_folder / "ini" / "informatin.ini").string();
    EXPECT_FALSE(CSettingsFile(nowhere).WriteString("App", "DEVELOP", "x"));
    EXPECT_TRUE(fs::is_empty(m_folder));
    Write("[App]\nDEVELOP=old\n");
    CSettingsFile settings(m_file.string());
    for (const char* value : {"a\n[Other]\nKEY=1", "a\rb"}) {
        EXPECT_FALSE(settings.WriteString("App", "DEVELOP", value));
        EXPECT_FALSE(settings.WriteRaw("App", "FILE_PATH", value));
    }
    // A file size limit makes write() fail part way even for root.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = settings.WriteString("App", "DEVELOP", std::string(8192, 'y').c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    ExpectOnly("[App]\nDEVELOP=old\n");
}

} // namespace
