#include "cli/options.h"

#include "cli/exit_status.h"
#include "cli/messages.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <vector>

namespace {

constexpr const char* DESCRIPTION =
    "関数の宣言とフォーマットファイルから関数ヘッダコメントを作成し、標準出力に書き出します。\n"
    "宣言を省略すると標準入力から読み込みます（複数行やコメントがあっても構いません）。";

constexpr const char* FOOTER =
    "出力は UTF-8・改行 LF です（--crlf で CR LF、--encoding cp932 でコード ページ 932）。\n"
    "展開結果が空のときは何も書き出さず、終了ステータス 0 で終わります。\n"
    "--format と --developer を省略すると、カレント ディレクトリの ini/informatin.ini\n"
    "（セクション App の FILE_PATH と DEVELOP）の値を使います。\n"
    "--check の行の長さは、展開時と同じくコード ページ 932 のバイト数で数えます。\n"
    "\n"
    "終了ステータス:\n"
    "  0  コメントを書き出した（または --check で問題なし）\n"
    "  1  --check で問題が見つかった\n"
    "  2  コマンドラインの誤り\n"
    "  3  宣言の文法エラー\n"
    "  4  フォーマットファイルが読めない\n"
    "  5  フォーマットファイルの指定がない\n"
    "  6  バッファエラー（メモリ不足）\n"
    "  7  標準入力または標準出力のエラー";

// Width of the option column in --help: the longest entry, "--arg-text N=TEXT ...", and a gap.
constexpr std::size_t HELP_OPTION_COLUMN = 26;

void PrintUsageError(const std::string& detail) {
    std::fprintf(stderr, "veldane-header: %s", MSG_USAGE_ERROR);
    // The parser describes every error it reports.
    if (!detail.empty()) { // GCOVR_EXCL_BR_LINE
        std::fprintf(stderr, "（%s）", detail.c_str());
    }
    std::fprintf(stderr, "\n%s\n", MSG_SEE_HELP);
}

int UsageError(const char* message) {
    std::fprintf(stderr, "veldane-header: %s\n%s\n", message, MSG_SEE_HELP);
    return EXIT_USAGE;
}

bool ParseEncoding(const std::string& name, CliEncoding& encoding) {
    std::string lower;
    for (const char ch : name) {
        lower += (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
    }
    if (lower == "utf-8" || lower == "utf8") {
        encoding = ENCODING_UTF8;
        return true;
    }
    if (lower == "cp932") {
        encoding = ENCODING_CP932;
        return true;
    }
    return false;
}

// "N=TEXT" with N from 1 to HEADER_ARG_ROWS; a later one for the same row wins.
bool ParseArgTexts(const std::vector<std::string>& items, CliOptions& options) {
    for (const std::string& item : items) {
        const bool rowOk = item.size() >= 2 && item[0] >= '1' && item[0] < '1' + HEADER_ARG_ROWS;
        if (!rowOk || item[1] != '=') {
            return false;
        }
        options.m_astrArgText[item[0] - '1'] = item.substr(2);
    }
    return true;
}

} // namespace

int CliParseOptions(int argc, char** argv, CliOptions& options) {
    CLI::App app{DESCRIPTION, "veldane-header"};
    app.footer(FOOTER);
    app.get_formatter()->label("Usage", "使い方");
    app.get_formatter()->label("OPTIONS", "オプション");
    app.get_formatter()->label("Positionals", "引数");
    app.get_formatter()->column_width(HELP_OPTION_COLUMN);
    app.option_defaults()->group("オプション");
    app.set_help_flag("-h,--help", "この説明を表示して終わります");
    app.set_version_flag("--version", std::string("veldane-header ") + VELDANE_VERSION,
                         "バージョンを表示して終わります");

    std::string encoding;
    std::vector<std::string> argTexts;
    CLI::Option* declaration = app.add_option("declaration", options.m_strDeclaration,
                                              "関数の宣言（省略すると標準入力から）")
                                   ->type_name("");
    CLI::Option* format =
        app.add_option("-f,--format", options.m_strFormatPath, "フォーマットファイル")
            ->type_name("FILE");
    CLI::Option* title =
        app.add_option("-t,--title", options.m_strTitle, "タイトル")->type_name("TEXT");
    CLI::Option* developer =
        app.add_option("-d,--developer", options.m_strDeveloper, "作者")->type_name("NAME");
    CLI::Option* date =
        app.add_option("--date", options.m_strDate, "作成年月日（省略すると今日、YYYY/MM/DD）")
            ->type_name("DATE");
    CLI::Option* retText =
        app.add_option("--ret-text", options.m_strRetText, "戻り値の説明")->type_name("TEXT");
    CLI::Option* argText =
        app.add_option("--arg-text", argTexts, "引数 N（1～6）の説明。繰り返し指定できます")
            ->type_name("N=TEXT")
            ->allow_extra_args(false); // one value each time, so a declaration after it stays one
    CLI::Option* encodingOption =
        app.add_option("--encoding", encoding, "入出力の文字コード: utf-8（既定）か cp932")
            ->type_name("NAME");
    CLI::Option* crlf = app.add_flag("--crlf", options.m_bCrlf, "改行を CR LF のまま出力します");
    CLI::Option* check =
        app.add_option("--check", options.m_strCheckPath,
                       "フォーマットファイルを調べ、誤りらしい箇所を行番号付きで報告します")
            ->type_name("FILE");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) { // GCOVR_EXCL_BR_LINE: other exceptions pass on
        if (error.get_exit_code() == 0) {
            return app.exit(error); // --help or --version, on standard output
        }
        PrintUsageError(error.what());
        return EXIT_USAGE;
    }

    options.m_bCheck = check->count() > 0;
    if (options.m_bCheck) {
        for (const CLI::Option* other : {declaration, format, title, developer, date, retText,
                                         argText, encodingOption, crlf}) {
            if (other->count() > 0) {
                return UsageError(MSG_CHECK_ALONE);
            }
        }
        return OPTIONS_RUN;
    }
    options.m_bHasDeclaration = declaration->count() > 0;
    options.m_bHasFormat = format->count() > 0;
    options.m_bHasDeveloper = developer->count() > 0;
    options.m_bHasDate = date->count() > 0;
    if (encodingOption->count() > 0 && !ParseEncoding(encoding, options.m_eEncoding)) {
        return UsageError(MSG_BAD_ENCODING);
    }
    if (!ParseArgTexts(argTexts, options)) {
        return UsageError(MSG_BAD_ARG_TEXT);
    }
    return OPTIONS_RUN;
}
