#pragma once

#include <string>

class CSettingsFile;
struct CliOptions;

// Writes the header comment for the declaration and options, on standard output or, with
// --insert, into the file; returns the exit status.
int RunHeader(const CliOptions& options);

// The runs over source files: --insert (the comment of the function FILE:LINE names, or of every
// function of each FILE, inserted or updated, or shown with --dry-run), --read-back (what the
// comment above reads back as, or where it parts from the format file) and --lint (the comments
// missing or no longer true, in the compiler's form); returns the exit status. The format file
// has been found usable.
int RunFiles(const CliOptions& options, const CSettingsFile& settings,
             const std::string& formatPath);

// Reports the likely mistakes of a format file on standard output; returns the exit status.
int RunCheck(const CliOptions& options);
