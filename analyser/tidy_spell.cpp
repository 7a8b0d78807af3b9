#include "analyser/tidy_spell.h"

#include "analyser/tidy_words.h"

namespace {

bool NoSpaceAfter(const CTidyToken& prev) {
    return prev.IsOneOf({"(", "[", "::", "~"}) || prev.IsMark() ||
           (prev.Is("<") && prev.m_nPartner >= 0);
}

bool NoSpaceBefore(const CTidyToken& prev, const CTidyToken& token) {
    if (token.Is("(")) {
        return prev.IsOneOf({")", "]"}) ||
               (prev.IsWord() && TidyWordKindOf(prev.m_sv) == TidyWordKind::Operand);
    }
    // Template brackets, not comparisons.
    return token.IsOneOf({",", ")", "]", "[", "::", "..."}) ||
           (token.IsOneOf({"<", ">"}) && token.m_nPartner >= 0);
}

} // namespace

void CTidySpeller::Add(const CTidyToken& token) {
    if (m_pPrev != nullptr &&
        (m_pPrev->Is(",") || !(NoSpaceAfter(*m_pPrev) || NoSpaceBefore(*m_pPrev, token)))) {
        m_strText += ' ';
    }
    m_strText += token.m_sv;
    m_pPrev = &token;
}
