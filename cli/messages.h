#pragma once

#include "app/messages.h"

// The texts veldane-header shows, in UTF-8. The faults it shares with the window are told in the
// window's own words (MSG_BUFFER_ERROR, MSG_SYNTAX_ERROR, MSG_NO_MEMORY). Each text is shown after
// "veldane-header: "; a printf pattern takes the arguments named beside it.

// The window asks whether to go on with six rows; here the answer is always yes, so say so.
constexpr const char* MSG_SIX_ROWS_WRITTEN =
    "引数の数が最大数を超えました。[引数6]まで出力します。";

// The command line. Each usage message is followed by MSG_SEE_HELP on a line of its own.
constexpr const char* MSG_USAGE_ERROR = "コマンドラインの指定が正しくありません。";
constexpr const char* MSG_SEE_HELP = "使い方は veldane-header --help をご覧ください。";
constexpr const char* MSG_UNEXPECTED_ARGS = "不明なオプションか余分な引数です: %s"; // arguments
constexpr const char* MSG_OPTION_TWICE = "%s は一度だけ指定できます。";             // option
constexpr const char* MSG_OPTION_NO_VALUE = "%s の値を指定してください。";          // option
constexpr const char* MSG_OPTION_BAD_VALUE = "%s の値が正しくありません。";         // option
constexpr const char* MSG_BAD_ENCODING = "--encoding には utf-8 か cp932 を指定してください。";
constexpr const char* MSG_BAD_ARG_TEXT =
    "--arg-text は 番号=説明 の形で、番号は 1 から 6 で指定してください。";
constexpr const char* MSG_CHECK_ALONE = "--check は他の指定と一緒には使えません。";
constexpr const char* MSG_BAD_INSERT =
    "--insert は ファイル:行番号 の形で、行番号は 1 から数えて指定してください。";
constexpr const char* MSG_INSERT_WITH_DECLARATION =
    "--insert は宣言をファイルから読むので、宣言は指定できません。";
constexpr const char* MSG_INSERT_WITH_CRLF =
    "--insert は改行をファイルに合わせるので、--crlf は使えません。";
constexpr const char* MSG_DRY_RUN_ALONE = "--dry-run は --insert と一緒に指定してください。";

// Standard streams.
constexpr const char* MSG_READ_ERROR = "標準入力を読み込めません。";
constexpr const char* MSG_WRITE_ERROR = "標準出力に書き込めません。";

// No format file: the settings file's path, section and key.
constexpr const char* MSG_NO_FORMAT = "フォーマットファイルの指定がありません。-f "
                                      "でフォーマットファイルを指定するか、設定ファイル %s "
                                      "の [%s] に %s=パス を書いてください。";
// Files that cannot be used, each "PATH: " and what the file is to the tool.
constexpr const char* MSG_NOUN_FORMAT_FILE = "フォーマットファイル";
constexpr const char* MSG_NOUN_FILE = "ファイル";
constexpr const char* MSG_FILE_MISSING = "%s: %sがありません。";
constexpr const char* MSG_FILE_NOT_REGULAR = "%s: %sが通常のファイルではありません。";
constexpr const char* MSG_FILE_UNREADABLE = "%s: %sを読み込めません。";
constexpr const char* MSG_FILE_UNWRITABLE =
    "%s: ファイルに書き込めません。ファイルは元のままです。";

// The declaration and the texts of the options.
constexpr const char* MSG_EMPTY_DECLARATION = "宣言が空です。解析する関数の宣言がありません。";
constexpr const char* MSG_DECLARATION_CUT =
    "宣言が長すぎる為、先頭の %zu バイト（コード ページ 932 で数えて）だけを使います。";
// The encoding given, then the other one.
constexpr const char* MSG_DECLARATION_ENCODING =
    "宣言が %s の文字として正しくありません。--encoding %s を指定してください。";
constexpr const char* MSG_OPTION_ENCODING =
    "%s の値が %s の文字として正しくありません。--encoding %s を指定してください。"; // option

// --insert: "FILE:LINE: " comes first where a line is concerned.
constexpr const char* MSG_FILE_ENCODING = "%s:%zu: %s の文字として正しくないバイトがあります。"
                                          "--encoding %s を指定してください。";
constexpr const char* MSG_NO_SUCH_LINE = "%s: %zu 行目がありません（ファイルは %zu 行です）。";

// --check findings; each follows "FILE:LINE: ".
constexpr const char* MSG_CHECK_UNKNOWN_KEY = "キー「%s」は入力画面にない項目です。";
constexpr const char* MSG_CHECK_UNCLOSED = "「<@」が「@>」で閉じられていません。";
constexpr const char* MSG_CHECK_LAST_CONDITION =
    "最終行が条件行です。この条件が掛かる行がありません。";
constexpr const char* MSG_CHECK_CONDITION_CHAIN =
    "条件行の次の行が条件行です。%d行目の条件はこの行だけに掛かります。";
constexpr const char* MSG_CHECK_LONG_LINE =
    "行が511バイトを超えています（改行を含めて%zuバイト）。超えた部分は別の行として扱われます。";
constexpr const char* MSG_CHECK_TOO_MANY_LINES =
    "展開される行数の上限（150行）を超えています。条件で除かれる行がなければ、この行から後は展開さ"
    "れません。";
constexpr const char* MSG_CHECK_NUL =
    "NUL バイトがあります（%zu バイト目）。行はそこで切れ、次の行とつながります。";
constexpr const char* MSG_CHECK_TEXT_BESIDE_CONDITION =
    "条件行に条件以外の文字があります。条件行は何も出力しないので、この文字は出力されません。";
constexpr const char* MSG_CHECK_NOT_TEXT =
    "テキストファイルではありません（実行ファイルなど）。フォーマットファイルとして使えません。";
