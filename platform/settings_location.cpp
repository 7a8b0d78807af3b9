#include "platform/settings_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

SettingsLocation SettingsLocateHere() {
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    const bool bProjectFolder =
        !ec && std::filesystem::is_directory(current / SETTINGS_PROJECT_FOLDER, ec);
    return SettingsLocate(current.string(), bProjectFolder, std::getenv("XDG_CONFIG_HOME"),
                          std::getenv("HOME"));
}
