#pragma once

#include <cstddef>
#include <cstring>

// The first position at or after `at` where all `length` bytes of `pattern` stand before the
// text's terminator, or null. `pattern` must be non-empty. Positions whose byte differs from the
// pattern's first byte are passed over by strchr, which tests many bytes at a time; every other
// position is compared in full, so the result is that of a byte-by-byte scan.
inline const char* TxtFindFrom(const char* at, const char* pattern, std::size_t length) {
    for (;; ++at) {
        // The byte at hand is tested before strchr is called: where occurrences follow one
        // another (a run of line feeds), that saves a call for each.
        if (*at != pattern[0]) {
            at = std::strchr(at, pattern[0]);
            if (at == nullptr) {
                return nullptr;
            }
        }
        // The terminator never equals a pattern byte, so the comparison stops at it.
        std::size_t matched = 1;
        while (matched < length && at[matched] == pattern[matched]) {
            ++matched;
        }
        if (matched == length) {
            return at;
        }
    }
}
