#include "format/field_list.h"
#include "format/format_read.h"
#include "format/grow_area.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>

namespace {

constexpr int APPENDED = EXPAND_APPENDED, KEEP = EXPAND_KEEP_NEXT, SKIP = EXPAND_SKIP_NEXT;
const std::string HIRAGANA = "\x82\xA0";

std::string Repeat(const std::string& text, std::size_t count) {
    std::string out;
    while (count-- > 0) {
        out += text;
    }
    return out;
}

std::string Lines(int first, int last, const char* end) {
    std::string text;
    for (int i = first; i <= last; ++i) {
        text += "L" + std::to_string(i) + end;
    }
    return text;
}

// Fields every case shares (NONE names no field), and a fresh directory per test.
class CExpand : public testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("veldane-format-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_dir);
        for (const auto& [name, value] : FIELDS) {
            ASSERT_EQ(m_list.AddField(name, value), 0) << name;
        }
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // Expands `bytes` as a format file; the output starts filled with '#' to show what is kept.
    std::string ExpandBytes(const std::string& bytes) {
        std::ofstream(m_dir / "format.txt", std::ios::binary) << bytes;
        m_output.assign(EXPAND_OUTPUT_SIZE, '#');
        EXPECT_EQ(m_list.ExpandFile((m_dir / "format.txt").c_str(), m_output.data()), 0);
        return m_output.c_str();
    }
    // Expands one line onto an output that already holds `before`; returns the whole output.
    std::string Expand(const std::string& line, int expected, const std::string& before = "old|") {
        m_output.assign(EXPAND_OUTPUT_SIZE, '\0');
        m_output.replace(0, before.size(), before);
        EXPECT_EQ(m_list.ExpandLine(line.c_str(), m_output.data()), expected);
        return m_output.c_str();
    }

    static constexpr std::pair<const char*, const char*> FIELDS[] = {
        {"FUNC", "GetCount"}, {"CLASS", "CList"},   {"BLANK", ""},
        {"MULTI", "a\nb"},    {"NEST", "<@FUNC@>"}, {"OPENER", "<@"},
    };
    CFieldList m_list;
    std::filesystem::path m_dir;
    std::string m_output;
};

TEST_F(CExpand, LineFillsPlaceholdersAndObeysConditions) {
    const std::tuple<const char*, std::string, int, std::string> rows[] = {
        {"filled twice", "<@FUNC@>-<@FUNC@>\n", APPENDED, "GetCount-GetCount\r\n"},
        {"absent and empty keys", "[<@NONE@><@@><@BLANK@>]", APPENDED, "[]"},
        {"exact keys", "<@func@>|<@ FUNC@>|<@IF@>|<@if FUNC@>", APPENDED, "|||"},
        {"region runs to first close", "x<@abc <@FUNC@>y", APPENDED, "xy"},
        {"close before open", "@> <@FUNC@>", APPENDED, "@> GetCount"},
        {"close marker in double-byte", "<@A\x81\x40>B@>", APPENDED, "B@>"},
        {"LF in value", "<@MULTI@>\n", APPENDED, "a\r\nb\r\n"},
        // Passes are counted from the line as read, not from what values bring in.
        {"new region without pass", "<@NEST@>", APPENDED, "<@FUNC@>"},
        {"new region with pass", "<@NEST@><@NONE@>", APPENDED, "GetCount<@NONE@>"},
        {"value opens a region", "<@OPENER@>x<@CLASS@>y", APPENDED, "y"},
        {"spare pass, unclosed rest", "<@FUNC@><@FUNC@> <@x", APPENDED, "GetCountGetCount <@x"},
        {"key of any length", "a<@" + std::string(507, 'k') + "@>b", APPENDED, "ab"},
        {"IF present", "<@IF FUNC@>\n", KEEP, ""},
        {"IF absent", "<@IF NONE@>\n", SKIP, ""},
        {"IFN present", "<@IFN FUNC@>\n", SKIP, ""},
        {"IFN absent", "<@IFN NONE@>\n", KEEP, ""},
        {"IF empty key", "<@IF @>", KEEP, ""},
        {"IF empty value", "<@IF BLANK@>", KEEP, ""},
        {"text and placeholder before", "<@FUNC@>: <@IF FUNC@>\n", KEEP, ""},
        {"first condition decides", "<@IF NONE@><@IF FUNC@>", SKIP, ""},
        {"prefix removed everywhere", "<@IF FIF UNC@>", KEEP, ""},
        // The unclosed rest is the key, LF included.
        {"spare pass IF", "<@FUNC@><@FUNC@><@IF FUNC\n", SKIP, ""},
        {"unclosed IF alone", "<@IF FUNC\n", APPENDED, "<@IF FUNC\r\n"},
    };
    for (const auto& [name, line, result, written] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Expand(line, result), "old|" + written);
    }
}

TEST_F(CExpand, LongValuesAreNotCutAndSelfFeedingOnesStop) {
    const std::string value(FIELD_TEXT_SIZE - 1, 'v');
    ASSERT_EQ(m_list.AddField("LONG", value.c_str()), 0);
    EXPECT_EQ(Expand(Repeat("<@LONG@>|", 60) + "\n", APPENDED, ""),
              Repeat(value + "|", 60) + "\r\n");
    // Growth stops at the area limit with the last edit undone.
    const std::string feed = Repeat("<@FEED@>", FIELD_TEXT_SIZE / 8 - 1);
    ASSERT_EQ(m_list.AddField("FEED", feed.c_str()), 0);
    ASSERT_LT(60 * feed.size(), AREA_SIZE_LIMIT);
    EXPECT_EQ(Expand(Repeat("<@FEED@>", 60), APPENDED, ""), Repeat(feed, 60));
}

TEST_F(CExpand, LineOutputStopsAtItsLastByteBetweenCharacters) {
    const std::size_t last = EXPAND_OUTPUT_SIZE - 1;
    const std::tuple<const char*, std::size_t, std::string, std::string> rows[] = {
        {"empty line", last - 1, "", ""},
        {"fills exactly", last - 2, "ab", "ab"},
        {"one past", last - 1, "yz", "y"},
        {"full buffer", last, "y", ""},
        {"CR LF not split", last - 1, "\n", ""},
        {"CR LF fits", last - 3, "a\n", "a\r\n"},
        {"double-byte fits", last - 2, HIRAGANA, HIRAGANA},
        {"double-byte at the edge", last - 2, "x" + HIRAGANA, "x"},
    };
    for (const auto& [name, filled, line, added] : rows) {
        SCOPED_TRACE(name);
        const std::string before(filled, 'x');
        EXPECT_EQ(Expand(line, APPENDED, before), before + added);
        EXPECT_EQ(m_output.find_first_not_of('\0', filled + added.size()), std::string::npos);
    }
}

TEST_F(CExpand, WorkedExampleGivesSevenCrLfLines) {
    const std::pair<const char*, const char*> fields[] = {
        {"TITLE", "Count entries"},   {"ARG_1_TYPE", "int"},
        {"ARG_1_NAME", "nKind"},      {"RET", "int"},
        {"DEVELOPER", "Developer A"}, {"DATE", "2001/06/01"}};
    for (const auto& [name, value] : fields) {
        ASSERT_EQ(m_list.AddField(name, value), 0);
    }
    EXPECT_EQ(ExpandBytes("/*\r\n"
                          " * <@TITLE@>\r\n"
                          " * <@CLASS@>::<@FUNC@>\r\n"
                          "<@IF ARG_1_NAME@>\r\n"
                          " * Arg1 <@ARG_1_TYPE@> <@ARG_1_NAME@> [<@ARG_1_TEXT@>]\r\n"
                          "<@IF ARG_2_NAME@>\r\n"
                          " * Arg2 <@ARG_2_TYPE@> <@ARG_2_NAME@> [<@ARG_2_TEXT@>]\r\n"
                          "<@IFN RET_TEXT@>\r\n"
                          " * return <@RET@>\r\n"
                          "<@IF RET_TEXT@>\r\n"
                          " * return <@RET@>: <@RET_TEXT@>\r\n"
                          " * <@DEVELOPER@> <@DATE@>\r\n"
                          " */\r\n"),
              "/*\r\n"
              " * Count entries\r\n"
              " * CList::GetCount\r\n"
              " * Arg1 int nKind []\r\n"
              " * return int\r\n"
              " * Developer A 2001/06/01\r\n"
              " */\r\n");
}

TEST_F(CExpand, FileIsReadInPiecesWithConditionsAndEncodings) {
    const std::string straddle = std::string(508, 'a') + "<@FUNC@>b";
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"empty file", "", ""},
        {"CR LF read as LF", "a\r\nb\r\nc", "a\r\nb\r\nc"},
        {"lone CR stays", "a\rb\r\r\n", "a\rb\r\r\n"},
        {"dropped condition not evaluated", "<@IF NONE@>\n<@IFN FUNC@>\nshown\n", "shown\r\n"},
        {"held condition then condition", "<@IF FUNC@>\n<@IFN FUNC@>\nno\nyes\n", "yes\r\n"},
        {"condition as last line", "a\n<@IF NONE@>", "a\r\n"},
        {"NUL ends the piece text", std::string("ab\0cd\nef\n", 9), "abef\r\n"},
        {"placeholder across pieces", straddle + "\n", straddle + "\r\n"},
        {"drop takes one piece", "<@IF NONE@>\n" + std::string(600, 'a') + "\n<@FUNC@>\n",
         std::string(89, 'a') + "\r\nGetCount\r\n"},
        {"UTF-8 with mark", "\xEF\xBB\xBF\xE3\x81\x82<@FUNC@>\r\n", HIRAGANA + "GetCount\r\n"},
        {"UTF-8 without mark", "\xE3\x81\x82<@FUNC@>\n", HIRAGANA + "GetCount\r\n"},
        {"mark only", "\xEF\xBB\xBF", ""},
        {"code page 932 as is", HIRAGANA + "<@FUNC@>\n", HIRAGANA + "GetCount\r\n"},
    };
    for (const auto& [name, file, output] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ExpandBytes(file), output);
    }
}

TEST_F(CExpand, FileStopsAtTheLineLimitAndAFullOutput) {
    EXPECT_EQ(ExpandBytes(Lines(1, 160, "\n")), Lines(1, FORMAT_LINE_LIMIT, "\r\n"));
    // The condition line counts, the line it drops does not.
    EXPECT_EQ(ExpandBytes(Lines(1, 9, "\n") + "<@IF NONE@>\n" + Lines(11, 160, "\n")),
              Lines(1, 9, "\r\n") + Lines(12, 151, "\r\n"));
    // A long line is two pieces; only the first is still within the limit.
    EXPECT_EQ(ExpandBytes(Lines(1, 149, "\n") + std::string(600, 'a') + "\nafter\n"),
              Lines(1, 149, "\r\n") + std::string(FORMAT_PIECE_SIZE, 'a'));
    // 255 double-byte characters and the LF make one full piece; the cut falls between two.
    const std::string chars = Repeat(HIRAGANA, (FORMAT_PIECE_SIZE - 1) / 2);
    const std::string output = ExpandBytes("x\n" + Repeat(chars + "\n", 128) + "y\n");
    EXPECT_EQ(output.size(), EXPAND_OUTPUT_SIZE - 2u);
    EXPECT_EQ(output, ("x\r\n" + Repeat(chars + "\r\n", 128)).substr(0, output.size()));
    // A huge file of unclosed regions is read only as far as it can be used.
    const std::string opens = Repeat("<@", 5 * 1024 * 1024);
    EXPECT_EQ(ExpandBytes(opens), opens.substr(0, EXPAND_OUTPUT_SIZE - 1));
}

TEST_F(CExpand, FileThatCannotBeReadLeavesTheOutputAlone) {
    ASSERT_EQ(mkfifo((m_dir / "fifo").c_str(), 0600), 0);
    const std::string untouched(EXPAND_OUTPUT_SIZE, '#');
    for (const std::string& path :
         {std::string(), (m_dir / "missing").string(), m_dir.string(), (m_dir / "fifo").string()}) {
        SCOPED_TRACE(path);
        m_output = untouched;
        EXPECT_EQ(m_list.ExpandFile(path.c_str(), m_output.data()), -1);
        EXPECT_EQ(m_output, untouched);
    }
}

} // namespace
