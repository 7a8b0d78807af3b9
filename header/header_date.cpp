#include "header/header_date.h"

#include <cstdio>

namespace {

// Room for the date text: three numbers of up to 11 characters each (any int), two slashes and
// the terminator, so that no value of the calendar fields can cut it.
constexpr std::size_t DATE_TEXT_SIZE = 3 * 11 + 2 + 1;

} // namespace

std::string HeaderDateText(const std::tm& date) {
    char szDate[DATE_TEXT_SIZE] = {};
    // A precision pads with zeros by itself: four, two and two digits.
    std::snprintf(szDate, sizeof szDate, "%.4d/%.2d/%.2d", date.tm_year + 1900, date.tm_mon + 1,
                  date.tm_mday);
    return szDate;
}

std::string HeaderToday() {
    const std::time_t now = std::time(nullptr);
    const std::tm* pLocal = std::localtime(&now);
    // Only a clock far outside the calendar's range gives no local date.
    return pLocal != nullptr ? HeaderDateText(*pLocal) : std::string(); // GCOVR_EXCL_BR_LINE
}
