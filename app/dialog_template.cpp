#include "app/dialog_template.h"

#include "app/app_icon.h"
#include "app/control_ids.h"
#include "app/group_box.h"
#include "app/strings.h"
#include "platform/dialog_units.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

// The boxes and buttons first, in tab order, then the labels and group boxes, which take no focus.
const std::array<DlgItem, MAIN_DLG_ITEM_COUNT> g_aMainDlg = {{
    {IDC_DECL_INPUT, DLG_EDIT, CAP_DECL_INPUT, nullptr, 40, 7, 234, 12},
    {IDC_CLASS, DLG_EDIT, CAP_CLASS, nullptr, 11, 43, 82, 12},
    {IDC_FUNC, DLG_EDIT, CAP_FUNC, nullptr, 100, 43, 89, 12},
    {IDC_RET, DLG_EDIT, CAP_RET, nullptr, 12, 67, 56, 12},
    {IDC_RET_TEXT, DLG_EDIT, CAP_RET, CAP_TEXT, 69, 67, 120, 12},
    {ArgTypeId(1), DLG_EDIT, CAP_ARG1, CAP_ARG_TYPE, 33, 109, 56, 12},
    {ArgTypeId(2), DLG_EDIT, CAP_ARG2, CAP_ARG_TYPE, 33, 121, 56, 12},
    {ArgTypeId(3), DLG_EDIT, CAP_ARG3, CAP_ARG_TYPE, 33, 133, 56, 12},
    {ArgTypeId(4), DLG_EDIT, CAP_ARG4, CAP_ARG_TYPE, 33, 145, 56, 12},
    {ArgTypeId(5), DLG_EDIT, CAP_ARG5, CAP_ARG_TYPE, 33, 157, 56, 12},
    {ArgTypeId(6), DLG_EDIT, CAP_ARG6, CAP_ARG_TYPE, 33, 169, 56, 12},
    {ArgNameId(1), DLG_EDIT, CAP_ARG1, CAP_ARG_NAME, 90, 109, 64, 12},
    {ArgNameId(2), DLG_EDIT, CAP_ARG2, CAP_ARG_NAME, 90, 121, 64, 12},
    {ArgNameId(3), DLG_EDIT, CAP_ARG3, CAP_ARG_NAME, 90, 133, 64, 12},
    {ArgNameId(4), DLG_EDIT, CAP_ARG4, CAP_ARG_NAME, 90, 145, 64, 12},
    {ArgNameId(5), DLG_EDIT, CAP_ARG5, CAP_ARG_NAME, 90, 157, 64, 12},
    {ArgNameId(6), DLG_EDIT, CAP_ARG6, CAP_ARG_NAME, 90, 169, 64, 12},
    {ArgTextId(1), DLG_EDIT, CAP_ARG1, CAP_TEXT, 156, 109, 103, 12},
    {ArgTextId(2), DLG_EDIT, CAP_ARG2, CAP_TEXT, 156, 121, 103, 12},
    {ArgTextId(3), DLG_EDIT, CAP_ARG3, CAP_TEXT, 156, 133, 103, 12},
    {ArgTextId(4), DLG_EDIT, CAP_ARG4, CAP_TEXT, 156, 145, 103, 12},
    {ArgTextId(5), DLG_EDIT, CAP_ARG5, CAP_TEXT, 156, 157, 103, 12},
    {ArgTextId(6), DLG_EDIT, CAP_ARG6, CAP_TEXT, 156, 169, 103, 12},
    {IDC_ANALYZE, DLG_BUTTON, CAP_ANALYZE, nullptr, 204, 27, 69, 15},
    {IDC_CLEAR_INPUT, DLG_BUTTON, CAP_CLEAR_INPUT, nullptr, 204, 44, 69, 15},
    {IDC_PASTE, DLG_BUTTON, CAP_PASTE, nullptr, 204, 61, 69, 15},
    {IDC_TITLE, DLG_EDIT, CAP_TITLE, nullptr, 292, 35, 79, 12},
    {IDC_DATE, DLG_EDIT, CAP_DATE, nullptr, 292, 64, 79, 12},
    {IDC_DEVELOP, DLG_EDIT, CAP_DEVELOP, nullptr, 291, 93, 79, 12},
    {IDC_SELECT_FORMAT, DLG_BUTTON, CAP_SELECT_FORMAT, nullptr, 321, 151, 48, 12},
    {IDC_MAKE_HEADER, DLG_BUTTON, CAP_MAKE_HEADER, nullptr, 279, 175, 90, 18},
    {IDC_FORMAT_NAME, DLG_EDIT, CAP_FORMAT_FILE, nullptr, 284, 133, 79, 12},
    {IDC_STATIC, DLG_LABEL, CAP_RET, nullptr, 13, 57, 24, 8},
    {IDC_STATIC, DLG_LABEL, CAP_FUNC, nullptr, 100, 33, 24, 8},
    {IDC_STATIC, DLG_LABEL, CAP_CLASS, nullptr, 11, 35, 26, 8},
    {IDC_STATIC, DLG_GROUP, CAP_FUNC_INFO, nullptr, 6, 24, 192, 63},
    {IDC_STATIC, DLG_LABEL, CAP_ARG1, nullptr, 12, 111, 18, 9},
    {IDC_STATIC, DLG_GROUP, CAP_ARGS, nullptr, 7, 90, 260, 104},
    {IDC_STATIC, DLG_LABEL, CAP_ARG_TYPE, nullptr, 35, 98, 9, 9},
    {IDC_STATIC, DLG_LABEL, CAP_ARG_NAME, nullptr, 91, 98, 28, 9},
    {IDC_STATIC, DLG_LABEL, CAP_TEXT, nullptr, 157, 98, 21, 9},
    {IDC_STATIC, DLG_LABEL, CAP_ARG2, nullptr, 12, 123, 18, 9},
    {IDC_STATIC, DLG_LABEL, CAP_ARG3, nullptr, 12, 135, 18, 9},
    {IDC_STATIC, DLG_LABEL, CAP_ARG4, nullptr, 12, 147, 18, 9},
    {IDC_STATIC, DLG_LABEL, CAP_ARG5, nullptr, 12, 159, 18, 9},
    {IDC_STATIC, DLG_LABEL, CAP_ARG6, nullptr, 12, 171, 18, 9},
    {IDC_STATIC, DLG_LABEL, CAP_DATE, nullptr, 284, 52, 39, 8},
    {IDC_STATIC, DLG_LABEL, CAP_DEVELOP, nullptr, 283, 81, 39, 8},
    {IDC_STATIC, DLG_LABEL, CAP_DECL_INPUT, nullptr, 10, 9, 29, 8},
    {IDC_STATIC, DLG_LABEL, CAP_TITLE, nullptr, 284, 23, 39, 8},
    {IDC_STATIC, DLG_GROUP, CAP_OTHER_INFO, nullptr, 275, 12, 100, 98},
    {IDC_STATIC, DLG_GROUP, CAP_FORMAT, nullptr, 275, 115, 100, 56},
    {IDC_STATIC, DLG_LABEL, CAP_TEXT, nullptr, 69, 57, 24, 8},
}};

const std::array<DlgItem, ABOUT_DLG_ITEM_COUNT> g_aAboutDlg = {{
    {IDC_STATIC, DLG_ICON, nullptr, nullptr, 11, 17, 0, 0},
    {IDC_STATIC, DLG_LABEL, CAP_ABOUT_VERSION, nullptr, 40, 10, 119, 8},
    {IDC_STATIC, DLG_LABEL, CAP_ABOUT_PURPOSE, nullptr, 40, 25, 119, 8},
    {IDOK, DLG_DEFBUTTON, CAP_OK, nullptr, 178, 7, 50, 14},
}};

namespace {

QWidget* CreateEdit(QWidget* pParent, const DlgItem& item) {
    auto* pEdit = new QLineEdit(pParent);
    QString strName = QString::fromUtf8(item.pszText);
    if (item.pszColumn != nullptr) {
        strName += QLatin1Char(' ') + QString::fromUtf8(item.pszColumn);
    }
    pEdit->setAccessibleName(strName);
    return pEdit;
}

QWidget* CreateButton(QWidget* pParent, const DlgItem& item) {
    auto* pButton = new QPushButton(QString::fromUtf8(item.pszText), pParent);
    // Inside a dialog every push button would otherwise answer Enter when focused; only a
    // template's default button may.
    const bool bDefault = item.kind == DLG_DEFBUTTON;
    pButton->setAutoDefault(bDefault);
    pButton->setDefault(bDefault);
    return pButton;
}

QWidget* CreateLabel(QWidget* pParent, const DlgItem& item) {
    auto* pLabel = new QLabel(QString::fromUtf8(item.pszText), pParent);
    // Static text sits at the top of its rectangle, level with the box beside it.
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return pLabel;
}

QWidget* CreateGroup(QWidget* pParent, const DlgItem& item) {
    auto* pGroup = new CGroupBox(QString::fromUtf8(item.pszText), pParent);
    // A group box is drawn around controls that are its siblings, not its children; kept at the
    // bottom it never covers them or takes their clicks.
    pGroup->lower();
    return pGroup;
}

QWidget* CreateIcon(QWidget* pParent) {
    auto* pIcon = new QLabel(pParent);
    pIcon->setPixmap(AppIcon().pixmap(DLG_ICON_PIXELS, DLG_ICON_PIXELS));
    return pIcon;
}

} // namespace

QWidget* DlgCreateItem(QWidget* pParent, const DlgItem& item) {
    QWidget* pWidget = nullptr;
    switch (item.kind) {
    case DLG_EDIT:
        pWidget = CreateEdit(pParent, item);
        break;
    case DLG_BUTTON:
    case DLG_DEFBUTTON:
        pWidget = CreateButton(pParent, item);
        break;
    case DLG_LABEL:
        pWidget = CreateLabel(pParent, item);
        break;
    case DLG_GROUP:
        pWidget = CreateGroup(pParent, item);
        break;
    case DLG_ICON:
        pWidget = CreateIcon(pParent);
        break;
    }
    if (item.nId != IDC_STATIC) {
        pWidget->setObjectName(QString::number(item.nId));
    }
    return pWidget;
}

void DlgPlaceItem(QWidget* pWidget, const DlgItem& item, const CDialogUnits& units) {
    QRect rect = units.ToPixels(item.x, item.y, item.cx, item.cy);
    if (item.kind == DLG_ICON) {
        // An icon keeps its own size; the template gives only its corner.
        rect.setSize(QSize(DLG_ICON_PIXELS, DLG_ICON_PIXELS));
    }
    pWidget->setGeometry(rect);
}
