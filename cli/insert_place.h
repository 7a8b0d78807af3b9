#pragma once

#include "cli/file_edits.h"
#include "cli/text_io.h"

#include <cstddef>
#include <string>
#include <string_view>

// Where in a file a comment goes and which declaration it is for. Offsets are bytes of the file.
struct InsertPlace {
    std::size_t m_nLineStart; // the line the comment goes before
    std::string m_strIndent;  // that line's leading spaces and tabs
    std::size_t m_nDeclStart; // the declaration: from the line's first byte that is no blank
    std::size_t m_nDeclEnd;   // to the first ';' or '{' outside a comment, or the end of the file
    std::string m_strLineEnd; // what ends each line of the comment: "\r\n" or "\n"
};

// The number of lines in `file`: a last line without a line end counts, an empty file has none.
std::size_t InsertLineCount(std::string_view file);

// Finds line `line` (from 1) of `file`, text in `encoding`: 0 with its place, or -1 when the
// file has no such line (`place` is then untouched). A blank line gives an empty declaration.
int InsertFindPlace(std::string_view file, std::size_t line, CliEncoding encoding,
                    InsertPlace& place);

// The edit that inserts the comment (lines in the file's encoding, each ended by LF, a CR LF taken
// as one line end) at `place`: each line indented and ended as `place` says. Before the first
// line of a file with a byte order mark that line is replaced, so that the mark stays first.
CLineEdit InsertEdit(std::string_view file, const InsertPlace& place, std::string_view comment);
