#pragma once

#include "cli/text_io.h"
#include "header/header_keys.h"

#include <cstddef>
#include <string>

// The command line: paths as given, texts (the declaration, the title, ...) in code page 932,
// read in the locale's encoding.
struct CliOptions {
    bool m_bCheck = false;
    std::string m_strCheckPath;

    bool m_bInsert = false; // the declaration comes from the file, and the comment goes there
    std::string m_strInsertPath;
    std::size_t m_nInsertLine = 0; // from 1
    bool m_bDryRun = false;        // --insert shows its change as a diff instead

    bool m_bHasDeclaration = false; // otherwise it comes from standard input
    std::string m_strDeclaration;
    bool m_bHasFormat = false; // otherwise FILE_PATH of the settings file
    std::string m_strFormatPath;
    std::string m_strTitle;
    bool m_bHasDeveloper = false; // otherwise DEVELOP of the settings file
    std::string m_strDeveloper;
    bool m_bHasDate = false; // otherwise today
    std::string m_strDate;
    std::string m_strRetText;
    std::string m_astrArgText[HEADER_ARG_ROWS];

    CliEncoding m_eEncoding = ENCODING_UTF8;
    bool m_bCrlf = false;
};

// Returned by CliParseOptions when the run goes on; anything else is the exit status.
constexpr int OPTIONS_RUN = -1;

// Parses the command line into `options`. Prints --help and --version on standard output and a
// usage error on standard error, and then returns the exit status.
int CliParseOptions(int argc, char** argv, CliOptions& options);
