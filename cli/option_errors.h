#pragma once

#include <string>
#include <vector>

namespace CLI {
class ParseError;
}

// The parser's complaint in Japanese: which option or argument is wrong and how. The parser's
// own English words are never shown; a complaint without a known shape gets MSG_USAGE_ERROR.
// `extras`: the arguments the parser did not take, in the order given.
std::string CliDescribeParseError(const CLI::ParseError& error,
                                  const std::vector<std::string>& extras);
