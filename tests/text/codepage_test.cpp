#include "tests/text/text_buffer.h"
#include "text/codepage.h"

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
    // name, bytes, well-formed, well-formed to the last byte
    const std::tuple<const char*, const char*, bool, bool> rows[] = {
        {"every range's lowest and highest",
         "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEF\xBF\xBF"
         "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         true, true},
        {"a trail byte first", "\x80", false, false},
        {"C0 and C1 begin no character", "\xC1\xBF", false, false},
        {"trail byte below the range", "\xC2\x7F", false, false},
        {"trail byte above the range", "\xDF\xC0", false, false},
        {"third byte out of range", "\xE0\xA0\x7F", false, false},
        {"fourth byte out of range", "\xF4\x8F\xBF\xC0", false, false},
        {"cut off at the end", "a\xF0\x9F\x98", true, false},
        {"cut off after the lead byte", "a\xE3", true, false},
        {"cut short inside", "\xE3\x81z", false, false},
        {"overlong three bytes", "\xE0\x9F\xBF", false, false},
        {"surrogate cut off", "\xED\xA0", false, false},
        {"overlong four bytes", "\xF0\x8F\xBF\xBF", false, false},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false, false},
        {"lead byte past four", "\xF5\x80\x80\x80", false, false},
        {"code page 932 text", "\x82\xA0\x82\xA2", false, false},
    };
    for (const auto& [name, bytes, valid, complete] : rows) {
        EXPECT_EQ(TxtIsUtf8(bytes), valid) << name;
        EXPECT_EQ(TxtIsCompleteUtf8(bytes), complete) << name;
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
