#include "app/app_text.h"
#include "app/chooser_folder.h"
#include "app/control_ids.h"
#include "app/dialog_layout.h"
#include "app/dialog_template.h"
#include "app/group_box.h"
#include "app/header_app.h"
#include "app/header_dlg.h"
#include "app/key_boxes.h"
#include "app/strings.h"
#include "header/header_keys.h"
#include "header/messages.h"
#include "platform/clipboard.h"
#include "platform/desktop_services.h"
#include "platform/dialog_units.h"
#include "platform/qt_text.h"
#include "text/codepage.h"
#include "text/txt_alloc.h"

#include <QtTest>
#include <QtWidgets>
#include <clocale>
#include <fstream>
#include <sys/stat.h>

namespace {

// What a row makes fail; the clipboard's faults are what reading it reports.
enum { OK, NO_MEMORY, CLIPBOARD_BROKEN, CLIPBOARD_NO_TEXT };
// What a test puts at a path; a FIFO has no writer.
enum { LAY_NONE, LAY_FOLDER, LAY_FIFO, LAY_FILE };
// Soak: runs (SOAK_RUNS asks for others), runs that warm the caches up, growth of memory allowed.
constexpr int DEFAULT_RUNS = 2000;
constexpr int WARM_UP_RUNS = 500;
constexpr long FLAT_BOUND = 1 << 20;

const QString INI = "ini/informatin.ini";
const QString SELECT = "フォーマットファイルを選択してください。";
const QString COPIED = "コメントをクリップボードにコピーしました。";
const QString TOO_MANY = "引数の数が最大数を超えました。[引数6]まで表示しますがよろしいですか？";

const int ANALYSIS_IDS[] = {IDC_FUNC,     IDC_RET,      IDC_CLASS,    ArgTypeId(1), ArgTypeId(2),
                            ArgTypeId(3), ArgTypeId(4), ArgTypeId(5), ArgTypeId(6), ArgNameId(1),
                            ArgNameId(2), ArgNameId(3), ArgNameId(4), ArgNameId(5), ArgNameId(6)};

// A command's input, a choice (key, Yes, chosen, or what format.txt is), a fault, the outcome.
struct Row {
    const char* pszName;
    QVariant in;
    int nArg;
    int nFault;
    QByteArray out;
    QString message;
};

// The form opened over a settings file, closed with the developer typed, and opened again.
struct IniRow {
    const char* pszName;
    int nIni;  // what ini is
    int nFile; // what ini/informatin.ini is
    QByteArray stored;
    QByteArray shown; // "developer|file name|path"
    QByteArray typed; // null: closed untouched
    QByteArray after; // the file once closed; null: not checked
};

bool Lay(const QString& strPath, int nKind, const QByteArray& bytes = {}) {
    QFile file(strPath);
    return nKind == LAY_NONE || (nKind == LAY_FOLDER && QDir().mkpath(strPath)) ||
           (nKind == LAY_FIFO && mkfifo(QFile::encodeName(strPath).constData(), 0600) == 0) ||
           (nKind == LAY_FILE && file.open(QIODevice::WriteOnly) &&
            file.write(bytes) == bytes.size());
}

QByteArray ReadFile(const QString& strPath) {
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A figure of /proc/self/status in bytes: VmRSS, resident now.
long StatusBytes(const std::string& strKey) {
    std::ifstream status("/proc/self/status");
    std::string strLine;
    while (std::getline(status, strLine) && strLine.rfind(strKey, 0) != 0) {
    }
    return std::atol(strLine.c_str() + strKey.size()) << 10;
}

template <class TRow> void AddRows(std::initializer_list<TRow> rows) {
    QTest::addColumn<TRow>("row");
    for (const TRow& row : rows) {
        QTest::newRow(row.pszName) << row;
    }
}

// A modal window blocks the test in its own event loop: `fn` gets it from inside that loop.
void WhenShown(std::function<void(QWidget*)> fn) {
    QTimer::singleShot(0, [fn] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        fn(QApplication::activeModalWidget());
    });
}

} // namespace

// One test's world: a fresh current directory, the form once opened, and the test itself as the
// desktop: answering the prompts as told, recording what they showed, and holding a clipboard
// ("before" at first) that a row can make fail.
class CFormTest : public QObject, public CDesktopServices {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_pDir;
    QStringList m_listShown;
    QStringList m_listFolders; // where the chooser opened
    bool m_bYes = true, m_bChoose = true;
    std::string m_strPath;
    std::string m_strClip;
    int m_nFault = OK;
    std::unique_ptr<CHeaderApp> m_pApp;
    std::unique_ptr<CHeaderDlg> m_pDlg;

    void Message(QWidget*, const std::string& text) override { m_listShown << PfFromCp932(text); }
    bool Question(QWidget* p, const std::string& text) override { return Message(p, text), m_bYes; }
    bool ChooseFormatFile(QWidget*, const std::string& strFolder, std::string* pPath,
                          std::string* pName) override {
        m_listFolders << QFile::decodeName(strFolder.c_str());
        *pPath = m_strPath;
        *pName = m_strPath.substr(m_strPath.rfind('/') + 1);
        return m_bChoose;
    }
    int ReadClipboard(std::string* pText, std::size_t nMax) override {
        *pText = m_nFault == OK || m_nFault == NO_MEMORY ? m_strClip.substr(0, nMax) : "";
        return m_nFault == CLIPBOARD_BROKEN    ? CLIP_ERROR
               : m_nFault == CLIPBOARD_NO_TEXT ? CLIP_NO_TEXT
                                               : CLIP_OK;
    }
    bool WriteClipboard(std::string_view text) override {
        return m_nFault == OK && (m_strClip = text, true);
    }

    CHeaderDlg& Open(CDesktopServices* pServices = nullptr) {
        m_pApp = std::make_unique<CHeaderApp>(pServices ? *pServices : *this);
        m_pApp->InitProfile();
        m_pDlg = std::make_unique<CHeaderDlg>(*m_pApp);
        return *m_pDlg;
    }
    void Close() { TxtSetAllocHook(nullptr), m_pDlg.reset(), m_pApp.reset(); } // saves settings
    CHeaderDlg& Dlg(int nFault = OK) {
        m_nFault = nFault;
        TxtSetAllocHook(nFault == NO_MEMORY ? +[](std::size_t) { return false; } : nullptr);
        return *m_pDlg;
    }
    QByteArray Box(int nId) { return QByteArray::fromStdString(Dlg().GetDlgItemText(nId)); }
    QString Text(int nId) { return PfFromCp932(Dlg().GetDlgItemText(nId)); }
    QString Shown() const { return m_listShown.join('|'); }
    // Every box from the declaration to the return text holds `strPrefix` and its identifier.
    void FillBoxes(const std::string& strPrefix = {}) {
        for (int nId = IDC_DECL_INPUT; nId <= IDC_RET_TEXT; ++nId) {
            Dlg().SetDlgItemText(nId, strPrefix + std::to_string(nId));
        }
    }
    void Choose(const QByteArray& path) {
        m_strPath = path.toStdString();
        Dlg().OnSelectFormat();
    }
    // The form as the active window, so that focus and keys behave as for a user.
    CHeaderDlg& ShownDlg(CDesktopServices* pServices = nullptr) {
        Open(pServices).show();
        m_pDlg->activateWindow();
        (void)QTest::qWaitForWindowActive(m_pDlg.get());
        return *m_pDlg;
    }

private slots:
    void init() {
        m_pDir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_pDir->path());
        // Without an ini/ folder the settings go to the user's configuration folder: the test's
        // own, never the real one.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_pDir->path() + "/xdg"));
        m_strClip = "before";
        m_nFault = OK;
        m_listShown.clear();
        m_listFolders.clear();
        m_bChoose = m_bYes = true;
    }
    void cleanup() { // the form closes, and so saves, before its directory is removed
        Close();
        m_pDir.reset();
    }

    // Today's date, the stored developer, the focus in the declaration; every control placed and
    // clickable as the template says; Tab walks them in order, passing over the file name.
    void opensAsItsTemplateSays() {
        QVERIFY(Lay("ini", LAY_FOLDER) && Lay(INI, LAY_FILE, "[App]\nDEVELOP=山田\n"));
        const QString strBefore = QDate::currentDate().toString("yyyy/MM/dd");
        CHeaderDlg& dlg = ShownDlg();
        QVERIFY(QStringList({strBefore, QDate::currentDate().toString("yyyy/MM/dd")})
                    .contains(Text(IDC_DATE)));
        QCOMPARE(Text(IDC_DEVELOP) + '|' + dlg.windowTitle(), QString("山田|VELDANE for C"));
        const CDialogUnits& units = dlg.Units();
        QCOMPARE(dlg.size(), units.ToPixels(0, 0, MAIN_DLG_CX, MAIN_DLG_CY).size());
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
        std::vector<QWidget*> vecOrder;
        for (const DlgItem& item : g_aMainDlg) {
            const QRect rect = units.ToPixels(item.x, item.y, item.cx, item.cy);
            QWidget* pItem = dlg.GetDlgItem(item.nId);
            QVERIFY2(!pItem || (pItem->geometry() == rect && dlg.childAt(rect.center()) == pItem),
                     item.pszText);
            if (pItem && item.nId != IDC_FORMAT_NAME) {
                vecOrder.push_back(pItem);
            }
        }
        QCOMPARE(QApplication::focusWidget(), vecOrder.front());
        for (std::size_t i = 1; i <= vecOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), vecOrder[i % vecOrder.size()]);
        }
    }

    // In the form's own font and in the desktop's, in either locale (./test runs this under
    // ja_JP.UTF-8 too, where fontconfig names the fonts in Japanese), no caption is cut: a label's
    // pixels lie within it, a button's text within the room its style draws it in, a group box's
    // title within the box. The form's own font is the one it was drawn in, under any locale.
    void captionsFitTheirControls() {
        QFETCH(QFont, font);
        const QByteArray locale = qgetenv("LC_ALL");
        QVERIFY2(locale.isEmpty() || locale == std::setlocale(LC_CTYPE, nullptr),
                 locale + " is missing");
        QCOMPARE(QRawFont::fromFont(PfDialogFont()).familyName(), QString("IPAPGothic"));
        QDialog dlg;
        dlg.setFont(font);
        std::vector<QWidget*> vecItems;
        DlgLayOut(&dlg, g_aMainDlg.data(), MAIN_DLG_ITEM_COUNT, MAIN_DLG_CX, MAIN_DLG_CY,
                  &vecItems);
        QStringList listCut;
        const auto cut = [&](bool bFits, const QString& str) { listCut << (bFits ? "" : str); };
        for (const QLabel* p : dlg.findChildren<QLabel*>()) {
            cut(p->fontMetrics().boundingRect(p->text()).right() < p->width(), p->text());
        }
        for (QPushButton* p : dlg.findChildren<QPushButton*>()) {
            QStyleOptionButton option;
            option.initFrom(p);
            const QRect room =
                p->style()->subElementRect(QStyle::SE_PushButtonContents, &option, p);
            cut(p->fontMetrics().horizontalAdvance(p->text()) <= room.width(), p->text());
        }
        for (const CGroupBox* p : dlg.findChildren<CGroupBox*>()) {
            cut(p->rect().contains(p->CaptionRect()), p->title());
        }
        QCOMPARE(listCut.join(""), QString());
    }

    // Enter anywhere in the form analyses, even on another button; a click runs its button.
    // What ran shows as "function|declaration|format file|messages".
    void keysAndClicksRunCommands() {
        QFETCH(Row, row);
        CHeaderDlg& dlg = ShownDlg();
        dlg.SetDlgItemText(IDC_DECL_INPUT, "int f(int a)");
        m_strPath = "/f/a.txt";
        QWidget* pTarget = dlg.GetDlgItem(row.in.toInt());
        pTarget->setFocus();
        row.nArg != 0 ? QTest::keyClick(pTarget, Qt::Key(row.nArg))
                      : QTest::mouseClick(pTarget, Qt::LeftButton);
        QCOMPARE(Box(IDC_FUNC) + '|' + Box(IDC_DECL_INPUT) + '|' + dlg.FormatPath() + '|' +
                     Shown().toUtf8(),
                 row.out);
    }

    // A real message box is captioned, has no icon, and takes Return or Enter as OK or Yes and
    // Escape as No; the form does not analyse. F1 opens the About box, as does the form's context
    // menu, which holds that one entry.
    void realMessageAndAboutBoxes() {
        CHeaderDlg& dlg = ShownDlg(&PfDesktopServices());
        m_listShown << dlg.actions().value(0)->text();
        WhenShown([this](QWidget* pModal) {
            m_listShown << pModal->windowTitle();
            for (const QLabel* pLabel : pModal->findChildren<QLabel*>()) {
                m_listShown << pLabel->text();
            }
            QTest::keyClick(pModal, Qt::Key_Return);
        });
        QTest::keyClick(dlg.GetDlgItem(IDC_TITLE), Qt::Key_F1);
        const auto answer = [this](Qt::Key key) {
            WhenShown([this, key](QWidget* pModal) {
                auto* pBox = qobject_cast<QMessageBox*>(pModal);
                const int nButtons = pBox->standardButtons();
                m_listShown << pBox->windowTitle() +
                                   QString::asprintf(" %d %x ", pBox->icon(), nButtons) +
                                   pBox->text();
                QTest::keyClick(pModal, key);
            });
        };
        answer(Qt::Key_Return);
        dlg.ShowMessage(MSG_SELECT_FORMAT);
        answer(Qt::Key_Enter);
        QVERIFY(dlg.AskYesNo(MSG_TOO_MANY_ARGS));
        answer(Qt::Key_Escape);
        QVERIFY(!dlg.AskYesNo(MSG_TOO_MANY_ARGS));
        const QString strQuestion = "|VELDANE for C 0 14000 " + TOO_MANY;
        QCOMPARE(Shown() + Box(IDC_FUNC),
                 "Quorvel のﾊﾞｰｼﾞｮﾝ情報(&A)...|VELDANE for C のﾊﾞｰｼﾞｮﾝ情報||"
                 "VELDANE for C   Ver 1.1|関数ヘッダコメント作成ツール|"
                 "VELDANE for C 0 400 " +
                     SELECT + strQuestion + strQuestion);
        QCOMPARE(dlg.contextMenuPolicy(), Qt::ActionsContextMenu);
    }

    // Stale boxes beyond the new count come out empty.
    void analyseFillsTheForm() {
        QFETCH(Row, row);
        Open();
        for (int nId : ANALYSIS_IDS) {
            Dlg().SetDlgItemText(nId, "stale");
        }
        Dlg().SetDlgItemText(IDC_DECL_INPUT, row.in.toByteArray().toStdString());
        m_bYes = row.nArg;
        Dlg(row.nFault).OnAnalyze();
        QByteArrayList listBoxes;
        for (int nId : ANALYSIS_IDS) {
            listBoxes << Box(nId);
        }
        QCOMPARE(listBoxes.join('|'), row.out);
        QCOMPARE(Shown(), row.message);
    }

    // The date, the developer and the chosen file stay.
    void clearInputEmptiesOneFunctionsTexts() {
        Open();
        Choose("/fmt/old.txt");
        QByteArray kept;
        FillBoxes();
        Dlg().OnClearInput();
        for (int nId = IDC_DECL_INPUT; nId <= IDC_RET_TEXT; ++nId) {
            kept += qobject_cast<QLineEdit*>(Dlg().GetDlgItem(nId)) ? Box(nId) : "";
        }
        QCOMPARE(kept + Dlg().FormatPath(), "102410251028/fmt/old.txt");
    }

    // The menu item chooses the analysis and is kept in the settings; the tidy one keeps a
    // pasted parameter's comment and makes it the description of a row still empty.
    void tidyAnalysisIsTheMenusChoice() {
        QVERIFY(Lay("ini", LAY_FOLDER) && Lay(INI, LAY_FILE, "[App]\nTIDY=1\nTIDY_DROP=MY_API\n"));
        Open();
        m_strClip = PfToCp932(QString::fromUtf8("MY_API char *dup(const char *s, // 元\n int n)"));
        Dlg().OnPasteClipboard();
        Dlg().SetDlgItemText(ArgTextId(2), "typed");
        Dlg().OnAnalyze();
        const auto shown = [this] {
            return Text(IDC_FUNC) + '|' + Text(IDC_RET) + '|' + Text(ArgTypeId(1)) + '|' +
                   Text(ArgNameId(1)) + '|' + Text(ArgTextId(1)) + '|' + Text(ArgTextId(2)) + '|' +
                   Dlg().GetDlgItem(IDC_ANALYZE)->toolTip().left(6);
        };
        QCOMPARE(shown(), "dup|char *|const char *|s|元|typed|宣言を整えて");
        Dlg().OnTidyAnalysis(false);
        Dlg().OnAnalyze();
        QCOMPARE(shown(), "*dup|MY_API char|const char|*s|元|typed|宣言を決まっ");
        Close();
        QCOMPARE(ReadFile(INI), "[App]\nTIDY=0\nTIDY_DROP=MY_API\n");
    }

    // A comment that reads back through the chosen format file fills the title, the return value's
    // description and each argument's description in the row Analyse will put the argument in;
    // the author and the date stay the form's, and only the text after it is the declaration.
    void pasteReadsACommentBack() {
        QVERIFY(Lay("format.txt", LAY_FILE,
                    "/* <@TITLE@>\n<@IF ARG_1_NAME@>\n * <@ARG_1_NAME@>: <@ARG_1_TEXT@>\n"
                    "<@IF ARG_2_NAME@>\n * <@ARG_2_NAME@>: <@ARG_2_TEXT@>\n"
                    " * <@RET_TEXT@> <@DEVELOPER@> */\n"));
        Open();
        Choose(QFile::encodeName(QFileInfo("format.txt").absoluteFilePath()));
        Dlg().SetDlgItemText(IDC_DEVELOP, "me");
        m_strClip = PfToCp932(QString::fromUtf8(
            "\t/* 数える\n\t * a: 甲\n\t * b: 乙\n\t * 件数 山田 */\n\tint f(int b,\n\t int a)\n"));
        Dlg().OnPasteClipboard();
        QCOMPARE(Text(IDC_DECL_INPUT) + '|' + Text(IDC_TITLE) + '|' + Text(IDC_RET_TEXT) + '|' +
                     Text(ArgTextId(1)) + '|' + Text(ArgTextId(2)) + '|' + Text(IDC_DEVELOP),
                 " int f(int b, int a)|数える|件数|乙|甲|me");
    }

    // Pasting does not analyse; a failure leaves the declaration as it was.
    void pasteTakesCleanedText() {
        QFETCH(Row, row);
        m_strClip = row.in.toByteArray().toStdString();
        Open().SetDlgItemText(IDC_DECL_INPUT, "typed");
        Dlg(row.nFault).OnPasteClipboard();
        QCOMPARE(Box(IDC_DECL_INPUT) + Box(IDC_FUNC), row.out);
        QCOMPARE(Shown(), row.message);
    }

    // 1023 bytes fit; a cancelled or a refused choice (1024 bytes) keeps the file chosen before.
    void chooseFormatFile() {
        const QByteArray full = "/" + QByteArray(1016, 'd') + "/a.txt";
        Open();
        Choose(full);
        m_bChoose = false;
        Choose("/f/new.txt");
        m_bChoose = true;
        Choose("/" + full);
        QCOMPARE(QByteArray(Dlg().FormatPath()) + '|' + Box(IDC_FORMAT_NAME), full + "|a.txt");
        QCOMPARE(Shown(), "フォーマットファイルのパスが長すぎる為、選択できません。");
    }

    // The chooser opens among the example formats: those installed beside the program (bin/ here)
    // or, from a build tree, the source tree's; once a file is chosen, in its folder while it
    // exists.
    void chooserOpensWhereTheFormatsAre() {
        const QDir here;
        QVERIFY(here.mkpath("bin") && here.mkpath("share/veldane/formats") && here.mkpath("f"));
        QCOMPARE(AppChooserFolder("", here.absoluteFilePath("bin")),
                 QFile::encodeName(here.absoluteFilePath("share/veldane/formats")).toStdString());
        Open();
        for (const char* pszChosen : {"f/a.txt", "gone/a.txt", "b.txt"}) {
            Choose(QFile::encodeName(here.absoluteFilePath(pszChosen)));
        }
        const QString strExamples = QFileInfo(VELDANE_SOAK_FORMAT).path();
        QCOMPARE(m_listFolders,
                 QStringList({strExamples, here.absoluteFilePath("f"), strExamples}));
    }

    // Every box holds its identifier.
    void makeHeader() {
        QFETCH(Row, row);
        QVERIFY(Lay("format.txt", row.nArg, row.in.toByteArray()));
        Open();
        Choose(QFile::encodeName(QFileInfo("format.txt").absoluteFilePath()));
        FillBoxes();
        Dlg(row.nFault).OnMakeHeader();
        QCOMPARE(Shown(), row.message);
        QCOMPARE(QByteArray::fromStdString(m_strClip), row.out);
    }

    // Only a folder holding a regular file (or none yet) is written to.
    void settingsThroughTheForm() {
        QFETCH(IniRow, row);
        QVERIFY(Lay("ini", row.nIni) && Lay(INI, row.nFile, row.stored));
        Open();
        const QString strDevelop = Text(IDC_DEVELOP);
        QCOMPARE(strDevelop + '|' + Text(IDC_FORMAT_NAME) + '|' + Dlg().FormatPath(),
                 QString::fromUtf8(row.shown));
        if (!row.typed.isNull()) {
            Dlg().SetDlgItemText(IDC_DEVELOP, AppText(row.typed.constData()));
        }
        Close();
        QVERIFY(row.after.isNull() || ReadFile(INI) == row.after);
        QCOMPARE(QFileInfo::exists("ini"), row.nIni != LAY_NONE);
        // Without ini/ the user's folder is made for the first write, private to the user.
        struct stat st {};
        const bool bUserFolder = stat("xdg/veldane", &st) == 0 && (st.st_mode & 0777) == 0700;
        QCOMPARE(bUserFolder, row.nIni == LAY_NONE && !row.typed.isNull());
        const bool bSaved = row.nFile != LAY_FIFO && !row.typed.isNull();
        Open();
        QCOMPARE(Text(IDC_DEVELOP), bSaved ? QString::fromUtf8(row.typed) : strDevelop);
    }

    // Two windows on one settings file: closing this one writes only what was changed in it, so
    // what the other saved meanwhile stays.
    void closingKeepsWhatAnotherWindowSaved() {
        const QByteArray other = "[App]\nDEVELOP=B\nFILE_NAME=b.txt\nFILE_PATH=/b.txt\n";
        const char* const apszAfter[] = {other.constData(),
                                         "[App]\nDEVELOP=C\nFILE_NAME=b.txt\nFILE_PATH=/b.txt\n",
                                         "[App]\nDEVELOP=B\nFILE_NAME=c.txt\nFILE_PATH=/c.txt\n"};
        QVERIFY(Lay("ini", LAY_FOLDER));
        for (int nChange = 0; nChange < 3; ++nChange) {
            QVERIFY(Lay(INI, LAY_FILE, "[App]\nDEVELOP=A\nFILE_NAME=a.txt\nFILE_PATH=/a.txt\n"));
            Open();
            QVERIFY(Lay(INI, LAY_FILE, other));
            if (nChange == 1) {
                Dlg().SetDlgItemText(IDC_DEVELOP, "C");
            } else if (nChange == 2) {
                Choose("/c.txt");
            }
            Close();
            QCOMPARE(ReadFile(INI), QByteArray(apszAfter[nChange]));
        }
    }

    // Run from a current directory of over 3,000 bytes, Escape closes the form and saves, but not
    // a chosen path holding a line break (it would inject lines).
    void runsUntilEscapeFromADeepDirectory() {
        const QString strDeep = QString(QString(250, 'd') + '/').repeated(12);
        QVERIFY(QDir().mkpath(strDeep + "ini") && QDir::setCurrent(strDeep));
        QVERIFY(QDir::currentPath().size() > 3000);
        QVERIFY(Lay(INI, LAY_FILE, "[App]\nDEVELOP=deep\nFILE_PATH=/old.txt\n"));
        m_strPath = "/new\n[App]\nDEVELOP=injected.txt";
        WhenShown([](QWidget* pModal) {
            auto* pDlg = qobject_cast<CHeaderDlg*>(pModal);
            pDlg->OnSelectFormat();
            pDlg->SetDlgItemText(IDC_DEVELOP, pDlg->GetDlgItemText(IDC_DEVELOP) + "er");
            QTest::keyClick(pModal, Qt::Key_Escape);
        });
        QVERIFY(!CHeaderApp(*this).InitInstance());
        QCOMPARE(ReadFile(INI), QByteArray("[App]\nDEVELOP=deeper\nFILE_PATH=/old.txt\n"));
    }

    // The window's road (paste, Analyse, typed texts, Make header) and veldane-header given the
    // same declaration and texts write the same comment.
    void windowAndCommandLineWriteTheSameComment() {
        QFETCH(QStringList, row);
        Open();
        Choose(VELDANE_SOAK_FORMAT);
        m_strClip = AppText(row[0].toUtf8().constData());
        Dlg().OnPasteClipboard();
        Dlg().OnAnalyze();
        const int anIds[] = {IDC_TITLE, IDC_RET_TEXT, ArgTextId(1), ArgTextId(6)};
        QStringList listArgs = {"-f",     VELDANE_SOAK_FORMAT, "-d",    "作者",
                                "--date", "2026/12/07",        "--crlf"};
        const char* const apszOptions[] = {"-t", "--ret-text", "--arg-text", "--arg-text"};
        const char* const apszPrefixes[] = {"", "", "1=", "6="};
        for (int i = 0; i < 4; ++i) {
            Dlg().SetDlgItemText(anIds[i], AppText(row[i + 1].toUtf8().constData()));
            listArgs << apszOptions[i] << apszPrefixes[i] + row[i + 1];
        }
        Dlg().SetDlgItemText(IDC_DEVELOP, AppText("作者"));
        Dlg().SetDlgItemText(IDC_DATE, "2026/12/07");
        Dlg().OnMakeHeader();
        QProcess tool;
        tool.start(VELDANE_HEADER_EXE, listArgs);
        tool.write(row[0].toUtf8());
        tool.closeWriteChannel();
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.readAllStandardOutput(),
                 QByteArray::fromStdString(TxtCp932ToUtf8(m_strClip)));
    }

    // Make header over and over with the realistic format file and text in every box the header
    // reads: the memory stays flat.
    void makeHeaderKeepsMemoryFlat() {
        CHeaderDlg& dlg = Open();
        Choose(VELDANE_SOAK_FORMAT);
        FillBoxes(AppText("項目の説明、書式と単位と範囲"));
        int nTotal = qEnvironmentVariableIntValue("SOAK_RUNS");
        nTotal = nTotal > 0 ? nTotal : DEFAULT_RUNS;
        const int nWarmUp = std::min(WARM_UP_RUNS, nTotal / 2);
        long nAfterWarmUp = StatusBytes("VmRSS:");
        int nCopied = 0;
        for (int nRun = 1; nRun <= nTotal; ++nRun) {
            dlg.OnMakeHeader();
            nCopied += m_listShown.takeLast() == COPIED;
            nAfterWarmUp = nRun == nWarmUp ? StatusBytes("VmRSS:") : nAfterWarmUp;
        }
        const long nEnd = StatusBytes("VmRSS:");
        qInfo("%d runs: resident %ld KiB after %d, %ld KiB at the end, growth %ld KiB", nTotal,
              nAfterWarmUp >> 10, nWarmUp, nEnd >> 10, (nEnd - nAfterWarmUp) >> 10);
        QCOMPARE(nCopied, nTotal);
        QVERIFY(m_strClip.find(AppText("範囲1006")) != std::string::npos);
        QVERIFY(nEnd - nAfterWarmUp < FLAT_BOUND);
    }

    // clang-format off
    void windowAndCommandLineWriteTheSameComment_data() {
        QTest::addColumn<QStringList>("row");
        QTest::newRow("member function") << QStringList{"static int CFoo::Bar(const char *name, int n);", "件数を数える", "件数", "名前", ""};
        QTest::newRow("seven arguments, comments") << QStringList{"void\tg(int a, /* b */ int b,\r\n int c, int d, int e, int f, char h) // h", "七つ", "", "", "六番目"};
    }

    void captionsFitTheirControls_data() {
        QTest::addColumn<QFont>("font");
        QTest::newRow("the form's own") << PfDialogFont();
        QTest::newRow("desktop default") << QFont();
        QTest::newRow("Japanese monospace") << QFont("IPAGothic", 9);
        QTest::newRow("large") << QFont("IPAPGothic", 16);
    }

    void keysAndClicksRunCommands_data() {
        const QByteArray analysed = "f|int f(int a)||";
        AddRows<Row>({
            {"keypad Enter in the title", IDC_TITLE, Qt::Key_Enter, OK, analysed, {}},
            {"Return on make header", IDC_MAKE_HEADER, Qt::Key_Return, OK, analysed, {}},
            {"click analyse", IDC_ANALYZE, 0, OK, analysed, {}},
            {"click clear input", IDC_CLEAR_INPUT, 0, OK, "|||", {}},
            {"click paste", IDC_PASTE, 0, OK, "|before||", {}},
            {"click choose file", IDC_SELECT_FORMAT, 0, OK, "|int f(int a)|/f/a.txt|", {}},
            {"click make header", IDC_MAKE_HEADER, 0, OK, "|int f(int a)||" + SELECT.toUtf8(), {}},
        });
    }

    void analyseFillsTheForm_data() {
        const QByteArray seven = "void g(int a, int b, int c, int d, int e, int f, char h)";
        AddRows<Row>({
            {"member function", "static int CFoo::Bar(const char *name, int n);", true, OK, "Bar|static int|CFoo|const char|int|||||*name|n||||", {}},
            {"seven arguments, Yes", seven, true, OK, "g|void||int|int|int|int|int|int|a|b|c|d|e|f", TOO_MANY},
            {"seven arguments, No", seven, false, OK, "g|void|||||||||||||", TOO_MANY},
            {"syntax error", "int CFoo:Bar(int a)", true, OK, "||||||||||||||", "入力された関数は文法エラーの為、解析できません。"},
            {"no memory", "int f(int a)", true, NO_MEMORY, "||||||||||||||", "メモリ不足エラーです。"},
        });
    }

    void pasteTakesCleanedText_data() {
        AddRows<Row>({
            {"comments and line breaks", "int\tf(int a, /* n */\r\n    int b) // note\r\n;", 0, OK, "int f(int a, int b) ;", {}},
            {"no text", "int f()", 0, CLIPBOARD_NO_TEXT, "typed", "テキスト形式を張付けてください。"},
            {"unreadable", "int f()", 0, CLIPBOARD_BROKEN, "typed", "クリップボードのエラー発生。"},
            {"no memory for comments", "int f(/* a */)", 0, NO_MEMORY, "typed", "バッファエラー発生の為、コピーできません。"},
        });
    }

    void makeHeader_data() {
        QByteArray all;
        for (const char* pszKey : g_apszHeaderKeys) {
            all += QByteArray("<@") + pszKey + "@> ";
        }
        const QByteArray title = "<@TITLE@>\n";
        AddRows<Row>({
            // The declaration (1000) and the file name (1028) feed no key.
            {"every box feeds its key", all, LAY_FILE, OK, "1003 1002 1030 1005 1025 1026 1024 1006 1007 1008 1009 1010 1011 1012 1013 1014 1015 1016 1017 1018 1019 1020 1021 1022 1023 ", COPIED},
            {"FIFO with no writer", title, LAY_FIFO, OK, "before", "フォーマットファイルが異常です。コメントは作成されません。"},
            {"an executable", "\x7f" "ELF" + title, LAY_FILE, OK, "before", "フォーマットファイルが異常です。コメントは作成されません。"},
            {"empty expansion", QByteArray(), LAY_FILE, OK, "before", "フォーマットファイルの展開結果が空の為、コピーしませんでした。"},
            {"clipboard not writable", title, LAY_FILE, CLIPBOARD_BROKEN, "before", "クリップボードに書き込めませんでした。"},
        });
    }

    void settingsThroughTheForm_data() {
        const QByteArray cp932 = "[App]\r\nDEVELOP=\x8e\x52\x93\x63\r\nFILE_NAME=\x8f\x91\x8e\xae.txt\r\nFILE_PATH=C:\\\x8f\x91\x8e\xae.txt\r\n";
        const QByteArray named = "[App]\nFILE_NAME=a.txt\nFILE_PATH=";
        const QByteArray full(FORMAT_PATH_SIZE - 1, 'p');
        const QByteArray big = "[App]\nDEVELOP=" + QByteArray(1 << 20, 'x') + "\nFILE_NAME=\nFILE_PATH=\n";
        AddRows<IniRow>({
            {"no ini folder", LAY_NONE, LAY_NONE, {}, "||", "typed", {}},
            {"missing ini file", LAY_FOLDER, LAY_NONE, {}, "||", "山田 太郎", "[App]\nDEVELOP=山田 太郎\n"},
            {"UTF-8 round trip", LAY_FOLDER, LAY_FILE, "[App]\nDEVELOP=山田\nFILE_NAME=書式.txt\nFILE_PATH=/p/書式.txt\n", "山田|書式.txt|/p/書式.txt", "鈴木～", "[App]\nDEVELOP=鈴木～\nFILE_NAME=書式.txt\nFILE_PATH=/p/書式.txt\n"},
            // Closed untouched, nothing is written: the file stays as its own system wrote it.
            {"code page 932 file", LAY_FOLDER, LAY_FILE, cp932, "山田|書式.txt|C:\\\x8f\x91\x8e\xae.txt", {}, cp932},
            // A path that does not fit names no usable file, nor does its name; both stay stored.
            {"path one past the array", LAY_FOLDER, LAY_FILE, named + full + "p\n", "||", {}, named + full + "p\n"},
            // A box holds 32,767 characters; the stored value goes back whole all the same.
            {"1 MB value", LAY_FOLDER, LAY_FILE, big, QByteArray(32767, 'x') + "||", {}, big},
            {"FIFO", LAY_FOLDER, LAY_FIFO, {}, "||", "typed", {}},
        });
    }
    // clang-format on
};

// app_soak_test, which scripts/soak runs with SOAK_RUNS as the count, runs the soak alone.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    CFormTest test;
    QStringList listArgs = app.arguments();
#ifdef VELDANE_SOAK_ONLY
    listArgs << "makeHeaderKeepsMemoryFlat";
#endif
    return QTest::qExec(&test, listArgs);
}

#include "form_test.moc"
