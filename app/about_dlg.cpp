#include "app/about_dlg.h"

#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "app/strings.h"
#include "platform/dialog_units.h"

#include <QAbstractButton>

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(QString::fromUtf8(CAP_ABOUT_TITLE));
    const QFont font = PfDialogFont();
    setFont(font);
    const CDialogUnits units(font);
    for (const DlgItem& item : g_aAboutDlg) {
        QWidget* pItem = DlgCreateItem(this, item, units);
        if (item.nId == IDOK) {
            connect(qobject_cast<QAbstractButton*>(pItem), &QAbstractButton::clicked, this,
                    &QDialog::accept);
        }
    }
    setFixedSize(units.ToPixels(0, 0, ABOUT_DLG_CX, ABOUT_DLG_CY).size());
}
