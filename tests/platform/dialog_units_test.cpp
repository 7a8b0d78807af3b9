#include "platform/dialog_units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(DialogUnitsTest, MapsCornersWithTruncatingDivision) {
    const CDialogUnits units(7, 13); // IPAPGothic 9 point at 96 dots per inch
    const struct {
        const char* name;
        int x, y, width, height;
        QRect pixels;
    } rows[] = {
        {"Empty", 0, 0, 0, 0, QRect(0, 0, 0, 0)},
        // 13 * 7 / 4 = 22.75 and 57 * 13 / 8 = 92.6 both truncate.
        {"ReturnLabel", 13, 57, 24, 8, QRect(22, 92, 42, 13)},
        // The size is taken between mapped edges: 2 * 7 / 4 - 7 / 4 = 2, where 7 / 4 = 1.
        {"OffGrid", 1, 1, 1, 1, QRect(1, 1, 2, 2)},
        {"AboutBox", 0, 0, 235, 55, QRect(0, 0, 411, 89)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(units.ToPixels(row.x, row.y, row.width, row.height), row.pixels);
    }
    // A font without glyphs must not collapse the form to nothing.
    EXPECT_EQ(CDialogUnits(0, -3).ToPixels(0, 0, 4, 8), QRect(0, 0, 1, 1));
}

TEST(DialogUnitsTest, BaseUnitsComeFromTheFont) {
    const QFont font = PfDialogFont();
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The average letter width rounded to the nearest pixel, and the font's height.
    EXPECT_LE(std::abs(CDialogUnits(font).BaseX() * 52 - letters), 26) << letters;
    EXPECT_EQ(CDialogUnits(font).BaseY(), metrics.height());
    if (QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
        EXPECT_EQ(font.pointSize(), 9);
    }
    EXPECT_EQ(PfFontOrDefault(QStringLiteral("No Such Family"), 9), QFont());
}

} // namespace
