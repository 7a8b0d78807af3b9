#include "text/codepage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

// Written in place of a character the target lacks or of bytes that form no character.
constexpr char REPLACEMENT = '?';

// A code page 932 character is at most two bytes and never needs more than three UTF-8 bytes:
// a one-byte half-width katakana becomes three, a two-byte character at most three.
constexpr std::size_t UTF8_BYTES_PER_CP932_BYTE = 3;

// One iconv descriptor per direction, opened on first use and kept for the process, so that
// the conversions allocate nothing after that. Only the user-interface thread converts.
class CConverter {
public:
    CConverter(const char* to, const char* from) : m_hIconv(iconv_open(to, from)) {}
    ~CConverter() {
        // Every test machine has glibc's CP932 module, so the descriptor is always open there.
        if (IsOpen()) { // GCOVR_EXCL_BR_LINE
            iconv_close(m_hIconv);
        }
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    bool IsOpen() const { return m_hIconv != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [*in, *in + *inLeft) as fits; the iconv error code, or 0 when all of
    // the input was converted.
    int Convert(const char** in, std::size_t* inLeft, char** out, std::size_t* outLeft) {
        iconv(m_hIconv, nullptr, nullptr, nullptr, nullptr);
        // glibc declares the input as char** although it never writes through it.
        char** source = const_cast<char**>(in);
        const std::size_t converted = iconv(m_hIconv, source, inLeft, out, outLeft);
        return converted == static_cast<std::size_t>(-1) ? errno : 0;
    }

private:
    iconv_t m_hIconv;
};

// "CP932" is glibc's name for windows-31j (NEC and IBM extensions, U+FF5E for 0x81 0x60).
// The first-use guards' other paths (another thread, a constructor that throws) never occur.
CConverter& Utf8ToCp932Converter() {
    static CConverter converter("CP932", "UTF-8"); // GCOVR_EXCL_BR_LINE
    return converter;
}

CConverter& Cp932ToUtf8Converter() {
    static CConverter converter("UTF-8", "CP932"); // GCOVR_EXCL_BR_LINE
    return converter;
}

// How far a UTF-8 sequence starting at `p` is well-formed: `m_nLength` bytes, the whole
// character when `m_bComplete`. A length of 0 means the first byte can begin no character.
struct CUtf8Step {
    std::size_t m_nLength;
    bool m_bComplete;
};

CUtf8Step ScanUtf8(const unsigned char* p, std::size_t available) {
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        return {1, true};
    }
    std::size_t need = 0;
    // The second byte's range excludes overlong forms, surrogates and values above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {0, false};
    }
    std::size_t i = 1;
    for (; i < need && i < available; ++i) {
        if (p[i] < low || p[i] > high) {
            return {i, false};
        }
        low = 0x80;
        high = 0xBF;
    }
    return {i, i == need};
}

bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

const unsigned char* Bytes(const char* p) {
    return reinterpret_cast<const unsigned char*>(p);
}

// Length of the longest run of complete, well-formed UTF-8 characters at the start of `in`.
std::size_t WellFormedRun(const char* in, std::size_t size) {
    std::size_t pos = 0;
    while (pos < size) {
        const CUtf8Step step = ScanUtf8(Bytes(in + pos), size - pos);
        if (!step.m_bComplete) {
            break;
        }
        pos += step.m_nLength;
    }
    return pos;
}

// Converts a run of well-formed UTF-8; a character code page 932 lacks becomes the replacement.
// Stops when the output is full; false then.
bool ConvertWellFormed(const char** in, std::size_t* inLeft, char** out, std::size_t* outLeft) {
    CConverter& converter = Utf8ToCp932Converter();
    while (*inLeft > 0) {
        // Without a converter (no CP932 module, never on a test machine) ASCII passes as it is.
        if (converter.IsOpen()) { // GCOVR_EXCL_BR_LINE
            const int error = converter.Convert(in, inLeft, out, outLeft);
            if (error == 0) {
                return true;
            }
            if (error != EILSEQ) {
                return false;
            }
        }
        // *in begins a character that could not be converted. ASCII, the same in both code
        // pages, only gets here when no converter could be opened, and then passes as it is.
        // glibc reports a full output before a character it lacks; the room is checked anyway.
        if (*outLeft == 0) { // GCOVR_EXCL_BR_LINE
            return false;    // GCOVR_EXCL_LINE
        }
        const CUtf8Step step = ScanUtf8(Bytes(*in), *inLeft);
        *(*out)++ = step.m_nLength == 1 ? **in : REPLACEMENT; // GCOVR_EXCL_BR_LINE: ASCII as above
        --*outLeft;
        *in += step.m_nLength;
        *inLeft -= step.m_nLength;
    }
    return true;
}

} // namespace

bool TxtIsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t TxtCp932Cut(std::string_view text, std::size_t max) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t width = TxtIsLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
        // A lone lead byte at the very end has no trail byte to be separated from.
        if (width > text.size() - pos) {
            width = text.size() - pos;
        }
        if (width > max - pos) {
            break;
        }
        pos += width;
    }
    return pos;
}

bool TxtIsUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const CUtf8Step step = ScanUtf8(Bytes(bytes.data() + pos), bytes.size() - pos);
        if (!step.m_bComplete) {
            // Only a sequence cut short by the end of the bytes is forgiven.
            return step.m_nLength > 0 && pos + step.m_nLength == bytes.size();
        }
        pos += step.m_nLength;
    }
    return true;
}

bool TxtIsCompleteUtf8(std::string_view bytes) {
    // A line feed after the bytes turns a sequence cut off at their end into a malformed one.
    std::string ended(bytes);
    ended += '\n';
    return TxtIsUtf8(ended);
}

std::size_t TxtUtf8ToCp932(const char* in, std::size_t size, char* out, std::size_t outSize) {
    // An empty array may come without a pointer (an empty vector's data()), and iconv aborts the
    // process when handed a null output pointer, even with no room to write into.
    if (outSize == 0) {
        return 0;
    }
    const char* source = in;
    std::size_t sourceLeft = size;
    char* target = out;
    std::size_t targetLeft = outSize;
    while (sourceLeft > 0) {
        std::size_t run = WellFormedRun(source, sourceLeft);
        if (run > 0) {
            const std::size_t rest = sourceLeft - run;
            const bool done = ConvertWellFormed(&source, &run, &target, &targetLeft);
            sourceLeft = run + rest;
            if (!done) {
                break;
            }
            continue;
        }
        if (targetLeft == 0) {
            break;
        }
        // A malformed stretch (its longest well-formed prefix, or one stray byte) becomes
        // one replacement.
        const CUtf8Step bad = ScanUtf8(Bytes(source), sourceLeft);
        const std::size_t skip = bad.m_nLength == 0 ? 1 : bad.m_nLength;
        *target++ = REPLACEMENT;
        --targetLeft;
        source += skip;
        sourceLeft -= skip;
    }
    return static_cast<std::size_t>(target - out);
}

std::string TxtUtf8ToCp932(std::string_view utf8) {
    std::string result(utf8.size(), '\0');
    result.resize(TxtUtf8ToCp932(utf8.data(), utf8.size(), result.data(), result.size()));
    return result;
}

std::string TxtCp932ToUtf8(std::string_view cp932) {
    std::string result(cp932.size() * UTF8_BYTES_PER_CP932_BYTE, '\0');
    CConverter& converter = Cp932ToUtf8Converter();
    const char* source = cp932.data();
    std::size_t sourceLeft = cp932.size();
    char* target = result.data();
    std::size_t targetLeft = result.size();
    // Room never runs out: the converter writes at most three bytes per byte it takes and a
    // replacement one byte per byte or two, so at least three bytes per byte left stay free.
    while (sourceLeft > 0) {
        // Without a converter (no CP932 module, never on a test machine) ASCII passes as it is.
        if (converter.IsOpen() && // GCOVR_EXCL_BR_LINE
            converter.Convert(&source, &sourceLeft, &target, &targetLeft) == 0) {
            break;
        }
        // Whatever stopped the conversion (an unmapped pair, a stray byte, a lead byte cut off
        // at the end) is replaced as one character: a lead byte takes a valid trail byte along.
        const auto first = static_cast<unsigned char>(*source);
        std::size_t skip = 1;
        if (TxtIsLeadByte(first) && sourceLeft > 1 &&
            IsTrailByte(static_cast<unsigned char>(source[1]))) {
            skip = 2;
        }
        *target++ = first < 0x80 ? *source : REPLACEMENT; // GCOVR_EXCL_BR_LINE: as above
        --targetLeft;
        source += skip;
        sourceLeft -= skip;
    }
    result.resize(static_cast<std::size_t>(target - result.data()));
    return result;
}

std::vector<std::pair<std::string, std::string>> TxtCp932Changes(std::string_view utf8) {
    std::vector<std::pair<std::string, std::string>> changes;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const CUtf8Step step = ScanUtf8(Bytes(utf8.data() + pos), utf8.size() - pos);
        const std::size_t length = step.m_nLength == 0 ? 1 : step.m_nLength;
        const std::string character(utf8.substr(pos, length));
        pos += length;
        // ASCII is the same in both code pages; only a longer character can change.
        if (length == 1) {
            continue;
        }
        std::string back = TxtCp932ToUtf8(TxtUtf8ToCp932(character));
        const bool seen = std::any_of(changes.begin(), changes.end(), [&](const auto& change) {
            return change.first == character;
        });
        if (back != character && !seen) {
            changes.emplace_back(character, std::move(back));
        }
    }
    return changes;
}
