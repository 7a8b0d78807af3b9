#include "source/source_scanner.h"

#include <algorithm>

namespace {

// Groups of `#if` nested this deep are tracked with the states their branches start from and
// go on with; deeper ones, which no real file has, are skipped, so that a file made of nothing
// but `#if` lines takes no more memory than this many.
constexpr std::size_t BRANCH_DEPTH_MAX = 256;

// A name as written with its comments dropped and its blanks tidied: one space between two
// words ("operator new", "operator const char*"), none elsewhere ("operator==", "~CFoo"). The
// name begins with a word or '~', so a gap always follows some of it. A comment marker can
// stand in a literal of a name, `operator"/*"`, and run to its end.
std::string TidyName(std::string_view name) {
    std::string tidy;
    bool gap = false;
    std::size_t at = 0;
    while (at < name.size()) {
        if (name.compare(at, 2, "/*") == 0) {
            const std::size_t close = name.find("*/", at + 2);
            at = close == std::string_view::npos ? name.size() : close + 2;
            gap = true;
        } else if (name.compare(at, 2, "//") == 0) {
            at = std::min(name.find('\n', at), name.size());
        } else if (static_cast<unsigned char>(name[at]) <= ' ') {
            ++at;
            gap = true;
        } else {
            if (gap && SourceIsWordByte(static_cast<unsigned char>(tidy.back())) &&
                SourceIsWordByte(static_cast<unsigned char>(name[at]))) {
                tidy += ' ';
            }
            gap = false;
            tidy += name[at++];
        }
    }
    return tidy;
}

} // namespace

CSourceScanner::CSourceScanner(std::string_view file, SourceEncoding encoding, bool bDeclarations)
    : m_strFile(file), m_bDeclarations(bDeclarations), m_lexer(file, encoding),
      m_columns(file, encoding) {
    m_vecScopes.emplace_back();
}

std::vector<CSourceFunction> CSourceScanner::Run() {
    for (CSourceToken token = m_lexer.Next(); token.m_eKind != SourceTokenKind::End;
         token = m_lexer.Next()) {
        if (token.m_eKind == SourceTokenKind::Directive) {
            OnDirective(token);
            continue;
        }
        token.m_bAfterBreak = token.m_bAfterBreak || m_bBranchBreak;
        m_bBranchBreak = false;
        if (Skipping()) {
            continue;
        } else if (SourceIsPunct(token, "{")) {
            OnOpenBrace(token);
        } else if (SourceIsPunct(token, "}")) {
            OnCloseBrace(token);
        } else if (!Searchable()) {
            continue;
        } else if (SourceIsPunct(token, ";")) {
            OnSemicolon(token);
        } else {
            m_state.m_statement.Feed(token);
        }
    }
    CloseBranches();
    // A body the file never closes ends with the file.
    for (std::size_t scope = m_state.m_nScope; scope != 0; scope = m_vecScopes[scope].m_nParent) {
        const std::size_t function = m_vecScopes[scope].m_nFunction;
        if (function != NONE) {
            Found(m_vecOpen[function], m_lexer.LastLine(), m_strFile.size());
        }
    }

    // Functions end in file order except where a branch's function ends inside another
    // branch's body, or two branches end one declaration each; the first of those is kept.
    std::stable_sort(m_vecFound.begin(), m_vecFound.end(),
                     [](const CSourceFunction& left, const CSourceFunction& right) {
                         return left.m_nDeclStart < right.m_nDeclStart;
                     });
    std::vector<CSourceFunction> functions;
    for (CSourceFunction& function : m_vecFound) {
        if (functions.empty() || function.m_nDeclStart >= functions.back().m_nLastOffset) {
            functions.push_back(std::move(function));
        }
    }
    return functions;
}

// Every branch is read, but only the first compiled branch of a group goes on into what
// follows the group: each other one starts from the state at the group's `#if` and is thrown
// away at its end, keeping only the functions that began and ended inside it.
void CSourceScanner::OnDirective(const CSourceToken& token) {
    if (m_nTooDeep > 0 ||
        (token.m_eDirective == SourceDirective::Open && m_vecBranches.size() == BRANCH_DEPTH_MAX)) {
        m_nTooDeep += token.m_eDirective == SourceDirective::Open ? 1 : 0;
        m_nTooDeep -= token.m_eDirective == SourceDirective::Close ? 1 : 0;
        return;
    }
    if (token.m_eDirective == SourceDirective::Open) {
        CBranchGroup group;
        group.m_nOuterMark = m_nMark;
        group.m_nOuterSandbox = m_nSandboxStart;
        group.m_atOpen = m_state;
        group.m_bBreakAtOpen = token.m_bAfterBreak;
        group.m_eBranch = Skipping()      ? Branch::Dead
                          : token.m_bZero ? Branch::Skipped
                                          : Branch::Counted;
        group.m_nPinned =
            std::max(m_vecBranches.empty() ? 0 : m_vecBranches.back().m_nPinned, m_state.m_nScope);
        m_vecBranches.push_back(group);
        return;
    }
    if (m_vecBranches.empty() || m_vecBranches.back().m_eBranch == Branch::Dead) {
        if (token.m_eDirective == SourceDirective::Close && !m_vecBranches.empty()) {
            m_vecBranches.pop_back();
        }
        return;
    }
    CBranchGroup& group = m_vecBranches.back();
    if (token.m_eDirective == SourceDirective::Branch) {
        if (group.m_eBranch == Branch::Counted) {
            group.m_afterCounted = m_state;
            group.m_bCountedDone = true;
            group.m_nPinned = std::max(group.m_nPinned, m_state.m_nScope);
        }
        m_state = group.m_atOpen;
        m_bBranchBreak = group.m_bBreakAtOpen;
        m_nMark = group.m_nOuterMark;
        m_nSandboxStart = group.m_nOuterSandbox;
        if (token.m_bZero) {
            group.m_eBranch = Branch::Skipped;
        } else if (!group.m_bCountedDone) {
            group.m_eBranch = Branch::Counted;
        } else {
            group.m_eBranch = Branch::Sandbox;
            m_nMark = m_vecScopes.size();
            m_nSandboxStart = token.m_nOffset;
        }
    } else if (token.m_eDirective == SourceDirective::Close) {
        if (group.m_bCountedDone) {
            m_state = group.m_afterCounted;
        }
        m_nMark = group.m_nOuterMark;
        m_nSandboxStart = group.m_nOuterSandbox;
        m_vecBranches.pop_back();
    }
}

// A group the file leaves open ends with the file, as if closed there.
void CSourceScanner::CloseBranches() {
    CSourceToken close;
    close.m_eKind = SourceTokenKind::Directive;
    close.m_eDirective = SourceDirective::Close;
    m_nTooDeep = 0;
    while (!m_vecBranches.empty()) {
        OnDirective(close);
    }
}

bool CSourceScanner::Skipping() const {
    return m_nTooDeep > 0 ||
           (!m_vecBranches.empty() && (m_vecBranches.back().m_eBranch == Branch::Skipped ||
                                       m_vecBranches.back().m_eBranch == Branch::Dead));
}

bool CSourceScanner::Searchable() const {
    if (m_state.m_nInner > 0) {
        return false;
    }
    const ScopeKind kind = m_vecScopes[m_state.m_nScope].m_eKind;
    return kind == ScopeKind::File || kind == ScopeKind::Namespace || kind == ScopeKind::Class;
}

std::string_view CSourceScanner::ClassName() const {
    return m_vecScopes[m_state.m_nScope].m_strClassName;
}

// A statement that began before the innermost sandbox branch belongs to the branch that goes
// on; the sandbox's copy of it would only repeat it.
bool CSourceScanner::OwnStatement(const CSourceStatement& statement) const {
    return statement.First().m_nOffset >= m_nSandboxStart;
}

void CSourceScanner::OnOpenBrace(const CSourceToken& token) {
    if (!Searchable()) {
        ++m_state.m_nInner;
        return;
    }
    CScope scope;
    scope.m_nParent = m_state.m_nScope;
    scope.m_eKind = ScopeKind::Block;
    CSourceStatement& statement = m_state.m_statement;
    if (statement.BraceContinues()) {
        scope.m_nSaved = m_vecSaved.size();
        m_vecSaved.push_back(statement);
    } else {
        switch (statement.AtBrace(ClassName())) { // GCOVR_EXCL_BR_LINE: every kind has its case
        case StatementKind::Function:
            scope.m_eKind = ScopeKind::Function;
            if (OwnStatement(statement)) {
                scope.m_nFunction = m_vecOpen.size();
                m_vecOpen.push_back(Describe(statement, token, true));
            }
            break;
        case StatementKind::Class:
            scope.m_eKind = ScopeKind::Class;
            scope.m_strClassName = statement.ClassName();
            break;
        case StatementKind::Namespace:
            scope.m_eKind = ScopeKind::Namespace;
            break;
        case StatementKind::Block:
            break;
        }
    }
    statement.Reset();
    m_state.m_nScope = m_vecScopes.size();
    m_vecScopes.push_back(scope);
}

void CSourceScanner::OnCloseBrace(const CSourceToken& token) {
    if (m_state.m_nInner > 0) {
        --m_state.m_nInner;
        return;
    }
    // A '}' at file scope closes nothing: the file scope is its own parent, holds no function
    // and is never given back.
    const std::size_t index = m_state.m_nScope;
    const CScope scope = m_vecScopes[index];
    if (scope.m_nFunction != NONE && index >= m_nMark) {
        Found(m_vecOpen[scope.m_nFunction], token.m_nLine, token.m_nOffset + 1);
    }
    m_state.m_nScope = scope.m_nParent;
    if (scope.m_nSaved != NONE) {
        m_state.m_statement = m_vecSaved[scope.m_nSaved];
        m_state.m_statement.AfterBraces();
    } else {
        m_state.m_statement.Reset();
    }
    Release(index);
}

// Gives a closed scope back, with what it holds, when it is the last one and no branch's state
// names it: outside the preprocessor's groups the scopes are a stack.
void CSourceScanner::Release(std::size_t index) {
    const std::size_t pinned = m_vecBranches.empty() ? 0 : m_vecBranches.back().m_nPinned;
    if (index + 1 != m_vecScopes.size() || index <= pinned) {
        return;
    }
    // Entries are made with their scopes and given back with them, so the last scope's are
    // the last ones.
    const CScope& scope = m_vecScopes[index];
    if (scope.m_nFunction != NONE) {
        m_vecOpen.pop_back();
    }
    if (scope.m_nSaved != NONE) {
        m_vecSaved.pop_back();
    }
    m_vecScopes.pop_back();
}

void CSourceScanner::OnSemicolon(const CSourceToken& token) {
    CSourceStatement& statement = m_state.m_statement;
    if (statement.TakesSemicolon()) {
        return;
    }
    if (m_bDeclarations && statement.DeclaresFunction(ClassName()) && OwnStatement(statement)) {
        Found(Describe(statement, token, false), token.m_nLine, token.m_nOffset + 1);
    }
    statement.Reset();
}

CSourceFunction CSourceScanner::Describe(const CSourceStatement& statement, const CSourceToken& end,
                                         bool definition) {
    const CSourceToken& first = statement.First();
    const CSourceName& name = statement.Name();
    const auto nameOffset = static_cast<std::size_t>(name.m_strLast.data() - m_strFile.data());
    CSourceFunction function;
    function.m_nFirstLine = first.m_nLine;
    function.m_nFirstOffset = first.m_nLineStart;
    function.m_nDeclStart = first.m_nOffset;
    function.m_nDeclEnd = end.m_nOffset;
    function.m_nNameLine = name.m_nLine;
    // gcc counts a byte order mark in the first line's columns.
    function.m_nNameColumn = m_columns.Column(name.m_nLineStart, nameOffset) +
                             (name.m_nLine == 1 ? m_lexer.BomLength() : 0);
    function.m_nLastLine = end.m_nLine;
    function.m_nLastOffset = end.m_nOffset + 1;
    function.m_nCommentFirstLine = first.m_nCommentRun;
    function.m_bDefinition = definition;
    function.m_strName = TidyName(name.m_strLast);
    return function;
}

void CSourceScanner::Found(CSourceFunction function, std::size_t lastLine, std::size_t lastOffset) {
    function.m_nLastLine = lastLine;
    function.m_nLastOffset = lastOffset;
    m_vecFound.push_back(std::move(function));
}
