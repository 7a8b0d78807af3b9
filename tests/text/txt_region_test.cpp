#include "tests/text/text_buffer.h"
#include "text/txt.h"

#include <vector>

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
        {"open inside a region is content", "<@", "@>", "<@<@>", 1, 1, 0, "<", ""},
        {"close outside is text", "<@", "@>", "@> <@a@>", 1, 1, 0, "a", "@> "},
        {"no nesting", "<@", "@>", "<@a<@b@>", 1, 1, 0, "a<@b", ""},
        {"second region", "<@", "@>", "<@A@><@B@>", 2, 2, 0, "B", ""},
        {"index past last", "<@", "@>", "<@A@>", 1, 2, -1, "", ""},
        {"unterminated to the end", "<@", "@>", "x<@ab", 0, 1, 0, "ab", "x<@ab"},
        {"trail byte closes", "<@", "@>", "<@A\x81@>B@>", 1, 1, 0, "A\x81", "B@>"},
        {"close ends before the next open", "/*", "*/", "/* a */* b */", 1, 2, -1, "", "* b */"},
        {"equal markers take turns", "|", "|", "|a|b|c|", 2, 2, 0, "c", "b"},
        {"empty markers find nothing", "", "", "abc", 0, 1, -1, "", "abc"},
        {"copies go together", "/*", "*/", "/* a */ x /* a */ y /* b */", 3, 3, 0, " b ", " x  y "},
        {"first close ends", "/*", "*/", "/* /* */ */", 1, 1, 0, " /* ", " */"},
        {"joined into a new comment", "/*", "*/", "//* a */* b */", 1, 1, 0, " a ", ""},
        {"joined long marker", "<<@@", ">", "<<<<@@x>@@y>", 1, 1, 0, "x", ""},
        {"line comment with its break", "//", "\n", "f(); // c\ng();", 1, 1, 0, " c", "f(); g();"},
        {"CR is content", "//", "\n", "// a\r\n// b\r\nf();", 2, 2, 0, " b\r", "f();"},
    };
    ForEachRow(rows, [](const CRegionRow& row) {
        EXPECT_EQ(TxtCountRegions(row.text, row.open, row.close), row.count);
        CTextBuffer out("");
        EXPECT_EQ(TxtGetRegion(row.text, row.index, row.open, row.close, out.Data()), row.result);
        EXPECT_EQ(out.Text(), row.content);
        CTextBuffer buffer(row.text);
        EXPECT_EQ(TxtRemoveRegions(buffer.Data(), row.open, row.close), 0);
        EXPECT_EQ(buffer.Text(), row.removed);
        EXPECT_TRUE(buffer.ZeroAfterText());
    });
    // Region lengths with both markers: the old 2047-byte limit and one past it.
    for (const std::size_t length : {2047, 2048}) {
        const std::string text = "a/*" + std::string(length - 4, 'x') + "*/b";
        // Exactly the text and its terminator, so any write past the text is caught.
        std::vector<char> array(text.c_str(), text.c_str() + text.size() + 1);
        EXPECT_EQ(TxtRemoveRegions(array.data(), "/*", "*/"), 0);
        EXPECT_STREQ(array.data(), "ab") << length;
    }
}

TEST(TxtCleanPasted, JoinsLinesAndDropsComments) {
    const CTextRow rows[] = {
        {"indentation supplies the space", "int f(int a,\r\n    int b)", "int f(int a, int b)"},
        {"comments and tabs", "int\tf(int a, /* n */\r\n\tchar* p) // x\r\n",
         "int f(int a, char* p) "},
        {"line comment left open", "int f(int a) // comment", "int f(int a) // comment"},
        {"comment marker in a comment", "int /* // */ f() // x /* y */\n", "int f() "},
    };
    ForEachRow(rows, [](const CTextRow& row) {
        CTextBuffer buffer(row.text);
        EXPECT_EQ(TxtCleanPasted(buffer.Data()), 0);
        EXPECT_EQ(buffer.Text(), row.expected);
        EXPECT_TRUE(buffer.ZeroAfterText());
    });
}

} // namespace
