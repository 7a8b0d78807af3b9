#pragma once

#include <string_view>

// Whether a chosen format file can serve as one: a file of binary data, such as an executable
// picked by mistake, would put its bytes into the comment and call that a success.

enum class FormatFileKind { Text, NotText, Unreadable };

// True when `start`, the first bytes of a file, look like binary data: an executable's magic, or
// many control bytes other than tab, line feed, carriage return, form feed and escape.
bool HeaderLooksBinary(std::string_view start);

// Looks at the start of the file at `path` (a symbolic link is followed): NotText for binary
// data, Unreadable for no regular file or one that cannot be read, Text otherwise. Something other
// than a regular file is never opened, so that a FIFO cannot block the caller.
FormatFileKind HeaderFormatFileKind(const char* path);
