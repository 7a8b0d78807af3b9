#include "source/source_lexer.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";
// A raw string's delimiter is at most this long; a longer one makes the quote an ordinary one.
constexpr std::size_t RAW_DELIMITER_MAX = 16;

bool IsDigit(unsigned char byte) {
    return byte >= '0' && byte <= '9';
}

bool IsBlank(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\f' || byte == '\v';
}

// Punctuators of more than one byte that the finder tells apart; every other one is one byte.
constexpr std::string_view LONG_PUNCTUATORS[] = {"::", "->", "..."};

// Bytes of the punctuator at the start of `rest`.
std::size_t PunctLength(std::string_view rest) {
    for (const std::string_view punct : LONG_PUNCTUATORS) {
        if (rest.substr(0, punct.size()) == punct) {
            return punct.size();
        }
    }
    return 1;
}

// Prefixes of a raw string. Any other prefix, as of L"x", can stay a word of its own: the
// literal behind it is read the same either way.
constexpr std::string_view RAW_PREFIXES[] = {"R", "LR", "uR", "UR", "u8R"};

bool IsRawPrefix(std::string_view word) {
    return std::find(std::begin(RAW_PREFIXES), std::end(RAW_PREFIXES), word) !=
           std::end(RAW_PREFIXES);
}

SourceDirective DirectiveKind(std::string_view name) {
    if (name == "if" || name == "ifdef" || name == "ifndef") {
        return SourceDirective::Open;
    }
    if (name == "elif" || name == "else" || name == "elifdef" || name == "elifndef") {
        return SourceDirective::Branch;
    }
    return name == "endif" ? SourceDirective::Close : SourceDirective::Other;
}

} // namespace

CSourceLexer::CSourceLexer(std::string_view file, SourceEncoding encoding)
    : m_strFile(file), m_eEncoding(encoding) {
    if (file.substr(0, UTF8_BOM.size()) == UTF8_BOM) {
        m_nBom = UTF8_BOM.size();
        m_nPos = m_nBom;
        m_nLineStart = m_nBom;
    }
}

std::size_t CSourceLexer::LastLine() const {
    return m_strFile.back() == '\n' ? m_nLine - 1 : m_nLine;
}

CSourceToken CSourceLexer::Next() {
    while (m_nPos < m_strFile.size()) {
        const char byte = m_strFile[m_nPos];
        if (byte == '\n') {
            EndLine(m_nPos + 1);
            ++m_nPos;
        } else if (IsBlank(byte)) {
            ++m_nPos;
        } else if (byte == '/' && At(m_nPos + 1, '*')) {
            SkipBlockComment();
        } else if (byte == '/' && At(m_nPos + 1, '/')) {
            SkipLineComment();
        } else if (byte == '\\' && SkipSplice(false)) {
            continue;
        } else if (byte == '#' && m_bLineEmpty) {
            return Directive();
        } else {
            return Token();
        }
    }
    CSourceToken end = Make(SourceTokenKind::End, m_strFile.size());
    end.m_nLine = m_nLine;
    end.m_nLineStart = m_nLineStart;
    return end;
}

CSourceToken CSourceLexer::Make(SourceTokenKind kind, std::size_t start) {
    CSourceToken token;
    token.m_eKind = kind;
    token.m_nOffset = start;
    token.m_strText = m_strFile.substr(start, m_nPos - start);
    token.m_bAfterBreak = m_bBreak;
    token.m_nCommentRun = m_nRun;
    m_bBreak = false;
    return token;
}

CSourceToken CSourceLexer::Directive() {
    const std::size_t start = m_nPos;
    const std::size_t line = m_nLine;
    const std::size_t lineStart = m_nLineStart;
    m_bLineCode = true;
    m_bLineEmpty = false;
    ++m_nPos;
    while (IsBlank(static_cast<char>(ByteAt(m_nPos)))) {
        ++m_nPos;
    }
    const std::size_t nameEnd = WordEnd(m_nPos);
    const SourceDirective kind = DirectiveKind(m_strFile.substr(m_nPos, nameEnd - m_nPos));
    m_nPos = nameEnd;
    const bool zero = SkipDirectiveRest();

    CSourceToken token;
    token.m_eKind = SourceTokenKind::Directive;
    token.m_strText = m_strFile.substr(start, 1);
    token.m_nOffset = start;
    token.m_nLine = line;
    token.m_nLineStart = lineStart;
    token.m_bFirstOnLine = true;
    token.m_bAfterBreak = m_bBreak;
    token.m_eDirective = kind;
    token.m_bZero = zero;
    // Only the conditions belong inside a declaration; anything else ends what came before.
    m_bBreak = m_bBreak || kind == SourceDirective::Other;
    return token;
}

CSourceToken CSourceLexer::Token() {
    const std::size_t start = m_nPos;
    const std::size_t line = m_nLine;
    const std::size_t lineStart = m_nLineStart;
    const bool first = m_bLineEmpty;
    m_bLineCode = true;
    m_bLineEmpty = false;

    const auto byte = static_cast<unsigned char>(m_strFile[start]);
    SourceTokenKind kind = SourceTokenKind::Punct;
    // A number's '.' before its first digit can stay a token of its own: no function's
    // declaration holds a number where the two would read apart.
    if (IsDigit(byte)) {
        m_nPos = NumberEnd(start);
        kind = SourceTokenKind::Number;
    } else if (SourceIsWordByte(byte)) {
        m_nPos = WordEnd(start);
        kind = SourceTokenKind::Word;
        const std::string_view word = m_strFile.substr(start, m_nPos - start);
        if (At(m_nPos, '"') && IsRawPrefix(word) && SkipRawString()) {
            kind = SourceTokenKind::Literal;
        }
    } else if (byte == '"' || byte == '\'') {
        SkipQuoted();
        kind = SourceTokenKind::Literal;
    } else {
        m_nPos += PunctLength(m_strFile.substr(start));
    }
    CSourceToken token = Make(kind, start);
    token.m_nLine = line;
    token.m_nLineStart = lineStart;
    token.m_bFirstOnLine = first;
    return token;
}

std::size_t CSourceLexer::Step(std::size_t at) const {
    return m_eEncoding == SourceEncoding::Cp932 && SourceIsDoubleByte(m_strFile, at) ? at + 2
                                                                                     : at + 1;
}

std::size_t CSourceLexer::WordEnd(std::size_t at) const {
    while (SourceIsWordByte(ByteAt(at))) {
        at = Step(at);
    }
    return at;
}

// A number runs on through letters, digits, '.' and the quote that separates digits, so that
// `1'000` is no character literal. The sign of an exponent can stay a token of its own, since
// digits follow it.
std::size_t CSourceLexer::NumberEnd(std::size_t at) const {
    for (;; ++at) {
        const unsigned char byte = ByteAt(at);
        if (!(SourceIsWordByte(byte) || byte == '.' ||
              (byte == '\'' && SourceIsWordByte(ByteAt(at + 1))))) {
            return at;
        }
    }
}

bool CSourceLexer::SkipSplice(bool comment) {
    std::size_t next = m_nPos + 1;
    if (At(next, '\r')) {
        ++next;
    }
    if (!At(next, '\n')) {
        return false;
    }
    // A continued line goes on with the logical line: whether a token stood on it still counts.
    const bool empty = m_bLineEmpty;
    bool& mark = comment ? m_bLineComment : m_bLineCode;
    mark = true;
    EndLine(next + 1);
    mark = true;
    m_bLineEmpty = empty;
    m_nPos = next + 1;
    return true;
}

void CSourceLexer::SkipBlockComment() {
    const std::size_t close = m_strFile.find("*/", m_nPos + 2);
    const std::size_t end = close == std::string_view::npos ? m_strFile.size() : close + 2;
    for (std::size_t lineFeed = m_strFile.find('\n', m_nPos); lineFeed < end;
         lineFeed = m_strFile.find('\n', lineFeed + 1)) {
        m_bLineComment = true;
        EndLine(lineFeed + 1);
    }
    m_bLineComment = true;
    m_nPos = end;
}

// A line comment ends at the line's end, unless a backslash joins the next line to it; in code
// page 932 that backslash may be the trail byte of a character, which joins nothing.
void CSourceLexer::SkipLineComment() {
    m_bLineComment = true;
    std::size_t at = m_nPos + 2;
    while (at < m_strFile.size() && m_strFile[at] != '\n') {
        if (m_strFile[at] == '\\') {
            m_nPos = at;
            if (SkipSplice(true)) {
                at = m_nPos;
                continue;
            }
        }
        at = Step(at);
    }
    m_nPos = at;
}

void CSourceLexer::SkipQuoted() {
    const char quote = m_strFile[m_nPos];
    std::size_t at = m_nPos + 1;
    while (at < m_strFile.size() && m_strFile[at] != quote && m_strFile[at] != '\n') {
        if (m_strFile[at] == '\\') {
            m_nPos = at;
            if (SkipSplice(false)) {
                at = m_nPos;
                continue;
            }
            // The escaped character is one character, a double-byte one included.
            at = at + 1 < m_strFile.size() ? Step(at + 1) : at + 1;
            continue;
        }
        at = Step(at);
    }
    m_nPos = at < m_strFile.size() && m_strFile[at] == quote ? at + 1 : at;
}

bool CSourceLexer::SkipRawString() {
    // Only as far as the longest delimiter: a quote that opens no raw string costs no search
    // through the rest of the file.
    const std::size_t open = m_strFile.substr(m_nPos + 1, RAW_DELIMITER_MAX + 1).find('(');
    if (open == std::string_view::npos) {
        return false;
    }
    const std::string_view delimiter = m_strFile.substr(m_nPos + 1, open);
    if (delimiter.find_first_of(" ()\\\t\v\f\r\n") != std::string_view::npos) {
        return false;
    }
    std::size_t close = m_nPos + 1 + open + 1;
    for (;;) {
        close = m_strFile.find(')', close);
        if (close == std::string_view::npos ||
            (m_strFile.substr(close + 1, delimiter.size()) == delimiter &&
             At(close + 1 + delimiter.size(), '"'))) {
            break;
        }
        ++close;
    }
    const std::size_t end =
        close == std::string_view::npos ? m_strFile.size() : close + delimiter.size() + 2;
    for (std::size_t lineFeed = m_strFile.find('\n', m_nPos); lineFeed < end;
         lineFeed = m_strFile.find('\n', lineFeed + 1)) {
        EndLine(lineFeed + 1);
        m_bLineCode = true;
        m_bLineEmpty = false;
    }
    m_nPos = end;
    return true;
}

bool CSourceLexer::SkipDirectiveRest() {
    bool significant = false;
    bool zero = false;
    while (m_nPos < m_strFile.size() && m_strFile[m_nPos] != '\n') {
        const char byte = m_strFile[m_nPos];
        if (IsBlank(byte)) {
            ++m_nPos;
        } else if (byte == '\\' && SkipSplice(false)) {
            continue;
        } else if (byte == '/' && At(m_nPos + 1, '*')) {
            SkipBlockComment();
        } else if (byte == '/' && At(m_nPos + 1, '/')) {
            SkipLineComment();
        } else {
            // Only a lone '0' makes the condition zero: a second character clears it again.
            zero = !significant && byte == '0';
            significant = true;
            if (byte == '"' || byte == '\'') {
                SkipQuoted();
            } else {
                m_nPos = Step(m_nPos);
            }
        }
    }
    m_bLineCode = true;
    return zero;
}

void CSourceLexer::EndLine(std::size_t next) {
    const bool blank = !m_bLineCode && !m_bLineComment;
    if (m_bLineCode || blank) {
        m_nRun = 0;
    } else if (m_nRun == 0) {
        m_nRun = m_nLine;
    }
    m_bBreak = m_bBreak || blank;
    ++m_nLine;
    m_nLineStart = next;
    m_bLineCode = false;
    m_bLineComment = false;
    m_bLineEmpty = true;
}
