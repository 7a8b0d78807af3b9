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
    const struct {
        const char* name;
        void (*place)(const fs::path& start);
        std::string path;
    } rows[] = {
        {"ini folder", [](const fs::path& start) { fs::create_directory(start / "ini"); },
         "ini/informatin.ini"},
        {"ini a file", [](const fs::path& start) { std::ofstream(start / "ini") << "x"; }, user},
        {"no ini", [](const fs::path&) {}, user},
        {"gone", [](const fs::path& start) { fs::remove(start); }, user},
    };
    for (const auto& row : rows) {
        const fs::path start = fs::path(folder) / row.name;
        fs::create_directories(start);
        fs::current_path(start);
        row.place(start);
        const std::string expected = row.path[0] == '/' ? row.path : (start / row.path).string();
        EXPECT_EQ(SettingsLocateHere().strPath, expected) << row.name;
    }
    fs::current_path(before);
    unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(folder);
}

} // namespace
