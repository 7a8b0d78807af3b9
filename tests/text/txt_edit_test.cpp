#include "tests/text/text_buffer.h"
#include "text/txt.h"

namespace {

TEST(TxtGetField, CopiesOneFieldWithoutMergingDelimiters) {
    const std::tuple<const char*, const char*, char, int, int, const char*> rows[] = {
        {"empty between spaces", "a  b", ' ', 2, -1, ""},
        {"after empty field", "a  b", ' ', 3, 0, "b"},
        {"index past last", "a,b", ',', 3, -1, ""},
        {"trail byte delimits", "A\x83||B", '|', 1, 0, "A\x83"},
        {"index zero names no field", "a,b", ',', 0, -1, ""},
    };
    for (const auto& [name, text, delim, index, result, field] : rows) {
        std::string out = TextArray("");
        EXPECT_EQ(TxtGetField(text, delim, index, out.data()), result) << name;
        EXPECT_STREQ(out.c_str(), field) << name;
    }
}

// The text starts one byte into the array: that 'x' must survive every edit.
template <typename Edit> void ExpectShortened(const char* text, const char* expected, Edit edit) {
    std::string array = TextArray(std::string("x") + text);
    edit(array.data() + 1);
    EXPECT_EQ(array.c_str(), std::string("x") + expected) << text;
    EXPECT_TRUE(ZeroAfterText(array)) << text;
}

TEST(TxtShorteningEdits, TrimAndSqueezeLeaveOnlyZerosBehind) {
    const std::tuple<const char*, char, const char*, const char*, const char*, const char*> rows[] =
        {
            // text, character, trimmed left, right, both, squeezed
            {"xxaxxbxx", 'x', "axxbxx", "xxaxxb", "axxb", "xaxbx"},
            {"xxx", 'x', "", "", "", "x"},
            {"", 'x', "", "", "", ""},
            // The terminator is never trimmed, not even from an empty text.
            {"", '\0', "", "", "", ""},
            {"ab", '\0', "ab", "ab", "ab", "ab"},
        };
    for (const auto& [text, ch, left, right, both, squeezed] : rows) {
        const char c = ch;
        ExpectShortened(text, left, [c](char* t) { EXPECT_EQ(TxtTrimLeft(t, c), 0); });
        ExpectShortened(text, right, [c](char* t) { TxtTrimRight(t, c); });
        ExpectShortened(text, both, [c](char* t) { TxtTrim(t, c); });
        ExpectShortened(text, squeezed, [c](char* t) { EXPECT_EQ(TxtSqueeze(t, c), 0); });
    }
}

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
