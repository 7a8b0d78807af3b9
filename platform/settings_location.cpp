#include "platform/settings_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

SettingsLocation SettingsLocateHere() {
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    // Its branches are the cleanup of an exception while the path is built.
    const std::filesystem::path project = current / SETTINGS_PROJECT_FOLDER; // GCOVR_EXCL_BR_LINE
    const bool bProjectFolder = !ec && std::filesystem::is_directory(project, ec);
    return SettingsLocate(current.string(), bProjectFolder, std::getenv("XDG_CONFIG_HOME"),
                          std::getenv("HOME"));
}
