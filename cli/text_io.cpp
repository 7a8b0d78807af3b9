#include "cli/text_io.h"

#include "cli/exit_status.h"
#include "cli/report.h"
#include "header/messages.h"
#include "text/codepage.h"

#include <algorithm>
#include <cctype>

namespace {
// Bytes asked for per read; a declaration is far shorter, so one read usually does.
constexpr std::size_t READ_CHUNK = 4096;
// Every byte sequence that is no code page 932 character comes back as one '?', and '?' can be
// no part of a double-byte character, so a conversion that adds a '?' met such a sequence.
bool IsCp932Text(std::string_view text) {
    const std::string utf8 = TxtCp932ToUtf8(text);
    return std::count(utf8.begin(), utf8.end(), '?') == std::count(text.begin(), text.end(), '?');
}

} // namespace

const char* CliEncodingName(CliEncoding encoding) {
    return encoding == ENCODING_CP932 ? "cp932" : "utf-8";
}

CliEncoding CliOtherEncoding(CliEncoding encoding) {
    return encoding == ENCODING_CP932 ? ENCODING_UTF8 : ENCODING_CP932;
}

CliEncoding CliCodesetEncoding(std::string_view codeset) {
    // The names the C library gives the two forms, compared without case or separators.
    static const char* const CP932_NAMES[] = {"SHIFTJIS", "SJIS", "CP932", "WINDOWS31J", "MS932"};
    std::string name;
    for (const char ch : codeset) {
        if (ch != '-' && ch != '_') {
            name += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        }
    }
    const bool cp932 = std::any_of(std::begin(CP932_NAMES), std::end(CP932_NAMES),
                                   [&](const char* known) { return name == known; });
    return cp932 ? ENCODING_CP932 : ENCODING_UTF8;
}

std::string CliChangedCharacters(std::string_view text, CliEncoding encoding) {
    std::string listed;
    if (encoding != ENCODING_UTF8) {
        return listed;
    }
    for (const auto& [from, to] : TxtCp932Changes(text)) {
        listed += (listed.empty() ? "「" : "、「") + from + "」→「" + to + "」";
    }
    return listed;
}

void CliNoteChangedCharacters(const std::string& what, std::string_view text,
                              CliEncoding encoding) {
    if (const std::string changed = CliChangedCharacters(text, encoding); !changed.empty()) {
        std::fprintf(stderr, "veldane-header: %s\n",
                     CliPrintf(MSG_CHARACTERS_CHANGED, what.c_str(), changed.c_str()).c_str());
    }
}

bool CliIsText(std::string_view text, CliEncoding encoding, bool cutShort) {
    if (encoding == ENCODING_UTF8 && cutShort) {
        return TxtIsUtf8(text);
    }
    if (encoding == ENCODING_UTF8) {
        return TxtIsCompleteUtf8(text);
    }
    if (cutShort && !text.empty()) {
        text = text.substr(0, TxtCp932Cut(text, text.size() - 1));
    }
    return IsCp932Text(text);
}

std::size_t CliFirstLineNotText(std::string_view text, CliEncoding encoding) {
    // No character of either encoding holds a line feed byte, so lines can be judged alone.
    std::size_t lineNo = 1;
    for (std::size_t from = 0; from < text.size(); ++lineNo) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        if (!CliIsText(text.substr(from, end - from), encoding)) {
            return lineNo;
        }
        from = end + 1;
    }
    return 0;
}

namespace {

// The number of the first line (from 1) that is text in neither encoding, or 0.
std::size_t FirstLineInNeither(std::string_view text) {
    std::size_t lineNo = 1;
    for (std::size_t from = 0; from < text.size(); ++lineNo) {
        const std::size_t end = std::min(text.find('\n', from), text.size());
        const std::string_view line = text.substr(from, end - from);
        if (!CliIsText(line, ENCODING_UTF8) && !CliIsText(line, ENCODING_CP932)) {
            return lineNo;
        }
        from = end + 1;
    }
    return 0;
}

} // namespace

int CliCheckFileText(const std::string& path, std::string_view text, CliEncoding encoding) {
    const std::size_t bad = CliFirstLineNotText(text, encoding);
    if (bad == 0) {
        return EXIT_DONE;
    }
    const CliEncoding other = CliOtherEncoding(encoding);
    if (CliFirstLineNotText(text, other) == 0) {
        return CliFail(EXIT_ENCODING, MSG_FILE_ENCODING, path.c_str(), bad,
                       CliEncodingName(encoding), CliEncodingName(other));
    }
    // Neither encoding reads the whole file: a line that is neither, or lines of both kinds,
    // where the other encoding would only fail elsewhere.
    if (const std::size_t neither = FirstLineInNeither(text); neither != 0) {
        return CliFail(EXIT_ENCODING, MSG_FILE_NEITHER, path.c_str(), neither);
    }
    return CliFail(EXIT_ENCODING, MSG_FILE_MIXED, path.c_str(), bad, CliEncodingName(encoding));
}

std::string CliToCp932(std::string_view text, CliEncoding encoding) {
    if (encoding == ENCODING_CP932) {
        return TxtUtf8ToCp932(TxtCp932ToUtf8(text));
    }
    return TxtUtf8ToCp932(text);
}

std::string CliFromCp932(std::string_view cp932, CliEncoding encoding, bool crlf) {
    // CR and LF are never the second byte of a double-byte character, so the line ends can be
    // handled before or after the conversion alike.
    // Its other branches are the cleanup of an exception.
    std::string text = encoding == ENCODING_UTF8 ? TxtCp932ToUtf8(cp932)
                                                 : std::string(cp932); // GCOVR_EXCL_BR_LINE
    if (!crlf) {
        std::string::size_type to = 0;
        for (std::string::size_type from = 0; from < text.size(); ++from) {
            const bool crBeforeLf =
                text[from] == '\r' && from + 1 < text.size() && text[from + 1] == '\n';
            if (!crBeforeLf) {
                text[to++] = text[from];
            }
        }
        text.resize(to);
    }
    return text;
}

bool CliReadStream(std::FILE* stream, std::size_t limit, std::string& text) {
    text.clear();
    char chunk[READ_CHUNK];
    while (text.size() < limit) {
        const std::size_t want = std::min(sizeof chunk, limit - text.size());
        const std::size_t got = std::fread(chunk, 1, want, stream);
        text.append(chunk, got);
        if (got < want) {
            return std::ferror(stream) == 0;
        }
    }
    return true;
}

bool CliWriteStream(std::FILE* stream, std::string_view text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    // fwrite() comes up short only on a failing stream, and then fflush() fails as well.
    return std::fflush(stream) == 0 && written; // GCOVR_EXCL_BR_LINE
}
