#include "platform/settings_location.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Only an "ini" folder in the current directory counts, and a current directory that is gone
// holds none.
TEST(SettingsLocationTest, HereLooksForAnIniFolderInTheCurrentDirectory) {
    std::string folder = (fs::temp_directory_path() / "location-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const fs::path before = fs::current_path();
    setenv("XDG_CONFIG_HOME", "/x", 1);
    const std::string user = "/x/veldane/informatin.ini";
    fs::current_path(folder);
    std::ofstream(folder + "/ini") << "x";
    EXPECT_EQ(SettingsLocateHere().strPath, user) << "ini a file";
    fs::remove(folder + "/ini");
    fs::create_directory(folder + "/ini");
    EXPECT_EQ(SettingsLocateHere().strPath, folder + "/ini/informatin.ini");
    fs::remove_all(folder);
    EXPECT_EQ(SettingsLocateHere().strPath, user) << "gone";
    fs::current_path(before);
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
