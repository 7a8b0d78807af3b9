#include "tests/text/text_buffer.h"
#include "text/codepage.h"

#include <vector>

namespace {

// Which ways a row is converted: a replaced character cannot come back.
enum EWay { BOTH, TO_CP932, TO_UTF8 };

struct CConvertRow {
    const char* name;
    std::string utf8, cp932;
    EWay way;
};

TEST(TxtCodePage, ConvertsWithWindowsMappingsAndReplacesTheRest) {
    const CConvertRow rows[] = {
        {"ascii with backslash and tilde", "a\\~", "a\\~", BOTH},
        {"fullwidth tilde", "\uFF5E", "\x81\x60", BOTH},
        {"horizontal bar", "\u2015", "\x81\x5C", BOTH},
        {"NEC row 13 circled one", "\u2460", "\x87\x40", BOTH},
        {"IBM extension small roman one", "\u2170", "\xFA\x40", BOTH},
        {"half-width katakana", "\uFF71", "\xB1", BOTH},
        {"NUL inside", std::string("a\0b", 3), std::string("a\0b", 3), BOTH},
        {"character the code page lacks", "a\U0001F600z", "a?z", TO_CP932},
        {"stray continuation byte", "a\x80z", "a?z", TO_CP932},
        {"surrogate", "\xED\xA0\x80", "???", TO_CP932},
        {"cut short before ascii", "\xE3\x81Z", "?Z", TO_CP932},
        {"cut off at the end", "A\xE3\x81", "A?", TO_CP932},
        {"unassigned pair", "?z", "\x85\x40z", TO_UTF8},
        {"lone lead byte at the end", "a?", "a\x82", TO_UTF8},
        {"lead byte before a space", "? a", "\x81 a", TO_UTF8},
    };
    ForEachRow(rows, [](const CConvertRow& row) {
        if (row.way != TO_UTF8) {
            EXPECT_EQ(TxtUtf8ToCp932(row.utf8), row.cp932);
        }
        if (row.way != TO_CP932) {
            EXPECT_EQ(TxtCp932ToUtf8(row.cp932), row.utf8);
        }
    });
}

TEST(TxtUtf8ToCp932, WritesOnlyWholeCharactersThatFit) {
    // "a", hiragana a, a stray byte and an emoji: 1 + 2 + 1 + 1 bytes of code page 932.
    const std::string utf8 = "a\u3042\x80\U0001F600";
    const std::size_t rows[][2] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 4}, {utf8.size(), 5}};
    for (const auto& [outSize, written] : rows) {
        SCOPED_TRACE(outSize);
        // A guard byte after the caller's room shows any write past outSize.
        std::vector<char> out(outSize + 1, '#');
        // No room comes as a null pointer, as an empty vector's data() gives it.
        char* target = outSize == 0 ? nullptr : out.data();
        EXPECT_EQ(TxtUtf8ToCp932(utf8.data(), utf8.size(), target, outSize), written);
        EXPECT_EQ(std::string(out.data(), written), std::string("a\x82\xA0??", written));
        EXPECT_EQ(out[outSize], '#');
    }
}

struct CValidRow {
    const char *name, *bytes;
    bool valid;
};

TEST(TxtIsUtf8, AcceptsWellFormedAndCutOffText) {
    const CValidRow rows[] = {
        {"every length", "a\u00E9\u3042\U0001F600", true},
        {"cut off at the end", "a\xF0\x9F\x98", true},
        {"cut short inside", "\xE3\x81z", false},
        {"overlong two bytes", "\xC1\xBF", false},
        {"overlong three bytes", "\xE0\x9F\xBF", false},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", false},
        {"surrogate cut off", "\xED\xA0", false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false},
        {"code page 932 text", "\x82\xA0\x82\xA2", false},
    };
    ForEachRow(rows, [](const CValidRow& row) { EXPECT_EQ(TxtIsUtf8(row.bytes), row.valid); });
}

struct CCutRow {
    const char *name, *text;
    std::size_t max, length;
};

TEST(TxtCp932Cut, NeverSplitsADoubleByteCharacter) {
    const CCutRow rows[] = {
        {"ascii one past", "abcd", 3, 3},
        {"would split a pair", "a\x82\xA0", 2, 1},
        {"pair fits", "a\x82\xA0", 3, 3},
        {"trail byte in lead range", "\x82\x81z", 2, 2},
        {"lone lead at the end", "a\x82", 5, 2},
        {"half-width katakana is one byte", "\xB1\xB1", 1, 1},
    };
    ForEachRow(rows,
               [](const CCutRow& row) { EXPECT_EQ(TxtCp932Cut(row.text, row.max), row.length); });
    // The first and last byte of each lead range ('L') and their neighbours outside it.
    const std::string bytes = "\x80\x81\x9F\xA0\xDF\xE0\xFC\xFD", leads = "-LL--LL-";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        EXPECT_EQ(TxtIsLeadByte(static_cast<unsigned char>(bytes[i])), leads[i] == 'L') << i;
    }
}

} // namespace
