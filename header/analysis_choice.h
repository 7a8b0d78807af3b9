#pragma once

#include <string>
#include <string_view>
#include <vector>

// Which analysis splits a declaration into the boxes: the fixed text rules by default, or the
// tidy analysis that reads it as a C or C++ programmer does, which the user switches on.
struct CAnalysisChoice {
    bool m_bTidy = false;
    // The user's own words for the tidy analysis to drop besides its built-in list.
    std::vector<std::string> m_vecDropWords;
};

// The choice the settings hold: `tidy` (the TIDY value) "1" switches the tidy analysis on, any
// other value or none leaves the fixed rules; `drop` (TIDY_DROP) holds words separated by blanks
// (spaces or tabs).
CAnalysisChoice HeaderAnalysisChoice(std::string_view tidy, std::string_view drop);
