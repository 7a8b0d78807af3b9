#pragma once

// Exit statuses of veldane-header, one for each way a run can end, so that a script or an editor
// can tell them apart. They are listed in --help; keep the two in step.
constexpr int EXIT_DONE = 0;          // comment written (or nothing to write), or a clean check
constexpr int EXIT_FINDINGS = 1;      // --check or --lint found something, --read-back read nothing
constexpr int EXIT_USAGE = 2;         // the command line is wrong
constexpr int EXIT_SYNTAX = 3;        // the declaration is empty or cannot be analysed
constexpr int EXIT_FORMAT_FAULTY = 4; // the format file cannot be read, or is binary data
constexpr int EXIT_FORMAT_MISSING = 5; // no format file given, and none in the settings
constexpr int EXIT_BUFFER = 6;         // cleaning or analysing the declaration ran out of memory
constexpr int EXIT_IO = 7;             // standard input or output failed
constexpr int EXIT_ENCODING = 8;       // input that is not text in its encoding, or a comment
                                       // a rewrite would lose characters of
constexpr int EXIT_INSERT_FILE = 9;    // a source file cannot be read or written, or has no
                                       // such line, or the line is in no function
