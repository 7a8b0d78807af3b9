#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
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

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
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

    fs::path m_folder;
    fs::path m_file;
};

TEST_F(SettingsFileTest, JapaneseValueIsStoredAsUtf8AndReadBackAsCp932) {
    CSettingsFile settings(m_file.string());
    ASSERT_TRUE(settings.WriteString("App", "DEVELOP", NAME_CP932));
    EXPECT_EQ(ReadBytes(m_file).find(std::string("DEVELOP=") + NAME_UTF8 + "\n") !=
                  std::string::npos,
              true)
        << ReadBytes(m_file);
    EXPECT_EQ(settings.GetString("App", "DEVELOP", ""), NAME_CP932);
}

TEST_F(SettingsFileTest, MissingKeyGivesTheDefaultUnconverted) {
    WriteBytes(m_file, "[App]\nDEVELOP=x\n");
    CSettingsFile settings(m_file.string());
    EXPECT_EQ(settings.GetString("App", "FILE_NAME", NAME_CP932), NAME_CP932);
    EXPECT_EQ(settings.GetString("Other", "DEVELOP", ""), "");
    EXPECT_EQ(settings.GetRaw("App", "FILE_PATH", "def"), "def");
}

TEST_F(SettingsFileTest, SectionAndKeyMatchWithoutRegardToCase) {
    WriteBytes(m_file, "[app]\ndevelop=first\n");
    CSettingsFile settings(m_file.string());
    EXPECT_EQ(settings.GetString("App", "DEVELOP", ""), "first");
    EXPECT_EQ(settings.GetString("APP", "Develop", ""), "first");

    ASSERT_TRUE(settings.WriteString("APP", "Develop", "second"));
    // The one existing entry is updated in place, spelt as the file had it.
    EXPECT_EQ(ReadBytes(m_file), "[app]\ndevelop=second\n");
}

TEST_F(SettingsFileTest, OtherSectionsKeysAndCommentsAreKept) {
    WriteBytes(m_file, "; written by hand\n\n[Window]\n; where it was\nLEFT=10\n\n"
                       "[App]\n; who writes headers\nDEVELOP=old\nEXTRA=kept\n");
    CSettingsFile settings(m_file.string());
    ASSERT_TRUE(settings.WriteString("App", "DEVELOP", "new"));
    ASSERT_TRUE(settings.WriteString("App", "FILE_NAME", "a.txt"));

    const std::string text = ReadBytes(m_file);
    for (const char* kept :
         {"; written by hand", "[Window]", "; where it was", "LEFT=10", "; who writes headers",
          "EXTRA=kept", "DEVELOP=new", "FILE_NAME=a.txt"}) {
        EXPECT_NE(text.find(kept), std::string::npos) << kept << " missing from:\n" << text;
    }
    EXPECT_EQ(text.find("old"), std::string::npos);
    EXPECT_EQ(settings.GetString("Window", "LEFT", ""), "10");
}

struct StoredRow {
    const char* name;
    std::string stored; // the value's bytes in the file
    std::string read;   // what GetString gives, in code page 932
};

TEST_F(SettingsFileTest, ValueThatIsNotUtf8IsTakenAsCp932) {
    const StoredRow rows[] = {
        {"Utf8Kanji", NAME_UTF8, NAME_CP932},
        {"Cp932Kanji", NAME_CP932, NAME_CP932},
        // "ﾃｽﾄ": its first two bytes happen to form a UTF-8 character and the last one starts
        // another, which the end of the value cuts off.
        {"Cp932EndingInUtf8LeadByte", "\xc3\xbd\xc4", "\xc3\xbd\xc4"},
        {"Cp932WaveDash", "a\x81\x60", "a\x81\x60"},
        {"Ascii", "plain", "plain"},
    };
    for (const StoredRow& row : rows) {
        SCOPED_TRACE(row.name);
        WriteBytes(m_file, "[App]\r\nDEVELOP=" + row.stored + "\r\n");
        EXPECT_EQ(CSettingsFile(m_file.string()).GetString("App", "DEVELOP", ""), row.read);
    }
}

TEST_F(SettingsFileTest, RawValuesPassByteForByte) {
    CSettingsFile settings(m_file.string());
    // A path in a file system whose names are not UTF-8, and one whose names are.
    const std::string cp932Path = "/home/u/\x8f\x91\x8e\xae.txt";
    const std::string utf8Path = "/home/u/書式.txt";
    ASSERT_TRUE(settings.WriteRaw("App", "FILE_PATH", cp932Path.c_str()));
    EXPECT_NE(ReadBytes(m_file).find("FILE_PATH=" + cp932Path + "\n"), std::string::npos);
    EXPECT_EQ(settings.GetRaw("App", "FILE_PATH", ""), cp932Path);

    ASSERT_TRUE(settings.WriteRaw("App", "FILE_PATH", utf8Path.c_str()));
    EXPECT_EQ(settings.GetRaw("App", "FILE_PATH", ""), utf8Path);
}

TEST_F(SettingsFileTest, MissingFolderReadsDefaultsAndIsNeverCreated) {
    const fs::path folder = m_folder / "ini";
    CSettingsFile settings((folder / "informatin.ini").string());
    EXPECT_EQ(settings.GetString("App", "DEVELOP", "def"), "def");
    EXPECT_EQ(settings.GetRaw("App", "FILE_PATH", ""), "");
    EXPECT_FALSE(settings.WriteString("App", "DEVELOP", "x"));
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(FolderEntries(m_folder).empty());
}

TEST_F(SettingsFileTest, FirstWriteCreatesTheFileAsKeyEqualsValue) {
    CSettingsFile settings(m_file.string());
    EXPECT_EQ(settings.GetString("App", "DEVELOP", ""), "");
    ASSERT_TRUE(settings.WriteString("App", "DEVELOP", "x"));
    EXPECT_NE(ReadBytes(m_file).find("[App]\nDEVELOP=x\n"), std::string::npos);
    EXPECT_EQ(FolderEntries(m_folder), std::vector<std::string>{"informatin.ini"});
}

TEST_F(SettingsFileTest, ReplacementKeepsTheFilesPermissions) {
    WriteBytes(m_file, "[App]\nDEVELOP=x\n");
    fs::permissions(m_file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(CSettingsFile(m_file.string()).WriteString("App", "DEVELOP", "y"));
    EXPECT_EQ(fs::status(m_file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SettingsFileTest, ValueWithLineBreakIsRefused) {
    const std::string old = "[App]\nDEVELOP=x\n";
    WriteBytes(m_file, old);
    CSettingsFile settings(m_file.string());
    for (const char* value : {"a\n[Other]\nKEY=1", "a\rb", "a\r\n"}) {
        EXPECT_FALSE(settings.WriteString("App", "DEVELOP", value)) << value;
        EXPECT_FALSE(settings.WriteRaw("App", "FILE_PATH", value)) << value;
    }
    EXPECT_EQ(ReadBytes(m_file), old);
}

TEST_F(SettingsFileTest, MegabyteValueRoundTrips) {
    const std::string big(1024 * 1024, 'x');
    CSettingsFile settings(m_file.string());
    ASSERT_TRUE(settings.WriteString("App", "DEVELOP", big.c_str()));
    ASSERT_TRUE(settings.WriteString("App", "FILE_NAME", "after"));
    EXPECT_EQ(settings.GetString("App", "DEVELOP", ""), big);
    EXPECT_EQ(settings.GetString("App", "FILE_NAME", ""), "after");
}

TEST_F(SettingsFileTest, BinaryGarbageReadsWithoutHarmAndCanBeOverwritten) {
    std::mt19937 random(42);
    std::string garbage;
    for (int i = 0; i < 200000; ++i) {
        garbage.push_back(static_cast<char>(random() & 0xff));
    }
    // Half-open sections, lone brackets and a NUL in front of the key the program wants.
    garbage += "\n[App\n[\n]\n=\n";
    garbage.push_back('\0');
    garbage += "[App]\nDEVELOP=hidden\n";
    WriteBytes(m_file, garbage);
    CSettingsFile settings(m_file.string());
    (void)settings.GetString("App", "DEVELOP", "");
    (void)settings.GetRaw("App", "FILE_PATH", "");
    ASSERT_TRUE(settings.WriteString("App", "DEVELOP", "clean"));
    EXPECT_EQ(settings.GetString("App", "DEVELOP", ""), "clean");
}

// A failed write must leave the old file exactly as it was and nothing else in the folder.
class SettingsFileFailureTest : public SettingsFileTest {
protected:
    const std::string m_strOld = "; keep me\n[App]\nDEVELOP=old\n";

    void WriteOld() { WriteBytes(m_file, m_strOld); }
    void ExpectOldFileAlone() {
        EXPECT_EQ(ReadBytes(m_file), m_strOld);
        EXPECT_EQ(FolderEntries(m_folder), std::vector<std::string>{"informatin.ini"});
    }
};

TEST_F(SettingsFileFailureTest, FullDiskKeepsTheOldFile) {
    WriteOld();
    // A file size limit makes write() fail part way, as a full disk does, even for root.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = CSettingsFile(m_file.string())
                             .WriteString("App", "DEVELOP", std::string(8192, 'y').c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    ExpectOldFileAlone();
}

TEST_F(SettingsFileFailureTest, FolderNotWritableKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    WriteOld();
    fs::permissions(m_folder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(CSettingsFile(m_file.string()).WriteString("App", "DEVELOP", "new"));
    ExpectOldFileAlone();
}

TEST_F(SettingsFileFailureTest, UnreadableFileIsNotReplaced) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads unreadable files";
    }
    WriteOld();
    fs::permissions(m_file, fs::perms::owner_write);
    CSettingsFile settings(m_file.string());
    EXPECT_EQ(settings.GetString("App", "DEVELOP", "def"), "def");
    EXPECT_FALSE(settings.WriteString("App", "DEVELOP", "new"));
    fs::permissions(m_file, fs::perms::owner_read, fs::perm_options::add);
    ExpectOldFileAlone();
}

TEST_F(SettingsFileFailureTest, FolderInPlaceOfTheFileIsLeftAlone) {
    // A folder where the file should be can neither be read as settings nor be replaced.
    fs::create_directory(m_file);
    WriteBytes(m_file / "inside", "x");
    CSettingsFile settings(m_file.string());
    EXPECT_EQ(settings.GetString("App", "DEVELOP", "def"), "def");
    EXPECT_FALSE(settings.WriteString("App", "DEVELOP", "new"));
    EXPECT_EQ(FolderEntries(m_folder), std::vector<std::string>{"informatin.ini"});
    EXPECT_TRUE(fs::is_directory(m_file));
}

} // namespace
