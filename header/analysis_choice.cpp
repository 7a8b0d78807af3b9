#include "header/analysis_choice.h"

#include "header/settings_rule.h"

#include <algorithm>

namespace {

constexpr std::string_view BLANKS = " \t";

} // namespace

CAnalysisChoice HeaderAnalysisChoice(std::string_view tidy, std::string_view drop) {
    CAnalysisChoice choice;
    choice.m_bTidy = tidy == SETTINGS_TIDY_ON;
    for (std::size_t from = drop.find_first_not_of(BLANKS); from != std::string_view::npos;) {
        const std::size_t end = std::min(drop.find_first_of(BLANKS, from), drop.size());
        choice.m_vecDropWords.emplace_back(drop.substr(from, end - from));
        from = drop.find_first_not_of(BLANKS, end);
    }
    return choice;
}
