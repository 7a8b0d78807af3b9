#pragma once

#include "version.h"

// Every Japanese text the program shows, as UTF-8 source literals. The form works in code page
// 932, so a text is converted once where it reaches a box or a message (see AppText).

// Messages, all in boxes captioned with the program's title.
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

// The context-menu entry that opens the About box; '&' marks the mnemonic.
inline constexpr char STR_ABOUT_MENU[] = "Quorvel のﾊﾞｰｼﾞｮﾝ情報(&A)...";

// About box.
inline constexpr char CAP_ABOUT_TITLE[] = VELDANE_TITLE " のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr char CAP_ABOUT_VERSION[] = VELDANE_TITLE "   Ver " VELDANE_VERSION;
inline constexpr char CAP_ABOUT_PURPOSE[] = "関数ヘッダコメント作成ツール";
inline constexpr char CAP_OK[] = "OK";

// Buttons of the main form.
inline constexpr char CAP_ANALYZE[] = "関数自動解析";
inline constexpr char CAP_CLEAR_INPUT[] = "入力値クリア";
inline constexpr char CAP_PASTE[] = "クリップボード取得";
inline constexpr char CAP_SELECT_FORMAT[] = "ファイル選択";
inline constexpr char CAP_MAKE_HEADER[] = "関数ヘッダ作成";

// Labels and group boxes of the main form; the edits' accessible names are built from them.
inline constexpr char CAP_DECL_INPUT[] = "関数入力";
inline constexpr char CAP_FUNC_INFO[] = "関数情報";
inline constexpr char CAP_CLASS[] = "クラス名";
inline constexpr char CAP_FUNC[] = "関数名";
inline constexpr char CAP_RET[] = "戻り値";
inline constexpr char CAP_ARGS[] = "引数";
inline constexpr char CAP_ARG_TYPE[] = "型";
inline constexpr char CAP_ARG_NAME[] = "変数名";
inline constexpr char CAP_TEXT[] = "説明";
inline constexpr char CAP_ARG1[] = "引数1";
inline constexpr char CAP_ARG2[] = "引数2";
inline constexpr char CAP_ARG3[] = "引数3";
inline constexpr char CAP_ARG4[] = "引数4";
inline constexpr char CAP_ARG5[] = "引数5";
inline constexpr char CAP_ARG6[] = "引数6";
inline constexpr char CAP_OTHER_INFO[] = "その他情報";
inline constexpr char CAP_TITLE[] = "タイトル";
inline constexpr char CAP_DATE[] = "作成年月日";
inline constexpr char CAP_DEVELOP[] = "作者";
inline constexpr char CAP_FORMAT[] = "フォーマット";
// Accessible name of the box showing the chosen format file's name (it has no label).
inline constexpr char CAP_FORMAT_FILE[] = "フォーマットファイル";
