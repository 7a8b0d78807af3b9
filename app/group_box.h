#pragma once

#include <QGroupBox>

// A group box whose caption sits on the frame's top line, the frame starting half a line down,
// as the dialog templates expect; drawn above the frame, as the desktop styles draw it, the frame
// would cut through the labels placed just under the caption. Drawn by hand rather than through
// a style sheet, which would bring Qt's style sheet machinery into start-up for four frames.
class CGroupBox : public QGroupBox {
public:
    explicit CGroupBox(const QString& strTitle, QWidget* pParent = nullptr);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
};
