#pragma once

#include <ctime>
#include <string>

// A calendar date as the date box shows it: "yyyy/mm/dd", zero-padded.
std::string HeaderDateText(const std::tm& date);
// Today's local date as HeaderDateText writes it; empty when the clock gives no local date.
std::string HeaderToday();
