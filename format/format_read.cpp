#include "format/format_read.h"

#include "text/codepage.h"
#include "text/txt_alloc.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";

bool IsUtf8File(std::string_view bytes) {
    if (bytes.substr(0, UTF8_BOM.size()) == UTF8_BOM) {
        return true;
    }
    // Plain ASCII reads the same either way; only text with bytes above 0x7F that also forms
    // valid UTF-8 is taken for UTF-8, anything else stays code page 932.
    const bool high = std::any_of(bytes.begin(), bytes.end(),
                                  [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
    return high && TxtIsUtf8(bytes);
}

// Turns each CR LF into one LF in place; a lone CR stays. Returns the new length. The text
// between CRs moves in blocks: a file with LF line ends is only searched.
std::size_t FoldCrLf(char* text, std::size_t length) {
    std::size_t out = 0;
    std::size_t from = 0;
    while (from < length) {
        const void* found = std::memchr(text + from, '\r', length - from);
        const std::size_t cr =
            found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - text)
                             : length;
        // The CR goes with the block unless an LF follows it.
        const std::size_t end =
            cr < length && (cr + 1 == length || text[cr + 1] != '\n') ? cr + 1 : cr;
        std::memmove(text + out, text + from, end - from);
        out += end - from;
        from = cr < length ? cr + 1 : length;
    }
    return out;
}

} // namespace

CFormatText::~CFormatText() {
    TxtFree(m_pText);
}

int CFormatText::Load(const char* path) {
    if (path == nullptr) {
        return -1;
    }
    // An empty path names no regular file either.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return -1;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return -1;
    }
    auto* raw = static_cast<char*>(TxtAlloc(FORMAT_READ_LIMIT));
    if (raw == nullptr) {
        std::fclose(file);
        return -1;
    }
    // A file that opens but cannot be read (a failing disk, a special file) is as unusable as
    // one that does not open: taking what came before the error as the whole file would give a
    // cut or empty comment and call it a success.
    std::size_t length = 0;
    while (length < FORMAT_READ_LIMIT) {
        const std::size_t got = std::fread(raw + length, 1, FORMAT_READ_LIMIT - length, file);
        if (got == 0) {
            break;
        }
        length += got;
    }
    const bool bReadFailed = std::ferror(file) != 0;
    std::fclose(file);
    if (bReadFailed) {
        TxtFree(raw);
        return -1;
    }

    std::string_view bytes(raw, length);
    if (IsUtf8File(bytes)) {
        if (bytes.substr(0, UTF8_BOM.size()) == UTF8_BOM) {
            bytes.remove_prefix(UTF8_BOM.size());
        }
        // Code page 932 is never longer than the UTF-8 it comes from; one byte more keeps the
        // block non-empty for a file that holds nothing but the mark.
        auto* converted = static_cast<char*>(TxtAlloc(bytes.size() + 1));
        if (converted == nullptr) {
            TxtFree(raw);
            return -1;
        }
        length = TxtUtf8ToCp932(bytes.data(), bytes.size(), converted, bytes.size());
        TxtFree(raw);
        raw = converted;
    }
    TxtFree(m_pText);
    m_pText = raw;
    m_nLength = FoldCrLf(raw, length);
    m_nPos = 0;
    return 0;
}

bool CFormatText::NextPiece(char* line) {
    std::memset(line, 0, FORMAT_LINE_AREA_SIZE);
    if (m_nPos >= m_nLength) {
        return false;
    }
    const char* start = m_pText + m_nPos;
    const std::size_t available = std::min(m_nLength - m_nPos, FORMAT_PIECE_SIZE);
    const void* lineFeed = std::memchr(start, '\n', available);
    const std::size_t size =
        lineFeed != nullptr ? static_cast<const char*>(lineFeed) - start + 1 : available;
    // A NUL inside the piece ends its text for the expansion but not the reading.
    std::memcpy(line, start, size);
    m_nPos += size;
    return true;
}
