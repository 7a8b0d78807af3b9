#pragma once

#include <string>

// printf into a string; the empty string when the format cannot be printed.
std::string CliPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes "veldane-header: " and the message to standard error, with its line end, and returns
// `status`, so that a run can end with `return CliFail(...)`.
int CliFail(int status, const char* format, ...) __attribute__((format(printf, 2, 3)));
