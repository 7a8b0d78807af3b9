#pragma once

#include "format/header_keys.h"

#include <cstddef>
#include <string>
#include <string_view>

// The most of a declaration that is taken, as the window's paste takes from the clipboard.
constexpr std::size_t PASTE_TEXT_MAX = 2047;
// The most of a value that is used, as the window reads each box into 1024 bytes.
constexpr std::size_t BOX_TEXT_MAX = 1023;

// Results of CHeaderValues::SetDeclaration.
constexpr int DECL_DONE = 0;
constexpr int DECL_BUFFER_ERROR = 1; // cleaning ran out of memory
constexpr int DECL_SYNTAX_ERROR = 2; // the analyser refused the declaration
constexpr int DECL_NO_MEMORY = 3;    // the analyser ran out of memory
constexpr int DECL_EMPTY = 4;        // nothing but blanks is left to analyse

// The 25 values of one header, as the window's boxes would hold them when Make header runs:
// code page 932 text, each at most BOX_TEXT_MAX bytes, empty when the box would be empty.
class CHeaderValues {
public:
    // What the window's paste and Analyse do with `pasted` (code page 932): the first
    // PASTE_TEXT_MAX bytes are cleaned, the first BOX_TEXT_MAX bytes of the result analysed,
    // and the function, return type, class and at most six argument rows filled. The analysed
    // values are emptied first and stay empty on an error. `argCount` gets the number of
    // arguments the declaration has, which may be more than the rows filled.
    int SetDeclaration(std::string_view pasted, int& argCount);

    // Sets the value of template key `key`, cut as a box read is; false for an unknown key.
    bool Set(const char* key, std::string_view value);
    const std::string& Get(const char* key) const;

    // Expands the format file at `path` as Make header does: 0 with the comment (code page
    // 932, CR LF line ends) in `comment`, -1 when the file cannot be read.
    int Expand(const char* path, std::string& comment) const;

private:
    std::string m_astrValues[HEADER_KEY_COUNT];
};

// Today's local date as the window's date box shows it at start: "YYYY/MM/DD".
std::string HeaderToday();
