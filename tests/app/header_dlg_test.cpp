#include "app/about_dlg.h"
#include "app/app_text.h"
#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "app/header_app.h"
#include "app/header_dlg.h"
#include "app/strings.h"
#include "app_test_support.h"
#include "platform/dialog_units.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <vector>

namespace {

// Records which command handlers ran, in order, instead of running them.
class CRecordingDlg : public CHeaderDlg {
public:
    using CHeaderDlg::CHeaderDlg;
    void OnAnalyze() override { m_vecRan.push_back(IDC_ANALYZE); }
    void OnClearInput() override { m_vecRan.push_back(IDC_CLEAR_INPUT); }
    void OnPasteClipboard() override { m_vecRan.push_back(IDC_PASTE); }
    void OnSelectFormat() override { m_vecRan.push_back(IDC_SELECT_FORMAT); }
    void OnMakeHeader() override { m_vecRan.push_back(IDC_MAKE_HEADER); }

    std::vector<int> m_vecRan;
};

bool IsTabStop(const DlgItem& item) {
    return item.kind == DLG_EDIT || item.kind == DLG_BUTTON;
}

// The widget a label or group box row became: same caption, same place.
QWidget* FindStatic(const QWidget& dlg, const DlgItem& item, const QRect& rect) {
    const QString strText = QString::fromUtf8(item.pszText);
    for (QWidget* pChild : dlg.findChildren<QWidget*>()) {
        auto* pLabel = qobject_cast<QLabel*>(pChild);
        auto* pGroup = qobject_cast<QGroupBox*>(pChild);
        if (pChild->geometry() == rect &&
            ((pLabel && pLabel->text() == strText) || (pGroup && pGroup->title() == strText))) {
            return pChild;
        }
    }
    return nullptr;
}

} // namespace

class CHeaderDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CTempCwd> m_pCwd;
    std::unique_ptr<CHeaderApp> m_pApp;
    std::unique_ptr<CRecordingDlg> m_pDlg;

    // The form as the active window, so that focus and keys behave as for a user.
    CRecordingDlg& ShownDlg() {
        m_pDlg = std::make_unique<CRecordingDlg>(*m_pApp);
        m_pDlg->show();
        m_pDlg->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(m_pDlg.get())); }();
        return *m_pDlg;
    }

private slots:
    void init() {
        m_pCwd = std::make_unique<CTempCwd>();
        WriteIni("[App]\nDEVELOP=山田\nFILE_NAME=house.txt\nFILE_PATH=/fmt/house.txt\n");
        m_pApp = std::make_unique<CHeaderApp>();
        QVERIFY(m_pApp->InitProfile());
    }

    void cleanup() {
        m_pDlg.reset();
        m_pApp.reset();
        m_pCwd.reset();
    }

    void opensWithDateSettingsAndFocus() {
        const QString strBefore = QDate::currentDate().toString("yyyy/MM/dd");
        CRecordingDlg& dlg = ShownDlg();
        const QString strDate = QString::fromStdString(dlg.GetDlgItemText(IDC_DATE));
        QVERIFY2(strDate == strBefore || strDate == QDate::currentDate().toString("yyyy/MM/dd"),
                 qPrintable(strDate));
        QCOMPARE(dlg.GetDlgItemText(IDC_DEVELOP), AppText("山田"));
        QVERIFY(!dlg.GetDlgItem(IDC_FORMAT_NAME)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), dlg.GetDlgItem(IDC_DECL_INPUT));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("VELDANE for C"));
        QVERIFY(!dlg.windowIcon().pixmap(32).isNull());
        QVERIFY(dlg.m_vecRan.empty());
    }

    void everyTemplateRowIsPlacedThroughDialogUnits() {
        CHeaderDlg dlg(*m_pApp);
        const CDialogUnits units(PfDialogFont());
        const QSize size = units.ToPixels(0, 0, MAIN_DLG_CX, MAIN_DLG_CY).size();
        QVERIFY(dlg.size() == size && dlg.minimumSize() == size && dlg.maximumSize() == size);
        for (const DlgItem& item : g_aMainDlg) {
            const QRect rect = units.ToPixels(item.x, item.y, item.cx, item.cy);
            QWidget* pItem =
                IsTabStop(item) ? dlg.GetDlgItem(item.nId) : FindStatic(dlg, item, rect);
            QVERIFY2(pItem != nullptr && pItem->geometry() == rect, item.pszText);
            QVERIFY2(dlg.rect().contains(rect), item.pszText);
            if (IsTabStop(item)) {
                // A click at its centre reaches the control, not a group box drawn around it.
                QCOMPARE(dlg.childAt(rect.center()), pItem);
            }
        }
    }

    void editsCarryTheirRolesAsAccessibleNames() {
        CHeaderDlg dlg(*m_pApp);
        const std::pair<int, const char*> aNames[] = {
            {IDC_DECL_INPUT, "関数入力"}, {IDC_RET_TEXT, "戻り値 説明"},
            {ArgTypeId(1), "引数1 型"},   {ArgNameId(3), "引数3 変数名"},
            {ArgTextId(6), "引数6 説明"}, {IDC_FORMAT_NAME, "フォーマットファイル"},
        };
        for (const auto& [nId, pszName] : aNames) {
            QCOMPARE(dlg.GetDlgItem(nId)->accessibleName(), QString::fromUtf8(pszName));
        }
    }

    void tabWalksTheTemplateOrder() {
        CRecordingDlg& dlg = ShownDlg();
        std::vector<QWidget*> vecOrder;
        for (const DlgItem& item : g_aMainDlg) {
            // The disabled format file name is passed over.
            if (IsTabStop(item) && item.nId != IDC_FORMAT_NAME) {
                vecOrder.push_back(dlg.GetDlgItem(item.nId));
            }
        }
        for (std::size_t i = 1; i <= vecOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), vecOrder[i % vecOrder.size()]);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), vecOrder.back());
    }

    void enterAnywhereInTheFormAnalyses_data() {
        QTest::addColumn<int>("nId");
        QTest::addColumn<int>("nKey");
        QTest::newRow("declaration, Return") << IDC_DECL_INPUT << int(Qt::Key_Return);
        QTest::newRow("declaration, keypad Enter") << IDC_DECL_INPUT << int(Qt::Key_Enter);
        QTest::newRow("argument description") << ArgTextId(1) << int(Qt::Key_Return);
        QTest::newRow("title") << IDC_TITLE << int(Qt::Key_Enter);
        QTest::newRow("make header button") << IDC_MAKE_HEADER << int(Qt::Key_Return);
        QTest::newRow("choose file button") << IDC_SELECT_FORMAT << int(Qt::Key_Enter);
        QTest::newRow("the form itself") << 0 << int(Qt::Key_Return);
    }

    void enterAnywhereInTheFormAnalyses() {
        QFETCH(int, nId);
        QFETCH(int, nKey);
        CRecordingDlg& dlg = ShownDlg();
        QWidget* pTarget = nId != 0 ? dlg.GetDlgItem(nId) : &dlg;
        pTarget->setFocus();
        QTest::keyClick(pTarget, Qt::Key(nKey));
        QCOMPARE(dlg.m_vecRan, std::vector<int>{IDC_ANALYZE});
        QVERIFY(dlg.isVisible());
    }

    void buttonsRunTheirCommands_data() {
        QTest::addColumn<int>("nId");
        QTest::addColumn<bool>("bSpace");
        QTest::newRow("analyse") << IDC_ANALYZE << false;
        QTest::newRow("clear input") << IDC_CLEAR_INPUT << false;
        QTest::newRow("paste") << IDC_PASTE << false;
        QTest::newRow("choose format file") << IDC_SELECT_FORMAT << false;
        QTest::newRow("make header") << IDC_MAKE_HEADER << false;
        // Space presses a focused button as usual; only Enter is taken over.
        QTest::newRow("make header by Space") << IDC_MAKE_HEADER << true;
    }

    void buttonsRunTheirCommands() {
        QFETCH(int, nId);
        QFETCH(bool, bSpace);
        CRecordingDlg& dlg = ShownDlg();
        QWidget* pButton = dlg.GetDlgItem(nId);
        pButton->setFocus();
        bSpace ? QTest::keyClick(pButton, Qt::Key_Space)
               : QTest::mouseClick(pButton, Qt::LeftButton);
        QCOMPARE(dlg.m_vecRan, std::vector<int>{nId});
    }

    void enterInAMessageBoxAnswersTheBox() {
        CRecordingDlg& dlg = ShownDlg();
        QString strShown;
        WhenModal([&strShown](QWidget* pModal) {
            strShown = qobject_cast<QMessageBox*>(pModal)->text();
            QTest::keyClick(pModal, Qt::Key_Return);
        });
        dlg.ShowMessage(MSG_SELECT_FORMAT);
        QCOMPARE(strShown, QString::fromUtf8(MSG_SELECT_FORMAT));
        WhenModal([](QWidget* pModal) { QTest::keyClick(pModal, Qt::Key_Enter); });
        QVERIFY(dlg.AskYesNo(MSG_TOO_MANY_ARGS));
        QVERIFY(dlg.m_vecRan.empty());
    }

    void contextMenuOpensTheAboutBox() {
        CRecordingDlg& dlg = ShownDlg();
        QString strEntry;
        QString strAbout;
        WhenShown([] { return QApplication::activePopupWidget(); },
                  [&](QWidget* pPopup) {
                      strEntry = qobject_cast<QMenu*>(pPopup)->actions().value(0)->text();
                      WhenModal([&strAbout](QWidget* pModal) {
                          strAbout = qobject_cast<CAboutDlg*>(pModal)->windowTitle();
                          QTest::keyClick(pModal, Qt::Key_Return);
                      });
                      QTest::keyClick(pPopup, Qt::Key_A); // the entry's mnemonic
                  });
        // A right-click on the form's background, here on a label that has no menu of its own.
        QWidget* pLabel = dlg.findChild<QLabel*>();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1),
                                pLabel->mapToGlobal(QPoint()));
        QApplication::sendEvent(pLabel, &event);
        QCOMPARE(strEntry, QString::fromUtf8("Quorvel のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        QCOMPARE(strAbout, QString::fromUtf8("VELDANE for C のﾊﾞｰｼﾞｮﾝ情報"));

        // F1 reaches it from the keyboard, whichever box has the focus.
        strAbout.clear();
        WhenModal([&strAbout](QWidget* pModal) {
            strAbout = pModal->windowTitle();
            QTest::keyClick(pModal, Qt::Key_Escape);
        });
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.GetDlgItem(IDC_TITLE)->setFocus();
        QTest::keyClick(dlg.GetDlgItem(IDC_TITLE), Qt::Key_F1);
        QCOMPARE(strAbout, QString::fromUtf8("VELDANE for C のﾊﾞｰｼﾞｮﾝ情報"));
        QVERIFY(dlg.m_vecRan.empty());
    }

    void aboutBoxFollowsItsTemplate() {
        CAboutDlg dlg;
        const CDialogUnits units(PfDialogFont());
        QCOMPARE(dlg.size(), units.ToPixels(0, 0, ABOUT_DLG_CX, ABOUT_DLG_CY).size());
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
        for (const DlgItem& item : g_aAboutDlg) {
            QRect rect = units.ToPixels(item.x, item.y, item.cx, item.cy);
            if (item.kind == DLG_ICON) {
                rect.setSize({DLG_ICON_PIXELS, DLG_ICON_PIXELS});
                QVERIFY(!dlg.childAt(rect.center())->property("pixmap").isNull());
            } else {
                QCOMPARE(dlg.childAt(rect.center())->property("text").toString(),
                         QString::fromUtf8(item.pszText));
            }
            QCOMPARE(dlg.childAt(rect.center())->geometry(), rect);
        }
        QCOMPARE(QString::fromUtf8(CAP_ABOUT_VERSION), QStringLiteral("VELDANE for C   Ver 1.1"));
    }

    void boundedTextRead_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("nMaxCount");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty box") << QByteArray() << 8 << QByteArray();
        QTest::newRow("fills the buffer") << QByteArray("abcdefg") << 8 << QByteArray("abcdefg");
        QTest::newRow("one past the buffer")
            << QByteArray("abcdefgh") << 8 << QByteArray("abcdefg");
        // 山 and 田 are two bytes each: 田 would need bytes 3 and 4 of a 4-byte buffer.
        QTest::newRow("double-byte cut")
            << QByteArray("a\x8e\x52\x93\x63") << 4 << QByteArray("a\x8e\x52");
        QTest::newRow("double-byte fits")
            << QByteArray("a\x8e\x52\x93\x63") << 6 << QByteArray("a\x8e\x52\x93\x63");
        QTest::newRow("terminator only") << QByteArray("abc") << 1 << QByteArray();
        QTest::newRow("no buffer") << QByteArray("abc") << 0 << QByteArray("#");
    }

    void boundedTextRead() {
        QFETCH(QByteArray, text);
        QFETCH(int, nMaxCount);
        QFETCH(QByteArray, expected);
        CHeaderDlg dlg(*m_pApp);
        dlg.SetDlgItemText(IDC_TITLE, text.toStdString());
        QCOMPARE(QByteArray::fromStdString(dlg.GetDlgItemText(IDC_TITLE)), text);
        // A guard byte shows any write past the caller's buffer; "#" alone means nothing written.
        std::vector<char> buffer(static_cast<std::size_t>(nMaxCount) + 1, '#');
        const int nCopied = dlg.GetDlgItemText(IDC_TITLE, buffer.data(), nMaxCount);
        QCOMPARE(QByteArray(buffer.data(), int(qstrnlen(buffer.data(), uint(buffer.size())))),
                 expected);
        QCOMPARE(nCopied, nMaxCount > 0 ? int(expected.size()) : 0);
        QCOMPARE(buffer.back(), '#');
    }
};

QTEST_MAIN(CHeaderDlgTest)
#include "header_dlg_test.moc"
