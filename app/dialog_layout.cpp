#include "app/dialog_layout.h"

#include "app/group_box.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

// What the style puts around a button's text before any least width of its own: its margin,
// its frame on either side, and the ring of a button that answers Enter.
int ButtonTextRoom(const QPushButton& button) {
    const QStyle* pStyle = button.style();
    int nAround = pStyle->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button) +
                  2 * pStyle->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    if (button.autoDefault()) {
        nAround += 2 * pStyle->pixelMetric(QStyle::PM_ButtonDefaultIndicator, nullptr, &button);
    }
    return button.fontMetrics().horizontalAdvance(button.text()) + nAround;
}

// Pixels across that the caption of a row's widget needs; 0 for a row without a caption.
int CaptionPixels(const QWidget* pWidget, DlgKind kind) {
    switch (kind) {
    case DLG_LABEL: {
        // Static text starts at its control's left edge, without a margin: what counts is that no
        // pixel of it falls beyond the right edge; the advance past the last glyph is blank.
        const QString strText = static_cast<const QLabel*>(pWidget)->text();
        return pWidget->fontMetrics().boundingRect(strText).right() + 1;
    }
    case DLG_BUTTON:
    case DLG_DEFBUTTON:
        return ButtonTextRoom(*static_cast<const QPushButton*>(pWidget));
    case DLG_GROUP:
        return static_cast<const CGroupBox*>(pWidget)->CaptionWidth();
    case DLG_EDIT:
    case DLG_ICON:
        break;
    }
    return 0;
}

} // namespace

CDialogUnits DlgLayOut(QWidget* pDialog, const DlgItem* pItems, std::size_t nCount, int cx, int cy,
                       std::vector<QWidget*>* pWidgets) {
    std::vector<int> vecNeeds;
    for (std::size_t i = 0; i < nCount; ++i) {
        pWidgets->push_back(DlgCreateItem(pDialog, pItems[i]));
        vecNeeds.push_back(CaptionPixels(pWidgets->back(), pItems[i].kind));
    }
    CDialogUnits units(pDialog->font());
    // Widening for one caption may move another control's edges, each to a pixel of its own: round
    // again until a whole round widens nothing. A control without width has no room to widen.
    for (bool bWidened = true; bWidened;) {
        bWidened = false;
        for (std::size_t i = 0; i < nCount; ++i) {
            if (pItems[i].cx > 0 && units.SpanX(pItems[i].x, pItems[i].cx) < vecNeeds[i]) {
                units = units.WidenedFor(pItems[i].x, pItems[i].cx, vecNeeds[i]);
                bWidened = true;
            }
        }
    }
    for (std::size_t i = 0; i < nCount; ++i) {
        DlgPlaceItem((*pWidgets)[i], pItems[i], units);
    }
    pDialog->setFixedSize(units.ToPixels(0, 0, cx, cy).size());
    return units;
}
