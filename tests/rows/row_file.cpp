#include "row_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "text/codepage.h"

namespace {

const std::string ROW_MARK = "=== ";
const std::string RESULT_MARK = "---";
// The escapes that stand for one byte, and their bytes.
constexpr std::string_view SIMPLE_ESCAPES = "\\trn0\"";
constexpr std::string_view SIMPLE_BYTES{"\\\t\r\n\0\"", 6};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw std::runtime_error(where + ": " + what);
}

// "name [tag tag]" into the row's name and tags.
void ReadHead(const std::string& head, const std::string& where, CRow& row) {
    const std::size_t open = head.empty() || head.back() != ']' ? head.npos : head.rfind(" [");
    std::istringstream tags(open == head.npos ? "" : head.substr(open + 2, head.size() - open - 3));
    for (std::string tag; tags >> tag;) {
        row.m_vecTags.push_back(tag);
    }
    row.m_strWhere = where + ": " + head.substr(0, open);
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

std::vector<CRow> ReadRows(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        Fail(path, "cannot be read");
    }
    std::vector<CRow> rows;
    bool bInInput = false;
    int nLine = 0;
    for (std::string line; std::getline(stream, line);) {
        const std::string where = path + ":" + std::to_string(++nLine);
        if (line.rfind(ROW_MARK, 0) == 0) {
            if (bInInput) {
                Fail(where, "the row above has no " + RESULT_MARK + " line");
            }
            rows.emplace_back();
            ReadHead(line.substr(ROW_MARK.size()), where, rows.back());
            bInInput = true;
        } else if (bInInput) {
            if (line == RESULT_MARK) {
                bInInput = false;
            } else {
                rows.back().m_strInput += line + "\n";
            }
        } else if (!line.empty() && line[0] != '#') {
            if (rows.empty()) {
                Fail(where, "text before the first row");
            }
            rows.back().m_vecResult.push_back(line);
        }
    }
    if (bInInput || rows.empty()) {
        Fail(path, bInInput ? "the last row has no " + RESULT_MARK + " line" : "no row");
    }
    return rows;
}

std::string RowText(std::string_view text, bool bCp932) {
    std::string out;
    std::string run; // text between escapes, converted as a whole
    const auto flush = [&] {
        out += bCp932 ? TxtUtf8ToCp932(run) : run;
        run.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            run += text[i];
            continue;
        }
        const char escape = i + 1 < text.size() ? text[++i] : '\0';
        const std::size_t simple = SIMPLE_ESCAPES.find(escape);
        if (simple != std::string_view::npos) {
            run += SIMPLE_BYTES[simple];
        } else if (escape == 'x' && i + 2 < text.size() && IsHexDigit(text[i + 1]) &&
                   IsHexDigit(text[i + 2])) {
            flush();
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else if (escape != '\n') {
            throw std::runtime_error("unknown escape in: " + std::string(text));
        }
    }
    flush();
    return out;
}

std::string RowResult(const CRow& row, bool bCp932) {
    std::string result;
    for (const std::string& line : row.m_vecResult) {
        result += RowText(line, bCp932) + "\n";
    }
    return result;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> RowFiles(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.push_back(entry.path().string());
    }
    if (files.empty()) {
        Fail(folder, "no data file");
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string RowFileTestName(const std::string& path) {
    std::string name = std::filesystem::path(path).stem().string();
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

std::string CFieldRow::operator[](const std::string& field) const {
    const auto found = m_mapFields.find(field);
    return found == m_mapFields.end() ? std::string() : found->second;
}

std::vector<CFieldRow> ReadFieldRows(const std::string& path,
                                     const std::vector<std::string>& fields) {
    std::ifstream stream(path, std::ios::binary);
    std::vector<CFieldRow> rows;
    int nLine = 0;
    for (std::string line; std::getline(stream, line);) {
        const std::string where = path + ":" + std::to_string(++nLine);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            rows.push_back({where + ": " + line.substr(1, line.size() - 2), {}});
            continue;
        }
        const std::string field = line.substr(0, line.find(' '));
        const std::size_t open = line.find('"');
        if (rows.empty() || std::find(fields.begin(), fields.end(), field) == fields.end() ||
            line.find_first_not_of(' ', field.size()) != open || open + 1 == line.size() ||
            line.back() != '"' ||
            !rows.back()
                 .m_mapFields
                 .emplace(field, RowText(line.substr(open + 1, line.size() - open - 2), false))
                 .second) {
            Fail(where, "neither a row's name nor a new field of it: " + line);
        }
    }
    if (rows.empty()) {
        Fail(path, "no row");
    }
    return rows;
}
