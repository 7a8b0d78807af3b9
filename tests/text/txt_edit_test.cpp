#include "tests/text/text_buffer.h"
#include "text/txt.h"

namespace {

// Field copies, trims, squeezes and counts of characters are compared with plain string rules by
// the fuzz target text_edits, whose corpus the tests replay.

TEST(TxtReplace, RemoveAndCountFindLeftmostNonOverlappingOccurrences) {
    // name, text, pattern, replacement, replaced, removed, count
    const std::tuple<const char*, const char*, const char*, const char*, const char*, const char*,
                     int>
        rows[] = {
            {"overlapping candidates", "aaa", "aa", "b", "ba", "a", 1},
            {"near miss then match", "aab", "ab", "X", "aX", "a", 1},
            {"pattern cut off at the end", "ab", "abc", "", "ab", "ab", 0},
            {"inserted text not rescanned", "a", "a", "aa", "aa", "", 1},
            {"trail byte matches", "\x83@x", "@", "!", "\x83!x", "\x83x", 1},
            {"empty pattern matches nothing", "abc", "", "x", "abc", "abc", 0},
        };
    for (const auto& [name, text, pattern, replacement, replaced, removed, count] : rows) {
        SCOPED_TRACE(name);
        // The bytes after the terminator are the caller's: a text that grows must end itself.
        std::string grown = std::string(text) + '\0' + std::string(TEXT_ARRAY_SIZE, '#');
        EXPECT_EQ(TxtReplace(grown.data(), pattern, replacement), 0);
        EXPECT_STREQ(grown.c_str(), replaced);
        std::string shrunk = TextArray(text);
        EXPECT_EQ(TxtRemove(shrunk.data(), pattern), 0);
        EXPECT_STREQ(shrunk.c_str(), removed);
        EXPECT_TRUE(ZeroAfterText(shrunk));
        EXPECT_EQ(TxtCount(text, pattern), count);
    }
}

} // namespace
