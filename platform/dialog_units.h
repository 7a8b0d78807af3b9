#pragma once

#include <QFont>
#include <QRect>

// Dialog units, in which the form is laid out: the horizontal base unit is the average
// width of the 52 letters A-Z and a-z of the dialog font, the vertical one the font's height;
// x = units * baseX / 4, y = units * baseY / 8, each division truncating.
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

private:
    int m_nBaseX;
    int m_nBaseY;
};

// The dialog font: "IPAPGothic" 9 point, or the desktop's default font where it is missing.
QFont PfDialogFont();
// `family` at `points`, or the desktop's default font when no such family is installed.
QFont PfFontOrDefault(const QString& family, int points);
