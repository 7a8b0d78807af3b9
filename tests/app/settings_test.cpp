#include "app/app_text.h"
#include "app/control_ids.h"
#include "app_test_support.h"

#include <QRandomGenerator>

class CSettingsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CForm<>> m_pForm;

    // The developer, the format file's name and its path as the opened form shows them.
    QByteArray Shown() const {
        return (m_pForm->Text(IDC_DEVELOP) + '|' + m_pForm->Text(IDC_FORMAT_NAME) + '|').toUtf8() +
               m_pForm->m_pDlg->FormatPath();
    }

private slots:
    void init() { m_pForm = std::make_unique<CForm<>>(); }
    void cleanup() { m_pForm.reset(); }

    void profileStaysUnderTheStartupDirectory() {
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        QCOMPARE(QString::fromStdString(app.ProfilePath()), IniPath());
        WriteIni("[App]\nDEVELOP=X\n");
        QTemporaryDir other;
        QDir::setCurrent(other.path());
        QCOMPARE(app.GetProfileString("App", "DEVELOP", ""), std::string("X"));
        QVERIFY(app.WriteProfileString("App", "DEVELOP", "Y"));
        QDir::setCurrent(m_pForm->m_dir.path());
        QCOMPARE(ReadFile(IniPath()), QByteArray("[App]\nDEVELOP=Y\n"));
    }

    // The form opened over a settings file, closed with the developer typed (or untouched), and
    // opened again.
    void settingsThroughTheForm_data() {
        QTest::addColumn<int>("nIni");  // what ini is
        QTest::addColumn<int>("nFile"); // what ini/informatin.ini is
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("shown"); // "developer|file name|path"
        QTest::addColumn<QByteArray>("typed"); // null: closed untouched
        QTest::addColumn<QByteArray>("after"); // the file once closed; null: not checked
        const QByteArray none;
        const QByteArray utf8 = "[App]\nDEVELOP=山田\nFILE_NAME=書式.txt\nFILE_PATH=/p/書式.txt\n";
        const QByteArray edited =
            "[App]\nDEVELOP=鈴木～\nFILE_NAME=書式.txt\nFILE_PATH=/p/書式.txt\n";
        const QByteArray cp932 = "[App]\r\nDEVELOP=\x8e\x52\x93\x63\r\nFILE_NAME=\x8f\x91\x8e\xae."
                                 "txt\r\nFILE_PATH=C:\\\x8f\x91\x8e\xae.txt\r\n";
        const QByteArray fromCp932 =
            "[App]\nDEVELOP=山田\nFILE_NAME=書式.txt\nFILE_PATH=C:\\\x8f\x91\x8e\xae.txt\n";
        const QByteArray named = "[App]\nFILE_NAME=a.txt\nFILE_PATH=";
        const QByteArray full(FORMAT_PATH_SIZE - 1, 'p');
        const QByteArray big =
            "[App]\nDEVELOP=" + QByteArray(1 << 20, 'x') + "\nFILE_NAME=a.txt\nFILE_PATH=/a.txt\n";
        const QByteArray jose = "[App]\nDEVELOP=Jos\xC3\xA9\nFILE_NAME=\nFILE_PATH=\n";
        QByteArray garbage(64 << 10, '\0');
        QRandomGenerator(42).fillRange(reinterpret_cast<quint32*>(garbage.data()),
                                       garbage.size() / 4);
        // clang-format off
        QTest::newRow("no ini folder") << LAY_NONE << LAY_NONE << none << QByteArray("||") << QByteArray("typed") << none;
        QTest::newRow("empty ini folder") << LAY_FOLDER << LAY_NONE << none << QByteArray("||") << QByteArray("山田 太郎") << QByteArray("[App]\nDEVELOP=山田 太郎\nFILE_NAME=\nFILE_PATH=\n");
        QTest::newRow("UTF-8 round trip") << LAY_FOLDER << LAY_FILE << utf8 << QByteArray("山田|書式.txt|/p/書式.txt") << QByteArray("鈴木～") << edited;
        QTest::newRow("code page 932 file") << LAY_FOLDER << LAY_FILE << cp932 << QByteArray("山田|書式.txt|C:\\\x8f\x91\x8e\xae.txt") << none << fromCp932;
        QTest::newRow("empty path") << LAY_FOLDER << LAY_FILE << named + "\n" << QByteArray("|a.txt|") << none << none;
        QTest::newRow("path fills the array") << LAY_FOLDER << LAY_FILE << named + full + "\n" << "|a.txt|" + full << none << none;
        // A path that does not fit names no usable file, nor does its name; closing drops both.
        QTest::newRow("path one past the array") << LAY_FOLDER << LAY_FILE << named + full + "p\n" << QByteArray("||") << none << none;
        QTest::newRow("FILE_PATH of 5000 bytes") << LAY_FOLDER << LAY_FILE << named + QByteArray(5000, 'p') + "\n" << QByteArray("||") << none << QByteArray("[App]\nFILE_NAME=\nFILE_PATH=\nDEVELOP=\n");
        QTest::newRow("binary garbage") << LAY_FOLDER << LAY_FILE << garbage << QByteArray("||") << QByteArray("typed") << none;
        // A box holds 32,767 characters; the stored value goes back whole all the same.
        QTest::newRow("1 MB value") << LAY_FOLDER << LAY_FILE << big << QByteArray(32767, 'x') + "|a.txt|/a.txt" << none << big;
        QTest::newRow("UTF-8 outside code page 932") << LAY_FOLDER << LAY_FILE << jose << QByteArray("Jos?||") << none << jose;
        QTest::newRow("ini is a file") << LAY_FILE << LAY_NONE << QByteArray("mine") << QByteArray("||") << QByteArray("typed") << QByteArray("mine");
        QTest::newRow("FIFO") << LAY_FOLDER << LAY_FIFO << none << QByteArray("||") << QByteArray("typed") << none;
        // clang-format on
    }

    void settingsThroughTheForm() {
        QFETCH(int, nIni);
        QFETCH(int, nFile);
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, shown);
        QFETCH(QByteArray, typed);
        QFETCH(QByteArray, after);
        QVERIFY(Lay("ini", nIni, stored) && Lay(IniPath(), nFile, stored));
        m_pForm->Open();
        QCOMPARE(Shown(), shown);
        const QString strDevelop = m_pForm->Text(IDC_DEVELOP);
        if (!typed.isNull()) {
            m_pForm->m_pDlg->SetDlgItemText(IDC_DEVELOP, AppText(typed.constData()));
        }
        m_pForm->Close();
        if (!after.isNull()) {
            QCOMPARE(ReadFile(nIni == LAY_FILE ? "ini" : IniPath()), after);
        }
        QCOMPARE(QFileInfo::exists("ini"), nIni != LAY_NONE);
        // Only a folder holding a regular file (or none yet) is written to.
        const bool bSaved = nIni == LAY_FOLDER && nFile != LAY_FIFO;
        m_pForm->Open();
        QCOMPARE(m_pForm->Text(IDC_DEVELOP),
                 bSaved && !typed.isNull() ? QString::fromUtf8(typed) : strDevelop);
    }

    void pathWithLineBreakIsNotSavedButTheRestIs() {
        WriteIni("[App]\nFILE_PATH=/old.txt\n");
        m_pForm->Open().SetDlgItemText(IDC_DEVELOP, "typed");
        m_pForm->Choose("/new\n[App]\nDEVELOP=injected.txt");
        m_pForm->Close();
        QCOMPARE(ReadFile(IniPath()), QByteArray("[App]\nFILE_PATH=/old.txt\nDEVELOP=typed\n"));
    }

    void currentDirectoryOf3000Bytes() {
        const QString strDeep = QString(QString(250, 'd') + '/').repeated(12);
        QVERIFY(QDir().mkpath(strDeep) && QDir::setCurrent(strDeep));
        QVERIFY(QDir::currentPath().size() > 3000);
        WriteIni("[App]\nDEVELOP=deep\n");
        QCOMPARE(m_pForm->Open().GetDlgItemText(IDC_DEVELOP), std::string("deep"));
        m_pForm->m_pDlg->SetDlgItemText(IDC_DEVELOP, "deeper");
        m_pForm->Close();
        QCOMPARE(ReadFile(IniPath()),
                 QByteArray("[App]\nDEVELOP=deeper\nFILE_NAME=\nFILE_PATH=\n"));
    }

    void initInstanceRunsTheFormUntilEscape() {
        WriteIni("[App]\nDEVELOP=X\n");
        bool bSawForm = false;
        WhenModal([&bSawForm](QWidget* pModal) {
            bSawForm = qobject_cast<CHeaderDlg*>(pModal) != nullptr;
            QTest::keyClick(pModal, Qt::Key_Escape);
        });
        CHeaderApp app;
        QVERIFY(!app.InitInstance());
        QVERIFY(bSawForm);
        QCOMPARE(ReadFile(IniPath()), QByteArray("[App]\nDEVELOP=X\nFILE_NAME=\nFILE_PATH=\n"));
    }
};

QTEST_MAIN(CSettingsTest)
#include "settings_test.moc"
