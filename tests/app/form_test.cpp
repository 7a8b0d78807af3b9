#include "app/app_text.h"
#include "app/chooser_folder.h"
#include "app/control_ids.h"
#include "app/dialog_layout.h"
#include "app/dialog_template.h"
#include "app/group_box.h"
#include "app/header_app.h"
#include "app/header_dlg.h"
#include "header/messages.h"
#include "platform/clipboard.h"
#include "platform/desktop_services.h"
#include "platform/dialog_units.h"
#include "platform/qt_text.h"
#include "row_file.h"
#include "text/txt_alloc.h"

#include <QtTest>
#include <QtWidgets>
#include <clocale>
#include <fstream>
#include <regex>
#include <sys/stat.h>

namespace {

// What a step makes fail; the clipboard's faults are what reading it reports.
enum { OK, NO_MEMORY, CLIPBOARD_BROKEN, CLIPBOARD_NO_TEXT };
// clang-format off
const std::map<std::string, int> FAULTS = {
    {"no-memory", NO_MEMORY}, {"clipboard-broken", CLIPBOARD_BROKEN}, {"clipboard-no-text", CLIPBOARD_NO_TEXT}};
// The controls a session names, besides typeN, nameN and textN of argument row N.
const std::map<std::string, int> BOXES = {
    {"decl", IDC_DECL_INPUT}, {"func", IDC_FUNC}, {"ret", IDC_RET}, {"class", IDC_CLASS}, {"title", IDC_TITLE},
    {"ret-text", IDC_RET_TEXT}, {"date", IDC_DATE}, {"develop", IDC_DEVELOP}, {"format-name", IDC_FORMAT_NAME},
    {"analyse-button", IDC_ANALYZE}, {"make-button", IDC_MAKE_HEADER}, {"clear-button", IDC_CLEAR_INPUT},
    {"paste-button", IDC_PASTE}, {"choose-button", IDC_SELECT_FORMAT}};
const std::map<std::string, int (*)(int)> ROW_BOXES = {{"type", ArgTypeId}, {"name", ArgNameId}, {"text", ArgTextId}};
// clang-format on
// Soak: runs (SOAK_RUNS asks for others), runs that warm the caches up, growth of memory allowed.
constexpr int DEFAULT_RUNS = 2000;
constexpr int WARM_UP_RUNS = 500;
constexpr long FLAT_BOUND = 1 << 20;

const QString COPIED = "コメントをクリップボードにコピーしました。";

// The box a session names: one of BOXES, or typeN, nameN or textN of argument row N.
int BoxId(const std::string& strName) {
    const auto row = ROW_BOXES.find(strName.substr(0, 4));
    return row != ROW_BOXES.end() ? row->second(strName.back() - '0') : BOXES.at(strName);
}

// `str` with each "{C*N}" as N times the character C, for texts too long to write out.
std::string Repeated(std::string str) {
    static const std::regex REPEAT(R"(\{(.)\*(\d+)\})");
    std::smatch match;
    for (std::size_t n = 0; std::regex_search(str.cbegin() + n, str.cend(), match, REPEAT);) {
        const std::size_t nCount = std::stoul(match[2]);
        n += match.position();
        str.replace(n, match.length(), nCount, match.str(1)[0]);
        n += nCount;
    }
    return str;
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

} // namespace

// One test's world: a fresh current directory, the form once opened, and the test itself as the
// desktop: answering the prompts as told, recording what they showed, and holding a clipboard
// ("before" at first) that a row can make fail.
class CFormTest : public QObject, public CDesktopServices {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_pDir;
    QStringList m_listShown;
    QStringList m_listFolders;            // where the chooser opened, as RowFolder names them
    bool m_bYes = true, m_bChoose = true; // m_bChoose: false cancels the next choice
    std::string m_strPath;
    std::string m_strClip;
    int m_nFault = OK;
    int m_nPending = OK;  // the fault of a session's next command
    QByteArray m_session; // what a session's steps showed
    std::unique_ptr<CHeaderApp> m_pApp;
    std::unique_ptr<CHeaderDlg> m_pDlg;

    void Message(QWidget*, const std::string& text) override { m_listShown << PfFromCp932(text); }
    bool Question(QWidget* p, const std::string& text) override { return Message(p, text), m_bYes; }
    bool ChooseFormatFile(QWidget*, const std::string& strFolder, std::string* pPath,
                          std::string* pName) override {
        m_listFolders << RowFolder(QFile::decodeName(strFolder.c_str()));
        *pPath = m_strPath;
        *pName = m_strPath.substr(m_strPath.rfind('/') + 1);
        return std::exchange(m_bChoose, true);
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
    QString Text(int nId) { return PfFromCp932(Dlg().GetDlgItemText(nId)); }
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

    // A folder as a row names it: the examples as such, any other relative to the current one.
    static QString RowFolder(const QString& strFolder) {
        return strFolder == QFileInfo(VELDANE_SOAK_FORMAT).path()
                   ? "examples"
                   : QDir().relativeFilePath(strFolder);
    }
    // What `show` gives for the names: a box's text, the chosen path, the start of Analyse's tip,
    // the context menu, where the chooser opened, where it opens for a program in bin/.
    QByteArray Show(const QStringList& listNames) {
        QStringList listMenu;
        for (const QAction* pAction : Dlg().actions()) {
            listMenu << pAction->text();
        }
        const std::string strInstalled = AppChooserFolder("", QDir().absoluteFilePath("bin"));
        const std::map<QString, QByteArray> shown = {
            {"path", Dlg().FormatPath()}, // as it is, in the file system's bytes
            {"tip", Dlg().GetDlgItem(IDC_ANALYZE)->toolTip().left(6).toUtf8()},
            {"menu", Dlg().contextMenuPolicy() == Qt::ActionsContextMenu
                         ? listMenu.join(',').toUtf8()
                         : ""},
            {"chooser", m_listFolders.join(',').toUtf8()},
            {"installed", RowFolder(QFile::decodeName(strInstalled.c_str())).toUtf8()}};
        QByteArrayList list;
        for (const QString& strName : listNames) {
            const auto it = shown.find(strName);
            list << (it != shown.end() ? it->second : Text(BoxId(strName.toStdString())).toUtf8());
        }
        return list.join('|') + '\n';
    }
    // The next modal window, once shown: its title, a message box's icon, buttons and text, the
    // About box's labels and its icon's width, each a message; then the key on it.
    void Answer(Qt::Key key) {
        QTimer::singleShot(0, [this, key] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            QWidget* pModal = QApplication::activeModalWidget();
            auto* pBox = qobject_cast<QMessageBox*>(pModal);
            m_listShown << pModal->windowTitle() +
                               (pBox ? QString::asprintf(" %d %x ", pBox->icon(),
                                                         int(pBox->standardButtons())) +
                                           pBox->text()
                                     : "");
            for (const QLabel* pLabel : pBox ? QList<QLabel*>() : pModal->findChildren<QLabel*>()) {
                const QPixmap icon = pLabel->pixmap();
                m_listShown << (icon.isNull() ? pLabel->text()
                                              : QString("%1 px").arg(icon.width()));
            }
            QTest::keyClick(pModal, key);
        });
    }
    // Runs one step of a session (see data/README.md); what it shows goes to m_session.
    void Step(const std::string& strStep, const std::string& strArg, const std::string& strText) {
        const QString strPath = QString::fromStdString(strArg);
        const std::size_t nSpace = strArg.find(' ');
        const QStringList listNames = strPath.left(nSpace).split(',');
        const auto target = [&] {
            QWidget* pTarget = Dlg().GetDlgItem(BoxId(listNames[0].toStdString()));
            pTarget->setFocus();
            return pTarget;
        };
        const auto act = [this](void (CHeaderDlg::*pfnCommand)()) {
            (Dlg(std::exchange(m_nPending, OK)).*pfnCommand)();
        };
        const std::map<std::string, std::function<void()>> steps = {
            {"open", [&] { Open(); }},
            {"shown", [&] { ShownDlg(); }},
            {"real", [&] { ShownDlg(&PfDesktopServices()); }},
            {"answer", [&] { Answer(Qt::Key(QKeySequence(strPath)[0].key())); }},
            {"press",
             [&] { QTest::keyClick(target(), QKeySequence(strPath.mid(nSpace + 1))[0].key()); }},
            {"click", [&] { QTest::mouseClick(target(), Qt::LeftButton); }},
            {"chooser", [&] { m_strPath = strArg; }},
            {"close", [&] { Close(); }},
            {"folder", [&] { QDir().mkpath(strPath); }},
            {"cd", [&] { QVERIFY(QDir().mkpath(strPath) && QDir::setCurrent(strPath)); }},
            {"file",
             [&] {
                 QDir().mkpath(QFileInfo(strPath).path());
                 QVERIFY(bool(std::ofstream(strArg, std::ios::binary) << strText));
             }},
            {"fifo", [&] { QVERIFY(mkfifo(strArg.c_str(), 0600) == 0); }},
            {"no", [&] { m_bYes = false; }},
            {"fault", [&] { m_nPending = FAULTS.at(strArg); }},
            {"clip", [&] { m_strClip = AppText((strArg + strText).c_str()); }},
            {"choose", [&] { Choose(QByteArray::fromStdString(strArg)); }},
            {"cancel", [&] { m_bChoose = false; }},
            {"fill", [&] { FillBoxes(); }},
            {"tidy", [&] { Dlg().OnTidyAnalysis(strArg == "1"); }},
            {"paste", [&] { act(&CHeaderDlg::OnPasteClipboard); }},
            {"analyse", [&] { act(&CHeaderDlg::OnAnalyze); }},
            {"make", [&] { act(&CHeaderDlg::OnMakeHeader); }},
            {"clear", [&] { act(&CHeaderDlg::OnClearInput); }},
            {"read", [&] { m_session += ReadFile(strPath); }},
            {"clipboard", [&] { m_session += PfFromCp932(m_strClip).trimmed().toUtf8() + '\n'; }},
            {"show", [&] { m_session += Show(listNames); }},
            {"mode",
             [&] {
                 struct stat st {};
                 m_session +=
                     (stat(strArg.c_str(), &st) == 0 ? QByteArray::number(st.st_mode & 0777, 8)
                                                     : "none") +
                     '\n';
             }},
            {"set",
             [&] {
                 for (const QString& strName : listNames) {
                     Dlg().SetDlgItemText(BoxId(strName.toStdString()),
                                          AppText(strArg.substr(nSpace + 1).c_str()));
                 }
             }},
        };
        steps.at(strStep)();
        for (const QString& strShown : std::exchange(m_listShown, {})) {
            m_session += "! " + strShown.toUtf8() + '\n';
        }
    }

private slots:
    void init() {
        m_pDir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(m_pDir->path());
        // Without an ini/ folder the settings go to the user's configuration folder: the test's
        // own, never the real one.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_pDir->path() + "/xdg"));
        m_strClip = "before";
        m_nFault = m_nPending = OK;
        m_session.clear();
        m_listShown.clear();
        m_listFolders.clear();
        m_bChoose = m_bYes = true;
    }
    void cleanup() { // the form closes, and so saves, before its directory is removed
        Close();
        m_pDir.reset();
    }

    // The focus in the declaration; every control placed and clickable as the template says; Tab
    // walks them in order, passing over the file name.
    void opensAsItsTemplateSays() {
        CHeaderDlg& dlg = ShownDlg();
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
    // title within the box, where it stands as a label shows it between equal blanks. The form's
    // own font is the one it was drawn in, under any locale.
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
        for (CGroupBox* p : dlg.findChildren<CGroupBox*>()) {
            cut(p->rect().contains(p->CaptionRect()), p->title());
            QLabel label(p->title(), &dlg);
            label.setIndent(
                (p->CaptionRect().width() - p->fontMetrics().horizontalAdvance(p->title())) / 2);
            label.resize(p->CaptionRect().size());
            cut(p->grab(p->CaptionRect()).toImage() == label.grab().toImage(), p->title() + "?");
        }
        QCOMPARE(listCut.join(""), QString());
    }

    // A session of data/sessions.txt: each line of its input a step, the lines indented below it
    // the step's text, each line of its result one thing the steps showed.
    void sessions() {
        QFETCH(CRow, row);
        static const std::regex STEP(R"((\S+) ?(.*)\n((?:  .*\n)*))"), INDENT("(^|\n)  ");
        const std::string& str = row.m_strInput;
        const auto CONTINUOUS = std::regex_constants::match_continuous; // no line passed over
        for (std::sregex_iterator it(str.begin(), str.end(), STEP, CONTINUOUS), end; it != end;
             ++it) {
            const std::string strText = std::regex_replace((*it)[3].str(), INDENT, "$1");
            Step((*it)[1].str(), Repeated(RowText((*it)[2].str(), false)),
                 Repeated(RowText(strText, false)));
        }
        const QByteArray expected = QByteArray::fromStdString(Repeated(RowResult(row, false)));
        QCOMPARE(QString::fromUtf8(m_session), QString::fromUtf8(expected)); // readable
        QVERIFY(m_session == expected);                                      // byte for byte
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
    void captionsFitTheirControls_data() {
        QTest::addColumn<QFont>("font");
        QTest::newRow("the form's own") << PfDialogFont();
        QTest::newRow("desktop default") << QFont();
        QTest::newRow("Japanese monospace") << QFont("IPAGothic", 9);
        QTest::newRow("large") << QFont("IPAPGothic", 16);
    }

    void sessions_data() {
        QTest::addColumn<CRow>("row");
        for (const CRow& row : ReadRows(VELDANE_FORM_DATA "/sessions.txt")) {
            QTest::newRow(row.m_strWhere.c_str()) << row;
        }
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
