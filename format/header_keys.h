#pragma once

// The template keys under which a header's values enter the field list, in the order in which
// they are added. Format files refer to these names.
constexpr int HEADER_KEY_COUNT = 25;
// Argument rows the form has room for.
constexpr int HEADER_ARG_ROWS = 6;

extern const char* const g_apszHeaderKeys[HEADER_KEY_COUNT];
