#include "app/control_ids.h"
#include "app/header_app.h"
#include "app/header_dlg.h"
#include "app_test_support.h"
#include "platform/qt_text.h"
#include "recording_prompt.h"
#include "resident_memory.h"

#include <QClipboard>
#include <QtTest>
#include <algorithm>

namespace {

// Make header runs of the ctest version; SOAK_RUNS asks for another count (scripts/soak).
constexpr int DEFAULT_RUNS = 2000;
// Runs before the first measurement, for the caches of fonts, converters and the clipboard.
constexpr int WARM_UP_RUNS = 500;
// Growth of the resident memory allowed from the end of the warm-up to the last run.
constexpr long FLAT_BOUND = 1 << 20;

} // namespace

class CSoakTest : public QObject {
    Q_OBJECT

private slots:
    void makeHeaderKeepsMemoryFlat() {
        CTempCwd cwd;
        CRecordingPrompt prompt;
        PfSetPrompt(&prompt);
        CHeaderApp app;
        QVERIFY(app.InitProfile());
        CHeaderDlg dlg(app);
        prompt.m_strPath = VELDANE_SOAK_FORMAT;
        dlg.OnSelectFormat();

        // Every box the header reads holds text: six analysed arguments, their descriptions.
        dlg.SetDlgItemText(IDC_DECL_INPUT,
                           "static int CEntryList::CountEntries(const char *pszName, int nKind, "
                           "long lFrom, long lTo, unsigned char *pbyFlags, void *pContext) const");
        dlg.OnAnalyze();
        const auto Set = [&dlg](int nId, const QString& strText) {
            dlg.SetDlgItemText(nId, PfToCp932(strText));
        };
        for (int i = 1; i <= ARG_ROW_COUNT; ++i) {
            Set(ArgTextId(i), QString("引数%1の説明、書式と単位と範囲").arg(i));
        }
        Set(IDC_RET_TEXT, "一致した項目の数、見つからなければ0");
        Set(IDC_TITLE, "名前と種類で項目を数える");
        Set(IDC_DEVELOP, "開発 太郎");

        const int nTotal = qEnvironmentVariableIsSet("SOAK_RUNS")
                               ? std::max(1, qEnvironmentVariableIntValue("SOAK_RUNS"))
                               : DEFAULT_RUNS;
        const int nWarmUp = std::min(WARM_UP_RUNS, nTotal / 2);
        long nAfterWarmUp = ResidentBytes();
        int nCopied = 0;
        for (int nRun = 1; nRun <= nTotal; ++nRun) {
            dlg.OnMakeHeader();
            nCopied +=
                prompt.m_listShown == QStringList{"コメントをクリップボードにコピーしました。"};
            prompt.m_listShown.clear();
            if (nRun == nWarmUp) {
                nAfterWarmUp = ResidentBytes();
            }
        }
        const long nEnd = ResidentBytes();
        PfSetPrompt(nullptr);
        qInfo("%d runs: resident %ld KiB after %d, %ld KiB at the end, growth %ld KiB", nTotal,
              nAfterWarmUp >> 10, nWarmUp, nEnd >> 10, (nEnd - nAfterWarmUp) >> 10);
        QCOMPARE(nCopied, nTotal);
        QVERIFY(QGuiApplication::clipboard()->text().contains("CEntryList::CountEntries"));
        QVERIFY(nEnd - nAfterWarmUp < FLAT_BOUND);
    }
};

QTEST_MAIN(CSoakTest)
#include "soak_test.moc"
