#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Changes of whole lines that one run makes in a file: comments inserted above a line, or a run
// of comment lines replaced. Every other byte of the file stays as it is.
struct CLineEdit {
    std::size_t m_nFirst;  // the first line replaced, from 0; an insertion goes before it
    std::size_t m_nCount;  // lines replaced: 0 for an insertion
    std::string m_strText; // what stands there afterwards: whole lines, each with its line end
};

// The lines of `text`, each with its line end; a last line without one is a line too.
std::vector<std::string_view> EditsSplitLines(std::string_view text);

// `file` with `edits` applied; the edits are in file order and do not overlap.
std::string EditsApply(std::string_view file, const std::vector<CLineEdit>& edits);

// The edits as a unified diff of `file`, as `diff -u` writes it and `patch` takes it: `path`
// naming both sides, three lines of context, hunks closer than twice that joined. Empty when
// there is no edit.
std::string EditsDiff(const std::string& path, std::string_view file,
                      const std::vector<CLineEdit>& edits);
