#pragma once

#include "cli/text_io.h"
#include "header/header_keys.h"

#include <cstddef>
#include <string>
#include <vector>

// What a run of veldane-header does, by the option that chose it.
enum class CliMode {
    Print,       // the comment for a declaration on standard output
    Check,       // --check FILE: the format file's likely mistakes
    InsertLine,  // --insert FILE:LINE: the comment of the function LINE is in
    InsertFiles, // --insert FILE (several): the comment of every function of each file
    ReadBack,    // --read-back FILE:LINE: what the comment above the function reads back as
    Lint,        // --lint FILE...: the comments that are missing or no longer true
};

// Whether the tidy analysis splits declarations: as the settings say, or as --tidy or --no-tidy.
enum class CliTidy { Settings, On, Off };

// The command line: paths as given, texts (the declaration, the title, ...) in code page 932,
// read in the locale's encoding.
struct CliOptions {
    CliMode m_eMode = CliMode::Print;
    std::string m_strCheckPath;
    // The files of --insert or --lint, in the order given; for FILE:LINE its one file.
    std::vector<std::string> m_vecFiles;
    std::size_t m_nLine = 0;      // FILE:LINE, from 1
    bool m_bDryRun = false;       // --insert shows its change as a diff instead
    bool m_bDeclarations = false; // declarations that end in ';' count as functions too
    bool m_bReuse = false;        // descriptions of like arguments elsewhere in the run fill gaps
    bool m_bStrict = false;       // --lint: missing descriptions are findings too
    std::vector<std::string> m_vecExclude; // shell patterns of function names left alone

    bool m_bHasDeclaration = false; // otherwise it comes from standard input
    std::string m_strDeclaration;
    bool m_bHasFormat = false; // otherwise FILE_PATH of the settings file
    std::string m_strFormatPath;
    bool m_bHasFrom = false; // the format the comments above were written with, when another
    std::string m_strFromPath;
    std::string m_strTitle;
    bool m_bHasTitle = false;
    bool m_bHasDeveloper = false; // otherwise DEVELOP of the settings file
    std::string m_strDeveloper;
    bool m_bHasDate = false; // otherwise today
    std::string m_strDate;
    bool m_bHasRetText = false;
    std::string m_strRetText;
    std::string m_astrArgText[HEADER_ARG_ROWS];
    bool m_abHasArgText[HEADER_ARG_ROWS] = {};

    CliEncoding m_eEncoding = ENCODING_UTF8;
    bool m_bCrlf = false;
    CliTidy m_eTidy = CliTidy::Settings;
};

// Returned by CliParseOptions when the run goes on; anything else is the exit status.
constexpr int OPTIONS_RUN = -1;

// Parses the command line into `options`. Prints --help and --version on standard output and a
// usage error on standard error, and then returns the exit status.
int CliParseOptions(int argc, char** argv, CliOptions& options);
