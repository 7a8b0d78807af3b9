#include "platform/dialog_units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct RectRow {
    const char* name;
    int x, y, width, height;
    QRect pixels;
};

TEST(DialogUnitsTest, MapsCornersWithTruncatingDivision) {
    // Base units of IPAPGothic 9 point at 96 dots per inch.
    const CDialogUnits units(7, 13);
    const RectRow rows[] = {
        {"Empty", 0, 0, 0, 0, QRect(0, 0, 0, 0)},
        // 13 * 7 / 4 = 22.75 and 57 * 13 / 8 = 92.6 both truncate.
        {"ReturnLabel", 13, 57, 24, 8, QRect(22, 92, 42, 13)},
        // The size comes from the mapped far edges: 2 * 7 / 4 - 7 / 4 = 3 - 1, not 7 / 4.
        {"NarrowOffGrid", 1, 1, 1, 1, QRect(1, 1, 2, 2)},
        {"ArgumentsGroup", 7, 90, 260, 104, QRect(12, 146, 455, 169)},
        {"AboutBox", 0, 0, 235, 55, QRect(0, 0, 411, 89)},
    };
    for (const RectRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(units.ToPixels(row.x, row.y, row.width, row.height), row.pixels);
    }
}

TEST(DialogUnitsTest, NeighboursThatTouchInUnitsTouchInPixels) {
    const CDialogUnits units(7, 13);
    for (int x = 0; x < 40; ++x) {
        const QRect left = units.ToPixels(x, x, 3, 5);
        const QRect right = units.ToPixels(x + 3, x + 5, 4, 2);
        EXPECT_EQ(left.x() + left.width(), right.x()) << x;
        EXPECT_EQ(left.y() + left.height(), right.y()) << x;
    }
}

TEST(DialogUnitsTest, BaseUnitsComeFromTheFont) {
    const QFont font = PfDialogFont();
    const CDialogUnits units(font);
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The average letter width, rounded to the nearest pixel.
    EXPECT_LE(std::abs(units.BaseX() * 52 - letters), 26) << letters;
    EXPECT_EQ(units.BaseY(), metrics.height());
}

TEST(DialogUnitsTest, ZeroBasesAreRaisedToOnePixel) {
    const CDialogUnits units(0, -3);
    EXPECT_EQ(units.BaseX(), 1);
    EXPECT_EQ(units.BaseY(), 1);
}

TEST(DialogFontTest, IsIpaPGothicNinePointWhenInstalled) {
    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
        GTEST_SKIP() << "IPAPGothic is not installed";
    }
    const QFont font = PfDialogFont();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(font.pointSize(), 9);
}

TEST(DialogFontTest, MissingFamilyFallsBackToTheDefaultFont) {
    EXPECT_EQ(PfFontOrDefault(QStringLiteral("No Such Family Anywhere"), 9), QFont());
}

} // namespace
