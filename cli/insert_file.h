#pragma once

#include <string>
#include <string_view>

// Reads all of the regular file at `path`: true with its bytes, false when it cannot be opened
// or a read fails (`bytes` then holds what was read).
bool InsertReadFile(const std::string& path, std::string& bytes);

// Replaces the contents of the file at `path` with `bytes` in one step: a temporary file in the
// same folder is written, flushed to the disk and renamed over the file, so that a crash or a
// full disk leaves the old file or the new one, never a mix. A symbolic link is followed and
// its target replaced; the permissions (and, where allowed, the owner) stay. A file without
// write permission is not replaced. False when nothing was changed; a temporary file left by
// the failure is removed.
bool InsertReplaceFile(const std::string& path, std::string_view bytes);
