#include "platform/qt_text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The code page's own tables are checked with the text unit; these rows check the way from
// Qt's UTF-16 there and back.
TEST(QtTextTest, ConvertsAtTheEdge) {
    const std::tuple<const char*, QString, std::string, bool> rows[] = {
        {"kanji, back the same", QString::fromUtf16(u"日本語"), "\x93\xfa\x96\x7b\x8c\xea", true},
        {"missing", QString::fromUtf16(u"a€b"), "a?b", false},
        {"surrogate pair is one '?'", QString::fromUtf16(u"a😀b"), "a?b", false},
        {"lone surrogate", QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b"), "a?b", false},
    };
    for (const auto& [name, unicode, cp932, back] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(PfToCp932(unicode), cp932);
        EXPECT_EQ(PfFromCp932(cp932) == unicode, back);
    }
    // Text from elsewhere may carry the NEC-selected duplicate of an IBM character.
    EXPECT_EQ(PfFromCp932("\xee\xef"), QString::fromUtf16(u"ⅰ"));
}

} // namespace
