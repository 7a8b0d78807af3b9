#include "format/expand_line.h"

#include "text/codepage.h"

#include <cstring>
#include <string_view>

namespace {

// Last byte of the output that may hold text; the one after it is the terminator.
constexpr std::size_t OUTPUT_TEXT_LIMIT = EXPAND_OUTPUT_SIZE - 1;

// True when `text`, each LF written as CR LF, fits behind `length` bytes of output.
bool FitsWithCrLf(std::size_t length, const char* text) {
    std::size_t need = std::strlen(text);
    for (const char* lineFeed = std::strchr(text, '\n'); lineFeed != nullptr;
         lineFeed = std::strchr(lineFeed + 1, '\n')) {
        ++need;
    }
    return length + need <= OUTPUT_TEXT_LIMIT;
}

} // namespace

bool ExpandAppendCrLf(char* output, std::size_t& length, const char* text) {
    // A text that fits whole goes in blocks between its line feeds.
    if (FitsWithCrLf(length, text)) {
        for (const char* lineFeed = std::strchr(text, '\n'); lineFeed != nullptr;
             lineFeed = std::strchr(text, '\n')) {
            const auto block = static_cast<std::size_t>(lineFeed - text);
            std::memcpy(output + length, text, block);
            std::memcpy(output + length + block, "\r\n", 2);
            length += block + 2;
            text = lineFeed + 1;
        }
        const std::size_t rest = std::strlen(text);
        std::memcpy(output + length, text, rest);
        length += rest;
        return true;
    }
    // The text does not fit, so the walk meets the end of the output before the end of the text.
    for (const char* p = text;; ++p) {
        const std::size_t need = *p == '\n' ? 2 : 1;
        if (length + need > OUTPUT_TEXT_LIMIT) {
            // Whether the last byte kept begins a double-byte character depends on the byte
            // after it, so that byte is put in the terminator's place while the cut is measured.
            output[length] = need == 2 ? '\r' : *p;
            const std::size_t keep = TxtCp932Cut(std::string_view(output, length + 1), length);
            std::memset(output + keep, 0, length + 1 - keep);
            length = keep;
            return false;
        }
        if (need == 2) {
            output[length++] = '\r';
        }
        output[length++] = *p;
    }
}
