#pragma once

#include <string>

// What PfReadFile() found at the path.
constexpr int PF_READ_DONE = 0;
constexpr int PF_READ_MISSING = 1; // nothing at the path
constexpr int PF_READ_FAILED = -1; // not a regular file, or it cannot be opened or read

// Reads all of the regular file at `path` (a symbolic link is followed): PF_READ_DONE with its
// bytes in `bytes`, or PF_READ_MISSING / PF_READ_FAILED with `bytes` as it was. A FIFO or a
// device is refused without waiting for a writer.
int PfReadFile(const std::string& path, std::string& bytes);
