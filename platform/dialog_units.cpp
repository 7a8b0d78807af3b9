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

} // namespace

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // width / 52 rounded to the nearest pixel, written as the classic (width / 26 + 1) / 2.
    // A font without glyphs would give 0 and collapse every control; one pixel keeps them apart.
    m_nBaseX = std::max(1, (width / (AVERAGE_LETTERS / 2) + 1) / 2);
    m_nBaseY = std::max(1, metrics.height());
}

int CDialogUnits::ToPixelsX(int units) const {
    return units * m_nBaseX / 4;
}

int CDialogUnits::ToPixelsY(int units) const {
    return units * m_nBaseY / 8;
}

QRect CDialogUnits::ToPixels(int x, int y, int width, int height) const {
    // The corners are mapped, not the extents, as the original form mapped its rectangles: two
    // controls that touch in dialog units still touch in pixels, whatever the rounding.
    const int left = ToPixelsX(x);
    const int top = ToPixelsY(y);
    return QRect(left, top, ToPixelsX(x + width) - left, ToPixelsY(y + height) - top);
}

QFont PfDialogFont() {
    QFont font(QString::fromLatin1(DIALOG_FONT_FAMILY), DIALOG_FONT_POINTS);
    // Font matching silently substitutes a missing family; QFontInfo tells what was really found.
    if (QFontInfo(font).family().compare(QString::fromLatin1(DIALOG_FONT_FAMILY),
                                         Qt::CaseInsensitive) != 0) {
        return QFont();
    }
    return font;
}
