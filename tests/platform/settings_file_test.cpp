#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// "山田 太郎" in code page 932 and in UTF-8.
const char* const NAME_CP932 = "\x8e\x52\x93\x63 \x91\xbe\x98\x59";
const char* const NAME_UTF8 = "山田 太郎";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "settings-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_file = m_folder / "informatin.ini";
    }
    void TearDown() override {
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_folder);
    }
    // A failed write must leave the old file as it was and nothing else in the folder.
    void ExpectOnly(const std::string& content) {
        EXPECT_EQ(ReadBytes(m_file), content);
        std::vector<fs::path> entries(fs::directory_iterator(m_folder), {});
        EXPECT_EQ(entries, std::vector<fs::path>{m_file});
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
}

TEST_F(SettingsFileTest, SectionAndKeyMatchWithoutRegardToCase) {
    WriteBytes(m_file, "[app]\ndevelop=first\n");
    CSettingsFile settings(m_file.string());
    EXPECT_EQ(settings.GetString("APP", "Develop", ""), "first");
    ASSERT_TRUE(settings.WriteString("App", "DEVELOP", "second"));
    // The one entry is updated in place, spelt as the file had it.
    EXPECT_EQ(ReadBytes(m_file), "[app]\ndevelop=second\n");
}

TEST_F(SettingsFileTest, OtherSectionsKeysAndCommentsAreKept) {
    WriteBytes(m_file, "; by hand\n[Window]\nLEFT=10\n[App]\n; who\nDEVELOP=old\nEXTRA=1\n");
    ASSERT_TRUE(CSettingsFile(m_file.string()).WriteString("App", "DEVELOP", "new"));
    std::string text = ReadBytes(m_file);
    // Blank lines are the writer's own layout; everything else stays, in order.
    text.erase(std::unique(text.begin(), text.end(),
                           [](char a, char b) { return a == '\n' && b == '\n'; }),
               text.end());
    EXPECT_EQ(text, "; by hand\n[Window]\nLEFT=10\n[App]\n; who\nDEVELOP=new\nEXTRA=1\n");
}

TEST_F(SettingsFileTest, ValueThatIsNotUtf8IsTakenAsCp932) {
    const struct {
        const char* name;
        std::string stored;
        std::string read;
    } rows[] = {
        {"Utf8", NAME_UTF8, NAME_CP932},
        {"Cp932", NAME_CP932, NAME_CP932},
        // "ﾃｽﾄ": a valid UTF-8 pair, then a UTF-8 lead byte that the value's end cuts off.
        {"Cp932EndingInUtf8LeadByte", "\xc3\xbd\xc4", "\xc3\xbd\xc4"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteBytes(m_file, "[App]\r\nDEVELOP=" + row.stored + "\r\n");
        EXPECT_EQ(CSettingsFile(m_file.string()).GetString("App", "DEVELOP", ""), row.read);
    }
}

TEST_F(SettingsFileTest, MissingFolderReadsDefaultsAndIsNeverCreated) {
    CSettingsFile settings((m_folder / "ini" / "informatin.ini").string());
    EXPECT_EQ(settings.GetString("App", "DEVELOP", "def"), "def");
    EXPECT_FALSE(settings.WriteString("App", "DEVELOP", "x"));
    EXPECT_TRUE(fs::is_empty(m_folder));
}

TEST_F(SettingsFileTest, ValueWithLineBreakIsRefused) {
    WriteBytes(m_file, "[App]\nDEVELOP=x\n");
    CSettingsFile settings(m_file.string());
    for (const char* value : {"a\n[Other]\nKEY=1", "a\rb"}) {
        EXPECT_FALSE(settings.WriteString("App", "DEVELOP", value));
        EXPECT_FALSE(settings.WriteRaw("App", "FILE_PATH", value));
    }
    ExpectOnly("[App]\nDEVELOP=x\n");
}

TEST_F(SettingsFileTest, HugeValueAndBinaryGarbageDoNoHarm) {
    std::mt19937 random(42);
    std::string garbage(200000, '\0');
    for (char& byte : garbage) {
        byte = static_cast<char>(random());
    }
    // A NUL ends what is read; the half-open section and lone brackets come before it.
    garbage += std::string("\n[App\n[\n]\n=\n\0[App]\nDEVELOP=hidden\n", 30);
    WriteBytes(m_file, garbage);
    CSettingsFile settings(m_file.string());
    EXPECT_NE(settings.GetString("App", "DEVELOP", ""), "hidden");

    const std::string big(1024 * 1024, 'x');
    ASSERT_TRUE(settings.WriteString("App", "DEVELOP", big.c_str()));
    ASSERT_TRUE(settings.WriteString("App", "FILE_NAME", "after"));
    EXPECT_EQ(settings.GetString("App", "DEVELOP", ""), big);
    EXPECT_EQ(settings.GetString("App", "FILE_NAME", ""), "after");
}

TEST_F(SettingsFileTest, FullDiskKeepsTheOldFile) {
    WriteBytes(m_file, "[App]\nDEVELOP=old\n");
    // A file size limit makes write() fail part way, as a full disk does, even for root.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = CSettingsFile(m_file.string())
                             .WriteString("App", "DEVELOP", std::string(8192, 'y').c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    ExpectOnly("[App]\nDEVELOP=old\n");
}

TEST_F(SettingsFileTest, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    WriteBytes(m_file, "[App]\nDEVELOP=old\n");
    fs::permissions(m_folder, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(CSettingsFile(m_file.string()).WriteString("App", "DEVELOP", "new"));
    ExpectOnly("[App]\nDEVELOP=old\n");
}

} // namespace
