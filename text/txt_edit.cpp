#include "text/txt.h"
#include "text/txt_alloc.h"

#include <cstring>

namespace {

// True when all `length` bytes of `pattern` stand at `at`, before the text's terminator
// (strncmp stops at the terminator, which never equals a pattern byte).
bool MatchesAt(const char* at, const char* pattern, std::size_t length) {
    return std::strncmp(at, pattern, length) == 0;
}

// The one scratch copy of a rewriting edit: holds the original text, terminator included, while
// the text itself is cleared so that a shorter result leaves only zeros behind it.
// Null when the heap refuses; the text is then untouched.
char* TakeScratchCopy(char* text) {
    const std::size_t length = std::strlen(text);
    auto* copy = static_cast<char*>(TxtAlloc(length + 1));
    if (copy == nullptr) {
        return nullptr;
    }
    std::memcpy(copy, text, length + 1);
    std::memset(text, 0, length);
    return copy;
}

// Writes `source` into `text` with every leftmost non-overlapping occurrence of `pattern`
// replaced by `replacement`, then the terminator.
void WriteReplaced(char* text, const char* source, const char* pattern, const char* replacement) {
    const std::size_t patternLength = std::strlen(pattern);
    const std::size_t replacementLength = std::strlen(replacement);
    char* out = text;
    const char* in = source;
    while (*in != '\0') {
        if (MatchesAt(in, pattern, patternLength)) {
            std::memcpy(out, replacement, replacementLength);
            out += replacementLength;
            in += patternLength;
        } else {
            *out++ = *in++;
        }
    }
    *out = '\0';
}

} // namespace

int TxtGetField(const char* text, char delim, int index, char* out) {
    if (index < 1) {
        return -1;
    }
    int result = -1;
    int field = 1;
    for (const char* in = text; *in != '\0'; ++in) {
        if (*in == delim) {
            // Nothing past the requested field is read.
            if (++field > index) {
                break;
            }
        } else if (field == index) {
            *out++ = *in;
            result = 0;
        }
    }
    return result;
}

int TxtTrimLeft(char* text, char ch) {
    char* copy = TakeScratchCopy(text);
    if (copy == nullptr) {
        return TXT_ENOMEM;
    }
    const char* in = copy;
    // The terminator check keeps a NUL `ch` from running past the end.
    while (*in != '\0' && *in == ch) {
        ++in;
    }
    std::strcpy(text, in);
    TxtFree(copy);
    return 0;
}

void TxtTrimRight(char* text, char ch) {
    std::size_t length = std::strlen(text);
    while (length > 0 && text[length - 1] == ch) {
        text[--length] = '\0';
    }
}

void TxtTrim(char* text, char ch) {
    // A left trim without memory must not keep the right side from being trimmed.
    (void)TxtTrimLeft(text, ch);
    TxtTrimRight(text, ch);
}

int TxtRemove(char* text, const char* pattern) {
    return TxtReplace(text, pattern, "");
}

int TxtCountChar(const char* text, char ch) {
    int count = 0;
    for (const char* in = text; *in != '\0'; ++in) {
        if (*in == ch) {
            ++count;
        }
    }
    return count;
}

int TxtCount(const char* text, const char* pattern) {
    const std::size_t patternLength = std::strlen(pattern);
    // An empty pattern would match everywhere without consuming a byte.
    if (patternLength == 0) {
        return 0;
    }
    int count = 0;
    const char* in = text;
    while (*in != '\0') {
        if (MatchesAt(in, pattern, patternLength)) {
            ++count;
            in += patternLength;
        } else {
            ++in;
        }
    }
    return count;
}

void TxtReplaceChar(char* text, char from, char to) {
    for (char* at = text; *at != '\0'; ++at) {
        if (*at == from) {
            *at = to;
        }
    }
}

int TxtReplace(char* text, const char* pattern, const char* replacement) {
    // An empty pattern would match everywhere without consuming a byte: nothing to replace.
    if (*pattern == '\0') {
        return 0;
    }
    char* copy = TakeScratchCopy(text);
    if (copy == nullptr) {
        return TXT_ENOMEM;
    }
    WriteReplaced(text, copy, pattern, replacement);
    TxtFree(copy);
    return 0;
}

int TxtSqueeze(char* text, char ch) {
    char* copy = TakeScratchCopy(text);
    if (copy == nullptr) {
        return TXT_ENOMEM;
    }
    char* out = text;
    for (const char* in = copy; *in != '\0'; ++in) {
        if (*in != ch || in == copy || in[-1] != ch) {
            *out++ = *in;
        }
    }
    TxtFree(copy);
    return 0;
}

int TxtCheckParens(const char* text) {
    int depth = 0;
    for (const char* in = text; *in != '\0'; ++in) {
        if (*in == '(') {
            ++depth;
        } else if (*in == ')' && --depth < 0) {
            return -1;
        }
    }
    return depth == 0 ? 0 : -1;
}
