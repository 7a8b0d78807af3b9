#include "source/source_statement.h"

#include "source/source_words.h"

#include <algorithm>
#include <iterator>

namespace {

// The view from the first byte of `from` to the last of `to`, both views into one file.
std::string_view Span(std::string_view from, std::string_view to) {
    return {from.data(), static_cast<std::size_t>(to.data() + to.size() - from.data())};
}

// Symbols that go on with a declaration behind its parameter list: an initialiser list, a
// trailing return type, "= 0" and the like, a reference qualifier.
constexpr std::string_view CONTINUING_PUNCTUATORS[] = {":", "->", "=", "&"};

// What may follow '=' behind a parameter list: the function is pure, defaulted or deleted.
constexpr std::string_view DECLARATION_ONLY[] = {"0", "default", "delete"};

// What may follow a function's parameter list on a line of its own: the rest of a declaration
// that was broken across lines, rather than the next declaration after a macro's invocation.
bool ContinuesDeclaration(const CSourceToken& token) {
    const std::string_view text = token.m_strText;
    if (SourceIsWord(token)) {
        return SourceClassifyWord(text) == SourceWord::Attribute ||
               (SourceIsTrailerWord(text) && !SourceIsMacroLike(text));
    }
    return std::find(std::begin(CONTINUING_PUNCTUATORS), std::end(CONTINUING_PUNCTUATORS), text) !=
           std::end(CONTINUING_PUNCTUATORS);
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
    switch (m_eMode) { // GCOVR_EXCL_BR_LINE: every mode has its case
    case Mode::Head:
        InHead(token);
        break;
    case Mode::Trailer:
        InTrailer(token);
        break;
    case Mode::InitList:
        m_bInitialiserNext = SourceIsWord(token) || SourceIsPunct(token, ">");
        if (SourceIsPunct(token, "(")) {
            OpenGroup(Group::Plain);
        }
        break;
    case Mode::OldStyle:
        InOldStyle(token);
        break;
    case Mode::TrailingReturn:
        // "= 0", "= default" and "= delete" behind a trailing return type only end a
        // declaration, which its ';' ends anyway.
        if (SourceIsPunct(token, "(")) {
            OpenGroup(Group::Plain);
        }
        break;
    }
}

// A statement that so far is one NAME(...), or a run of them, was made of macro invocations
// without ';' when a blank line, a directive or a comment follows and then anything that cannot
// continue a declaration, as after a message map; right above a declaration it is taken as the
// declaration's attribute line. Before any group, a blank line or a directive ends words that
// stood alone, such as a macro opening a block of declarations. (A candidate in the head is
// still inside its parameter list.)
bool CSourceStatement::Restarts(const CSourceToken& token) const {
    const bool commentAbove = token.m_bFirstOnLine && token.m_nCommentRun != 0;
    if (m_bMacroCallOnly && m_eMode == Mode::Trailer && (token.m_bAfterBreak || commentAbove) &&
        !ContinuesDeclaration(token)) {
        return true;
    }
    return token.m_bAfterBreak && m_eMode == Mode::Head && !Nested() && !m_chain.m_bOperator;
}

// Template parameters, brackets, groups and template arguments: true when the token was
// inside one of them (or closed it).
bool CSourceStatement::InNested(const CSourceToken& token) {
    if (m_nTemplate > 0 || m_nAngle > 0) {
        std::size_t& depth = m_nTemplate > 0 ? m_nTemplate : m_nAngle;
        std::size_t& paren = m_nTemplate > 0 ? m_nTemplateParen : m_nAngleParen;
        if (SourceIsPunct(token, "(")) {
            ++paren;
        } else if (SourceIsPunct(token, ")") && paren > 0) {
            --paren;
        } else if (paren == 0 && SourceIsPunct(token, "<")) {
            ++depth;
        } else if (paren == 0 && SourceIsPunct(token, ">")) {
            --depth;
        }
        return true;
    }
    if (m_nBracket > 0) {
        // "[[" begins an attribute; any other bracket holds an array's size or a lambda's
        // captures, which no function declaration has.
        if (m_bBracketFirst && !SourceIsPunct(token, "[")) {
            m_bNoFunction = true;
        }
        m_bBracketFirst = false;
        if (SourceIsPunct(token, "[")) {
            ++m_nBracket;
        } else if (SourceIsPunct(token, "]")) {
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
    if (SourceIsPunct(token, "(")) {
        ++m_nParen;
    } else if (SourceIsPunct(token, ")") && --m_nParen == 0 && m_eGroup == Group::Params) {
        m_eMode = Mode::Trailer;
        m_nTrailerWords = 0;
    }
}

// An operator's name runs from "operator" up to the '(' of its parameters: "operator==",
// "operator()", "operator new[]", "operator const char*". True when the token belonged to it.
bool CSourceStatement::InOperatorName(const CSourceToken& token) {
    CChain& chain = m_chain;
    const bool start = chain.m_bOperatorStart;
    chain.m_bOperatorStart = false;
    if (chain.m_bCallOperator) {
        chain.m_bCallOperator = false;
        if (!SourceIsPunct(token, ")")) {
            m_bNoFunction = true;
            chain.m_bOperator = false;
            return false;
        }
    } else if (SourceIsPunct(token, "(") && chain.m_nOperatorAngle == 0) {
        if (!start) {
            return false;
        }
        chain.m_bCallOperator = true;
    } else if (start && (SourceIsWord(token) || SourceIsPunct(token, "::"))) {
        // Also `operator new` and `operator co_await`: only a conversion goes without a return
        // type, and they never do.
        chain.m_name.m_bConversion = true;
    } else if (chain.m_name.m_bConversion && SourceIsPunct(token, "<")) {
        // `operator Action<R(Args...)>`: the type's template arguments may hold parentheses.
        ++chain.m_nOperatorAngle;
    } else if (chain.m_nOperatorAngle > 0 && SourceIsPunct(token, ">")) {
        --chain.m_nOperatorAngle;
    }
    chain.m_name.m_strLast = Span(chain.m_name.m_strLast, token.m_strText);
    return true;
}

void CSourceStatement::InHead(const CSourceToken& token) {
    const bool onlyWords = m_bOnlyWords;
    m_bOnlyWords = onlyWords && SourceIsWord(token);
    const bool ignoreGroup = m_bIgnoreGroup;
    const bool externPending = m_bExternPending;
    m_bIgnoreGroup = m_bExternPending = false;
    if (m_bTemplatePending && !SourceIsPunct(token, "<")) {
        // `template` without parameters: an explicit instantiation.
        m_bNoFunction = true;
        m_bTemplatePending = false;
    }
    if (m_bDestructorPending && !SourceIsWord(token)) {
        m_bNoFunction = true;
        m_bDestructorPending = false;
    }
    if (SourceIsWord(token)) {
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
        // A name before it ends where the destructor's own name begins.
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
        m_bClassKey = !m_bEnum;
        m_nClassKeyTypeWords = m_nTypeWords;
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
        m_bDeclarationOnly = std::find(std::begin(DECLARATION_ONLY), std::end(DECLARATION_ONLY),
                                       token.m_strText) != std::end(DECLARATION_ONLY);
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
    if (SourceIsWord(token) && token.m_bFirstOnLine && m_params.m_bWordsOnly &&
        m_params.m_nCount > 0 && m_nCandidateTypeWords > 0) {
        m_eMode = Mode::OldStyle;
        InOldStyle(token);
        return;
    }
    if (SourceIsWord(token) && SourceIsTrailerWord(token.m_strText)) {
        const bool attribute = SourceClassifyWord(token.m_strText) == SourceWord::Attribute;
        const bool macro = SourceIsMacroLike(token.m_strText);
        m_nTrailerWords += macro && !attribute ? 1 : 0;
        m_bIgnoreGroup = attribute || macro;
        m_bMacroCallOnly = macroCall && macro;
        return;
    }
    if (SourceIsPunct(token, "(") && ignoreGroup) {
        OpenGroup(Group::Ignored);
        m_bMacroCallOnly = macroCall;
    } else if (SourceIsPunct(token, "&")) {
    } else if (SourceIsPunct(token, "[")) {
        m_nBracket = 1;
        m_bBracketFirst = true;
    } else if (SourceIsPunct(token, "=")) {
        m_bEqualsPending = true;
    } else if (SourceIsPunct(token, ":")) {
        m_eMode = Mode::InitList;
    } else if (SourceIsPunct(token, "->")) {
        m_eMode = Mode::TrailingReturn;
    } else {
        GiveUpCandidate();
        InHead(token);
    }
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
    return Nested() || m_bAfterEquals || m_bInitialiserNext;
}

StatementKind CSourceStatement::AtBrace(std::string_view className) const {
    if (IsFunction(className, true)) {
        return StatementKind::Function;
    }
    // Behind '=' the brace continues the statement and never gets here.
    if ((m_bExternC && m_nTokens == 2) || m_bNamespace) {
        return StatementKind::Namespace;
    }
    if (m_bClassKey && !m_bNotClass && m_nClassWords <= 1) {
        return StatementKind::Class;
    }
    return StatementKind::Block;
}

bool CSourceStatement::DeclaresFunction(std::string_view className) const {
    return IsFunction(className, false);
}

bool CSourceStatement::IsFunction(std::string_view className, bool definition) const {
    if (m_bNoFunction || !m_bCandidate || Nested() || m_bEqualsPending || m_params.m_bBad) {
        return false;
    }
    // A ';' that ends an old-style definition's last declaration is taken before it gets here.
    if (m_eMode == Mode::OldStyle) {
        return m_bOldComplete;
    }
    if (m_params.m_bUntyped && !definition) {
        return false;
    }
    if (definition ? m_bDeclarationOnly : m_eMode == Mode::InitList) {
        return false;
    }
    if (m_bClassKey && m_nCandidateTypeWords <= m_nClassKeyTypeWords) {
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
