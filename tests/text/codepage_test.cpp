#include "row_file.h"
#include "text/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(TxtCodePage, ConvertsWithWindowsMappingsAndReplacesTheRest) {
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"ascii with backslash and tilde", "a\\~", "a\\~"},
        {"fullwidth tilde", "\uFF5E", "\x81\x60"},
        {"half-width katakana, three UTF-8 bytes each", "\uFF71\uFF9D", "\xB1\xDD"},
        {"NEC row 13 circled one", "\u2460", "\x87\x40"},
        {"NUL inside", std::string("a\0b", 3), std::string("a\0b", 3)},
        {"character the code page lacks", "a\U0001F600z", "a?z"},
        {"cut short before ascii", "\xE3\x81Z", "?Z"},
        {"lone lead byte at the end", "a?", "a\x82"},
        {"unmapped pairs, trail bytes at the range ends", "?b??",
         "\x85\x40"
         "b\x85\x80\x85\xFC"},
        {"lead byte before bytes no pair ends in", "?;?\x7F??", "\x85;\x85\x7F\x85\xFD"},
    };
    // A '?' on one side replaces a character, which cannot come back.
    for (const auto& [name, utf8, cp932] : rows) {
        if (utf8.find('?') == std::string::npos) {
            EXPECT_EQ(TxtUtf8ToCp932(utf8), cp932) << name;
        }
        if (cp932.find('?') == std::string::npos) {
            EXPECT_EQ(TxtCp932ToUtf8(cp932), utf8) << name;
        }
        // A character that comes back as '?' is listed as changed; the text is read to its end
        // only.
        const std::vector<char> exact(utf8.begin(), utf8.end());
        EXPECT_EQ(TxtCp932Changes({exact.data(), exact.size()}).empty(),
                  cp932.find('?') == std::string::npos)
            << name;
    }
    // Only a lead byte takes a trail byte along ('@' after 0xFD stays), '~' is a trail byte and
    // '?' is not; a lead byte at the end of the text takes nothing, whatever lies behind it.
    EXPECT_EQ(TxtCp932ToUtf8("\xFD@\x85?\x85~"), "?@???");
    EXPECT_EQ(TxtCp932ToUtf8(std::string_view("a\x82x", 2)), "a?");
}

TEST(TxtUtf8ToCp932, WritesOnlyWholeCharactersThatFit) {
    // "a", hiragana a, a stray byte and an emoji: 1 + 2 + 1 + 1 bytes of code page 932.
    const std::string utf8 = "a\u3042\x80\U0001F600";
    const std::size_t rows[][2] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 4}, {utf8.size(), 5}};
    for (const auto& [outSize, written] : rows) {
        // A guard byte after the caller's room shows any write past it; no room comes as null.
        std::vector<char> out(outSize + 1, '#');
        char* target = outSize == 0 ? nullptr : out.data();
        EXPECT_EQ(TxtUtf8ToCp932(utf8.data(), utf8.size(), target, outSize), written);
        EXPECT_EQ(std::string(out.data(), written), std::string("a\x82\xA0??", written));
        EXPECT_EQ(out[outSize], '#') << outSize;
    }
}

TEST(TxtIsUtf8, AcceptsWellFormedAndCutOffText) {
    for (const CFieldRow& row : ReadFieldRows(TEXT_TEST_DATA "utf8.txt", {"bytes", "utf8"})) {
        EXPECT_EQ(TxtIsUtf8(row["bytes"]), row["utf8"] != "no") << row.m_strWhere;
        EXPECT_EQ(TxtIsCompleteUtf8(row["bytes"]), row["utf8"] == "whole") << row.m_strWhere;
    }
}

TEST(TxtCp932Cut, NeverSplitsADoubleByteCharacter) {
    const std::tuple<const char*, const char*, std::size_t, std::size_t> rows[] = {
        {"would split a pair", "a\x82\xA0", 2, 1},
        {"pair fits", "a\x82\xA0", 3, 3},
        {"trail byte in lead range", "\x82\x81z", 2, 2},
        {"lone lead byte at the end", "ab\x82", 3, 3},
    };
    for (const auto& [name, text, max, length] : rows) {
        EXPECT_EQ(TxtCp932Cut(text, max), length) << name;
    }
    // The first and last byte of each lead range ('L') and their neighbours outside it.
    const std::string bytes = "\x80\x81\x9F\xA0\xDF\xE0\xFC\xFD", leads = "-LL--LL-";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        EXPECT_EQ(TxtIsLeadByte(static_cast<unsigned char>(bytes[i])), leads[i] == 'L') << i;
    }
}

} // namespace
