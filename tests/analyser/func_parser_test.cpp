#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "analyser/func_parser.h"
#include "describe.h"
#include "row_file.h"

namespace {

const std::string KATA = "\x83\x7C"; // a katakana whose second byte is '|'

std::string Bytes(char ch, std::size_t n) {
    return std::string(n, ch);
}

// The getters' answers, as Describe writes them, for `declaration` analysed by a parser that
// already holds a longer result, which it must replace.
std::string Analysed(const std::string& declaration) {
    CFuncParser parser;
    EXPECT_EQ(parser.Analyze("int CPrev::g(int a, int b, int c)"), 0);
    return Describe(parser, parser.Analyze(declaration.c_str()));
}

// Each row of the data file: a declaration and the getters' answers.
TEST(FuncParserAnalyze, FixedTextRules) {
    for (const CRow& row : ReadRows(PARSER_TEST_DATA)) {
        const std::string declaration = RowText(row.m_strInput, false);
        EXPECT_EQ(Analysed(declaration.substr(0, declaration.size() - 1)) + "\n",
                  RowResult(row, false))
            << row.m_strWhere;
    }
}

// Fields hold 255 bytes and the declaration 1023; a longer field is cut between characters.
TEST(FuncParserAnalyze, FieldsAndDeclarationAtTheirLimits) {
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"ret kanji fills the field", Bytes('r', 253) + KATA + " f()",
         "0|f|" + Bytes('r', 253) + KATA + "|-1||"},
        {"ret kanji one past", Bytes('r', 254) + KATA + " f()", "0|f|" + Bytes('r', 254) + "|-1||"},
        {"ret cut after space", Bytes('r', 254) + " x f()", "0|f|" + Bytes('r', 254) + "|-1||"},
        {"type one past", "f(" + Bytes('t', 256) + " a)", "0|f||-1||" + Bytes('t', 255) + "/a"},
        {"name one past", "f(int " + Bytes('n', 256) + ")", "0|f||-1||int/" + Bytes('n', 255)},
        {"1023 bytes", "void " + Bytes('f', 1016) + "()", "0|" + Bytes('f', 1016) + "|void|-1||"},
        {"1023 bytes, long class", Bytes('c', 1018) + "::f()", "0|f||0|" + Bytes('c', 1018) + "|"},
        {"1024 bytes", "void " + Bytes('f', 1017) + "()", "-1|||0||"},
        {"1024 bytes, 1023 once squeezed", "void  " + Bytes('f', 1016) + "()", "-1|||0||"},
    };
    for (const auto& [name, declaration, expected] : rows) {
        EXPECT_EQ(Analysed(declaration), expected) << name;
    }
}

TEST(FuncParserGetters, IndexOutsideTheListAndClear) {
    EXPECT_EQ(Describe(CFuncParser(), 0), "0|||0||");
    CFuncParser parser;
    char szType[ARG_TEXT_SIZE] = "keep";
    char szName[FUNC_TEXT_SIZE] = "keep";
    ASSERT_EQ(parser.Analyze("void f(int a, int b)"), 0);
    EXPECT_EQ(parser.GetArg(0, szType, szName), 0);
    EXPECT_EQ(std::string(szType) + szName, "keepkeep");
    EXPECT_EQ(parser.GetArg(3, szType, szName), -1);
    parser.Clear();
    parser.Clear();
    EXPECT_EQ(Describe(parser, 0), "0|||0||");
    EXPECT_EQ(parser.Analyze(nullptr), -1);
}

} // namespace
