#include "source/source_functions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each function as "name first-last nameLine:column", with " /N" for the first comment line
// above it and " decl" for a declaration; functions separated by "; ".
std::string Describe(const std::vector<CSourceFunction>& functions) {
    std::string text;
    for (const CSourceFunction& function : functions) {
        text += (text.empty() ? "" : "; ") + function.m_strName + " " +
                std::to_string(function.m_nFirstLine) + "-" + std::to_string(function.m_nLastLine) +
                " " + std::to_string(function.m_nNameLine) + ":" +
                std::to_string(function.m_nNameColumn);
        if (function.m_nCommentFirstLine != 0) {
            text += " /" + std::to_string(function.m_nCommentFirstLine);
        }
        text += function.m_bDefinition ? "" : " decl";
    }
    return text;
}

struct CRow {
    const char* m_szName;
    std::string m_strSource;
    const char* m_szFound;
    bool m_bDeclarations = false;
    SourceEncoding m_eEncoding = SourceEncoding::Utf8;
};

void ExpectRows(const std::vector<CRow>& rows) {
    for (const CRow& row : rows) {
        EXPECT_EQ(
            Describe(SourceFindFunctions(row.m_strSource, row.m_eEncoding, row.m_bDeclarations)),
            row.m_szFound)
            << row.m_szName;
    }
}

TEST(SourceFindFunctions, FindsEachKindOfDefinition) {
    ExpectRows({
        {"file scope", "int f(void) { return 0; }\n", "f 1-1 1:5"},
        {"GNU style with comment", "/* doc */\nstatic int\nfoo (int a)\n{\n  if (a) {\n  }\n}\n",
         "foo 2-7 3:1 /1"},
        {"template line", "template <class T = V<int>, int N = (3 > 2)>\nT g(T a) {\n}\n",
         "g 1-3 2:3"},
        {"attribute line", "[[nodiscard]]\nint h() { }\n", "h 1-2 2:5"},
        {"attribute macro line", "GTEST_ATTRIBUTE_PRINTF_(2, 3)\nvoid p(const char* f, ...) {}\n",
         "p 1-2 2:6"},
        {"namespace and extern C",
         "namespace a::b {\nextern \"C\" {\nvoid c() {}\n}\n}\nextern \"C\" int d() { }\n"
         "extern \"C\" struct a::In { In() {} };\n",
         "c 3-3 3:6; d 6-6 6:16; In 7-7 7:27"},
        {"member outside its class",
         "CFoo::CFoo() : B<int>{1}\n, m_b{2} {}\nCFoo::~CFoo() {}\n"
         "template <class T> Bar<T>::Bar() {}\n"
         "bool CFoo::operator /* eq */ ==(const CFoo& o) const { }\n",
         "CFoo 1-2 1:7; ~CFoo 3-3 3:7; Bar 4-4 4:28; operator== 5-5 5:12"},
        {"inside a class body",
         "class EXPORT CFoo final : public Base<int>, private B {\npublic:\n"
         "  explicit CFoo(int a)\n      : m_a(a) {}\n  virtual ~ CFoo() {}\n"
         "  operator bool() const { return true; }\n  void operator()(int) {}\n"
         "  static int Get() noexcept { return 1; }\n  operator Action<R(A)>() && {}\n};\n",
         "CFoo 3-4 3:12; ~CFoo 5-5 5:11; operator bool 6-6 6:3; operator() 7-7 7:8; "
         "Get 8-8 8:14; operator Action<R(A)> 9-9 9:3"},
        {"continued below a comment",
         "struct C {\n C()\n // a\n : m(1) {}\n operator // b\n bool()\n // c\n const {}\n};\n",
         "C 2-4 2:2; operator bool 5-8 5:2"},
        {"macro return types",
         "BOOL WINAPI DllMain(HINSTANCE h) {}\nEXPORT_API int e() {}\n"
         "__attribute__((noreturn)) void die() {}\n",
         "DllMain 1-1 1:13; e 2-2 2:16; die 3-3 3:32"},
        {"old-style parameters",
         "int sum(a, b, cb, s)\n  int a, b; int (*cb)(int (*)(char), int); char *s[2][3];\n{\n}\n",
         "sum 1-4 1:5"},
        {"trailing return and try",
         "auto t() -> decltype(x) { return 1'0.5; }\nF::F() try : m(1) { } catch (...) { }\n"
         "decltype(auto) u() {}\n",
         "t 1-1 1:6; F 2-2 2:4; u 3-3 3:16"},
        {"parameters of every shape",
         "bool operator==(faketype, faketype) { }\n"
         "void r(const Map<A, B>& m = Make<A, B>(), int u __attribute__((deprecated(\"old\"))),\n"
         "       void (*cb)(int (*)(char)), int (Foo::*pm)() const, char a[3], void (^b)(),\n"
         "       void (fn)(int), [[maybe_unused, x]] int k, O o = O{1}, int n = 4 / 2 > 0, ...) "
         "{}\n",
         "operator== 1-1 1:6; r 2-4 2:6"},
        {"macro invocations above a blank line or a comment",
         "DECLARE_THING(x)\n\nint f() {}\nBEGIN_MAP(C, B)\n  ON_X(1, OnX)\nEND_MAP()\n"
         "// doc\nvoid C::OnX() {}\n",
         "f 3-3 3:5; OnX 8-8 8:9 /7"},
        {"body the file never closes", "void open() {\n  x();\n", "open 1-2 1:6"},
        {"nor ends its last line", "void open() {\n  x", "open 1-2 1:6"},
        {"line splices in code", "int \\\nf(int a, \\\r\n int b) { x \\ y; }\n", "f 1-3 2:1"},
    });
}

TEST(SourceFindFunctions, LeavesOutWhatIsNoFunction) {
    ExpectRows({
        {"macro invocations with bodies", "TEST(a, b) {\n}\nMATCHER_P(M, n, \"\") { }\n", ""},
        {"directives and their continuation",
         "#define F(x) \\\n  int x() { return 1; }\n#error don't\n#pragma a\\b/c\nint f() {}\n",
         "f 5-5 5:5"},
        {"function-pointer variables", "int (*fp)(int) = 0;\nvoid (*handlers[3])(int);\n", "",
         true},
        {"initialisers",
         "int x(5);\nFoo f{1};\nstd::vector<int> v(n);\nQString s(tr(\"a\"));\n"
         "Foo g(a + 1);\nFoo h(m[\"k\"]);\n",
         "", true},
        {"control statements in a fragment", "}\nif (a) {\n}\nfor (;;) {\n}\nwhile (x) {}\n", ""},
        {"lambda and local class",
         "auto l = [](int a) { return #a; };\n"
         "void outer() { struct L { void in() {} }; }\n",
         "outer 2-2 2:6"},
        {"literals and comments",
         "const char* s = L\"\\\"int a() {\";\nchar c = '\\'';\n"
         "auto r = u8R\"x()y\" void b() {\n )x\";\nconst char* t = \"{\\\n\";\n"
         "/* int d() { */\n// }\nint e$() {}\nauto q = R\"a b(\";\nR\"x",
         "e$ 9-9 9:5 /7"},
        {"class, enum, struct variable",
         "struct S { int a; };\nenum class E : int { A };\n"
         "struct S s{1};\nstruct S *p{1};\nint k() {}\n",
         "k 5-5 5:5"},
        {"statements where no name can stand",
         "~*C();\nthrow C::C() {}\ntemplate int f<int>(int);\nint g(int a,);\nvoid v() = 0 X;\n"
         "void y() = 0 {}\nclass C { operator( ~C(); C() : a(1); };\nint h(a)\n int b;\n{}\n"
         "int k(a)\n int a = 1;\n{}\nint m(a)\n int a\n{}\n",
         "", true},
    });
}

TEST(SourceFindFunctions, FindsDeclarationsWhenAsked) {
    ExpectRows({
        {"prototypes and members",
         "int f(void) __attribute__((pure));\nextern int g (char *s) __THROW __nonnull ((1));\n"
         "class C {\n  C(const C&) = delete;\n  virtual void v() = 0;\n  ~C() = default;\n"
         "  Q_DECLARE(C);\n  void n() [[deprecated]];\n};\nint u(size_t, gint, X11_t);\n",
         "f 1-1 1:5 decl; g 2-2 2:12 decl; C 4-4 4:3 decl; v 5-5 5:16 decl; ~C 6-6 6:3 decl; "
         "n 8-8 8:8 decl; u 10-10 10:5 decl",
         true},
        {"not without the switch", "int f(void);\n", "", false},
        {"calls with ';'", "DECLARE_FLAG(x);\nstatic DEFINE(y);\nint w(x);\n", "", true},
    });
}

// A function inside `depth` nested groups.
std::string Nested(std::size_t depth) {
    std::string opens;
    std::string closes;
    for (; depth > 0; --depth) {
        opens += "#if A\n";
        closes += "#endif\n";
    }
    return opens + "int f() {}\n" + closes;
}

TEST(SourceFindFunctions, ReadsEveryPreprocessorBranch) {
    ExpectRows({
        {"if 0 skipped, with the groups inside",
         "int shown()\n# if 0 // off\n#if B\nint hidden() {}\n#else\n#endif\n#elif A\n#pragma "
         "x\n{\n"
         "#endif\n}\n",
         "shown 1-11 1:5"},
        {"elif 0 skipped",
         "#ifdef A\nint a() {}\n#elif 0 /* off */\nint b() {}\n#else\nint c() {}\n#endif\n",
         "a 2-2 2:5; c 6-6 6:5"},
        {"unbalanced heads in the branches",
         "#ifndef W\nvoid alt(int a) {\n#else\nvoid alt(long a) {\n#endif\n  x();\n}\nint n() {}\n",
         "alt 2-7 2:6; n 8-8 8:5"},
        {"closing braces in the branches", "int m() {\n#if A\n}\n#else\n}\n#endif\nint n() {}\n",
         "m 1-3 1:5; n 7-7 7:5"},
        {"each branch starts where the group starts",
         "#if A\nenum E {\n#elifdef B\nint c() {}\nenum E {\n#endif\n  V };\n", "c 4-4 4:5"},
        {"a scope one branch closes stays for the next",
         "namespace n {\n#if A\n}\nint x[] = {\n#elifndef B\nint c() {}\n#endif\n", "c 6-6 6:5"},
        {"extern C opened in a branch",
         "#ifdef __cplusplus\nextern \"C\" {\n#endif\nint f() {}\n#ifdef __cplusplus\n}\n#endif\n",
         "f 4-4 4:5"},
        {"a branch's function inside another's body",
         "#if A\nvoid f() {\n#else\nvoid g() {}\n#endif\n}\n", "f 2-6 2:6"},
        {"a branch begins behind a blank line as its group does",
         "MACRO\n\n#if A\nint f() {}\n#else\nint g() {}\n#endif\n", "f 4-4 4:5; g 6-6 6:5"},
        {"a statement begun before the group reads as in the first branch",
         "int f(\n#if A\n1) {}\n#else\nint a) {}\n#endif\n", ""},
        {"group the file leaves open", "#if A\nint a() {}\n#else\nint b() {\n", "a 2-2 2:5"},
        // Each tracked group holds copies of the state; deeper ones would cost memory for
        // nothing a real file has.
        {"groups as deep as they are tracked", Nested(256), "f 257-257 257:5"},
        {"groups nested deeper are skipped", Nested(257), ""},
    });
}

TEST(SourceFindFunctions, ReadsLinesCommentsAndColumns) {
    ExpectRows({
        {"CR LF", "// c\r\nint f()\r\n{\r\n}\r\nint g() {}\r\n", "f 2-4 2:5 /1; g 5-5 5:5"},
        {"lone CR is no line end", "int a() {}\r\f\vint b() {}\n", "a 1-1 1:5; b 1-1 1:18"},
        {"blank line cuts the comment off", "// old\n\nint f() {}\n", "f 3-3 3:5"},
        {"code above is no comment", "int x; // C:\\dir\nint f() {}\n", "f 2-2 2:5"},
        {"tab stops and wide characters", "\tint\tf() {}\n/* \xE3\x81\x82 */ int g() {}\n",
         "f 1-1 1:17; g 2-2 2:14"},
        {"stray and combining bytes",
         "/* \xF0\x9F\x98\x80\xC3\xA9\xCC\x81\x80\xFF\xED\xA0\x80 */ int h() {}\n", "h 1-1 1:20"},
        {"byte order mark", "\xEF\xBB\xBFint f() {}\n", "f 1-1 1:8"},
        {"code page 932 widths", "/* \x82\xA0\x83\xBF\xB1\x85\x40\x82\xFD */ int f() {}\n",
         "f 1-1 1:20", false, SourceEncoding::Cp932},
        {"code page 932 trail bytes",
         "// \x95\x5C\nint f() { return \"\x95\x5C\"[0] == '}' + \"\x82\"[0]; }\nint g() {}\n",
         "f 2-2 2:5 /1; g 3-3 3:5", false, SourceEncoding::Cp932},
        {"the same bytes as UTF-8 join the comment's next line", "// \x95\x5C\nint f() {}\n", ""},
    });
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
