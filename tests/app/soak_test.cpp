#include "app/app_text.h"
#include "app/control_ids.h"
#include "app_test_support.h"

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
        CForm<> form;
        CHeaderDlg& dlg = form.Open();
        form.m_prompt.m_strPath = VELDANE_SOAK_FORMAT;
        dlg.OnSelectFormat();
        // Every box the header reads holds text: six analysed arguments, their descriptions.
        dlg.SetDlgItemText(IDC_DECL_INPUT,
                           "static int CEntryList::CountEntries(const char *pszName, int nKind, "
                           "long lFrom, long lTo, unsigned char *pbyFlags, void *pContext) const");
        dlg.OnAnalyze();
        for (const int nId : {ArgTextId(1), ArgTextId(2), ArgTextId(3), ArgTextId(4), ArgTextId(5),
                              ArgTextId(6), IDC_RET_TEXT, IDC_TITLE, IDC_DEVELOP}) {
            dlg.SetDlgItemText(nId, AppText("項目の説明、書式と単位と範囲") + std::to_string(nId));
        }

        const int nTotal = qEnvironmentVariableIsSet("SOAK_RUNS")
                               ? std::max(1, qEnvironmentVariableIntValue("SOAK_RUNS"))
                               : DEFAULT_RUNS;
        const int nWarmUp = std::min(WARM_UP_RUNS, nTotal / 2);
        long nAfterWarmUp = ResidentBytes();
        int nCopied = 0;
        for (int nRun = 1; nRun <= nTotal; ++nRun) {
            dlg.OnMakeHeader();
            nCopied += form.Shown() == "コメントをクリップボードにコピーしました。";
            form.m_prompt.m_listShown.clear();
            if (nRun == nWarmUp) {
                nAfterWarmUp = ResidentBytes();
            }
        }
        const long nEnd = ResidentBytes();
        qInfo("%d runs: resident %ld KiB after %d, %ld KiB at the end, growth %ld KiB", nTotal,
              nAfterWarmUp >> 10, nWarmUp, nEnd >> 10, (nEnd - nAfterWarmUp) >> 10);
        QCOMPARE(nCopied, nTotal);
        QVERIFY(QGuiApplication::clipboard()->text().contains("CEntryList::CountEntries"));
        QVERIFY(nEnd - nAfterWarmUp < FLAT_BOUND);
    }
};

QTEST_MAIN(CSoakTest)
#include "soak_test.moc"
