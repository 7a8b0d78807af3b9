#include "header/box_limits.h"

#include "text/codepage.h"

std::string HeaderBoxText(std::string_view cp932) {
    cp932 = cp932.substr(0, cp932.find('\0'));
    return std::string(cp932.substr(0, TxtCp932Cut(cp932, BOX_TEXT_MAX)));
}
