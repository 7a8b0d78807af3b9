#pragma once

#include "format/format_read.h"
#include "header/header_readback.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The header comment right above a declaration, among the lines of a source text.

// Lines a comment can have at most: what the pieces of a format file write, each ending one line,
// and one more for a last piece without a line end.
constexpr std::size_t HEADER_COMMENT_LINES_MAX = FORMAT_LINE_LIMIT + 1;

struct CCommentAbove {
    // The comment's lines, right above the declaration; 0 when no run of lines reads back.
    std::size_t m_nLines = 0;
    // What the comment reads back as. Without one, where the try that followed the format
    // furthest into its lines parted from it (its lines counted from the first line tried; the
    // longest try of those that got as far).
    CHeaderReading m_reading;
    // Without a comment: how many lines that try began above the declaration; 0 when no line
    // above begins with the indentation.
    std::size_t m_nTried = 0;
    // The search stopped for want of memory: whether a comment stands above is not known.
    bool m_bNoMemory = false;
};

// Finds the comment right above a declaration: the longest run of `lines` ending with its last
// one (code page 932 text of the lines above the declaration's first line, in file order, without
// their line ends), each beginning with `indent`, that reads back through `reader` once `indent`
// is taken off each. `current`, the analysed boxes of the declaration, settles a comment that
// reads more than one way.
CCommentAbove HeaderFindCommentAbove(CHeaderReader& reader,
                                     const std::vector<std::string_view>& lines,
                                     std::string_view indent,
                                     const std::vector<CBoxValue>& current);
