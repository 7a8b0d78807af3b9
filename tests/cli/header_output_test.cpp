#include "text/codepage.h"
#include "tool_dir.h"
#include "window_path.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

const std::string ALL_KEYS = std::string(CLI_TEST_DATA) + "/all_keys.txt";
const std::string HOUSE_STYLE = std::string(CLI_TEST_DATA) + "/house_style.txt";

class HeaderOutput : public ::testing::TestWithParam<const char*> {
protected:
    CToolDir m_dir;
};

TEST_P(HeaderOutput, MatchesWhatTheWindowCopies) {
    const WindowBoxes boxes = {{"TITLE", TxtUtf8ToCp932("件数を数える")},
                               {"DEVELOPER", TxtUtf8ToCp932("開発者 A")},
                               {"DATE", "2001/06/01"},
                               {"ARG_1_TEXT", TxtUtf8ToCp932("種別")}};
    const std::string expected = WindowClipboard(TxtUtf8ToCp932(GetParam()), boxes, ALL_KEYS);
    ASSERT_FALSE(expected.empty());
    const ToolResult result =
        m_dir.Run({"--format", ALL_KEYS, "--title", "件数を数える", "-d", "開発者 A", "--date",
                   "2001/06/01", "--arg-text", "1=種別", GetParam()});
    EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
    EXPECT_EQ(result.m_strOut, expected);
    EXPECT_EQ(result.m_strErr, "");
}

INSTANTIATE_TEST_SUITE_P(Declarations, HeaderOutput,
                         ::testing::Values("static int CFoo::Bar(const char *name, int n);",
                                           "unsigned long\tCList :: Find( const char* key , "
                                           "int n ) const ;",
                                           "char *GetName(void)", "void f(int a = 0)",
                                           "int 合計(int 個数)"));

class HeaderRun : public ::testing::Test {
protected:
    CToolDir m_dir;
};

TEST_F(HeaderRun, EndToEndMatchesTheCheckedInComment) {
    const ToolResult result =
        m_dir.Run({"-f", HOUSE_STYLE, "-t", "一覧に挿入", "-d", "山田 花子", "--date", "2024/04/01",
                   "--ret-text", "成功なら TRUE", "--arg-text", "1=挿入位置", "--arg-text",
                   "2=挿入する文字列", "BOOL CDocList::Insert(int nIndex, const char *pszText)"});
    EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
    EXPECT_EQ(result.m_strOut, ReadFileBytes(std::string(CLI_TEST_DATA) + "/house_style.expected"));
}

TEST_F(HeaderRun, StandardInputIsCleanedLikeAPaste) {
    // Comments go, a line comment with its line break; the indentation supplies the spaces.
    const std::string pasted = "BOOL\tCMap::Lookup( // find a key\r\n"
                               "    const char *pszKey, /* never null */\r\n"
                               "    void*& rValue ) const;\r\n";
    const ToolResult result = m_dir.Run({"-f", ALL_KEYS, "--date", ""}, pasted);
    EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
    EXPECT_EQ(result.m_strOut, WindowClipboard(pasted, {}, ALL_KEYS));
    EXPECT_NE(result.m_strOut.find(" * @param *pszKey (const char) \n"), std::string::npos);
    EXPECT_NE(result.m_strOut.find(" * @param const (void*& rValue) \n"), std::string::npos);
}

TEST_F(HeaderRun, SevenArgumentsFillSixRowsWithANote) {
    const std::string declaration =
        "void f(int a1, int a2, int a3, int a4, int a5, int a6, int a7)";
    const ToolResult result = m_dir.Run({"-f", ALL_KEYS, "--date", ""}, declaration);
    EXPECT_EQ(result.m_nStatus, 0);
    EXPECT_EQ(result.m_strOut, WindowClipboard(declaration, {}, ALL_KEYS));
    EXPECT_NE(result.m_strOut.find("@param a6 (int)"), std::string::npos);
    EXPECT_EQ(result.m_strOut.find("a7"), std::string::npos);
    EXPECT_EQ(result.m_strErr,
              "veldane-header: 引数の数が最大数を超えました。[引数6]まで出力します。\n");
}

TEST_F(HeaderRun, LineEndsAndEncodingFollowTheOptions) {
    const std::string declaration = TxtUtf8ToCp932("int 合計(int 個数)");
    const std::string title = TxtUtf8ToCp932("～合計―①ⅰｱ"); // characters with tricky mappings
    const std::string comment = WindowComment(declaration, {{"TITLE", title}}, HOUSE_STYLE);
    ASSERT_NE(comment.find("\r\n"), std::string::npos);
    const std::vector<std::string> common = {"-f", HOUSE_STYLE, "--date", ""};
    const struct {
        std::vector<std::string> m_astrArgs;
        std::string m_strInput;
        std::string m_strExpected;
    } rows[] = {
        {{"--crlf", "-t", TxtCp932ToUtf8(title)},
         TxtCp932ToUtf8(declaration),
         TxtCp932ToUtf8(comment)},
        {{"--encoding", "CP932", "-t", title}, declaration, WithoutCr(comment)},
        {{"--encoding", "cp932", "--crlf", "-t", title}, declaration, comment},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = common;
        args.insert(args.end(), row.m_astrArgs.begin(), row.m_astrArgs.end());
        const ToolResult result = m_dir.Run(args, row.m_strInput);
        EXPECT_EQ(result.m_nStatus, 0) << result.m_strErr;
        EXPECT_EQ(result.m_strOut, row.m_strExpected);
    }
}

TEST_F(HeaderRun, SettingsSupplyFormatFileAndDeveloper) {
    m_dir.Write("formats/dev.txt", "<@DEVELOPER@>|<@DATE@>\n");
    // Section and keys in any case, as the window's settings are read.
    m_dir.Write("ini/informatin.ini", "[app]\nfile_path=formats/dev.txt\nDevelop=開発 太郎\n");
    EXPECT_EQ(m_dir.Run({"--date", "d", "int f()"}).m_strOut, "開発 太郎|d\n");
    EXPECT_EQ(m_dir.Run({"--date", "d", "-d", "X", "int f()"}).m_strOut, "X|d\n");
    EXPECT_EQ(m_dir.Run({"--date", "d", "-d", "", "int f()"}).m_strOut, "|d\n");
    m_dir.Write("other.txt", "other\n");
    EXPECT_EQ(m_dir.Run({"-f", "other.txt", "int f()"}).m_strOut, "other\n");
}

TEST_F(HeaderRun, DateDefaultsToToday) {
    const auto today = [] {
        const std::time_t now = std::time(nullptr);
        char text[64];
        std::strftime(text, sizeof text, "%Y/%m/%d\n", std::localtime(&now));
        return std::string(text);
    };
    m_dir.Write("date.txt", "<@DATE@>\n");
    const std::string before = today();
    const std::string written = m_dir.Run({"-f", "date.txt", "int f()"}).m_strOut;
    EXPECT_TRUE(written == before || written == today()) << written;
}

TEST_F(HeaderRun, EmptyExpansionWritesNothing) {
    m_dir.Write("empty.txt", "");
    m_dir.Write("conditions.txt", "<@IF TITLE@>\n/* <@TITLE@> */\n");
    for (const char* format : {"empty.txt", "conditions.txt"}) {
        const ToolResult result = m_dir.Run({"-f", format, "int f()"});
        EXPECT_EQ(result.m_nStatus, 0) << format;
        EXPECT_EQ(result.m_strOut + result.m_strErr, "") << format;
    }
}

TEST_F(HeaderRun, LaterArgTextForARowWins) {
    m_dir.Write("args.txt", "<@ARG_1_TEXT@>|<@ARG_6_TEXT@>\n");
    const ToolResult result = m_dir.Run({"-f", "args.txt", "--arg-text", "1=a", "--arg-text",
                                         "6=x=y", "--arg-text", "1=b", "void f()"});
    EXPECT_EQ(result.m_strOut, "b|x=y\n");
}

} // namespace
