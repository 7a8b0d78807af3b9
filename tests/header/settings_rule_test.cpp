#include "header/settings_rule.h"

#include <gtest/gtest.h>

namespace {

// Each row: whether the start folder holds an "ini" folder, XDG_CONFIG_HOME, HOME, and where the
// settings are then.
TEST(SettingsRule, ProjectFolderFirstThenTheUsersConfigurationFolder) {
    struct {
        const char* name;
        bool bIni;
        const char *xdg, *home, *path;
        bool makeFolder;
    } const rows[] = {
        {"ini folder present", true, "/x", "/h", "/s/ini/informatin.ini", false},
        {"ini folder absent", false, nullptr, "/h", "/h/.config/veldane/informatin.ini", true},
        {"XDG_CONFIG_HOME set", false, "/x/y", "/h", "/x/y/veldane/informatin.ini", true},
        {"XDG_CONFIG_HOME empty", false, "", "/h", "/h/.config/veldane/informatin.ini", true},
        {"XDG_CONFIG_HOME relative", false, "x", "/h", "/h/.config/veldane/informatin.ini", true},
        {"XDG_CONFIG_HOME without home", false, "/x", nullptr, "/x/veldane/informatin.ini", true},
        {"no home", false, nullptr, nullptr, "/s/ini/informatin.ini", false},
        {"empty home", false, "", "", "/s/ini/informatin.ini", false},
        {"relative home", false, "x", "h", "/s/ini/informatin.ini", false},
    };
    for (const auto& row : rows) {
        const SettingsLocation location = SettingsLocate("/s", row.bIni, row.xdg, row.home);
        EXPECT_EQ(location.strPath, row.path) << row.name;
        EXPECT_EQ(location.bMakeFolder, row.makeFolder) << row.name;
    }
}

} // namespace
