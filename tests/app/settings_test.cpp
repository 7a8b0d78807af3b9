#include "app/control_ids.h"
#include "app/header_app.h"
#include "app/header_dlg.h"
#include "app_test_support.h"

#include <QLineEdit>
#include <QtTest>
#include <memory>

namespace {

QLineEdit* Box(const CHeaderDlg& dlg, int nId) {
    return qobject_cast<QLineEdit*>(dlg.GetDlgItem(nId));
}

// Opens the form over the settings, checks what it read, optionally types a developer name,
// and closes it again, which saves.
void ExpectForm(CHeaderApp& app, const QString& strDevelop, const QString& strName,
                const QByteArray& path, const QString& strNewDevelop = QString()) {
    CHeaderDlg dlg(app);
    QCOMPARE(Box(dlg, IDC_DEVELOP)->text(), strDevelop);
    QCOMPARE(Box(dlg, IDC_FORMAT_NAME)->text(), strName);
    QCOMPARE(QByteArray(dlg.FormatPath()), path);
    if (!strNewDevelop.isNull()) {
        Box(dlg, IDC_DEVELOP)->setText(strNewDevelop);
    }
}

} // namespace

class CSettingsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CTempCwd> m_pCwd;
    std::unique_ptr<CHeaderApp> m_pApp;

private slots:
    void init() {
        m_pCwd = std::make_unique<CTempCwd>();
        m_pApp = std::make_unique<CHeaderApp>();
    }

    void cleanup() {
        m_pApp.reset();
        m_pCwd.reset();
    }

    void profileStaysUnderTheStartupDirectory() {
        QVERIFY(m_pApp->ProfilePath().empty());
        QVERIFY(m_pApp->InitProfile());
        QCOMPARE(QString::fromStdString(m_pApp->ProfilePath()), IniPath());
        WriteIni("[App]\nDEVELOP=X\n");
        QTemporaryDir other;
        QDir::setCurrent(other.path());
        QCOMPARE(m_pApp->GetProfileString("App", "DEVELOP", ""), std::string("X"));
        QVERIFY(m_pApp->WriteProfileString("App", "DEVELOP", "Y"));
        QDir::setCurrent(m_pCwd->Path());
        QCOMPARE(ReadIni(), QByteArray("[App]\nDEVELOP=Y\n"));
        QCOMPARE(m_pApp->ExitInstance(), 0);
        QVERIFY(m_pApp->ProfilePath().empty());
    }

    void profileTakesADirectoryOfAnyLength() {
        // Far beyond the 260 bytes a path once had to fit in.
        const QString strDeep = QString(QString(60, 'd') + '/').repeated(6);
        QVERIFY(QDir().mkpath(strDeep) && QDir::setCurrent(strDeep));
        WriteIni("[App]\nDEVELOP=deep\n");
        QVERIFY(m_pApp->InitProfile());
        QCOMPARE(m_pApp->GetProfileString("App", "DEVELOP", ""), std::string("deep"));
    }

    void firstRunWithoutIniFolderCreatesNothing() {
        QVERIFY(m_pApp->InitProfile());
        ExpectForm(*m_pApp, "", "", "", "someone");
        QVERIFY(!QDir(m_pCwd->Path()).exists("ini"));
    }

    void closingWritesTheThreeKeysInOrder() {
        QDir::current().mkdir("ini");
        QVERIFY(m_pApp->InitProfile());
        ExpectForm(*m_pApp, "", "", "", "山田 太郎");
        QCOMPARE(ReadIni(), QByteArray("[App]\nDEVELOP=山田 太郎\nFILE_NAME=\nFILE_PATH=\n"));
    }

    void valuesSurviveARoundTrip() {
        WriteIni("[App]\nDEVELOP=山田\nFILE_NAME=書式.txt\nFILE_PATH=/p/書式.txt\n");
        QVERIFY(m_pApp->InitProfile());
        ExpectForm(*m_pApp, "山田", "書式.txt", "/p/書式.txt", "鈴木～");
        ExpectForm(*m_pApp, "鈴木～", "書式.txt", "/p/書式.txt");
    }

    void keysMatchWithoutRegardToCase() {
        WriteIni("[app]\ndevelop=X\nFile_Name=a.txt\nfile_path=/p/a.txt\n");
        QVERIFY(m_pApp->InitProfile());
        ExpectForm(*m_pApp, "X", "a.txt", "/p/a.txt", "Y");
        // Written back over the same keys, not beside them.
        QCOMPARE(ReadIni(), QByteArray("[app]\ndevelop=Y\nFile_Name=a.txt\nfile_path=/p/a.txt\n"));
    }

    void commentsAndOtherEntriesAreKept() {
        WriteIni("; by hand\n[Other]\nKEEP=1\n[App]\n; author\nDEVELOP=X\nEXTRA=2\n");
        QVERIFY(m_pApp->InitProfile());
        ExpectForm(*m_pApp, "X", "", "");
        const QByteArray ini = ReadIni();
        for (const char* pszLine : {"; by hand\n", "[Other]\nKEEP=1\n", "; author\nDEVELOP=X\n",
                                    "EXTRA=2\nFILE_NAME=\nFILE_PATH=\n"}) {
            QVERIFY2(ini.contains(pszLine), ini.constData());
        }
    }

    void readsAFileWrittenInCodePage932() {
        // 山田 and 書式.txt as a code page 932 system stored them.
        WriteIni("[App]\r\nDEVELOP=\x8e\x52\x93\x63\r\nFILE_NAME=\x8f\x91\x8e\xae.txt\r\n"
                 "FILE_PATH=C:\\\x8f\x91\x8e\xae.txt\r\n");
        QVERIFY(m_pApp->InitProfile());
        ExpectForm(*m_pApp, "山田", "書式.txt", "C:\\\x8f\x91\x8e\xae.txt");
        // Saved back as UTF-8 text; the path keeps its bytes.
        QCOMPARE(
            ReadIni(),
            QByteArray(
                "[App]\nDEVELOP=山田\nFILE_NAME=書式.txt\nFILE_PATH=C:\\\x8f\x91\x8e\xae.txt\n"));
    }

    void storedPathLength_data() {
        QTest::addColumn<int>("nLength");
        QTest::addColumn<bool>("bKept");
        QTest::newRow("empty") << 0 << true;
        QTest::newRow("fills the path array") << FORMAT_PATH_SIZE - 1 << true;
        QTest::newRow("one past the path array") << FORMAT_PATH_SIZE << false;
        QTest::newRow("far past the path array") << 4 * FORMAT_PATH_SIZE << false;
    }

    void storedPathLength() {
        QFETCH(int, nLength);
        QFETCH(bool, bKept);
        const QByteArray path = QByteArray(nLength, 'p');
        WriteIni("[App]\nFILE_NAME=a.txt\nFILE_PATH=" + path + "\n");
        QVERIFY(m_pApp->InitProfile());
        // A path that does not fit is no format file at all, name included.
        ExpectForm(*m_pApp, "", bKept ? "a.txt" : "", bKept ? path : QByteArray());
    }

    void initInstanceRunsTheFormUntilEscape() {
        WriteIni("[App]\nDEVELOP=X\n");
        bool bSawForm = false;
        WhenModal([&bSawForm](QWidget* pModal) {
            bSawForm = qobject_cast<CHeaderDlg*>(pModal) != nullptr;
            QTest::keyClick(pModal, Qt::Key_Escape);
        });
        QVERIFY(!m_pApp->InitInstance());
        QVERIFY(bSawForm);
        QCOMPARE(ReadIni(), QByteArray("[App]\nDEVELOP=X\nFILE_NAME=\nFILE_PATH=\n"));
    }
};

QTEST_MAIN(CSettingsTest)
#include "settings_test.moc"
