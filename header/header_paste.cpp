#include "header/header_paste.h"

#include "header/box_limits.h"
#include "text/codepage.h"
#include "text/txt.h"

#include <cstring>
#include <vector>

CPasteResult HeaderCleanPaste(std::string_view pasted, std::string& cleaned) {
    std::vector<char> text(PASTE_TEXT_MAX + 1, '\0');
    std::memcpy(text.data(), pasted.data(), TxtCp932Cut(pasted, PASTE_TEXT_MAX));
    if (TxtCleanPasted(text.data()) != 0) {
        return CPasteResult::NoMemory;
    }
    cleaned.assign(text.data());
    return CPasteResult::Done;
}
