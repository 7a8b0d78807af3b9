#include "format/field_list.h"
#include "format/format_read.h"
#include "tests/format/format_fixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <random>
#include <string>

namespace {

std::string Lines(int first, int last, const char* end) {
    std::string text;
    for (int i = first; i <= last; ++i) {
        text += "L" + std::to_string(i) + end;
    }
    return text;
}

class CExpandFile : public CExpandTest {};

TEST_F(CExpandFile, WorkedExampleGivesSevenCrLfLines) {
    CFieldList list;
    const char* const fields[][2] = {
        {"TITLE", "Count entries"},   {"CLASS", "CList"},      {"FUNC", "GetCount"},
        {"ARG_1_TYPE", "int"},        {"ARG_1_NAME", "nKind"}, {"RET", "int"},
        {"DEVELOPER", "Developer A"}, {"DATE", "2001/06/01"},
    };
    for (const auto& field : fields) {
        ASSERT_EQ(list.AddField(field[0], field[1]), 0);
    }
    const std::string path = Write("/*\r\n"
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
                                   " */\r\n");
    std::string output(EXPAND_OUTPUT_SIZE, '#');
    ASSERT_EQ(list.ExpandFile(path.c_str(), output.data()), 0);
    EXPECT_EQ(std::string(output.c_str()), "/*\r\n"
                                           " * Count entries\r\n"
                                           " * CList::GetCount\r\n"
                                           " * Arg1 int nKind []\r\n"
                                           " * return int\r\n"
                                           " * Developer A 2001/06/01\r\n"
                                           " */\r\n");
}

TEST_F(CExpandFile, ReadsLinesPiecesAndConditions) {
    const std::string straddle = std::string(508, 'a') + "<@FUNC@>b";
    const std::string hiragana = "\x82\xA0";
    const struct {
        const char* name;
        std::string file;
        std::string output;
    } rows[] = {
        {"empty file", "", ""},
        {"CR LF read as LF", "a\r\nb\r\nc", "a\r\nb\r\nc"},
        {"lone CR stays", "a\rb\r\r\n", "a\rb\r\r\n"},
        {"dropped condition not evaluated", "<@IF NONE@>\n<@IFN FUNC@>\nshown\n", "shown\r\n"},
        {"held condition then condition", "<@IF FUNC@>\n<@IFN FUNC@>\nhidden\nafter\n",
         "after\r\n"},
        {"condition as last line", "a\n<@IF NONE@>", "a\r\n"},
        {"NUL ends the piece text", std::string("ab\0cd\nef\n", 9), "abef\r\n"},
        {"placeholder across pieces", straddle + "\n", straddle + "\r\n"},
        {"drop takes one piece", "<@IF NONE@>\n" + std::string(600, 'a') + "\n<@FUNC@>\n",
         std::string(89, 'a') + "\r\nGetCount\r\n"},
        {"UTF-8 with mark", "\xEF\xBB\xBF\xE3\x81\x82<@FUNC@>\r\n", hiragana + "GetCount\r\n"},
        {"UTF-8 without mark", "\xE3\x81\x82<@FUNC@>\n", hiragana + "GetCount\r\n"},
        {"UTF-8 lacking character", "\xF0\x9F\x98\x80!", "?!"},
        {"mark only", "\xEF\xBB\xBF", ""},
        {"code page 932 as is", hiragana + "<@FUNC@>\n", hiragana + "GetCount\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ExpandBytes(row.file), row.output);
    }
}

TEST_F(CExpandFile, StopsAfterTheLineLimit) {
    EXPECT_EQ(ExpandBytes(Lines(1, 160, "\n")), Lines(1, FORMAT_LINE_LIMIT, "\r\n"));
    // The condition line counts, the line it drops does not.
    EXPECT_EQ(ExpandBytes(Lines(1, 9, "\n") + "<@IF NONE@>\n" + Lines(11, 160, "\n")),
              Lines(1, 9, "\r\n") + Lines(12, 151, "\r\n"));
    // A long line is two pieces; only the first is still within the limit.
    EXPECT_EQ(ExpandBytes(Lines(1, 149, "\n") + std::string(600, 'a') + "\nafter\n"),
              Lines(1, 149, "\r\n") + std::string(FORMAT_PIECE_SIZE, 'a'));
}

TEST_F(CExpandFile, OutputIsCutBetweenCharactersAndNothingFollows) {
    // 255 double-byte characters and the LF make one full piece.
    const std::string chars = Repeat("\x82\xA0", (FORMAT_PIECE_SIZE - 1) / 2);
    const std::string output = ExpandBytes("x\n" + Repeat(chars + "\n", 128) + "y\n");
    EXPECT_EQ(output.size(), EXPAND_OUTPUT_SIZE - 2u);
    EXPECT_EQ(output, ("x\r\n" + Repeat(chars + "\r\n", 128)).substr(0, output.size()));
}

TEST_F(CExpandFile, RefusesWhatItCannotReadAndLeavesOutputAlone) {
    ASSERT_EQ(mkfifo((m_dir / "fifo").c_str(), 0600), 0);
    const std::string small = Write("<@FUNC@>\n");
    const std::string paths[] = {"", (m_dir / "missing").string(), m_dir.string(),
                                 (m_dir / "fifo").string(), small};
    const std::string untouched(EXPAND_OUTPUT_SIZE, '#');
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        // The readable file fails only for want of memory for its text.
        CAllocFailure refuse(path == small ? 0 : 1000);
        m_output = untouched;
        EXPECT_EQ(m_list.ExpandFile(path.c_str(), m_output.data()), -1);
        EXPECT_EQ(m_output, untouched);
    }
}

TEST_F(CExpandFile, HugeAndHostileFilesStayBounded) {
    const std::string opens = Repeat("<@", 5 * 1024 * 1024);
    EXPECT_EQ(ExpandBytes(opens), opens.substr(0, EXPAND_OUTPUT_SIZE - 1));
    EXPECT_EQ(ExpandBytes(Repeat("<@FUNC@>\n", 100000)), Repeat("GetCount\r\n", 150));

    // Each value brings in the next placeholder, so every pass goes over the whole grown line.
    ASSERT_EQ(m_list.AddField("FEED", Repeat("<@K0@>", 170).c_str()), 0);
    for (int i = 0; i < 25; ++i) {
        const std::string next = "<@K" + std::to_string(i + 1) + "@>";
        ASSERT_EQ(m_list.AddField(("K" + std::to_string(i)).c_str(), next.c_str()), 0);
    }
    EXPECT_LT(ExpandBytes(Repeat(Repeat("<@FEED@>", 60) + "\n", 150)).size(),
              std::size_t{EXPAND_OUTPUT_SIZE});

    // Bytes drawn mostly from the markers, prefixes, line ends, NUL and lead bytes.
    const char bytes[] = "<@>IFN \n\r\0\x81\x40\xE0\xEF\xBB\xBF"
                         "FUNCNEST";
    std::mt19937 random(1234);
    std::string file(1 << 16, ' ');
    for (int round = 0; round < 20; ++round) {
        for (char& byte : file) {
            byte = bytes[random() % (sizeof bytes - 1)];
        }
        EXPECT_LT(ExpandBytes(file).size(), std::size_t{EXPAND_OUTPUT_SIZE});
    }
}

} // namespace
