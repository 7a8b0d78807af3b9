#include "header/settings_rule.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Each row: whether the start folder holds an "ini" folder, XDG_CONFIG_HOME, HOME, and where the
// settings are then and whether their folder must be made.
TEST(SettingsRule, ProjectFolderFirstThenTheUsersConfigurationFolder) {
    const std::tuple<const char*, bool, const char*, const char*, const char*, bool> rows[] = {
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
    for (const auto& [name, bIni, xdg, home, path, bMakeFolder] : rows) {
        const SettingsLocation location = SettingsLocate("/s", bIni, xdg, home);
        EXPECT_EQ(location.strPath, path) << name;
        EXPECT_EQ(location.bMakeFolder, bMakeFolder) << name;
    }
}

} // namespace
