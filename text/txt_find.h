#pragma once

#include <cstddef>
#include <cstring>

// The first position at or after `at` where all `length` bytes of `pattern` stand before the
// text's terminator, or null. `pattern` must be non-empty. Positions whose byte differs from the
// pattern's first byte are passed over by strchr, which tests many bytes at a time; every other
// position is compared in full, so the result is that of a byte-by-byte scan.
inline const char* TxtFindFrom(const char* at, const char* pattern, std::size_t length) {
    for (at = std::strchr(at, pattern[0]); at != nullptr; at = std::strchr(at + 1, pattern[0])) {
        // The terminator never equals a pattern byte, so the comparison stops at it.
        std::size_t matched = 1;
        while (matched < length && at[matched] == pattern[matched]) {
            ++matched;
        }
        if (matched == length) {
            return at;
        }
    }
    return nullptr;
}
