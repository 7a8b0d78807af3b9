#include "app/control_ids.h"
#include "app_test_support.h"
#include "format/header_keys.h"
#include "platform/clipboard.h"
#include "text/txt_alloc.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>

namespace {

// The form with a clipboard that can be made to fail both ways.
class CTestDlg : public CHeaderDlg {
public:
    using CHeaderDlg::CHeaderDlg;
    int ReadClipboard(std::string* pText, std::size_t nMax) override {
        return m_bBroken ? CLIP_ERROR : CHeaderDlg::ReadClipboard(pText, nMax);
    }
    int WriteClipboard(const char* pszText) override {
        return m_bBroken ? 0 : CHeaderDlg::WriteClipboard(pszText);
    }
    bool m_bBroken = false;
};

// What a row makes fail.
constexpr int OK = 0;
constexpr int NO_MEMORY = 1;
constexpr int CLIPBOARD_BROKEN = 2;
// A format file row that chooses no file at all.
constexpr int NOT_CHOSEN = -1;
// Generous for a slow machine; reading a whole 100 MB file or a blocked open would pass it.
constexpr qint64 PROMPT_MS = 2000;
// Growth of the resident memory that only reading a large file whole would exceed.
constexpr long MEMORY_BOUND = 16 << 20;

const QString NO_MEMORY_MSG = "メモリ不足エラーです。";
const QString SYNTAX = "入力された関数は文法エラーの為、解析できません。";
const QString TOO_MANY = "引数の数が最大数を超えました。[引数6]まで表示しますがよろしいですか？";
const QString NOT_TEXT = "テキスト形式を張付けてください。";
const QString CLIP_FAULT = "クリップボードのエラー発生。";
const QString BUFFER = "バッファエラー発生の為、コピーできません。";
const QString SELECT = "フォーマットファイルを選択してください。";
const QString FAULTY = "フォーマットファイルが異常です。コメントは作成されません。";
const QString COPIED = "コメントをクリップボードにコピーしました。";
const QString EMPTY = "フォーマットファイルの展開結果が空の為、コピーしませんでした。";
const QString NOT_WRITTEN = "クリップボードに書き込めませんでした。";
const QString TOO_LONG = "フォーマットファイルのパスが長すぎる為、選択できません。";

// The fifteen boxes Analyse fills, in the order it clears them.
const int ANALYSIS_IDS[] = {IDC_FUNC,     IDC_RET,      IDC_CLASS,    ArgTypeId(1), ArgTypeId(2),
                            ArgTypeId(3), ArgTypeId(4), ArgTypeId(5), ArgTypeId(6), ArgNameId(1),
                            ArgNameId(2), ArgNameId(3), ArgNameId(4), ArgNameId(5), ArgNameId(6)};

bool RefuseAll(std::size_t) {
    return false;
}

} // namespace

class CCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CForm<CTestDlg>> m_pForm;

    void Fail(int nFault) {
        m_pForm->m_pDlg->m_bBroken = nFault == CLIPBOARD_BROKEN;
        TxtSetAllocHook(nFault == NO_MEMORY ? RefuseAll : nullptr);
    }

private slots:
    void init() {
        m_pForm = std::make_unique<CForm<CTestDlg>>();
        WriteIni("[App]\nFILE_NAME=old.txt\nFILE_PATH=/fmt/old.txt\n");
        m_pForm->Open();
    }

    void cleanup() {
        TxtSetAllocHook(nullptr);
        m_pForm.reset();
    }

    void analyseFillsTheForm_data() {
        QTest::addColumn<QByteArray>("decl");
        QTest::addColumn<bool>("bYes");
        QTest::addColumn<int>("nFault");
        QTest::addColumn<QByteArray>("expected"); // the fifteen boxes, "|"-joined
        QTest::addColumn<QString>("message");
        const QByteArray seven = "void g(int a, int b, int c, int d, int e, int f, char h)";
        const QByteArray none = "||||||||||||||";
        const QByteArray name(600, 'n');
        // clang-format off
        QTest::newRow("member function") << QByteArray("static int CFoo::Bar(const char *name, int n);") << true << OK << QByteArray("Bar|static int|CFoo|const char|int|||||*name|n||||") << QString();
        QTest::newRow("seven arguments, Yes") << seven << true << OK << QByteArray("g|void||int|int|int|int|int|int|a|b|c|d|e|f") << TOO_MANY;
        QTest::newRow("seven arguments, No") << seven << false << OK << QByteArray("g|void|||||||||||||") << TOO_MANY;
        QTest::newRow("syntax error") << QByteArray("int CFoo:Bar(int a)") << true << OK << none << SYNTAX;
        QTest::newRow("no memory") << QByteArray("int f(int a)") << true << NO_MEMORY << none << NO_MEMORY_MSG;
        QTest::newRow("name past 511 bytes") << "int " + name + "(void)" << true << OK << name + "|int|||||||||||||" << QString();
        // clang-format on
    }

    void analyseFillsTheForm() {
        QFETCH(QByteArray, decl);
        QFETCH(bool, bYes);
        QFETCH(int, nFault);
        QFETCH(QByteArray, expected);
        QFETCH(QString, message);
        CTestDlg& dlg = *m_pForm->m_pDlg;
        // Stale outputs: boxes beyond the new count must come out empty.
        for (int nId : ANALYSIS_IDS) {
            dlg.SetDlgItemText(nId, "stale");
        }
        dlg.SetDlgItemText(IDC_DECL_INPUT, decl.toStdString());
        dlg.SetDlgItemText(ArgTextId(1), "kept");
        dlg.SetDlgItemText(IDC_RET_TEXT, "kept");
        m_pForm->m_prompt.m_bYes = bYes;
        Fail(nFault);
        dlg.OnAnalyze();
        QByteArrayList listBoxes;
        for (int nId : ANALYSIS_IDS) {
            listBoxes << m_pForm->Box(nId);
        }
        QCOMPARE(listBoxes.join('|'), expected);
        QCOMPARE(m_pForm->Shown(), message);
        QCOMPARE(m_pForm->Box(ArgTextId(1)) + m_pForm->Box(IDC_RET_TEXT), QByteArray("keptkept"));
    }

    void clearInputEmptiesOneFunctionsTexts() {
        for (int nId = IDC_DECL_INPUT; nId <= IDC_RET_TEXT; ++nId) {
            m_pForm->m_pDlg->SetDlgItemText(nId, "x");
        }
        m_pForm->m_pDlg->OnClearInput();
        const QList<int> listKept = {IDC_DATE, IDC_DEVELOP, IDC_FORMAT_NAME};
        for (int nId = IDC_DECL_INPUT; nId <= IDC_RET_TEXT; ++nId) {
            if (qobject_cast<QLineEdit*>(m_pForm->m_pDlg->GetDlgItem(nId)) != nullptr) {
                QCOMPARE(m_pForm->Box(nId), QByteArray(listKept.contains(nId) ? "x" : ""));
            }
        }
        QCOMPARE(m_pForm->m_pDlg->FormatPath(), "/fmt/old.txt");
    }

    void pasteTakesCleanedText_data() {
        QTest::addColumn<QVariant>("clip"); // a text, an image, or nothing at all
        QTest::addColumn<int>("nFault");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("message");
        const QChar nul(0);
        // clang-format off
        QTest::newRow("comments and line breaks") << QVariant("int\tf(int a, /* 件数 */\r\n    int b) // note\r\n;") << OK << QByteArray("int f(int a, int b) ;") << QString();
        QTest::newRow("full buffer") << QVariant(QString(2047, 'a')) << OK << QByteArray(2047, 'a') << QString();
        QTest::newRow("one past the buffer") << QVariant(QString(2048, 'a')) << OK << QByteArray(2047, 'a') << QString();
        QTest::newRow("double-byte one past the buffer") << QVariant(QString(2046, 'a') + "山") << OK << QByteArray(2046, 'a') << QString();
        QTest::newRow("10 MB of text") << QVariant(QString(10 << 20, 'a')) << OK << QByteArray(2047, 'a') << QString();
        QTest::newRow("outside code page 932") << QVariant(QString::fromUtf8("int f(char \xF0\x9F\x98\x80, long \xE2\x82\xAC)")) << OK << QByteArray("int f(char ?, long ?)") << QString();
        QTest::newRow("NUL characters") << QVariant(QString("int f(") + nul + "int a)" + nul) << OK << QByteArray("int f(int a)") << QString();
        QTest::newRow("NULs past 2047 bytes") << QVariant(QString(4096, nul) + QString(3000, 'b')) << OK << QByteArray(2047, 'b') << QString();
        QTest::newRow("all comments") << QVariant("/* only */// comments\r\n/* here */") << OK << QByteArray() << QString();
        QTest::newRow("image only") << QVariant(QImage(1, 1, QImage::Format_RGB32)) << OK << QByteArray("typed") << NOT_TEXT;
        QTest::newRow("nothing") << QVariant() << OK << QByteArray("typed") << NOT_TEXT;
        QTest::newRow("unreadable") << QVariant("int f()") << CLIPBOARD_BROKEN << QByteArray("typed") << CLIP_FAULT;
        QTest::newRow("no memory for comments") << QVariant("int f(/* a */)") << NO_MEMORY << QByteArray("typed") << BUFFER;
        // clang-format on
    }

    void pasteTakesCleanedText() {
        QFETCH(QVariant, clip);
        QFETCH(int, nFault);
        QFETCH(QByteArray, expected);
        QFETCH(QString, message);
        QClipboard* pClip = QGuiApplication::clipboard();
        clip.canConvert<QImage>() ? pClip->setImage(clip.value<QImage>())
        : clip.isValid()          ? pClip->setText(clip.toString())
                                  : pClip->clear();
        m_pForm->m_pDlg->SetDlgItemText(IDC_DECL_INPUT, "typed");
        m_pForm->m_pDlg->SetDlgItemText(IDC_FUNC, "kept");
        Fail(nFault);
        QElapsedTimer timer;
        timer.start();
        m_pForm->m_pDlg->OnPasteClipboard();
        QVERIFY(timer.elapsed() < PROMPT_MS);
        QCOMPARE(m_pForm->Box(IDC_DECL_INPUT), expected);
        QCOMPARE(m_pForm->Shown(), message);
        QCOMPARE(m_pForm->Box(IDC_FUNC), QByteArray("kept")); // pasting does not analyse
    }

    void chooseFormatFile_data() {
        QTest::addColumn<bool>("bChoose");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("message");
        const QByteArray full = "/" + QByteArray(1016, 'd') + "/a.txt";
        const QByteArray old = "/fmt/old.txt";
        // clang-format off
        QTest::newRow("chosen") << true << QByteArray("/f/new.txt") << QByteArray("/f/new.txt") << QString();
        QTest::newRow("cancelled") << false << QByteArray("/f/new.txt") << old << QString();
        QTest::newRow("1023 bytes") << true << full << full << QString();
        QTest::newRow("1024 bytes refused") << true << "/" + full << old << TOO_LONG;
        QTest::newRow("4000 bytes refused") << true << "/" + QByteArray(3995, 'p') + ".txt" << old << TOO_LONG;
        // clang-format on
    }

    void chooseFormatFile() {
        QFETCH(bool, bChoose);
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, expected);
        QFETCH(QString, message);
        m_pForm->m_prompt.m_bChoose = bChoose;
        m_pForm->Choose(path);
        QCOMPARE(QByteArray(m_pForm->m_pDlg->FormatPath()), expected);
        QCOMPARE(m_pForm->Box(IDC_FORMAT_NAME), QFileInfo(expected).fileName().toLatin1());
        QCOMPARE(m_pForm->Shown(), message);
    }

    void makeHeader_data() {
        QTest::addColumn<int>("nKind"); // what format.txt is, or NOT_CHOSEN
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("nFault");
        QTest::addColumn<QString>("clip"); // the clipboard afterwards
        QTest::addColumn<QString>("message");
        const QByteArray title = "<@TITLE@>\n";
        // clang-format off
        QTest::newRow("no file chosen") << NOT_CHOSEN << title << OK << "before" << SELECT;
        QTest::newRow("missing file") << LAY_NONE << title << OK << "before" << FAULTY;
        QTest::newRow("a directory") << LAY_FOLDER << title << OK << "before" << FAULTY;
        QTest::newRow("FIFO with no writer") << LAY_FIFO << title << OK << "before" << FAULTY;
        QTest::newRow("empty expansion") << LAY_FILE << QByteArray() << OK << "before" << EMPTY;
        QTest::newRow("clipboard not writable") << LAY_FILE << title << CLIPBOARD_BROKEN << "before" << NOT_WRITTEN;
        QTest::newRow("single space is a value") << LAY_FILE << QByteArray("<@IF RET_TEXT@>\n[<@RET_TEXT@>]\n") << OK << "[ ]\n" << COPIED;
        // Only the first lines are ever expanded, so only a bounded start is read.
        QTest::newRow("100 MB") << LAY_SPARSE << title << OK << "t\n" << COPIED;
        // A NUL ends its line's text there, line end included; the next line follows on.
        QTest::newRow("NUL bytes") << LAY_FILE << QByteArray("a<@TITLE@>\0lost\nb\n", 18) << OK << "atb\n" << COPIED;
        QTest::newRow("invalid Shift-JIS") << LAY_FILE << QByteArray("\xFF<@TITLE@>\x81\n") << OK << "?t?\n" << COPIED;
        // A lone CR ends no line: the file is one line, its CRs kept.
        QTest::newRow("CR-only line ends") << LAY_FILE << QByteArray("/*\r * <@TITLE@>\r */\r") << OK << "/*\r * t\r */\r" << COPIED;
        // clang-format on
    }

    void makeHeader() {
        QFETCH(int, nKind);
        QFETCH(QByteArray, format);
        QFETCH(int, nFault);
        QFETCH(QString, clip);
        QFETCH(QString, message);
        QVERIFY(Lay("format.txt", nKind, format));
        const QString strPath = QDir::current().filePath("format.txt");
        m_pForm->Choose(nKind == NOT_CHOSEN ? QByteArray() : QFile::encodeName(strPath));
        m_pForm->m_pDlg->SetDlgItemText(IDC_TITLE, "t");
        m_pForm->m_pDlg->SetDlgItemText(IDC_RET_TEXT, " ");
        Fail(nFault);
        const long nBefore = ResidentBytes();
        QElapsedTimer timer;
        timer.start();
        m_pForm->m_pDlg->OnMakeHeader();
        QVERIFY(timer.elapsed() < PROMPT_MS);
        QVERIFY(ResidentBytes() - nBefore < MEMORY_BOUND);
        QCOMPARE(m_pForm->Shown(), message);
        QCOMPARE(QGuiApplication::clipboard()->text(), clip);
    }

    void everyBoxFeedsItsKey() {
        QByteArray format;
        for (const char* pszKey : g_apszHeaderKeys) {
            format += QByteArray("<@") + pszKey + "@> ";
        }
        QVERIFY(Lay("format.txt", LAY_FILE, format));
        m_pForm->Choose(QFile::encodeName(QDir::current().filePath("format.txt")));
        for (int nId = IDC_DECL_INPUT; nId <= IDC_RET_TEXT; ++nId) {
            m_pForm->m_pDlg->SetDlgItemText(nId, std::to_string(nId));
        }
        m_pForm->m_pDlg->OnMakeHeader();
        // The declaration (1000) and the file name (1028) feed no key.
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "1003 1002 1030 1005 1025 1026 1024 1006 1007 1008 1009 1010 1011 1012 1013 1014 "
                 "1015 1016 1017 1018 1019 1020 1021 1022 1023 ");
    }
};

QTEST_MAIN(CCommandsTest)
#include "commands_test.moc"
