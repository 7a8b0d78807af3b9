#include "analyser/tidy_brackets.h"

#include <cstddef>

namespace {

char CloserOf(const CTidyToken& token) {
    return token.Is("(") ? ')' : token.Is("[") ? ']' : token.Is("{") ? '}' : '\0';
}

bool IsCloser(const CTidyToken& token) {
    return token.IsOneOf({")", "]", "}"});
}

// Pairs '<' and '>' between paired brackets, one bracket depth at a time: a stack of the open
// '<' with a mark for every open bracket, so that a '>' never closes a '<' of another depth.
void PairAngles(std::vector<CTidyToken>& tokens, const CTidySpan& span) {
    constexpr int BRACKET_MARK = -1;
    // The mark at the bottom stands for the span itself; every closer finds its own opener's
    // mark above it, since the brackets are paired.
    std::vector<int> vecOpen{BRACKET_MARK};
    bool bAfterWord = false; // after a word or an operator's name; comments passed over
    for (int i = span.m_nBegin; i < span.m_nEnd; ++i) {
        CTidyToken& token = tokens[static_cast<std::size_t>(i)];
        if (token.m_kind == TidyTokenKind::Comment) {
            continue;
        }
        if (CloserOf(token) != '\0') {
            vecOpen.push_back(BRACKET_MARK);
        } else if (IsCloser(token)) {
            while (vecOpen.back() != BRACKET_MARK) {
                vecOpen.pop_back();
            }
            vecOpen.pop_back();
        } else if (token.Is("<") && bAfterWord) {
            vecOpen.push_back(i);
        } else if (token.Is(">") && vecOpen.back() != BRACKET_MARK) {
            token.m_nPartner = vecOpen.back();
            tokens[static_cast<std::size_t>(vecOpen.back())].m_nPartner = i;
            vecOpen.pop_back();
        }
        bAfterWord = token.IsWord() || token.m_kind == TidyTokenKind::Operator;
    }
}

} // namespace

bool TidyPairBrackets(std::vector<CTidyToken>& vecTokens, CTidySpan& span) {
    const int nCount = static_cast<int>(vecTokens.size());
    int nBegin = 0;
    while (nBegin < nCount &&
           (vecTokens[static_cast<std::size_t>(nBegin)].Is(";") ||
            vecTokens[static_cast<std::size_t>(nBegin)].m_kind == TidyTokenKind::Comment)) {
        ++nBegin;
    }
    std::vector<int> vecOpen;
    bool bGroupClosed = false;
    int nEnd = nBegin;
    for (; nEnd < nCount; ++nEnd) {
        CTidyToken& token = vecTokens[static_cast<std::size_t>(nEnd)];
        if (vecOpen.empty() && (token.Is(";") || (token.Is("{") && bGroupClosed))) {
            break;
        }
        if (CloserOf(token) != '\0') {
            vecOpen.push_back(nEnd);
        } else if (IsCloser(token)) {
            if (vecOpen.empty() ||
                CloserOf(vecTokens[static_cast<std::size_t>(vecOpen.back())]) != token.m_sv[0]) {
                return false;
            }
            token.m_nPartner = vecOpen.back();
            vecTokens[static_cast<std::size_t>(vecOpen.back())].m_nPartner = nEnd;
            vecOpen.pop_back();
            bGroupClosed = bGroupClosed || (vecOpen.empty() && token.Is(")"));
        }
    }
    if (!vecOpen.empty()) {
        return false;
    }
    span = {nBegin, nEnd};
    PairAngles(vecTokens, span);
    return true;
}
