#include "platform/qt_text.h"

#include <gtest/gtest.h>

namespace {

struct CodeRow {
    const char* name;
    const char16_t* unicode;
    const char* cp932;
};

// Characters whose code page 932 form is fixed: the wave dash and the bar are the ones a plain
// Shift_JIS table maps elsewhere, and the NEC and IBM rows are the vendor extensions.
const CodeRow EXACT_ROWS[] = {
    {"Empty", u"", ""},
    {"Ascii", u"int f(void)", "int f(void)"},
    {"Kanji", u"日本語", "\x93\xfa\x96\x7b\x8c\xea"},
    {"WaveDash", u"～", "\x81\x60"},
    {"HorizontalBar", u"―", "\x81\x5c"},
    {"NecCircledDigit", u"①", "\x87\x40"},
    {"IbmSmallRoman", u"ⅰ", "\xfa\x40"},
    {"IbmKanji", u"髙", "\xfb\xfc"},
    {"HalfWidthKatakana", u"ｱｲｳﾞ", "\xb1\xb2\xb3\xde"},
    {"Mixed", u"a～b①c",
     "a\x81\x60"
     "b\x87\x40"
     "c"},
};

TEST(QtTextTest, ConvertsBothWaysExactly) {
    for (const CodeRow& row : EXACT_ROWS) {
        SCOPED_TRACE(row.name);
        const QString unicode = QString::fromUtf16(row.unicode);
        EXPECT_EQ(PfToCp932(unicode), row.cp932);
        EXPECT_EQ(PfFromCp932(row.cp932), unicode);
    }
}

TEST(QtTextTest, ReadsTheNecSelectedDuplicateOfAnIbmCharacter) {
    // The same character has two codes; text written elsewhere may use the NEC-selected one.
    EXPECT_EQ(PfFromCp932("\xee\xef"), QString::fromUtf16(u"ⅰ"));
}

const CodeRow LOSS_ROWS[] = {
    {"EuroSign", u"a€b", "a?b"},
    // A character beyond the basic plane is one '?', not one per UTF-16 unit.
    {"SurrogatePair", u"a😀b", "a?b"},
    {"Hangul", u"한", "?"},
};

TEST(QtTextTest, MissingCharacterBecomesQuestionMark) {
    for (const CodeRow& row : LOSS_ROWS) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PfToCp932(QString::fromUtf16(row.unicode)), row.cp932);
    }
}

TEST(QtTextTest, LoneSurrogateBecomesQuestionMark) {
    QString text = QStringLiteral("ab");
    text.insert(1, QChar(0xD800));
    EXPECT_EQ(PfToCp932(text), "a?b");
}

} // namespace
