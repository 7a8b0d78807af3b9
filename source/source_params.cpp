// The candidate's parameter list: whether it can be one, and the declarations of an old-style
// definition's parameters that may follow it.

#include "source/source_statement.h"

#include "source/source_words.h"

namespace {

// Two bits of a 64-bit set for a name, from its FNV-1a hash: a parameter list's names are
// remembered in constant space, and a name not among them is almost always told apart.
std::uint64_t NameBits(std::string_view name) {
    constexpr std::uint64_t FNV_OFFSET = 14695981039346656037ULL;
    constexpr std::uint64_t FNV_PRIME = 1099511628211ULL;
    constexpr unsigned BITS = 64;
    std::uint64_t hash = FNV_OFFSET;
    for (const char byte : name) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * FNV_PRIME;
    }
    return (std::uint64_t{1} << (hash % BITS)) | (std::uint64_t{1} << ((hash / BITS) % BITS));
}

} // namespace

// Checks that the candidate's group can be a parameter list: each parameter a declaration
// (words, "::", '*', '&', template arguments, brackets, a declarator in parentheses), not a
// value or an expression as in `int x(5);` or `Foo f(a + b);`.
void CSourceStatement::InParams(const CSourceToken& token) {
    CParams& params = m_params;
    const bool close = SourceIsPunct(token, ")");
    if (params.m_nIgnoreFrom != 0) {
        if (close && m_nParen == params.m_nIgnoreFrom) {
            params.m_nIgnoreFrom = 0;
            params.m_bAfterClose = true;
        }
        return;
    }
    if (token.m_eKind == SourceTokenKind::Literal && !params.m_bDefault) {
        params.m_bBad = true;
    }
    if (m_nParen > 1) {
        CheckDeclarator(token);
        params.m_bAfterClose = close && m_nParen == 2;
        return;
    }
    const bool first = params.m_bFirst;
    const bool afterWord = params.m_bAfterWord;
    const bool afterClose = params.m_bAfterClose;
    const bool afterAttribute = params.m_bAfterAttribute;
    params.m_bFirst = params.m_bAfterWord = params.m_bAfterClose = false;
    params.m_bAfterAttribute = false;
    if (close) {
        if (!(first && params.m_nCount == 0)) {
            EndParam();
        }
        return;
    }
    if (SourceIsPunct(token, ",") && params.m_nAngle == 0 && params.m_nBracket == 0) {
        EndParam();
        params.m_bFirst = true;
        return;
    }
    if (params.m_bDefault) {
        // A default argument's template arguments may hold commas: `= Make<A, B>()`. A
        // comparison taken for one only joins the parameters behind it, which no caller counts.
        params.m_nAngle += SourceIsPunct(token, "<") ? 1 : 0;
        params.m_nAngle -= SourceIsPunct(token, ">") && params.m_nAngle > 0 ? 1 : 0;
        return;
    }
    if (params.m_nBracket > 0 || params.m_nAngle > 0) {
        std::size_t& depth = params.m_nBracket > 0 ? params.m_nBracket : params.m_nAngle;
        const char* open = params.m_nBracket > 0 ? "[" : "<";
        const char* shut = params.m_nBracket > 0 ? "]" : ">";
        depth += SourceIsPunct(token, open) ? 1 : 0;
        depth -= SourceIsPunct(token, shut) ? 1 : 0;
        return;
    }
    if (SourceIsWord(token)) {
        const SourceWord kind = SourceClassifyWord(token.m_strText);
        params.m_bBad = params.m_bBad || kind == SourceWord::Value || kind == SourceWord::Statement;
        params.m_bTyped = params.m_bTyped || SourceIsTypeWord(token.m_strText) ||
                          kind == SourceWord::ClassKey || kind == SourceWord::Enum;
        ++params.m_nWords;
        params.m_strWord = token.m_strText;
        params.m_bAfterWord = true;
        params.m_bAfterAttribute = kind == SourceWord::Attribute || kind == SourceWord::TypeOf ||
                                   SourceIsMacroLike(token.m_strText);
        return;
    }
    params.m_bShaped = true;
    const std::string_view text =
        token.m_eKind == SourceTokenKind::Punct ? token.m_strText : std::string_view();
    if (text == "=" && !first) {
        params.m_bDefault = true;
    } else if (text == "(") {
        // An attribute's or macro's group is skipped; any other must hold a declarator such
        // as `(*callback)`, unless it is the parameter list of one.
        if (afterAttribute) {
            params.m_nIgnoreFrom = m_nParen + 1;
        } else {
            params.m_eDeclarator = afterClose ? Declarator::None : Declarator::Start;
            params.m_bBad = params.m_bBad || first;
        }
    } else if (text == "[") {
        params.m_nBracket = 1;
    } else if (text == "<" && afterWord) {
        params.m_nAngle = 1;
    } else if (text == "::" || text == "...") {
    } else if ((text == "*" || text == "&") && !first) {
    } else {
        params.m_bBad = true;
    }
}

// A pointer or reference declarator begins with '*', '&' or '^'; a member pointer's with its
// class and "::" before the '*'; a function type's may be its name alone. Anything else, like
// the 5 of `g(5)`, is a call.
void CSourceStatement::CheckDeclarator(const CSourceToken& token) {
    Declarator& stage = m_params.m_eDeclarator;
    if (stage == Declarator::None) {
        return;
    }
    const bool pointer =
        SourceIsPunct(token, "*") || SourceIsPunct(token, "&") || SourceIsPunct(token, "^");
    if (stage != Declarator::Class && pointer) {
        stage = Declarator::None;
    } else if (stage != Declarator::Class && SourceIsWord(token)) {
        stage = Declarator::Class;
    } else if (stage == Declarator::Class && SourceIsPunct(token, "::")) {
        stage = Declarator::Qualified;
    } else if (stage == Declarator::Class && SourceIsPunct(token, ")")) {
        stage = Declarator::None; // a function type's name in parentheses: `void (callback)(int)`
    } else {
        m_params.m_bBad = true;
        stage = Declarator::None;
    }
}

void CSourceStatement::EndParam() {
    CParams& params = m_params;
    if (params.m_nWords == 0 && !params.m_bShaped) {
        params.m_bBad = true;
    } else if (params.m_nWords == 1 && !params.m_bShaped && !params.m_bTyped) {
        params.m_bUntyped = true;
    }
    if (params.m_nWords == 1 && !params.m_bShaped) {
        params.m_nNameBits |= NameBits(params.m_strWord);
    } else {
        params.m_bWordsOnly = false;
    }
    ++params.m_nCount;
    params.m_nWords = 0;
    params.m_bShaped = params.m_bTyped = params.m_bDefault = false;
}

// Each declaration may only declare names of the list, and no more of them than it holds.
void CSourceStatement::InOldStyle(const CSourceToken& token) {
    m_bOldComplete = false;
    if (m_nOldBracket > 0) {
        m_nOldBracket += SourceIsPunct(token, "[") ? 1 : 0;
        m_nOldBracket -= SourceIsPunct(token, "]") ? 1 : 0;
    } else if (SourceIsPunct(token, "[")) {
        m_nOldBracket = 1;
    } else if (SourceIsPunct(token, "(")) {
        m_nOldGroups += m_nOldParen == 0 ? 1 : 0;
        ++m_nOldParen;
    } else if (SourceIsPunct(token, ")") && m_nOldParen > 0) {
        --m_nOldParen;
    } else if (m_nOldParen > 1 || (m_nOldParen == 1 && m_nOldGroups > 1)) {
        // A function type's parameters: `int (*callback)(int code, ...)` declares `callback`,
        // not `code`.
    } else if (SourceIsWord(token)) {
        m_strOldName = token.m_strText;
    } else if (SourceIsPunct(token, ",") && m_nOldParen == 0) {
        OldStyleName();
    } else if (!SourceIsPunct(token, "*")) {
        m_bNoFunction = true;
    }
}

void CSourceStatement::OldStyleName() {
    const std::uint64_t bits = NameBits(m_strOldName);
    if (m_strOldName.empty() || (m_params.m_nNameBits & bits) != bits ||
        ++m_nOldNames > m_params.m_nCount) {
        m_bNoFunction = true;
    }
    m_strOldName = {};
    m_nOldGroups = 0;
}

bool CSourceStatement::TakesSemicolon() {
    if (m_eMode != Mode::OldStyle || m_bNoFunction || m_nOldParen != 0 || m_nOldBracket != 0) {
        return false;
    }
    OldStyleName();
    m_bOldComplete = true;
    return !m_bNoFunction;
}
