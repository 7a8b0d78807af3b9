#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>

// Every file here is replaced in one step: the new bytes go to a temporary file in the same
// folder, which is flushed to the disk and renamed over the old file, so that a crash or a full
// disk leaves the old file or the new one, never a mix.

// The folder that holds `path`; "." for a bare file name.
std::filesystem::path PfFolderOf(const std::string& path);

// Replaces the file at `path` (a link there is replaced, not followed) with `bytes` through a
// temporary file made from the mkstemp() pattern `tempPattern`, which must name a file in the
// same folder. The new file gets `mode` and, where the process may give files away, the owner
// and group of `pOwner` (nullptr: the writer's). The temporary file is locked (flock) until it is
// renamed or removed, so that a cleaner of left-over temporary files can tell it from one whose
// writer died. False when nothing was changed (no temporary file can be made, a full disk, a
// folder that refuses the rename); the temporary file is then removed.
bool PfReplaceThroughTemp(const std::string& path, std::string tempPattern, std::string_view bytes,
                          mode_t mode, const struct stat* pOwner);

// Replaces the contents of the file at `path` with `bytes` in one step. A symbolic link is
// followed and its target replaced; the permissions (and, where allowed, the owner) stay. A file
// without write permission is not replaced. False when nothing was changed; a temporary file
// left by the failure is removed.
bool PfReplaceFile(const std::string& path, std::string_view bytes);
