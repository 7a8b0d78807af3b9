#pragma once

#include <QFont>
#include <QRect>

// Dialog units, in which the form is laid out: the horizontal base unit is the average
// width of the 52 letters A-Z and a-z of the dialog font, the vertical one the font's height;
// x = units * baseX / 4, y = units * baseY / 8, each division truncating. The horizontal unit
// may be widened, in sixteenths of a pixel, so that a caption fits its control.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);
    // Known base units; one below 1 is taken as 1.
    CDialogUnits(int baseX, int baseY);
    // A rectangle in dialog units; its corners are mapped, so the pixel width is
    // ToPixelsX(x + width) - ToPixelsX(x), which may differ by one from ToPixelsX(width).
    QRect ToPixels(int x, int y, int width, int height) const;
    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    // Pixels across `width` units from `x`, as ToPixels gives them.
    int SpanX(int x, int width) const;
    // These units with the horizontal one widened by the least step at which `width` units from
    // `x` span at least `pixels`; the same units when they already do, or when width is not
    // positive.
    CDialogUnits WidenedFor(int x, int width, int pixels) const;

private:
    // The horizontal base unit in sixteenths of a pixel.
    int m_nBaseX16;
    int m_nBaseY;
};

// The dialog font: "IPAPGothic" 9 point, or the desktop's default font where it is missing.
QFont PfDialogFont();
// `family` at `points`, or the desktop's default font when no such family is installed.
QFont PfFontOrDefault(const QString& family, int points);
