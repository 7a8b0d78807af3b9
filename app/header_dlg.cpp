#include "app/header_dlg.h"

#include "app/about_dlg.h"
#include "app/app_text.h"
#include "app/control_ids.h"
#include "app/dialog_layout.h"
#include "app/header_app.h"
#include "app/strings.h"
#include "header/header_date.h"
#include "header/settings_rule.h"
#include "platform/desktop_services.h"
#include "platform/qt_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

struct CommandEntry {
    int nId;
    void (CHeaderDlg::*pfnHandler)();
};

const CommandEntry COMMANDS[] = {
    {IDC_ANALYZE, &CHeaderDlg::OnAnalyze},        {IDC_SELECT_FORMAT, &CHeaderDlg::OnSelectFormat},
    {IDC_MAKE_HEADER, &CHeaderDlg::OnMakeHeader}, {IDC_CLEAR_INPUT, &CHeaderDlg::OnClearInput},
    {IDC_PASTE, &CHeaderDlg::OnPasteClipboard},
};

} // namespace

CHeaderDlg::CHeaderDlg(CHeaderApp& app, QWidget* pParent)
    : QDialog(pParent), m_app(app), m_services(app.Services()), m_szFormatPath{} {
    setWindowTitle(QStringLiteral(VELDANE_TITLE));
    setFont(PfDialogFont());
    std::vector<QWidget*> vecItems;
    m_units =
        DlgLayOut(this, g_aMainDlg.data(), g_aMainDlg.size(), MAIN_DLG_CX, MAIN_DLG_CY, &vecItems);
    for (std::size_t i = 0; i < g_aMainDlg.size(); ++i) {
        if (g_aMainDlg[i].nId != IDC_STATIC) {
            m_mapItems[g_aMainDlg[i].nId] = vecItems[i];
            // Keys reach the filter before the control, so no control acts on Enter first.
            vecItems[i]->installEventFilter(this);
        }
    }
    installEventFilter(this);

    for (const CommandEntry& command : COMMANDS) {
        auto* pButton = qobject_cast<QAbstractButton*>(GetDlgItem(command.nId));
        const auto pfnHandler = command.pfnHandler;
        connect(pButton, &QAbstractButton::clicked, this,
                [this, pfnHandler] { (this->*pfnHandler)(); });
    }

    // The window managers here offer no application entries in the window menu, so the About
    // box hangs off the form's own context menu (right-click on the background) and F1.
    auto* pAbout = new QAction(QString::fromUtf8(STR_ABOUT_MENU), this);
    pAbout->setShortcut(QKeySequence(Qt::Key_F1));
    connect(pAbout, &QAction::triggered, this, &CHeaderDlg::OnAbout);
    addAction(pAbout);
    // The tidy analysis is the user's choice, made once and kept like the author.
    m_pTidyAction = new QAction(QString::fromUtf8(STR_TIDY_MENU), this);
    m_pTidyAction->setCheckable(true);
    connect(m_pTidyAction, &QAction::toggled, this, &CHeaderDlg::OnTidyAnalysis);
    addAction(m_pTidyAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    OnInitDialog();
}

CHeaderDlg::~CHeaderDlg() {
    OnDestroy();
}

void CHeaderDlg::OnInitDialog() {
    // The chosen file's name is shown, never typed.
    GetDlgItem(IDC_FORMAT_NAME)->setEnabled(false);

    SetDlgItemText(IDC_DATE, HeaderToday());

    std::string strPath = m_app.GetProfileRaw(SETTINGS_SECTION, SETTINGS_KEY_FILE_PATH, "");
    // A cut path would name some other file; a path that does not fit is no choice at all,
    // and the name shown must not pretend otherwise.
    const bool bPathFits = HeaderPathFits(strPath);
    if (bPathFits) {
        strPath.copy(m_szFormatPath, strPath.size());
    }
    m_strOpenedPath = m_szFormatPath;
    m_choice =
        HeaderAnalysisChoice(m_app.GetProfileString(SETTINGS_SECTION, SETTINGS_KEY_TIDY, ""),
                             m_app.GetProfileString(SETTINGS_SECTION, SETTINGS_KEY_TIDY_DROP, ""));
    m_bOpenedTidy = m_choice.m_bTidy;
    m_pTidyAction->setChecked(m_choice.m_bTidy);
    ShowAnalysisChoice();
    ShowStored(IDC_DEVELOP, SETTINGS_KEY_DEVELOP, true, &m_strShownDevelop);
    ShowStored(IDC_FORMAT_NAME, SETTINGS_KEY_FILE_NAME, bPathFits, &m_strShownName);

    GetDlgItem(IDC_DECL_INPUT)->setFocus();
}

void CHeaderDlg::ShowStored(int nId, const char* pszKey, bool bKeep, std::string* pShown) {
    SetDlgItemText(nId, bKeep ? m_app.GetProfileString(SETTINGS_SECTION, pszKey, "") : "");
    // The box's own reading of it: a value longer than a box holds is compared as shown.
    *pShown = GetDlgItemText(nId);
}

std::vector<SettingsValue> CHeaderDlg::ChangedSettings() const {
    std::vector<SettingsValue> values;
    std::string strDevelop = GetDlgItemText(IDC_DEVELOP);
    if (strDevelop != m_strShownDevelop) {
        values.push_back({SETTINGS_KEY_DEVELOP, std::move(strDevelop), false});
    }
    std::string strName = GetDlgItemText(IDC_FORMAT_NAME);
    if (strName != m_strShownName) {
        values.push_back({SETTINGS_KEY_FILE_NAME, std::move(strName), false});
    }
    if (m_strOpenedPath != m_szFormatPath) {
        values.push_back({SETTINGS_KEY_FILE_PATH, m_szFormatPath, true});
    }
    if (m_choice.m_bTidy != m_bOpenedTidy) {
        values.push_back(
            {SETTINGS_KEY_TIDY, m_choice.m_bTidy ? SETTINGS_TIDY_ON : SETTINGS_TIDY_OFF, false});
    }
    return values;
}

void CHeaderDlg::OnDestroy() {
    // Only what the user changed here is written, over the file as it is now: a second window
    // that saved meanwhile keeps its values, and a value left alone stays byte for byte as
    // stored. The changed keys go in one replacement, so that a crash on the way never pairs a
    // new file name with an old path. Closing without a change writes nothing.
    const std::vector<SettingsValue> values = ChangedSettings();
    if (!values.empty()) {
        m_app.WriteProfileValues(SETTINGS_SECTION, values);
    }
}

bool CHeaderDlg::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (PreTranslateMessage(pEvent)) {
        return true;
    }
    return QDialog::eventFilter(pWatched, pEvent);
}

bool CHeaderDlg::PreTranslateMessage(QEvent* pEvent) {
    // Only the form and its own controls are watched: Enter in a message box, the file chooser
    // or the About box never comes here and acts there as usual.
    if (pEvent->type() != QEvent::KeyPress) {
        return false;
    }
    const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
    if (nKey != Qt::Key_Return && nKey != Qt::Key_Enter) {
        return false;
    }
    OnAnalyze();
    return true;
}

void CHeaderDlg::OnTidyAnalysis(bool bTidy) {
    m_choice.m_bTidy = bTidy;
    m_pTidyAction->setChecked(bTidy);
    ShowAnalysisChoice();
}

void CHeaderDlg::ShowAnalysisChoice() {
    GetDlgItem(IDC_ANALYZE)
        ->setToolTip(
            QString::fromUtf8(m_choice.m_bTidy ? STR_ANALYZE_TIDY_TIP : STR_ANALYZE_RULES_TIP));
}

void CHeaderDlg::OnAbout() {
    CAboutDlg dlg(this);
    dlg.exec();
}

QWidget* CHeaderDlg::GetDlgItem(int nId) const {
    const auto it = m_mapItems.find(nId);
    return it != m_mapItems.end() ? it->second : nullptr;
}

std::string CHeaderDlg::GetDlgItemText(int nId) const {
    auto* pEdit = qobject_cast<QLineEdit*>(GetDlgItem(nId));
    return pEdit != nullptr ? PfToCp932(pEdit->text()) : std::string();
}

void CHeaderDlg::SetDlgItemText(int nId, std::string_view cp932) {
    if (auto* pEdit = qobject_cast<QLineEdit*>(GetDlgItem(nId))) {
        pEdit->setText(PfFromCp932(cp932));
    }
}

void CHeaderDlg::ShowMessage(const char* pszUtf8) {
    m_services.Message(this, AppText(pszUtf8));
}

bool CHeaderDlg::AskYesNo(const char* pszUtf8) {
    return m_services.Question(this, AppText(pszUtf8));
}
