#include "header/header_paste.h"

#include "format/format_read.h"
#include "header/header_comment.h"
#include "header/header_update.h"
#include "header/header_values.h"
#include "text/codepage.h"

#include <algorithm>

namespace {

constexpr std::string_view BLANKS = " \t";

// What PastedComment gives when memory ran out while a comment was read back.
constexpr std::size_t PASTE_NO_MEMORY = static_cast<std::size_t>(-1);

struct CLine {
    std::size_t m_nStart;
    std::string_view m_strText; // without its line end
};

std::vector<CLine> SplitLines(std::string_view text) {
    std::vector<CLine> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t lineFeed = std::min(text.find('\n', from), text.size());
        std::string_view line = text.substr(from, lineFeed - from);
        line.remove_suffix(!line.empty() && line.back() == '\r' ? 1 : 0);
        lines.push_back({from, line});
        from = lineFeed + 1;
    }
    return lines;
}

// The number of lines the comment at the start of `lines` has, the first not blank, each
// beginning with the blanks the line after it begins with: the longest such run that reads back
// and leaves a declaration after it. 0 when there is none, PASTE_NO_MEMORY when a reading could
// not be checked for want of memory.
std::size_t PastedComment(CHeaderReader& reader, std::string_view pasted,
                          const std::vector<CLine>& lines, CHeaderReading& reading) {
    std::size_t first = 0;
    while (first < lines.size() &&
           lines[first].m_strText.find_first_not_of(BLANKS) == std::string_view::npos) {
        ++first;
    }
    const std::size_t most =
        std::min(lines.size() - std::min(lines.size(), first + 1), HEADER_COMMENT_LINES_MAX);
    for (std::size_t count = most; count > 0; --count) {
        const std::string_view next = lines[first + count].m_strText;
        const std::string_view indent =
            next.substr(0, std::min(next.find_first_not_of(BLANKS), next.size()));
        std::string comment;
        bool bIndented = true;
        for (std::size_t i = first; i < first + count && bIndented; ++i) {
            bIndented = lines[i].m_strText.substr(0, indent.size()) == indent;
            comment.append(
                lines[i].m_strText.substr(std::min(indent.size(), lines[i].m_strText.size())));
            comment += '\n';
        }
        // A comment is only taken off a declaration: a paste of comment lines alone stays whole.
        std::string rest;
        const std::size_t restStart = lines[first + count].m_nStart;
        const ReadBackResult result =
            bIndented ? reader.Read(comment, {}, reading) : ReadBackResult::NoMatch;
        if (result == ReadBackResult::NoMemory) {
            return PASTE_NO_MEMORY;
        }
        if (result == ReadBackResult::Read &&
            HeaderCleanPaste(pasted.substr(restStart), rest) == PasteResult::Done &&
            rest.find_first_not_of(' ') != std::string::npos) {
            return first + count;
        }
    }
    return 0;
}

} // namespace

PasteResult HeaderPaste(std::string_view pasted, const char* pszFormatPath,
                        const CAnalysisChoice& choice, CPasteBoxes& boxes) {
    pasted = pasted.substr(0, TxtCp932Cut(pasted, PASTE_READ_MAX));
    CFormatText format;
    CHeaderReading reading;
    std::size_t commentLines = 0;
    const std::vector<CLine> lines = SplitLines(pasted);
    if (format.Load(pszFormatPath) == 0) { // no path or an empty one loads nothing
        CHeaderReader reader(format);
        commentLines = PastedComment(reader, pasted, lines, reading);
    }
    if (commentLines == PASTE_NO_MEMORY) {
        return PasteResult::NoMemory;
    }
    const std::string_view rest =
        commentLines == 0 ? pasted
                          : pasted.substr(std::min(lines[commentLines].m_nStart, pasted.size()));
    CPasteBoxes pasteBoxes;
    if (HeaderCleanPaste(rest, pasteBoxes.m_strDeclaration, choice.m_bTidy) != PasteResult::Done) {
        return PasteResult::NoMemory;
    }
    if (commentLines > 0) {
        for (const HeaderKey key : {HeaderKey::Title, HeaderKey::RetText}) {
            pasteBoxes.m_vecDescriptions.push_back(
                {HeaderKeyIndex(key), reading.m_astrValues[HeaderKeyIndex(key)]});
        }
        // The descriptions go to the rows Analyse will put their arguments in.
        CHeaderAnalysis analysis;
        const AnalyzeResult analyzed = analysis.Analyze(pasteBoxes.m_strDeclaration, choice);
        if (analyzed == AnalyzeResult::NoMemory) {
            return PasteResult::NoMemory; // the descriptions read back would have no rows
        }
        if (analyzed == AnalyzeResult::Done) {
            const CHeaderUpdate update = HeaderUpdate(reading, analysis.BoxValues(HEADER_ARG_ROWS));
            for (int row = 1; row <= HEADER_ARG_ROWS; ++row) {
                const int key = HeaderArgKeyIndex(row, ArgPart::Text);
                pasteBoxes.m_vecDescriptions.push_back({key, update.m_astrValues[key]});
            }
        }
    }
    boxes = std::move(pasteBoxes);
    return PasteResult::Done;
}
