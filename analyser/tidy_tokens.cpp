#include "analyser/tidy_tokens.h"

#include "text/codepage.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

// The names an operator function can have, longest symbol first so that "operator<<=" is not
// read as "operator<<" and a stray "=". The views of folded tokens point here.
constexpr std::string_view OPERATOR_NAMES[] = {
    "operator->*", "operator<<=", "operator>>=", "operator<=>", "operator->", "operator<<",
    "operator>>",  "operator<=",  "operator>=",  "operator==",  "operator!=", "operator&&",
    "operator||",  "operator++",  "operator--",  "operator+=",  "operator-=", "operator*=",
    "operator/=",  "operator%=",  "operator&=",  "operator|=",  "operator^=", "operator+",
    "operator-",   "operator*",   "operator/",   "operator%",   "operator^",  "operator&",
    "operator|",   "operator~",   "operator!",   "operator=",   "operator<",  "operator>",
    "operator,"};
constexpr std::string_view OPERATOR_WORD = "operator";
// Named operators, whose symbol is a word or a bracket pair rather than punctuation.
constexpr std::string_view OPERATOR_CALL = "operator()";
constexpr std::string_view OPERATOR_INDEX = "operator[]";
constexpr std::string_view OPERATOR_NEW = "operator new";
constexpr std::string_view OPERATOR_NEW_ARRAY = "operator new[]";
constexpr std::string_view OPERATOR_DELETE = "operator delete";
constexpr std::string_view OPERATOR_DELETE_ARRAY = "operator delete[]";
constexpr std::string_view OPERATOR_AWAIT = "operator co_await";
// Punctuation tokens an operator symbol is made of: at most three single bytes.
constexpr int OPERATOR_SYMBOL_TOKENS = 3;

// Punctuation read as one token; every other punctuation byte is a token of its own, so that
// the two '>' closing nested template argument lists are two tokens. ">=" is one, since it
// never closes a template argument list ("enable_if<int(N) >= 0, T>").
constexpr std::string_view LONG_PUNCTS[] = {"...", "::", "->", ">="};

constexpr unsigned char IDEOGRAPHIC_SPACE_LEAD = 0x81;
constexpr unsigned char IDEOGRAPHIC_SPACE_TRAIL = 0x40;

unsigned char At(std::string_view text, std::size_t pos) {
    return pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
}

bool IsAsciiLetter(unsigned char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}
bool IsDigit(unsigned char ch) {
    return ch >= '0' && ch <= '9';
}
// Bytes from 0x80 up are Japanese characters (or half-width katakana) and belong to words.
bool IsWordByte(unsigned char ch) {
    return IsAsciiLetter(ch) || IsDigit(ch) || ch == '_' || ch == '$' || ch >= 0x80;
}

class CTokenizer {
public:
    CTokenizer(std::string_view text, std::vector<CTidyToken>& vecTokens)
        : m_sv(text), m_vecTokens(vecTokens) {}

    void Run() {
        while (m_nPos < m_sv.size()) {
            if (const std::size_t blank = BlankWidth(m_nPos); blank > 0) {
                m_bLineStart = m_bLineStart || m_sv[m_nPos] == '\n';
                m_nPos += blank;
            } else if (m_bLineStart && m_sv[m_nPos] == '#') {
                Directive();
            } else {
                m_bLineStart = false;
                Token();
            }
        }
    }

private:
    // Width of the blank at `pos`: control bytes and spaces, the ideographic space, and a
    // backslash that continues the line; 0 when there is none.
    std::size_t BlankWidth(std::size_t pos) const {
        const unsigned char ch = At(m_sv, pos);
        if (ch <= ' ' || ch == 0x7F) {
            return 1;
        }
        if (ch == IDEOGRAPHIC_SPACE_LEAD && At(m_sv, pos + 1) == IDEOGRAPHIC_SPACE_TRAIL) {
            return 2;
        }
        if (ch == '\\' && (At(m_sv, pos + 1) == '\n' || At(m_sv, pos + 1) == '\r')) {
            return 2;
        }
        return 0;
    }

    std::size_t CharWidth(std::size_t pos) const { return TidyCharWidth(m_sv, pos); }

    void Emit(TidyTokenKind kind, std::size_t from) {
        if (m_nSkipFrom == 0) {
            m_vecTokens.push_back({kind, m_sv.substr(from, m_nPos - from)});
        }
    }

    void Token() {
        const std::size_t from = m_nPos;
        const unsigned char ch = At(m_sv, m_nPos);
        if (ch == '/' && (At(m_sv, m_nPos + 1) == '*' || At(m_sv, m_nPos + 1) == '/')) {
            Comment();
        } else if (IsWordByte(ch) && !IsDigit(ch)) {
            while (m_nPos < m_sv.size() && IsWordByte(At(m_sv, m_nPos)) && !BlankWidth(m_nPos)) {
                m_nPos += CharWidth(m_nPos);
            }
            Emit(TidyTokenKind::Word, from);
        } else if (IsDigit(ch) || (ch == '.' && IsDigit(At(m_sv, m_nPos + 1)))) {
            Number();
            Emit(TidyTokenKind::Number, from);
        } else if (ch == '"' || ch == '\'') {
            Literal(ch);
            Emit(TidyTokenKind::Literal, from);
        } else {
            m_nPos += PunctWidth();
            Emit(TidyTokenKind::Punct, from);
        }
    }

    std::size_t PunctWidth() const {
        for (const std::string_view punct : LONG_PUNCTS) {
            if (m_sv.substr(m_nPos, punct.size()) == punct) {
                return punct.size();
            }
        }
        return 1;
    }

    // A comment's token holds its text without the markers.
    void Comment() {
        const bool bBlock = m_sv[m_nPos + 1] == '*';
        m_nPos += 2;
        const std::size_t from = m_nPos;
        std::size_t to = m_sv.size();
        while (m_nPos < m_sv.size()) {
            if (bBlock && m_sv.compare(m_nPos, 2, "*/") == 0) {
                to = m_nPos;
                m_nPos += 2;
                break;
            }
            if (!bBlock && m_sv[m_nPos] == '\n') {
                to = m_nPos;
                break;
            }
            m_nPos += CharWidth(m_nPos);
        }
        if (m_nSkipFrom == 0) {
            m_vecTokens.push_back({TidyTokenKind::Comment, m_sv.substr(from, to - from)});
        }
    }

    // Digits, letters and dots, and the quotes that separate digits ("1'000"), which must not
    // open a character literal. (An exponent's sign is left a token of its own: numbers only
    // stand in default values, which are left out, and in array sizes.)
    void Number() {
        for (;; ++m_nPos) {
            const unsigned char ch = At(m_sv, m_nPos);
            const unsigned char next = At(m_sv, m_nPos + 1);
            const bool bDigits = (IsWordByte(ch) || ch == '.') && ch < 0x80;
            if (!bDigits && !(ch == '\'' && IsWordByte(next) && next < 0x80)) {
                return;
            }
        }
    }

    // Up to the closing quote; an unterminated literal stops before its line's end, even after
    // a backslash, so that no token holds a line break.
    void Literal(unsigned char quote) {
        ++m_nPos;
        while (m_nPos < m_sv.size() && m_sv[m_nPos] != '\n') {
            const unsigned char ch = At(m_sv, m_nPos);
            if (ch == quote) {
                ++m_nPos;
                return;
            }
            const bool bEscape = ch == '\\' && m_nPos + 1 < m_sv.size() && m_sv[m_nPos + 1] != '\n';
            m_nPos += bEscape ? 2 : CharWidth(m_nPos);
        }
    }

    // A preprocessor line: of the branches of a conditional only the first is kept, since the
    // text must read as one declaration.
    void Directive() {
        std::size_t pos = m_nPos + 1;
        while (pos < m_sv.size() && (m_sv[pos] == ' ' || m_sv[pos] == '\t')) {
            ++pos;
        }
        std::size_t end = pos;
        while (end < m_sv.size() && IsAsciiLetter(At(m_sv, end))) {
            ++end;
        }
        const std::string_view name = m_sv.substr(pos, end - pos);
        if (name.substr(0, 2) == "if") {
            ++m_nDepth;
        } else if (name.substr(0, 2) == "el" && m_nDepth > 0 && m_nSkipFrom == 0) {
            m_nSkipFrom = m_nDepth;
        } else if (name == "endif" && m_nDepth > 0) {
            if (m_nSkipFrom == m_nDepth) {
                m_nSkipFrom = 0;
            }
            --m_nDepth;
        }
        // The rest of the line, continuation lines included.
        m_nPos = end;
        while (m_nPos < m_sv.size() && m_sv[m_nPos] != '\n') {
            m_nPos += m_sv[m_nPos] == '\\' && m_nPos + 1 < m_sv.size() ? 2 : CharWidth(m_nPos);
        }
    }

    std::string_view m_sv;
    std::vector<CTidyToken>& m_vecTokens;
    std::size_t m_nPos = 0;
    bool m_bLineStart = true;
    int m_nDepth = 0;    // conditionals open at this point
    int m_nSkipFrom = 0; // the depth whose later branch is being left out; 0 when none
};

bool IsAdjacent(const CTidyToken& before, const CTidyToken& after) {
    return before.m_sv.data() + before.m_sv.size() == after.m_sv.data();
}

// The first token from `i` on that is no comment (the count of tokens when none).
std::size_t PastComments(const std::vector<CTidyToken>& tokens, std::size_t i) {
    const auto from = tokens.begin() + static_cast<std::ptrdiff_t>(std::min(i, tokens.size()));
    const auto it = std::find_if(from, tokens.end(), [](const CTidyToken& token) {
        return token.m_kind != TidyTokenKind::Comment;
    });
    return static_cast<std::size_t>(it - tokens.begin());
}

// How many tokens from `at` make up the symbol of the operator function named before them, and
// the name; 0 for a conversion function (or none). Comments may stand before the symbol and
// between its brackets, "operator /* call */ ( )", and are folded in with it; only adjacent
// punctuation forms a symbol.
std::size_t OperatorSymbol(const std::vector<CTidyToken>& tokens, std::size_t at,
                           std::string_view& svName) {
    auto is = [&](std::size_t i, std::string_view sv) {
        return i < tokens.size() && tokens[i].Is(sv);
    };
    auto upTo = [at](std::size_t last) { return last + 1 - at; };
    const std::size_t first = PastComments(tokens, at);
    const std::size_t second = PastComments(tokens, first + 1);
    if (is(first, "(") && is(second, ")")) {
        svName = OPERATOR_CALL;
        return upTo(second);
    }
    if (is(first, "[") && is(second, "]")) {
        svName = OPERATOR_INDEX;
        return upTo(second);
    }
    const bool bNew = is(first, "new");
    if (bNew || is(first, "delete")) {
        const std::size_t third = PastComments(tokens, second + 1);
        const bool bArray = is(second, "[") && is(third, "]");
        svName = bNew ? (bArray ? OPERATOR_NEW_ARRAY : OPERATOR_NEW)
                      : (bArray ? OPERATOR_DELETE_ARRAY : OPERATOR_DELETE);
        return upTo(bArray ? third : first);
    }
    if (is(first, "co_await")) {
        svName = OPERATOR_AWAIT;
        return upTo(first);
    }
    std::string symbol;
    std::size_t aEnds[OPERATOR_SYMBOL_TOKENS] = {};
    std::size_t count = 0;
    for (std::size_t i = first; i < tokens.size() && count < OPERATOR_SYMBOL_TOKENS; ++i) {
        if (tokens[i].m_kind != TidyTokenKind::Punct ||
            (i > first && !IsAdjacent(tokens[i - 1], tokens[i]))) {
            break;
        }
        symbol += tokens[i].m_sv;
        aEnds[count++] = symbol.size();
    }
    for (const std::string_view name : OPERATOR_NAMES) {
        const std::string_view sv = name.substr(OPERATOR_WORD.size());
        for (std::size_t k = 0; k < count; ++k) {
            if (aEnds[k] == sv.size() && symbol.compare(0, sv.size(), sv) == 0) {
                svName = name;
                return upTo(first + k);
            }
        }
    }
    return 0;
}

// Folds "operator" and its symbol into one token, so that the symbol's brackets and '<' are
// never taken for brackets of the declaration.
void FoldOperators(std::vector<CTidyToken>& tokens) {
    std::size_t write = 0;
    for (std::size_t read = 0; read < tokens.size(); ++read) {
        CTidyToken token = tokens[read];
        std::string_view svName;
        const std::size_t symbol =
            token.Is(OPERATOR_WORD) ? OperatorSymbol(tokens, read + 1, svName) : 0;
        if (symbol > 0) {
            token = {TidyTokenKind::Operator, svName};
            read += symbol;
        }
        tokens[write++] = token;
    }
    tokens.resize(write);
}

} // namespace

std::size_t TidyCharWidth(std::string_view text, std::size_t pos) {
    const unsigned char trail = At(text, pos + 1);
    const bool bTrail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
    return TxtIsLeadByte(At(text, pos)) && bTrail ? 2 : 1;
}

void TidyTokenize(std::string_view text, std::vector<CTidyToken>& vecTokens) {
    vecTokens.clear();
    CTokenizer(text, vecTokens).Run();
    FoldOperators(vecTokens);
}
