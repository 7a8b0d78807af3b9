#include "platform/dialog_units.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QString>
#include <algorithm>

namespace {

const char* const DIALOG_FONT_FAMILY = "IPAPGothic";
// Size of the form's font in points, as the form was drawn for.
constexpr int DIALOG_FONT_POINTS = 9;
// The horizontal base unit is averaged over the upper- and lower-case Latin letters.
constexpr int AVERAGE_LETTERS = 52;

int AverageLetterWidth(const QFontMetrics& metrics) {
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // width / 52 rounded to the nearest pixel, written as the classic (width / 26 + 1) / 2.
    return (width / (AVERAGE_LETTERS / 2) + 1) / 2;
}

} // namespace

CDialogUnits::CDialogUnits(const QFont& font)
    : CDialogUnits(AverageLetterWidth(QFontMetrics(font)), QFontMetrics(font).height()) {}

// A font without glyphs would give 0 and collapse every control; one pixel keeps them apart.
CDialogUnits::CDialogUnits(int baseX, int baseY)
    : m_nBaseX(std::max(1, baseX)), m_nBaseY(std::max(1, baseY)) {}

int CDialogUnits::ToPixelsX(int units) const {
    return units * m_nBaseX / 4;
}

int CDialogUnits::ToPixelsY(int units) const {
    return units * m_nBaseY / 8;
}

QRect CDialogUnits::ToPixels(int x, int y, int width, int height) const {
    // The corners are mapped, not the extents, as dialog rectangles have always been: two
    // controls that touch in dialog units still touch in pixels, whatever the rounding.
    const int left = ToPixelsX(x);
    const int top = ToPixelsY(y);
    return QRect(left, top, ToPixelsX(x + width) - left, ToPixelsY(y + height) - top);
}

QFont PfFontOrDefault(const QString& family, int points) {
    QFont font(family, points);
    // Font matching silently substitutes a missing family; QFontInfo tells what was really found.
    if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) != 0) {
        return QFont();
    }
    return font;
}

QFont PfDialogFont() {
    return PfFontOrDefault(QString::fromLatin1(DIALOG_FONT_FAMILY), DIALOG_FONT_POINTS);
}
