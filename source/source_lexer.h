#pragma once

#include "source/source_functions.h"
#include "text/codepage.h"

#include <cstddef>
#include <string_view>

// The tokens of a C or C++ file, as far as finding functions needs them: comments and
// whitespace are stepped over (but remembered per line), literals come whole, and a
// preprocessor directive comes as one token that covers its continuation lines.

// Bytes that can follow a code page 932 lead byte as the second byte of one character.
inline bool SourceIsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Whether a code page 932 character of two bytes, a lead byte and its trail, begins at `at`.
inline bool SourceIsDoubleByte(std::string_view text, std::size_t at) {
    return at + 1 < text.size() && TxtIsLeadByte(static_cast<unsigned char>(text[at])) &&
           SourceIsTrailByte(static_cast<unsigned char>(text[at + 1]));
}

// Letters, digits, '_' and '$' make words; so does every byte above ASCII, which in either
// encoding only stands in identifiers, literals and comments.
inline bool SourceIsWordByte(unsigned char byte) {
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= '0' && byte <= '9') || byte == '_' || byte == '$' || byte >= 0x80;
}

enum class SourceTokenKind { Word, Number, Literal, Punct, Directive, End };

// What a directive does to the branches around it.
enum class SourceDirective { Open, Branch, Close, Other };

struct CSourceToken {
    SourceTokenKind m_eKind = SourceTokenKind::End;
    std::string_view m_strText;   // the token's bytes; a directive's '#' only
    std::size_t m_nOffset = 0;    // byte offset of its first byte
    std::size_t m_nLine = 1;      // line of its first byte
    std::size_t m_nLineStart = 0; // byte offset of that line's first byte
    // First line of the comment-only lines right above the token's line, 0 when none.
    std::size_t m_nCommentRun = 0;
    bool m_bFirstOnLine = false; // nothing but blanks and comments before it on its line
    // A blank line or a directive other than a conditional one lies between the token and the
    // one before it.
    bool m_bAfterBreak = false;
    SourceDirective m_eDirective = SourceDirective::Other;
    bool m_bZero = false; // an `#if 0` or `#elif 0`, whose branch is never compiled
};

inline bool SourceIsPunct(const CSourceToken& token, std::string_view text) {
    return token.m_eKind == SourceTokenKind::Punct && token.m_strText == text;
}

inline bool SourceIsWord(const CSourceToken& token) {
    return token.m_eKind == SourceTokenKind::Word;
}

class CSourceLexer {
public:
    CSourceLexer(std::string_view file, SourceEncoding encoding);

    // The next token; one of kind End at the end of the file and at every call after it.
    CSourceToken Next();

    // Bytes of the byte order mark skipped at the start: 0 or 3.
    std::size_t BomLength() const { return m_nBom; }
    // Line of the file's last byte, for a file of at least one byte; meaningful once End was
    // returned.
    std::size_t LastLine() const;

private:
    CSourceToken Directive();
    CSourceToken Token();
    CSourceToken Make(SourceTokenKind kind, std::size_t start);
    // The offset behind the character at `at`: a code page 932 lead byte takes its trail.
    std::size_t Step(std::size_t at) const;
    std::size_t WordEnd(std::size_t at) const;
    std::size_t NumberEnd(std::size_t at) const;
    // Steps over a backslash at `m_nPos` that joins its line to the next, both lines holding
    // code or, as `comment` says, a comment; false when no line end follows the backslash.
    bool SkipSplice(bool comment);
    void SkipBlockComment();
    void SkipLineComment();
    // Steps over a quoted literal from its opening quote up to its closing one, or up to the
    // end of the line when it has none.
    void SkipQuoted();
    // Steps over a raw string from its opening quote; false (nothing stepped over) when no
    // valid delimiter follows the quote.
    bool SkipRawString();
    // Steps over the rest of a directive's line and its continuation lines; true when its
    // text holds nothing but the number 0.
    bool SkipDirectiveRest();
    // Ends the current line; `next` is the offset of the next line's first byte.
    void EndLine(std::size_t next);
    // The byte at `at`; 0, which no token holds, past the end of the file.
    unsigned char ByteAt(std::size_t at) const {
        return at < m_strFile.size() ? static_cast<unsigned char>(m_strFile[at]) : 0;
    }
    bool At(std::size_t at, char byte) const {
        return ByteAt(at) == static_cast<unsigned char>(byte);
    }

    std::string_view m_strFile;
    SourceEncoding m_eEncoding;
    std::size_t m_nBom = 0;
    std::size_t m_nPos = 0;
    std::size_t m_nLine = 1;
    std::size_t m_nLineStart = 0;
    bool m_bLineCode = false;    // the current line holds code (a token or a directive)
    bool m_bLineComment = false; // the current line holds a comment
    bool m_bLineEmpty = true;    // no token yet on the current (logical) line
    std::size_t m_nRun = 0;      // first line of the comment-only lines ending above this line
    bool m_bBreak = false;       // a blank line or a directive since the last token
};
