#pragma once

#include "app/header_app.h"
#include "app/header_dlg.h"
#include "platform/qt_text.h"
#include "platform/user_prompt.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <fstream>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

inline QString IniPath() {
    return QDir::current().filePath(QStringLiteral("ini/informatin.ini"));
}

// What a test puts at a path: nothing, a folder, a file of given bytes, a FIFO nobody writes
// to, or the bytes followed by holes up to LAY_SPARSE_SIZE (plain ints, as data columns take).
constexpr int LAY_NONE = 0, LAY_FOLDER = 1, LAY_FILE = 2, LAY_FIFO = 3, LAY_SPARSE = 4;
// Large enough that reading such a file whole would show in time and memory.
constexpr qint64 LAY_SPARSE_SIZE = 100 << 20;

inline bool Lay(const QString& strPath, int nKind, const QByteArray& bytes = QByteArray()) {
    if (nKind == LAY_NONE || nKind == LAY_FOLDER) {
        return nKind == LAY_NONE || QDir().mkpath(strPath);
    }
    if (nKind == LAY_FIFO) {
        return mkfifo(QFile::encodeName(strPath).constData(), 0600) == 0;
    }
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
           (nKind != LAY_SPARSE || file.resize(LAY_SPARSE_SIZE));
}

inline QByteArray ReadFile(const QString& strPath) {
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteIni(const QByteArray& bytes) {
    QVERIFY(Lay(QStringLiteral("ini"), LAY_FOLDER) && Lay(IniPath(), LAY_FILE, bytes));
}

// Resident memory of this process in bytes: the second figure of /proc/self/statm, in pages.
inline long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long nSize = 0;
    long nResident = 0;
    statm >> nSize >> nResident;
    return nResident * sysconf(_SC_PAGESIZE);
}

// A modal dialog or menu blocks the test in its own event loop; this hands the window to `fn`
// once `find` reports it, from inside that loop. It gives up after about five seconds, so that
// a window that never comes cannot reach a later test.
inline void WhenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> fn,
                      int nPolls = 500) {
    QTimer::singleShot(10, [find, fn, nPolls] {
        if (QWidget* pWindow = find()) {
            fn(pWindow);
        } else if (nPolls > 0) {
            WhenShown(find, fn, nPolls - 1);
        }
    });
}

inline void WhenModal(std::function<void(QWidget*)> fn) {
    WhenShown([] { return QApplication::activeModalWidget(); }, std::move(fn));
}

// Answers every prompt as told and records the texts it showed.
class CRecordingPrompt : public CUserPrompt {
public:
    void Message(QWidget*, const std::string& text) override { m_listShown << PfFromCp932(text); }
    bool Question(QWidget*, const std::string& text) override {
        m_listShown << PfFromCp932(text);
        return m_bYes;
    }
    bool ChooseFormatFile(QWidget*, std::string* pPath, std::string* pName) override {
        *pPath = m_strPath;
        *pName = QFileInfo(QString::fromStdString(m_strPath)).fileName().toStdString();
        return m_bChoose;
    }

    QStringList m_listShown;
    bool m_bYes = true;
    bool m_bChoose = true;
    std::string m_strPath;
};

// One test's world: a fresh empty current directory, prompts that answer as told, "before" on
// the clipboard, and the application and form once opened. The form is closed, and so saves,
// before the directory is left and removed.
template <class TDlg = CHeaderDlg> class CForm {
public:
    CForm() : m_strOldCwd(QDir::currentPath()) {
        QDir::setCurrent(m_dir.path());
        PfSetPrompt(&m_prompt);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }
    ~CForm() {
        Close();
        PfSetPrompt(nullptr);
        QDir::setCurrent(m_strOldCwd);
    }
    CForm(const CForm&) = delete;
    CForm& operator=(const CForm&) = delete;

    TDlg& Open() {
        m_pApp = std::make_unique<CHeaderApp>();
        m_pApp->InitProfile();
        m_pDlg = std::make_unique<TDlg>(*m_pApp);
        return *m_pDlg;
    }
    // Closing saves the settings.
    void Close() {
        m_pDlg.reset();
        m_pApp.reset();
    }
    QByteArray Box(int nId) const { return QByteArray::fromStdString(m_pDlg->GetDlgItemText(nId)); }
    QString Text(int nId) const { return PfFromCp932(m_pDlg->GetDlgItemText(nId)); }
    void Choose(const QByteArray& path) {
        m_prompt.m_strPath = path.toStdString();
        m_pDlg->OnSelectFormat();
    }
    QString Shown() const { return m_prompt.m_listShown.join('|'); }

    QTemporaryDir m_dir;
    QString m_strOldCwd;
    CRecordingPrompt m_prompt;
    std::unique_ptr<CHeaderApp> m_pApp;
    std::unique_ptr<TDlg> m_pDlg;
};
