#pragma once

#include <string>

// A UTF-8 text of strings.h as the code page 932 bytes the form and the messages work in.
std::string AppText(const char* pszUtf8);
