#pragma once

#include "app/messages.h"

// The texts veldane-header shows, in UTF-8. The faults it shares with the window are told in the
// window's own words (MSG_BUFFER_ERROR, MSG_SYNTAX_ERROR, MSG_SELECT_FORMAT, MSG_FORMAT_FAULTY).

// The window asks whether to go on with six rows; here the answer is always yes, so say so.
constexpr const char* MSG_SIX_ROWS_WRITTEN =
    "引数の数が最大数を超えました。[引数6]まで出力します。";

constexpr const char* MSG_USAGE_ERROR = "コマンドラインの指定が正しくありません。";
constexpr const char* MSG_SEE_HELP = "使い方は veldane-header --help をご覧ください。";
constexpr const char* MSG_BAD_ENCODING = "--encoding には utf-8 か cp932 を指定してください。";
constexpr const char* MSG_BAD_ARG_TEXT =
    "--arg-text は 番号=説明 の形で、番号は 1 から 6 で指定してください。";
constexpr const char* MSG_CHECK_ALONE = "--check は他の指定と一緒には使えません。";
constexpr const char* MSG_READ_ERROR = "標準入力を読み込めません。";
constexpr const char* MSG_WRITE_ERROR = "標準出力に書き込めません。";

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
constexpr const char* MSG_CHECK_UNREADABLE = "フォーマットファイルを読み込めません。";
