#pragma once

#include <array>

class CDialogUnits;
class QWidget;

// One control of a dialog template, positioned in dialog units.
enum DlgKind { DLG_EDIT, DLG_BUTTON, DLG_DEFBUTTON, DLG_LABEL, DLG_GROUP, DLG_ICON };

struct DlgItem {
    int nId;
    DlgKind kind;
    // Caption (UTF-8); for an edit, the label naming it, which becomes its accessible name.
    const char* pszText;
    // For an edit under a column heading, the heading, appended to the accessible name.
    const char* pszColumn;
    int x;
    int y;
    int cx;
    int cy;
};

// Main form: 381 x 201 dialog units; rows in template order, which is also the tab order.
constexpr int MAIN_DLG_CX = 381;
constexpr int MAIN_DLG_CY = 201;
// 32 boxes and buttons, 21 labels and group boxes.
constexpr int MAIN_DLG_ITEM_COUNT = 53;
extern const std::array<DlgItem, MAIN_DLG_ITEM_COUNT> g_aMainDlg;

// About box: 235 x 55 dialog units.
constexpr int ABOUT_DLG_CX = 235;
constexpr int ABOUT_DLG_CY = 55;
// Icon, two lines of text, the OK button.
constexpr int ABOUT_DLG_ITEM_COUNT = 4;
extern const std::array<DlgItem, ABOUT_DLG_ITEM_COUNT> g_aAboutDlg;

// Edge of the program icon in pixels where a template places it (icons are not scaled by
// dialog units).
constexpr int DLG_ICON_PIXELS = 32;

// Creates the widget of one template row as a child of pParent, not yet placed.
QWidget* DlgCreateItem(QWidget* pParent, const DlgItem& item);
// Places the widget of a row through units.
void DlgPlaceItem(QWidget* pWidget, const DlgItem& item, const CDialogUnits& units);
