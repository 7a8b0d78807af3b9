#include <gtest/gtest.h>

#include <string>

#include "analyser/tidy_analysis.h"
#include "row_file.h"

namespace {

// The boxes a user sees, a line each, as data/README.md shows them.
std::string Describe(const CTidyAnalysis& analysis, TidyResult eResult) {
    if (eResult == TidyResult::SyntaxError) {
        return "syntax error\n";
    }
    std::string text = "function: " + analysis.Func() + "\n";
    text += analysis.Class().empty() ? "" : "class: " + analysis.Class() + "\n";
    text += analysis.Ret().empty() ? "" : "return: " + analysis.Ret() + "\n";
    for (const CTidyArg& arg : analysis.Args()) {
        text += "param: " + arg.m_strType + " |" + (arg.m_strName.empty() ? "" : " ") +
                arg.m_strName + (arg.m_strText.empty() ? "" : " | " + arg.m_strText) + "\n";
    }
    return text;
}

class TidyRows : public testing::TestWithParam<std::string> {};

// Each row is read by an object that already holds a longer result, which it must replace.
TEST_P(TidyRows, GiveTheBoxesTheFileSays) {
    for (const CRow& row : ReadRows(GetParam())) {
        SCOPED_TRACE(row.m_strWhere);
        std::string declaration = RowText(row.m_strInput, true);
        if (!declaration.empty() && declaration.back() == '\n') {
            declaration.pop_back();
        }
        CTidyAnalysis analysis;
        ASSERT_EQ(analysis.Analyze("int CPrev::g(int a /* x */, int b)"), TidyResult::Done);
        const TidyResult eResult = analysis.Analyze(declaration, row.m_vecTags);
        EXPECT_EQ(Describe(analysis, eResult), RowResult(row, true));
        if (HasFailure()) {
            return; // a fault that loops on a later row must not hide the row that showed it
        }
    }
}

INSTANTIATE_TEST_SUITE_P(File, TidyRows, testing::ValuesIn(RowFiles(TIDY_TEST_DATA)),
                         [](const auto& info) { return RowFileTestName(info.param); });

} // namespace
