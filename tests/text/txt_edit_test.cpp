#include "tests/text/text_buffer.h"
#include "text/txt.h"

namespace {

struct CFieldRow {
    const char* name;
    const char* text;
    char delim;
    int index;
    int result;
    const char* out;
};

TEST(TxtGetField, CopiesOneFieldWithoutMergingDelimiters) {
    const CFieldRow rows[] = {
        {"first of two spaces", "a  b", ' ', 1, 0, "a"},
        {"empty between spaces", "a  b", ' ', 2, -1, ""},
        {"after empty field", "a  b", ' ', 3, 0, "b"},
        {"trailing delimiter", "a,", ',', 2, -1, ""},
        {"index past last", "a,b", ',', 3, -1, ""},
        {"trail byte delimits", "A\x83||B", '|', 1, 0, "A\x83"},
        {"between trail byte and bar", "A\x83||B", '|', 2, -1, ""},
        {"after the bar", "A\x83||B", '|', 3, 0, "B"},
    };
    ForEachRow(rows, [](const CFieldRow& row) {
        CTextBuffer out("");
        EXPECT_EQ(TxtGetField(row.text, row.delim, row.index, out.Data()), row.result);
        EXPECT_EQ(out.Text(), row.out);
    });
}

TEST(TxtGetField, ReadsNothingPastTheRequestedField) {
    // No terminator after the delimiter: reading on would leave the array.
    const char text[] = {'a', ','};
    CTextBuffer out("");
    EXPECT_EQ(TxtGetField(text, ',', 1, out.Data()), 0);
    EXPECT_EQ(out.Text(), "a");
}

TEST(TxtTrim, DropsRunsOfTheCharacterOnEachSide) {
    const CTextRow left[] = {
        {"leading run", "xxab", "ab"}, {"only x", "xxx", ""}, {"empty", "", ""}};
    CheckEdits(left, [](char* text) { EXPECT_EQ(TxtTrimLeft(text, 'x'), 0); });
    const CTextRow right[] = {{"trailing run", "axbxx", "axb"}, {"only x", "xxx", ""}};
    CheckEdits(right, [](char* text) { TxtTrimRight(text, 'x'); });
    const CTextRow both[] = {{"both sides", "xaxbx", "axb"}, {"left only", "xaxb", "axb"}};
    CheckEdits(both, [](char* text) { TxtTrim(text, 'x'); });
}

TEST(TxtTrimRight, NeverTouchesTheByteBeforeTheText) {
    CTextBuffer buffer("xxxx");
    TxtTrimRight(buffer.Data() + 1, 'x');
    EXPECT_EQ(buffer.Text(), "x");
}

struct CPatternRow {
    const char* name;
    const char* text;
    const char* pattern;
    const char* replacement;
    const char* replaced;
    const char* removed;
    int count;
};

TEST(TxtReplace, RemoveAndCountFindLeftmostNonOverlappingOccurrences) {
    const CPatternRow rows[] = {
        {"overlapping candidates", "aaa", "aa", "b", "ba", "a", 1},
        {"adjacent occurrences", "aaaa", "aa", "b", "bb", "", 2},
        {"pattern cut off at the end", "ab", "abc", "", "ab", "ab", 0},
        {"inserted text not rescanned", "a", "a", "aa", "aa", "", 1},
        {"line ends widened", "a\nb\n", "\n", "\r\n", "a\r\nb\r\n", "ab", 2},
        {"trail byte matches", "\x83@x", "@", "!", "\x83!x", "\x83x", 1},
        {"empty pattern matches nothing", "abc", "", "x", "abc", "abc", 0},
    };
    ForEachRow(rows, [](const CPatternRow& row) {
        CTextBuffer replaced(row.text);
        EXPECT_EQ(TxtReplace(replaced.Data(), row.pattern, row.replacement), 0);
        EXPECT_EQ(replaced.Text(), row.replaced);
        CTextBuffer removed(row.text);
        EXPECT_EQ(TxtRemove(removed.Data(), row.pattern), 0);
        EXPECT_EQ(removed.Text(), row.removed);
        EXPECT_TRUE(removed.ZeroAfterText());
        EXPECT_EQ(TxtCount(row.text, row.pattern), row.count);
    });
}

TEST(TxtSqueeze, KeepsTheFirstByteOfEachRun) {
    const CTextRow rows[] = {
        {"inner and trailing runs", "a   b  ", "a b "},
        {"only spaces", "   ", " "},
        {"empty", "", ""},
    };
    CheckEdits(rows, [](char* text) { EXPECT_EQ(TxtSqueeze(text, ' '), 0); });
}

struct CParensRow {
    const char* name;
    const char* text;
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
    const char text[] = {')'};
    EXPECT_EQ(TxtCheckParens(text), -1);
}

} // namespace
