// The function's name, its class and its return type.

#include "analyser/tidy_reader.h"

#include "analyser/tidy_words.h"

namespace {

// Words after which a trailing return type has ended.
bool EndsTrailingReturn(const CTidyToken& token) {
    return token.IsOneOf({"{", "=", ":"}) ||
           (token.IsWord() && TidyWordKindOf(token.m_sv) == TidyWordKind::Trailing);
}

} // namespace

// The name before the parameter list, and the qualifier written before it: every "word::"
// (with template arguments) right before the name, or a lone "::" for the global scope.
bool CTidyReader::ReadName(const CFound& found, int nFrom, CTidyParts& parts, CName& name) const {
    int nStart = found.m_nConv;
    if (nStart >= 0) {
        // A literal operator, operator"" _km, is named without blanks; any other operator
        // written as a word is a conversion function, named by its type.
        const int nType = Next(nStart + 1);
        const bool bLiteral = T(nType).m_kind == TidyTokenKind::Literal;
        const std::string strType = Spell(bLiteral ? nType + 1 : nType, found.m_nParams);
        if (strType.empty()) {
            return false;
        }
        parts.m_strFunc = bLiteral ? "operator\"\"" + strType : "operator " + strType;
    } else {
        nStart = Prev(found.m_nParams);
        // A specialisation's template arguments are no part of the name: f<int>( is f.
        if (T(nStart).Is(">")) {
            nStart = Prev(T(nStart).m_nPartner);
        }
        parts.m_strFunc = T(nStart).m_sv;
        const int nTilde = Prev(nStart);
        if (nTilde >= nFrom && T(nTilde).Is("~")) {
            parts.m_strFunc.insert(0, "~");
            nStart = nTilde;
        }
    }
    name.m_nQualStart = nStart;
    for (int nScope = Prev(nStart); nScope >= nFrom && T(nScope).Is("::"); nScope = Prev(nStart)) {
        name.m_nClassEnd = name.m_nClassEnd < 0 ? nScope : name.m_nClassEnd;
        int nWord = Prev(nScope);
        if (nWord >= nFrom && T(nWord).Is(">") && T(nWord).m_nPartner >= nFrom) {
            nWord = Prev(T(nWord).m_nPartner);
        }
        if (nWord < nFrom || !T(nWord).IsWord() || !IsKind(nWord, TidyWordKind::Name)) {
            nStart = nScope;
            break;
        }
        nStart = nWord;
    }
    name.m_nQualStart = nStart;
    if (name.m_nClassEnd >= 0) {
        parts.m_strClass = Spell(nStart, name.m_nClassEnd);
    }
    return true;
}

// Where the return type begins: after an access label ("public:", "public slots:") written
// before the declaration.
int CTidyReader::HeadStart(int nTo) const {
    int nHead = m_nBegin;
    for (int i = Next(m_nBegin); i < nTo; i = Next(i + 1)) {
        if (T(i).Is(":")) {
            nHead = i + 1;
        }
        if (T(i).m_nPartner > i) {
            i = T(i).m_nPartner;
        }
    }
    return nHead;
}

// The type after "->" behind the parameter list that closes at `nClose`; "" when none.
std::string CTidyReader::TrailingReturn(int nClose) const {
    for (int i = Next(nClose + 1); i < m_nEnd; i = Next(i + 1)) {
        if (T(i).Is("->")) {
            int nEnd = Next(i + 1);
            while (nEnd < m_nEnd && !EndsTrailingReturn(T(nEnd))) {
                nEnd = Next((T(nEnd).m_nPartner > nEnd ? T(nEnd).m_nPartner : nEnd) + 1);
            }
            return Spell(i + 1, nEnd);
        }
        if (EndsTrailingReturn(T(i)) && !T(i).IsWord()) {
            break;
        }
        if (T(i).m_nPartner > i) {
            i = T(i).m_nPartner;
        }
    }
    return {};
}
