#include "source/source_column.h"

#include "source/source_lexer.h"
#include "text/codepage.h"

#include <algorithm>
#include <string>

namespace {

// gcc advances a tab to the next multiple of this many columns.
constexpr std::size_t TAB_STOP = 8;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The code point of the well-formed UTF-8 character at the start of `bytes` and its length;
// a length of 0 when none begins there.
std::size_t DecodeUtf8(std::string_view bytes, char32_t& ch) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        ch = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        ch = lead & 0x1F;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        ch = lead & 0x0F;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        ch = lead & 0x07;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!IsContinuation(byte)) {
            return 0;
        }
        ch = (ch << 6) | (byte & 0x3F);
    }
    const bool surrogate = ch >= 0xD800 && ch <= 0xDFFF;
    return ch < lowest || ch > 0x10FFFF || surrogate ? 0 : length;
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
        if (!TxtIsLeadByte(byte) || rest.size() < 2 ||
            !SourceIsTrailByte(static_cast<unsigned char>(rest[1]))) {
            return 1; // a half-width katakana, or a lead byte without its trail
        }
        // gcc reads the file through its UTF-8 form, where a character's width is its own:
        // most double-byte characters are wide, but Greek, Cyrillic, box drawing and circled
        // digits are not.
        const std::string utf8 = TxtCp932ToUtf8(rest.substr(0, 2));
        char32_t ch = 0;
        width = DecodeUtf8(utf8, ch) == utf8.size() && utf8 != "?" ? SourceCharWidth(ch) : 2;
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
