#include "format/field_list.h"
#include "format/format_read.h"
#include "row_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

namespace fs = std::filesystem;

namespace {

constexpr int APPENDED = EXPAND_APPENDED, KEEP = EXPAND_KEEP_NEXT, SKIP = EXPAND_SKIP_NEXT;
const std::string HIRAGANA = "\x82\xA0";
const std::string KANA = "\xEF\xBD\xB1";

std::string Repeat(const std::string& text, std::size_t count) {
    std::string result;
    while (count-- > 0) {
        result += text;
    }
    return result;
}

// The head matches the empty name before any field, and the first of two fields with a name wins.
constexpr std::pair<const char*, const char*> FIELDS[] = {
    {"FUNC", "GetCount"}, {"BLANK", ""}, {"MULTI", "a\nb"},          {"NEST", "<@FUNC@>"},
    {"FUNC", "second"},   {"", "head"},  {"TITLE", "Count entries"}, {"DATE", "2001/06/01"},
};

class CFieldListTest : public testing::Test {
protected:
    void SetUp() override {
        for (const auto& [name, value] : FIELDS) {
            ASSERT_EQ(m_list.AddField(name, value), 0);
        }
    }
    void TearDown() override { std::remove(m_path.c_str()); }

    std::string ExpandBytes(const std::string& bytes) {
        std::ofstream(m_path, std::ios::binary) << bytes;
        m_output.assign(EXPAND_OUTPUT_SIZE, '#');
        EXPECT_EQ(m_list.ExpandFile(m_path.c_str(), m_output.data()), 0);
        return m_output.c_str();
    }
    std::string Expand(const std::string& line, int expected, const std::string& before = "old|") {
        m_output.assign(EXPAND_OUTPUT_SIZE, '\0');
        m_output.replace(0, before.size(), before);
        EXPECT_EQ(m_list.ExpandLine(line.c_str(), m_output.data()), expected);
        return m_output.c_str();
    }

    CFieldList m_list;
    const std::string m_path = testing::TempDir() + "format-" + std::to_string(getpid());
    std::string m_output;
};

TEST_F(CFieldListTest, LineFillsPlaceholdersAndObeysConditions) {
    ASSERT_EQ(m_list.AddField("K", "v"), 0);
    for (const CFieldRow& row :
         ReadFieldRows(FORMAT_TEST_DATA "expand-line.txt", {"line", "result", "written"})) {
        const int result = row["result"] == "keep"   ? KEEP
                           : row["result"] == "skip" ? SKIP
                                                     : APPENDED;
        EXPECT_EQ(Expand(row["line"], result), "old|" + row["written"]) << row.m_strWhere;
    }
    // 2048 bytes once filled, as large as the working area has grown to by then: the room for
    // the terminator makes it grow once more.
    EXPECT_EQ(Expand(Repeat("<@TITLE@>", 6) + Repeat("<@DATE@>", 197), APPENDED),
              "old|" + Repeat("Count entries", 6) + Repeat("2001/06/01", 197));
}

// Texts up to the field size are taken, and values are never cut however many there are. Values
// that bring in placeholders are removed once they outgrow the working area, and a condition after
// them still decides. An emptied list finds nothing (and its destructor must not free again).
TEST_F(CFieldListTest, FieldsUpToTheirSizeExpandWholeAndSelfFeedingOnesStop) {
    const std::string full(FIELD_TEXT_SIZE - 1, 'f'), past(FIELD_TEXT_SIZE, 'p');
    const std::string feed = Repeat("<@F@>", FIELD_TEXT_SIZE / 5 - 1);
    ASSERT_EQ(m_list.AddField("V", full.c_str()) + m_list.AddField("F", feed.c_str()), 0);
    EXPECT_EQ(m_list.AddField(full.c_str(), "n") + m_list.AddField(past.c_str(), "x"), -1);
    EXPECT_EQ(m_list.AddField("P", past.c_str()), -1);
    char value[FIELD_TEXT_SIZE] = {};
    EXPECT_EQ(m_list.AddField(nullptr, "v") + m_list.AddField("N", nullptr), -2);
    EXPECT_EQ(m_list.FindField(nullptr, value) + m_list.FindField("NONE", value), -2);
    EXPECT_EQ(Expand("<@" + full + "@><@P@><@" + past + "@>" + Repeat("<@V@>|", 60), APPENDED, ""),
              "n" + Repeat(full + "|", 60));
    EXPECT_EQ(Expand(Repeat("<@F@>", 60) + "<@IF NONE@>", SKIP, ""), "");
    // Each line brings in 10,201 placeholders of 101 keys, which take a pass each: the edit
    // budget is spent after 19 lines, and from then on every placeholder is removed unfilled.
    std::string unknown;
    for (int key = 1; key <= 101; ++key) {
        unknown += "<@u" + std::to_string(key) + "@>";
    }
    ASSERT_EQ(m_list.AddField("A", unknown.c_str()) + m_list.AddField("B", "X"), 0);
    EXPECT_EQ(ExpandBytes(Repeat(Repeat("<@A@>", 101) + "<@B@>\n", 150)),
              Repeat("<@B@>\r\n", 19) + Repeat("\r\n", 131));
    m_list.FreeFields();
    EXPECT_EQ(Expand("<@FUNC@>", APPENDED, ""), "");
}

TEST_F(CFieldListTest, LineOutputStopsAtItsLastByteBetweenCharacters) {
    const std::size_t last = EXPAND_OUTPUT_SIZE - 1;
    const std::tuple<const char*, std::size_t, std::string, std::string> rows[] = {
        {"empty line", last - 1, "", ""},
        {"fills exactly", last - 2, "ab", "ab"},
        {"one past", last - 1, "yz", "y"},
        {"CR LF not split", last - 1, "\n", ""},
        {"CR LF fits, the rest not", last - 4, "a\nbc", "a\r\nb"},
        {"double-byte at the edge", last - 2, "x" + HIRAGANA, "x"},
    };
    for (const auto& [name, filled, line, added] : rows) {
        SCOPED_TRACE(name);
        const std::string before(filled, 'x');
        EXPECT_EQ(Expand(line, APPENDED, before), before + added);
        EXPECT_EQ(m_output.find_first_not_of('\0', filled + added.size()), std::string::npos);
    }
}

// Of 151 lines a condition counts, the line it drops does not. A full output is cut between two
// double-byte characters, and nothing follows the cut.
TEST_F(CFieldListTest, FileIsReadInPiecesUpToTheLineLimitAndAFullOutput) {
    const std::string cut = std::string(508, 'a') + "<@FUNC@>";
    const std::string chars = Repeat(HIRAGANA, (FORMAT_PIECE_SIZE - 1) / 2);
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"placeholder across pieces", cut + "\n", cut + "\r\n"},
        {"drop takes one piece", "<@IF NONE@>\n" + std::string(600, 'a') + "\n<@FUNC@>\n",
         std::string(89, 'a') + "\r\nGetCount\r\n"},
        // 149 conditions, each dropping a line, all of 511 half-width katakana of three UTF-8
        // bytes: the 150th line starts 453 KB in.
        {"UTF-8 of three bytes a byte, read to the 150th line",
         Repeat("<@IF NONE@>" + Repeat(KANA, 499) + "\n" + Repeat(KANA, 510) + "\n", 149) + "end\n",
         "end\r\n"},
        // Lines of 100 hiragana of three UTF-8 bytes, 301 bytes in all, and the read limit falls
        // inside a character: what was read is well-formed, and code page 932 past it does not
        // count.
        {"UTF-8 judged by the bytes read",
         Repeat(Repeat("\xE3\x81\x82", 100) + "\n", FORMAT_READ_LIMIT / 301 + 1) + HIRAGANA,
         Repeat(Repeat(HIRAGANA, 100) + "\r\n", FORMAT_LINE_LIMIT)},
        {"line limit", Repeat("a\n", 9) + "<@IF NONE@>\nb\n" + Repeat("c\n", 150),
         Repeat("a\r\n", 9) + Repeat("c\r\n", FORMAT_LINE_LIMIT - 10)},
        {"full output", "x\n" + Repeat(chars + "\n", 128) + "y\n",
         ("x\r\n" + Repeat(chars + "\r\n", 128)).substr(0, EXPAND_OUTPUT_SIZE - 2)},
    };
    for (const auto& [name, file, output] : rows) {
        EXPECT_EQ(ExpandBytes(file), output) << name;
    }
    for (const CFieldRow& row :
         ReadFieldRows(FORMAT_TEST_DATA "expand-file.txt", {"file", "output"})) {
        EXPECT_EQ(ExpandBytes(row["file"]), row["output"]) << row.m_strWhere;
    }
}

// Nor does it leave the file open; and a readable file needs somewhere to go.
TEST_F(CFieldListTest, FileThatCannotBeReadLeavesTheOutputAlone) {
    ASSERT_EQ(mkfifo(m_path.c_str(), 0600), 0);
    const std::string untouched(EXPAND_OUTPUT_SIZE, '#');
    // The last two are regular files that no one may read, not even the superuser: one that
    // does not open for reading, one whose reading fails.
    for (const std::string& path :
         {std::string(), m_path + "-x", testing::TempDir(), m_path,
          std::string("/proc/sys/vm/drop_caches"), std::string("/proc/self/mem")}) {
        m_output = untouched;
        const auto before = std::distance(fs::directory_iterator("/proc/self/fd"), {});
        EXPECT_EQ(m_list.ExpandFile(path.c_str(), m_output.data()), -1) << path;
        EXPECT_EQ(m_output, untouched);
        EXPECT_EQ(std::distance(fs::directory_iterator("/proc/self/fd"), {}), before) << path;
    }
    EXPECT_EQ(m_list.ExpandFile(nullptr, m_output.data()), -1);
    EXPECT_EQ(m_list.ExpandFile("/proc/self/cmdline", nullptr), -1);
}

} // namespace
