#include "cli/file_edits.h"

#include <algorithm>

namespace {

// Lines of unchanged text shown around a change, as diff -u shows them.
constexpr std::size_t CONTEXT_LINES = 3;
// What diff writes after a line that has no line end; the patch tools expect these words.
constexpr std::string_view NO_LINE_END = "\n\\ No newline at end of file\n";

using Lines = std::vector<std::string_view>;

void AppendLines(std::string& diff, char mark, const Lines& lines, std::size_t from,
                 std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        diff += mark;
        diff.append(lines[i]);
        if (lines[i].back() != '\n') {
            diff.append(NO_LINE_END);
        }
    }
}

// The range of a hunk's header: where it starts, from 1, and how many lines it has. An empty
// range names the line before it, as diff does.
std::string HunkRange(std::size_t first, std::size_t count) {
    return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

} // namespace

Lines EditsSplitLines(std::string_view text) {
    Lines lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = std::min(text.find('\n', from), text.size() - 1) + 1;
        lines.push_back(text.substr(from, end - from));
        from = end;
    }
    return lines;
}

std::string EditsApply(std::string_view file, const std::vector<CLineEdit>& edits) {
    const Lines lines = EditsSplitLines(file);
    std::string result;
    result.reserve(file.size());
    std::size_t next = 0;
    for (const CLineEdit& edit : edits) {
        for (; next < edit.m_nFirst; ++next) {
            result.append(lines[next]);
        }
        result += edit.m_strText;
        next = edit.m_nFirst + edit.m_nCount;
    }
    for (; next < lines.size(); ++next) {
        result.append(lines[next]);
    }
    return result;
}

std::string EditsDiff(const std::string& path, std::string_view file,
                      const std::vector<CLineEdit>& edits) {
    if (edits.empty()) {
        return {};
    }
    const Lines old = EditsSplitLines(file);
    std::string diff = "--- " + path + "\n+++ " + path + "\n";
    // How far the new file's line numbers have moved from the old one's before the hunk.
    std::ptrdiff_t shift = 0;
    for (std::size_t first = 0; first < edits.size();) {
        // Edits whose unchanged lines between them would be shown anyway share one hunk.
        std::size_t last = first;
        while (last + 1 < edits.size() &&
               edits[last + 1].m_nFirst - (edits[last].m_nFirst + edits[last].m_nCount) <=
                   2 * CONTEXT_LINES) {
            ++last;
        }
        const std::size_t start =
            edits[first].m_nFirst - std::min(edits[first].m_nFirst, CONTEXT_LINES);
        const std::size_t end =
            std::min(edits[last].m_nFirst + edits[last].m_nCount + CONTEXT_LINES, old.size());
        std::string body;
        std::size_t added = 0;
        std::size_t at = start;
        for (std::size_t i = first; i <= last; ++i) {
            const CLineEdit& edit = edits[i];
            AppendLines(body, ' ', old, at, edit.m_nFirst);
            AppendLines(body, '-', old, edit.m_nFirst, edit.m_nFirst + edit.m_nCount);
            const Lines now = EditsSplitLines(edit.m_strText);
            AppendLines(body, '+', now, 0, now.size());
            added += now.size();
            at = edit.m_nFirst + edit.m_nCount;
        }
        AppendLines(body, ' ', old, at, end);
        std::size_t removed = 0;
        for (std::size_t i = first; i <= last; ++i) {
            removed += edits[i].m_nCount;
        }
        const std::size_t oldCount = end - start;
        const std::size_t newCount = oldCount - removed + added;
        diff += "@@ -" + HunkRange(start, oldCount) + " +" +
                HunkRange(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(start) + shift),
                          newCount) +
                " @@\n" + body;
        shift += static_cast<std::ptrdiff_t>(added) - static_cast<std::ptrdiff_t>(removed);
        first = last + 1;
    }
    return diff;
}
