#pragma once

// The texts both programs show the user, as UTF-8 source literals: the window in its message
// boxes (converted to code page 932 where shown), veldane-header after "veldane-header: " on
// standard error. The command-line tool tells the faults it shares with the window in the
// window's own words. A printf pattern takes the arguments named beside it.

// The window's messages, all in boxes captioned with the program's title.
inline constexpr char MSG_NO_MEMORY[] = "メモリ不足エラーです。";
inline constexpr char MSG_SYNTAX_ERROR[] = "入力された関数は文法エラーの為、解析できません。";
inline constexpr char MSG_TOO_MANY_ARGS[] =
    "引数の数が最大数を超えました。[引数6]まで表示しますがよろしいですか？";
inline constexpr char MSG_NOT_TEXT[] = "テキスト形式を張付けてください。";
inline constexpr char MSG_CLIPBOARD_ERROR[] = "クリップボードのエラー発生。";
inline constexpr char MSG_BUFFER_ERROR[] = "バッファエラー発生の為、コピーできません。";
inline constexpr char MSG_SELECT_FORMAT[] = "フォーマットファイルを選択してください。";
inline constexpr char MSG_FORMAT_FAULTY[] =
    "フォーマットファイルが異常です。コメントは作成されません。";
inline constexpr char MSG_COPIED[] = "コメントをクリップボードにコピーしました。";
// A copy that did not take place is said so, rather than leaving the user to paste old text.
inline constexpr char MSG_EMPTY_EXPANSION[] =
    "フォーマットファイルの展開結果が空の為、コピーしませんでした。";
inline constexpr char MSG_CLIPBOARD_WRITE[] = "クリップボードに書き込めませんでした。";
// A chosen path that does not fit the form's path buffer; a cut path would name another file.
inline constexpr char MSG_PATH_TOO_LONG[] =
    "フォーマットファイルのパスが長すぎる為、選択できません。";

// veldane-header's own messages.

// The window asks whether to go on with six rows; here the answer is always yes, so say so.
inline constexpr char MSG_SIX_ROWS_WRITTEN[] =
    "引数の数が最大数を超えました。[引数6]まで出力します。";

// --help: what the tool does, and what follows the options (after MSG_HELP_SETTINGS).
inline constexpr char MSG_HELP_DESCRIPTION[] =
    "関数の宣言とフォーマットファイルから関数ヘッダコメントを作成し、標準出力に書き出します。\n"
    "宣言を省略すると標準入力から読み込みます（複数行やコメントがあっても構いません）。";

inline constexpr char MSG_HELP_FOOTER[] =
    "出力は UTF-8・改行 LF です（--crlf で CR LF、--encoding cp932 でコード ページ 932）。\n"
    "オプションの値と宣言の引数は、ロケールの文字コードで読みます。\n"
    "展開結果が空のときは何も書き出さず、終了ステータス 0 で終わります。\n"
    "--insert ファイル:行番号 は、その行を含む関数（宣言・本体・上のコメントのどの行でもよい）の\n"
    "宣言の上に、同じ字下げでコメントを挿入します。上にフォーマットどおりのコメントがあれば、\n"
    "説明・タイトル・作者・日付を残して書き直します。--insert ファイル は全関数が対象です。\n"
    "改行はその行に、文字コードは --encoding に合わせ、ほかのバイトは変えません。\n"
    "--dry-run では書き込まず、差分（unified diff）を出力します。\n"
    "--lint の指摘は「ファイル:行:桁: warning: 内容」の形です。\n"
    "--check の行の長さは、展開時と同じくコード ページ 932 のバイト数で数えます。\n"
    "\n"
    "終了ステータス:\n"
    "  0  コメントを書き出した（または問題なし）\n"
    "  1  --check・--lint で問題が見つかった、--read-back でコメントが読めない\n"
    "  2  コマンドラインの誤り\n"
    "  3  宣言が空か、文法エラー\n"
    "  4  フォーマットファイルが読めないか、テキストでない\n"
    "  5  フォーマットファイルの指定がない\n"
    "  6  バッファエラー（メモリ不足）\n"
    "  7  標準入力または標準出力のエラー\n"
    "  8  入力の文字コードが正しくない、またはコメントを書き直すと文字が失われる\n"
    "  9  ファイルが読めない、書けない、その行がない、またはその行が関数にない";

// --help: how the settings file is found, before the path found from here. The section, the keys
// FILE_PATH and DEVELOP, the project folder twice, then the file name, the program's folder and
// the configuration folder under the home folder as the paths use them.
inline constexpr char MSG_HELP_SETTINGS[] =
    "--format と --developer を省略すると、設定ファイル（セクション %s の %s と %s）\n"
    "の値を使います。設定ファイルは、カレント ディレクトリに %s フォルダがあれば\n"
    "%s/%s、なければ $XDG_CONFIG_HOME/%s/%s（既定は\n"
    "~/%s/%s/%s）です。ここで読むのは次のファイルです:\n  ";

// The command line. Each usage message is followed by MSG_SEE_HELP on a line of its own.
inline constexpr char MSG_USAGE_ERROR[] = "コマンドラインの指定が正しくありません。";
inline constexpr char MSG_SEE_HELP[] = "使い方は veldane-header --help をご覧ください。";
inline constexpr char MSG_UNEXPECTED_ARGS[] = "不明なオプションか余分な引数です: %s"; // arguments
inline constexpr char MSG_OPTION_TWICE[] = "%s は一度だけ指定できます。";             // option
inline constexpr char MSG_OPTION_NO_VALUE[] = "%s の値を指定してください。";          // option
inline constexpr char MSG_OPTION_BAD_VALUE[] = "%s の値が正しくありません。";         // option
inline constexpr char MSG_BAD_ENCODING[] = "--encoding には utf-8 か cp932 を指定してください。";
inline constexpr char MSG_BAD_ARG_TEXT[] =
    "--arg-text は 番号=説明 の形で、番号は 1 から 6 で指定してください。";
inline constexpr char MSG_CHECK_ALONE[] = "--check は他の指定と一緒には使えません。";
inline constexpr char MSG_BAD_INSERT[] =
    "--insert は ファイル か ファイル:行番号 の形で、行番号は 1 から数えて指定してください。";
inline constexpr char MSG_BAD_READ_BACK[] =
    "--read-back は ファイル:行番号 の形で、行番号は 1 から数えて指定してください。";
inline constexpr char MSG_INSERT_LINE_ALONE[] =
    "--insert ファイル:行番号 は一つだけ指定できます（ファイル全体なら行番号を省きます）。";
inline constexpr char MSG_ONE_MODE[] =
    "--insert、--read-back、--lint はどれか一つだけ指定できます。";
inline constexpr char MSG_LINT_WITHOUT_FILES[] = "--lint では調べるファイルを指定してください。";
inline constexpr char MSG_TIDY_BOTH[] = "--tidy と --no-tidy は一緒には指定できません。";
// An option given without the one that gives it a meaning: the option, then that one.
inline constexpr char MSG_OPTION_NEEDS[] = "%s は %s と一緒に指定してください。";
// An option the run's mode has no use for: the option, then the mode's option.
inline constexpr char MSG_OPTION_NOT_WITH[] = "%s は %s と一緒には使えません。";
// The option of the mode: --insert, --read-back or --lint.
inline constexpr char MSG_FILE_MODE_WITH_DECLARATION[] =
    "%s は宣言をファイルから読むので、宣言は指定できません。";
inline constexpr char MSG_INSERT_WITH_CRLF[] =
    "%s は改行をファイルに合わせるので、--crlf は使えません。";

// Standard streams.
inline constexpr char MSG_READ_ERROR[] = "標準入力を読み込めません。";
inline constexpr char MSG_WRITE_ERROR[] = "標準出力に書き込めません。";

// No format file: the settings file's path, section and key.
inline constexpr char MSG_NO_FORMAT[] = "フォーマットファイルの指定がありません。-f "
                                        "でフォーマットファイルを指定するか、設定ファイル %s "
                                        "の [%s] に %s=パス を書いてください。";
// Files that cannot be used, each "PATH: " and what the file is to the tool.
inline constexpr char MSG_NOUN_FORMAT_FILE[] = "フォーマットファイル";
inline constexpr char MSG_NOUN_FILE[] = "ファイル";
inline constexpr char MSG_FILE_MISSING[] = "%s: %sがありません。";
inline constexpr char MSG_FILE_NOT_REGULAR[] = "%s: %sが通常のファイルではありません。";
// Binary data, such as an executable, chosen as the format file.
inline constexpr char MSG_FILE_NOT_TEXT[] =
    "%s: %sがテキストファイルではありません（実行ファイルなど）。";
inline constexpr char MSG_FILE_UNREADABLE[] = "%s: %sを読み込めません。";
inline constexpr char MSG_FILE_UNWRITABLE[] =
    "%s: ファイルに書き込めません。ファイルは元のままです。";

// The declaration and the texts of the options.
inline constexpr char MSG_EMPTY_DECLARATION[] = "宣言が空です。解析する関数の宣言がありません。";
inline constexpr char MSG_DECLARATION_CUT[] =
    "宣言が長すぎる為、先頭の %zu バイト（コード ページ 932 で数えて）だけを使います。";
// The encoding given, then the other one.
inline constexpr char MSG_DECLARATION_ENCODING[] =
    "宣言が %s の文字として正しくありません。--encoding %s を指定してください。";
// Text that is no character in either encoding: the other encoding would not help.
inline constexpr char MSG_DECLARATION_NEITHER[] =
    "宣言が utf-8 の文字としても cp932 の文字としても正しくありません。";
// Option values and the declaration argument are read in the locale's encoding, not --encoding's:
// the option or the declaration argument, then the encoding.
inline constexpr char MSG_OPTION_ENCODING[] =
    "%s の値が %s の文字として正しくありません。オプションの値と宣言の引数は、ロケール（LANG "
    "など）の文字コードで読みます。";
inline constexpr char MSG_ARGUMENT_ENCODING[] =
    "宣言の引数が %s の文字として正しくありません。オプションの値と宣言の引数は、ロケール（LANG "
    "など）の文字コードで読みます。";
// What a text given to the tool lost on its way into code page 932: the text ("-t の値",
// "宣言"), then the characters and what they became.
inline constexpr char MSG_CHARACTERS_CHANGED[] =
    "%sにコード ページ 932 にない文字があり、置き換えました: %s";
inline constexpr char MSG_NOUN_DECLARATION[] = "宣言";
inline constexpr char MSG_NOUN_OPTION_VALUE[] = "%s の値"; // option

// --insert: "FILE:LINE: " comes first where a line is concerned.
inline constexpr char MSG_FILE_ENCODING[] = "%s:%zu: %s の文字として正しくないバイトがあります。"
                                            "--encoding %s を指定してください。";
// A file whose lines are each text in one encoding, but not all in the same one.
inline constexpr char MSG_FILE_MIXED[] =
    "%s:%zu: %s の文字として正しくないバイトがあります。ファイルに utf-8 と cp932 の文字が混ざって"
    "います。";
inline constexpr char MSG_FILE_NEITHER[] =
    "%s:%zu: utf-8 の文字としても cp932 の文字としても正しくないバイトがあります。";
inline constexpr char MSG_NO_SUCH_LINE[] = "%s: %zu 行目がありません（ファイルは %zu 行です）。";

// --insert, --read-back and --lint: about a function, after "FILE:LINE: ".
inline constexpr char MSG_NO_FUNCTION_AT[] = "%s:%zu: この行はどの関数にも属していません（関数の宣言、"
                                             "本体、その上のコメントの行を指定してください）。";
inline constexpr char MSG_UP_TO_DATE[] = "コメントは最新です。ファイルは変えていません。";
inline constexpr char MSG_OTHER_COMMENT_KEPT[] =
    "上のコメントはフォーマットファイルどおりではないので、そのままにして新しいコメントを挿入しま"
    "した。";
inline constexpr char MSG_OTHER_COMMENT_LEFT[] =
    "関数 %s の上のコメントはフォーマットファイルどおりではないので、そのままにしました。"; // name
// The argument's name, then its description.
inline constexpr char MSG_DESCRIPTION_LOST[] =
    "引数 %s がなくなった為、その説明をコメントから除きました: %s";
// The argument, the file and line it came from, the description.
inline constexpr char MSG_DESCRIPTION_REUSED[] = "引数 %s の説明を %s から使いました: %s";
inline constexpr char MSG_UPDATE_REFUSED[] =
    "コメントにコード ページ 932 にない文字があり、書き直すと失われる為、更新しません: %s";
// --read-back: a key only a condition tests, which no placeholder shows.
inline constexpr char MSG_READ_BACK_STAND_IN[] = "（条件でだけ使われ、値は表示されていません）";
inline constexpr char MSG_READ_BACK_NOTHING[] = "宣言の上にコメントがありません。";
// The format file and its line, then the comment's line in the source file.
inline constexpr char MSG_READ_BACK_PARTS[] =
    "コメントがフォーマットファイル %s の %d 行目と一致しません。";
inline constexpr char MSG_READ_BACK_UNCONFIRMED[] =
    "コメントは読めますが、読んだ値で展開し直すとこの行が変わります。";
inline constexpr char MSG_READ_BACK_OVER_BUDGET[] =
    "コメントの読み方が多すぎて、決められません。";
// --lint findings, each after "FILE:LINE:COLUMN: warning: "; the function's name first.
inline constexpr char MSG_LINT_MISSING[] = "関数 %s の上に、フォーマットどおりのコメントがありません。";
inline constexpr char MSG_LINT_STALE[] =
    "関数 %s のコメントが宣言と合っていません（更新するとコメントが変わります）。";
inline constexpr char MSG_LINT_NO_ARG_TEXT[] = "関数 %s の引数 %s に説明がありません。";
inline constexpr char MSG_LINT_NO_RET_TEXT[] = "関数 %s の戻り値に説明がありません。";

// --check findings; each follows "FILE:LINE: ".
inline constexpr char MSG_CHECK_UNKNOWN_KEY[] = "キー「%s」は入力画面にない項目です。";
inline constexpr char MSG_CHECK_UNCLOSED[] = "「<@」が「@>」で閉じられていません。";
inline constexpr char MSG_CHECK_LAST_CONDITION[] =
    "最終行が条件行です。この条件が掛かる行がありません。";
inline constexpr char MSG_CHECK_CONDITION_CHAIN[] =
    "条件行の次の行が条件行です。%d行目の条件はこの行だけに掛かります。";
inline constexpr char MSG_CHECK_LONG_LINE[] =
    "行が511バイトを超えています（改行を含めて%zuバイト）。超えた部分は別の行として扱われます。";
inline constexpr char MSG_CHECK_TOO_MANY_LINES[] =
    "展開される行数の上限（150行）を超えています。条件で除かれる行がなければ、この行から後は展開さ"
    "れません。";
inline constexpr char MSG_CHECK_NUL[] =
    "NUL バイトがあります（%zu バイト目）。行はそこで切れ、次の行とつながります。";
inline constexpr char MSG_CHECK_TEXT_BESIDE_CONDITION[] =
    "条件行に条件以外の文字があります。条件行は何も出力しないので、この文字は出力されません。";
inline constexpr char MSG_CHECK_NOT_TEXT[] =
    "テキストファイルではありません（実行ファイルなど）。フォーマットファイルとして使えません。";
