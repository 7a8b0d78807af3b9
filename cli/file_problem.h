#pragma once

#include <string>

// Why a file the tool is to read cannot be used.
enum CliFileProblem {
    FILE_OK,
    FILE_MISSING,     // nothing at the path
    FILE_NOT_REGULAR, // a folder, a device, a FIFO: never opened, so that nothing can block
    FILE_UNREADABLE,  // it exists but cannot be opened for reading
};

// Looks at the file at `path` (a symbolic link is followed) and tries to open it; reads nothing.
CliFileProblem CliFindFileProblem(const std::string& path);

// Reports the problem on standard error, naming the file and what it is to the tool (`noun`),
// and returns `status`.
int CliFailFile(int status, CliFileProblem problem, const std::string& path, const char* noun);
