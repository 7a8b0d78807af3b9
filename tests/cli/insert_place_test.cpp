#include "cli/insert_place.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// What a place says: indent, declaration, line end; "-" each for a line the file does not have.
using Found = std::tuple<std::string, std::string, std::string>;

const Found NO_LINE = {"-", "-", "-"};

struct PlaceRow {
    const char* m_pszName;
    std::string m_strFile;
    std::size_t m_nLine;
    CliEncoding m_eEncoding;
    Found m_found;
};

// Rows beyond what the runs of the tool show: bytes that only look like an end, lines without
// a declaration, and the line ends and marks at the edges of a file.
const PlaceRow ROWS[] = {
    {"UnclosedCommentRunsToTheEnd", "int f(/* ;\n", 1, ENCODING_UTF8, {"", "int f(/* ;\n", "\n"}},
    {"LineCommentAtTheEnd", "int f() // ;", 1, ENCODING_UTF8, {"", "int f() // ;", "\n"}},
    // 0x83 0x7B is one character in code page 932, but '{' and a stray byte in UTF-8.
    {"TrailByteIsNoBrace", "f(\"\x83\x7B\");", 1, ENCODING_CP932, {"", "f(\"\x83\x7B\")", "\n"}},
    {"BraceAfterAStrayByte", "f(\"\x83\x7B\");", 1, ENCODING_UTF8, {"", "f(\"\x83", "\n"}},
    {"LastLineTakesLf", "a\nb\r\nint f()", 3, ENCODING_UTF8, {"", "int f()", "\n"}},
    {"EmptyFirstLineGivesLf", "\nint f()", 2, ENCODING_UTF8, {"", "int f()", "\n"}},
    {"LeadByteLastInTheFile", "int f\x83", 1, ENCODING_CP932, {"", "int f\x83", "\n"}},
    {"ByteOrderMarkStaysFirst", "\xEF\xBB\xBF int f();", 1, ENCODING_UTF8, {" ", "int f()", "\n"}},
    {"BlankLine", "  \t\r\nint f();\n", 1, ENCODING_UTF8, {"  \t", "", "\r\n"}},
    {"BlankLastLine", "int f();\n  ", 2, ENCODING_UTF8, {"  ", "", "\n"}},
    {"EmptyFile", "", 1, ENCODING_UTF8, NO_LINE},
    {"LineZero", "int f();\n", 0, ENCODING_UTF8, NO_LINE},
};

TEST(InsertPlace, FindsTheLineAndItsDeclaration) {
    for (const PlaceRow& row : ROWS) {
        InsertPlace place{};
        Found found = NO_LINE;
        if (InsertFindPlace(row.m_strFile, row.m_nLine, row.m_eEncoding, place) == 0) {
            const std::string_view file = row.m_strFile;
            found = {
                place.m_strIndent,
                std::string(file.substr(place.m_nDeclStart, place.m_nDeclEnd - place.m_nDeclStart)),
                place.m_strLineEnd};
            EXPECT_EQ(file.substr(place.m_nLineStart, place.m_nDeclStart - place.m_nLineStart),
                      place.m_strIndent)
                << row.m_pszName;
        }
        EXPECT_EQ(found, row.m_found) << row.m_pszName;
    }
}

TEST(InsertPlace, IndentsAndEndsEveryCommentLine) {
    InsertPlace place{};
    ASSERT_EQ(InsertFindPlace("x\n\tint f();\ny", 2, ENCODING_UTF8, place), 0);
    // A CR LF of the comment is one line end; a line without one still gets one.
    EXPECT_EQ(EditsApply("x\n\tint f();\ny",
                         {InsertEdit("x\n\tint f();\ny", place, "/*\r\n\n * f\n */")}),
              "x\n\t/*\n\t\n\t * f\n\t */\n\tint f();\ny");
}

} // namespace
