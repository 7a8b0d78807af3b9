#pragma once

#include "header/analysis_choice.h"
#include "header/box_text.h"
#include "platform/dialog_units.h"

#include <QDialog>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class CDesktopServices;
class QAction;
class CHeaderApp;
struct CBoxValue;
struct SettingsValue;

// The main form. Opening reads the settings and today's date into it; Enter anywhere in it
// analyses the declaration; closing (Escape or the close button) saves the settings.
class CHeaderDlg : public QDialog {
    Q_OBJECT

public:
    explicit CHeaderDlg(CHeaderApp& app, QWidget* pParent = nullptr);
    // Saves the settings: the form is destroyed exactly once, however it was closed.
    ~CHeaderDlg() override;

    // The five commands, run by their buttons (and OnAnalyze by Enter).
    void OnAnalyze();
    void OnClearInput();
    void OnPasteClipboard();
    void OnSelectFormat();
    void OnMakeHeader();
    // Empties the fifteen boxes that Analyse fills.
    void ClearAnalysis();
    // Places code page 932 text on the clipboard: 1 when placed, 0 when nothing was done (an
    // empty or null text included).
    int CopyToClipboard(const char* pszText);

    // Controls by identifier; the texts of the boxes in code page 932. An unknown identifier
    // gives nullptr, and any control but a box an empty text that setting does not change.
    QWidget* GetDlgItem(int nId) const;
    std::string GetDlgItemText(int nId) const;
    void SetDlgItemText(int nId, std::string_view cp932);

    // Modal messages over the form, texts from header/messages.h.
    void ShowMessage(const char* pszUtf8);
    bool AskYesNo(const char* pszUtf8);

    const char* FormatPath() const { return m_szFormatPath; }
    // The analysis Analyse runs: the tidy one while the form's menu item is checked.
    const CAnalysisChoice& AnalysisChoice() const { return m_choice; }
    // Checks or unchecks the menu item that switches the tidy analysis on.
    void OnTidyAnalysis(bool bTidy);
    // The dialog units the controls are placed in: the form font's, widened where a caption
    // needed it.
    const CDialogUnits& Units() const { return m_units; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnInitDialog();
    // Shows each value in the box of its key.
    void ShowBoxValues(const std::vector<CBoxValue>& values);
    void ShowStored(int nId, const char* pszKey, bool bKeep, std::string* pShown);
    std::vector<SettingsValue> ChangedSettings() const;
    bool PreTranslateMessage(QEvent* pEvent);
    void OnAbout();
    // Tells on the analyse button which analysis it runs.
    void ShowAnalysisChoice();
    void OnDestroy();

    CHeaderApp& m_app;
    CDesktopServices& m_services;
    // The chosen format file as file system bytes; empty when none is chosen.
    char m_szFormatPath[FORMAT_PATH_SIZE];
    // What opening showed of the settings, so that closing writes only what the user changed
    // in this window and leaves what another window saved meanwhile.
    std::string m_strShownDevelop;
    std::string m_strShownName;
    bool m_bOpenedTidy = false;
    CAnalysisChoice m_choice;
    QAction* m_pTidyAction = nullptr;
    std::string m_strOpenedPath;
    std::map<int, QWidget*> m_mapItems;
    // Fixed by the layout when the form is built.
    CDialogUnits m_units{1, 1};
};
