#pragma once

#include <string>

// The settings file both programs share: its name, its one section and its keys.
inline constexpr char SETTINGS_FILE_NAME[] = "informatin.ini";
inline constexpr char SETTINGS_SECTION[] = "App";
inline constexpr char SETTINGS_KEY_DEVELOP[] = "DEVELOP";
inline constexpr char SETTINGS_KEY_FILE_NAME[] = "FILE_NAME";
inline constexpr char SETTINGS_KEY_FILE_PATH[] = "FILE_PATH";
// The analysis that splits declarations: "1" for the tidy one, anything else the fixed text rules.
inline constexpr char SETTINGS_KEY_TIDY[] = "TIDY";
inline constexpr char SETTINGS_TIDY_ON[] = "1";
inline constexpr char SETTINGS_TIDY_OFF[] = "0";
// The user's own words for the tidy analysis to drop (export macros), separated by blanks.
inline constexpr char SETTINGS_KEY_TIDY_DROP[] = "TIDY_DROP";
// The folder of a project's own settings, under the directory the program starts in.
inline constexpr char SETTINGS_PROJECT_FOLDER[] = "ini";
// The program's folder under the user's configuration folder.
inline constexpr char SETTINGS_USER_FOLDER[] = "veldane";
// The configuration folder under the home folder when XDG_CONFIG_HOME gives none.
inline constexpr char SETTINGS_CONFIG_FOLDER[] = ".config";

// Where the settings file lies, and whether its folder may be made for it.
struct SettingsLocation {
    std::string strPath;
    // true for the per-user folder, which is made (mode 0700) when the settings are first
    // written; a project's own ini/ folder is never made.
    bool bMakeFolder = false;
};

// The settings of a program started in `startDir`, in this order:
// 1. startDir/ini/informatin.ini when startDir holds an "ini" folder (`bProjectFolder`: the
//    settings of one project);
// 2. otherwise $XDG_CONFIG_HOME/veldane/informatin.ini, with `home`/.config when
//    `xdgConfigHome` is null, empty or not absolute;
// 3. without a usable home (null, empty or not absolute) as in 1, even though the folder is
//    missing: reads then give the defaults and writes fail, so nothing is saved.
SettingsLocation SettingsLocate(const std::string& startDir, bool bProjectFolder,
                                const char* xdgConfigHome, const char* home);
