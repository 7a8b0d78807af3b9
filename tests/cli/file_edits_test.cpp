#include "cli/file_edits.h"

#include <gtest/gtest.h>

namespace {

const std::string TEN = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n";

// Each row's edits shown as diff -u shows them: hunks six lines apart joined, seven apart not,
// context cut at the file's ends. What the edits leave, and a hunk at either end of a file, the
// case folders' runs show.
TEST(FileEdits, ShowAsAUnifiedDiff) {
    const struct {
        const char* m_pszName;
        std::vector<CLineEdit> m_vecEdits;
        std::string m_strDiff;
    } rows[] = {
        {"nothing changed", {}, ""},
        {"hunks six lines apart are one",
         {{1, 1, "b\n"}, {8, 0, "x\n"}},
         "--- f\n+++ f\n@@ -1,10 +1,11 @@\n 1\n-2\n+b\n 3\n 4\n 5\n 6\n 7\n 8\n+x\n 9\n 10\n"},
        {"hunks seven lines apart are two",
         {{0, 1, ""}, {8, 0, "x\ny\n"}},
         "--- f\n+++ f\n@@ -1,4 +1,3 @@\n-1\n 2\n 3\n 4\n@@ -6,5 +5,7 @@\n 6\n 7\n 8\n+x\n+y\n 9\n"
         " 10\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(EditsDiff("f", TEN, row.m_vecEdits), row.m_strDiff) << row.m_pszName;
    }
}

} // namespace
