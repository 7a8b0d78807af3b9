#include "cli/header_values.h"

#include "analyser/func_parser.h"
#include "format/field_list.h"
#include "text/codepage.h"
#include "text/txt.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

// Room for the date text: three numbers of up to 11 characters each, two slashes and the
// terminator, so that no value of the calendar fields can cut it.
constexpr std::size_t DATE_TEXT_SIZE = 3 * 11 + 2 + 1;

int KeyIndex(const char* key) {
    const auto* const end = std::end(g_apszHeaderKeys);
    const auto* const found =
        std::find_if(std::begin(g_apszHeaderKeys), end,
                     [key](const char* known) { return std::strcmp(key, known) == 0; });
    return found == end ? -1 : static_cast<int>(found - std::begin(g_apszHeaderKeys));
}

std::string ArgKey(int row, const char* part) {
    return "ARG_" + std::to_string(row) + "_" + part;
}

} // namespace

int CHeaderValues::SetDeclaration(std::string_view pasted, int& argCount) {
    // The analysed values go first, as the window empties its analysed boxes.
    argCount = 0;
    Set("FUNC", "");
    Set("RET", "");
    Set("CLASS", "");
    for (int row = 1; row <= HEADER_ARG_ROWS; ++row) {
        Set(ArgKey(row, "TYPE").c_str(), "");
        Set(ArgKey(row, "NAME").c_str(), "");
    }

    // The window's buffers: the pasted text, then the declaration box read back.
    std::vector<char> pasteBuffer(PASTE_TEXT_MAX + 1, '\0');
    std::memcpy(pasteBuffer.data(), pasted.data(), TxtCp932Cut(pasted, PASTE_TEXT_MAX));
    if (TxtCleanPasted(pasteBuffer.data()) != 0) {
        return DECL_BUFFER_ERROR;
    }
    const std::string_view cleaned(pasteBuffer.data());
    char declaration[FUNC_TEXT_SIZE] = {};
    std::memcpy(declaration, cleaned.data(), TxtCp932Cut(cleaned, BOX_TEXT_MAX));
    if (std::string_view(declaration).find_first_not_of(' ') == std::string_view::npos) {
        return DECL_EMPTY;
    }

    CFuncParser parser;
    // Running out of memory says nothing about the declaration, as in the window.
    if (const int analysed = parser.Analyze(declaration); analysed != 0) {
        return analysed == TXT_ENOMEM ? DECL_NO_MEMORY : DECL_SYNTAX_ERROR;
    }
    char name[FUNC_TEXT_SIZE] = {};
    char retType[ARG_TEXT_SIZE] = {};
    parser.GetFunc(name, retType);
    Set("FUNC", name);
    Set("RET", retType);
    if (parser.GetClassFlag() == 0) {
        char className[FUNC_TEXT_SIZE] = {};
        parser.GetOwnerClass(className);
        Set("CLASS", className);
    }
    argCount = parser.GetArgCount();
    const int rows = std::min(argCount, HEADER_ARG_ROWS);
    for (int row = 1; row <= rows; ++row) {
        char type[ARG_TEXT_SIZE] = {};
        char argName[ARG_TEXT_SIZE] = {};
        parser.GetArg(row, type, argName);
        Set(ArgKey(row, "TYPE").c_str(), type);
        Set(ArgKey(row, "NAME").c_str(), argName);
    }
    parser.Clear();
    return DECL_DONE;
}

bool CHeaderValues::Set(const char* key, std::string_view value) {
    const int index = KeyIndex(key);
    if (index < 0) {
        return false;
    }
    // A NUL ends a box's text, and a box gives at most its first BOX_TEXT_MAX bytes.
    value = value.substr(0, value.find('\0'));
    m_astrValues[index].assign(value.substr(0, TxtCp932Cut(value, BOX_TEXT_MAX)));
    return true;
}

const std::string& CHeaderValues::Get(const char* key) const {
    static const std::string empty; // GCOVR_EXCL_BR_LINE: its first-use guard's other paths
    const int index = KeyIndex(key);
    return index < 0 ? empty : m_astrValues[index];
}

int CHeaderValues::Expand(const char* path, std::string& comment) const {
    const char* values[HEADER_KEY_COUNT];
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        values[i] = m_astrValues[i].c_str();
    }
    CFieldList fields;
    HeaderAddFields(fields, values);
    std::vector<char> output(EXPAND_OUTPUT_SIZE, '\0');
    const int result = fields.ExpandFile(path, output.data());
    fields.FreeFields();
    if (result != 0) {
        return -1;
    }
    comment.assign(output.data());
    return 0;
}

std::string HeaderToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[DATE_TEXT_SIZE] = {};
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text;
}
