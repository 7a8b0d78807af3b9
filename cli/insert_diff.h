#pragma once

#include <string>
#include <string_view>

// A unified diff from `before` to `after`, as `diff -u` writes it and `patch` takes it, for a
// change that is one run of lines (an insertion, or a line replaced by several), with `path`
// naming both in the header and three lines of context on each side. Empty when they are equal.
std::string InsertDiff(const std::string& path, std::string_view before, std::string_view after);
