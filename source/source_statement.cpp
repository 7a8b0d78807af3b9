#include "source/source_statement.h"

#include "source/source_words.h"

namespace {

bool IsPunct(const CSourceToken& token, std::string_view text) {
    return token.m_eKind == SourceTokenKind::Punct && token.m_strText == text;
}

bool IsWord(const CSourceToken& token) {
    return token.m_eKind == SourceTokenKind::Word;
}

// The view from the first byte of `from` to the last of `to`, both views into one file.
std::string_view Span(std::string_view from, std::string_view to) {
    return {from.data(), static_cast<std::size_t>(to.data() + to.size() - from.data())};
}

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

// What may follow a function's parameter list on a line of its own: the rest of a declaration
// that was broken across lines, rather than the next declaration after a macro's invocation.
bool ContinuesDeclaration(const CSourceToken& token) {
    if (IsWord(token)) {
        const std::string_view word = token.m_strText;
        return SourceClassifyWord(word) == SourceWord::Attribute ||
               (SourceIsTrailerWord(word) && !SourceIsMacroLike(word));
    }
    return IsPunct(token, ":") || IsPunct(token, "->") || IsPunct(token, "=") ||
           IsPunct(token, "&");
}

} // namespace

void CSourceStatement::Feed(const CSourceToken& token) {
    if (m_bStarted && Restarts(token)) {
        Reset();
    }
    if (!m_bStarted) {
        m_bStarted = true;
        m_first = token;
    }
    if (InNested(token) || (m_chain.m_bOperator && InOperatorName(token))) {
        return;
    }
    ++m_nTokens;
    switch (m_eMode) {
    case Mode::Head:
        InHead(token);
        break;
    case Mode::Trailer:
        InTrailer(token);
        break;
    case Mode::InitList:
        m_bInitialiserNext = IsWord(token) || IsPunct(token, ">");
        if (IsPunct(token, "(")) {
            OpenGroup(Group::Plain);
        }
        break;
    case Mode::OldStyle:
        InOldStyle(token);
        break;
    case Mode::TrailingReturn:
        if (IsPunct(token, "(")) {
            OpenGroup(Group::Plain);
        } else if (IsPunct(token, "=")) {
            m_eMode = Mode::Trailer;
            InTrailer(token);
        }
        break;
    }
}

// A statement that so far is one NAME(...) was a macro's invocation without ';' when a blank
// line or a directive follows it and then anything that cannot continue a declaration; right
// above a declaration it is taken as the declaration's attribute line. Before any group, a
// blank line or a directive ends words that stood alone, such as a macro opening a block of
// declarations.
bool CSourceStatement::Restarts(const CSourceToken& token) const {
    if (m_bMacroCallOnly && m_eMode == Mode::Trailer && token.m_bAfterBreak &&
        !ContinuesDeclaration(token)) {
        return true;
    }
    return token.m_bAfterBreak && m_eMode == Mode::Head && !m_bCandidate && m_nParen == 0 &&
           m_nAngle == 0 && m_nTemplate == 0 && m_nBracket == 0 && !m_chain.m_bOperator;
}

// Template parameters, brackets, groups and template arguments: true when the token was
// inside one of them (or closed it).
bool CSourceStatement::InNested(const CSourceToken& token) {
    if (m_nTemplate > 0 || m_nAngle > 0) {
        std::size_t& depth = m_nTemplate > 0 ? m_nTemplate : m_nAngle;
        std::size_t& paren = m_nTemplate > 0 ? m_nTemplateParen : m_nAngleParen;
        if (IsPunct(token, "(")) {
            ++paren;
        } else if (IsPunct(token, ")") && paren > 0) {
            --paren;
        } else if (paren == 0 && IsPunct(token, "<")) {
            ++depth;
        } else if (paren == 0 && IsPunct(token, ">")) {
            --depth;
        }
        return true;
    }
    if (m_nBracket > 0) {
        // "[[" begins an attribute; any other bracket holds an array's size or a lambda's
        // captures, which no function declaration has.
        if (m_bBracketFirst && !IsPunct(token, "[")) {
            m_bNoFunction = true;
        }
        m_bBracketFirst = false;
        if (IsPunct(token, "[")) {
            ++m_nBracket;
        } else if (IsPunct(token, "]")) {
            --m_nBracket;
        }
        return true;
    }
    if (m_nParen > 0) {
        InGroup(token);
        return true;
    }
    return false;
}

void CSourceStatement::InGroup(const CSourceToken& token) {
    if (m_eGroup == Group::Params) {
        InParams(token);
    }
    if (IsPunct(token, "(")) {
        ++m_nParen;
    } else if (IsPunct(token, ")") && --m_nParen == 0 && m_eGroup == Group::Params) {
        m_eMode = Mode::Trailer;
        m_nTrailerWords = 0;
    }
}

// Checks that the candidate's group can be a parameter list: each parameter a declaration
// (words, "::", '*', '&', template arguments, brackets, a declarator in parentheses), not a
// value or an expression as in `int x(5);` or `Foo f(a + b);`.
void CSourceStatement::InParams(const CSourceToken& token) {
    CParams& params = m_params;
    const bool close = IsPunct(token, ")");
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
    if (IsPunct(token, ",") && params.m_nAngle == 0 && params.m_nBracket == 0) {
        EndParam();
        params.m_bFirst = true;
        return;
    }
    if (params.m_bDefault) {
        // A default argument's template arguments may hold commas: `= Make<A, B>()`.
        params.m_nAngle += IsPunct(token, "<") && afterWord ? 1 : 0;
        params.m_nAngle -= IsPunct(token, ">") && params.m_nAngle > 0 ? 1 : 0;
        params.m_bAfterWord = IsWord(token);
        return;
    }
    if (params.m_nBracket > 0 || params.m_nAngle > 0) {
        std::size_t& depth = params.m_nBracket > 0 ? params.m_nBracket : params.m_nAngle;
        const char* open = params.m_nBracket > 0 ? "[" : "<";
        const char* shut = params.m_nBracket > 0 ? "]" : ">";
        depth += IsPunct(token, open) ? 1 : 0;
        depth -= IsPunct(token, shut) ? 1 : 0;
        return;
    }
    if (IsWord(token)) {
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
    const bool pointer = IsPunct(token, "*") || IsPunct(token, "&") || IsPunct(token, "^");
    if (stage != Declarator::Class && pointer) {
        stage = Declarator::None;
    } else if (stage != Declarator::Class && IsWord(token)) {
        stage = Declarator::Class;
    } else if (stage == Declarator::Class && IsPunct(token, "::")) {
        stage = Declarator::Qualified;
    } else if (stage == Declarator::Class && IsPunct(token, ")")) {
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

// An operator's name runs from "operator" up to the '(' of its parameters: "operator==",
// "operator()", "operator new[]", "operator const char*". True when the token belonged to it.
bool CSourceStatement::InOperatorName(const CSourceToken& token) {
    CChain& chain = m_chain;
    const bool start = chain.m_bOperatorStart;
    chain.m_bOperatorStart = false;
    if (chain.m_bCallOperator) {
        chain.m_bCallOperator = false;
        if (!IsPunct(token, ")")) {
            m_bNoFunction = true;
            chain.m_bOperator = false;
            return false;
        }
    } else if (IsPunct(token, "(") && chain.m_nOperatorAngle == 0) {
        if (!start) {
            return false;
        }
        chain.m_bCallOperator = true;
    } else if (start && ((IsWord(token) && token.m_strText != "new" &&
                          token.m_strText != "delete" && token.m_strText != "co_await") ||
                         IsPunct(token, "::"))) {
        chain.m_name.m_bConversion = true;
    } else if (chain.m_name.m_bConversion && IsPunct(token, "<")) {
        // `operator Action<R(Args...)>`: the type's template arguments may hold parentheses.
        ++chain.m_nOperatorAngle;
    } else if (chain.m_nOperatorAngle > 0 && IsPunct(token, ">")) {
        --chain.m_nOperatorAngle;
    }
    chain.m_name.m_strLast = Span(chain.m_name.m_strLast, token.m_strText);
    return true;
}

void CSourceStatement::InHead(const CSourceToken& token) {
    const bool onlyWords = m_bOnlyWords;
    m_bOnlyWords = onlyWords && IsWord(token);
    const bool ignoreGroup = m_bIgnoreGroup;
    const bool externPending = m_bExternPending;
    m_bIgnoreGroup = m_bExternPending = false;
    if (m_bTemplatePending && !IsPunct(token, "<")) {
        // `template` without parameters: an explicit instantiation.
        m_bNoFunction = true;
        m_bTemplatePending = false;
    }
    if (m_bDestructorPending && !IsWord(token)) {
        m_bNoFunction = true;
        m_bDestructorPending = false;
    }
    if (IsWord(token)) {
        HeadWord(token);
        return;
    }
    if (token.m_eKind == SourceTokenKind::Literal && externPending) {
        m_bExternC = true;
        return;
    }
    const std::string_view text =
        token.m_eKind == SourceTokenKind::Punct ? token.m_strText : std::string_view();
    const bool named = m_chain.m_bActive && !m_chain.m_bExpect;
    if (text == "(" && ignoreGroup) {
        OpenGroup(Group::Ignored);
    } else if (text == "(" && named) {
        m_bCandidate = true;
        m_name = m_chain.m_name;
        m_nCandidateTypeWords = m_nTypeWords;
        m_bMacroCallOnly = m_chain.m_bStartsStatement;
        m_chain = CChain();
        m_params = CParams();
        OpenGroup(Group::Params);
    } else if (text == "<" && (m_bTemplatePending || named)) {
        (m_bTemplatePending ? m_nTemplate : m_nAngle) = 1;
        m_bTemplatePending = false;
    } else if (text == "::" && !m_chain.m_bExpect) {
        m_chain.m_bActive = m_chain.m_bExpect = true;
        m_chain.m_bStartsStatement = false;
    } else if (text == "~") {
        if (named) {
            EndChain();
        }
        m_bDestructorPending = true;
        m_tilde.m_strLast = token.m_strText;
        m_tilde.m_nLine = token.m_nLine;
        m_tilde.m_nLineStart = token.m_nLineStart;
    } else if (text == "[") {
        EndChain();
        m_nBracket = 1;
        m_bBracketFirst = true;
    } else if (text == ":" && onlyWords && !m_bClassKey) {
        // A label such as "public:" or "Q_SIGNALS:"; a bit-field's width ends in ';' anyway.
        Reset();
    } else {
        EndChain();
        if (text == "*" || text == "&") {
            ++m_nTypeWords;
        } else if (text == ":") {
            m_bBaseClause = true;
            m_bNoFunction = true;
        } else {
            m_bNoFunction = true;
            m_bAfterEquals = m_bAfterEquals || text == "=";
        }
        // Base classes are separated by commas; elsewhere a comma declares variables.
        m_bNotClass = m_bNotClass || (text != ":" && !m_bBaseClause);
        if (text == "(") {
            OpenGroup(Group::Plain);
        }
    }
}

void CSourceStatement::HeadWord(const CSourceToken& token) {
    const std::string_view word = token.m_strText;
    const SourceWord kind = SourceClassifyWord(word);
    if (m_chain.m_bExpect && kind == SourceWord::Template) {
        return; // `Outer::template Inner<T>`
    }
    if (kind == SourceWord::Name || kind == SourceWord::Operator) {
        if (m_chain.m_bExpect) {
            m_chain.m_name.m_strOwner = m_chain.m_name.m_strLast;
            m_chain.m_bExpect = false;
        } else {
            EndChain();
            m_chain.m_bActive = true;
            m_chain.m_bStartsStatement = m_nTokens == 1;
        }
        CSourceName& name = m_chain.m_name;
        name.m_strLast = m_bDestructorPending ? Span(m_tilde.m_strLast, word) : word;
        name.m_nLine = m_bDestructorPending ? m_tilde.m_nLine : token.m_nLine;
        name.m_nLineStart = m_bDestructorPending ? m_tilde.m_nLineStart : token.m_nLineStart;
        name.m_bDestructor = m_bDestructorPending;
        m_bDestructorPending = false;
        m_chain.m_bOperator = m_chain.m_bOperatorStart = kind == SourceWord::Operator;
        // A class's name is the last word before its bases, not an export macro before it.
        if (m_bClassKey && !m_bBaseClause && word != "final" && word != "sealed") {
            m_strClassName = word;
            m_nClassWords += SourceIsMacroLike(word) || !name.m_strOwner.empty() ? 0 : 1;
        }
        return;
    }
    EndChain();
    m_bNoFunction = m_bNoFunction || m_bDestructorPending; // '~' before a keyword
    m_bDestructorPending = false;
    switch (kind) {
    case SourceWord::Template:
        m_bTemplatePending = true;
        break;
    case SourceWord::Attribute:
        // `throw` before any parameter list throws; behind one it is an exception list.
        m_bNoFunction = m_bNoFunction || word == "throw";
        m_bIgnoreGroup = true;
        break;
    case SourceWord::TypeOf:
        ++m_nTypeWords;
        m_bIgnoreGroup = true;
        break;
    case SourceWord::Value:
    case SourceWord::Statement:
        m_bNoFunction = true;
        break;
    case SourceWord::Namespace:
        m_bNamespace = true;
        m_bNoFunction = true;
        break;
    case SourceWord::Extern:
        ++m_nTypeWords;
        m_bExternPending = true;
        break;
    case SourceWord::ClassKey:
        ++m_nTypeWords;
        m_bClassKey = m_bClassKey || !m_bEnum;
        break;
    case SourceWord::Enum:
        ++m_nTypeWords;
        m_bEnum = true;
        break;
    default:
        ++m_nTypeWords;
        break;
    }
}

// Behind the parameter list: qualifiers, attributes, macros, "= 0", an initialiser list or a
// trailing return type. Anything else shows that the group was a macro's or an attribute's,
// and the statement is read on as if it had been part of a return type.
void CSourceStatement::InTrailer(const CSourceToken& token) {
    const bool ignoreGroup = m_bIgnoreGroup;
    m_bIgnoreGroup = false;
    // A run of macro invocations stays one: `A(x)` followed by `B(y)` on the next line.
    const bool macroCall = m_bMacroCallOnly;
    m_bMacroCallOnly = false;
    if (m_bEqualsPending) {
        m_bEqualsPending = false;
        const std::string_view text = token.m_strText;
        m_bDeclarationOnly = (token.m_eKind == SourceTokenKind::Number && text == "0") ||
                             (IsWord(token) && (text == "default" || text == "delete"));
        m_bNoFunction = m_bNoFunction || !m_bDeclarationOnly;
        m_bAfterEquals = !m_bDeclarationOnly;
        return;
    }
    if (m_bDeclarationOnly) {
        m_bNoFunction = true;
        return;
    }
    // A list of names with a return type before it, and a new line beginning with a word:
    // an old-style definition's parameter declarations.
    if (IsWord(token) && token.m_bFirstOnLine && m_params.m_bWordsOnly && m_params.m_nCount > 0 &&
        m_nCandidateTypeWords > 0) {
        m_eMode = Mode::OldStyle;
        InOldStyle(token);
        return;
    }
    if (IsWord(token) && SourceIsTrailerWord(token.m_strText)) {
        const bool attribute = SourceClassifyWord(token.m_strText) == SourceWord::Attribute;
        const bool macro = SourceIsMacroLike(token.m_strText);
        m_nTrailerWords += macro && !attribute ? 1 : 0;
        m_bIgnoreGroup = attribute || macro;
        m_bMacroCallOnly = macroCall && macro;
        return;
    }
    if (IsPunct(token, "(") && ignoreGroup) {
        OpenGroup(Group::Ignored);
        m_bMacroCallOnly = macroCall;
    } else if (IsPunct(token, "&")) {
    } else if (IsPunct(token, "[")) {
        m_nBracket = 1;
        m_bBracketFirst = true;
    } else if (IsPunct(token, "=")) {
        m_bEqualsPending = true;
    } else if (IsPunct(token, ":")) {
        m_eMode = Mode::InitList;
    } else if (IsPunct(token, "->")) {
        m_eMode = Mode::TrailingReturn;
    } else {
        GiveUpCandidate();
        InHead(token);
    }
}

// Each declaration may only declare names of the list, and no more of them than it holds.
void CSourceStatement::InOldStyle(const CSourceToken& token) {
    m_bOldComplete = false;
    if (m_nOldBracket > 0) {
        m_nOldBracket += IsPunct(token, "[") ? 1 : 0;
        m_nOldBracket -= IsPunct(token, "]") ? 1 : 0;
    } else if (IsPunct(token, "[")) {
        m_nOldBracket = 1;
    } else if (IsPunct(token, "(")) {
        m_nOldGroups += m_nOldParen == 0 ? 1 : 0;
        ++m_nOldParen;
    } else if (IsPunct(token, ")") && m_nOldParen > 0) {
        --m_nOldParen;
    } else if (IsWord(token)) {
        // `int (*callback)(int code)` declares `callback`, not `code`.
        const bool declarator = m_nOldParen == 0 || (m_nOldParen == 1 && m_nOldGroups == 1);
        m_strOldName = declarator ? token.m_strText : m_strOldName;
    } else if (IsPunct(token, ",") && m_nOldParen == 0) {
        OldStyleName();
    } else if (!IsPunct(token, "*")) {
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

void CSourceStatement::OpenGroup(Group group) {
    m_nParen = 1;
    m_eGroup = group;
}

// A name that a word, '*' or a group ends was part of a type.
void CSourceStatement::EndChain() {
    if (m_chain.m_bActive) {
        ++m_nTypeWords;
    }
    m_chain = CChain();
}

void CSourceStatement::GiveUpCandidate() {
    m_bCandidate = false;
    m_nTypeWords += m_nTrailerWords;
    m_nTrailerWords = 0;
    m_eMode = Mode::Head;
}

bool CSourceStatement::BraceContinues() const {
    return m_nParen > 0 || m_nBracket > 0 || m_nAngle > 0 || m_nTemplate > 0 || m_bAfterEquals ||
           m_bInitialiserNext;
}

StatementKind CSourceStatement::AtBrace(std::string_view className) const {
    if (IsFunction(className, true)) {
        return StatementKind::Function;
    }
    if ((m_bExternC && m_nTokens == 2) || (m_bNamespace && !m_bAfterEquals)) {
        return StatementKind::Namespace;
    }
    if (m_bClassKey && !m_bAfterEquals && !m_bNotClass && m_nClassWords <= 1) {
        return StatementKind::Class;
    }
    return StatementKind::Block;
}

bool CSourceStatement::DeclaresFunction(std::string_view className) const {
    return IsFunction(className, false);
}

bool CSourceStatement::IsFunction(std::string_view className, bool definition) const {
    if (m_bNoFunction || !m_bCandidate || m_nParen != 0 || m_nBracket != 0 || m_nAngle != 0 ||
        m_nTemplate != 0 || m_bEqualsPending || m_params.m_bBad) {
        return false;
    }
    if (m_eMode == Mode::OldStyle) {
        return definition && m_bOldComplete;
    }
    if (m_params.m_bUntyped && !definition) {
        return false;
    }
    if (definition ? m_bDeclarationOnly : m_eMode == Mode::InitList) {
        return false;
    }
    return m_nCandidateTypeWords > 0 || IsSpecialMember(className);
}

// Without a return type only constructors, destructors and conversion operators declare a
// function; `TEST(a, b)` is none of them.
bool CSourceStatement::IsSpecialMember(std::string_view className) const {
    const bool member = !m_name.m_strOwner.empty() || !className.empty();
    if (m_name.m_bDestructor || m_name.m_bConversion) {
        return member;
    }
    if (!m_name.m_strOwner.empty()) {
        return m_name.m_strLast == m_name.m_strOwner;
    }
    return member && m_name.m_strLast == className;
}
