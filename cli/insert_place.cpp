#include "cli/insert_place.h"

#include "text/codepage.h"

#include <algorithm>

namespace {

constexpr std::string_view BLOCK_OPEN = "/*";
constexpr std::string_view BLOCK_CLOSE = "*/";
constexpr std::string_view LINE_COMMENT = "//";
// Marks a UTF-8 file at its very start; it stays there, so the comment goes after it.
constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";

bool StartsWith(std::string_view text, std::size_t at, std::string_view start) {
    return text.compare(at, start.size(), start) == 0;
}

// The line end a line gets when its own is missing: the file's first, or LF in a file of one line.
const char* FirstLineEnd(std::string_view file) {
    const std::size_t lineFeed = file.find('\n');
    return lineFeed != std::string_view::npos && lineFeed > 0 && file[lineFeed - 1] == '\r' ? "\r\n"
                                                                                            : "\n";
}

// The first ';' or '{' from `from` on that no comment holds, or the end of the file. Neither
// "*/" nor a line feed can be part of a double-byte character in either encoding, but in code
// page 932 '{' can be a trail byte, so double-byte characters are stepped over whole.
std::size_t DeclarationEnd(std::string_view file, std::size_t from, CliEncoding encoding) {
    std::size_t at = from;
    while (at < file.size()) {
        if (StartsWith(file, at, BLOCK_OPEN)) {
            const std::size_t close = file.find(BLOCK_CLOSE, at + BLOCK_OPEN.size());
            at = close == std::string_view::npos ? file.size() : close + BLOCK_CLOSE.size();
        } else if (StartsWith(file, at, LINE_COMMENT)) {
            at = std::min(file.find('\n', at), file.size());
        } else if (file[at] == ';' || file[at] == '{') {
            return at;
        } else {
            const bool pair = encoding == ENCODING_CP932 &&
                              TxtIsLeadByte(static_cast<unsigned char>(file[at])) &&
                              at + 1 < file.size();
            at += pair ? 2 : 1;
        }
    }
    return file.size();
}

} // namespace

std::size_t InsertLineCount(std::string_view file) {
    const auto lineFeeds = static_cast<std::size_t>(std::count(file.begin(), file.end(), '\n'));
    return lineFeeds + (!file.empty() && file.back() != '\n' ? 1 : 0);
}

int InsertFindPlace(std::string_view file, std::size_t line, CliEncoding encoding,
                    InsertPlace& place) {
    if (line == 0 || line > InsertLineCount(file)) {
        return -1;
    }
    std::size_t start = encoding == ENCODING_UTF8 && file.substr(0, UTF8_BOM.size()) == UTF8_BOM
                            ? UTF8_BOM.size()
                            : 0;
    for (std::size_t passed = 1; passed < line; ++passed) {
        start = file.find('\n', start) + 1;
    }
    const std::size_t indentEnd = std::min(file.find_first_not_of(" \t", start), file.size());
    const std::size_t lineFeed = file.find('\n', start);
    const std::size_t lineEnd = std::min(lineFeed, file.size());
    const bool crlf =
        lineFeed != std::string_view::npos && lineFeed > start && file[lineFeed - 1] == '\r';

    place.m_nLineStart = start;
    place.m_strIndent.assign(file.substr(start, indentEnd - start));
    place.m_strLineEnd = lineFeed == std::string_view::npos ? FirstLineEnd(file)
                         : crlf                             ? "\r\n"
                                                            : "\n";
    // A line of nothing but blanks holds no declaration.
    const bool blank = indentEnd >= lineEnd || (crlf && indentEnd + 1 == lineEnd);
    place.m_nDeclStart = indentEnd;
    place.m_nDeclEnd = blank ? indentEnd : DeclarationEnd(file, indentEnd, encoding);
    return 0;
}

CLineEdit InsertEdit(std::string_view file, const InsertPlace& place, std::string_view comment) {
    const std::size_t lineStart =
        file.rfind('\n', place.m_nLineStart == 0 ? 0 : place.m_nLineStart - 1);
    const std::size_t first =
        place.m_nLineStart == 0 || lineStart == std::string_view::npos ? 0 : lineStart + 1;
    CLineEdit edit{static_cast<std::size_t>(std::count(file.begin(), file.begin() + first, '\n')),
                   0, std::string(file.substr(first, place.m_nLineStart - first))};
    for (std::size_t from = 0; from < comment.size();) {
        const std::size_t lineFeed = std::min(comment.find('\n', from), comment.size());
        std::size_t end = lineFeed;
        if (end > from && comment[end - 1] == '\r') {
            --end;
        }
        edit.m_strText += place.m_strIndent;
        edit.m_strText.append(comment.substr(from, end - from));
        edit.m_strText += place.m_strLineEnd;
        from = lineFeed + 1;
    }
    // What stood before the comment on its line (a byte order mark) keeps its place: the line
    // itself is rewritten after the comment.
    if (first < place.m_nLineStart) {
        const std::size_t lineEnd =
            std::min(file.find('\n', place.m_nLineStart), file.size() - 1) + 1;
        edit.m_strText.append(file.substr(place.m_nLineStart, lineEnd - place.m_nLineStart));
        edit.m_nCount = 1;
    }
    return edit;
}
