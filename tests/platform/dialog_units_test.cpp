#include "platform/dialog_units.h"

#include <gtest/gtest.h>

namespace {

// Base units 7 and 13 are the dialog font's at 96 dots per inch. A missing font family gives the
// desktop font, not a silent substitute that merely looks like the family asked for.
TEST(DialogUnitsTest, MapsCornersWithTruncatingDivision) {
    const CDialogUnits units(7, 13);
    // 13 * 7 / 4 = 22.75 and 57 * 13 / 8 = 92.6 both truncate.
    EXPECT_EQ(units.ToPixels(13, 57, 24, 8), QRect(22, 92, 42, 13));
    // The size is taken between mapped edges: 2 * 7 / 4 - 7 / 4 = 2, where 7 / 4 = 1.
    EXPECT_EQ(units.ToPixels(1, 1, 1, 1), QRect(1, 1, 2, 2));
    // A 31-pixel label (18 units from 12) widened for 32: the least step does it, and the
    // 381-unit form grows by 12 pixels, not by a whole pixel per four units; a fit is kept.
    EXPECT_EQ(units.WidenedFor(12, 18, 32).ToPixels(12, 111, 18, 9), QRect(21, 180, 32, 15));
    EXPECT_EQ(units.WidenedFor(12, 18, 32).ToPixelsX(381), 678);
    EXPECT_EQ(units.WidenedFor(12, 18, 33).ToPixelsX(381), 690); // truncation at 12 helps
    EXPECT_EQ(units.WidenedFor(12, 18, 31).ToPixelsX(381) +
                  units.WidenedFor(0, 0, 9).ToPixelsX(381),
              666 * 2);
    // A font without glyphs must not collapse the form to nothing.
    EXPECT_EQ(CDialogUnits(0, -3).ToPixels(0, 0, 4, 8), QRect(0, 0, 1, 1));
    EXPECT_EQ(PfFontOrDefault("No Such Family", 9), QFont());
    EXPECT_EQ(CDialogUnits(PfDialogFont()).ToPixels(0, 0, 4, 8), QRect(0, 0, 7, 13));
}

} // namespace
