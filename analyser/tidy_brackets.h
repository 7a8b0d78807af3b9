#pragma once

#include "analyser/tidy_tokens.h"

#include <vector>

// Where the declaration among `vecTokens` begins and ends, with its brackets paired.
struct CTidySpan {
    int m_nBegin = 0;
    int m_nEnd = 0;
};

// Finds the declaration: leading semicolons are passed over; it ends before the first ';'
// outside brackets, or before the first '{' outside brackets that follows a closed '(' group
// (a body or an initialiser, which the analysis does not read). Pairs every ( [ { inside it,
// and each '<' written after a word or an operator's name with the first '>' that closes it
// at the same bracket depth (a template argument list, or a comparison that the reader tells
// apart). False, with the span unset, when a closing bracket does not match or a bracket stays
// open.
bool TidyPairBrackets(std::vector<CTidyToken>& vecTokens, CTidySpan& span);
