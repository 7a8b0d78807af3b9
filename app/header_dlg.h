#pragma once

#include <QDialog>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class CHeaderApp;
struct SettingsValue;

// Room for a format file path of at most 1023 bytes and its terminator; the commands read it as
// a C string.
constexpr int FORMAT_PATH_SIZE = 1024;
// Room for the date text: three numbers of up to 11 characters each (any int, though a real
// date is "yyyy/mm/dd"), two slashes and the terminator.
constexpr int DATE_TEXT_SIZE = 36;

// The main form. Opening reads the settings and today's date into it; Enter anywhere in it
// analyses the declaration; closing (Escape or the close button) saves the settings.
class CHeaderDlg : public QDialog {
    Q_OBJECT

public:
    explicit CHeaderDlg(CHeaderApp& app, QWidget* pParent = nullptr);
    // Saves the settings: the form is destroyed exactly once, however it was closed.
    ~CHeaderDlg() override;

    // The five commands, run by their buttons (and OnAnalyze by Enter). Virtual so that a test
    // can see which one ran.
    virtual void OnAnalyze();
    virtual void OnClearInput();
    virtual void OnPasteClipboard();
    virtual void OnSelectFormat();
    virtual void OnMakeHeader();
    // Empties the fifteen boxes that Analyse fills.
    void ClearAnalysis();
    // Places code page 932 text on the clipboard: 1 when placed, 0 when nothing was done.
    static int CopyToClipboard(const char* pszText);

    // Controls by identifier; texts are code page 932. An unknown identifier gives nullptr or an
    // empty text, and setting it does nothing.
    QWidget* GetDlgItem(int nId) const;
    std::string GetDlgItemText(int nId) const;
    // At most nMaxCount - 1 bytes and a terminator, cut between whole characters; the number
    // of bytes copied. Writes nothing when nMaxCount is not positive.
    int GetDlgItemText(int nId, char* pszText, int nMaxCount) const;
    void SetDlgItemText(int nId, std::string_view cp932);
    void EnableDlgItem(int nId, bool bEnable);

    // Modal messages over the form, texts from strings.h.
    void ShowMessage(const char* pszUtf8);
    bool AskYesNo(const char* pszUtf8);

    const char* FormatPath() const { return m_szFormatPath; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    // The clipboard as the commands reach it: ClipReadText and CopyToClipboard. A test replaces
    // them to stage a clipboard that cannot be read or written.
    virtual int ReadClipboard(std::string* pCp932, std::size_t nMaxBytes);
    virtual int WriteClipboard(const char* pszText);

private:
    void OnInitDialog();
    void ShowStored(int nId, const char* pszKey, bool bKeep, std::string* pShown);
    std::vector<SettingsValue> ChangedSettings() const;
    bool PreTranslateMessage(QEvent* pEvent);
    void OnAbout();
    void OnDestroy();

    CHeaderApp& m_app;
    // The chosen format file as file system bytes; empty when none is chosen.
    char m_szFormatPath[FORMAT_PATH_SIZE];
    // What opening showed of the settings, so that closing writes only what the user changed
    // in this window and leaves what another window saved meanwhile.
    std::string m_strShownDevelop;
    std::string m_strShownName;
    std::string m_strOpenedPath;
    std::map<int, QWidget*> m_mapItems;
};
