#pragma once

#include "format/field_list.h"

#include <cstddef>
#include <string>
#include <string_view>

// What the form's boxes and its paste hold and how text gets into them, for both the window and
// veldane-header.

// Bytes a box gives when it is read: what a field of the expansion holds.
constexpr std::size_t BOX_TEXT_MAX = FIELD_TEXT_SIZE - 1;
// Bytes of the clipboard a paste takes; the declaration box then gives the analyser its first
// BOX_TEXT_MAX bytes of what cleaning leaves.
constexpr std::size_t PASTE_TEXT_MAX = 2047;
// Room for the chosen format file's path and its terminator; a longer path is no choice, as a
// cut one would name another file.
constexpr std::size_t FORMAT_PATH_SIZE = 1024;

// A text as a box gives it: up to its first NUL, at most BOX_TEXT_MAX bytes, never half a
// double-byte character.
std::string HeaderBoxText(std::string_view cp932);

// True when a format file path fits the form's room for it.
inline bool HeaderPathFits(std::string_view path) {
    return path.size() < FORMAT_PATH_SIZE;
}

enum class PasteResult { Done, NoMemory };

// Pasted text (code page 932) as the declaration box takes it: its first PASTE_TEXT_MAX bytes,
// never half a character, up to a NUL, with comments, tabs and line breaks removed and runs of
// blanks squeezed. With `bKeepListComments` (for the tidy analysis, which reads a comment after
// a parameter as its description) the comments from the first '(' on stay, each as a "/* */"
// comment on the one line the box holds. Done with the text in `cleaned`; NoMemory with
// `cleaned` untouched, since half-cleaned text would be worse than none.
PasteResult HeaderCleanPaste(std::string_view pasted, std::string& cleaned,
                             bool bKeepListComments = false);
