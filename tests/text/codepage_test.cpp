#include "tests/text/text_buffer.h"
#include "text/codepage.h"

#include <vector>

namespace {

TEST(TxtCodePage, WindowsMappingsRoundTrip) {
    // text: UTF-8, expected: code page 932.
    const CTextRow rows[] = {
        {"ascii with backslash and tilde", "a\\~", "a\\~"},
        {"fullwidth tilde", "\uFF5E", "\x81\x60"},
        {"horizontal bar", "\u2015", "\x81\x5C"},
        {"NEC row 13 circled one", "\u2460", "\x87\x40"},
        {"IBM extension small roman one", "\u2170", "\xFA\x40"},
        {"half-width katakana", "\uFF71", "\xB1"},
        {"NUL inside", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    ForEachRow(rows, [](const CTextRow& row) {
        EXPECT_EQ(TxtUtf8ToCp932(row.text), row.expected);
        EXPECT_EQ(TxtCp932ToUtf8(row.expected), row.text);
    });
}

TEST(TxtUtf8ToCp932, ReplacesWhatCannotBeConverted) {
    const CTextRow rows[] = {
        {"character the code page lacks", "a\U0001F600b", "a?b"},
        {"stray continuation byte",
         "a\x80"
         "b",
         "a?b"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"cut short before ascii",
         "\xE3\x81"
         "A",
         "?A"},
        {"cut off at the end", "A\xE3\x81", "A?"},
    };
    ForEachRow(rows,
               [](const CTextRow& row) { EXPECT_EQ(TxtUtf8ToCp932(row.text), row.expected); });
}

TEST(TxtUtf8ToCp932, WritesOnlyWholeCharactersThatFit) {
    // "a", hiragana a and an emoji: 1 + 2 + 1 bytes of code page 932.
    const std::string utf8 = "a\u3042\U0001F600";
    const std::size_t rows[][2] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 4}, {utf8.size(), 4}};
    for (const auto& [outSize, written] : rows) {
        SCOPED_TRACE(outSize);
        // A guard byte after the caller's room shows any write past outSize.
        std::vector<char> out(outSize + 1, '#');
        EXPECT_EQ(TxtUtf8ToCp932(utf8.data(), utf8.size(), out.data(), outSize), written);
        EXPECT_EQ(std::string(out.data(), written), std::string("a\x82\xA0?", written));
        EXPECT_EQ(out[outSize], '#');
    }
}

TEST(TxtUtf8ToCp932, TakesAnEmptyArrayWithoutAPointer) {
    // An empty std::vector's data() is null: no room means no conversion at all.
    std::vector<char> out;
    EXPECT_EQ(TxtUtf8ToCp932("a\xE3\x81\x82", 4, out.data(), out.size()), 0u);
}

TEST(TxtCp932ToUtf8, ReplacesBytesThatAreNoCharacter) {
    const CTextRow rows[] = {
        {"unassigned pair",
         "\x85\x40"
         "a",
         "?a"},
        {"lone lead byte at the end", "a\x82", "a?"},
        {"lead byte before a space", "\x81 a", "? a"},
    };
    ForEachRow(rows,
               [](const CTextRow& row) { EXPECT_EQ(TxtCp932ToUtf8(row.text), row.expected); });
}

struct CValidRow {
    const char* name;
    const char* bytes;
    bool valid;
};

TEST(TxtIsUtf8, AcceptsWellFormedAndCutOffText) {
    const CValidRow rows[] = {
        {"every length", "a\u00E9\u3042\U0001F600", true},
        {"cut off at the end", "a\xF0\x9F\x98", true},
        {"cut short inside",
         "\xE3\x81"
         "a",
         false},
        {"overlong", "\xE0\x9F\xBF", false},
        {"surrogate cut off", "\xED\xA0", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"code page 932 text", "\x82\xA0\x82\xA2", false},
    };
    ForEachRow(rows, [](const CValidRow& row) { EXPECT_EQ(TxtIsUtf8(row.bytes), row.valid); });
}

struct CCutRow {
    const char* name;
    const char* text;
    std::size_t max;
    std::size_t length;
};

TEST(TxtCp932Cut, NeverSplitsADoubleByteCharacter) {
    const CCutRow rows[] = {
        {"ascii one past", "abcd", 3, 3},
        {"would split a pair", "a\x82\xA0", 2, 1},
        {"pair fits", "a\x82\xA0", 3, 3},
        {"trail byte in lead range",
         "\x82\x81"
         "a",
         2, 2},
        {"lone lead at the end", "a\x82", 5, 2},
        {"half-width katakana is one byte", "\xB1\xB1", 1, 1},
    };
    ForEachRow(rows,
               [](const CCutRow& row) { EXPECT_EQ(TxtCp932Cut(row.text, row.max), row.length); });
}

} // namespace
