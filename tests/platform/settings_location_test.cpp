#include "platform/settings_file.h"
#include "platform/settings_location.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class SettingsLocationTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mkdtemp(m_folder.data()), nullptr); }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string m_folder = (fs::temp_directory_path() / "location-XXXXXX").string();
};

// Only an "ini" folder in the current directory counts; finding the place makes nothing.
TEST_F(SettingsLocationTest, HereLooksForAnIniFolderInTheCurrentDirectory) {
    const fs::path before = fs::current_path();
    setenv("XDG_CONFIG_HOME", "/x", 1);
    const struct {
        const char* name;
        const char* ini; // "folder", "file" or none
        std::string path;
    } rows[] = {
        {"ini folder", "folder", "ini/informatin.ini"},
        {"ini a file", "file", "/x/veldane/informatin.ini"},
        {"no ini", nullptr, "/x/veldane/informatin.ini"},
    };
    for (const auto& row : rows) {
        const fs::path start = fs::path(m_folder) / row.name;
        fs::create_directories(start);
        if (row.ini != nullptr && std::string(row.ini) == "folder") {
            fs::create_directory(start / "ini");
        } else if (row.ini != nullptr) {
            std::ofstream(start / "ini") << "not a folder";
        }
        fs::current_path(start);
        const std::string expected = row.path[0] == '/' ? row.path : (start / row.path).string();
        EXPECT_EQ(SettingsLocateHere().strPath, expected) << row.name;
        EXPECT_EQ(fs::exists(start / "ini"), row.ini != nullptr) << row.name;
    }
    // A current directory that is gone holds no "ini" folder.
    fs::create_directory(m_folder + "/gone");
    fs::current_path(m_folder + "/gone");
    fs::remove(m_folder + "/gone");
    EXPECT_EQ(SettingsLocateHere().strPath, "/x/veldane/informatin.ini");
    fs::current_path(before);
    unsetenv("XDG_CONFIG_HOME");
}

// The user's folder is made, private, by the first write and never by a read; a project's ini/
// folder is never made.
TEST_F(SettingsLocationTest, OnlyAWriteMakesTheUsersFolder) {
    const std::string user = m_folder + "/config/veldane/informatin.ini";
    CSettingsFile settings(user, true);
    EXPECT_EQ(settings.GetString(SETTINGS_SECTION, SETTINGS_KEY_DEVELOP, "none"), "none");
    EXPECT_FALSE(fs::exists(m_folder + "/config"));
    ASSERT_TRUE(settings.WriteString(SETTINGS_SECTION, SETTINGS_KEY_DEVELOP, "me"));
    EXPECT_EQ(settings.GetString(SETTINGS_SECTION, SETTINGS_KEY_DEVELOP, ""), "me");
    for (const char* folder : {"/config", "/config/veldane"}) {
        struct stat st {};
        ASSERT_EQ(stat((m_folder + folder).c_str(), &st), 0) << folder;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << folder;
    }

    CSettingsFile project(m_folder + "/ini/informatin.ini");
    EXPECT_FALSE(project.WriteString(SETTINGS_SECTION, SETTINGS_KEY_DEVELOP, "me"));
    EXPECT_FALSE(fs::exists(m_folder + "/ini"));
    // A file where a folder should be: the write fails and the file stays.
    std::ofstream(m_folder + "/blocked") << "x";
    EXPECT_FALSE(CSettingsFile(m_folder + "/blocked/veldane/informatin.ini", true)
                     .WriteString(SETTINGS_SECTION, SETTINGS_KEY_DEVELOP, "me"));
    EXPECT_TRUE(fs::is_regular_file(m_folder + "/blocked"));
}

} // namespace
