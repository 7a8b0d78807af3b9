#include "cli/source_file.h"

#include "cli/exit_status.h"
#include "cli/file_problem.h"
#include "cli/report.h"
#include "header/messages.h"
#include "platform/file_read.h"

#include <algorithm>

namespace {

// Marks a UTF-8 file at its very start; it stays there, and comments go after it.
constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";
constexpr std::string_view BLANKS = " \t";

// The lines of `text` without their line ends (LF, or CR LF).
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines = EditsSplitLines(text);
    for (std::string_view& line : lines) {
        line.remove_suffix(line.back() == '\n' ? 1 : 0);
        line.remove_suffix(!line.empty() && line.back() == '\r' ? 1 : 0);
    }
    return lines;
}

} // namespace

int CliSourceFile::Read(const std::string& path, CliEncoding encoding, bool bDeclarations) {
    m_strPath = path;
    m_eEncoding = encoding;
    const CliFileProblem problem = CliFindFileProblem(path);
    if (problem != FILE_OK) {
        return CliFailFile(EXIT_INSERT_FILE, problem, path, MSG_NOUN_FILE);
    }
    if (PfReadFile(path, m_strBytes) != PF_READ_DONE) {
        return CliFailFile(EXIT_INSERT_FILE, FILE_UNREADABLE, path, MSG_NOUN_FILE);
    }
    if (const int checked = CliCheckFileText(path, m_strBytes, encoding); checked != EXIT_DONE) {
        return checked;
    }
    const std::string_view bytes = m_strBytes;
    m_nBodyStart = encoding == ENCODING_UTF8 && bytes.substr(0, UTF8_BOM.size()) == UTF8_BOM
                       ? UTF8_BOM.size()
                       : 0;
    m_vecLines = SplitLines(bytes.substr(m_nBodyStart));
    m_vecLineEnds.clear();
    const char* firstEnd = nullptr;
    for (const std::string_view line : EditsSplitLines(bytes.substr(m_nBodyStart))) {
        const bool ended = line.back() == '\n';
        const char* end = ended && line.size() > 1 && line[line.size() - 2] == '\r' ? "\r\n" : "\n";
        firstEnd = firstEnd == nullptr && ended ? end : firstEnd;
        // A last line without a line end takes the file's first, or LF in a file of one line.
        m_vecLineEnds.push_back(ended ? end : firstEnd != nullptr ? firstEnd : "\n");
    }
    // The text is valid in its encoding and no character holds a line feed, so the lines stay
    // the same lines in code page 932.
    m_strCp932 = CliToCp932(bytes.substr(m_nBodyStart), encoding);
    m_vecCp932 = SplitLines(m_strCp932);
    m_vecFunctions = SourceFindFunctions(
        bytes, encoding == ENCODING_CP932 ? SourceEncoding::Cp932 : SourceEncoding::Utf8,
        bDeclarations);
    return EXIT_DONE;
}

std::string CliSourceFile::LineEnd(std::size_t nLine) const {
    return m_vecLineEnds[nLine - 1];
}

std::string_view CliSourceFile::Indent(std::size_t nLine) const {
    const std::string_view line = Line(nLine);
    return line.substr(0, std::min(line.find_first_not_of(BLANKS), line.size()));
}

std::string CliSourceFile::CommentLines(std::string_view cp932, std::size_t nLine) const {
    const std::string text = CliFromCp932(cp932, m_eEncoding, false);
    const std::string_view indent = Indent(nLine);
    const std::string lineEnd = LineEnd(nLine);
    std::string lines;
    for (const std::string_view line : SplitLines(text)) {
        lines.append(indent);
        lines.append(line);
        lines += lineEnd;
    }
    return lines;
}

std::vector<CLineEdit> CliSourceFile::WithMark(const std::vector<CLineEdit>& edits) const {
    std::vector<CLineEdit> marked = edits;
    if (m_nBodyStart == 0 || marked.empty() || marked.front().m_nFirst != 0) {
        return marked;
    }
    CLineEdit& first = marked.front();
    first.m_strText.insert(0, m_strBytes, 0, m_nBodyStart);
    // An insertion before the first line rewrites that line behind the comment.
    if (first.m_nCount == 0) {
        first.m_strText.append(
            EditsSplitLines(std::string_view(m_strBytes)).front().substr(m_nBodyStart));
        first.m_nCount = 1;
    }
    return marked;
}

std::string CliSourceFile::Edited(const std::vector<CLineEdit>& edits) const {
    return EditsApply(m_strBytes, WithMark(edits));
}

std::string CliSourceFile::Diff(const std::vector<CLineEdit>& edits) const {
    return EditsDiff(m_strPath, m_strBytes, WithMark(edits));
}
