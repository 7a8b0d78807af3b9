#include "platform/dialog_units.h"

#include <QFontMetrics>
#include <QRawFont>
#include <QString>
#include <algorithm>

namespace {

const char* const DIALOG_FONT_FAMILY = "IPAPGothic";
// Size of the form's font in points, as the form was drawn for.
constexpr int DIALOG_FONT_POINTS = 9;
// The horizontal base unit is averaged over the upper- and lower-case Latin letters.
constexpr int AVERAGE_LETTERS = 52;
// Steps of the horizontal base unit per pixel: a form widened for a caption grows by a few
// pixels rather than by a seventh of its width, as whole pixels of a 7-pixel unit would.
constexpr int BASE_X_STEPS = 16;
// Dialog units per horizontal base unit.
constexpr int UNITS_PER_BASE_X = 4;

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
    : m_nBaseX16(std::max(1, baseX) * BASE_X_STEPS), m_nBaseY(std::max(1, baseY)) {}

int CDialogUnits::ToPixelsX(int units) const {
    // The same truncation as units * baseX / 4 while the unit is a whole number of pixels.
    return units * m_nBaseX16 / (UNITS_PER_BASE_X * BASE_X_STEPS);
}

int CDialogUnits::ToPixelsY(int units) const {
    return units * m_nBaseY / 8;
}

// The corners are mapped, not the extents, as dialog rectangles have always been: two controls
// that touch in dialog units still touch in pixels, whatever the rounding.
QRect CDialogUnits::ToPixels(int x, int y, int width, int height) const {
    const int top = ToPixelsY(y);
    return QRect(ToPixelsX(x), top, SpanX(x, width), ToPixelsY(y + height) - top);
}

int CDialogUnits::SpanX(int x, int width) const {
    return ToPixelsX(x + width) - ToPixelsX(x);
}

CDialogUnits CDialogUnits::WidenedFor(int x, int width, int pixels) const {
    CDialogUnits wider = *this;
    if (width <= 0) {
        return wider;
    }
    // Below this step even the kindest truncation leaves the span short (it gains at most one
    // pixel on width * base); from it a few steps at most are left to try.
    const int nLeast = (pixels - 1) * UNITS_PER_BASE_X * BASE_X_STEPS / width;
    wider.m_nBaseX16 = std::max(m_nBaseX16, nLeast);
    while (wider.SpanX(x, width) < pixels) {
        ++wider.m_nBaseX16;
    }
    return wider;
}

QFont PfFontOrDefault(const QString& family, int points) {
    QFont font(family, points);
    // Font matching silently substitutes a missing family. The font file's own family name tells
    // what was really found: the name QFontInfo gives is the one for the user's language, such as
    // "IPA Pゴシック" for IPAPGothic under a Japanese locale.
    if (QRawFont::fromFont(font).familyName().compare(family, Qt::CaseInsensitive) != 0) {
        return QFont();
    }
    return font;
}

QFont PfDialogFont() {
    return PfFontOrDefault(QString::fromLatin1(DIALOG_FONT_FAMILY), DIALOG_FONT_POINTS);
}
