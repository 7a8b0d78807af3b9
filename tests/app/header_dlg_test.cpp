#include "app/about_dlg.h"
#include "app/app_text.h"
#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "app/header_app.h"
#include "app/header_dlg.h"
#include "app/strings.h"
#include "app_test_support.h"
#include "platform/dialog_units.h"

#include <QAbstractButton>
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
#include <cstring>
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

QLineEdit* Edit(const CHeaderDlg& dlg, int nId) {
    return qobject_cast<QLineEdit*>(dlg.GetDlgItem(nId));
}

bool IsTabStop(const DlgItem& item) {
    return item.kind == DLG_EDIT || item.kind == DLG_BUTTON || item.kind == DLG_DEFBUTTON;
}

// The widget a label or group box row of the template became: same caption, same place.
QWidget* FindStatic(const QWidget& dlg, const DlgItem& item, const QRect& rect) {
    const QString strText = QString::fromUtf8(item.pszText);
    for (QLabel* pLabel : dlg.findChildren<QLabel*>()) {
        if (item.kind == DLG_LABEL && pLabel->text() == strText && pLabel->geometry() == rect) {
            return pLabel;
        }
    }
    for (QGroupBox* pGroup : dlg.findChildren<QGroupBox*>()) {
        if (item.kind == DLG_GROUP && pGroup->title() == strText && pGroup->geometry() == rect) {
            return pGroup;
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

    // Shows the form as the active window, so that focus and keys behave as for a user.
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
        const QString strAfter = QDate::currentDate().toString("yyyy/MM/dd");
        const QString strDate = Edit(dlg, IDC_DATE)->text();
        QVERIFY2(strDate == strBefore || strDate == strAfter, qPrintable(strDate));

        QCOMPARE(Edit(dlg, IDC_DEVELOP)->text(), QStringLiteral("山田"));
        QCOMPARE(Edit(dlg, IDC_FORMAT_NAME)->text(), QStringLiteral("house.txt"));
        QCOMPARE(dlg.FormatPath(), "/fmt/house.txt");
        QVERIFY(!dlg.GetDlgItem(IDC_FORMAT_NAME)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), dlg.GetDlgItem(IDC_DECL_INPUT));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("VELDANE for C"));
        QVERIFY(!dlg.windowIcon().isNull());
        QVERIFY(dlg.m_vecRan.empty());
    }

    void formHasFixedSize() {
        CHeaderDlg dlg(*m_pApp);
        const QSize size = CDialogUnits(PfDialogFont()).ToPixels(0, 0, 381, 201).size();
        QCOMPARE(dlg.size(), size);
        QCOMPARE(dlg.minimumSize(), size);
        QCOMPARE(dlg.maximumSize(), size);
    }

    void everyTemplateRowIsPlacedThroughDialogUnits() {
        CHeaderDlg dlg(*m_pApp);
        const CDialogUnits units(PfDialogFont());
        QCOMPARE(dlg.font(), PfDialogFont());
        for (const DlgItem& item : g_aMainDlg) {
            const QRect rect = units.ToPixels(item.x, item.y, item.cx, item.cy);
            QWidget* pItem =
                item.nId == IDC_STATIC ? FindStatic(dlg, item, rect) : dlg.GetDlgItem(item.nId);
            QVERIFY2(pItem != nullptr, item.pszText);
            QCOMPARE(pItem->geometry(), rect);
            QVERIFY2(dlg.rect().contains(rect), item.pszText);
        }
    }

    void boxesAndButtonsNeverOverlap() {
        CHeaderDlg dlg(*m_pApp);
        for (const DlgItem& a : g_aMainDlg) {
            for (const DlgItem& b : g_aMainDlg) {
                if (&a != &b && IsTabStop(a) && IsTabStop(b)) {
                    const QRect ra = dlg.GetDlgItem(a.nId)->geometry();
                    QVERIFY2(!ra.intersects(dlg.GetDlgItem(b.nId)->geometry()),
                             qPrintable(QString("%1 / %2").arg(a.nId).arg(b.nId)));
                }
            }
        }
    }

    void boxesAndButtonsAreOnTopOfGroupBoxes() {
        // What a click at a control's centre reaches: the control, not a frame drawn around it.
        CHeaderDlg dlg(*m_pApp);
        for (const DlgItem& item : g_aMainDlg) {
            if (IsTabStop(item)) {
                QWidget* pItem = dlg.GetDlgItem(item.nId);
                QCOMPARE(dlg.childAt(pItem->geometry().center()), pItem);
            }
        }
    }

    void controlsHaveTheirKinds() {
        CHeaderDlg dlg(*m_pApp);
        int nEdits = 0;
        for (const DlgItem& item : g_aMainDlg) {
            if (item.kind == DLG_EDIT) {
                QLineEdit* pEdit = Edit(dlg, item.nId);
                QVERIFY(pEdit != nullptr);
                QVERIFY(pEdit->hasFrame());
                ++nEdits;
            } else if (item.kind == DLG_BUTTON) {
                auto* pButton = qobject_cast<QPushButton*>(dlg.GetDlgItem(item.nId));
                QVERIFY(pButton != nullptr);
                QCOMPARE(pButton->text(), QString::fromUtf8(item.pszText));
                // No default button: Enter belongs to Analyse alone.
                QVERIFY(!pButton->isDefault());
                QVERIFY(!pButton->autoDefault());
            }
        }
        QCOMPARE(nEdits, 27);
    }

    void editsCarryTheirRolesAsAccessibleNames_data() {
        QTest::addColumn<int>("nId");
        QTest::addColumn<QString>("strName");
        QTest::newRow("declaration") << IDC_DECL_INPUT << "関数入力";
        QTest::newRow("class") << IDC_CLASS << "クラス名";
        QTest::newRow("function") << IDC_FUNC << "関数名";
        QTest::newRow("return type") << IDC_RET << "戻り値";
        QTest::newRow("return text") << IDC_RET_TEXT << "戻り値 説明";
        QTest::newRow("first argument type") << ArgTypeId(1) << "引数1 型";
        QTest::newRow("first argument name") << ArgNameId(1) << "引数1 変数名";
        QTest::newRow("third argument text") << ArgTextId(3) << "引数3 説明";
        QTest::newRow("last argument type") << ArgTypeId(6) << "引数6 型";
        QTest::newRow("last argument name") << ArgNameId(6) << "引数6 変数名";
        QTest::newRow("last argument text") << ArgTextId(6) << "引数6 説明";
        QTest::newRow("title") << IDC_TITLE << "タイトル";
        QTest::newRow("date") << IDC_DATE << "作成年月日";
        QTest::newRow("developer") << IDC_DEVELOP << "作者";
        QTest::newRow("format file") << IDC_FORMAT_NAME << "フォーマットファイル";
    }

    void editsCarryTheirRolesAsAccessibleNames() {
        QFETCH(int, nId);
        QFETCH(QString, strName);
        CHeaderDlg dlg(*m_pApp);
        QCOMPARE(dlg.GetDlgItem(nId)->accessibleName(), strName);
    }

    void tabWalksTheTemplateOrder() {
        CRecordingDlg& dlg = ShownDlg();
        std::vector<QWidget*> vecExpected;
        for (const DlgItem& item : g_aMainDlg) {
            // The disabled format file name is passed over.
            if (IsTabStop(item) && item.nId != IDC_FORMAT_NAME) {
                vecExpected.push_back(dlg.GetDlgItem(item.nId));
            }
        }
        for (std::size_t i = 1; i <= vecExpected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), vecExpected[i % vecExpected.size()]);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), vecExpected.back());
        QVERIFY(dlg.m_vecRan.empty());
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
        QTest::newRow("analyse button") << IDC_ANALYZE << int(Qt::Key_Return);
    }

    void enterAnywhereInTheFormAnalyses() {
        QFETCH(int, nId);
        QFETCH(int, nKey);
        CRecordingDlg& dlg = ShownDlg();
        QWidget* pItem = dlg.GetDlgItem(nId);
        pItem->setFocus();
        QTest::keyClick(pItem, Qt::Key(nKey));
        QCOMPARE(dlg.m_vecRan, std::vector<int>{IDC_ANALYZE});
        QVERIFY(dlg.isVisible());
        QCOMPARE(QApplication::focusWidget(), pItem);
    }

    void enterOnTheFormItselfAnalyses() {
        CRecordingDlg& dlg = ShownDlg();
        QTest::keyClick(&dlg, Qt::Key_Return);
        QCOMPARE(dlg.m_vecRan, std::vector<int>{IDC_ANALYZE});
    }

    void otherKeysReachTheBoxes() {
        CRecordingDlg& dlg = ShownDlg();
        QTest::keyClicks(Edit(dlg, IDC_DECL_INPUT), "int f()");
        QCOMPARE(Edit(dlg, IDC_DECL_INPUT)->text(), QStringLiteral("int f()"));
        // Space presses a focused button as usual.
        dlg.GetDlgItem(IDC_CLEAR_INPUT)->setFocus();
        QTest::keyClick(dlg.GetDlgItem(IDC_CLEAR_INPUT), Qt::Key_Space);
        QCOMPARE(dlg.m_vecRan, std::vector<int>{IDC_CLEAR_INPUT});
    }

    void eachButtonRunsItsCommand_data() {
        QTest::addColumn<int>("nId");
        QTest::newRow("analyse") << IDC_ANALYZE;
        QTest::newRow("clear input") << IDC_CLEAR_INPUT;
        QTest::newRow("paste") << IDC_PASTE;
        QTest::newRow("choose format file") << IDC_SELECT_FORMAT;
        QTest::newRow("make header") << IDC_MAKE_HEADER;
    }

    void eachButtonRunsItsCommand() {
        QFETCH(int, nId);
        CRecordingDlg& dlg = ShownDlg();
        QTest::mouseClick(dlg.GetDlgItem(nId), Qt::LeftButton);
        QCOMPARE(dlg.m_vecRan, std::vector<int>{nId});
    }

    void enterInAMessageBoxAnswersTheBox() {
        CRecordingDlg& dlg = ShownDlg();
        QString strShown;
        WhenModal([&strShown](QWidget* pModal) {
            if (auto* pBox = qobject_cast<QMessageBox*>(pModal)) {
                strShown = pBox->text();
            }
            QTest::keyClick(pModal, Qt::Key_Return);
        });
        dlg.ShowMessage(MSG_SELECT_FORMAT);
        QCOMPARE(strShown, QString::fromUtf8(MSG_SELECT_FORMAT));

        // A question's default answer is Yes.
        WhenModal([](QWidget* pModal) { QTest::keyClick(pModal, Qt::Key_Enter); });
        QVERIFY(dlg.AskYesNo(MSG_TOO_MANY_ARGS));
        QVERIFY(dlg.m_vecRan.empty());
        QVERIFY(dlg.isVisible());
    }

    void escapeAndCloseEndTheForm() {
        CRecordingDlg& dlg = ShownDlg();
        QTest::keyClick(Edit(dlg, ArgNameId(2)), Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));

        CRecordingDlg& again = ShownDlg();
        QVERIFY(again.close());
        QVERIFY(!again.isVisible());
        QVERIFY(again.m_vecRan.empty());
    }

    void contextMenuOffersTheAboutBox() {
        CRecordingDlg& dlg = ShownDlg();
        QString strEntry;
        QString strAboutTitle;
        WhenShown([] { return QApplication::activePopupWidget(); },
                  [&](QWidget* pPopup) {
                      auto* pMenu = qobject_cast<QMenu*>(pPopup);
                      QCOMPARE(pMenu->actions().size(), 1);
                      strEntry = pMenu->actions().front()->text();
                      WhenModal([&strAboutTitle](QWidget* pModal) {
                          if (qobject_cast<CAboutDlg*>(pModal) != nullptr) {
                              strAboutTitle = pModal->windowTitle();
                          }
                          // Enter acts in the About box: its OK button closes it.
                          QTest::keyClick(pModal, Qt::Key_Return);
                      });
                      // The entry's mnemonic picks it.
                      QTest::keyClick(pMenu, Qt::Key_A);
                  });
        // A right-click on the form's background (here on a label, which has no menu of its own).
        QWidget* pLabel = dlg.findChild<QLabel*>();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                pLabel->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(pLabel, &event);
        QTRY_COMPARE(strAboutTitle, QString::fromUtf8(CAP_ABOUT_TITLE));
        QCOMPARE(strEntry, QString::fromUtf8("Quorvel のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        QVERIFY(dlg.m_vecRan.empty());
    }

    void f1OpensTheAboutBoxFromAnyBox() {
        CRecordingDlg& dlg = ShownDlg();
        QCOMPARE(dlg.AboutAction()->shortcut(), QKeySequence(Qt::Key_F1));
        bool bOpened = false;
        WhenModal([&bOpened](QWidget* pModal) {
            bOpened = qobject_cast<CAboutDlg*>(pModal) != nullptr;
            QTest::keyClick(pModal, Qt::Key_Escape);
        });
        Edit(dlg, IDC_TITLE)->setFocus();
        QTest::keyClick(Edit(dlg, IDC_TITLE), Qt::Key_F1);
        QVERIFY(bOpened);
        QVERIFY(dlg.m_vecRan.empty());
    }

    void boundedTextRead_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("nMaxCount");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty box") << QByteArray() << 8 << QByteArray();
        QTest::newRow("fits with room") << QByteArray("abc") << 8 << QByteArray("abc");
        QTest::newRow("fills the buffer") << QByteArray("abcdefg") << 8 << QByteArray("abcdefg");
        QTest::newRow("one past the buffer")
            << QByteArray("abcdefgh") << 8 << QByteArray("abcdefg");
        // 山 田 are two bytes each: the second would need bytes 3 and 4 of a 4-byte buffer.
        QTest::newRow("double-byte cut")
            << QByteArray("a\x8e\x52\x93\x63") << 4 << QByteArray("a\x8e\x52");
        QTest::newRow("double-byte fits")
            << QByteArray("a\x8e\x52\x93\x63") << 6 << QByteArray("a\x8e\x52\x93\x63");
        QTest::newRow("room for the terminator only") << QByteArray("abc") << 1 << QByteArray();
    }

    void boundedTextRead() {
        QFETCH(QByteArray, text);
        QFETCH(int, nMaxCount);
        QFETCH(QByteArray, expected);
        CHeaderDlg dlg(*m_pApp);
        dlg.SetDlgItemText(IDC_TITLE, text.toStdString());
        QCOMPARE(QByteArray::fromStdString(dlg.GetDlgItemText(IDC_TITLE)), text);
        // A guard byte after the caller's buffer shows any write past its end.
        std::vector<char> buffer(static_cast<std::size_t>(nMaxCount) + 1, '#');
        const int nCopied = dlg.GetDlgItemText(IDC_TITLE, buffer.data(), nMaxCount);
        QCOMPARE(nCopied, int(expected.size()));
        QCOMPARE(QByteArray(buffer.data()), expected);
        QCOMPARE(buffer.back(), '#');
    }

    void itemAccessToleratesBadArguments() {
        CHeaderDlg dlg(*m_pApp);
        char szBuffer[4] = {'#', '#', '#', '#'};
        QCOMPARE(dlg.GetDlgItemText(IDC_DEVELOP, szBuffer, 0), 0);
        QCOMPARE(szBuffer[0], '#');
        QCOMPARE(dlg.GetDlgItemText(IDC_DEVELOP, nullptr, 4), 0);
        QCOMPARE(dlg.GetDlgItemText(4242, szBuffer, 4), 0);
        QCOMPARE(szBuffer[0], '\0');
        QVERIFY(dlg.GetDlgItem(4242) == nullptr);
        QVERIFY(dlg.GetDlgItemText(IDC_STATIC).empty());
        dlg.SetDlgItemText(4242, "x");
        dlg.EnableDlgItem(4242, false);
        dlg.EnableDlgItem(IDC_FORMAT_NAME, true);
        QVERIFY(dlg.GetDlgItem(IDC_FORMAT_NAME)->isEnabled());
        QCOMPARE(dlg.GetDlgItemText(IDC_ANALYZE), AppText(CAP_ANALYZE));
    }
};

QTEST_MAIN(CHeaderDlgTest)
#include "header_dlg_test.moc"
