#include "cli/file_problem.h"

#include "cli/report.h"
#include "header/messages.h"

#include <filesystem>
#include <fstream>
#include <system_error>

CliFileProblem CliFindFileProblem(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return FILE_MISSING;
    }
    if (error) {
        return FILE_UNREADABLE; // a folder on the way that cannot be searched
    }
    if (status.type() != std::filesystem::file_type::regular) {
        return FILE_NOT_REGULAR;
    }
    return std::ifstream(path, std::ios::binary).is_open() ? FILE_OK : FILE_UNREADABLE;
}

int CliFailFile(int status, CliFileProblem problem, const std::string& path, const char* noun) {
    const char* message = MSG_FILE_UNREADABLE;
    if (problem == FILE_MISSING) {
        message = MSG_FILE_MISSING;
    } else if (problem == FILE_NOT_REGULAR) {
        message = MSG_FILE_NOT_REGULAR;
    }
    return CliFail(status, message, path.c_str(), noun);
}
