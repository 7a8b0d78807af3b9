#include "cli/messages.h"
#include "text/codepage.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sys/wait.h>
#include <tuple>

namespace {

using Result = std::tuple<int, std::string, std::string>; // status, standard output and error

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Runs veldane-header in a fresh folder, so that its ini/ folder is the test's own. Streams go
// through files, so that no pipe can stall either side; `out` may be a device such as /dev/full,
// and `in` a file that cannot be read, such as a folder.
Result Tool(const std::vector<std::string>& args, const std::string& input = "",
            const std::string& ini = "", const std::string& out = ".stdout",
            const std::string& in = ".stdin") {
    std::string dir = std::filesystem::temp_directory_path() / "veldane-cli.XXXXXX";
    if (mkdtemp(dir.data()) == nullptr || !std::filesystem::create_directory(dir + "/ini")) {
        std::abort();
    }
    std::ofstream(dir + "/ini/informatin.ini") << ini;
    std::ofstream(dir + "/.stdin", std::ios::binary) << input;
    std::filesystem::copy_file(CLI_TEST_DATA "faulty.txt", dir + "/faulty.txt");
    std::string command = "cd '" + dir + "' && exec '" VELDANE_HEADER_EXE "'";
    for (const std::string& arg : args) {
        EXPECT_EQ(arg.find('\''), std::string::npos); // quoted as is
        command += " '" + arg + "'";
    }
    const int status = std::system((command + " <" + in + " >" + out + " 2>.stderr").c_str());
    const Result result = {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(dir + "/" + out),
                           ReadBytes(dir + "/.stderr")};
    std::filesystem::remove_all(dir);
    return result;
}

// The developer from the settings, today's date, and the last text given for a row.
std::string TodayLine() {
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%Y/%m/%d", std::localtime(&now));
    return "開発 太郎|" + std::string(text) + "|b|x=y\n";
}

// The analysed values, the title and two texts: what a declaration and the options feed.
const std::string ANALYSED = CLI_TEST_DATA "analysed.txt";

const char* const PASTED = "BOOL\tCMap::Lookup( // find a key\r\n    const char *pszKey, "
                           "/* never null */\r\n    void*& rValue ) const;\r\n";

// The title's characters map trickily between code page 932 and Unicode, yet come back as given.
TEST(HeaderOutput, CarriesTheAnalysisAndTheTextsInEitherEncoding) {
    const std::string title = "～合計―①ⅰｱ";
    // name, declaration, given on standard input, code page 932 with CR LF, output, error
    const std::tuple<const char*, std::string, bool, bool, std::string, std::string> rows[] = {
        {"member with seven arguments",
         "static int CFoo::Bar(int a, int b, int c, int d, int e, int f, int g);", false, false,
         "CFoo::Bar|static int|" + title + "\nint/a/種別|int/b|int/f\n",
         "veldane-header: 引数の数が最大数を超えました。[引数6]まで出力します。\n"},
        {"pasted with comments", PASTED, true, false,
         "CMap::Lookup|BOOL|" + title + "\nconst char/*pszKey/種別|void*& rValue/const|/\n", ""},
        {"code page 932 with CR LF", "int 合計(int 個数)", true, true,
         "::合計|int|" + title + "\r\nint/個数/種別|/|/\r\n", ""},
    };
    for (const auto& [name, declaration, onStdin, cp932, out, err] : rows) {
        std::vector<std::string> args = {"-t", title, "--arg-text=1=種別", declaration};
        for (std::string& arg : args) {
            arg = cp932 ? TxtUtf8ToCp932(arg) : arg;
        }
        const std::string input = onStdin ? args.back() : "";
        args.resize(onStdin ? 3 : 4);
        args.insert(args.end(), {"-f", ANALYSED});
        if (cp932) {
            args.insert(args.end(), {"--encoding=cp932", "--crlf"});
        }
        EXPECT_EQ(Tool(args, input), Result(0, cp932 ? TxtUtf8ToCp932(out) : out, err)) << name;
    }
}

TEST(HeaderOutput, EndToEndMatchesTheCheckedInComment) {
    EXPECT_EQ(Tool({"-f", CLI_TEST_DATA "house_style.txt", "-t", "一覧に挿入", "-d", "山田 花子",
                    "--date", "2024/04/01", "--ret-text", "成功なら TRUE", "--arg-text",
                    "1=挿入位置", "--arg-text", "2=挿入する文字列",
                    "BOOL CDocList::Insert(int nIndex, const char *pszText)"}),
              Result(0, ReadBytes(CLI_TEST_DATA "house_style.expected"), ""));
}

// Section and keys in any case, as the window reads its settings.
const std::string INI = "[app]\nfile_path=" CLI_TEST_DATA "dev.txt\nDevelop=開発 太郎\n";
// The window keeps 1023 bytes of the stored format path and ignores a longer one.
const std::string STORED = "[App]\nFILE_PATH=";

// A comment cleaned away only while all of it is taken, and a declaration that fills its box.
const std::string CLEANED = "/*" + std::string(1000, 'c') + "*/int f(int a)"; // 1016 bytes
const std::string BOXED = "int f(int a" + std::string(1011, 'x') + ")";       // 1023 bytes
// A text given keeps what a box takes: 1023 bytes, never half a character.
const std::string LONG(1024, 'a'), KANJI_END = std::string(1022, 'd') + "漢";
const std::string CUT = LONG.substr(1) + "|" + KANJI_END.substr(0, 1022) + "||\n";

// name, settings, arguments, status, standard output for status 0 and 1, else the message
using RunRow = std::tuple<const char*, std::string, std::vector<std::string>, int, std::string>;
const RunRow RUN_ROWS[] = {
    {"EmptyDeveloperOption", INI, {"--date", "d", "-d", ""}, 0, "|d||\n"},
    {"LastArgText", INI, {"--arg-text=1=a", "--arg-text=6=x=y", "--arg-text=1=b"}, 0, TodayLine()},
    {"TextsCutAsABox", INI, {"-d", LONG, "--date=" + KANJI_END}, 0, CUT},
    {"NoFormatFile", "", {}, 5, MSG_SELECT_FORMAT},
    {"StoredFormatPathFull", STORED + std::string(1023, 'p'), {}, 4, MSG_FORMAT_FAULTY},
    {"StoredFormatPathOnePastFull", STORED + std::string(1024, 'p'), {}, 5, MSG_SELECT_FORMAT},
    {"PasteFull", INI, {"--date=d", std::string(1031, ' ') + CLEANED}, 0, "開発 太郎|d||\n"},
    {"PasteOnePastFull", INI, {std::string(1032, ' ') + CLEANED}, 3, MSG_SYNTAX_ERROR},
    {"BoxOnePastFull", INI, {"--date=d", BOXED + "("}, 0, "開発 太郎|d||\n"},
    {"UnknownOption", "", {"--bogus"}, 2, MSG_USAGE_ERROR},
    {"UnknownEncoding", "", {"--encoding", "latin1"}, 2, MSG_BAD_ENCODING},
    {"EncodingInCapitals", INI, {"--encoding=UTF-8", "--date=d"}, 0, "開発 太郎|d||\n"},
    {"EncodingWithoutHyphen", INI, {"--encoding=utf8", "--date=d"}, 0, "開発 太郎|d||\n"},
    {"Version", "", {"--version"}, 0, "veldane-header " VELDANE_VERSION "\n"},
    {"ArgTextRowSeven", "", {"--arg-text", "7=x"}, 2, MSG_BAD_ARG_TEXT},
    {"ArgTextRowZero", "", {"--arg-text", "0=x"}, 2, MSG_BAD_ARG_TEXT},
    {"ArgTextRowWithoutText", "", {"--arg-text", "1"}, 2, MSG_BAD_ARG_TEXT},
    {"ArgTextRowOfTwoDigits", "", {"--arg-text", "12=x"}, 2, MSG_BAD_ARG_TEXT},
    // A CR that ends no line stays, also as the last byte.
    {"LoneCr", "", {"-f", CLI_TEST_DATA "lone_cr.txt"}, 0, "f\rx\r"},
    {"CheckWithOtherOptions", "", {"--check", ANALYSED, "-f", ANALYSED}, 2, MSG_CHECK_ALONE},
    {"CheckFolder", "", {"--check", "."}, 4, ".: フォーマットファイルを読み込めません。"},
    {"CheckClean", "", {"--check", CLI_TEST_DATA "house_style.txt"}, 0, ""},
    // CR LF is read as one byte; 200 kanji are 600 bytes of UTF-8 but 400 of code page 932.
    {"CheckFaulty", "", {"--check", "faulty.txt"}, 1, ReadBytes(CLI_TEST_DATA "faulty.expected")},
    // NULs after the last line end leave it the last line.
    {"CheckNulsAfterTheLastLine",
     "",
     {"--check", CLI_TEST_DATA "last_condition.txt"},
     1,
     CLI_TEST_DATA "last_condition.txt:1: " + std::string(MSG_CHECK_LAST_CONDITION) + "\n"},
};

TEST(CliRuns, EndWithTheirStatusAndOutput) {
    for (const auto& [name, ini, args, status, expected] : RUN_ROWS) {
        auto [code, out, err] = Tool(args, "int f()", ini); // unless given, the declaration
        // A usage error names the parser's own detail in brackets: its wording, not ours.
        err = std::regex_replace(err, std::regex("（.*）"), "");
        const std::string help = status == 2 ? "\n" + std::string(MSG_SEE_HELP) : "";
        const std::string message = "veldane-header: " + expected + help + "\n";
        EXPECT_EQ(Result(code, out, err),
                  Result(status, status <= 1 ? expected : "", status <= 1 ? "" : message))
            << name;
    }
    EXPECT_EQ(Tool({"-f", ANALYSED}, "int f()", "", "/dev/full"),
              Result(7, "", "veldane-header: 標準出力に書き込めません。\n"));
    EXPECT_EQ(Tool({"--check", "faulty.txt"}, "", "", "/dev/full"),
              Result(7, "", "veldane-header: 標準出力に書き込めません。\n"));
    EXPECT_EQ(Tool({"-f", ANALYSED}, "", "", ".stdout", "/"),
              Result(7, "", "veldane-header: 標準入力を読み込めません。\n"));
    // Standard input is read up to its limit, far more than a pasted declaration keeps.
    EXPECT_EQ(Tool({"-f", ANALYSED}, "int f()" + std::string(9000, ' ')),
              Result(0, "::f|int|\n//|/|/\n", ""));
}

} // namespace
