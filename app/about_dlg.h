#pragma once

#include <QDialog>

// The About box: icon, program name and version, one line on what it does, OK.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
};
