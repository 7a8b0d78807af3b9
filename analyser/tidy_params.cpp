// The parameters: split at the commas outside brackets, each read into type, name and the
// comment written after it.

#include "analyser/tidy_reader.h"

#include "analyser/tidy_tokens.h"
#include "analyser/tidy_words.h"

namespace {

// One parameter's tokens: [m_nFrom, m_nTo) is its declarator, without a default value.
struct CPiece {
    int m_nFrom;
    int m_nTo;
    std::string m_strText;
};

bool IsCommentBlank(char ch) {
    return std::string_view(" \t\r\n\v\f").find(ch) != std::string_view::npos;
}

// A comment's text on one line: without the marks of documentation comments ("/**<", "//!<")
// and the stars that begin the lines of a block comment, blanks squeezed to single spaces.
void AppendComment(std::string& strText, std::string_view sv) {
    std::size_t pos = 0;
    while (pos < sv.size() && std::string_view("*/!").find(sv[pos]) != std::string_view::npos) {
        ++pos;
    }
    if (pos > 0 && pos < sv.size() && sv[pos] == '<') {
        ++pos;
    }
    bool bBlank = !strText.empty();
    bool bLineStart = false;
    while (pos < sv.size()) {
        const char ch = sv[pos];
        if (IsCommentBlank(ch) || (bLineStart && ch == '*')) {
            bLineStart = bLineStart || ch == '\n';
            bBlank = bBlank || !strText.empty();
            ++pos;
            continue;
        }
        if (bBlank) {
            strText += ' ';
        }
        bBlank = false;
        bLineStart = false;
        const std::size_t width = TidyCharWidth(sv, pos);
        strText.append(sv.substr(pos, width));
        pos += width;
    }
}

} // namespace

bool CTidyReader::ReadParams(int nOpen, std::vector<CTidyArg>& vecArgs) const {
    const int nClose = T(nOpen).m_nPartner;
    std::vector<CPiece> vecPieces{{nOpen + 1, nClose, {}}};
    std::vector<int> vecClosers; // the other brackets of the groups open at this point
    bool bDefault = false;       // in a default value
    bool bSeen = false;          // a token of this parameter has been seen
    for (int i = nOpen + 1; i < nClose; ++i) {
        const CTidyToken& token = T(i);
        if (token.m_kind == TidyTokenKind::Comment) {
            // A comment before a parameter's first token follows the comma before it.
            const bool bBefore = !bSeen && vecPieces.size() > 1;
            AppendComment(vecPieces[vecPieces.size() - (bBefore ? 2 : 1)].m_strText, token.m_sv);
        } else if (!Kept(i)) {
            continue;
        } else if (!vecClosers.empty() && vecClosers.back() == i) {
            vecClosers.pop_back();
        } else if (token.m_nPartner > i && (!token.Is("<") || !bDefault || IsTemplateInValue(i))) {
            vecClosers.push_back(token.m_nPartner);
        } else if (vecClosers.empty() && token.Is(",")) {
            vecPieces.back().m_nTo = bDefault ? vecPieces.back().m_nTo : i;
            vecPieces.push_back({i + 1, nClose, {}});
            bDefault = false;
            bSeen = false;
            continue;
        } else if (vecClosers.empty() && token.Is("=") && !bDefault) {
            vecPieces.back().m_nTo = i;
            bDefault = true;
        }
        bSeen = bSeen || token.m_kind != TidyTokenKind::Comment;
    }
    const CPiece& first = vecPieces.front();
    const int nFirst = Next(first.m_nFrom);
    if (vecPieces.size() == 1 &&
        (nFirst >= first.m_nTo || (T(nFirst).Is("void") && Next(nFirst + 1) >= first.m_nTo))) {
        return true; // () and (void)
    }
    for (CPiece& piece : vecPieces) {
        CTidyArg arg;
        if (!ReadParam(piece.m_nFrom, piece.m_nTo, arg)) {
            return false;
        }
        arg.m_strText = std::move(piece.m_strText);
        vecArgs.push_back(std::move(arg));
    }
    return true;
}

// In a default value, '<' after a word opens template arguments only when what follows the
// '>' can follow them in an expression: "a < b, c > d" is two comparisons.
bool CTidyReader::IsTemplateInValue(int nAngle) const {
    // (A parameter list's ')' always follows.)
    return T(Next(T(nAngle).m_nPartner + 1)).IsOneOf({"(", ")", "::", "{", "}", ",", ">", "]"});
}

// The name inside a declarator in brackets, "(*cb)", "(* const p)", "(&a)", "(*(*f)(int))";
// -1 when it has none, "(*)".
int CTidyReader::NestedName(int nParen) const {
    for (;;) {
        const int nClose = T(nParen).m_nPartner;
        int nName = -1;
        int nInner = -1;
        for (int i = Next(nParen + 1); i < nClose && nInner < 0; i = Next(i + 1)) {
            if (T(i).Is("(") && IsNestedDeclarator(i)) {
                nInner = i;
            } else if (IsKind(i, TidyWordKind::Name) && !T(Next(i + 1)).Is("::")) {
                nName = i;
            }
            if (T(i).m_nPartner > i) {
                i = T(i).m_nPartner;
            }
        }
        if (nInner < 0) {
            return nName;
        }
        nParen = nInner;
    }
}

// Whether the word at `i`, the last of a parameter (before its array or parameter brackets),
// is the parameter's name rather than the last word of its type.
bool CTidyReader::IsParamName(int i, int nFirst) const {
    if (i <= nFirst || !T(i).IsWord() ||
        (!IsKind(i, TidyWordKind::Name) && !TidyIsCName(T(i).m_sv))) {
        return false; // a lone word is a type: (size_t)
    }
    if (T(Prev(i)).Is("::") || IsKind(Prev(i), TidyWordKind::Elaborated)) {
        return false; // std::string, struct stat
    }
    // Before a name stands a type, not only qualifiers: const size_t names nothing.
    for (int j = nFirst; j < i; j = Next(j + 1)) {
        if (!IsKind(j, TidyWordKind::Qualifier)) {
            return true;
        }
    }
    return false;
}

// The name of the parameter declared by the tokens in [nFrom, nTo) (without a default value);
// -1 when it has none.
int CTidyReader::ParamName(int nFrom, int nTo) const {
    const int nFirst = Next(nFrom);
    for (int i = nFirst; i < nTo; i = Next(i + 1)) {
        if (T(i).Is("(") && IsNestedDeclarator(i)) {
            return NestedName(i);
        }
        if (T(i).m_nPartner > i) {
            i = T(i).m_nPartner;
        }
    }
    // The name stands before array brackets, or before the parameters of a function type.
    int nLast = Prev(nTo);
    while (nLast > nFirst && T(nLast).Is("]")) {
        nLast = Prev(T(nLast).m_nPartner);
    }
    if (nLast > nFirst && T(nLast).Is(")") && T(nLast).m_nPartner > nFirst) {
        nLast = Prev(T(nLast).m_nPartner);
    }
    return nLast >= nFirst && IsParamName(nLast, nFirst) ? nLast : -1;
}

// Marks in `vecSkip` (which covers the tokens from nBase on) the names of the parameters in the
// bracket group at `nParen`, the parameter list of a function type.
void CTidyReader::MarkParamNames(int nParen, int nBase, std::vector<char>& vecSkip) const {
    const int nClose = T(nParen).m_nPartner;
    int nPiece = nParen + 1;
    for (int i = Next(nPiece); i <= nClose; i = Next(i + 1)) {
        if (i == nClose || T(i).Is(",")) {
            const int nName = ParamName(nPiece, i);
            if (nName >= 0) {
                vecSkip[static_cast<std::size_t>(nName - nBase)] = 1;
            }
            nPiece = i + 1;
        } else if (T(i).m_nPartner > i) {
            i = T(i).m_nPartner;
        }
    }
}

bool CTidyReader::ReadParam(int nFrom, int nTo, CTidyArg& arg) const {
    const int nName = ParamName(nFrom, nTo);
    bool bWord = false;
    for (int i = Next(nFrom); i < nTo && !bWord; i = Next(i + 1)) {
        bWord = i != nName &&
                (T(i).IsWord() || T(i).m_kind == TidyTokenKind::Operator || T(i).Is("..."));
    }
    if (!bWord) {
        return false;
    }
    arg.m_strType = Spell(nFrom, nTo, nName, nName + 1);
    if (nName >= 0) {
        arg.m_strName = T(nName).m_sv;
    }
    return true;
}
