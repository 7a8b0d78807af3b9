#include "app/control_ids.h"
#include "app/header_app.h"
#include "app/header_dlg.h"
#include "app_test_support.h"
#include "recording_prompt.h"
#include "resident_memory.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>
#include <memory>
#include <sys/stat.h>

namespace {

// How a row lays out the file under test.
constexpr int REGULAR = 0;     // a file holding the row's bytes
constexpr int FIFO = 1;        // a FIFO nobody writes to
constexpr int SPARSE = 2;      // the row's bytes, then holes up to 100 MB
constexpr int INI_IS_FILE = 3; // settings only: `ini` is a file holding the row's bytes

constexpr qint64 SPARSE_SIZE = 100 << 20;
// Generous for a slow machine; reading a whole 100 MB file or a blocked open would pass it.
constexpr qint64 PROMPT_MS = 2000;
// Growth of the resident memory that only reading a large file whole would exceed.
constexpr long MEMORY_BOUND = 16 << 20;

const QString COPIED = QStringLiteral("コメントをクリップボードにコピーしました。");
const QString SELECT = QStringLiteral("フォーマットファイルを選択してください。");

bool Lay(const QString& strPath, int nKind, const QByteArray& bytes) {
    QFile::remove(strPath);
    if (nKind == FIFO) {
        return mkfifo(QFile::encodeName(strPath).constData(), 0600) == 0;
    }
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
           (nKind != SPARSE || file.resize(SPARSE_SIZE));
}

} // namespace

class CHostileInputTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CTempCwd> m_pCwd;
    std::unique_ptr<CHeaderApp> m_pApp;
    std::unique_ptr<CHeaderDlg> m_pDlg;
    CRecordingPrompt m_prompt;

    void Open() {
        m_pApp = std::make_unique<CHeaderApp>();
        QVERIFY(m_pApp->InitProfile());
        m_pDlg = std::make_unique<CHeaderDlg>(*m_pApp);
    }
    // Closing saves the settings.
    void Close() {
        m_pDlg.reset();
        m_pApp.reset();
    }
    QByteArray Box(int nId) const { return QByteArray::fromStdString(m_pDlg->GetDlgItemText(nId)); }
    void Choose(const QByteArray& path) {
        m_prompt.m_strPath = path.toStdString();
        m_pDlg->OnSelectFormat();
    }

private slots:
    void init() {
        m_pCwd = std::make_unique<CTempCwd>();
        m_prompt = CRecordingPrompt();
        PfSetPrompt(&m_prompt);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }

    void cleanup() {
        PfSetPrompt(nullptr);
        Close();
        m_pCwd.reset();
    }

    void pasteFromHostileClipboard_data() {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("10 MB of text") << QString(10 << 20, 'a') << QByteArray(2047, 'a');
        QTest::newRow("outside code page 932")
            << QString::fromUtf8("int f(char \xF0\x9F\x98\x80, long \xE2\x82\xAC)")
            << QByteArray("int f(char ?, long ?)");
        const QChar nul(0);
        QTest::newRow("NUL characters")
            << QString("int f(") + nul + "int a)" + nul << QByteArray("int f(int a)");
        QTest::newRow("NULs past 2047 bytes")
            << QString(4096, nul) + QString(3000, 'b') << QByteArray(2047, 'b');
        QTest::newRow("all comments")
            << QString("/* only */// comments\r\n/* here */") << QByteArray();
    }

    void pasteFromHostileClipboard() {
        QFETCH(QString, clip);
        QFETCH(QByteArray, expected);
        Open();
        QGuiApplication::clipboard()->setText(clip);
        m_pDlg->SetDlgItemText(IDC_DECL_INPUT, "typed");
        QElapsedTimer timer;
        timer.start();
        m_pDlg->OnPasteClipboard();
        QVERIFY(timer.elapsed() < PROMPT_MS);
        QCOMPARE(Box(IDC_DECL_INPUT), expected);
        QCOMPARE(m_prompt.m_listShown, QStringList());
    }

    void makeHeaderFromHostileFormatFile_data() {
        QTest::addColumn<int>("nKind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("message");
        QTest::newRow("FIFO with no writer")
            << FIFO << QByteArray() << "before"
            << QString("フォーマットファイルが異常です。コメントは作成されません。");
        // Only the first lines are ever expanded, so only a bounded start is read.
        QTest::newRow("100 MB") << SPARSE << QByteArray("<@TITLE@>\n") << "t\n" << COPIED;
        // A NUL ends its line's text there, line end included; the next line follows on.
        QTest::newRow("NUL bytes") << REGULAR << QByteArray("a<@TITLE@>\0lost\nb\n", 18) << "atb\n"
                                   << COPIED;
        // Bytes that are no code page 932 character reach the clipboard as '?'.
        QTest::newRow("invalid Shift-JIS")
            << REGULAR << QByteArray("\xFF<@TITLE@>\x81\n") << "?t?\n"
            << COPIED;
        // A lone CR ends no line: the file is one line, its CRs kept.
        QTest::newRow("CR-only line ends")
            << REGULAR << QByteArray("/*\r * <@TITLE@>\r */\r") << "/*\r * t\r */\r" << COPIED;
    }

    void makeHeaderFromHostileFormatFile() {
        QFETCH(int, nKind);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, clip);
        QFETCH(QString, message);
        QVERIFY(Lay("format.txt", nKind, bytes));
        Open();
        Choose(QFile::encodeName(QDir::current().filePath("format.txt")));
        m_pDlg->SetDlgItemText(IDC_TITLE, "t");
        const long nBefore = ResidentBytes();
        QElapsedTimer timer;
        timer.start();
        m_pDlg->OnMakeHeader();
        QVERIFY(timer.elapsed() < PROMPT_MS);
        QVERIFY(ResidentBytes() - nBefore < MEMORY_BOUND);
        QCOMPARE(m_prompt.m_listShown.join('|'), message);
        QCOMPARE(QGuiApplication::clipboard()->text(), clip);
    }

    void formatPathOf4000BytesIsNoFormatFile() {
        const QByteArray path = '/' + QByteArray(3995, 'p') + ".txt";
        WriteIni("[App]\nFILE_NAME=p.txt\nFILE_PATH=" + path + "\n");
        Open();
        QCOMPARE(Box(IDC_FORMAT_NAME), QByteArray());
        Choose(path);
        m_pDlg->OnMakeHeader();
        QCOMPARE(m_prompt.m_listShown,
                 QStringList({"フォーマットファイルのパスが長すぎる為、選択できません。", SELECT}));
    }

    void pathWithLineBreakIsNotSavedButTheRestIs() {
        WriteIni("[App]\nFILE_PATH=/old.txt\n");
        Open();
        Choose("/new\n[App]\nDEVELOP=injected.txt");
        m_pDlg->SetDlgItemText(IDC_DEVELOP, "typed");
        Close();
        QCOMPARE(ReadIni(), QByteArray("[App]\nFILE_PATH=/old.txt\nDEVELOP=typed\n"));
    }

    void hostileSettingsFile_data() {
        QTest::addColumn<int>("nKind");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("develop"); // what the form shows
        QTest::addColumn<QByteArray>("name");    // the format file the form shows
        QTest::addColumn<QByteArray>("after");   // the file once the form is closed untouched
        QTest::addColumn<bool>("bSaved");        // whether a typed name survives
        QByteArray garbage(64 << 10, '\0');
        QRandomGenerator random(42);
        for (char& byte : garbage) {
            byte = static_cast<char>(random.generate());
        }
        QTest::newRow("binary garbage")
            << REGULAR << garbage << QByteArray() << QByteArray() << QByteArray() << true;
        const QByteArray big =
            "[App]\nDEVELOP=" + QByteArray(1 << 20, 'x') + "\nFILE_NAME=a.txt\nFILE_PATH=/a.txt\n";
        // The box holds 32,767 characters; the stored value is kept whole all the same.
        QTest::newRow("1 MB value")
            << REGULAR << big << QByteArray(32767, 'x') << QByteArray("a.txt") << big << true;
        const QByteArray utf8 = "[App]\nDEVELOP=Jos\xC3\xA9\nFILE_NAME=\nFILE_PATH=\n";
        QTest::newRow("UTF-8 outside code page 932")
            << REGULAR << utf8 << QByteArray("Jos?") << QByteArray() << utf8 << true;
        // A path that does not fit names no usable file; closing drops it with its name.
        QTest::newRow("FILE_PATH of 5000 bytes")
            << REGULAR << "[App]\nFILE_NAME=a.txt\nFILE_PATH=" + QByteArray(5000, 'p') + "\n"
            << QByteArray() << QByteArray()
            << QByteArray("[App]\nFILE_NAME=\nFILE_PATH=\nDEVELOP=\n") << true;
        QTest::newRow("ini is a file") << INI_IS_FILE << QByteArray("mine") << QByteArray()
                                       << QByteArray() << QByteArray("mine") << false;
        QTest::newRow("FIFO") << FIFO << QByteArray() << QByteArray() << QByteArray()
                              << QByteArray() << false;
    }

    void hostileSettingsFile() {
        QFETCH(int, nKind);
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, develop);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, after);
        QFETCH(bool, bSaved);
        const bool bIniFolder = nKind != INI_IS_FILE;
        QVERIFY(!bIniFolder || QDir::current().mkdir("ini"));
        QVERIFY(Lay(bIniFolder ? IniPath() : "ini", nKind, stored));
        Open();
        QCOMPARE(Box(IDC_DEVELOP), develop);
        QCOMPARE(Box(IDC_FORMAT_NAME), name);
        Close();
        if (!after.isEmpty()) {
            QFile file(bIniFolder ? IniPath() : "ini");
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), after);
        }
        Open();
        m_pDlg->SetDlgItemText(IDC_DEVELOP, "typed");
        Close();
        Open();
        QCOMPARE(Box(IDC_DEVELOP), bSaved ? QByteArray("typed") : develop);
    }

    void currentDirectoryOf3000Bytes() {
        QString strDeep;
        while (strDeep.size() < 3000) {
            strDeep += QString(250, 'd') + '/';
        }
        QVERIFY(QDir().mkpath(strDeep + "ini") && QDir::setCurrent(strDeep));
        QVERIFY(QDir::currentPath().size() > 3000);
        WriteIni("[App]\nDEVELOP=deep\n");
        Open();
        QCOMPARE(Box(IDC_DEVELOP), QByteArray("deep"));
        m_pDlg->SetDlgItemText(IDC_DEVELOP, "deeper");
        Close();
        QCOMPARE(ReadIni(), QByteArray("[App]\nDEVELOP=deeper\nFILE_NAME=\nFILE_PATH=\n"));
    }
};

QTEST_MAIN(CHostileInputTest)
#include "hostile_input_test.moc"
