#include "tests/text/text_buffer.h"
#include "text/txt.h"

namespace {

struct CRegionRow {
    const char *name, *open, *close, *text;
    int count, index, result;
    const char *content, *removed;
};

TEST(TxtRegions, CountCopyAndRemoveWalkTheSameRegions) {
    const CRegionRow rows[] = {
        {"empty region", "<@", "@>", "<@@>", 1, 1, -1, "", ""},
        {"markers share no byte", "<@", "@>", "<@>", 0, 1, 0, ">", "<@>"},
        {"no nesting", "<@", "@>", "<@a<@b@>", 1, 1, 0, "a<@b", ""},
        {"index past last", "<@", "@>", "<@A@><@B@>", 2, 3, -1, "", ""},
        {"unterminated to the end", "<@", "@>", "x<@ab", 0, 1, 0, "ab", "x<@ab"},
        {"close ends before the next open", "/*", "*/", "/* a */* b */", 1, 2, -1, "", "* b */"},
        {"empty markers find nothing, not even in an empty text", "", "", "", 0, 1, -1, "", ""},
        {"empty close marker finds nothing", "<@", "", "<@", 0, 1, -1, "", "<@"},
        {"index zero names no region", "<@", "@>", "<@a@>", 1, 0, -1, "", ""},
        {"copies go together", "/*", "*/", "/* a */ x /* a */ y /* b */", 3, 3, 0, " b ", " x  y "},
        {"joined into a new comment", "/*", "*/", "x//* a */* b */", 1, 1, 0, " a ", "x"},
        {"CR is content, LF goes", "//", "\n", "// a\r\n// b\r\nf();", 2, 2, 0, " b\r", "f();"},
    };
    for (const CRegionRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TxtCountRegions(row.text, row.open, row.close), row.count);
        std::string out = TextArray("");
        EXPECT_EQ(TxtGetRegion(row.text, row.index, row.open, row.close, out.data()), row.result);
        EXPECT_STREQ(out.c_str(), row.content);
        std::string array = TextArray(row.text);
        EXPECT_EQ(TxtRemoveRegions(array.data(), row.open, row.close), 0);
        EXPECT_STREQ(array.c_str(), row.removed);
        EXPECT_TRUE(ZeroAfterText(array));
    }
}

TEST(TxtRegions, ReplacementTakesEachRegionsPlaceAndNeverGrowsTheText) {
    struct {
        const char *name, *open, *close, *replacement, *text;
        int result;
        const char* expected;
    } const rows[] = {
        {"each region one space", "/*", "*/", " ", "a/* x */b/**/c", 0, "a b c"},
        {"copies take it too", "/*", "*/", " ", "/*x*/a/*x*/", 0, " a "},
        // "/" and "*" meet where the region was only when nothing takes its place.
        {"no new marker across the space", "/*", "*/", " ", "//* a */* b */", 0, "/ * b */"},
        {"as long as both markers", "<@", "@>", "1234", "a<@b@>c", -1, "a<@b@>c"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string array = TextArray(row.text);
        EXPECT_EQ(TxtReplaceRegions(array.data(), row.open, row.close, row.replacement),
                  row.result);
        EXPECT_STREQ(array.c_str(), row.expected);
        EXPECT_TRUE(ZeroAfterText(array));
    }
}

TEST(TxtCleanPasted, JoinsLinesAndDropsCommentsWithoutFusingWords) {
    const char* const rows[][3] = {
        {"comments, tabs and line breaks", "int\tf(int a, /* n */\r\n\tchar* p) // x\r\n",
         "int f(int a, char* p) "},
        {"line comment left open", "int f(int a) // comment", "int f(int a) // comment"},
        {"comment marker in a comment", "int /* // */ f() // x /* y */\n", "int f() "},
        {"return type on its own line", "void\n__argp_usage(const struct argp_state *state)",
         "void __argp_usage(const struct argp_state *state)"},
        {"CR LF between words", "static int\r\nf(void)", "static int f(void)"},
        {"line break before a space", "int\n f(void)", "int f(void)"},
        {"lone CR between words", "char\rg(int a,\rint b)", "char g(int a, int b)"},
        {"block comment between words", "int/* n */n(void)", "int n(void)"},
        {"line comment between words", "long// size\nsize(void)", "long size(void)"},
        {"unclosed block comment kept", "int f(int a) /* open", "int f(int a) /* open"},
        // At either end a break leaves nothing: a final ";" stays last, for the analyser.
        {"breaks at both ends", "\r\nint f(int a) const;\r\n", "int f(int a) const;"},
        {"comment beside a space, then between two bytes", "int /* a */\nf(/**/void)",
         "int f( void)"},
    };
    for (const auto& [name, text, expected] : rows) {
        std::string array = TextArray(text);
        EXPECT_EQ(TxtCleanPasted(array.data()), 0) << name;
        EXPECT_STREQ(array.c_str(), expected) << name;
    }
}

} // namespace
