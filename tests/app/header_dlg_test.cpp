#include "app/about_dlg.h"
#include "app/app_text.h"
#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "app/strings.h"
#include "app_test_support.h"
#include "platform/dialog_units.h"

#include <QContextMenuEvent>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
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

const QString ABOUT_TITLE = "VELDANE for C のﾊﾞｰｼﾞｮﾝ情報";

} // namespace

class CHeaderDlgTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CForm<CRecordingDlg>> m_pForm;

    // The form as the active window, so that focus and keys behave as for a user.
    CRecordingDlg& ShownDlg() {
        CRecordingDlg& dlg = m_pForm->Open();
        dlg.show();
        dlg.activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(&dlg)); }();
        return dlg;
    }

private slots:
    void init() {
        m_pForm = std::make_unique<CForm<CRecordingDlg>>();
        WriteIni("[App]\nDEVELOP=山田\nFILE_NAME=house.txt\nFILE_PATH=/fmt/house.txt\n");
    }
    void cleanup() { m_pForm.reset(); }

    void opensWithDateSettingsAndFocus() {
        const QString strBefore = QDate::currentDate().toString("yyyy/MM/dd");
        CRecordingDlg& dlg = ShownDlg();
        const QString strDate = m_pForm->Text(IDC_DATE);
        QVERIFY2(strDate == strBefore || strDate == QDate::currentDate().toString("yyyy/MM/dd"),
                 qPrintable(strDate));
        QCOMPARE(m_pForm->Text(IDC_DEVELOP), QString("山田"));
        QVERIFY(!dlg.GetDlgItem(IDC_FORMAT_NAME)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), dlg.GetDlgItem(IDC_DECL_INPUT));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("VELDANE for C"));
        QVERIFY(!dlg.windowIcon().pixmap(32).isNull());
        // Edits carry their label, and column heading, as accessible names.
        QCOMPARE(dlg.GetDlgItem(ArgNameId(3))->accessibleName(), QString("引数3 変数名"));
        QCOMPARE(dlg.GetDlgItem(IDC_FORMAT_NAME)->accessibleName(),
                 QString("フォーマットファイル"));
        QVERIFY(dlg.m_vecRan.empty());
    }

    // Every row placed through dialog units; Tab walks the boxes and buttons in template order.
    void formFollowsItsTemplate() {
        CRecordingDlg& dlg = ShownDlg();
        const CDialogUnits units(PfDialogFont());
        const QSize size = units.ToPixels(0, 0, MAIN_DLG_CX, MAIN_DLG_CY).size();
        QVERIFY(dlg.size() == size && dlg.minimumSize() == size && dlg.maximumSize() == size);
        std::vector<QWidget*> vecOrder;
        for (const DlgItem& item : g_aMainDlg) {
            const QRect rect = units.ToPixels(item.x, item.y, item.cx, item.cy);
            QWidget* pItem =
                IsTabStop(item) ? dlg.GetDlgItem(item.nId) : FindStatic(dlg, item, rect);
            QVERIFY2(pItem != nullptr && pItem->geometry() == rect, item.pszText);
            QVERIFY2(dlg.rect().contains(rect), item.pszText);
            // A click at a control's centre reaches it, not a group box drawn around it.
            QVERIFY2(!IsTabStop(item) || dlg.childAt(rect.center()) == pItem, item.pszText);
            // The disabled format file name is passed over.
            if (IsTabStop(item) && item.nId != IDC_FORMAT_NAME) {
                vecOrder.push_back(pItem);
            }
        }
        for (std::size_t i = 1; i <= vecOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), vecOrder[i % vecOrder.size()]);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), vecOrder.back());
    }

    // Enter anywhere in the form analyses; buttons run their own command, Space included.
    void keysAndClicksRunCommands_data() {
        QTest::addColumn<int>("nId");  // 0: the form itself
        QTest::addColumn<int>("nKey"); // 0: a mouse click
        QTest::addColumn<int>("nRan");
        // clang-format off
        QTest::newRow("Return in the declaration") << IDC_DECL_INPUT << int(Qt::Key_Return) << IDC_ANALYZE;
        QTest::newRow("keypad Enter in the declaration") << IDC_DECL_INPUT << int(Qt::Key_Enter) << IDC_ANALYZE;
        QTest::newRow("Enter in the title") << IDC_TITLE << int(Qt::Key_Enter) << IDC_ANALYZE;
        QTest::newRow("Return on make header") << IDC_MAKE_HEADER << int(Qt::Key_Return) << IDC_ANALYZE;
        QTest::newRow("Return on the form itself") << 0 << int(Qt::Key_Return) << IDC_ANALYZE;
        QTest::newRow("click analyse") << IDC_ANALYZE << 0 << IDC_ANALYZE;
        QTest::newRow("click clear input") << IDC_CLEAR_INPUT << 0 << IDC_CLEAR_INPUT;
        QTest::newRow("click paste") << IDC_PASTE << 0 << IDC_PASTE;
        QTest::newRow("click choose file") << IDC_SELECT_FORMAT << 0 << IDC_SELECT_FORMAT;
        QTest::newRow("click make header") << IDC_MAKE_HEADER << 0 << IDC_MAKE_HEADER;
        QTest::newRow("Space on make header") << IDC_MAKE_HEADER << int(Qt::Key_Space) << IDC_MAKE_HEADER;
        // clang-format on
    }

    void keysAndClicksRunCommands() {
        QFETCH(int, nId);
        QFETCH(int, nKey);
        QFETCH(int, nRan);
        CRecordingDlg& dlg = ShownDlg();
        QWidget* pTarget = nId != 0 ? dlg.GetDlgItem(nId) : &dlg;
        pTarget->setFocus();
        nKey != 0 ? QTest::keyClick(pTarget, Qt::Key(nKey))
                  : QTest::mouseClick(pTarget, Qt::LeftButton);
        QCOMPARE(dlg.m_vecRan, std::vector<int>{nRan});
        QVERIFY(dlg.isVisible());
    }

    void enterInAMessageBoxAnswersTheBox() {
        PfSetPrompt(nullptr); // the real message boxes
        CRecordingDlg& dlg = ShownDlg();
        QString strShown;
        WhenModal([&strShown](QWidget* pModal) {
            strShown = qobject_cast<QMessageBox*>(pModal)->text();
            QTest::keyClick(pModal, Qt::Key_Return);
        });
        dlg.ShowMessage(MSG_SELECT_FORMAT);
        QCOMPARE(strShown, QString("フォーマットファイルを選択してください。"));
        WhenModal([](QWidget* pModal) { QTest::keyClick(pModal, Qt::Key_Enter); });
        QVERIFY(dlg.AskYesNo(MSG_TOO_MANY_ARGS));
        QVERIFY(dlg.m_vecRan.empty());
    }

    void contextMenuAndF1OpenTheAboutBox() {
        CRecordingDlg& dlg = ShownDlg();
        QString strEntry;
        QStringList listAbout;
        const auto Answer = [&listAbout](QWidget* pModal) {
            listAbout << qobject_cast<CAboutDlg*>(pModal)->windowTitle();
            QTest::keyClick(pModal, Qt::Key_Return);
        };
        WhenShown([] { return QApplication::activePopupWidget(); },
                  [&](QWidget* pPopup) {
                      strEntry = qobject_cast<QMenu*>(pPopup)->actions().value(0)->text();
                      WhenModal(Answer);
                      QTest::keyClick(pPopup, Qt::Key_A); // the entry's mnemonic
                  });
        // A right-click on the form's background, here on a label that has no menu of its own.
        QWidget* pLabel = dlg.findChild<QLabel*>();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1),
                                pLabel->mapToGlobal(QPoint()));
        QApplication::sendEvent(pLabel, &event);
        QCOMPARE(strEntry, QString("Quorvel のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        // F1 reaches it from the keyboard, whichever box has the focus.
        WhenModal(Answer);
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.GetDlgItem(IDC_TITLE)->setFocus();
        QTest::keyClick(dlg.GetDlgItem(IDC_TITLE), Qt::Key_F1);
        QCOMPARE(listAbout, QStringList({ABOUT_TITLE, ABOUT_TITLE}));
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
            }
            const QWidget* pItem = dlg.childAt(rect.center());
            QCOMPARE(pItem->geometry(), rect);
            QVERIFY(item.kind == DLG_ICON ? !pItem->property("pixmap").isNull()
                                          : pItem->property("text") == QString(item.pszText));
        }
        QCOMPARE(QString(CAP_ABOUT_VERSION), QStringLiteral("VELDANE for C   Ver 1.1"));
    }

    void boundedTextRead_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("nMaxCount");
        QTest::addColumn<QByteArray>("expected");      // "#" alone: nothing written
        const QByteArray yamada = "a\x8e\x52\x93\x63"; // a, then two double-byte characters
        // clang-format off
        QTest::newRow("empty box") << QByteArray() << 8 << QByteArray();
        QTest::newRow("fills the buffer") << QByteArray("abcdefg") << 8 << QByteArray("abcdefg");
        QTest::newRow("one past the buffer") << QByteArray("abcdefgh") << 8 << QByteArray("abcdefg");
        QTest::newRow("double-byte cut") << yamada << 5 << QByteArray("a\x8e\x52");
        QTest::newRow("double-byte fits") << yamada << 6 << yamada;
        QTest::newRow("terminator only") << QByteArray("abc") << 1 << QByteArray();
        QTest::newRow("no buffer") << QByteArray("abc") << 0 << QByteArray("#");
        // clang-format on
    }

    void boundedTextRead() {
        QFETCH(QByteArray, text);
        QFETCH(int, nMaxCount);
        QFETCH(QByteArray, expected);
        CRecordingDlg& dlg = m_pForm->Open();
        dlg.SetDlgItemText(IDC_TITLE, text.toStdString());
        QCOMPARE(m_pForm->Box(IDC_TITLE), text);
        // A guard byte shows any write past the caller's buffer.
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
