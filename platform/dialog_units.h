#pragma once

#include <QFont>
#include <QRect>

// Dialog units as the original form was laid out in: the horizontal base unit is the average
// width of the 52 letters A-Z and a-z of the dialog font, the vertical one the font's height;
// x = units * baseX / 4, y = units * baseY / 8.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);
    QRect ToPixels(int x, int y, int width, int height) const;
    int BaseX() const { return m_nBaseX; }
    int BaseY() const { return m_nBaseY; }

private:
    int m_nBaseX;
    int m_nBaseY;
};

// The dialog font: "IPAPGothic" 9 point, or the desktop's default font where it is missing.
QFont PfDialogFont();
