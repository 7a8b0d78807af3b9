#pragma once

#include "source/source_functions.h"

#include <cstddef>
#include <string_view>

// Columns as gcc reports them in its messages, so that an editor that jumps to gcc's
// positions lands on the same byte: display columns from 1, a tab advancing to the next
// multiple of 8, a double-width character (CJK, full-width forms, most emoji) counting 2 and a
// combining or zero-width one 0. A byte that begins no valid character counts 1.
class CSourceColumns {
public:
    CSourceColumns(std::string_view file, SourceEncoding encoding)
        : m_strFile(file), m_eEncoding(encoding) {}

    // The column of the byte at `offset`, on the line whose first byte is at `lineStart`.
    // Linear in the bytes before it on its line, and in the bytes since the last call when
    // asked along one line in increasing order.
    std::size_t Column(std::size_t lineStart, std::size_t offset);

private:
    // The bytes and display columns of the character at `at`.
    std::size_t CharBytes(std::size_t at, std::size_t& width) const;

    std::string_view m_strFile;
    SourceEncoding m_eEncoding;
    std::size_t m_nLineStart = static_cast<std::size_t>(-1);
    std::size_t m_nOffset = 0;
    std::size_t m_nColumn = 1;
};

// Display columns of one Unicode character: 0, 1 or 2.
std::size_t SourceCharWidth(char32_t ch);
