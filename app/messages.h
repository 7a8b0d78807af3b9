#pragma once

// The messages the program shows the user, as UTF-8 source literals. Plain C++ with nothing
// generated, so that veldane-header can say the same words about the same faults.

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
