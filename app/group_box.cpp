#include "app/group_box.h"

#include <QPainter>

namespace {

// Blank pixels either side of the caption, where the frame line stops short of it.
constexpr int CAPTION_PADDING = 4;
// Radius of the frame's corners in pixels.
constexpr qreal FRAME_RADIUS = 2.0;

} // namespace

CGroupBox::CGroupBox(const QString& strTitle, QWidget* pParent) : QGroupBox(strTitle, pParent) {}

int CGroupBox::HalfLine() const {
    // Rounded up: an odd line height puts the frame line on the lower of the two middle rows.
    return (fontMetrics().height() + 1) / 2;
}

QRect CGroupBox::CaptionRect() const {
    const QFontMetrics metrics = fontMetrics();
    return QRect(HalfLine(), 0, metrics.horizontalAdvance(title()) + 2 * CAPTION_PADDING,
                 metrics.height());
}

int CGroupBox::CaptionWidth() const {
    return CaptionRect().right() + 1 + HalfLine();
}

void CGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A one-pixel line is drawn on pixel centres so that it covers whole pixels.
    const QRectF frame = QRectF(rect()).adjusted(0.5, HalfLine() + 0.5, -0.5, -0.5);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRoundedRect(frame, FRAME_RADIUS, FRAME_RADIUS);

    // The caption's own background covers the frame line behind it.
    const QRect caption = CaptionRect();
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption.adjusted(CAPTION_PADDING, 0, -CAPTION_PADDING, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, title());
}
