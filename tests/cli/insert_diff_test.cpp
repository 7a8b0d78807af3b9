#include "cli/insert_diff.h"

#include <gtest/gtest.h>

namespace {

TEST(InsertDiff, ShowsOneChangedRunWithItsContext) {
    const struct {
        const char* m_pszName;
        std::string m_strBefore;
        std::string m_strAfter;
        std::string m_strDiff;
    } rows[] = {
        {"nothing changed", "a\nb\n", "a\nb\n", ""},
        {"lines added at the end", "a\n", "a\nb\n", "--- f\n+++ f\n@@ -1,1 +1,2 @@\n a\n+b\n"},
        {"context cut at both ends of the file", "a\nb\nc\n", "a\nx\ny\nc\n",
         "--- f\n+++ f\n@@ -1,3 +1,4 @@\n a\n-b\n+x\n+y\n c\n"},
        {"context of three lines", "1\n2\n3\n4\n5\n6\n7\n8\n", "1\n2\n3\n4\nx\n5\n6\n7\n8\n",
         "--- f\n+++ f\n@@ -2,6 +2,7 @@\n 2\n 3\n 4\n+x\n 5\n 6\n 7\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(InsertDiff("f", row.m_strBefore, row.m_strAfter), row.m_strDiff) << row.m_pszName;
    }
}

} // namespace
