#include "text/txt.h"
#include "text/txt_alloc.h"
#include "text/txt_find.h"

#include <cstring>

namespace {

// The one scratch copy of a rewriting edit: holds the original text, terminator included, while
// the result is written over the text. Null when the heap refuses; the text is then untouched.
char* TakeScratchCopy(const char* text, std::size_t length) {
    auto* copy = static_cast<char*>(TxtAlloc(length + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text, length + 1);
    }
    return copy;
}

// Clears what is left of the old text behind a shorter result, so that only zeros follow it.
// Only those bytes are written: clearing the whole text first would go over it twice.
void ClearTail(char* text, std::size_t newLength, std::size_t oldLength) {
    if (newLength < oldLength) {
        std::memset(text + newLength, 0, oldLength - newLength);
    }
}

// Writes `source` into `text` with every leftmost non-overlapping occurrence of `pattern`
// replaced by `replacement`, then the terminator; returns the new length. The bytes between
// occurrences go in blocks.
std::size_t WriteReplaced(char* text, const char* source, const char* pattern,
                          const char* replacement) {
    const std::size_t patternLength = std::strlen(pattern);
    const std::size_t replacementLength = std::strlen(replacement);
    char* out = text;
    const char* in = source;
    for (const char* hit = TxtFindFrom(in, pattern, patternLength); hit != nullptr;
         hit = TxtFindFrom(in, pattern, patternLength)) {
        const auto kept = static_cast<std::size_t>(hit - in);
        std::memcpy(out, in, kept);
        out += kept;
        std::memcpy(out, replacement, replacementLength);
        out += replacementLength;
        in = hit + patternLength;
    }
    const std::size_t rest = std::strlen(in);
    std::memcpy(out, in, rest + 1);
    return static_cast<std::size_t>(out - text) + rest;
}

} // namespace

int TxtGetField(const char* text, char delim, int index, char* out) {
    // An index below 1 needs no test of its own: no field is numbered so, and the first
    // delimiter ends the walk.
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
    const std::size_t length = std::strlen(text);
    char* copy = TakeScratchCopy(text, length);
    if (copy == nullptr) {
        return TXT_ENOMEM;
    }
    const char* in = copy;
    // The terminator check keeps a NUL `ch` from running past the end.
    while (*in != '\0' && *in == ch) {
        ++in;
    }
    const auto kept = length - static_cast<std::size_t>(in - copy);
    std::memcpy(text, in, kept + 1);
    ClearTail(text, kept, length);
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
    for (const char* hit = TxtFindFrom(text, pattern, patternLength); hit != nullptr;
         hit = TxtFindFrom(hit + patternLength, pattern, patternLength)) {
        ++count;
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
    const std::size_t length = std::strlen(text);
    char* copy = TakeScratchCopy(text, length);
    if (copy == nullptr) {
        return TXT_ENOMEM;
    }
    ClearTail(text, WriteReplaced(text, copy, pattern, replacement), length);
    TxtFree(copy);
    return 0;
}

int TxtSqueeze(char* text, char ch) {
    const std::size_t length = std::strlen(text);
    char* copy = TakeScratchCopy(text, length);
    if (copy == nullptr) {
        return TXT_ENOMEM;
    }
    char* out = text;
    for (const char* in = copy; *in != '\0'; ++in) {
        if (*in != ch || in == copy || in[-1] != ch) {
            *out++ = *in;
        }
    }
    ClearTail(text, static_cast<std::size_t>(out - text), length + 1);
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
