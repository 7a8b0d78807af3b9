#pragma once

#include "source/source_column.h"
#include "source/source_functions.h"
#include "source/source_lexer.h"
#include "source/source_statement.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The pass behind SourceFindFunctions: follows the nesting of braces and the preprocessor's
// branches, reads statements where functions can stand, and collects the functions found.
class CSourceScanner {
public:
    CSourceScanner(std::string_view file, SourceEncoding encoding, bool bDeclarations);

    // Scans the whole file once; the functions in file order, none overlapping another.
    std::vector<CSourceFunction> Run();

private:
    enum class ScopeKind { File, Namespace, Class, Function, Block };
    enum class Branch { Counted, Sandbox, Skipped, Dead };

    // The scope of a brace opened where functions can stand. A branch's state names its scope
    // by index, so that going back to it costs nothing however deep the nesting is; a scope is
    // given back when it closes unless such a state may still name it.
    struct CScope {
        std::size_t m_nParent = 0;
        ScopeKind m_eKind = ScopeKind::File;
        std::string_view m_strClassName; // a class body's class
        std::size_t m_nFunction = NONE;  // a function body's entry in m_vecOpen
        std::size_t m_nSaved = NONE;     // the statement the brace continues, in m_vecSaved
    };

    // Everything a preprocessor branch changes.
    struct CState {
        std::size_t m_nScope = 0;
        // Braces open inside a function body or block: counted, since nothing is read there.
        std::size_t m_nInner = 0;
        CSourceStatement m_statement;
    };

    // An `#if` group: the state at its `#if`, and the state its first compiled branch left.
    struct CBranchGroup {
        CState m_atOpen;
        CState m_afterCounted;
        bool m_bCountedDone = false; // the counted branch has ended
        Branch m_eBranch = Branch::Counted;
        std::size_t m_nOuterMark = 0;
        std::size_t m_nOuterSandbox = 0;
        bool m_bBreakAtOpen = false; // a blank line or directive came before the `#if`
        std::size_t m_nPinned = 0;   // the highest scope a state of this or an outer group names
    };

    static constexpr std::size_t NONE = static_cast<std::size_t>(-1);

    void OnDirective(const CSourceToken& token);
    void OnOpenBrace(const CSourceToken& token);
    void OnCloseBrace(const CSourceToken& token);
    void OnSemicolon(const CSourceToken& token);
    void CloseBranches();
    void Release(std::size_t index);
    bool Skipping() const;
    bool Searchable() const;
    std::string_view ClassName() const;
    bool OwnStatement(const CSourceStatement& statement) const;
    CSourceFunction Describe(const CSourceStatement& statement, const CSourceToken& end,
                             bool definition);
    void Found(CSourceFunction function, std::size_t lastLine, std::size_t lastOffset);

    std::string_view m_strFile;
    bool m_bDeclarations;
    CSourceLexer m_lexer;
    CSourceColumns m_columns;
    CState m_state;
    std::vector<CScope> m_vecScopes;
    std::vector<CSourceStatement> m_vecSaved;
    std::vector<CSourceFunction> m_vecOpen;  // functions whose body has begun
    std::vector<CSourceFunction> m_vecFound; // in the order they ended
    std::vector<CBranchGroup> m_vecBranches;
    // Scopes from this index on were opened in the innermost branch that is scanned only for
    // its own functions (a "sandbox"); a function opened before it never ends inside it.
    std::size_t m_nMark = 0;
    // Offset of the directive that began the innermost sandbox branch; 0 outside one.
    std::size_t m_nSandboxStart = 0;
    // A branch begins behind a blank line or directive if its group did: the next token is
    // told so as the first branch's first token was.
    bool m_bBranchBreak = false;
    // Groups nested deeper than the tracked ones, all of whose branches are skipped.
    std::size_t m_nTooDeep = 0;
};
