#include "platform/shell_pattern.h"

#include <fnmatch.h>

bool PfShellPatternMatches(const std::string& pattern, const std::string& name) {
    return fnmatch(pattern.c_str(), name.c_str(), 0) == 0;
}
