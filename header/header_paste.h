#pragma once

#include <string>
#include <string_view>

enum class CPasteResult { Done, NoMemory };

// Pasted text (code page 932) as the declaration box takes it: its first PASTE_TEXT_MAX bytes,
// never half a character, up to a NUL, with comments, tabs and line breaks removed and runs of
// blanks squeezed. Done with the text in `cleaned`; NoMemory with `cleaned` untouched, since
// half-cleaned text would be worse than none.
CPasteResult HeaderCleanPaste(std::string_view pasted, std::string& cleaned);
