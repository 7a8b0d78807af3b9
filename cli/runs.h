#pragma once

struct CliOptions;

// Writes the header comment for the declaration and options; returns the exit status.
int RunHeader(const CliOptions& options);

// Reports the likely mistakes of a format file on standard output; returns the exit status.
int RunCheck(const CliOptions& options);
