#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The data files' two forms and their escapes are described in README.md beside this file.

struct CRow {
    std::string m_strWhere;               // "file:line: name", to show with a failure
    std::vector<std::string> m_vecTags;   // the words in brackets behind the name
    std::string m_strInput;               // each line with its line break, escapes as written
    std::vector<std::string> m_vecResult; // escapes as written
};

// The rows of the file at `path` in file order. Throws std::runtime_error naming the line when
// the file cannot be read, holds no row or a row is not whole, so that a slip in the data fails
// the test instead of checking less.
std::vector<CRow> ReadRows(const std::string& path);

// `text` with its escapes applied, the UTF-8 text between them in code page 932 when `bCp932`.
// Throws std::runtime_error on an escape it does not know.
std::string RowText(std::string_view text, bool bCp932);

// The row's result lines as RowText gives them, each ending in a line break.
std::string RowResult(const CRow& row, bool bCp932);

// The bytes of the file at `path`; empty when it cannot be read.
std::string ReadBytes(const std::string& path);

// The files of `folder`, sorted, for a test each; throws std::runtime_error when there is none.
std::vector<std::string> RowFiles(const std::string& folder);

// A test's name for the file at `path`: its name without the extension, '-' as '_'.
std::string RowFileTestName(const std::string& path);

// A row of named fields, for inputs whose line ends and blanks must stay visible.
struct CFieldRow {
    std::string m_strWhere; // "file:line: name"
    std::map<std::string, std::string> m_mapFields;

    // The field's bytes; empty when the row leaves it out.
    std::string operator[](const std::string& field) const;
};

// The rows of the file at `path`, whose fields must be among `fields`. Throws
// std::runtime_error naming the line on anything else, a field written twice, or no row.
std::vector<CFieldRow> ReadFieldRows(const std::string& path,
                                     const std::vector<std::string>& fields);
