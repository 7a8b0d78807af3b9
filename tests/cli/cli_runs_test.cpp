#include "text/codepage.h"
#include "tool_dir.h"

#include <gtest/gtest.h>

namespace {

const char* const FORMAT = "<@FUNC@>|<@TITLE@>|<@ARG_1_NAME@>|<@DATE@>\n";

// The runs a case folder cannot hold: ten megabytes on standard input (of which the first 2047
// bytes are used), a folder that cannot be read as standard input, and the version, which is the
// project's.
TEST(CliRuns, EndWithTheirStatusAndOutput) {
    const CToolDir dir;
    dir.Write("fmt.txt", FORMAT);
    EXPECT_EQ(
        dir.Run({"-f", "fmt.txt", "--date=d"}, "int f(int a)" + std::string(10 << 20, ' ')),
        Result(0, "f||a|d\n",
               Error("宣言が長すぎる為、先頭の 2047 バイト（コード ページ 932 で数えて）だけを"
                     "使います。")));
    EXPECT_EQ(dir.Run({"-f", "fmt.txt"}, "", ".stdout", false, "/"),
              Result(7, "", Error("標準入力を読み込めません。")));
    EXPECT_EQ(dir.Run({"--version"}), Result(0, "veldane-header " VELDANE_VERSION "\n", ""));
}

// Under a Shift_JIS locale the options and the declaration argument are code page 932 bytes,
// whatever --encoding says of the files and the streams.
TEST(CliRuns, OptionsAreReadInTheLocalesEncoding) {
    const CToolDir dir;
    dir.Write("fmt.txt", FORMAT);
    ASSERT_EQ(std::system(("localedef -c --no-warnings=ascii -f SHIFT_JIS -i ja_JP '" +
                           dir.Path("ja_JP.SJIS") + "'")
                              .c_str()),
              0);
    setenv("LOCPATH", dir.Path("").c_str(), 1);
    setenv("LC_ALL", "ja_JP.SJIS", 1);
    // The C library keeps a block of the search path it builds from LOCPATH, which the leak
    // checker of a sanitizer build would report at the end of every run.
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    const std::string title = TxtUtf8ToCp932("合計");
    EXPECT_EQ(
        dir.Run({"-f", "fmt.txt", "-t", title, "--date=d", TxtUtf8ToCp932("int f(int 個数)")}),
        Result(0, "f|合計|個数|d\n", ""));
    EXPECT_EQ(dir.Run({"-f", "fmt.txt", "-t", "合計"}),
              Result(8, "",
                     Error("-t の値が cp932 の文字として正しくありません。オプションの値と宣言の引"
                           "数は、ロケール（LANG など）の文字コードで読みます。")));
    for (const char* name : {"LC_ALL", "LOCPATH", "ASAN_OPTIONS"}) {
        unsetenv(name);
    }
}

} // namespace
