#pragma once

#include <string_view>

// The template keys a header's values go under, in the order Make header adds them: the boxes of
// the function, the other information, then three boxes for each argument row. Format files
// refer to these names.

constexpr int HEADER_KEY_COUNT = 25;
// Argument rows the form has room for.
constexpr int HEADER_ARG_ROWS = 6;

extern const char* const g_apszHeaderKeys[HEADER_KEY_COUNT];

// The keys before the argument rows, each at its place in g_apszHeaderKeys.
enum class HeaderKey { Func, Ret, RetText, Class, Developer, Title, Date, FirstArg };
// The boxes of one argument row, in the order their keys follow one another.
enum class ArgPart { Type, Name, Text, Count };

constexpr int HeaderKeyIndex(HeaderKey key) {
    return static_cast<int>(key);
}
// The key of one box of argument row nRow, counted from 1 to HEADER_ARG_ROWS.
constexpr int HeaderArgKeyIndex(int nRow, ArgPart part) {
    return HeaderKeyIndex(HeaderKey::FirstArg) + static_cast<int>(ArgPart::Count) * (nRow - 1) +
           static_cast<int>(part);
}
static_assert(HeaderArgKeyIndex(HEADER_ARG_ROWS, ArgPart::Text) == HEADER_KEY_COUNT - 1);

// The place of `key` in g_apszHeaderKeys, or -1 for a key no box supplies.
int HeaderFindKey(std::string_view key);
