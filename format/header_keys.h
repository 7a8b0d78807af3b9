#pragma once

class CFieldList;

// The template keys under which a header's values enter the field list, in the order in which
// they are added. Format files refer to these names.
constexpr int HEADER_KEY_COUNT = 25;
// Argument rows the form has room for.
constexpr int HEADER_ARG_ROWS = 6;

extern const char* const g_apszHeaderKeys[HEADER_KEY_COUNT];

// Adds values[i] under g_apszHeaderKeys[i], in key order, skipping empty (or null) values; the
// window and the command-line tool both build their field list through this. Results of the
// individual additions are not looked at: a value that cannot be added is simply absent.
void HeaderAddFields(CFieldList& list, const char* const values[HEADER_KEY_COUNT]);
