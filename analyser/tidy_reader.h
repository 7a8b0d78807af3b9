#pragma once

#include "analyser/tidy_analysis.h"
#include "analyser/tidy_brackets.h"
#include "analyser/tidy_drop_list.h"
#include "analyser/tidy_tokens.h"
#include "analyser/tidy_words.h"

#include <string>
#include <vector>

// Reads the tokens of one declaration, already paired by TidyPairBrackets, into its parts.
// Every step walks the tokens it needs once, jumping over bracket groups by their pairs, so a
// reading is linear in the number of tokens.
class CTidyReader {
public:
    CTidyReader(const std::vector<CTidyToken>& vecTokens, const CTidySpan& span,
                const CTidyDropList& dropList);

    // True with `parts` filled; false (parts partly filled) when the tokens are not a function
    // declaration.
    bool Read(CTidyParts& parts) const;

private:
    // A parameter list the scan found.
    struct CFound {
        int m_nParams = -1;     // its '('; -1 when none
        int m_nConv = -1;       // the word "operator" of a conversion function's name; -1 when none
        bool m_bNested = false; // a declarator in brackets, "(*f(int))", holds the name
    };
    // The name before a parameter list.
    struct CName {
        int m_nQualStart = -1; // first token of the qualified name
        int m_nClassEnd = -1;  // the last "::" of the qualifier; -1 when there is none
    };

    const CTidyToken& T(int i) const { return m_vecTokens[static_cast<std::size_t>(i)]; }
    // Whether token `i` of the span is `sv`; false past the span's end.
    bool IsAt(int i, std::string_view sv) const { return i < m_nEnd && T(i).Is(sv); }
    // Whether token `i` is a word of that kind.
    bool IsKind(int i, TidyWordKind kind) const {
        return T(i).IsWord() && m_vecKind[static_cast<std::size_t>(i)] == kind;
    }
    bool Kept(int i) const { return m_vecKeep[static_cast<std::size_t>(i)] != 0; }
    // The first token kept at or after `i` (the span's end when none); the last kept before it
    // (-1 when none).
    int Next(int i) const { return m_vecNext[static_cast<std::size_t>(i)]; }
    int Prev(int i) const { return m_vecPrev[static_cast<std::size_t>(i)]; }
    // The kept tokens in [nFrom, nTo) spelled as a type, leaving out those in [nSkipFrom,
    // nSkipTo) and the names of the parameters of function types: "void (*)(int)" for
    // "void (*)(int code)".
    std::string Spell(int nFrom, int nTo, int nSkipFrom = -1, int nSkipTo = -1) const;

    // tidy_reader.cpp: what is dropped, and where the parameter list is.
    void MarkDropped(const CTidyDropList& dropList);
    void Drop(int nFrom, int nTo);
    CFound Scan(int nFrom, int nTo) const;
    bool NameBefore(int nParen, int nFrom) const;
    bool IsNestedDeclarator(int nParen) const;

    // tidy_head.cpp: name, class and return type.
    bool ReadName(const CFound& found, int nFrom, CTidyParts& parts, CName& name) const;
    int HeadStart(int nTo) const;
    std::string TrailingReturn(int nClose) const;

    // tidy_params.cpp: the parameters.
    bool ReadParams(int nOpen, std::vector<CTidyArg>& vecArgs) const;
    bool ReadParam(int nFrom, int nTo, CTidyArg& arg) const;
    int ParamName(int nFrom, int nTo) const;
    void MarkParamNames(int nParen, int nBase, std::vector<char>& vecSkip) const;
    bool IsTemplateInValue(int nAngle) const;
    int NestedName(int nParen) const;
    bool IsParamName(int i, int nFirst) const;

    const std::vector<CTidyToken>& m_vecTokens;
    int m_nBegin;
    int m_nEnd;
    std::vector<TidyWordKind> m_vecKind; // of every word, looked up once
    std::vector<char> m_vecKeep;
    std::vector<int> m_vecNext;
    std::vector<int> m_vecPrev;
};
