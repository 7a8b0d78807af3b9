#include "platform/settings_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

// The folder of a project's own settings, under the directory the program starts in.
const char* const PROJECT_FOLDER = "ini";
// The program's folder under the user's configuration folder.
const char* const USER_FOLDER = "veldane";
// The configuration folder under the home folder when XDG_CONFIG_HOME gives none.
const char* const DEFAULT_CONFIG_FOLDER = ".config";

// The XDG Base Directory rule: a relative path in the environment is to be ignored.
bool IsAbsoluteText(const char* text) {
    return text != nullptr && text[0] == '/';
}

} // namespace

SettingsLocation SettingsLocate(const std::string& startDir, const char* xdgConfigHome,
                                const char* home) {
    const std::filesystem::path project = std::filesystem::path(startDir) / PROJECT_FOLDER;
    const SettingsLocation projectFile{(project / SETTINGS_FILE_NAME).string(), false};
    std::error_code ec;
    if (std::filesystem::is_directory(project, ec)) {
        return projectFile;
    }
    std::filesystem::path config;
    if (IsAbsoluteText(xdgConfigHome)) {
        config = xdgConfigHome;
    } else if (IsAbsoluteText(home)) {
        config = std::filesystem::path(home) / DEFAULT_CONFIG_FOLDER;
    } else {
        return projectFile;
    }
    return {(config / USER_FOLDER / SETTINGS_FILE_NAME).string(), true};
}

SettingsLocation SettingsLocateHere() {
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    return SettingsLocate(current.string(), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}
