#include "tool_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string FORMAT = std::string(CLI_TEST_DATA) + "/all_keys.txt";
const std::string SEE_HELP = "使い方は veldane-header --help をご覧ください。\n";
const std::string NO_FORMAT = "veldane-header: フォーマットファイルを選択してください。\n";
const std::string FORMAT_FAULTY =
    "veldane-header: フォーマットファイルが異常です。コメントは作成されません。\n";
const std::string SYNTAX_ERROR =
    "veldane-header: 入力された関数は文法エラーの為、解析できません。\n";
const std::string USAGE_ERROR = "veldane-header: コマンドラインの指定が正しくありません。...";
const std::string BAD_ENCODING =
    "veldane-header: --encoding には utf-8 か cp932 を指定してください。\n" + SEE_HELP;
const std::string BAD_ARG_TEXT =
    "veldane-header: --arg-text は 番号=説明 の形で、番号は 1 から 6 で指定してください。\n" +
    SEE_HELP;
const std::string CHECK_ALONE =
    "veldane-header: --check は他の指定と一緒には使えません。\n" + SEE_HELP;

struct ErrorRow {
    const char* m_pszName;
    std::vector<std::string> m_astrArgs;
    int m_nStatus;
    std::string m_strErr; // the whole of standard error, or its start when it ends in "..."
};

const ErrorRow ERROR_ROWS[] = {
    {"NoFormatFile", {"int f()"}, 5, NO_FORMAT},
    {"MissingFormatFile", {"-f", "missing.txt", "int f()"}, 4, FORMAT_FAULTY},
    {"FormatFileIsAFolder", {"-f", ".", "int f()"}, 4, FORMAT_FAULTY},
    {"UnbalancedBracket", {"-f", FORMAT, "int f("}, 3, SYNTAX_ERROR},
    {"EmptyDeclaration", {"-f", FORMAT, ""}, 3, SYNTAX_ERROR},
    {"UnknownOption", {"--bogus"}, 2, USAGE_ERROR},
    {"TwoDeclarations", {"-f", FORMAT, "int f()", "int g()"}, 2, USAGE_ERROR},
    {"OptionWithoutValue", {"int f()", "--format"}, 2, USAGE_ERROR},
    {"UnknownEncoding", {"-f", FORMAT, "--encoding", "latin1", "int f()"}, 2, BAD_ENCODING},
    {"ArgTextRowZero", {"-f", FORMAT, "--arg-text", "0=x", "int f()"}, 2, BAD_ARG_TEXT},
    {"ArgTextRowSeven", {"-f", FORMAT, "--arg-text", "7=x", "int f()"}, 2, BAD_ARG_TEXT},
    {"ArgTextTwoDigitRow", {"-f", FORMAT, "--arg-text", "10=x", "int f()"}, 2, BAD_ARG_TEXT},
    {"CheckWithOtherOptions", {"--check", FORMAT, "-f", FORMAT}, 2, CHECK_ALONE},
    {"CheckOfAFolder",
     {"--check", "."},
     4,
     "veldane-header: .: フォーマットファイルを読み込めません。\n"},
    {"CheckOfMissingFile",
     {"--check", "missing.txt"},
     4,
     "veldane-header: missing.txt: フォーマットファイルを読み込めません。\n"},
};

class CliErrors : public ::testing::TestWithParam<ErrorRow> {
protected:
    CToolDir m_dir;
};

TEST_P(CliErrors, ReportsOnStandardErrorWithItsStatus) {
    const ErrorRow& row = GetParam();
    const ToolResult result = m_dir.Run(row.m_astrArgs);
    EXPECT_EQ(result.m_nStatus, row.m_nStatus);
    EXPECT_EQ(result.m_strOut, "");
    const std::string& expected = row.m_strErr;
    if (expected.size() > 3 && expected.compare(expected.size() - 3, 3, "...") == 0) {
        EXPECT_EQ(result.m_strErr.rfind(expected.substr(0, expected.size() - 3), 0), 0u)
            << result.m_strErr;
        EXPECT_NE(result.m_strErr.find(SEE_HELP), std::string::npos);
    } else {
        EXPECT_EQ(result.m_strErr, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, CliErrors, ::testing::ValuesIn(ERROR_ROWS),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

class CliStreams : public ::testing::Test {
protected:
    CToolDir m_dir;
};

TEST_F(CliStreams, FailedWriteIsNotReportedAsSuccess) {
    const ToolResult result = m_dir.Run({"-f", FORMAT, "int f()"}, {}, "/dev/full");
    EXPECT_EQ(result.m_nStatus, 7);
    EXPECT_EQ(result.m_strErr, "veldane-header: 標準出力に書き込めません。\n");
}

TEST_F(CliStreams, StoredFormatPathLongerThanTheWindowKeepsIsNoFormatFile) {
    // The window keeps 1023 bytes of the path: a full one is tried, one past it is ignored.
    for (const auto& [length, status] : {std::pair{1023, 4}, std::pair{1024, 5}}) {
        m_dir.Write("ini/informatin.ini", "[App]\nFILE_PATH=" + std::string(length, 'p') + "\n");
        EXPECT_EQ(m_dir.Run({}, "int f()").m_nStatus, status) << length;
    }
}

TEST_F(CliStreams, HelpListsTheExitStatuses) {
    const ToolResult result = m_dir.Run({"--help"});
    EXPECT_EQ(result.m_nStatus, 0);
    EXPECT_EQ(result.m_strOut.rfind("関数の宣言とフォーマットファイルから", 0), 0u);
    for (const char* line : {"  3  宣言の文法エラー", "  4  フォーマットファイルが読めない",
                             "  5  フォーマットファイルの指定がない", "--check FILE"}) {
        EXPECT_NE(result.m_strOut.find(line), std::string::npos) << line;
    }
}

TEST_F(CliStreams, VersionNamesTheProjectVersion) {
    const ToolResult result = m_dir.Run({"--version"});
    EXPECT_EQ(result.m_nStatus, 0);
    EXPECT_EQ(result.m_strOut, "veldane-header " VELDANE_VERSION "\n");
}

} // namespace
