#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

#include <tuple>

namespace {

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

// A paste's 2047 bytes: a kanji is two, a half-width katakana one, and a character the code page
// lacks, whole or half a surrogate pair, one '?'; never half a character; NULs left out.
TEST(ClipboardTest, ReadGivesCodePage932CutBetweenCharacters) {
    const QChar nul(0);
    const std::tuple<const char*, QString, std::string> rows[] = {
        {"kanji ends the text", QString(2045, 'a') + QChar(u'日'),
         std::string(2045, 'a') + "\x93\xfa"},
        {"kanji one past the text", QString(2046, 'a') + QChar(u'日'), std::string(2046, 'a')},
        {"half-width katakana", QString(2048, u'ｱ'), std::string(2047, '\xb1')},
        {"emoji", QString::fromUtf16(u"😀").repeated(2048), std::string(2047, '?')},
        {"lone surrogate", "a" + QString(QChar(0xD800)) + "b", "a?b"},
        {"NUL characters", QString(4096, nul) + "f(" + nul + "a)" + nul, "f(a)"},
    };
    for (const auto& [name, text, cp932] : rows) {
        QGuiApplication::clipboard()->setText(text);
        std::string read = "stale";
        EXPECT_EQ(ClipReadText(&read, 2047), CLIP_OK) << name;
        EXPECT_EQ(read, cp932) << name;
    }
    QGuiApplication::clipboard()->setImage(QImage(1, 1, QImage::Format_RGB32));
    std::string read;
    EXPECT_EQ(ClipReadText(&read, 2047), CLIP_NO_TEXT);
    QGuiApplication::clipboard()->clear(); // an emptied clipboard holds no data at all
    EXPECT_EQ(ClipReadText(&read, 2047), CLIP_NO_TEXT);
}

} // namespace
