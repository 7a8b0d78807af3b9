#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The two steps every atomic replacement of a file here shares: writing the new file's bytes
// and making the rename over the old one durable.

// Writes all of `bytes` to `fd`. false when the file system takes no more (a full disk, a file
// size limit); what was written stays in the file, which the caller then removes.
bool PfWriteAll(int fd, std::string_view bytes);
// The folder that holds `path`; "." for a bare file name.
std::filesystem::path PfFolderOf(const std::string& path);
// Flushes the folder that holds `path`, so that a rename into it survives a crash. A failure
// cannot undo the rename, so it is not reported.
void PfSyncFolderOf(const std::string& path);
