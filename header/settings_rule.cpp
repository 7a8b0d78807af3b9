#include "header/settings_rule.h"

#include <filesystem>

namespace {

// The XDG Base Directory rule: a relative path in the environment is to be ignored.
bool IsAbsoluteText(const char* text) {
    return text != nullptr && text[0] == '/';
}

} // namespace

SettingsLocation SettingsLocate(const std::string& startDir, bool bProjectFolder,
                                const char* xdgConfigHome, const char* home) {
    const std::filesystem::path project = std::filesystem::path(startDir) / SETTINGS_PROJECT_FOLDER;
    const SettingsLocation projectFile{(project / SETTINGS_FILE_NAME).string(), false};
    if (bProjectFolder) {
        return projectFile;
    }
    std::filesystem::path config;
    if (IsAbsoluteText(xdgConfigHome)) {
        config = xdgConfigHome;
    } else if (IsAbsoluteText(home)) {
        config = std::filesystem::path(home) / SETTINGS_CONFIG_FOLDER;
    } else {
        return projectFile;
    }
    return {(config / SETTINGS_USER_FOLDER / SETTINGS_FILE_NAME).string(), true};
}
