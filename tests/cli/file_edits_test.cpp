#include "cli/file_edits.h"

#include <gtest/gtest.h>

namespace {

const std::string TEN = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n";

// Each row's edits applied, and shown as diff -u shows them: context cut at the file's ends,
// hunks six lines apart joined, seven apart not, a last line without a line end marked.
TEST(FileEdits, ApplyAndShowAsAUnifiedDiff) {
    const struct {
        const char* m_pszName;
        std::string m_strBefore;
        std::vector<CLineEdit> m_vecEdits;
        std::string m_strAfter;
        std::string m_strDiff;
    } rows[] = {
        {"nothing changed", "a\nb\n", {}, "a\nb\n", ""},
        {"inserted at the end",
         "a\n",
         {{1, 0, "b\n"}},
         "a\nb\n",
         "--- f\n+++ f\n@@ -1,1 +1,2 @@\n a\n+b\n"},
        {"replaced at the start",
         "a\nb\nc\n",
         {{0, 2, "x\ny\nz\n"}},
         "x\ny\nz\nc\n",
         "--- f\n+++ f\n@@ -1,3 +1,4 @@\n-a\n-b\n+x\n+y\n+z\n c\n"},
        {"hunks six lines apart are one",
         TEN,
         {{1, 1, "b\n"}, {8, 0, "x\n"}},
         "1\nb\n3\n4\n5\n6\n7\n8\nx\n9\n10\n",
         "--- f\n+++ f\n@@ -1,10 +1,11 @@\n 1\n-2\n+b\n 3\n 4\n 5\n 6\n 7\n 8\n+x\n 9\n 10\n"},
        {"hunks seven lines apart are two",
         TEN,
         {{0, 1, ""}, {8, 0, "x\ny\n"}},
         "2\n3\n4\n5\n6\n7\n8\nx\ny\n9\n10\n",
         "--- f\n+++ f\n@@ -1,4 +1,3 @@\n-1\n 2\n 3\n 4\n@@ -6,5 +5,7 @@\n 6\n 7\n 8\n+x\n+y\n 9\n"
         " 10\n"},
        {"last line without a line end",
         "a\nb",
         {{1, 0, "x\n"}},
         "a\nx\nb",
         "--- f\n+++ f\n@@ -1,2 +1,3 @@\n a\n+x\n b\n\\ No newline at end of file\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(EditsApply(row.m_strBefore, row.m_vecEdits), row.m_strAfter) << row.m_pszName;
        EXPECT_EQ(EditsDiff("f", row.m_strBefore, row.m_vecEdits), row.m_strDiff) << row.m_pszName;
    }
}

} // namespace
