#include "app/control_ids.h"
#include "app/header_app.h"
#include "app/header_dlg.h"
#include "app_test_support.h"
#include "platform/qt_text.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

namespace {

QString BoxText(const CHeaderDlg& dlg, int nId) {
    return qobject_cast<QLineEdit*>(dlg.GetDlgItem(nId))->text();
}

void SetBoxText(const CHeaderDlg& dlg, int nId, const QString& strText) {
    qobject_cast<QLineEdit*>(dlg.GetDlgItem(nId))->setText(strText);
}

// Opens the form over the settings, checks what it read, optionally types a developer name,
// and closes it again, which saves.
void ExpectForm(CHeaderApp& app, const QString& strDevelop, const QString& strName,
                const QByteArray& path, const QString& strNewDevelop = QString()) {
    CHeaderDlg dlg(app);
    QCOMPARE(BoxText(dlg, IDC_DEVELOP), strDevelop);
    QCOMPARE(BoxText(dlg, IDC_FORMAT_NAME), strName);
    QCOMPARE(QByteArray(dlg.FormatPath()), path);
    if (!strNewDevelop.isNull()) {
        SetBoxText(dlg, IDC_DEVELOP, strNewDevelop);
    }
}

// Lines of the settings file that set `key`, in any case.
int CountKey(const QByteArray& ini, const char* key) {
    const QRegularExpression re(QStringLiteral("^%1=").arg(QLatin1String(key)),
                                QRegularExpression::MultilineOption |
                                    QRegularExpression::CaseInsensitiveOption);
    int n = 0;
    for (auto it = re.globalMatch(QString::fromLatin1(ini)); it.hasNext(); it.next()) {
        ++n;
    }
    return n;
}

} // namespace

class CSettingsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CTempCwd> m_pCwd;

private slots:
    void init() { m_pCwd = std::make_unique<CTempCwd>(); }
    void cleanup() { m_pCwd.reset(); }

    void profileLiesUnderTheStartupDirectory() {
        CHeaderApp app;
        QVERIFY(app.ProfilePath().empty());
        QVERIFY(app.InitProfile());
        const QString strExpected = QDir(m_pCwd->Path()).filePath("ini/informatin.ini");
        QCOMPARE(QString::fromStdString(app.ProfilePath()), strExpected);

        // Moving elsewhere afterwards changes nothing: the file stays where the program started.
        WriteIni("[App]\nDEVELOP=X\n");
        QTemporaryDir other;
        QDir::setCurrent(other.path());
        QCOMPARE(app.GetProfileString("App", "DEVELOP", ""), std::string("X"));
        QVERIFY(app.WriteProfileString("App", "DEVELOP", "Y"));
        QDir::setCurrent(m_pCwd->Path());
        QVERIFY(ReadIni().contains("DEVELOP=Y"));
        QVERIFY(!QFile::exists(other.filePath("ini/informatin.ini")));

        app.ExitInstance();
        QVERIFY(app.ProfilePath().empty());
    }

    void profileAcceptsAnyDirectoryLength() {
        // Far beyond the 260 bytes a path once had to fit in.
        const QString strDeep = QString(QStringLiteral("d").repeated(60) + '/').repeated(6);
        QVERIFY(QDir().mkpath(strDeep));
        QDir::setCurrent(strDeep);
        QVERIFY(QDir::currentPath().size() > 300);
        WriteIni("[App]\nDEVELOP=deep\n");
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        QCOMPARE(app.GetProfileString("App", "DEVELOP", ""), std::string("deep"));
    }

    void withoutProfileReadsGiveDefaultsAndWritesFail() {
        WriteIni("[App]\nDEVELOP=X\n");
        CHeaderApp app;
        QCOMPARE(app.GetProfileString("App", "DEVELOP", "def"), std::string("def"));
        QCOMPARE(app.GetProfileRaw("App", "DEVELOP", "def"), std::string("def"));
        QVERIFY(!app.WriteProfileString("App", "DEVELOP", "Y"));
        QVERIFY(!app.WriteProfileRaw("App", "DEVELOP", "Y"));
        QCOMPARE(ReadIni(), QByteArray("[App]\nDEVELOP=X\n"));
    }

    void firstRunWithoutIniFolderCreatesNothing() {
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        ExpectForm(app, "", "", "", "someone");
        QVERIFY(!QDir(m_pCwd->Path()).exists("ini"));
    }

    void closingWritesTheThreeKeysInOrder() {
        QDir::current().mkdir("ini");
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        ExpectForm(app, "", "", "", "山田 太郎");
        // The file is UTF-8 like every configuration file here, the keys in the order written.
        QCOMPARE(ReadIni(), QByteArray("[App]\nDEVELOP=山田 太郎\nFILE_NAME=\nFILE_PATH=\n"));
    }

    void valuesSurviveARoundTrip() {
        WriteIni("[App]\nDEVELOP=山田\nFILE_NAME=書式.txt\nFILE_PATH=/p/書式.txt\n");
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        // The path stays in the file system's bytes; the name is converted for the form.
        ExpectForm(app, "山田", "書式.txt", "/p/書式.txt", "鈴木～");
        ExpectForm(app, "鈴木～", "書式.txt", "/p/書式.txt");
    }

    void keysMatchWithoutRegardToCase() {
        WriteIni("[app]\ndevelop=X\nFile_Name=a.txt\nfile_path=/p/a.txt\n");
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        ExpectForm(app, "X", "a.txt", "/p/a.txt");
        // Written back over the same keys, not beside them.
        const QByteArray ini = ReadIni();
        QCOMPARE(CountKey(ini, "DEVELOP"), 1);
        QCOMPARE(CountKey(ini, "FILE_NAME"), 1);
        QCOMPARE(CountKey(ini, "FILE_PATH"), 1);
        QCOMPARE(ini.count("[App]") + ini.count("[app]"), 1);
    }

    void commentsAndOtherEntriesAreKept() {
        WriteIni("; written by hand\n[Other]\nKEEP=1\n[App]\n; the author\nDEVELOP=X\nEXTRA=2\n");
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        { CHeaderDlg dlg(app); }
        const QByteArray ini = ReadIni();
        QVERIFY(ini.contains("; written by hand"));
        QVERIFY(ini.contains("; the author"));
        QVERIFY(ini.contains("[Other]\nKEEP=1"));
        QVERIFY(ini.contains("EXTRA=2"));
        QVERIFY(ini.contains("DEVELOP=X"));
    }

    void readsAFileWrittenInCodePage932() {
        // 山田 and 書式.txt as a code page 932 system stored them.
        WriteIni("[App]\r\nDEVELOP=\x8e\x52\x93\x63\r\nFILE_NAME=\x8f\x91\x8e\xae.txt\r\n"
                 "FILE_PATH=C:\\fmt\\\x8f\x91\x8e\xae.txt\r\n");
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        ExpectForm(app, "山田", "書式.txt", "C:\\fmt\\\x8f\x91\x8e\xae.txt");
        // Saved back as UTF-8 text; the path keeps its bytes.
        const QByteArray ini = ReadIni();
        QVERIFY(ini.contains("DEVELOP=山田"));
        QVERIFY(ini.contains("FILE_NAME=書式.txt"));
        QVERIFY(ini.contains("FILE_PATH=C:\\fmt\\\x8f\x91\x8e\xae.txt"));
    }

    void storedPathLength_data() {
        QTest::addColumn<int>("nLength");
        QTest::addColumn<bool>("bKept");
        QTest::newRow("empty") << 0 << true;
        QTest::newRow("one byte") << 1 << true;
        QTest::newRow("fills the path array") << FORMAT_PATH_SIZE - 1 << true;
        QTest::newRow("one past the path array") << FORMAT_PATH_SIZE << false;
        QTest::newRow("far past the path array") << 4 * FORMAT_PATH_SIZE << false;
    }

    void storedPathLength() {
        QFETCH(int, nLength);
        QFETCH(bool, bKept);
        const QByteArray path = nLength == 0 ? QByteArray() : '/' + QByteArray(nLength - 1, 'p');
        WriteIni("[App]\nFILE_NAME=a.txt\nFILE_PATH=" + path + "\n");
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        // A path that does not fit is no format file at all, name included.
        ExpectForm(app, "", bKept ? "a.txt" : "", bKept ? path : QByteArray());
    }

    void initInstanceRunsTheFormAndSavesOnClose() {
        WriteIni("[App]\nDEVELOP=X\n");
        CHeaderApp app;
        bool bSawForm = false;
        WhenModal([&bSawForm](QWidget* pModal) {
            bSawForm = qobject_cast<CHeaderDlg*>(pModal) != nullptr;
            QTest::keyClick(pModal, Qt::Key_Escape);
        });
        QVERIFY(!app.InitInstance());
        QVERIFY(bSawForm);
        QCOMPARE(ReadIni(), QByteArray("[App]\nDEVELOP=X\nFILE_NAME=\nFILE_PATH=\n"));
        QCOMPARE(app.ExitInstance(), 0);
    }

    void closeButtonAlsoSaves() {
        QDir::current().mkdir("ini");
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        WhenModal([](QWidget* pModal) {
            SetBoxText(*static_cast<CHeaderDlg*>(pModal), IDC_DEVELOP, "closed");
            pModal->close();
        });
        {
            CHeaderDlg dlg(app);
            QCOMPARE(dlg.exec(), int(QDialog::Rejected));
        }
        QVERIFY(ReadIni().contains("DEVELOP=closed"));
    }
};

QTEST_MAIN(CSettingsTest)
#include "settings_test.moc"
