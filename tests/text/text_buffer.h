#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

// Room for every example text here, with space to grow for replacements.
constexpr std::size_t TEXT_ARRAY_SIZE = 128;

// A zero-filled caller array holding `text`, as every caller of the toolkit passes it.
inline std::string TextArray(const std::string& text) {
    return text + std::string(TEXT_ARRAY_SIZE - text.size(), '\0');
}

// A shortened result must leave nothing but zeros behind it.
inline bool ZeroAfterText(const std::string& array) {
    return array.find_first_not_of('\0', std::strlen(array.c_str())) == std::string::npos;
}
