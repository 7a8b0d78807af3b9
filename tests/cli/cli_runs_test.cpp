#include "tool_dir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <ostream>

namespace {

std::string Today() {
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%Y/%m/%d", std::localtime(&now));
    return text;
}

const std::string FORMAT = CLI_TEST_DATA "all_keys.txt";
const std::string SEE_HELP = "使い方は veldane-header --help をご覧ください。\n";
const std::string NO_FORMAT = "フォーマットファイルを選択してください。";
const std::string FAULTY = "フォーマットファイルが異常です。コメントは作成されません。";
const std::string SYNTAX = "入力された関数は文法エラーの為、解析できません。";
const std::string USAGE = "コマンドラインの指定が正しくありません。";
const std::string ENCODING = "--encoding には utf-8 か cp932 を指定してください。";
const std::string ARG_TEXT = "--arg-text は 番号=説明 の形で、番号は 1 から 6 で指定してください。";
const std::string CHECK_ALONE = "--check は他の指定と一緒には使えません。";
const std::string UNREADABLE = ": フォーマットファイルを読み込めません。";
// Section and keys in any case, as the window reads its settings.
const std::string SETTINGS = "[app]\nfile_path=dev.txt\nDevelop=開発 太郎\n";
// The window keeps 1023 bytes of the stored format path and ignores a longer one.
const std::string STORED = "[App]\nFILE_PATH=";

struct RunRow {
    const char* m_pszName;
    std::string m_strSettings;
    std::vector<std::string> m_astrArgs;
    int m_nStatus;
    std::string m_strExpected; // standard output for status 0 and 1, else the error message
    friend void PrintTo(const RunRow& row, std::ostream* out) { *out << row.m_pszName; }
};

const RunRow RUN_ROWS[] = {
    {"DeveloperFromSettings", SETTINGS, {"--date", "d", "int f()"}, 0, "開発 太郎|d||\n"},
    {"DeveloperOption", SETTINGS, {"--date", "d", "-d", "X", "int f()"}, 0, "X|d||\n"},
    {"EmptyDeveloperOption", SETTINGS, {"--date", "d", "-d", "", "int f()"}, 0, "|d||\n"},
    {"TodayAndLaterArgText",
     SETTINGS,
     {"--arg-text", "1=a", "--arg-text", "6=x=y", "--arg-text", "1=b", "int f()"},
     0,
     "開発 太郎|" + Today() + "|b|x=y\n"},
    {"EmptyFormatOption", SETTINGS, {"-f", "empty.txt", "int f()"}, 0, ""},
    {"NoFormatFile", "", {"int f()"}, 5, NO_FORMAT},
    {"StoredFormatPathFull", STORED + std::string(1023, 'p'), {"int f()"}, 4, FAULTY},
    {"StoredFormatPathOnePastFull", STORED + std::string(1024, 'p'), {"int f()"}, 5, NO_FORMAT},
    {"MissingFormatFile", "", {"-f", "missing.txt", "int f()"}, 4, FAULTY},
    {"FormatFileIsAFolder", "", {"-f", ".", "int f()"}, 4, FAULTY},
    {"UnbalancedBracket", "", {"-f", FORMAT, "int f("}, 3, SYNTAX},
    {"EmptyDeclaration", "", {"-f", FORMAT, ""}, 3, SYNTAX},
    {"UnknownOption", "", {"--bogus"}, 2, USAGE},
    {"TwoDeclarations", "", {"-f", FORMAT, "int f()", "int g()"}, 2, USAGE},
    {"UnknownEncoding", "", {"--encoding", "latin1", "int f()"}, 2, ENCODING},
    {"ArgTextRowZero", "", {"--arg-text", "0=x", "int f()"}, 2, ARG_TEXT},
    {"ArgTextRowSeven", "", {"--arg-text", "7=x", "int f()"}, 2, ARG_TEXT},
    {"ArgTextTwoDigitRow", "", {"--arg-text", "10=x", "int f()"}, 2, ARG_TEXT},
    {"CheckWithOtherOptions", "", {"--check", FORMAT, "-f", FORMAT}, 2, CHECK_ALONE},
    {"CheckOfAFolder", "", {"--check", "."}, 4, "." + UNREADABLE},
    {"CheckOfCleanFile", "", {"--check", CLI_TEST_DATA "house_style.txt"}, 0, ""},
    {"CheckOfFaultyFile",
     "",
     {"--check", "faulty.txt"},
     1,
     ReadFileBytes(CLI_TEST_DATA "faulty_format.expected")},
    {"Version", "", {"--version"}, 0, "veldane-header " VELDANE_VERSION "\n"},
};

class CliRuns : public ::testing::TestWithParam<RunRow> {};

TEST_P(CliRuns, EndWithTheirStatusAndOutput) {
    const RunRow& row = GetParam();
    CToolDir dir;
    dir.Write("ini/informatin.ini", row.m_strSettings);
    dir.Write("dev.txt", "<@DEVELOPER@>|<@DATE@>|<@ARG_1_TEXT@>|<@ARG_6_TEXT@>\n");
    dir.Write("empty.txt", "");
    // CR LF is read as one byte, and 200 kanji are 600 bytes of UTF-8 but 400 of code page 932.
    dir.Write("faulty.txt", ReadFileBytes(CLI_TEST_DATA "faulty_format.txt"));
    auto [status, out, err] = dir.Run(row.m_astrArgs);
    EXPECT_EQ(status, row.m_nStatus);
    // A usage error names the parser's own detail in brackets: its wording, not ours.
    const std::size_t open = err.find("（");
    if (open != std::string::npos) {
        err.erase(open, err.find("）", open) + std::string("）").size() - open);
    }
    const bool onOut = row.m_nStatus <= 1;
    const std::string message =
        "veldane-header: " + row.m_strExpected + "\n" + (row.m_nStatus == 2 ? SEE_HELP : "");
    EXPECT_EQ(out, onOut ? row.m_strExpected : "");
    EXPECT_EQ(err, onOut ? "" : message);
}

INSTANTIATE_TEST_SUITE_P(Rows, CliRuns, ::testing::ValuesIn(RUN_ROWS),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

TEST(CliStreams, FailedWriteIsNotReportedAsSuccess) {
    const auto [status, out, err] = CToolDir().Run({"-f", FORMAT, "int f()"}, "", "/dev/full");
    EXPECT_EQ(status, 7);
    EXPECT_EQ(err, "veldane-header: 標準出力に書き込めません。\n");
}

} // namespace
