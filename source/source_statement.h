#pragma once

#include "source/source_lexer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// One statement at a place that can hold functions (file, namespace, class body), read token
// by token up to the '{' or ';' that ends it, in fixed-size state: the scanner keeps copies of
// it for the branches of the preprocessor, so a copy must cost the same however long the
// statement is.

// What a statement ended by '{' opens.
enum class StatementKind { Function, Class, Namespace, Block };

// A function's name: its last component (from '~' or "operator" on) and the one before "::".
struct CSourceName {
    std::string_view m_strLast;
    std::string_view m_strOwner; // the component before "::", empty when unqualified
    std::size_t m_nLine = 0;
    std::size_t m_nLineStart = 0;
    bool m_bDestructor = false;
    bool m_bConversion = false; // `operator bool` and the like, which have no return type
};

class CSourceStatement {
public:
    // Forgets the statement: the next token fed starts a new one.
    void Reset() { *this = CSourceStatement(); }

    // Takes the statement's next token: any token but '{', '}', ';' and directives.
    void Feed(const CSourceToken& token);

    // True when a '{' here belongs to the statement rather than ending it: inside parentheses,
    // behind '=', or a member's braced initialiser in a constructor's list.
    bool BraceContinues() const;
    // Tells the statement that the braces of BraceContinues() have closed.
    void AfterBraces() { m_bInitialiserNext = false; }
    // Takes a ';' that does not end the statement: one that ends a declaration of an old-style
    // definition's parameters, as in `int f(a, b) int a; char *b; { ... }`. False when the
    // statement ends here.
    bool TakesSemicolon();

    // What the statement opens when '{' ends it, in a class named `className` (empty outside
    // one, which a constructor's name is compared with).
    StatementKind AtBrace(std::string_view className) const;
    // True when the statement, ended by ';', declares a function.
    bool DeclaresFunction(std::string_view className) const;

    const CSourceName& Name() const { return m_name; }
    // The class a statement of kind Class opens; empty for an unnamed one.
    std::string_view ClassName() const { return m_strClassName; }
    // The statement's first token.
    const CSourceToken& First() const { return m_first; }

private:
    enum class Mode { Head, Trailer, InitList, TrailingReturn, OldStyle };
    enum class Group { Params, Ignored, Plain };
    // How far a parenthesised declarator inside a parameter has been read.
    enum class Declarator { None, Start, Class, Qualified };

    // A name read at the top level: where the candidate for the function's name comes from.
    struct CChain {
        bool m_bActive = false;           // a name has been read and nothing has ended it yet
        bool m_bExpect = false;           // behind "::" or '~': a component must follow
        bool m_bOperator = false;         // reading an operator's name, which runs up to its '('
        bool m_bOperatorStart = false;    // nothing of the operator's name behind "operator" yet
        bool m_bCallOperator = false;     // "operator(" read: its ')' belongs to the name
        std::size_t m_nOperatorAngle = 0; // template arguments open in a conversion's type
        bool m_bStartsStatement = false;  // an unqualified word that began the statement
        CSourceName m_name;
    };

    // What the candidate's parameter list held so far.
    struct CParams {
        bool m_bBad = false;     // it cannot be a parameter list: values, operators, calls
        bool m_bUntyped = false; // a parameter is one word that names no type
        bool m_bFirst = true;    // the next token at depth 1 starts a parameter
        bool m_bDefault = false; // inside a default argument
        bool m_bShaped = false;  // the parameter holds more than words: '*', '&', "::"...
        bool m_bTyped = false;   // one of its words names a type
        // A '(' opened at depth 1 must hold a declarator: `(*name)`, `(&name)`, `(Class::*name)`.
        Declarator m_eDeclarator = Declarator::None;
        std::size_t m_nWords = 0;
        std::size_t m_nCount = 0; // parameters ended so far
        std::size_t m_nAngle = 0; // template arguments open at depth 1
        std::size_t m_nBracket = 0;
        std::size_t m_nIgnoreFrom = 0; // depth from which an attribute's group is skipped
        bool m_bAfterWord = false;
        bool m_bAfterClose = false;
        bool m_bAfterAttribute = false;
        // Every parameter is a single word, as in an old-style definition's list of names,
        // which are remembered as bits of their hashes.
        bool m_bWordsOnly = true;
        std::uint64_t m_nNameBits = 0;
        std::string_view m_strWord;
    };

    bool Restarts(const CSourceToken& token) const;
    // Inside parentheses, brackets, template arguments or a template's parameter list.
    bool Nested() const {
        return m_nParen > 0 || m_nBracket > 0 || m_nAngle > 0 || m_nTemplate > 0;
    }
    bool InNested(const CSourceToken& token);
    void InGroup(const CSourceToken& token);
    void InParams(const CSourceToken& token);
    void CheckDeclarator(const CSourceToken& token);
    void EndParam();
    bool InOperatorName(const CSourceToken& token);
    void InHead(const CSourceToken& token);
    void HeadWord(const CSourceToken& token);
    void InTrailer(const CSourceToken& token);
    void InOldStyle(const CSourceToken& token);
    void OldStyleName();
    void OpenGroup(Group group);
    void EndChain();
    void GiveUpCandidate();
    bool IsFunction(std::string_view className, bool definition) const;
    bool IsSpecialMember(std::string_view className) const;

    bool m_bStarted = false;
    CSourceToken m_first;
    Mode m_eMode = Mode::Head;
    bool m_bNoFunction = false;      // whatever it is, it declares no function
    bool m_bAfterEquals = false;     // an initialiser follows
    bool m_bEqualsPending = false;   // '=' behind the parameters: 0, default or delete must follow
    bool m_bDeclarationOnly = false; // "= 0", "= default" or "= delete" ended it
    bool m_bOnlyWords = true;        // nothing but words so far, as before a label's ':'
    std::size_t m_nTokens = 0;       // top-level tokens so far
    // Nesting inside the statement.
    std::size_t m_nParen = 0;
    Group m_eGroup = Group::Plain;
    std::size_t m_nBracket = 0;
    bool m_bBracketFirst = false;
    std::size_t m_nAngle = 0;
    std::size_t m_nAngleParen = 0;
    std::size_t m_nTemplate = 0;
    std::size_t m_nTemplateParen = 0;
    bool m_bTemplatePending = false;
    bool m_bIgnoreGroup = false;     // the next '(' opens an attribute's or a macro's group
    bool m_bInitialiserNext = false; // in an initialiser list, behind a member's name
    // Words and symbols of a return type and specifiers before the candidate.
    std::size_t m_nTypeWords = 0;
    // Macro-like words behind the candidate's parameters: type words if it is given up.
    std::size_t m_nTrailerWords = 0;
    // The statement so far is an unqualified NAME(...), or a run of them.
    bool m_bMacroCallOnly = false;
    CChain m_chain;
    bool m_bDestructorPending = false;
    CSourceName m_tilde; // where the '~' of a destructor's name stands
    // The candidate: a name with a parameter list behind it.
    bool m_bCandidate = false;
    CSourceName m_name;
    std::size_t m_nCandidateTypeWords = 0;
    CParams m_params;
    // An old-style definition's parameter declarations.
    std::size_t m_nOldNames = 0;   // names declared so far
    std::string_view m_strOldName; // the declarator's name read last
    std::size_t m_nOldParen = 0;
    std::size_t m_nOldGroups = 0; // groups of the declarator so far: only the first holds a name
    std::size_t m_nOldBracket = 0;
    bool m_bOldComplete = false; // the last declaration has ended with its ';'

    // What else the statement may be.
    bool m_bExternPending = false;
    bool m_bExternC = false;
    bool m_bNamespace = false;
    bool m_bClassKey = false;
    bool m_bEnum = false;
    bool m_bBaseClause = false;
    bool m_bNotClass = false;
    std::size_t m_nClassWords = 0;
    // The type words counted up to and with the last class key: a candidate with no more than
    // these has no type to return (`struct EXPORT(x) T {` is a class behind a macro).
    std::size_t m_nClassKeyTypeWords = 0;
    std::string_view m_strClassName;
};
