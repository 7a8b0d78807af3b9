#include "source/source_functions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "row_file.h"

namespace {

// The functions found, a line each, as data/README.md shows them.
std::string Describe(const std::vector<CSourceFunction>& functions) {
    std::string text = functions.empty() ? "none\n" : "";
    for (const CSourceFunction& function : functions) {
        text += function.m_strName + " " + std::to_string(function.m_nFirstLine) + "-" +
                std::to_string(function.m_nLastLine) + " " + std::to_string(function.m_nNameLine) +
                ":" + std::to_string(function.m_nNameColumn);
        if (function.m_nCommentFirstLine != 0) {
            text += " /" + std::to_string(function.m_nCommentFirstLine);
        }
        text += function.m_bDefinition ? "\n" : " decl\n";
    }
    return text;
}

class SourceRows : public testing::TestWithParam<std::string> {};

TEST_P(SourceRows, FindTheFunctionsTheFileSays) {
    for (const CRow& row : ReadRows(GetParam())) {
        SCOPED_TRACE(row.m_strWhere);
        const auto tagged = [&](const char* tag) {
            return std::find(row.m_vecTags.begin(), row.m_vecTags.end(), tag) !=
                   row.m_vecTags.end();
        };
        const bool bCp932 = tagged("cp932");
        const bool bDeclarations = tagged("declarations");
        ASSERT_EQ(row.m_vecTags.size(), std::size_t{bCp932} + bDeclarations) << "unknown tag";
        // The first wrong row ends the file: a fault that loops on a later row must not hide it.
        ASSERT_EQ(Describe(SourceFindFunctions(
                      RowText(row.m_strInput, bCp932),
                      bCp932 ? SourceEncoding::Cp932 : SourceEncoding::Utf8, bDeclarations)),
                  RowResult(row, bCp932));
    }
}

INSTANTIATE_TEST_SUITE_P(File, SourceRows, testing::ValuesIn(RowFiles(SOURCE_TEST_DATA)),
                         [](const auto& info) { return RowFileTestName(info.param); });

// The file inside `depth` nested groups.
std::string Nested(std::size_t depth) {
    std::string file = "int f() {}\n";
    for (; depth > 0; --depth) {
        file = "#if A\n" + file + "#endif\n";
    }
    return file;
}

// Each tracked group holds copies of the state; deeper ones would cost memory for nothing a real
// file has.
TEST(SourceFindFunctions, SkipsGroupsNestedDeeperThanTracked) {
    EXPECT_EQ(Describe(SourceFindFunctions(Nested(256), SourceEncoding::Utf8, false)),
              "f 257-257 257:5\n");
    EXPECT_EQ(Describe(SourceFindFunctions(Nested(257), SourceEncoding::Utf8, false)), "none\n");
}

TEST(SourceFindFunctions, SpansTheDeclaration) {
    const std::string file = "  Foo::Foo(int a)\n    : m_a{a} {\n}\nint g();\n";
    const std::vector<CSourceFunction> found =
        SourceFindFunctions(file, SourceEncoding::Utf8, true);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found[0].m_nFirstOffset, 0U);
    EXPECT_EQ(file.substr(found[0].m_nDeclStart, found[0].m_nDeclEnd - found[0].m_nDeclStart),
              "Foo::Foo(int a)\n    : m_a{a} ");
    EXPECT_EQ(file.substr(found[0].m_nLastOffset - 1, 2) + file[found[1].m_nDeclEnd], "}\n;");
}

TEST(SourceFunctionAt, FindsTheFunctionHoldingALine) {
    const std::vector<CSourceFunction> functions =
        SourceFindFunctions("// a\n// a\nint a()\n{\n}\n\nint b() {}\nint c() {} int d() {}\n",
                            SourceEncoding::Utf8, false);
    // line, index
    const int rows[][2] = {{1, 0}, {3, 0}, {5, 0}, {6, -1}, {7, 1}, {8, 2}, {9, -1}, {0, -1}};
    for (const auto& [line, index] : rows) {
        EXPECT_EQ(SourceFunctionAt(functions, static_cast<std::size_t>(line)), index) << line;
    }
}

} // namespace
