#include <gtest/gtest.h>

#include <string>

#include "analyser/func_parser.h"
#include "describe.h"

namespace {

const std::string KATA = "\x83\x7C"; // a katakana whose second byte is '|'
const std::string REFUSED = "-1|||0||";

std::string Bytes(char ch, std::size_t n) {
    return std::string(n, ch);
}

struct CDeclRow {
    const char* m_pszName;
    std::string m_strDecl, m_strExpected; // the expected result as Describe writes it
};

// Each row is analysed by a parser that already holds a longer result, which it must replace.
template <std::size_t N> void ExpectRows(const CDeclRow (&rows)[N]) {
    for (const CDeclRow& row : rows) {
        CFuncParser parser;
        ASSERT_EQ(parser.Analyze("int CPrev::g(int a, int b, int c)"), 0);
        const int nResult = parser.Analyze(row.m_strDecl.c_str());
        EXPECT_EQ(Describe(parser, nResult), row.m_strExpected) << row.m_pszName;
    }
}

TEST(FuncParserAnalyze, FixedTextRules) {
    const CDeclRow rows[] = {
        {"spaced scope, tab, trailing const",
         "unsigned long\tCList :: Find( const char* key , int n ) const ;",
         "0|Find|unsigned long|0|CList|const char*/key;int n/const"},
        {"void list", "void f(void)", "0|f|void|-1||"},
        {"nameless argument ends list", "int f(int, char *p)", "0|f|int|-1||"},
        {"empty field ends list", "void f(int a,,int b)", "0|f|void|-1||int/a"},
        {"star alone", "void f(char * p)", "0|f|void|-1||char */p"},
        {"star on function", "char *GetName(void)", "0|*GetName|char|-1||"},
        {"default value", "void f(int a = 0)", "0|f|void|-1||int a =/0"},
        {"scope in argument", "void f(std::string s)", "0|f|void|-1||std::string/s"},
        {"destructor, one-letter class", "C::~C()", "0|~C||0|C|"},
        {"global scope has no class", "::f(int a)", "0|f||0||int/a"},
        {"list only", "(int a)", "0|||-1||int/a"},
        {"end semicolons", ";;void g(char c);;", "0|g|void|-1||char/c"},
        {"semicolon before space", "void g(char c); ", "0|g|void|-1||char c/;"},
        {"last group is the list", "int (*f)(int a)", "0|*f|int|-1||int/a"},
        {"nested brackets", "void f(int (*cb)(int), int n)", "0|f|void|-1||int *cb/int;int/n"},
        {"double-byte names", "void C" + KATA + "::G" + KATA + "(int " + KATA + ")",
         "0|G" + KATA + "|void|0|C" + KATA + "|int/" + KATA},
    };
    ExpectRows(rows);
}

TEST(FuncParserAnalyze, RefusalsLeaveTheObjectEmpty) {
    const CDeclRow rows[] = {
        {"no list", "int x", REFUSED},
        {"unclosed", "int f(int a", REFUSED},
        {"close first", "int f)(", REFUSED},
        {"close before a closed list", "int f)(int a)", REFUSED},
        {"open after a closed list", "int f(int a)(", REFUSED},
        {"one colon", "void a:b(int x)", REFUSED},
        {"two scopes", "std::string CFoo::Get()", REFUSED},
    };
    ExpectRows(rows);
}

// Fields hold 255 bytes and the declaration 1023; a longer field is cut between characters.
TEST(FuncParserAnalyze, FieldsAndDeclarationAtTheirLimits) {
    const CDeclRow rows[] = {
        {"ret kanji fills the field", Bytes('r', 253) + KATA + " f()",
         "0|f|" + Bytes('r', 253) + KATA + "|-1||"},
        {"ret kanji one past", Bytes('r', 254) + KATA + " f()", "0|f|" + Bytes('r', 254) + "|-1||"},
        {"ret cut after space", Bytes('r', 254) + " x f()", "0|f|" + Bytes('r', 254) + "|-1||"},
        {"type one past", "f(" + Bytes('t', 256) + " a)", "0|f||-1||" + Bytes('t', 255) + "/a"},
        {"name one past", "f(int " + Bytes('n', 256) + ")", "0|f||-1||int/" + Bytes('n', 255)},
        {"1023 bytes", "void " + Bytes('f', 1016) + "()", "0|" + Bytes('f', 1016) + "|void|-1||"},
        {"1023 bytes, long class", Bytes('c', 1018) + "::f()", "0|f||0|" + Bytes('c', 1018) + "|"},
        {"1024 bytes", "void " + Bytes('f', 1017) + "()", REFUSED},
        {"1024 bytes, 1023 once squeezed", "void  " + Bytes('f', 1016) + "()", REFUSED},
    };
    ExpectRows(rows);
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
