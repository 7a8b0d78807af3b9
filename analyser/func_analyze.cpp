#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

#include "analyser/func_parser.h"
#include "text/codepage.h"
#include "text/txt.h"
#include "text/txt_alloc.h"

namespace {

// Longest declaration the work buffers hold, one byte being kept for the terminator.
constexpr std::size_t MAX_DECL_LEN = FUNC_TEXT_SIZE - 1;

// Brackets become spaces and the words end up separated by single spaces, no space at either end.
void Unbracket(char* text) {
    TxtReplaceChar(text, '(', ' ');
    TxtReplaceChar(text, ')', ' ');
    TxtSqueeze(text, ' ');
    TxtTrim(text, ' ');
}

// Word nSpaces + 1 of `text` (its last word when the spaces are single) into `out`.
void LastWord(const char* text, int nSpaces, char* out) {
    std::memset(out, 0, FUNC_TEXT_SIZE);
    TxtGetField(text, ' ', nSpaces + 1, out);
    TxtTrim(out, ' ');
}

// Field 1 of `text` split at `delim` into `out`, which holds `*dirty` bytes of an earlier field
// and zeros after them: clearing those bytes zero-fills the whole buffer. `*dirty` is then the
// new field's length. Returns where the next field begins (the terminator after the last).
const char* TakeNextField(const char* text, char delim, char* out, std::size_t* dirty) {
    std::memset(out, 0, *dirty);
    TxtGetField(text, delim, 1, out);
    *dirty = std::strlen(out);
    const char* next = std::strchr(text, delim);
    return next != nullptr ? next + 1 : text + std::strlen(text);
}

// Appends `text` to `out`, which holds `*used` bytes, up to MAX_DECL_LEN bytes in all (as
// strncat with the room left would).
void AppendCut(char* out, std::size_t* used, const char* text) {
    const std::size_t length = std::min(std::strlen(text), MAX_DECL_LEN - *used);
    std::memcpy(out + *used, text, length);
    *used += length;
    out[*used] = '\0';
}

// Words 1 to `count` of `text`, joined by single spaces, into the cleared `out`. The appends
// stop at the end of `out`, although words taken from a text that fits never reach it. Word i
// is taken as the first word after the (i - 1)-th space, so the words are read in one sweep.
void JoinWords(const char* text, int count, char* out) {
    char szWord[FUNC_TEXT_SIZE] = {};
    std::size_t nDirty = 0;
    std::size_t nUsed = std::strlen(out);
    const char* pWord = text;
    for (int i = 1; i <= count; ++i) {
        pWord = TakeNextField(pWord, ' ', szWord, &nDirty);
        AppendCut(out, &nUsed, szWord);
        AppendCut(out, &nUsed, " ");
    }
    TxtTrim(out, ' ');
}

// Copies `src` into a field of `size` bytes, cut to fit with its terminator and never inside a
// double-byte character; a cut just after a separating space drops that space too.
void CopyCut(char* dst, std::size_t size, const char* src) {
    const std::size_t len = TxtCp932Cut(src, size - 1);
    std::memcpy(dst, src, len);
    dst[len] = '\0';
    TxtTrimRight(dst, ' ');
}

} // namespace

int CFuncParser::Analyze(const char* text) {
    // A longer declaration would not fit the work buffers; it is refused like any other
    // unusable text, so the object is left empty.
    const std::size_t len = text == nullptr ? 0 : std::strlen(text);
    if (text == nullptr || len > MAX_DECL_LEN) {
        Clear();
        return -1;
    }
    char* pszCopy = static_cast<char*>(TxtAlloc(len + 1));
    if (pszCopy == nullptr) {
        return TXT_ENOMEM;
    }
    Clear();
    std::memcpy(pszCopy, text, len + 1);

    TxtReplaceChar(pszCopy, '\t', ' ');
    TxtSqueeze(pszCopy, ' ');
    // Only the runs at the two ends go: a space before a final semicolon keeps it.
    TxtTrim(pszCopy, ';');

    int nResult = CheckSyntax(pszCopy);
    char szHead[FUNC_TEXT_SIZE] = {};
    char szArgs[FUNC_TEXT_SIZE] = {};
    if (nResult == 0) {
        nResult = SplitDecl(pszCopy, szHead, szArgs);
    }
    if (nResult == 0) {
        TakeHead(szHead);
        nResult = TakeArgs(szArgs);
    }
    TxtFree(pszCopy);
    if (nResult != 0) {
        Clear();
    }
    return nResult;
}

void CFuncParser::TakeHead(char* head) {
    Unbracket(head);
    TxtReplace(head, " ::", "::");
    TxtReplace(head, ":: ", "::");

    const int nSpaces = TxtCountChar(head, ' ');
    char szWord[FUNC_TEXT_SIZE];
    LastWord(head, nSpaces, szWord);
    TakeName(szWord);

    char szJoined[FUNC_TEXT_SIZE] = {};
    JoinWords(head, nSpaces, szJoined);
    CopyCut(m_szRetType, sizeof m_szRetType, szJoined);
}

void CFuncParser::TakeName(const char* word) {
    if (TxtCount(word, "::") != 1) {
        m_nClassFlag = -1;
        std::strcpy(m_szFuncName, word);
        return;
    }
    // Split at the operator itself: a stand-in byte such as '|' can be the second byte of a
    // double-byte character (0x83 0x7C is a katakana), while ':' never is.
    m_nClassFlag = 0;
    const char* pScope = std::strstr(word, "::");
    std::memcpy(m_szClassName, word, static_cast<std::size_t>(pScope - word));
    std::strcpy(m_szFuncName, pScope + 2);
    TxtTrim(m_szClassName, ' ');
    TxtTrim(m_szFuncName, ' ');
}

int CFuncParser::TakeArgs(char* args) {
    Unbracket(args);
    const int nCommas = TxtCountChar(args, ',');
    ArgInfo* pTail = &m_head;
    char szWord[FUNC_TEXT_SIZE] = {};
    std::size_t nDirty = 0;
    char szPiece[FUNC_TEXT_SIZE];
    // Argument i is the first field after the (i - 1)-th comma: one sweep over the arguments.
    const char* pArg = args;
    for (int i = 1; i <= nCommas + 1; ++i) {
        pArg = TakeNextField(pArg, ',', szWord, &nDirty);
        TxtTrim(szWord, ' ');
        // A single word (void, a type without a name) or an empty field ends the list; the
        // arguments before it stand.
        const int nSpaces = TxtCountChar(szWord, ' ');
        if (nSpaces == 0) {
            break;
        }
        void* pBlock = TxtAlloc(sizeof(ArgInfo));
        if (pBlock == nullptr) {
            return TXT_ENOMEM;
        }
        // Linked before it is filled, so that the clearing on failure finds every node.
        ArgInfo* pNode = new (pBlock) ArgInfo{};
        pTail->m_pNext = pNode;
        pTail = pNode;
        ++m_nArgCount;

        LastWord(szWord, nSpaces, szPiece);
        CopyCut(pNode->m_szName, sizeof pNode->m_szName, szPiece);
        std::memset(szPiece, 0, sizeof szPiece);
        JoinWords(szWord, nSpaces, szPiece);
        CopyCut(pNode->m_szType, sizeof pNode->m_szType, szPiece);
    }
    return 0;
}

int CFuncParser::CheckSyntax(const char* text) {
    if (text == nullptr || TxtCheckParens(text) != 0) {
        return -1;
    }
    const int nColons = TxtCountChar(text, ':');
    return (nColons == 0 || nColons == 2) ? 0 : -1;
}

int CFuncParser::SplitDecl(const char* text, char* head, char* args) {
    // The two buffers hold FUNC_TEXT_SIZE bytes each. Analyze refuses a missing or longer text
    // before this step, so no declaration reaches the guard.
    if (text == nullptr || std::strlen(text) > MAX_DECL_LEN) { // GCOVR_EXCL_BR_LINE
        return -1;                                             // GCOVR_EXCL_LINE
    }
    const char* pCandidate = nullptr;
    const char* pChosen = nullptr;
    int nDepth = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '(') {
            if (++nDepth == 1) {
                pCandidate = p;
            }
        } else if (*p == ')' && nDepth > 0) {
            if (--nDepth == 0) {
                pChosen = pCandidate;
            }
        }
    }
    // The last top-level group closed is the argument list; without one there is nothing to
    // analyse.
    if (pChosen == nullptr) {
        return -1;
    }
    const std::size_t nHead = static_cast<std::size_t>(pChosen - text);
    std::memcpy(head, text, nHead);
    head[nHead] = '\0';
    std::strcpy(args, pChosen);
    return 0;
}
