#include "header/messages.h"
#include "text/codepage.h"
#include "tool_dir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <tuple>

namespace {

// A NUL cuts the line and joins it to the next; text beside a condition is never written.
const char NUL_AND_BESIDE_TEXT[] = "<@FUNC@>\n a\0b\n * <@IF RET_TEXT@> returns\n<@RET@>\n";
const std::string NUL_AND_BESIDE(NUL_AND_BESIDE_TEXT, sizeof NUL_AND_BESIDE_TEXT - 1);
const std::string NUL_AND_BESIDE_REPORT =
    "f.txt:2: NUL バイトがあります（3 バイト目）。行はそこで切れ、次の行とつながります。\n"
    "f.txt:3: 条件行に条件以外の文字があります。条件行は何も出力しないので、この文字は出力されませ"
    "ん。\n";

// Runs veldane-header in a fresh folder whose settings file holds `ini`. The folder's own path
// is taken out of what the tool says, so that a file in it reads as it is named from there.
Result Tool(const std::vector<std::string>& args, const std::string& input = "",
            const std::string& ini = "", const std::string& out = ".stdout") {
    const CToolDir dir;
    dir.Write("ini/informatin.ini", ini);
    dir.Write("faulty.txt", ReadBytes(CLI_TEST_DATA "faulty.txt"));
    dir.Write("f.txt", NUL_AND_BESIDE);
    auto [status, output, error] = dir.Run(args, input, out);
    const std::string folder = dir.Path("");
    for (std::size_t at = error.find(folder); at != std::string::npos; at = error.find(folder)) {
        error.erase(at, folder.size());
    }
    return {status, output, error};
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
// A title whose characters map trickily between code page 932 and Unicode, yet come back as given.
const std::string TITLE = "～合計―①ⅰｱ";

// Section and keys in any case, as the window reads its settings.
const std::string INI = "[app]\nfile_path=" CLI_TEST_DATA "dev.txt\nDevelop=開発 太郎\n";
const std::string DEV_D = "開発 太郎|d||\n"; // what dev.txt makes with --date=d
// The window keeps 1023 bytes of the stored format path and ignores a longer one.
const std::string STORED = "[App]\nFILE_PATH=";

// A comment cleaned away only while all of it is taken, and a declaration that fills its box.
const std::string CLEANED = "/*" + std::string(1000, 'c') + "*/int f(int a)"; // 1016 bytes
const std::string BOXED = "int f(int a" + std::string(1011, 'x') + ")";       // 1023 bytes
// A text given keeps what a box takes: 1023 bytes, never half a character.
const std::string LONG(1024, 'a'), KANJI_END = std::string(1022, 'd') + "漢";
const std::string CUT = LONG.substr(1) + "|" + KANJI_END.substr(0, 1022) + "||\n";

std::string Error(const std::string& message) {
    return "veldane-header: " + message + "\n";
}

const std::string NO_FORMAT = Error(
    "フォーマットファイルの指定がありません。-f でフォーマットファイルを指定するか、設定ファイル "
    "ini/informatin.ini の [App] に FILE_PATH=パス を書いてください。");
const std::string CUT_NOTE =
    Error("宣言が長すぎる為、先頭の 2047 バイト（コード ページ 932 で数えて）だけを使います。");
const std::string LOCALE_RULE =
    "オプションの値と宣言の引数は、ロケール（LANG など）の文字コードで読みます。";
const std::string EMPTY = Error("宣言が空です。解析する関数の宣言がありません。");
const std::string UNREADABLE_MEM = Error("/proc/self/mem: フォーマットファイルを読み込めません。");
// Ten megabytes of a declaration on standard input, of which the first 2047 bytes are used.
const std::string HUGE_INPUT = "int f(int a)" + std::string(10 << 20, ' ');
// Where the settings, standard input or output do not matter to a row, they are the usual ones.
struct RunRow {
    const char* m_pszName;
    std::vector<std::string> m_astrArgs;
    int m_nStatus;
    std::string m_strErr, m_strOut = "", m_strInput = "int f()", m_strIni = INI;
};

const RunRow RUN_ROWS[] = {
    {"SixArgumentsFitWithoutANote",
     Args("-f", ANALYSED, "int g(int a, int b, int c, int d, int e, int f)"), 0, "",
     "::g|int|\nint/a/|int/b|int/f\n"},
    {"MemberWithSevenArguments",
     Args("-t", TITLE, "--arg-text=1=種別", "-f", ANALYSED,
          "static int CFoo::Bar(int a, int b, int c, int d, int e, int f, int g);"),
     0, Error("引数の数が最大数を超えました。[引数6]まで出力します。"),
     "CFoo::Bar|static int|" + TITLE + "\nint/a/種別|int/b|int/f\n"},
    {"PastedWithComments", Args("-t", TITLE, "--arg-text=1=種別", "-f", ANALYSED), 0, "",
     "CMap::Lookup|BOOL|" + TITLE + "\nconst char/*pszKey/種別|void*& rValue/const|/\n", PASTED},
    // --encoding is the input's and the output's; the options stay in the locale's UTF-8.
    {"Cp932WithCrLf",
     Args("-t", TITLE, "--arg-text=1=種別", "-f", ANALYSED, "--encoding=cp932", "--crlf"), 0, "",
     TxtUtf8ToCp932("::合計|int|" + TITLE + "\r\nint/個数/種別|/|/\r\n"),
     TxtUtf8ToCp932("int 合計(int 個数)")},
    {"HouseStyle",
     Args("-f", CLI_TEST_DATA "house_style.txt", "-t", "一覧に挿入", "-d", "山田 花子", "--date",
          "2024/04/01", "--ret-text", "成功なら TRUE", "--arg-text", "1=挿入位置", "--arg-text",
          "2=挿入する文字列", "BOOL CDocList::Insert(int nIndex, const char *pszText)"),
     0, "", ReadBytes(CLI_TEST_DATA "house_style.expected")},
    // The settings switch the tidy analysis on and add a word to drop; --no-tidy overrides them,
    // and --arg-text comes before a comment's description.
    {"TidyFromTheSettings", Args("-f", ANALYSED), 0, "", "::dup|char *|\nconst char */s/元|/|/\n",
     "MY_API char *dup(const char *s /* 元 */)", INI + "TIDY=1\nTIDY_DROP=X MY_API\n"},
    {"NoTidyOverTheSettings", Args("-f", ANALYSED, "--no-tidy"), 0, "",
     "::*dup|MY_API char|\nconst char/*s/|/|/\n", "MY_API char *dup(const char *s)",
     INI + "TIDY=1\n"},
    {"ArgTextBeforeTheComment", Args("-f", ANALYSED, "--tidy", "--arg-text=1="), 0, "",
     "::f|int|\nint/a/|int/b|/\n", "int f(int a, // 甲\n int b)"},
    {"EncodingInCapitals", Args("--encoding=UTF-8", "--date=d"), 0, "", DEV_D},
    {"Version", Args("--version"), 0, "", "veldane-header " VELDANE_VERSION "\n"},
    // A CR that ends no line stays, also as the last byte.
    {"LoneCr", Args("-f", CLI_TEST_DATA "lone_cr.txt", "int f()"), 0, "", "f\rx\r"},
    {"EmptyDeveloperOption", Args("--date", "d", "-d", "", "--encoding=UTF8"), 0, "", "|d||\n"},
    {"LastArgText", Args("--arg-text=1=a", "--arg-text=6=x=y", "--arg-text=1=b"), 0, "",
     TodayLine()},
    {"TextsCutAsABox", Args("-d", LONG, "--date=" + KANJI_END), 0, "", CUT},
    {"PasteFull", Args("--date=d", std::string(1031, ' ') + CLEANED), 0, "", DEV_D},
    {"PasteOnePastFull", Args(std::string(1032, ' ') + CLEANED), 3,
     CUT_NOTE + Error(MSG_SYNTAX_ERROR)},
    {"TenMegabytesOnStandardInput", Args("--date=d"), 0, CUT_NOTE, DEV_D, HUGE_INPUT},
    {"BoxOnePastFull", Args("--date=d", BOXED + "("), 0, "", DEV_D},

    {"NoFormatFile", Args(), 5, NO_FORMAT, "", "int f()", ""},
    {"StoredFormatPathFull", Args(), 4,
     Error(std::string(1023, 'p') + ": フォーマットファイルを読み込めません。"), "", "int f()",
     STORED + std::string(1023, 'p')},
    {"StoredFormatPathOnePastFull", Args(), 5, NO_FORMAT, "", "int f()",
     STORED + std::string(1024, 'p')},
    {"FormatFileMissing", Args("-f", "/nonexist.txt"), 4,
     Error("/nonexist.txt: フォーマットファイルがありません。")},
    {"FormatFileAFolder", Args("-f", "ini"), 4,
     Error("ini: フォーマットファイルが通常のファイルではありません。")},
    // A file that opens but whose reading fails is never taken for an empty format.
    {"FormatReadingFails", Args("-f", "/proc/self/mem"), 4, UNREADABLE_MEM},
    {"CheckMissing", Args("--check", "nope.txt"), 4,
     Error("nope.txt: フォーマットファイルがありません。")},
    {"CheckReadingFails", Args("--check", "/proc/self/mem"), 4, UNREADABLE_MEM},
    {"EmptyDeclaration", Args(" /* nothing */ \n "), 3, EMPTY},
    {"DeclarationArgumentNotUtf8", Args("--encoding=cp932", TxtUtf8ToCp932("int f(int 個数)")), 8,
     Error("宣言の引数が utf-8 の文字として正しくありません。" + LOCALE_RULE)},
    {"DeclarationNotUtf8", Args(), 8,
     Error("宣言が utf-8 の文字として正しくありません。--encoding cp932 を指定してください。"), "",
     TxtUtf8ToCp932("int f(int 個数)")},
    // A character code page 932 lacks cannot have come from a code page 932 file.
    {"DeclarationNotCp932", Args("--encoding=cp932"), 8,
     Error("宣言が cp932 の文字として正しくありません。--encoding utf-8 を指定してください。"), "",
     "int f(int 뀀)"},
    // C0 and C1 never begin a UTF-8 character, though both are code page 932's.
    {"DeclarationWithC0C1", Args(), 8,
     Error("宣言が utf-8 の文字として正しくありません。--encoding cp932 を指定してください。"), "",
     "int f(int \xC0\xC1)"},
    {"DeclarationInNeither", Args("--encoding=cp932"), 8,
     Error("宣言が utf-8 の文字としても cp932 の文字としても正しくありません。"), "",
     "int f(int \x80)"},
    {"CharactersCodePage932Lacks", Args("-f", ANALYSED, "-t", "😀〜合計"), 0,
     Error(
         "-t の値にコード ページ 932 にない文字があり、置き換えました: 「😀」→「?」、「〜」→「～」"),
     "::f|int|?～合計\n//|/|/\n"},
    // Refused before the file to insert into is even looked at.
    {"FormatFileAnExecutable", Args("-f", VELDANE_HEADER_EXE, "--insert", "a.c:1"), 4,
     Error(VELDANE_HEADER_EXE ": フォーマットファイルがテキストファイルではありません（実行ファイ"
                              "ルなど）。")},
    {"Cp932DeclarationCut", Args("--date=d", "--encoding=CP932"), 0, CUT_NOTE,
     TxtUtf8ToCp932(DEV_D), HUGE_INPUT.substr(0, 8195) + "\x8A\xBF"},
    {"DeclarationCutInACharacter", Args("--date=d"), 0, CUT_NOTE, DEV_D,
     HUGE_INPUT.substr(0, 8195) + "漢"},
    // The read limit (8192 bytes) cuts a character of standard input in two.
    {"ReadLimitInACharacter", Args("--date=d"), 0, CUT_NOTE, DEV_D,
     HUGE_INPUT.substr(0, 8191) + "漢"},
    {"OptionNotUtf8", Args("--arg-text", "2=\xE6\xBC"), 8,
     Error("--arg-text の値が utf-8 の文字として正しくありません。" + LOCALE_RULE)},

    {"CheckClean", Args("--check", CLI_TEST_DATA "house_style.txt"), 0, ""},
    // CR LF is read as one byte; 200 kanji are 600 bytes of UTF-8 but 400 of code page 932.
    {"CheckFaulty", Args("--check", "faulty.txt"), 1, "",
     ReadBytes(CLI_TEST_DATA "faulty.expected")},
    // NULs after the last line end leave it the last line.
    {"CheckNulsAfterTheLastLine", Args("--check", CLI_TEST_DATA "last_condition.txt"), 1, "",
     CLI_TEST_DATA "last_condition.txt:1: 最終行が条件行です。この条件が掛かる行がありません。\n"},
    {"CheckNulAndTextBesideACondition", Args("--check", "f.txt"), 1, "", NUL_AND_BESIDE_REPORT},
    {"CheckAnExecutable", Args("--check", VELDANE_HEADER_EXE), 1, "",
     VELDANE_HEADER_EXE ":1: テキストファイルではありません（実行ファイルなど）。フォーマットファ"
                        "イルとして使えません。\n"},
};

const char* const BAD_INSERT =
    "--insert は ファイル か ファイル:行番号 の形で、行番号は 1 から数えて指定してください。";

// Command lines refused before anything is read: status 2, the message, then where to look.
const std::tuple<const char*, std::vector<std::string>, std::string> USAGE_ROWS[] = {
    {"UnknownOption", {"--bogus"}, "不明なオプションか余分な引数です: --bogus"},
    {"ExtraArguments", {"int f()", "a b", "c"}, "不明なオプションか余分な引数です: a b c"},
    {"OptionTwice", {"-t", "a", "--title", "b"}, "--title は一度だけ指定できます。"},
    {"OptionWithoutValue", {"-f"}, "--format の値を指定してください。"},
    {"FlagWithAValue", {"--crlf=x"}, "--crlf の値が正しくありません。"},
    {"UnknownEncoding", {"--encoding", "latin1"}, MSG_BAD_ENCODING},
    {"ArgTextRowSeven", {"--arg-text", "7=x"}, MSG_BAD_ARG_TEXT},
    {"ArgTextRowZero", {"--arg-text", "0=x"}, MSG_BAD_ARG_TEXT},
    {"ArgTextRowWithoutText", {"--arg-text", "1"}, MSG_BAD_ARG_TEXT},
    {"ArgTextRowOfTwoDigits", {"--arg-text", "12=x"}, MSG_BAD_ARG_TEXT},
    {"CheckWithInsert", {"--check", ANALYSED, "--insert", "a.c:1"}, MSG_CHECK_ALONE},
    {"CheckWithDryRun", {"--dry-run", "--check", ANALYSED}, MSG_CHECK_ALONE},
    {"InsertLineZero", {"--insert", "a.c:0"}, BAD_INSERT},
    {"InsertWithoutFile", {"--insert", ":1"}, BAD_INSERT},
    {"InsertWithoutNumber", {"--insert", "a.c:"}, BAD_INSERT},
    {"InsertLineTwice", {"--insert", "a.c:1", "--insert", "b.c"}, MSG_INSERT_LINE_ALONE},
    {"ReadBackWithoutLine", {"--read-back", "a.c"}, MSG_BAD_READ_BACK},
    {"InsertAndLint", {"--insert", "a.c", "--lint", "b.c"}, MSG_ONE_MODE},
    {"InsertWithADeclaration",
     {"--insert", "a.c:1", "int f()"},
     "--insert は宣言をファイルから読むので、宣言は指定できません。"},
    {"LintWithoutFiles", {"--lint", "--strict"}, MSG_LINT_WITHOUT_FILES},
    {"InsertWithCrlf",
     {"--insert", "a.c:1", "--crlf"},
     "--insert は改行をファイルに合わせるので、--crlf は使えません。"},
    {"DryRunAlone", {"--dry-run"}, "--dry-run は --insert と一緒に指定してください。"},
    {"StrictWithInsert", {"--strict", "--insert", "a.c"}, "--strict は --lint と一緒に指定してください。"},
    {"ArgTextForAWholeFile", {"--insert", "a.c", "--arg-text", "1=x"},
     "--arg-text は --insert ファイル:行番号 と一緒に指定してください。"},
    {"TidyBothWays", {"--tidy", "--no-tidy"}, MSG_TIDY_BOTH},
};

TEST(CliRuns, EndWithTheirStatusAndOutput) {
    for (const RunRow& row : RUN_ROWS) {
        EXPECT_EQ(Tool(row.m_astrArgs, row.m_strInput, row.m_strIni),
                  Result(row.m_nStatus, row.m_strOut, row.m_strErr))
            << row.m_pszName;
    }
    for (const auto& [name, args, message] : USAGE_ROWS) {
        EXPECT_EQ(Tool(args), Result(2, "", Error(message) + MSG_SEE_HELP + "\n")) << name;
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-f", ANALYSED}, {"--check", "faulty.txt"}}) {
        EXPECT_EQ(Tool(args, "int f()", "", "/dev/full"),
                  Result(7, "", "veldane-header: 標準出力に書き込めません。\n"))
            << args[0];
    }
    const CToolDir dir;
    EXPECT_EQ(dir.Run({"-f", ANALYSED}, "", ".stdout", false, "/"),
              Result(7, "", "veldane-header: 標準入力を読み込めません。\n"));
}

// Under a Shift_JIS locale the options and the declaration argument are code page 932 bytes,
// whatever --encoding says of the files and the streams.
TEST(CliRuns, OptionsAreReadInTheLocalesEncoding) {
    const CToolDir locales;
    ASSERT_EQ(std::system(("localedef -c --no-warnings=ascii -f SHIFT_JIS -i ja_JP '" +
                           locales.Path("ja_JP.SJIS") + "'")
                              .c_str()),
              0);
    setenv("LOCPATH", locales.Path("").c_str(), 1);
    setenv("LC_ALL", "ja_JP.SJIS", 1);
    const std::string title = TxtUtf8ToCp932("合計");
    EXPECT_EQ(Tool({"-f", ANALYSED, "-t", title, TxtUtf8ToCp932("int f(int 個数)")}),
              Result(0, "::f|int|合計\nint/個数/|/|/\n", ""));
    EXPECT_EQ(Tool({"-f", ANALYSED, "-t", "合計"}),
              Result(8, "", Error("-t の値が cp932 の文字として正しくありません。" + LOCALE_RULE)));
    unsetenv("LC_ALL");
    unsetenv("LOCPATH");
}

// The help names the settings file the tool reads from where it runs.
TEST(CliRuns, HelpNamesTheSettingsFileItWouldRead) {
    const CToolDir dir;
    const auto [status, out, err] = dir.Run({"--help"});
    const std::string file = std::filesystem::canonical(dir.Path("ini")) / "informatin.ini";
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("使い方: veldane-header [オプション] [宣言]\n"), std::string::npos) << out;
    EXPECT_NE(out.find("ここで読むのは次のファイルです:\n  " + file + "\n"), std::string::npos)
        << out;
    EXPECT_EQ(err, "");
}

// A format file that exists but cannot be opened, which only an ordinary user meets.
TEST(CliRuns, UnreadableFormatFileIsNamed) {
    const CToolDir dir;
    dir.Write("format.txt", "<@FUNC@>\n");
    std::filesystem::permissions(dir.Path("format.txt"), std::filesystem::perms::none);
    const std::string message =
        "veldane-header: format.txt: フォーマットファイルを読み込めません。\n";
    EXPECT_EQ(dir.Run({"-f", "format.txt"}, "int f()", ".stdout", true), Result(4, "", message));
    EXPECT_EQ(dir.Run({"--check", "format.txt"}, "", ".stdout", true), Result(4, "", message));
}

} // namespace
