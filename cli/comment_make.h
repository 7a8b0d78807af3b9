#pragma once

#include <string>
#include <string_view>

class CSettingsFile;
struct CliOptions;

// A declaration as it was read, in the chosen encoding.
struct CliDeclaration {
    std::string_view m_strText;
    bool m_bCutShort;       // the read stopped early, so its last character may be cut off
    std::string m_strWhere; // put before each message about it ("FILE:LINE: "), or empty
};

// The format file to expand: -f, else FILE_PATH of the settings. EXIT_DONE with its path, or
// the exit status after a message naming the settings file when there is none, or the file and
// the reason when it cannot be read (`formatPath` then holds what was tried).
int CliFindFormat(const CliOptions& options, const CSettingsFile& settings,
                  std::string& formatPath);

// Analyses the declaration as pasted text and expands the format file with it and the texts of
// the options: EXIT_DONE with the comment (code page 932, CR LF line ends; empty when the
// expansion is), or the exit status after a message on standard error, `comment` untouched.
// Notes that do not stop the run (a declaration cut short, more than six arguments) go to
// standard error too.
int CliMakeComment(const CliOptions& options, const CSettingsFile& settings,
                   const std::string& formatPath, const CliDeclaration& declaration,
                   std::string& comment);
