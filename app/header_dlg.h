#pragma once

#include <QDialog>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

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
    // A settings value as opening read it and the text its box was then given.
    struct StoredText {
        std::string strValue; // what closing writes back while the box still shows strShown
        bool bRaw = false;    // strValue is the file's own UTF-8 bytes, not code page 932 text
        std::string strShown;
    };

    void OnInitDialog();
    void ShowStored(int nId, const char* pszKey, bool bKeep, StoredText* pStored);
    SettingsValue StoredValue(int nId, const char* pszKey, const StoredText& stored) const;
    bool PreTranslateMessage(QEvent* pEvent);
    void OnAbout();
    void OnDestroy();

    CHeaderApp& m_app;
    // The chosen format file as file system bytes; empty when none is chosen.
    char m_szFormatPath[FORMAT_PATH_SIZE];
    StoredText m_storedDevelop;
    StoredText m_storedName;
    std::map<int, QWidget*> m_mapItems;
};
