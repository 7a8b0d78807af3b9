#include "tests/text/text_buffer.h"
#include "text/txt.h"

#include <vector>

namespace {

struct CScanRow {
    const char* name;
    const char* text;
    int count;
    int index;
    int result;
    const char* content;
};

TEST(TxtRegionScan, CountsAndCopiesPlaceholderRegions) {
    const CScanRow rows[] = {
        {"empty region", "<@@>", 1, 1, -1, ""},
        {"markers share no byte", "<@>", 0, 1, 0, ">"},
        {"open inside a region is content", "<@<@>", 1, 1, 0, "<"},
        {"close outside is text", "@> <@a@>", 1, 1, 0, "a"},
        {"no nesting", "<@a<@b@>", 1, 1, 0, "a<@b"},
        {"second region", "<@A@><@B@>", 2, 2, 0, "B"},
        {"unterminated to the end", "x<@ab", 0, 1, 0, "ab"},
        {"trail byte closes", "<@A\x81@>B@>", 1, 1, 0, "A\x81"},
    };
    ForEachRow(rows, [](const CScanRow& row) {
        EXPECT_EQ(TxtCountRegions(row.text, "<@", "@>"), row.count);
        CTextBuffer out("");
        EXPECT_EQ(TxtGetRegion(row.text, row.index, "<@", "@>", out.Data()), row.result);
        EXPECT_EQ(out.Text(), row.content);
    });
}

struct CRemoveRow {
    const char* name;
    const char* open;
    const char* close;
    const char* text;
    const char* expected;
};

TEST(TxtRemoveRegions, DeletesCompleteRegionsPassAfterPass) {
    const CRemoveRow rows[] = {
        {"unterminated stays", "<@", "@>", "x<@ab", "x<@ab"},
        {"equal markers take turns", "|", "|", "|a|b|c|", "b"},
        {"empty markers find nothing", "", "", "abc", "abc"},
        {"copies go together", "/*", "*/", "/* a */ x /* a */ y /* b */", " x  y "},
        {"first close ends", "/*", "*/", "/* /* */ */", " */"},
        {"joined into a new comment", "/*", "*/", "//* a */* b */", ""},
        {"line comment with its break", "//", "\n", "int f(); // c\nint g();", "int f(); int g();"},
        {"carriage returns are content", "//", "\n", "// a\r\n// b\r\nint f();", "int f();"},
        {"line comment left open", "//", "\n", "f(); // note", "f(); // note"},
    };
    ForEachRow(rows, [](const CRemoveRow& row) {
        CTextBuffer buffer(row.text);
        EXPECT_EQ(TxtRemoveRegions(buffer.Data(), row.open, row.close), 0);
        EXPECT_EQ(buffer.Text(), row.expected);
        EXPECT_TRUE(buffer.ZeroAfterText());
    });
}

TEST(TxtRemoveRegions, LongRegionsGoLikeShortOnes) {
    // Region lengths with both markers: the old 2047-byte limit, one past it, far beyond.
    const std::size_t lengths[] = {2047, 2048, 6000};
    for (std::size_t length : lengths) {
        SCOPED_TRACE(length);
        const std::string text = "a/*" + std::string(length - 4, 'x') + "*/b";
        // Exactly the text and its terminator, so any write past the text is caught.
        std::vector<char> buffer(text.c_str(), text.c_str() + text.size() + 1);
        EXPECT_EQ(TxtRemoveRegions(buffer.data(), "/*", "*/"), 0);
        EXPECT_STREQ(buffer.data(), "ab");
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
    CheckEdits(rows, [](char* text) { EXPECT_EQ(TxtCleanPasted(text), 0); });
}

} // namespace
