#include "cli/option_errors.h"

#include "cli/report.h"
#include "header/messages.h"

#include <CLI/CLI.hpp>

#include <typeinfo>

namespace {

// How the parser's texts put the option's name, or the arguments it did not expect, into its
// English; only those are taken from it, as the user wrote them.
constexpr std::string_view NAME_END = ": ";
constexpr std::string_view CONVERSION_START = "Could not convert: ";
constexpr std::string_view CONVERSION_NAME_END = " = ";
constexpr std::string_view MISSING_END = " missing";
constexpr std::string_view TOO_MANY = "At Most";

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The text between `start` and the first `end` after it; empty when there is no such text.
std::string Between(std::string_view text, std::string_view start, std::string_view end) {
    const std::size_t stop = text.find(end, start.size());
    const bool bFound = text.substr(0, start.size()) == start && stop != std::string_view::npos;
    return bFound ? std::string(text.substr(start.size(), stop - start.size())) : std::string();
}

} // namespace

std::string CliDescribeParseError(const CLI::ParseError& error,
                                  const std::vector<std::string>& extras) {
    const std::string_view text = error.what();
    const std::string name = Between(text, "", NAME_END);
    // The parser throws these classes themselves, never one derived from them.
    if (typeid(error) == typeid(CLI::ExtrasError) && !extras.empty()) {
        std::string joined = extras.front();
        for (std::size_t i = 1; i < extras.size(); ++i) {
            joined += " " + extras[i];
        }
        return CliPrintf(MSG_UNEXPECTED_ARGS, joined.c_str());
    }
    if (typeid(error) == typeid(CLI::ArgumentMismatch) && !name.empty()) {
        if (EndsWith(text, MISSING_END)) {
            return CliPrintf(MSG_OPTION_NO_VALUE, name.c_str());
        }
        if (text.find(TOO_MANY) != std::string_view::npos) {
            return CliPrintf(MSG_OPTION_TWICE, name.c_str());
        }
    }
    const std::string converted = Between(text, CONVERSION_START, CONVERSION_NAME_END);
    if (typeid(error) == typeid(CLI::ConversionError) && !converted.empty()) {
        return CliPrintf(MSG_OPTION_BAD_VALUE, converted.c_str());
    }
    // No command line makes the parser this tool is built with complain otherwise; another
    // version's English stays out all the same.
    return MSG_USAGE_ERROR; // GCOVR_EXCL_LINE
}
