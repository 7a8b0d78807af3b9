#include "cli/insert_diff.h"

#include <algorithm>
#include <vector>

namespace {

// Lines of unchanged text shown around the change, as diff -u shows them.
constexpr std::size_t CONTEXT_LINES = 3;
// What diff writes after a line that has no line end; the patch tools expect these words.
constexpr std::string_view NO_LINE_END = "\n\\ No newline at end of file\n";

// The lines of `text`, each with its line end.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = std::min(text.find('\n', from), text.size() - 1) + 1;
        lines.push_back(text.substr(from, end - from));
        from = end;
    }
    return lines;
}

void AppendLine(std::string& diff, char mark, std::string_view line) {
    diff += mark;
    diff.append(line);
    if (line.back() != '\n') {
        diff.append(NO_LINE_END);
    }
}

} // namespace

std::string InsertDiff(const std::string& path, std::string_view file, std::size_t line,
                       std::string_view inserted) {
    const std::vector<std::string_view> old = Lines(file);
    const std::vector<std::string_view> added = Lines(inserted);
    const std::size_t at = line - 1; // index of the line the insertion goes before
    const std::size_t first = at > CONTEXT_LINES ? at - CONTEXT_LINES : 0;
    const std::size_t last = std::min(at + CONTEXT_LINES, old.size()); // one past the context
    const std::size_t count = last - first;

    std::string diff = "--- " + path + "\n+++ " + path + "\n";
    diff += "@@ -" + std::to_string(first + 1) + "," + std::to_string(count) + " +" +
            std::to_string(first + 1) + "," + std::to_string(count + added.size()) + " @@\n";
    for (std::size_t i = first; i < at; ++i) {
        AppendLine(diff, ' ', old[i]);
    }
    for (const std::string_view addedLine : added) {
        AppendLine(diff, '+', addedLine);
    }
    for (std::size_t i = at; i < last; ++i) {
        AppendLine(diff, ' ', old[i]);
    }
    return diff;
}
