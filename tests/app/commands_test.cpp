#include "app/app_text.h"
#include "app/control_ids.h"
#include "app/header_app.h"
#include "app/header_dlg.h"
#include "app_test_support.h"
#include "format/header_keys.h"
#include "platform/clipboard.h"
#include "platform/qt_text.h"
#include "platform/user_prompt.h"
#include "recording_prompt.h"
#include "text/txt_alloc.h"

#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QtTest>
#include <memory>

using Boxes = QList<QPair<int, QByteArray>>;

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
    std::unique_ptr<CTempCwd> m_pCwd;
    std::unique_ptr<CHeaderApp> m_pApp;
    std::unique_ptr<CTestDlg> m_pDlg;
    CRecordingPrompt m_prompt;

    QByteArray Box(int nId) const { return QByteArray::fromStdString(m_pDlg->GetDlgItemText(nId)); }
    void Fill(const Boxes& boxes) {
        for (const auto& [nId, text] : boxes) {
            m_pDlg->SetDlgItemText(nId, text.toStdString());
        }
    }
    void Fail(int nFault) {
        m_pDlg->m_bBroken = nFault == CLIPBOARD_BROKEN;
        TxtSetAllocHook(nFault == NO_MEMORY ? RefuseAll : nullptr);
    }
    // The fifteen analysis outputs "|"-joined, in the order Analyse clears them.
    QByteArray Analysis() const {
        QByteArrayList list;
        for (int nId : ANALYSIS_IDS) {
            list << Box(nId);
        }
        return list.join('|');
    }
    void Choose(const QByteArray& path) {
        m_prompt.m_strPath = path.toStdString();
        m_pDlg->OnSelectFormat();
    }

private slots:
    void init() {
        m_pCwd = std::make_unique<CTempCwd>();
        WriteIni("[App]\nFILE_NAME=old.txt\nFILE_PATH=/fmt/old.txt\n");
        m_pApp = std::make_unique<CHeaderApp>();
        QVERIFY(m_pApp->InitProfile());
        m_pDlg = std::make_unique<CTestDlg>(*m_pApp);
        m_prompt = CRecordingPrompt();
        PfSetPrompt(&m_prompt);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }

    void cleanup() {
        TxtSetAllocHook(nullptr);
        PfSetPrompt(nullptr);
        m_pDlg.reset();
        m_pApp.reset();
        m_pCwd.reset();
    }

    void analyseFillsTheForm_data() {
        QTest::addColumn<QByteArray>("decl");
        QTest::addColumn<bool>("bYes");
        QTest::addColumn<int>("nFault");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("message");
        const QByteArray seven = "void g(int a, int b, int c, int d, int e, int f, char h)";
        const QString strTooMany =
            "引数の数が最大数を超えました。[引数6]まで表示しますがよろしいですか？";
        const QByteArray none = "||||||||||||||";
        // Every row starts from stale outputs: rows beyond the new count must come out empty.
        QTest::newRow("member function")
            << QByteArray("static int CFoo::Bar(const char *name, int n);") << true << OK
            << QByteArray("Bar|static int|CFoo|const char|int|||||*name|n||||") << QString();
        QTest::newRow("seven arguments, Yes")
            << seven << true << OK << QByteArray("g|void||int|int|int|int|int|int|a|b|c|d|e|f")
            << strTooMany;
        QTest::newRow("seven arguments, No")
            << seven << false << OK << QByteArray("g|void|||||||||||||") << strTooMany;
        QTest::newRow("syntax error")
            << QByteArray("int CFoo:Bar(int a)") << true << OK << none
            << QString("入力された関数は文法エラーの為、解析できません。");
        QTest::newRow("no memory") << QByteArray("int f(int a)") << true << NO_MEMORY << none
                                   << QString("メモリ不足エラーです。");
        const QByteArray name(600, 'n');
        QTest::newRow("name past 511 bytes")
            << "int " + name + "(void)" << true << OK << name + "|int|||||||||||||" << QString();
    }

    void analyseFillsTheForm() {
        QFETCH(QByteArray, decl);
        QFETCH(bool, bYes);
        QFETCH(int, nFault);
        QFETCH(QByteArray, expected);
        QFETCH(QString, message);
        for (int nId : ANALYSIS_IDS) {
            m_pDlg->SetDlgItemText(nId, "stale");
        }
        Fill({{IDC_DECL_INPUT, decl}, {ArgTextId(1), "kept"}, {IDC_RET_TEXT, "kept"}});
        m_prompt.m_bYes = bYes;
        Fail(nFault);
        m_pDlg->OnAnalyze();
        QCOMPARE(Analysis(), expected);
        QCOMPARE(m_prompt.m_listShown.join('|'), message);
        QCOMPARE(Box(IDC_DECL_INPUT), decl);
        QCOMPARE(Box(ArgTextId(1)) + Box(IDC_RET_TEXT), QByteArray("keptkept"));
    }

    void clearInputEmptiesOneFunctionsTexts() {
        for (int nId = IDC_DECL_INPUT; nId <= IDC_RET_TEXT; ++nId) {
            m_pDlg->SetDlgItemText(nId, "x");
        }
        m_pDlg->OnClearInput();
        const QList<int> listKept = {IDC_DATE, IDC_DEVELOP, IDC_FORMAT_NAME};
        for (int nId = IDC_DECL_INPUT; nId <= IDC_RET_TEXT; ++nId) {
            if (qobject_cast<QLineEdit*>(m_pDlg->GetDlgItem(nId)) != nullptr) {
                QCOMPARE(Box(nId), QByteArray(listKept.contains(nId) ? "x" : ""));
            }
        }
        QCOMPARE(m_pDlg->FormatPath(), "/fmt/old.txt");
    }

    void pasteTakesCleanedText_data() {
        QTest::addColumn<QVariant>("clip"); // a text, an image, or nothing at all
        QTest::addColumn<int>("nFault");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("message");
        const QString strNotText = "テキスト形式を張付けてください。";
        QTest::newRow("comments and line breaks")
            << QVariant("int\tf(int a, /* 件数 */\r\n    int b) // note\r\n;") << OK
            << QByteArray("int f(int a, int b) ;") << QString();
        QTest::newRow("full buffer")
            << QVariant(QString(2047, 'a')) << OK << QByteArray(2047, 'a') << QString();
        QTest::newRow("one past the buffer")
            << QVariant(QString(2048, 'a')) << OK << QByteArray(2047, 'a') << QString();
        QTest::newRow("image only") << QVariant(QImage(1, 1, QImage::Format_RGB32)) << OK
                                    << QByteArray("typed") << strNotText;
        QTest::newRow("nothing") << QVariant() << OK << QByteArray("typed") << strNotText;
        QTest::newRow("unreadable")
            << QVariant("int f()") << CLIPBOARD_BROKEN << QByteArray("typed")
            << QString("クリップボードのエラー発生。");
        QTest::newRow("no memory for comments")
            << QVariant("int f(/* a */)") << NO_MEMORY << QByteArray("typed")
            << QString("バッファエラー発生の為、コピーできません。");
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
        Fill({{IDC_DECL_INPUT, "typed"}, {IDC_FUNC, "kept"}});
        Fail(nFault);
        m_pDlg->OnPasteClipboard();
        QCOMPARE(Box(IDC_DECL_INPUT), expected);
        QCOMPARE(m_prompt.m_listShown.join('|'), message);
        QCOMPARE(Box(IDC_FUNC), QByteArray("kept")); // pasting does not analyse
    }

    void chooseFormatFile_data() {
        QTest::addColumn<bool>("bChoose");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QString>("message");
        const QByteArray full = "/" + QByteArray(1016, 'd') + "/a.txt";
        const QByteArray old = "/fmt/old.txt";
        QTest::newRow("chosen") << true << QByteArray("/f/new.txt") << QByteArray("/f/new.txt")
                                << QString();
        QTest::newRow("cancelled") << false << QByteArray("/f/new.txt") << old << QString();
        QTest::newRow("1023 bytes") << true << full << full << QString();
        QTest::newRow("1024 bytes refused")
            << true << "/" + full << old
            << QString("フォーマットファイルのパスが長すぎる為、選択できません。");
    }

    void chooseFormatFile() {
        QFETCH(bool, bChoose);
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, expected);
        QFETCH(QString, message);
        m_prompt.m_bChoose = bChoose;
        Choose(path);
        QCOMPARE(QByteArray(m_pDlg->FormatPath()), expected);
        QCOMPARE(Box(IDC_FORMAT_NAME), QFileInfo(expected).fileName().toLatin1());
        QCOMPARE(m_prompt.m_listShown.join('|'), message);
    }

    void makeHeader_data() {
        QTest::addColumn<QString>("file"); // chosen, in the test's directory; empty: none chosen
        QTest::addColumn<QByteArray>("format"); // what format.txt holds
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<int>("nFault");
        QTest::addColumn<QString>("clip"); // the clipboard afterwards
        QTest::addColumn<QString>("message");
        const QString strFaulty = "フォーマットファイルが異常です。コメントは作成されません。";
        const QString strCopied = "コメントをクリップボードにコピーしました。";
        const Boxes title = {{IDC_TITLE, "t"}};
        QTest::newRow("no file chosen")
            << QString() << QByteArray("<@TITLE@>") << title << OK << "before"
            << QString("フォーマットファイルを選択してください。");
        QTest::newRow("missing file")
            << "missing.txt" << QByteArray("<@TITLE@>") << title << OK << "before" << strFaulty;
        QTest::newRow("a directory")
            << "ini" << QByteArray("<@TITLE@>") << title << OK << "before" << strFaulty;
        QTest::newRow("empty expansion")
            << "format.txt" << QByteArray() << title << OK << "before"
            << QString("フォーマットファイルの展開結果が空の為、コピーしませんでした。");
        QTest::newRow("clipboard not writable")
            << "format.txt" << QByteArray("<@TITLE@>") << title << CLIPBOARD_BROKEN << "before"
            << QString("クリップボードに書き込めませんでした。");
        QTest::newRow("worked example, edited date")
            << "format.txt"
            << QByteArray("/*\r\n * <@TITLE@>\r\n * <@CLASS@>::<@FUNC@>\r\n<@IF ARG_1_NAME@>\r\n"
                          " * Arg1 <@ARG_1_TYPE@> <@ARG_1_NAME@> [<@ARG_1_TEXT@>]\r\n"
                          "<@IF ARG_2_NAME@>\r\n"
                          " * Arg2 <@ARG_2_TYPE@> <@ARG_2_NAME@> [<@ARG_2_TEXT@>]\r\n"
                          "<@IFN RET_TEXT@>\r\n * return <@RET@>\r\n<@IF RET_TEXT@>\r\n"
                          " * return <@RET@>: <@RET_TEXT@>\r\n * <@DEVELOPER@> <@DATE@>\r\n */\r\n")
            << Boxes{{IDC_TITLE, "Count entries"}, {IDC_CLASS, "CList"},    {IDC_FUNC, "GetCount"},
                     {ArgTypeId(1), "int"},        {ArgNameId(1), "nKind"}, {IDC_RET, "int"},
                     {IDC_DEVELOP, "Developer A"}, {IDC_DATE, "2001/06/01"}}
            << OK
            << "/*\n * Count entries\n * CList::GetCount\n * Arg1 int nKind []\n * return int\n"
               " * Developer A 2001/06/01\n */\n"
            << strCopied;
        QByteArray allKeys;
        for (const char* pszKey : g_apszHeaderKeys) {
            allKeys += QByteArray("<@") + pszKey + "@> ";
        }
        Boxes every;
        for (int nId = IDC_DECL_INPUT; nId <= IDC_RET_TEXT; ++nId) {
            every << qMakePair(nId, QByteArray::number(nId));
        }
        // The declaration (1000) and the file name (1028) feed no key.
        QTest::newRow("every box feeds its key")
            << "format.txt" << allKeys << every << OK
            << "1003 1002 1030 1005 1025 1026 1024 1006 1007 1008 1009 1010 1011 1012 1013 1014 "
               "1015 1016 1017 1018 1019 1020 1021 1022 1023 "
            << strCopied;
        const QByteArray cond = "<@IF TITLE@>\n[<@TITLE@>]\n<@IFN TITLE@>\nnone\n";
        QTest::newRow("single space is a value")
            << "format.txt" << cond << Boxes{{IDC_TITLE, " "}} << OK << "[ ]\n"
            << strCopied;
        QTest::newRow("empty box is no value") << "format.txt" << cond << Boxes{} << OK << "none\n"
                                               << strCopied;
    }

    void makeHeader() {
        QFETCH(QString, file);
        QFETCH(QByteArray, format);
        QFETCH(Boxes, boxes);
        QFETCH(int, nFault);
        QFETCH(QString, clip);
        QFETCH(QString, message);
        QFile fileFormat("format.txt");
        QVERIFY(fileFormat.open(QIODevice::WriteOnly) && fileFormat.write(format) == format.size());
        fileFormat.close();
        Choose(file.isEmpty() ? QByteArray() : QFile::encodeName(QDir::current().filePath(file)));
        Fill(boxes);
        Fail(nFault);
        m_pDlg->OnMakeHeader();
        QCOMPARE(m_prompt.m_listShown.join('|'), message);
        QCOMPARE(QGuiApplication::clipboard()->text(), clip);
        QCOMPARE(CHeaderDlg::CopyToClipboard(""), 0);
    }
};

QTEST_MAIN(CCommandsTest)
#include "commands_test.moc"
