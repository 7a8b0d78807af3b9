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

// Each row: what the start folder holds as "ini", XDG_CONFIG_HOME, HOME, and where the settings
// are then (relative to the test folder; "/" first for a path taken as it is).
TEST_F(SettingsLocationTest, ProjectFolderFirstThenTheUsersConfigurationFolder) {
    struct {
        const char *name, *ini, *xdg, *home, *path;
        bool makeFolder;
    } const rows[] = {
        {"ini folder present", "folder", "/x", "/h", "start/ini/informatin.ini", false},
        {"ini folder absent", nullptr, nullptr, "/h", "/h/.config/veldane/informatin.ini", true},
        {"ini is a file", "file", nullptr, "/h", "/h/.config/veldane/informatin.ini", true},
        {"XDG_CONFIG_HOME set", nullptr, "/x/y", "/h", "/x/y/veldane/informatin.ini", true},
        {"XDG_CONFIG_HOME empty", nullptr, "", "/h", "/h/.config/veldane/informatin.ini", true},
        {"XDG_CONFIG_HOME relative", nullptr, "x", "/h", "/h/.config/veldane/informatin.ini", true},
        {"XDG_CONFIG_HOME without home", nullptr, "/x", nullptr, "/x/veldane/informatin.ini", true},
        {"no home", nullptr, nullptr, nullptr, "start/ini/informatin.ini", false},
        {"empty home", nullptr, "", "", "start/ini/informatin.ini", false},
        {"relative home", nullptr, "x", "h", "start/ini/informatin.ini", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path start = fs::path(m_folder) / row.name / "start";
        fs::create_directories(start);
        if (row.ini != nullptr && std::string(row.ini) == "folder") {
            fs::create_directory(start / "ini");
        } else if (row.ini != nullptr) {
            std::ofstream(start / "ini") << "not a folder";
        }
        const SettingsLocation location = SettingsLocate(start.string(), row.xdg, row.home);
        const std::string expected =
            row.path[0] == '/' ? std::string(row.path) : (start.parent_path() / row.path).string();
        EXPECT_EQ(location.strPath, expected);
        EXPECT_EQ(location.bMakeFolder, row.makeFolder);
    }
    // Finding the place makes nothing.
    EXPECT_FALSE(fs::exists(fs::path(m_folder) / "ini folder absent" / "start" / "ini"));
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
