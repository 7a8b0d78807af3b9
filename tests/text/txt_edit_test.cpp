#include "tests/text/text_buffer.h"
#include "text/txt.h"

namespace {

struct CFieldRow {
    const char *name, *text;
    char delim;
    int index, result;
    const char* out;
};

TEST(TxtGetField, CopiesOneFieldWithoutMergingDelimiters) {
    const CFieldRow rows[] = {
        {"first of two spaces", "a  b", ' ', 1, 0, "a"},
        {"empty between spaces", "a  b", ' ', 2, -1, ""},
        {"after empty field", "a  b", ' ', 3, 0, "b"},
        {"index past last", "a,b", ',', 3, -1, ""},
        {"trail byte delimits", "A\x83||B", '|', 1, 0, "A\x83"},
    };
    ForEachRow(rows, [](const CFieldRow& row) {
        CTextBuffer out("");
        EXPECT_EQ(TxtGetField(row.text, row.delim, row.index, out.Data()), row.result);
        EXPECT_EQ(out.Text(), row.out);
    });
    // No terminator after the delimiter: reading on would leave the array.
    const char unterminated[] = {'a', ','};
    CTextBuffer out("");
    EXPECT_EQ(TxtGetField(unterminated, ',', 1, out.Data()), 0);
}

struct CShortenRow {
    const char *name, *text, *left, *right, *both, *squeezed;
};

TEST(TxtShorteningEdits, TrimAndSqueezeLeaveOnlyZerosBehind) {
    const CShortenRow rows[] = {
        {"runs everywhere", "xxaxxbxx", "axxbxx", "xxaxxb", "axxb", "xaxbx"},
        {"only x", "xxx", "", "", "", "x"},
        {"empty", "", "", "", "", ""},
        {"no run", "axb", "axb", "axb", "axb", "axb"},
    };
    ForEachRow(rows, [](const CShortenRow& row) {
        const auto check = [&](const char* expected, auto edit) {
            // The text starts one byte into the array: that 'x' must survive every edit.
            CTextBuffer buffer(std::string("x") + row.text);
            edit(buffer.Data() + 1);
            EXPECT_EQ(buffer.Text(), std::string("x") + expected);
            EXPECT_TRUE(buffer.ZeroAfterText());
        };
        check(row.left, [](char* text) { EXPECT_EQ(TxtTrimLeft(text, 'x'), 0); });
        check(row.right, [](char* text) { TxtTrimRight(text, 'x'); });
        check(row.both, [](char* text) { TxtTrim(text, 'x'); });
        check(row.squeezed, [](char* text) { EXPECT_EQ(TxtSqueeze(text, 'x'), 0); });
    });
}

struct CPatternRow {
    const char *name, *text, *pattern, *replacement, *replaced, *removed;
    int count;
};

TEST(TxtReplace, RemoveAndCountFindLeftmostNonOverlappingOccurrences) {
    const CPatternRow rows[] = {
        {"overlapping candidates", "aaa", "aa", "b", "ba", "a", 1},
        {"adjacent occurrences", "aaaa", "aa", "b", "bb", "", 2},
        {"near miss then match", "aab", "ab", "X", "aX", "a", 1},
        {"pattern cut off at the end", "ab", "abc", "", "ab", "ab", 0},
        {"inserted text not rescanned", "a", "a", "aa", "aa", "", 1},
        {"line ends widened", "a\nb\n", "\n", "\r\n", "a\r\nb\r\n", "ab", 2},
        {"trail byte matches", "\x83@x", "@", "!", "\x83!x", "\x83x", 1},
        {"empty pattern matches nothing", "abc", "", "x", "abc", "abc", 0},
    };
    ForEachRow(rows, [](const CPatternRow& row) {
        CTextBuffer replaced(row.text);
        // The bytes after the terminator are the caller's: a text that grows must end itself.
        std::fill(replaced.m_szText.begin() + std::strlen(row.text) + 1, replaced.m_szText.end(),
                  '#');
        EXPECT_EQ(TxtReplace(replaced.Data(), row.pattern, row.replacement), 0);
        EXPECT_EQ(replaced.Text(), row.replaced);
        CTextBuffer removed(row.text);
        EXPECT_EQ(TxtRemove(removed.Data(), row.pattern), 0);
        EXPECT_EQ(removed.Text(), row.removed);
        EXPECT_TRUE(removed.ZeroAfterText());
        EXPECT_EQ(TxtCount(row.text, row.pattern), row.count);
    });
}

struct CParensRow {
    const char *name, *text;
    int result;
};

TEST(TxtCheckParens, BalancedOnlyWhenNoCloseComesFirst) {
    const CParensRow rows[] = {
        {"close before open", ")(", -1},
        {"one left open", "(()", -1},
        {"dips below zero", "())(", -1},
        {"two pairs", "(a)(b)", 0},
    };
    ForEachRow(rows,
               [](const CParensRow& row) { EXPECT_EQ(TxtCheckParens(row.text), row.result); });
    // No terminator: only stopping at once keeps the scan inside the array.
    const char unterminated[] = {')'};
    EXPECT_EQ(TxtCheckParens(unterminated), -1);
}

} // namespace
