#include "app/group_box.h"

#include <QPainter>

namespace {

// Blank pixels either side of the caption, where the frame line stops short of it.
constexpr int CAPTION_PADDING = 4;
// Radius of the frame's corners in pixels.
constexpr qreal FRAME_RADIUS = 2.0;

} // namespace

CGroupBox::CGroupBox(const QString& strTitle, QWidget* pParent) : QGroupBox(strTitle, pParent) {}

void CGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    // Rounded up: an odd line height puts the frame line on the lower of the two middle rows.
    const int nHalfLine = (metrics.height() + 1) / 2;
    // A one-pixel line is drawn on pixel centres so that it covers whole pixels.
    const QRectF frame = QRectF(rect()).adjusted(0.5, nHalfLine + 0.5, -0.5, -0.5);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRoundedRect(frame, FRAME_RADIUS, FRAME_RADIUS);

    // The caption's own background covers the frame line behind it.
    const QRect caption(nHalfLine, 0, metrics.horizontalAdvance(title()) + 2 * CAPTION_PADDING,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption.adjusted(CAPTION_PADDING, 0, -CAPTION_PADDING, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, title());
}
