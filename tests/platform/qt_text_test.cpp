#include "platform/qt_text.h"

#include <gtest/gtest.h>

namespace {

TEST(QtTextTest, ConvertsAtTheEdge) {
    const struct {
        const char* name;
        const char16_t* unicode;
        const char* cp932;
        bool back; // converts back to the same text
    } rows[] = {
        {"Kanji", u"日本語", "\x93\xfa\x96\x7b\x8c\xea", true},
        // The wave dash and the bar are where plain Shift_JIS tables map elsewhere.
        {"WaveDashAndBar", u"～―", "\x81\x60\x81\x5c", true},
        {"NecCircledDigit", u"①", "\x87\x40", true},
        {"IbmSmallRoman", u"ⅰ", "\xfa\x40", true},
        {"HalfWidthKatakana", u"ｱｲｳﾞ", "\xb1\xb2\xb3\xde", true},
        {"Missing", u"a€b", "a?b", false},
        // A character beyond the basic plane is one '?', not one per UTF-16 unit.
        {"SurrogatePair", u"a😀b", "a?b", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString unicode = QString::fromUtf16(row.unicode);
        EXPECT_EQ(PfToCp932(unicode), row.cp932);
        EXPECT_EQ(PfFromCp932(row.cp932) == unicode, row.back);
    }
    // Text from elsewhere may carry the NEC-selected duplicate of an IBM character.
    EXPECT_EQ(PfFromCp932("\xee\xef"), QString::fromUtf16(u"ⅰ"));
    EXPECT_EQ(PfToCp932(QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b")), "a?b");
}

} // namespace
