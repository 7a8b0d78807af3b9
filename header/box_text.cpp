#include "header/box_text.h"

#include "text/codepage.h"
#include "text/txt.h"

#include <cstring>
#include <vector>

std::string HeaderBoxText(std::string_view cp932) {
    cp932 = cp932.substr(0, cp932.find('\0'));
    return std::string(cp932.substr(0, TxtCp932Cut(cp932, BOX_TEXT_MAX)));
}

PasteResult HeaderCleanPaste(std::string_view pasted, std::string& cleaned) {
    std::vector<char> text(PASTE_TEXT_MAX + 1, '\0');
    std::memcpy(text.data(), pasted.data(), TxtCp932Cut(pasted, PASTE_TEXT_MAX));
    if (TxtCleanPasted(text.data()) != 0) {
        return PasteResult::NoMemory;
    }
    cleaned.assign(text.data());
    return PasteResult::Done;
}
