#pragma once

#include <QGroupBox>

// A group box whose caption sits on the frame's top line, the frame starting half a line down,
// as the dialog templates expect; drawn above the frame, as the desktop styles draw it, the frame
// would cut through the labels placed just under the caption. Drawn by hand rather than through
// a style sheet, which would bring Qt's style sheet machinery into start-up for four frames.
class CGroupBox : public QGroupBox {
public:
    explicit CGroupBox(const QString& strTitle, QWidget* pParent = nullptr);

    // Where the caption is drawn, its padding included, over the frame's top line.
    QRect CaptionRect() const;
    // The width the box needs for its caption: the caption with the frame showing as far beyond
    // it as before it.
    int CaptionWidth() const;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    // Half the caption's line height: how far down the frame's top line runs, and how far in
    // from the corner the caption starts.
    int HalfLine() const;
};
