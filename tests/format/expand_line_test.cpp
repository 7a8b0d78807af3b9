#include "format/field_list.h"
#include "format/grow_area.h"
#include "tests/format/format_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CExpandLine : public CExpandTest {
protected:
    // Expands one line onto an output that already holds `before`; returns the whole output.
    std::string Expand(const std::string& line, int expected, const std::string& before = "old|") {
        m_output.assign(EXPAND_OUTPUT_SIZE, '\0');
        m_output.replace(0, before.size(), before);
        EXPECT_EQ(m_list.ExpandLine(line.c_str(), m_output.data()), expected);
        return m_output.c_str();
    }
};

TEST_F(CExpandLine, FillsPlaceholdersAndObeysConditions) {
    const struct {
        const char* name;
        std::string line;
        int result;
        std::string written;
    } rows[] = {
        {"no region", "/* a */\n", EXPAND_APPENDED, "/* a */\r\n"},
        {"lone CR stays", "a\rb", EXPAND_APPENDED, "a\rb"},
        {"filled twice", "<@FUNC@>-<@FUNC@>\n", EXPAND_APPENDED, "GetCount-GetCount\r\n"},
        {"absent and empty keys", "[<@NONE@><@@><@BLANK@>]", EXPAND_APPENDED, "[]"},
        {"exact keys", "<@func@>|<@ FUNC@>|<@IF@>|<@if FUNC@>", EXPAND_APPENDED, "|||"},
        {"region runs to first close", "x<@abc <@FUNC@>y", EXPAND_APPENDED, "xy"},
        {"close before open", "@> <@FUNC@>", EXPAND_APPENDED, "@> GetCount"},
        {"unclosed open", "<@FUNC", EXPAND_APPENDED, "<@FUNC"},
        {"close marker in double-byte", "<@A\x81\x40>B@>", EXPAND_APPENDED, "B@>"},
        {"LF in value", "<@MULTI@>\n", EXPAND_APPENDED, "a\r\nb\r\n"},
        // Passes are counted from the line as read: a placeholder that a value brings in is
        // filled only while passes are left.
        {"new region without pass", "<@NEST@>", EXPAND_APPENDED, "<@FUNC@>"},
        {"new region with pass", "<@NEST@><@NONE@>", EXPAND_APPENDED, "GetCount<@NONE@>"},
        {"value opens a region", "<@OPENER@>x<@CLASS@>y", EXPAND_APPENDED, "y"},
        {"spare pass keeps unclosed rest", "<@FUNC@><@FUNC@> <@x\n", EXPAND_APPENDED,
         "GetCountGetCount <@x\r\n"},
        {"key of any length", "a<@" + std::string(507, 'k') + "@>b", EXPAND_APPENDED, "ab"},
        {"IF present", "<@IF FUNC@>\n", EXPAND_KEEP_NEXT, ""},
        {"IF absent", "<@IF NONE@>\n", EXPAND_SKIP_NEXT, ""},
        {"IFN present", "<@IFN FUNC@>\n", EXPAND_SKIP_NEXT, ""},
        {"IFN absent", "<@IFN NONE@>\n", EXPAND_KEEP_NEXT, ""},
        {"IF empty key", "<@IF @>", EXPAND_KEEP_NEXT, ""},
        {"IF empty value", "<@IF BLANK@>", EXPAND_KEEP_NEXT, ""},
        {"IFN empty key", "<@IFN @>", EXPAND_SKIP_NEXT, ""},
        {"two blanks", "<@IF  FUNC@>", EXPAND_SKIP_NEXT, ""},
        {"text and placeholder before", "<@FUNC@>: <@IF FUNC@>\n", EXPAND_KEEP_NEXT, ""},
        {"first condition decides", "<@IF NONE@><@IF FUNC@>", EXPAND_SKIP_NEXT, ""},
        {"prefix removed everywhere", "<@IF FIF UNC@>", EXPAND_KEEP_NEXT, ""},
        // A spare pass over an unclosed rest that begins with a prefix: the key keeps the LF.
        {"spare pass IF", "<@FUNC@><@FUNC@><@IF FUNC\n", EXPAND_SKIP_NEXT, ""},
        {"spare pass IFN", "<@FUNC@><@FUNC@><@IFN FUNC\n", EXPAND_KEEP_NEXT, ""},
        {"unclosed IF alone", "<@IF FUNC\n", EXPAND_APPENDED, "<@IF FUNC\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Expand(row.line, row.result), "old|" + row.written);
    }
}

TEST_F(CExpandLine, LongValuesAreNotCutAndSelfFeedingOnesStop) {
    const std::string value(FIELD_TEXT_SIZE - 1, 'v');
    ASSERT_EQ(m_list.AddField("LONG", value.c_str()), 0);
    EXPECT_EQ(Expand(Repeat("<@LONG@>|", 60) + "\n", EXPAND_APPENDED, ""),
              Repeat(value + "|", 60) + "\r\n");

    // Growth stops at the area limit with the last edit undone.
    const std::string feed = Repeat("<@FEED@>", FIELD_TEXT_SIZE / 8 - 1);
    ASSERT_EQ(m_list.AddField("FEED", feed.c_str()), 0);
    ASSERT_LT(60 * feed.size(), AREA_SIZE_LIMIT);
    EXPECT_EQ(Expand(Repeat("<@FEED@>", 60), EXPAND_APPENDED, ""), Repeat(feed, 60));
}

TEST_F(CExpandLine, OutputStopsAtItsLastByteBetweenCharacters) {
    const std::string hiragana = "\x82\xA0";
    const std::size_t last = EXPAND_OUTPUT_SIZE - 1;
    const struct {
        const char* name;
        std::size_t filled;
        std::string line;
        std::string added;
    } rows[] = {
        {"empty line", last - 1, "", ""},
        {"fills exactly", last - 2, "ab", "ab"},
        {"one past", last - 1, "yz", "y"},
        {"full buffer", last, "y", ""},
        {"CR LF not split", last - 1, "\n", ""},
        {"CR LF fits", last - 3, "a\n", "a\r\n"},
        {"double-byte fits", last - 2, hiragana, hiragana},
        {"double-byte at the edge", last - 2, "x" + hiragana, "x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string before(row.filled, 'x');
        EXPECT_EQ(Expand(row.line, EXPAND_APPENDED, before), before + row.added);
        EXPECT_EQ(m_output.find_first_not_of('\0', before.size() + row.added.size()),
                  std::string::npos);
    }
}

TEST_F(CExpandLine, FailedAllocationsLeaveTheEditUndone) {
    {
        CAllocFailure refuse(0);
        EXPECT_EQ(Expand("<@FUNC@>|<@NONE@>\n", EXPAND_APPENDED), "old|<@FUNC@>|<@NONE@>\r\n");
    }
    ASSERT_EQ(m_list.AddField("LONG", std::string(FIELD_TEXT_SIZE - 1, 'v').c_str()), 0);
    {
        // The first edit gets its scratch copy; growing the work area for the second fails.
        CAllocFailure refuse(1);
        EXPECT_EQ(Expand("<@FUNC@><@LONG@>\n", EXPAND_APPENDED), "old|GetCount<@LONG@>\r\n");
        EXPECT_GT(CAllocFailure::s_nLastSize, AREA_INLINE_SIZE);
    }
    EXPECT_EQ(Expand("<@FUNC@>\n", EXPAND_APPENDED), "old|GetCount\r\n");
}

} // namespace
