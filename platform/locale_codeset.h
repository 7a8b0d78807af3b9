#pragma once

#include <string>

// The character set the user's locale gives texts (LC_ALL, LC_CTYPE, then LANG), as the C library
// names it: "UTF-8", "SHIFT_JIS", "ANSI_X3.4-1968" for the C and POSIX locales. Empty when the
// environment names a locale this machine does not have. Changes no locale of the process.
std::string PfLocaleCodeset();
