#include "format/field_list.h"
#include "format/grow_area.h"
#include "tests/format/format_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CLineRow {
    const char* name;
    std::string line;
    int result;
    std::string written;
};

class CExpandLine : public CExpandTest {
protected:
    // Each row's line goes onto earlier text, which must stay in front of what it writes.
    template <std::size_t N> void CheckRows(const CLineRow (&rows)[N]) {
        for (const CLineRow& row : rows) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(Expand(row.line, "old|"), row.result);
            EXPECT_EQ(Text(), "old|" + row.written);
        }
    }
    // Expands one line onto an output that already holds `before`.
    int Expand(const std::string& line, const std::string& before = "") {
        m_output.assign(EXPAND_OUTPUT_SIZE, '\0');
        m_output.replace(0, before.size(), before);
        return m_list.ExpandLine(line.c_str(), m_output.data());
    }
    std::string Text() const { return m_output.c_str(); }
};

TEST_F(CExpandLine, FillsPlaceholdersAndScansRegions) {
    const CLineRow rows[] = {
        {"no region", "/* a */\n", EXPAND_APPENDED, "/* a */\r\n"},
        {"no line end", "abc", EXPAND_APPENDED, "abc"},
        {"lone CR stays", "a\rb\n", EXPAND_APPENDED, "a\rb\r\n"},
        {"filled twice", "<@FUNC@>-<@FUNC@>\n", EXPAND_APPENDED, "GetCount-GetCount\r\n"},
        {"two keys", "<@CLASS@>::<@FUNC@>", EXPAND_APPENDED, "CList::GetCount"},
        {"absent key removed", "[<@NONE@>]", EXPAND_APPENDED, "[]"},
        {"empty key removed", "<@@>x", EXPAND_APPENDED, "x"},
        {"empty value", "[<@BLANK@>]", EXPAND_APPENDED, "[]"},
        {"exact keys", "<@func@>|<@ FUNC@>|<@FUNC @>", EXPAND_APPENDED, "||"},
        {"IF without blank", "<@IF@>x", EXPAND_APPENDED, "x"},
        {"lower-case if", "<@if FUNC@>x", EXPAND_APPENDED, "x"},
        {"region runs to first close", "x<@abc <@FUNC@>y", EXPAND_APPENDED, "xy"},
        {"close before open", "@> <@FUNC@>", EXPAND_APPENDED, "@> GetCount"},
        {"unclosed open", "<@FUNC", EXPAND_APPENDED, "<@FUNC"},
        {"close marker in double-byte", "<@A\x81\x40>B@>", EXPAND_APPENDED, "B@>"},
        {"LF in value", "<@MULTI@>\n", EXPAND_APPENDED, "a\r\nb\r\n"},
        // Passes are counted from the line as read: a value that brings in a placeholder is
        // filled only while passes are left.
        {"new region without pass", "<@NEST@>", EXPAND_APPENDED, "<@FUNC@>"},
        {"new region with pass", "<@NEST@><@NONE@>", EXPAND_APPENDED, "GetCount<@NONE@>"},
        {"value opens a region", "<@OPENER@>x<@CLASS@>y", EXPAND_APPENDED, "y"},
        {"spare pass keeps unclosed rest", "<@FUNC@><@FUNC@> <@x\n", EXPAND_APPENDED,
         "GetCountGetCount <@x\r\n"},
        {"key of any length", "a<@" + std::string(507, 'k') + "@>b", EXPAND_APPENDED, "ab"},
    };
    CheckRows(rows);
}

TEST_F(CExpandLine, ConditionLinesWriteNothing) {
    const CLineRow rows[] = {
        {"IF present", "<@IF FUNC@>\n", EXPAND_KEEP_NEXT, ""},
        {"IF absent", "<@IF NONE@>\n", EXPAND_SKIP_NEXT, ""},
        {"IFN present", "<@IFN FUNC@>\n", EXPAND_SKIP_NEXT, ""},
        {"IFN absent", "<@IFN NONE@>\n", EXPAND_KEEP_NEXT, ""},
        {"IF empty key", "<@IF @>", EXPAND_KEEP_NEXT, ""},
        {"IFN empty key", "<@IFN @>", EXPAND_SKIP_NEXT, ""},
        {"IF empty value", "<@IF BLANK@>", EXPAND_KEEP_NEXT, ""},
        {"two blanks", "<@IF  FUNC@>", EXPAND_SKIP_NEXT, ""},
        {"text before", "Args: <@IF FUNC@>\n", EXPAND_KEEP_NEXT, ""},
        {"after a placeholder", "<@FUNC@> <@IF NONE@>\n", EXPAND_SKIP_NEXT, ""},
        {"first condition decides", "<@IF NONE@><@IF FUNC@>", EXPAND_SKIP_NEXT, ""},
        {"prefix removed everywhere", "<@IF FIF UNC@>", EXPAND_KEEP_NEXT, ""},
        {"IFN removed everywhere", "<@IFN IFN FUNC@>", EXPAND_SKIP_NEXT, ""},
        // A spare pass over an unclosed rest that begins with a prefix: the key keeps the LF.
        {"spare pass IF", "<@FUNC@><@FUNC@><@IF FUNC\n", EXPAND_SKIP_NEXT, ""},
        {"spare pass IFN", "<@FUNC@><@FUNC@><@IFN FUNC\n", EXPAND_KEEP_NEXT, ""},
        {"unclosed IF alone", "<@IF FUNC\n", EXPAND_APPENDED, "<@IF FUNC\r\n"},
    };
    CheckRows(rows);
}

TEST_F(CExpandLine, LongValuesAndLinesAreNotCut) {
    const std::string value(FIELD_TEXT_SIZE - 1, 'v');
    ASSERT_EQ(m_list.AddField("LONG", value.c_str()), 0);
    std::string line;
    std::string expected;
    for (int i = 0; i < 60; ++i) {
        line += "<@LONG@>|";
        expected += value + "|";
    }
    EXPECT_EQ(Expand(line + "\n"), EXPAND_APPENDED);
    EXPECT_EQ(Text(), expected + "\r\n");
}

// Values that keep bringing in placeholders would grow without end; the growth stops at the
// area limit with the last edit undone.
TEST_F(CExpandLine, SelfFeedingValuesStopAtTheAreaLimit) {
    std::string feed;
    while (feed.size() + 8 < FIELD_TEXT_SIZE) {
        feed += "<@FEED@>";
    }
    ASSERT_EQ(m_list.AddField("FEED", feed.c_str()), 0);
    std::string line;
    for (int i = 0; i < 60; ++i) {
        line += "<@FEED@>";
    }
    std::string once;
    for (int i = 0; i < 60; ++i) {
        once += feed;
    }
    ASSERT_LT(once.size(), AREA_SIZE_LIMIT);
    EXPECT_EQ(Expand(line), EXPAND_APPENDED);
    EXPECT_EQ(Text(), once.substr(0, EXPAND_OUTPUT_SIZE - 1));
}

TEST_F(CExpandLine, OutputStopsAtItsLastByteBetweenCharacters) {
    const std::string hiragana = "\x82\xA0";
    const std::size_t last = EXPAND_OUTPUT_SIZE - 1;
    struct CCapRow {
        const char* name;
        std::size_t filled;
        std::string line;
        std::string added;
    } const rows[] = {
        {"empty line", last - 1, "", ""},
        {"fills exactly", last - 2, "ab", "ab"},
        {"one past", last - 1, "yz", "y"},
        {"full buffer", last, "y", ""},
        {"CR LF not split", last - 1, "\n", ""},
        {"CR LF after text", last - 3, "a\n", "a\r\n"},
        {"double-byte fits", last - 2, hiragana, hiragana},
        {"double-byte at the edge", last - 1, hiragana, ""},
        {"double-byte after single", last - 2, "x" + hiragana, "x"},
    };
    for (const CCapRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string before(row.filled, 'x');
        EXPECT_EQ(Expand(row.line, before), EXPAND_APPENDED);
        EXPECT_EQ(Text(), before + row.added);
        EXPECT_EQ(m_output.find_first_not_of('\0', before.size() + row.added.size()),
                  std::string::npos);
    }
}

TEST_F(CExpandLine, FailedAllocationsLeaveTheEditUndone) {
    {
        CRefuseAllocs refuse(0, SIZE_MAX);
        EXPECT_EQ(Expand("<@FUNC@>|<@NONE@>\n"), EXPAND_APPENDED);
        EXPECT_EQ(Text(), "<@FUNC@>|<@NONE@>\r\n");
    }
    ASSERT_EQ(m_list.AddField("LONG", std::string(FIELD_TEXT_SIZE - 1, 'v').c_str()), 0);
    {
        // Only the growth of the work area beyond its first size fails.
        CRefuseAllocs refuse(2 * AREA_INLINE_SIZE, SIZE_MAX);
        EXPECT_EQ(Expand("<@FUNC@><@LONG@>\n"), EXPAND_APPENDED);
        EXPECT_EQ(Text(), "GetCount<@LONG@>\r\n");
    }
    EXPECT_EQ(Expand("<@FUNC@>\n"), EXPAND_APPENDED);
    EXPECT_EQ(Text(), "GetCount\r\n");
}

} // namespace
