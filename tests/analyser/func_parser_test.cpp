#include <gtest/gtest.h>

#include "analyser/func_parser.h"
#include "describe.h"

namespace {

struct DeclRow {
    const char* m_pszName;
    const char* m_pszDecl;
    const char* m_pszExpected; // as Describe writes it
};

void ExpectRows(const DeclRow* pRows, std::size_t nRows) {
    for (std::size_t i = 0; i < nRows; ++i) {
        CFuncParser parser;
        const int nResult = parser.Analyze(pRows[i].m_pszDecl);
        EXPECT_EQ(Describe(parser, nResult), pRows[i].m_pszExpected) << pRows[i].m_pszName;
    }
}

} // namespace

TEST(FuncParserAnalyze, WorkedExamplesComeOutExactly) {
    const DeclRow rows[] = {
        {"class member", "static int CFoo::Bar(const char *name, int n);",
         "0|Bar|static int|0|CFoo|const char/*name;int/n"},
        {"void list", "void f(void)", "0|f|void|-1||"},
        {"spaced scope, tab, trailing const",
         "unsigned long\tCList :: Find( const char* key , int n ) const ;",
         "0|Find|unsigned long|0|CList|const char*/key;int n/const"},
    };
    ExpectRows(rows, std::size(rows));
}

TEST(FuncParserAnalyze, FixedTextRules) {
    const DeclRow rows[] = {
        {"empty list", "void f()", "0|f|void|-1||"},
        {"nameless argument ends list", "int f(int, char *p)", "0|f|int|-1||"},
        {"nameless last argument", "int f(char *p, int)", "0|f|int|-1||char/*p"},
        {"empty field ends list", "void f(int a,,int b)", "0|f|void|-1||int/a"},
        {"star on type", "void f(char* p)", "0|f|void|-1||char*/p"},
        {"star alone", "void f(char * p)", "0|f|void|-1||char */p"},
        {"star on function", "char *GetName(void)", "0|*GetName|char|-1||"},
        {"trailing const", "int CFoo::Get(void) const;", "0|Get|int|0|CFoo|void/const"},
        {"default value", "void f(int a = 0)", "0|f|void|-1||int a =/0"},
        {"space before scope", "void CFoo ::Bar(int a)", "0|Bar|void|0|CFoo|int/a"},
        {"space after scope", "void CFoo:: Bar(int a)", "0|Bar|void|0|CFoo|int/a"},
        {"scope in argument", "void f(std::string s)", "0|f|void|-1||std::string/s"},
        {"scope in return type", "std::string f()", "0|f|std::string|-1||"},
        {"constructor", "CFoo::CFoo()", "0|CFoo||0|CFoo|"},
        {"destructor", "CFoo::~CFoo()", "0|~CFoo||0|CFoo|"},
        {"global scope has no class", "::f(int a)", "0|f||0||int/a"},
        {"scope without name", "void CFoo::(int a)", "0|||0|CFoo|int/a"},
        {"list only", "(int a)", "0|||-1||int/a"},
        {"end semicolons", ";;void g(char c);;", "0|g|void|-1||char/c"},
        {"semicolon before space", "void g(char c); ", "0|g|void|-1||char c/;"},
        {"call operator", "void operator()(int a)", "0|operator|void|-1||int/a"},
        {"tabs", "unsigned\tlong f(int\tn)", "0|f|unsigned long|-1||int/n"},
        {"nested brackets", "void f(int (*cb)(int), int n)", "0|f|void|-1||int *cb/int;int/n"},
        {"seven arguments", "void f(int a, int b, int c, int d, int e, int f, int g)",
         "0|f|void|-1||int/a;int/b;int/c;int/d;int/e;int/f;int/g"},
        // 0x83 0x7C is a katakana whose second byte is '|'; it must not split the word.
        {"double-byte names", "void C\x83\x7C::Get\x83\x7C(int \x83\x7C)",
         "0|Get\x83\x7C|void|0|C\x83\x7C|int/\x83\x7C"},
        {"bar byte in plain name", "void A|B::C(int a)", "0|C|void|0|A|B|int/a"},
    };
    ExpectRows(rows, std::size(rows));
}

TEST(FuncParserAnalyze, RefusalsLeaveObjectEmpty) {
    const char* const decls[] = {"int x",         "",
                                 "int f(int a",   "int f)(",
                                 "int f(int a))", "void a:b(int x)",
                                 "void C:::f()",  "std::string CFoo::Get()"};
    for (const char* pszDecl : decls) {
        CFuncParser parser;
        ASSERT_EQ(parser.Analyze("int CFoo::Get(int a, int b)"), 0);
        EXPECT_EQ(Describe(parser, parser.Analyze(pszDecl)), "-1|||0||") << pszDecl;
    }
}

TEST(FuncParserGetters, IndexOutsideListAndEmptyNames) {
    CFuncParser parser;
    char szType[ARG_TEXT_SIZE] = "keep";
    char szName[FUNC_TEXT_SIZE] = "keep";
    EXPECT_EQ(parser.GetFunc(szName, szType), -1);
    EXPECT_EQ(parser.GetOwnerClass(szName), -1);
    EXPECT_EQ(parser.GetArg(1, szType, szName), -1);

    ASSERT_EQ(parser.Analyze("void f(int a, int b)"), 0);
    EXPECT_EQ(parser.GetArg(0, szType, szName), 0);
    EXPECT_EQ(parser.GetArg(-5, szType, szName), 0);
    EXPECT_STREQ(szType, "keep");
    EXPECT_STREQ(szName, "keep");
    EXPECT_EQ(parser.GetArg(3, szType, szName), -1);
}

TEST(FuncParserLifecycle, SecondAnalyzeReplacesFirstAndClearEmpties) {
    CFuncParser parser;
    ASSERT_EQ(parser.Analyze("int CFoo::f(int a, int b, int c)"), 0);
    EXPECT_EQ(Describe(parser, parser.Analyze("char g(long x)")), "0|g|char|-1||long/x");
    parser.Clear();
    parser.Clear();
    EXPECT_EQ(Describe(parser, 0), "0|||0||");
}

TEST(FuncParserSteps, SplitDeclTakesLastTopLevelGroup) {
    const struct {
        const char* m_pszText;
        int m_nResult;
        const char* m_pszHead;
        const char* m_pszArgs;
    } rows[] = {{"f(a)(b)", 0, "f(a)", "(b)"},
                {"f(a(b)c) x", 0, "f", "(a(b)c) x"},
                {"f)(a)", 0, "f)", "(a)"},
                {"f(a", -1, "", ""}};
    CFuncParser parser;
    for (const auto& row : rows) {
        char szHead[FUNC_TEXT_SIZE] = {};
        char szArgs[FUNC_TEXT_SIZE] = {};
        EXPECT_EQ(parser.SplitDecl(row.m_pszText, szHead, szArgs), row.m_nResult) << row.m_pszText;
        EXPECT_EQ(std::string(szHead) + "#" + szArgs,
                  std::string(row.m_pszHead) + "#" + row.m_pszArgs);
    }
}
