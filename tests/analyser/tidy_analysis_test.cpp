#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analyser/tidy_analysis.h"

namespace {

const std::string KATA_PIPE = "\x83\x7C";    // a katakana whose trail byte is '|'
const std::string KATA_BRACKET = "\x83\x5B"; // one whose trail byte is '['
const std::string KANJI_BRACE = "\x8C\x7B";  // a kanji whose trail byte is '{'
const std::string KIND = "\x8E\xED\x97\xDE"; // "kind"
const std::string SYNTAX_ERROR = "error";

// "function|class|return type|type/name;type/name/text..." or SYNTAX_ERROR.
std::string Describe(const CTidyAnalysis& analysis, TidyResult eResult) {
    if (eResult == TidyResult::SyntaxError) {
        return SYNTAX_ERROR;
    }
    std::string text = analysis.Func() + "|" + analysis.Class() + "|" + analysis.Ret() + "|";
    for (const CTidyArg& arg : analysis.Args()) {
        text += (&arg == analysis.Args().data() ? "" : ";") + arg.m_strType + "/" + arg.m_strName +
                (arg.m_strText.empty() ? "" : "/" + arg.m_strText);
    }
    return text;
}

struct CTidyRow {
    const char* m_pszName;
    std::string m_strDecl;
    std::string m_strExpected;
};

// Each row is read by an object that already holds a longer result, which it must replace.
template <std::size_t N>
void ExpectRows(const CTidyRow (&rows)[N], const std::vector<std::string>& vecDrop = {}) {
    for (const CTidyRow& row : rows) {
        CTidyAnalysis analysis;
        ASSERT_EQ(analysis.Analyze("int CPrev::g(int a /* x */, int b)"), TidyResult::Done);
        const TidyResult eResult = analysis.Analyze(row.m_strDecl, vecDrop);
        EXPECT_EQ(Describe(analysis, eResult), row.m_strExpected) << row.m_pszName;
    }
}

TEST(TidyAnalysis, ReturnTypeWithoutSpecifiersAttributesAndDropWords) {
    const CTidyRow rows[] = {
        {"specifiers", "static inline constexpr unsigned f()", "f||unsigned|"},
        {"extern C", "extern \"C\" int f(void)", "f||int|"},
        {"attributes",
         "[[nodiscard]] __attribute__((pure)) __declspec(dllexport) Q_INVOKABLE [[x]] int f()",
         "f||int|"},
        {"C library",
         "extern void *memset (void *__s, int __c, size_t __n) __THROW __nonnull ((1));",
         "memset||void *|void */__s;int/__c;size_t/__n"},
        {"Windows", "BOOL WINAPI GetFoo(_In_ HANDLE h)", "GetFoo||BOOL|HANDLE/h"},
        {"Qt", "Q_DECL_DEPRECATED_X(\"no\") Q_CORE_EXPORT qsizetype f(QT_FASTCALL int n)",
         "f||qsizetype|int/n"},
        {"X11", "extern int XFree(void*) _X_DEPRECATED _X_SENTINEL(0);", "XFree||int|void */"},
        {"template head", "template <typename T, int N = (1 > 2)> T *f(T t)", "f||T *|T/t"},
        {"the user's words", "MY_API(1) MY_CONV int f()", "f||int|"},
        {"a later list after an unknown macro's arguments", "UNKNOWN(x) int f(int a)",
         "f||UNKNOWN (x) int|int/a"},
        {"macros with arguments after the list", "int f(int a) UNKNOWN_A((1)) UNKNOWN_B((2))",
         "f||int|int/a"},
        {"access label", "public Q_SLOTS: void f()", "f||void|"},
        {"explicit instantiation", "template void f<int>(int a)", "f||void|int/a"},
        {"a function returning a pointer to a function returning one",
         "int (*(*f(int))(char))(double)", "f||int (*(*)(char))(double)|int/"},
        {"function returning a function pointer",
         "void (*signal(int sig, void (*func)(int code)))(int)",
         "signal||void (*)(int)|int/sig;void (*)(int)/func"},
    };
    ExpectRows(rows, {"MY_API", "MY_CONV"});
}

TEST(TidyAnalysis, NothingAfterTheListJoinsAnArgument) {
    const CTidyRow rows[] = {
        {"qualifiers", "int f(int a) const volatile && noexcept(noexcept(g())) override final",
         "f||int|int/a"},
        {"pure", "virtual void f(int a) = 0;", "f||void|int/a"},
        {"deleted", "A &operator=(const A &) = delete;", "operator=||A &|const A &/"},
        {"throw", "void f(int a) throw(std::bad_alloc)", "f||void|int/a"},
        {"initialiser list and body", "CFoo::CFoo(int a) : m_a(a), m_b{b, c} { if (a) {",
         "CFoo|CFoo||int/a"},
        {"trailing return type", "auto f(int a) -> std::map<int, int> override;",
         "f||std::map<int, int>|int/a"},
        {"trailing return type at the end", "auto f(int a) -> int (*)(char)",
         "f||int (*)(char)|int/a"},
        {"default values",
         "int f(int end = -1, const QString &s = QString(\"a,b\"), int n = s.size())",
         "f||int|int/end;const QString &/s;int/n"},
        {"literals", "void f(const char *s = \"a\\\",b\", char c = '\\'', char d = ',\n, int e)",
         "f||void|const char */s;char/c;char/d;int/e"},
        {"a backslash does not carry a literal over a line break", "void f(char g = '\\\n, int h)",
         "f||void|char/g;int/h"},
        {"numbers", "void f(int n = 1'000, double d = .5e+3)", "f||void|int/n;double/d"},
    };
    ExpectRows(rows);
}

TEST(TidyAnalysis, BracketsKeepTheirCommas) {
    const CTidyRow rows[] = {
        {"template arguments", "void f(std::map<int, std::vector<int>> m, int n)",
         "f||void|std::map<int, std::vector<int>>/m;int/n"},
        {"function pointer", "void f(void (*cb)(int, void *), int n)",
         "f||void|void (*)(int, void *)/cb;int/n"},
        {"array", "int main(int argc, char *argv[], int m[2][3], char b[(N + 1) / 2])",
         "main||int|int/argc;char *[]/argv;int[2][3]/m;char[(N + 1) / 2]/b"},
        {"comparisons in default values",
         "void f(int a = b < c, int d = e > g, int h = i >= j, int k = (l < m), int n = (o > p))",
         "f||void|int/a;int/d;int/h;int/k;int/n"},
        {"shifts in default values", "void f(int a = 1 << 3, int b = 2 >> 1)",
         "f||void|int/a;int/b"},
        {"template in a default value", "void f(int a = g<int, 2>(), int b = 0)",
         "f||void|int/a;int/b"},
        {"operator<", "bool operator<(const A &a, const A &b)",
         "operator<||bool|const A &/a;const A &/b"},
        {"operator<<", "A &A::operator<<(int a) const", "operator<<|A|A &|int/a"},
        {"operator>>", "B operator>>(C<D<int>> b)", "operator>>||B|C<D<int>>/b"},
        {"operator->", "T *operator->() const", "operator->||T *|"},
        {"template argument with >=", "std::enable_if_t<(N >= 0), int> f(int a)",
         "f||std::enable_if_t<(N >= 0), int>|int/a"},
    };
    ExpectRows(rows);
}

TEST(TidyAnalysis, UnnamedParametersAndEmptyLists) {
    const CTidyRow rows[] = {
        {"lone words and marks",
         "void f(size_t, Display*, _Xconst char*, unsigned int, struct stat *, const std::string "
         "&)",
         "f||void|size_t/;Display */;_Xconst char */;unsigned int/;struct stat */;const "
         "std::string &/"},
        {"qualifiers only and scopes",
         "void f(const size_t, _Xconst XtString, enum Kind, std::string)",
         "f||void|const size_t/;_Xconst XtString/;enum Kind/;std::string/"},
        {"C names that are C++ keywords",
         "void f(String class, size_t new, int delete, void *this)",
         "f||void|String/class;size_t/new;int/delete;void */this"},
        {"void", "int f(void)", "f||int|"},
        {"empty", "int f()", "f||int|"},
        {"variadic", "int printf(const char *fmt, ...)", "printf||int|const char */fmt;.../"},
        {"unnamed function type and pointer", "void f(int (int), void (*)(int x))",
         "f||void|int (int)/;void (*)(int)/"},
    };
    ExpectRows(rows);
}

TEST(TidyAnalysis, ScopesOperatorsConstructors) {
    const CTidyRow rows[] = {
        {"class template in a namespace", "template <class T> void ns::CFoo<T>::Bar(T t)",
         "Bar|ns::CFoo<T>|void|T/t"},
        {"scope in the return type too", "std::string ns :: C::Get()", "Get|ns::C|std::string|"},
        {"global scope", "::f(int a)", "f|||int/a"},
        {"global scope after a mark", "int *::f(int a)", "f||int *|int/a"},
        {"operator new", "void *operator new[](std::size_t n)",
         "operator new[]||void *|std::size_t/n"},
        {"call operator", "bool C::operator()(int a) const", "operator()|C|bool|int/a"},
        {"index operator", "T &operator[](int i)", "operator[]||T &|int/i"},
        {"delete array", "void operator delete[](void *p)", "operator delete[]||void|void */p"},
        {"delete", "void operator delete(void *p)", "operator delete||void|void */p"},
        {"co_await", "auto operator co_await() const", "operator co_await||auto|"},
        {"spaced operator", "bool operator < (A b)", "operator<||bool|A/b"},
        {"literal operator", "long double operator\"\" _km(long double d)",
         "operator\"\"_km||long double|long double/d"},
        {"conversion", "explicit C::operator const char *() const", "operator const char *|C||"},
        {"destructor", "CFoo::~CFoo()", "~CFoo|CFoo||"},
        {"constructor in the class", "explicit CFoo(int)", "CFoo|||int/"},
        {"specialisation", "template <> void f<int>(int a)", "f||void|int/a"},
    };
    ExpectRows(rows);
}

TEST(TidyAnalysis, CommentsBecomeTheTextOfTheParameterBefore) {
    const CTidyRow rows[] = {
        {"block comment", "int f(int nKind /* " + KIND + " */, int n)",
         "f||int|int/nKind/" + KIND + ";int/n"},
        {"line comments after commas",
         "int f(int a, // first\n      char b, //!< second\n      long c // third\n)",
         "f||int|int/a/first;char/b/second;long/c/third"},
        {"block comment on lines, before the first parameter",
         "int f(/** in:\n * all */ int a, int /* inside */ b)",
         "f||int|int/a/in: all;int/b/inside"},
        {"comments outside the list and inside nested brackets",
         "/* f */ int // g\n f(void (*cb)(int /* code */)) /* h */",
         "f||int|void (*)(int)/cb/code"},
        {"a comment that is a bracket, and one without its end", "int f(int a /*)*/) /* no end",
         "f||int|int/a/)"},
    };
    ExpectRows(rows);
}

TEST(TidyAnalysis, TypeSpelling) {
    const CTidyRow rows[] = {
        {"marks", "char**f(const char*const p,int&&r,int&q)",
         "f||char **|const char *const/p;int &&/r;int &/q"},
        {"blanks and line breaks",
         "unsigned\tlong  f ( std :: map < int , int > m , void(*\n cb ) ( int ) )",
         "f||unsigned long|std::map<int, int>/m;void (*)(int)/cb"},
        {"operands", "decltype(auto) f(typeof(x) a, Args &&... args)",
         "f||decltype(auto)|typeof(x)/a;Args &&.../args"},
        {"reference to an array, variadic function pointer",
         "void f(int (&a)[3], int (*p)(const char *, ...))",
         "f||void|int (&)[3]/a;int (*)(const char *, ...)/p"},
        {"declarators in declarators", "void f(int (*(*pp)(int))(char), int (*ap[3])(void))",
         "f||void|int (*(*)(int))(char)/pp;int (*[3])(void)/ap"},
        {"function types in function types", "void f(void (*cb)(int (*)(char c), int x))",
         "f||void|void (*)(int (*)(char), int)/cb"},
        {"member pointers", "void f(int C::*pm, void (C::*pf)(int), void (C::*)(int))",
         "f||void|int C::*/pm;void (C::*)(int)/pf;void (C::*)(int)/"},
    };
    ExpectRows(rows);
}

TEST(TidyAnalysis, DoubleByteCharactersPassWhole) {
    const CTidyRow rows[] = {
        {"names and classes",
         "void C" + KATA_PIPE + "::G" + KATA_BRACKET + "(int " + KANJI_BRACE + ")",
         "G" + KATA_BRACKET + "|C" + KATA_PIPE + "|void|int/" + KANJI_BRACE},
        {"in comments and literals",
         "void f(int a /* " + KATA_BRACKET + " */, const char *s = \"" + KANJI_BRACE + "\")",
         "f||void|int/a/" + KATA_BRACKET + ";const char */s"},
        {"a lead byte before a blank or a non-trail byte starts no character",
         "void f(int n\x82 m, int p\x82\xFF)", "f||void|int n\x82/m;int/p\x82\xFF"},
        {"dollars and half-width katakana in names", "int f$(int \xB1)", "f$||int|int/\xB1"},
        {"line continuation and DEL", "unsigned\x7F\\\r\nlong f()", "f||unsigned long|"},
        {"ideographic space between words",
         "int\x81\x40"
         "f(int\x81\x40n)",
         "f||int|int/n"},
    };
    ExpectRows(rows);
}

TEST(TidyAnalysis, ConditionalsKeepTheirFirstBranch) {
    const CTidyRow rows[] = {
        {"else branch left out",
         "void f(Display *d,\n#if NeedWidePrototypes\n unsigned int k\n#else\n KeyCode "
         "k\n#endif\n)",
         "f||void|Display */d;unsigned int/k"},
        {"nested",
         "void f(\n#ifdef A\n#if B\nint a\n#else\nint b\n#endif\n#elif C\nint c\n#endif\n)",
         "f||void|int/a"},
        {"stray, spaced and continued lines",
         "#endif\n#else\n#define X \\\n (int y)\nvoid f(\n#  if A\nint a\n#elif B /* b */\nint "
         "b\n#else\nint c\n#endif\n)\n#endif",
         "f||void|int/a"},
    };
    ExpectRows(rows);
}

TEST(TidyAnalysis, WhatCannotBeReadIsASyntaxError) {
    const CTidyRow rows[] = {
        {"no list", "int x", SYNTAX_ERROR},
        {"empty", " ; ", SYNTAX_ERROR},
        {"unclosed", "int f(int a", SYNTAX_ERROR},
        {"closed first", "int f)(", SYNTAX_ERROR},
        {"mismatched", "int f(int a[)]", SYNTAX_ERROR},
        {"no name", "(int a)", SYNTAX_ERROR},
        {"keyword as name", "int sizeof(int a)", SYNTAX_ERROR},
        {"a variable", "int x = f(a)", SYNTAX_ERROR},
        {"a call", "f(1, 2)", SYNTAX_ERROR},
        {"empty parameter", "void f(int a,,int b)", SYNTAX_ERROR},
        {"a pointer variable", "int (*fp)(int)", SYNTAX_ERROR},
        {"no type", "f(*p)", SYNTAX_ERROR},
        {"a block around it", "extern \"C\" { int f(int a); }", SYNTAX_ERROR},
        {"an unclosed literal", "int f(char c = ')", SYNTAX_ERROR},
        {"operator without a symbol", "void operator(int a)", SYNTAX_ERROR},
        {"operator at the end", "int operator", SYNTAX_ERROR},
        {"operator symbol at the end", "int operator==", SYNTAX_ERROR},
        {"the text after the first declaration is not read", "int f(int a); int g(",
         "f||int|int/a"},
    };
    ExpectRows(rows);
}

} // namespace
