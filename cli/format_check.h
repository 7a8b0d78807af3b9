#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What --check can find in a format file. Within one line findings come in this order.
enum CheckKind {
    CHECK_NOT_TEXT,              // binary data, such as an executable: the only finding then
    CHECK_NUL,                   // a NUL byte, which ends the line where it stands
    CHECK_UNKNOWN_KEY,           // a key that no box of the form supplies
    CHECK_UNCLOSED,              // a "<@" without "@>" after it on the line
    CHECK_TEXT_BESIDE_CONDITION, // a condition line holding more than its condition
    CHECK_LONG_LINE,             // a line that is read as more than one piece
    CHECK_CONDITION_CHAIN,       // a condition line right after another condition line
    CHECK_LAST_CONDITION,        // a condition line with no line after it
    CHECK_TOO_MANY_LINES,        // the first line beyond the expansion's piece limit
};

struct CheckFinding {
    int m_nLine; // physical line, from 1
    CheckKind m_eKind;
    std::string m_strKey; // CHECK_UNKNOWN_KEY: the key as it is looked up (code page 932)
    std::size_t m_nBytes; // CHECK_LONG_LINE: the line's length with its line end;
                          // CHECK_NUL: where the first NUL is in the line, from 1
    int m_nOtherLine;     // CHECK_CONDITION_CHAIN: the condition line before this one
};

// Reads the format file at `path` as the expansion reads it (a UTF-8 file converted to code page
// 932, CR LF turned into LF, as much as an expansion can use). 0, or -1 when it cannot be read.
int CheckReadFile(const char* path, std::string& text);

// Finds what is likely a mistake in a format file, given as the expansion reads it: code page
// 932 bytes with LF line ends. Findings come in line order.
std::vector<CheckFinding> CheckFormatText(std::string_view text);

// The finding in words (UTF-8), without the file name and line number.
std::string CheckDescribe(const CheckFinding& finding);
