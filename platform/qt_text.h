#pragma once

#include <QString>
#include <string>
#include <string_view>

// The form's texts are code page 932 inside the program and Unicode in Qt; these convert at that
// edge through the program's one code page unit. A character code page 932 lacks becomes '?'.
QString PfFromCp932(std::string_view cp932);
std::string PfToCp932(const QString& text);
