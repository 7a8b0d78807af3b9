#pragma once

#include "version.h"

// The captions the program shows (its messages are in header/messages.h), as UTF-8 source literals.
// The form works in code page 932, so a text is converted once where it reaches a box or a
// message (see AppText).

// The context-menu entry that opens the About box; '&' marks the mnemonic.
inline constexpr char STR_ABOUT_MENU[] = "Quorvel のﾊﾞｰｼﾞｮﾝ情報(&A)...";
// The context-menu entry that switches the tidy analysis on and off, and what the analyse
// button's tooltip says of each.
inline constexpr char STR_TIDY_MENU[] = "宣言を整えて解析(&T)";
inline constexpr char STR_ANALYZE_TIDY_TIP[] =
    "宣言を整えて解析します（指定子・属性・既定値を除き、* は型に付けます）。右クリックのメニューで"
    "切り替えられます。";
inline constexpr char STR_ANALYZE_RULES_TIP[] =
    "宣言を決まった規則で解析します。右クリックのメニューの「宣言を整えて解析」で切り替えられます"
    "。";

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
