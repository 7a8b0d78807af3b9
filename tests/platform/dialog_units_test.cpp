#include "platform/dialog_units.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(DialogUnitsTest, MapsCornersWithTruncatingDivision) {
    const CDialogUnits units(7, 13); // the dialog font at 96 dots per inch
    const std::tuple<const char*, QRect, QRect> rows[] = {
        {"empty", QRect(0, 0, 0, 0), QRect(0, 0, 0, 0)},
        // 13 * 7 / 4 = 22.75 and 57 * 13 / 8 = 92.6 both truncate.
        {"return label", QRect(13, 57, 24, 8), QRect(22, 92, 42, 13)},
        // The size is taken between mapped edges: 2 * 7 / 4 - 7 / 4 = 2, where 7 / 4 = 1.
        {"off grid", QRect(1, 1, 1, 1), QRect(1, 1, 2, 2)},
    };
    for (const auto& [name, dialog, pixels] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(units.ToPixels(dialog.x(), dialog.y(), dialog.width(), dialog.height()), pixels);
    }
    // A font without glyphs must not collapse the form to nothing.
    EXPECT_EQ(CDialogUnits(0, -3).ToPixels(0, 0, 4, 8), QRect(0, 0, 1, 1));
}

// Not a silent substitute that merely looks like the family asked for.
TEST(DialogUnitsTest, MissingFontFamilyGivesTheDesktopFont) {
    EXPECT_EQ(PfFontOrDefault(QStringLiteral("No Such Family"), 9), QFont());
}

} // namespace
