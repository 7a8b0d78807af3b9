#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

// The tokens of a declaration as the tidy analysis reads it: words, numbers, literals, single
// punctuation bytes (and "::", "->", "...", ">="), and comments, each a view into the caller's
// text.

enum class TidyTokenKind {
    Word,     // identifier or keyword; Japanese characters belong to words
    Operator, // an operator function's name folded into one token: "operator==", "operator new[]"
    Number,
    Literal, // a string or character literal with its quotes
    Punct,
    Comment, // the text between the markers, untrimmed
};

struct CTidyToken {
    TidyTokenKind m_kind;
    std::string_view m_sv;
    // For ( [ { and for the < > of a template argument list: the index of the other bracket of
    // the pair; -1 for every other token and for a bracket without a partner.
    int m_nPartner = -1;

    // `sv` is punctuation or a word, never empty (a literal holds its quotes, so it is never
    // one). The first bytes are compared before the rest: nearly every test fails there.
    bool Is(std::string_view sv) const {
        return m_sv.size() == sv.size() && m_sv[0] == sv[0] && m_kind != TidyTokenKind::Comment &&
               m_sv == sv;
    }
    bool IsOneOf(std::initializer_list<std::string_view> list) const {
        for (const std::string_view sv : list) {
            if (Is(sv)) {
                return true;
            }
        }
        return false;
    }
    bool IsWord() const { return m_kind == TidyTokenKind::Word; }
    // A pointer, reference or block pointer mark.
    bool IsMark() const { return IsOneOf({"*", "&", "^"}); }
};

// Bytes of the character at `pos` of `text`: 2 for a lead byte followed by a trail byte, else
// 1. A lead byte before a blank or a line break is no character's start, so that such a byte
// (never in code page 932 text) cannot fuse a name with the blank after it.
std::size_t TidyCharWidth(std::string_view text, std::size_t pos);

// Splits `text` (code page 932 bytes) into `vecTokens`, replacing what it held. A double-byte
// character is stepped over whole, so its trail byte is never read as punctuation. Blanks (the
// ideographic space included) separate tokens and leave none; preprocessor lines go, and of the
// branches of an #if written inside the text only the first is kept, as the compiler of the
// first branch would see it. An unterminated comment or literal runs to the end of the text
// (a literal to the end of its line). Linear in the length of the text.
void TidyTokenize(std::string_view text, std::vector<CTidyToken>& vecTokens);
