#include "analyser/tidy_reader.h"

#include "analyser/tidy_spell.h"
#include "analyser/tidy_words.h"

namespace {

// Words written between a parameter list and the name before a later bracket group that make
// the group the parameter list of a declaration after a macro's arguments ("MACRO(x) int
// f(int)"): a return type. Words followed by a group of their own do not count, since macros
// after a parameter list look the same ("f(int) MACRO_A((1)) MACRO_B((2))").
constexpr int NEW_DECLARATION_WORDS = 1;

// Tokens that end a function's declarator once its parameter list has been seen: a trailing
// return type, a pure or defaulted mark, an initialiser list, a body.
bool EndsDeclarator(const CTidyToken& token) {
    return token.IsOneOf({"->", "=", ":", "{"});
}

} // namespace

CTidyReader::CTidyReader(const std::vector<CTidyToken>& vecTokens, const CTidySpan& span,
                         const CTidyDropList& dropList)
    : m_vecTokens(vecTokens), m_nBegin(span.m_nBegin), m_nEnd(span.m_nEnd),
      m_vecKind(vecTokens.size(), TidyWordKind::Name), m_vecKeep(vecTokens.size(), 0),
      m_vecNext(vecTokens.size() + 1, span.m_nEnd), m_vecPrev(vecTokens.size() + 1, -1) {
    MarkDropped(dropList);
    for (int i = m_nEnd - 1; i >= m_nBegin; --i) {
        m_vecNext[static_cast<std::size_t>(i)] = Kept(i) ? i : Next(i + 1);
    }
    for (int i = m_nBegin + 1; i <= m_nEnd; ++i) {
        m_vecPrev[static_cast<std::size_t>(i)] = Kept(i - 1) ? i - 1 : Prev(i - 1);
    }
}

void CTidyReader::Drop(int nFrom, int nTo) {
    for (int i = nFrom; i < nTo; ++i) {
        m_vecKeep[static_cast<std::size_t>(i)] = 0;
    }
}

// Comments, specifiers, attributes, template heads, extern "C" and the words of the drop list
// with the bracket group after them.
void CTidyReader::MarkDropped(const CTidyDropList& dropList) {
    for (int i = m_nBegin; i < m_nEnd; ++i) {
        m_vecKeep[static_cast<std::size_t>(i)] = T(i).m_kind != TidyTokenKind::Comment;
        if (T(i).IsWord()) {
            m_vecKind[static_cast<std::size_t>(i)] = TidyWordKindOf(T(i).m_sv);
        }
    }
    auto after = [this](int i) {
        int j = i + 1;
        while (j < m_nEnd && T(j).m_kind == TidyTokenKind::Comment) {
            ++j;
        }
        return j;
    };
    for (int i = m_nBegin; i < m_nEnd; ++i) {
        const CTidyToken& token = T(i);
        if (token.m_kind == TidyTokenKind::Comment) {
            continue; // (looking past each comment again would be quadratic in a run of them)
        }
        const int j = after(i);
        const bool bNextGroup = j < m_nEnd && T(j).m_nPartner > j;
        if (token.Is("[") && bNextGroup && T(j).Is("[")) { // [[attribute]]
            Drop(i, token.m_nPartner + 1);
            i = token.m_nPartner;
        } else if (token.Is("template") && bNextGroup && T(j).Is("<")) {
            Drop(i, T(j).m_nPartner + 1);
            i = T(j).m_nPartner;
        } else if (IsKind(i, TidyWordKind::Specifier) || IsKind(i, TidyWordKind::Attribute) ||
                   token.Is("template") ||
                   (IsKind(i, TidyWordKind::Name) && dropList.Drops(token.m_sv))) {
            Drop(i, i + 1);
            if (bNextGroup && T(j).Is("(")) {
                Drop(j, T(j).m_nPartner + 1);
                i = T(j).m_nPartner;
            } else if (token.Is("extern") && j < m_nEnd && T(j).m_kind == TidyTokenKind::Literal) {
                Drop(j, j + 1);
                i = j;
            }
        }
    }
}

std::string CTidyReader::Spell(int nFrom, int nTo, int nSkipFrom, int nSkipTo) const {
    CTidySpeller speller;
    std::vector<char> vecSkip; // names of the parameters of function types, from nFrom on
    for (int i = Next(nFrom); i < nTo; i = Next(i + 1)) {
        if ((i >= nSkipFrom && i < nSkipTo) ||
            (!vecSkip.empty() && vecSkip[static_cast<std::size_t>(i - nFrom)])) {
            continue;
        }
        // A bracket group in a type is a parameter list unless it is a declarator or the
        // operand of decltype and the like.
        const int nPrev = Prev(i);
        if (T(i).Is("(") && !IsNestedDeclarator(i) &&
            !(nPrev >= 0 && IsKind(nPrev, TidyWordKind::Operand))) {
            vecSkip.resize(static_cast<std::size_t>(nTo - nFrom));
            MarkParamNames(i, nFrom, vecSkip);
        }
        speller.Add(T(i));
    }
    return speller.Text();
}

// A name right before the bracket: a word that is no keyword, an operator's name, or a word
// with template arguments ("f<int>(").
bool CTidyReader::NameBefore(int nParen, int nFrom) const {
    int p = Prev(nParen);
    if (p >= nFrom && T(p).Is(">") && T(p).m_nPartner >= 0) {
        p = Prev(T(p).m_nPartner);
    }
    return p >= nFrom && (T(p).m_kind == TidyTokenKind::Operator || IsKind(p, TidyWordKind::Name));
}

// A bracket group that begins with a pointer or reference mark, perhaps after a class's name
// ("(*f", "(&a", "(CFoo::*p"): a declarator, not a parameter list. Any word before "::" names
// a class, also one spelled like a contextual keyword ("(final::*p").
bool CTidyReader::IsNestedDeclarator(int nParen) const {
    const int nClose = T(nParen).m_nPartner;
    int j = Next(nParen + 1);
    while (j < nClose) {
        int k = Next(j + 1);
        if (k < nClose && T(k).Is("<") && T(k).m_nPartner > k) {
            k = Next(T(k).m_nPartner + 1);
        }
        if (k >= nClose || !T(k).Is("::")) {
            break;
        }
        j = Next(k + 1);
    }
    return j < nClose && T(j).IsMark();
}

// The parameter list among the tokens in [nFrom, nTo), outside brackets: the first bracket
// group after a name, unless a later one has a declaration of its own before it.
CTidyReader::CFound CTidyReader::Scan(int nFrom, int nTo) const {
    CFound found;
    int nWords = 0;
    int nConv = -1;
    for (int i = Next(nFrom); i < nTo; i = Next(i + 1)) {
        const CTidyToken& token = T(i);
        if (found.m_nParams >= 0 ? EndsDeclarator(token) : token.Is("=")) {
            break;
        }
        if (token.Is("(")) {
            const bool bNested = nConv < 0 && IsNestedDeclarator(i);
            if ((bNested || nConv >= 0 || NameBefore(i, nFrom)) &&
                (found.m_nParams < 0 || nWords >= NEW_DECLARATION_WORDS)) {
                found = {i, nConv, bNested};
                nWords = 0;
            }
            nConv = -1;
        } else if (token.Is("operator")) {
            nConv = i;
        } else if (found.m_nParams >= 0 && token.IsWord() && !IsAt(Next(i + 1), "(") &&
                   !IsKind(i, TidyWordKind::Trailing) && !IsKind(i, TidyWordKind::Qualifier)) {
            ++nWords;
        }
        if (token.m_nPartner > i) {
            i = token.m_nPartner;
        }
    }
    return found;
}

bool CTidyReader::Read(CTidyParts& parts) const {
    CFound found = Scan(m_nBegin, m_nEnd);
    int nFrom = m_nBegin;
    int nOuter = -1; // the outermost declarator in brackets, and the innermost, which holds
    int nInner = -1; // the name and its parameter list
    while (found.m_bNested) {
        nInner = found.m_nParams;
        nOuter = nOuter < 0 ? nInner : nOuter;
        nFrom = nInner + 1;
        found = Scan(nFrom, T(nInner).m_nPartner);
    }
    CName name;
    if (found.m_nParams < 0 || !ReadName(found, nFrom, parts, name) ||
        !ReadParams(found.m_nParams, parts.m_vecArgs)) {
        return false;
    }
    const int nDeclarator = nOuter >= 0 ? nOuter : name.m_nQualStart;
    const int nHead = HeadStart(nDeclarator);
    if (nOuter >= 0) {
        // A function returning a pointer to a function or an array: the return type is the
        // whole declarator with the name and its parameter list taken out, "void (*)(int)".
        int nShellEnd = Next(T(nOuter).m_nPartner + 1);
        while (nShellEnd < m_nEnd && T(nShellEnd).IsOneOf({"(", "["})) {
            nShellEnd = Next(T(nShellEnd).m_nPartner + 1);
        }
        parts.m_strRet = Spell(nHead, nShellEnd, name.m_nQualStart, T(nInner).m_nPartner);
    } else {
        parts.m_strRet = TrailingReturn(T(found.m_nParams).m_nPartner);
        if (parts.m_strRet.empty()) {
            parts.m_strRet = Spell(nHead, nDeclarator);
        }
    }
    return true;
}
