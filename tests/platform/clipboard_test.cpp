#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

#include <tuple>

namespace {

// The paste command's limit: its 2048-byte array less the terminator.
constexpr qsizetype PASTE_MAX = 2047;

// The limit counts code page 932 bytes: a kanji two, a half-width katakana (three UTF-8 bytes)
// one, and a character the code page lacks, a surrogate pair or a lone surrogate, one '?'.
TEST(ClipboardTest, ReadIsCutAtMaxBytesWithoutSplittingACharacter) {
    const QString a(PASTE_MAX, 'a');
    const std::tuple<const char*, QString, std::string> rows[] = {
        {"kanji ends at the limit", a.left(PASTE_MAX - 2) + u'日',
         std::string(2045, 'a') + "\x93\xfa"},
        {"kanji ends one past", a.left(PASTE_MAX - 1) + u'日', std::string(2046, 'a')},
        {"half-width katakana", QString(PASTE_MAX + 1, u'ｱ'), std::string(PASTE_MAX, '\xb1')},
        {"emoji", QString::fromUtf16(u"😀").repeated(PASTE_MAX + 1), std::string(PASTE_MAX, '?')},
        {"lone surrogate", "a" + QString(QChar(0xD800)) + "b", "a?b"},
    };
    for (const auto& [name, clipboard, read] : rows) {
        QGuiApplication::clipboard()->setText(clipboard);
        std::string text = "stale";
        ASSERT_EQ(ClipReadText(&text, PASTE_MAX), CLIP_OK) << name;
        EXPECT_EQ(text, read) << name;
    }
}

// Whatever the clipboard held goes; an empty text is not placed and leaves it as it was.
TEST(ClipboardTest, WriteLeavesPlainTextOnlyWithLfLineEnds) {
    const std::tuple<std::string, const char16_t*> rows[] = {
        {"/*\r\n * f\r\n */\r\n", u"/*\n * f\n */\n"},
        {"a\rb\nc\r\r\n\x93\xfa\x81\x60\xb1", u"a\rb\nc\r\n日～ｱ"},
        {"", u"kept"},
    };
    for (const auto& [cp932, placed] : rows) {
        auto* before = new QMimeData;
        before->setText("kept");
        before->setData("application/x-other", "data");
        QGuiApplication::clipboard()->setMimeData(before);
        EXPECT_EQ(ClipWriteText(cp932), !cp932.empty());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf16(placed));
        EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->formats().size(),
                  cp932.empty() ? 2 : 1);
    }
}

} // namespace
