#include "analyser/tidy_spell.h"

#include "analyser/tidy_words.h"

namespace {

bool IsMark(const CTidyToken& token) {
    return token.Is("*") || token.Is("&") || token.Is("^");
}

bool IsTemplateBracket(const CTidyToken& token) {
    return (token.Is("<") || token.Is(">")) && token.m_nPartner >= 0;
}

bool NoSpaceAfter(const CTidyToken& prev) {
    return prev.Is("(") || prev.Is("[") || prev.Is("::") || prev.Is("~") || IsMark(prev) ||
           (prev.Is("<") && prev.m_nPartner >= 0);
}

bool NoSpaceBefore(const CTidyToken& prev, const CTidyToken& token) {
    if (token.Is("(")) {
        return prev.Is(")") || prev.Is("]") ||
               (prev.IsWord() && TidyWordKindOf(prev.m_sv) == TidyWordKind::Operand);
    }
    return token.Is(",") || token.Is(")") || token.Is("]") || token.Is("[") || token.Is("::") ||
           token.Is("...") || IsTemplateBracket(token);
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
