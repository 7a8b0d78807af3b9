#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <string>
#include <vector>

// Rows of a test's data file. A row begins with its name in brackets on a line of its own; each
// of its fields is a line with the field's name and its bytes in double quotes, written as in a C
// string literal where a byte is no plain text (\n \r \t \0 \\ \" \xHH), so that line ends and
// blanks at a line's end stay visible and survive any editor. Blank lines and lines beginning
// with '#' are comments.
struct CDataRow {
    std::string m_strName; // and where the row stands, for a failure to point at
    std::map<std::string, std::string> m_mapFields;

    // The field's bytes; empty when the row leaves it out.
    std::string operator[](const std::string& field) const {
        const auto found = m_mapFields.find(field);
        return found == m_mapFields.end() ? std::string() : found->second;
    }
};

// The bytes a quoted field's text stands for; a fault in it fails the test at `where`.
inline std::string DataUnescape(const std::string& text, const std::string& where) {
    static const std::map<char, char> simple = {{'n', '\n'}, {'r', '\r'},  {'t', '\t'},
                                                {'0', '\0'}, {'\\', '\\'}, {'"', '"'}};
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
        } else if (simple.count(text[++i]) != 0) {
            bytes += simple.at(text[i]);
        } else if (text[i] == 'x' && i + 2 < text.size() &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            ADD_FAILURE() << where << ": unknown escape \\" << text[i];
        }
    }
    return bytes;
}

// The rows of the file at `path`, whose fields must be among `fields`.
inline std::vector<CDataRow> ReadDataRows(const std::string& path,
                                          const std::vector<std::string>& fields) {
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << path;
    std::vector<CDataRow> rows;
    std::string line;
    for (int nLine = 1; std::getline(file, line); ++nLine) {
        const std::string where = path + ":" + std::to_string(nLine);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            rows.push_back({line.substr(1, line.size() - 2) + " (" + where + ")", {}});
            continue;
        }
        const std::string field = line.substr(0, line.find(' '));
        const std::size_t open = line.find('"');
        const bool bKnown = std::find(fields.begin(), fields.end(), field) != fields.end();
        if (rows.empty() || !bKnown || line.find_first_not_of(' ', field.size()) != open ||
            open + 1 == line.size() || line.back() != '"' ||
            !rows.back()
                 .m_mapFields
                 .emplace(field, DataUnescape(line.substr(open + 1, line.size() - open - 2), where))
                 .second) {
            ADD_FAILURE() << where << ": neither a row's name nor a new field of it: " << line;
        }
    }
    EXPECT_FALSE(rows.empty()) << path;
    return rows;
}
