#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A unified diff, as `diff -u` writes it and `patch` takes it, of inserting `inserted` (whole
// lines, each with its line end) before line `line` (from 1) of `file`, which `path` names in
// the header. Three lines of context on each side.
std::string InsertDiff(const std::string& path, std::string_view file, std::size_t line,
                       std::string_view inserted);
