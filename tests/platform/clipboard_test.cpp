#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

// The paste command's limit: its 2048-byte array less the terminator.
constexpr std::size_t PASTE_MAX = 2047;

// "日" in code page 932.
const char* const KANJI_CP932 = "\x93\xfa";

void PutText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString Ascii(std::size_t count) {
    return QString(static_cast<qsizetype>(count), QLatin1Char('a'));
}

QString Repeat(const char16_t* piece, std::size_t count) {
    return QString::fromUtf16(piece).repeated(static_cast<qsizetype>(count));
}

struct CutRow {
    const char* name;
    QString clipboard;
    std::string expected;
};

TEST(ClipboardTest, ReadIsCutAtMaxBytesWithoutSplittingACharacter) {
    const std::string ascii(PASTE_MAX, 'a');
    const CutRow rows[] = {
        {"Empty", QString(), ""},
        {"AsciiOneShort", Ascii(PASTE_MAX - 1), ascii.substr(1)},
        {"AsciiFull", Ascii(PASTE_MAX), ascii},
        {"AsciiOnePast", Ascii(PASTE_MAX + 1), ascii},
        // A double-byte character ending at byte maxBytes - 1, at maxBytes, and one that would
        // end at maxBytes + 1 and so is left out whole.
        {"KanjiEndsOneShort", Ascii(PASTE_MAX - 3) + u'日', ascii.substr(3) + KANJI_CP932},
        {"KanjiEndsAtMax", Ascii(PASTE_MAX - 2) + u'日', ascii.substr(2) + KANJI_CP932},
        {"KanjiEndsOnePast", Ascii(PASTE_MAX - 1) + u'日' + u'x', ascii.substr(1)},
        {"AllKanji", Repeat(u"日", PASTE_MAX),
         [] {
             std::string all;
             for (std::size_t i = 0; i < PASTE_MAX / 2; ++i) {
                 all += KANJI_CP932;
             }
             return all;
         }()},
        // Three UTF-8 bytes but one code page byte each: the cut counts code page bytes.
        {"HalfWidthKatakana", Repeat(u"ｱ", PASTE_MAX + 1), std::string(PASTE_MAX, '\xb1')},
        // Characters code page 932 lacks count as their '?'; a surrogate pair is one of them.
        {"Emoji", Repeat(u"😀", PASTE_MAX + 10), std::string(PASTE_MAX, '?')},
        {"HugeClipboard", Ascii(4 * 1024 * 1024), ascii},
    };
    for (const CutRow& row : rows) {
        SCOPED_TRACE(row.name);
        PutText(row.clipboard);
        std::string read = "stale";
        ASSERT_EQ(ClipReadText(&read, PASTE_MAX), CLIP_OK);
        EXPECT_EQ(read.size(), row.expected.size());
        EXPECT_EQ(read, row.expected);
    }
}

TEST(ClipboardTest, SmallLimitsNeverSplitACharacter) {
    PutText(QString::fromUtf16(u"日本"));
    const std::pair<std::size_t, std::string> rows[] = {
        {0, ""}, {1, ""}, {2, KANJI_CP932}, {3, KANJI_CP932}, {4, "\x93\xfa\x96\x7b"}};
    for (const auto& [maxBytes, expected] : rows) {
        std::string read;
        ASSERT_EQ(ClipReadText(&read, maxBytes), CLIP_OK);
        EXPECT_EQ(read, expected) << "maxBytes " << maxBytes;
    }
}

TEST(ClipboardTest, NoPlainTextIsReportedAsSuch) {
    QGuiApplication::clipboard()->clear();
    std::string read = "stale";
    EXPECT_EQ(ClipReadText(&read, PASTE_MAX), CLIP_NO_TEXT);
    EXPECT_EQ(read, "");

    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    read = "stale";
    EXPECT_EQ(ClipReadText(&read, PASTE_MAX), CLIP_NO_TEXT);
    EXPECT_EQ(read, "");
}

struct WriteRow {
    const char* name;
    std::string cp932;
    const char16_t* placed;
};

TEST(ClipboardTest, WriteTurnsCrLfIntoLf) {
    const WriteRow rows[] = {
        {"CrLf", "/*\r\n * f\r\n */\r\n", u"/*\n * f\n */\n"},
        {"LoneCrAndLfStay", "a\rb\nc", u"a\rb\nc"},
        {"CrBeforeCrLf", "a\r\r\nb", u"a\r\nb"},
        {"Japanese", "\x93\xfa\x96\x7b\x81\x60\r\n\xb1", u"日本～\nｱ"},
        {"NoLineEnd", "x", u"x"},
    };
    for (const WriteRow& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(ClipWriteText(row.cp932));
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf16(row.placed));
    }
}

TEST(ClipboardTest, WriteLeavesPlainTextOnly) {
    auto* before = new QMimeData;
    before->setHtml(QStringLiteral("<b>old</b>"));
    before->setText(QStringLiteral("old"));
    before->setData(QStringLiteral("application/x-other"), "data");
    QGuiApplication::clipboard()->setMimeData(before);

    ASSERT_TRUE(ClipWriteText("new"));
    const QMimeData* after = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->formats(), QStringList{QStringLiteral("text/plain")});
    EXPECT_EQ(after->text(), QStringLiteral("new"));
}

TEST(ClipboardTest, EmptyWriteFailsAndKeepsTheClipboard) {
    PutText(QStringLiteral("kept"));
    EXPECT_FALSE(ClipWriteText(""));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

TEST(ClipboardTest, WrittenTextReadsBackAsTheSameBytes) {
    const std::string comment = "/* \x93\xfa\x96\x7b \x87\x40 */\n";
    ASSERT_TRUE(ClipWriteText(comment));
    std::string read;
    ASSERT_EQ(ClipReadText(&read, PASTE_MAX), CLIP_OK);
    EXPECT_EQ(read, comment);
}

} // namespace
