#include "cli/insert_diff.h"

#include <algorithm>
#include <vector>

namespace {

// Lines of unchanged text shown around the change, as diff -u shows them.
constexpr std::size_t CONTEXT_LINES = 3;
// What diff writes after a line that has no line end; the patch tools expect these words.
constexpr std::string_view NO_LINE_END = "\n\\ No newline at end of file\n";

using Lines = std::vector<std::string_view>;

// The lines of `text`, each with its line end.
Lines SplitLines(std::string_view text) {
    Lines lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = std::min(text.find('\n', from), text.size() - 1) + 1;
        lines.push_back(text.substr(from, end - from));
        from = end;
    }
    return lines;
}

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

} // namespace

std::string InsertDiff(const std::string& path, std::string_view before, std::string_view after) {
    const Lines old = SplitLines(before);
    const Lines now = SplitLines(after);
    const std::size_t shorter = std::min(old.size(), now.size());
    std::size_t same = 0; // lines equal at the start
    while (same < shorter && old[same] == now[same]) {
        ++same;
    }
    if (same == old.size() && same == now.size()) {
        return {};
    }
    std::size_t tail = 0; // lines equal at the end, not overlapping those at the start
    while (tail < shorter - same && old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    const std::size_t first = same > CONTEXT_LINES ? same - CONTEXT_LINES : 0;
    const std::size_t oldEnd = old.size() - tail;
    const std::size_t nowEnd = now.size() - tail;
    const std::size_t contextAfter = std::min(tail, CONTEXT_LINES);

    std::string diff = "--- " + path + "\n+++ " + path + "\n";
    diff += "@@ -" + std::to_string(first + 1) + "," +
            std::to_string(oldEnd + contextAfter - first) + " +" + std::to_string(first + 1) + "," +
            std::to_string(nowEnd + contextAfter - first) + " @@\n";
    AppendLines(diff, ' ', old, first, same);
    AppendLines(diff, '-', old, same, oldEnd);
    AppendLines(diff, '+', now, same, nowEnd);
    AppendLines(diff, ' ', old, oldEnd, oldEnd + contextAfter);
    return diff;
}
