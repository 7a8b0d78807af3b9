#pragma once

#include <string>
#include <string_view>
#include <vector>

// The drop list: macros written into declarations for calling conventions, export, attributes
// and compiler hints, which are no part of a type. A dropped word followed by a bracket group
// takes the group along. The built-in words (C library, Qt, X11 and Windows) are defined in
// tidy_drop_list.cpp.
class CTidyDropList {
public:
    // The built-in words and `vecExtra`, the user's own (an empty word drops nothing). The
    // extra words are referred to, not copied: they must outlive the list.
    explicit CTidyDropList(const std::vector<std::string>& vecExtra);

    // `word` is a word of a declaration, never empty.
    bool Drops(std::string_view word) const;

private:
    std::vector<std::string_view> m_vecExtra; // sorted
};
