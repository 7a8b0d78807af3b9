#include "source/source_column.h"

#include "source/source_lexer.h"
#include "text/codepage.h"

#include <algorithm>
#include <string>

namespace {

// gcc advances a tab to the next multiple of this many columns.
constexpr std::size_t TAB_STOP = 8;

// The code point of the well-formed UTF-8 character of two to four bytes at the start of
// `bytes`, and its length; a length of 0 when none begins there.
std::size_t DecodeUtf8(std::string_view bytes, char32_t& ch) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || !TxtIsCompleteUtf8(bytes.substr(0, length))) {
        return 0;
    }
    // The lead byte holds 7 - length bits of the code point, each continuation byte 6.
    ch = lead & (0x7FU >> length);
    for (const char byte : bytes.substr(1, length - 1)) {
        ch = (ch << 6) | (static_cast<unsigned char>(byte) & 0x3FU);
    }
    return length;
}

} // namespace

std::size_t CSourceColumns::Column(std::size_t lineStart, std::size_t offset) {
    if (lineStart != m_nLineStart || offset < m_nOffset) {
        m_nLineStart = lineStart;
        m_nOffset = lineStart;
        m_nColumn = 1;
    }
    while (m_nOffset < offset) {
        std::size_t width = 1;
        m_nOffset += std::min(CharBytes(m_nOffset, width), offset - m_nOffset);
        m_nColumn += width;
    }
    return m_nColumn;
}

std::size_t CSourceColumns::CharBytes(std::size_t at, std::size_t& width) const {
    const auto byte = static_cast<unsigned char>(m_strFile[at]);
    width = 1;
    if (byte == '\t') {
        width = TAB_STOP - (m_nColumn - 1) % TAB_STOP;
        return 1;
    }
    if (byte < 0x80) {
        return 1;
    }
    const std::string_view rest = m_strFile.substr(at);
    if (m_eEncoding == SourceEncoding::Cp932) {
        if (!SourceIsDoubleByte(m_strFile, at)) {
            return 1; // a half-width katakana, or a lead byte without its trail
        }
        // gcc reads the file through its UTF-8 form, where a character's width is its own:
        // most double-byte characters are wide, but Greek, Cyrillic, box drawing and circled
        // digits are not. A pair that code page 932 lacks comes back as "?", which gcc shows
        // as two columns.
        const std::string utf8 = TxtCp932ToUtf8(rest.substr(0, 2));
        char32_t ch = 0;
        width = DecodeUtf8(utf8, ch) != 0 ? SourceCharWidth(ch) : 2;
        return 2;
    }
    char32_t ch = 0;
    const std::size_t length = DecodeUtf8(rest, ch);
    if (length == 0) {
        return 1;
    }
    width = SourceCharWidth(ch);
    return length;
}
