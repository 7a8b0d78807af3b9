#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

#include <tuple>

namespace {

// The paste command's limit: its 2048-byte array less the terminator.
constexpr std::size_t PASTE_MAX = 2047;

QClipboard* Clipboard() {
    return QGuiApplication::clipboard();
}

QString Repeat(const char16_t* piece, std::size_t count) {
    return QString::fromUtf16(piece).repeated(static_cast<qsizetype>(count));
}

TEST(ClipboardTest, ReadIsCutAtMaxBytesWithoutSplittingACharacter) {
    const std::string a(PASTE_MAX, 'a'), kanji = "\x93\xfa"; // "日"
    const std::tuple<const char*, QString, std::string> rows[] = {
        {"empty", QString(), ""},
        {"full", Repeat(u"a", PASTE_MAX), a},
        {"one past", Repeat(u"a", PASTE_MAX + 1), a},
        {"kanji ends one short", Repeat(u"a", PASTE_MAX - 3) + u'日', a.substr(3) + kanji},
        {"kanji ends at the limit", Repeat(u"a", PASTE_MAX - 2) + u'日', a.substr(2) + kanji},
        {"kanji ends one past", Repeat(u"a", PASTE_MAX - 1) + u'日', a.substr(1)},
        // Three UTF-8 bytes but one code page byte each: the limit counts code page bytes.
        {"half-width katakana", Repeat(u"ｱ", PASTE_MAX + 1), std::string(PASTE_MAX, '\xb1')},
        // A missing character counts as its '?', a surrogate pair as one.
        {"emoji", Repeat(u"😀", PASTE_MAX + 1), std::string(PASTE_MAX, '?')},
    };
    for (const auto& [name, clipboard, read] : rows) {
        SCOPED_TRACE(name);
        Clipboard()->setText(clipboard);
        std::string text = "stale";
        ASSERT_EQ(ClipReadText(&text, PASTE_MAX), CLIP_OK);
        EXPECT_EQ(text, read);
    }
    // An emptied clipboard, and one holding an image only.
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (const bool withImage : {false, true}) {
        Clipboard()->clear();
        if (withImage) {
            Clipboard()->setImage(image);
        }
        std::string text = "stale";
        EXPECT_EQ(ClipReadText(&text, PASTE_MAX), CLIP_NO_TEXT) << withImage;
        EXPECT_EQ(text, "");
    }
}

// Whatever the clipboard held goes; an empty text is not placed and leaves it as it was.
TEST(ClipboardTest, WriteLeavesPlainTextOnlyWithLfLineEnds) {
    const std::tuple<const char*, std::string, const char16_t*> rows[] = {
        {"CR LF", "/*\r\n * f\r\n */\r\n", u"/*\n * f\n */\n"},
        {"lone CR and LF stay", "a\rb\nc\r\r\n", u"a\rb\nc\r\n"},
        {"Japanese", "\x93\xfa\x81\x60\r\n\xb1", u"日～\nｱ"},
        {"empty", "", u"kept"},
    };
    for (const auto& [name, cp932, placed] : rows) {
        SCOPED_TRACE(name);
        auto* before = new QMimeData;
        before->setText(QStringLiteral("kept"));
        before->setData(QStringLiteral("application/x-other"), "data");
        Clipboard()->setMimeData(before);
        EXPECT_EQ(ClipWriteText(cp932), !cp932.empty());
        EXPECT_EQ(Clipboard()->text(), QString::fromUtf16(placed));
        EXPECT_EQ(Clipboard()->mimeData()->formats().size(), cp932.empty() ? 2 : 1);
    }
}

} // namespace
