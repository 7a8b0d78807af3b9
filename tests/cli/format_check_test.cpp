#include "cli/format_check.h"

#include <gtest/gtest.h>

#include "row_file.h"

namespace {

// Each row of data/format-check.txt: what is likely a mistake in its format file.
TEST(FormatCheck, FindsWhatTheRowsSay) {
    for (const CRow& row : ReadRows(CLI_TEST_DATA "format-check.txt")) {
        std::string found;
        for (const CheckFinding& finding : CheckFormatText(RowText(row.m_strInput, true))) {
            found += std::to_string(finding.m_nLine) + ": " + CheckDescribe(finding) + "\n";
        }
        EXPECT_EQ(found.empty() ? "none\n" : found, RowResult(row, false)) << row.m_strWhere;
    }
}

// A format file that cannot be read leaves the text as it was.
TEST(FormatCheck, MissingFileIsNotRead) {
    std::string text = "untouched";
    EXPECT_EQ(CheckReadFile("/nonexistent/format.txt", text), -1);
    EXPECT_EQ(text, "untouched");
}

} // namespace
