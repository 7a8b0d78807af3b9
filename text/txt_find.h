#pragma once

#include <cstddef>
#include <cstring>

// Bytes looked at one by one before the search hands over to strchr.
constexpr std::size_t TXT_FIND_INLINE = 8;

// The first position at or after `at` where all `length` bytes of `pattern` stand before the
// text's terminator, or null. `pattern` must be non-empty. Positions whose byte differs from the
// pattern's first byte are passed over by strchr, which tests many bytes at a time; every other
// position is compared in full, so the result is that of a byte-by-byte scan.
inline const char* TxtFindFrom(const char* at, const char* pattern, std::size_t length) {
    for (;; ++at) {
        // The next few bytes are tested before strchr is called: where the first byte recurs
        // every few bytes (a run of line feeds, a tower of comment markers), a call for each
        // would cost more than it saves.
        if (*at != pattern[0]) {
            std::size_t near = 0;
            while (near < TXT_FIND_INLINE && at[near] != pattern[0] && at[near] != '\0') {
                ++near;
            }
            if (near < TXT_FIND_INLINE) {
                if (at[near] == '\0') {
                    return nullptr;
                }
                at += near;
            } else {
                at = std::strchr(at + near, pattern[0]);
                if (at == nullptr) {
                    return nullptr;
                }
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
