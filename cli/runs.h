#pragma once

#include <string>

class CSettingsFile;
struct CliOptions;

// Writes the header comment for the declaration and options, on standard output or, with
// --insert, into the file; returns the exit status.
int RunHeader(const CliOptions& options);

// Inserts the comment for the declaration at the line --insert names, or shows the change with
// --dry-run; returns the exit status. The format file has been found usable.
int RunInsert(const CliOptions& options, const CSettingsFile& settings,
              const std::string& formatPath);

// Reports the likely mistakes of a format file on standard output; returns the exit status.
int RunCheck(const CliOptions& options);
