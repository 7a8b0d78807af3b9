#pragma once

#include <string>

// True when `name` matches the shell pattern `pattern` (*, ? and [...], as the shell matches file
// names, without treating '/' or a leading '.' specially).
bool PfShellPatternMatches(const std::string& pattern, const std::string& name);
