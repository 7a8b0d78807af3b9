#pragma once

#include <string>
#include <string_view>

#include "cli/text_io.h"
#include "header/analysis_choice.h"

class CSettingsFile;
struct CliOptions;

// A declaration as the analysis takes it.
struct CliDeclaration {
    std::string_view m_strCp932;
    std::string m_strWhere; // put before each message about it ("FILE:LINE: "), or empty
};

// The analysis the settings choose (TIDY, TIDY_DROP), with --tidy or --no-tidy over them.
CAnalysisChoice CliAnalysisChoice(const CliOptions& options, const CSettingsFile& settings);

// Input read in `encoding` (the declaration from standard input), turned into code page 932:
// EXIT_DONE with the text in `cp932`, noting on standard error characters code page 932 lacks; or
// EXIT_ENCODING after a message that says which encoding it might be in, `cp932` untouched. With
// `cutShort` (a bounded read) the last character may be cut off.
int CliDecodeDeclaration(std::string_view text, CliEncoding encoding, bool cutShort,
                         std::string& cp932);

// The format file to expand: -f, else FILE_PATH of the settings. EXIT_DONE with its path, or
// the exit status after a message naming the settings file when there is none, or the file and
// the reason when it cannot be read (`formatPath` then holds what was tried).
int CliFindFormat(const CliOptions& options, const CSettingsFile& settings,
                  std::string& formatPath);

// EXIT_DONE when the format file at `formatPath` can serve; otherwise EXIT_FORMAT_FAULTY after
// a message naming it and the reason (missing, no regular file, unreadable, binary data).
int CliCheckFormat(const std::string& formatPath);

// Analyses the declaration as pasted text and expands the format file with it and the texts of
// the options: EXIT_DONE with the comment (code page 932, CR LF line ends; empty when the
// expansion is), or the exit status after a message on standard error, `comment` untouched.
// Notes that do not stop the run (a declaration cut short, more than six arguments) go to
// standard error too.
int CliMakeComment(const CliOptions& options, const CSettingsFile& settings,
                   const std::string& formatPath, const CliDeclaration& declaration,
                   std::string& comment);
