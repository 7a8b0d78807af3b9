#include "app/about_dlg.h"

#include "app/control_ids.h"
#include "app/dialog_layout.h"
#include "app/strings.h"

#include <QAbstractButton>

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle(QString::fromUtf8(CAP_ABOUT_TITLE));
    setFont(PfDialogFont());
    std::vector<QWidget*> vecItems;
    DlgLayOut(this, g_aAboutDlg.data(), g_aAboutDlg.size(), ABOUT_DLG_CX, ABOUT_DLG_CY, &vecItems);
    for (std::size_t i = 0; i < g_aAboutDlg.size(); ++i) {
        if (g_aAboutDlg[i].nId == IDOK) {
            connect(qobject_cast<QAbstractButton*>(vecItems[i]), &QAbstractButton::clicked, this,
                    &QDialog::accept);
        }
    }
}
