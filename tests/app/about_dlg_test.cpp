#include "app/about_dlg.h"
#include "app/control_ids.h"
#include "app/dialog_template.h"
#include "app/strings.h"
#include "platform/dialog_units.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <algorithm>

class CAboutDlgTest : public QObject {
    Q_OBJECT

private slots:
    void showsTitleVersionAndIcon() {
        CAboutDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("VELDANE for C のﾊﾞｰｼﾞｮﾝ情報"));
        QVERIFY(!dlg.windowIcon().isNull());
        QStringList texts;
        bool bIcon = false;
        for (QLabel* pLabel : dlg.findChildren<QLabel*>()) {
            texts << pLabel->text();
            bIcon = bIcon || !pLabel->pixmap().isNull();
        }
        QVERIFY(texts.contains(QStringLiteral("VELDANE for C   Ver 1.1")));
        QVERIFY(texts.contains(QString::fromUtf8(CAP_ABOUT_PURPOSE)));
        QVERIFY(bIcon);
    }

    void itemsSitWhereTheTemplatePutsThem() {
        CAboutDlg dlg;
        const CDialogUnits units(PfDialogFont());
        QCOMPARE(dlg.size(), units.ToPixels(0, 0, ABOUT_DLG_CX, ABOUT_DLG_CY).size());
        QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
        auto* pOk = dlg.findChild<QPushButton*>();
        QCOMPARE(pOk->geometry(), units.ToPixels(178, 7, 50, 14));
        const QList<QLabel*> labels = dlg.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 3);
        for (QLabel* pLabel : labels) {
            QVERIFY(dlg.rect().contains(pLabel->geometry()));
        }
        // The icon keeps its own size at its corner.
        QVERIFY(std::any_of(labels.begin(), labels.end(), [&](QLabel* pLabel) {
            return pLabel->geometry() ==
                   QRect(units.ToPixels(11, 17, 0, 0).topLeft(), QSize(32, 32));
        }));
    }

    void okIsTheDefaultButton_data() {
        QTest::addColumn<int>("nKey");
        QTest::addColumn<int>("nResult");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
        QTest::newRow("Space") << int(Qt::Key_Space) << int(QDialog::Accepted);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }

    void okIsTheDefaultButton() {
        QFETCH(int, nKey);
        QFETCH(int, nResult);
        CAboutDlg dlg;
        auto* pOk = dlg.findChild<QPushButton*>();
        QCOMPARE(pOk->text(), QStringLiteral("OK"));
        QVERIFY(pOk->isDefault());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        pOk->setFocus();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : pOk,
                        Qt::Key(nKey));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), nResult);
    }
};

QTEST_MAIN(CAboutDlgTest)
#include "about_dlg_test.moc"
