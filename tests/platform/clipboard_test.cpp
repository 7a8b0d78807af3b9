#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

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
    const std::string a(PASTE_MAX, 'a');
    const std::string kanji = "\x93\xfa"; // "日"
    const struct {
        const char* name;
        QString clipboard;
        std::string read;
    } rows[] = {
        {"Empty", QString(), ""},
        {"AsciiFull", Repeat(u"a", PASTE_MAX), a},
        {"AsciiOnePast", Repeat(u"a", PASTE_MAX + 1), a},
        // A double-byte character ending at byte maxBytes - 1, at maxBytes, and at maxBytes + 1,
        // where it is left out whole.
        {"KanjiEndsOneShort", Repeat(u"a", PASTE_MAX - 3) + u'日', a.substr(3) + kanji},
        {"KanjiEndsAtMax", Repeat(u"a", PASTE_MAX - 2) + u'日', a.substr(2) + kanji},
        {"KanjiEndsOnePast", Repeat(u"a", PASTE_MAX - 1) + u'日', a.substr(1)},
        // Three UTF-8 bytes but one code page byte each: the limit counts code page bytes.
        {"HalfWidthKatakana", Repeat(u"ｱ", PASTE_MAX + 1), std::string(PASTE_MAX, '\xb1')},
        // Missing characters count as their '?'; a surrogate pair is one of them.
        {"Emoji", Repeat(u"😀", PASTE_MAX + 1), std::string(PASTE_MAX, '?')},
        {"Huge", Repeat(u"a", 4 * 1024 * 1024), a},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Clipboard()->setText(row.clipboard);
        std::string read = "stale";
        ASSERT_EQ(ClipReadText(&read, PASTE_MAX), CLIP_OK);
        EXPECT_EQ(read, row.read);
    }
}

TEST(ClipboardTest, NoPlainTextIsReportedAsSuch) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (bool withImage : {false, true}) {
        Clipboard()->clear();
        if (withImage) {
            Clipboard()->setImage(image);
        }
        std::string read = "stale";
        EXPECT_EQ(ClipReadText(&read, PASTE_MAX), CLIP_NO_TEXT) << withImage;
        EXPECT_EQ(read, "");
    }
}

TEST(ClipboardTest, WriteTurnsCrLfIntoLfAndLeavesPlainTextOnly) {
    const struct {
        const char* name;
        std::string cp932;
        const char16_t* placed;
    } rows[] = {
        {"CrLf", "/*\r\n * f\r\n */\r\n", u"/*\n * f\n */\n"},
        {"LoneCrAndLfStay", "a\rb\nc\r\r\n", u"a\rb\nc\r\n"},
        {"Japanese", "\x93\xfa\x81\x60\r\n\xb1", u"日～\nｱ"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto* before = new QMimeData;
        before->setHtml(QStringLiteral("<b>old</b>"));
        before->setData(QStringLiteral("application/x-other"), "data");
        Clipboard()->setMimeData(before);

        ASSERT_TRUE(ClipWriteText(row.cp932));
        EXPECT_EQ(Clipboard()->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
        EXPECT_EQ(Clipboard()->text(), QString::fromUtf16(row.placed));
    }
}

TEST(ClipboardTest, EmptyWriteFailsAndKeepsTheClipboard) {
    Clipboard()->setText(QStringLiteral("kept"));
    EXPECT_FALSE(ClipWriteText(""));
    EXPECT_EQ(Clipboard()->text(), QStringLiteral("kept"));
}

} // namespace
