#include "tests/text/text_buffer.h"
#include "text/txt.h"
#include "text/txt_alloc.h"

#include <functional>

namespace {

int g_nAllowed = 0;
std::size_t g_nLastSize = 0;

// Lets the first `allowed` allocations through and refuses every later one while in scope.
struct CAllocFailure {
    explicit CAllocFailure(int allowed) {
        g_nAllowed = allowed;
        TxtSetAllocHook([](std::size_t size) {
            g_nLastSize = size;
            return g_nAllowed-- > 0;
        });
    }
    ~CAllocFailure() { TxtSetAllocHook(nullptr); }
};

struct CRewriteRow {
    const char* name;
    std::function<int(char*)> edit;
};

TEST(TxtAllocFailure, RewritingEditsLeaveTheTextUnchanged) {
    const CRewriteRow rows[] = {
        {"trim left", [](char* text) { return TxtTrimLeft(text, ' '); }},
        {"remove", [](char* text) { return TxtRemove(text, "b"); }},
        {"replace", [](char* text) { return TxtReplace(text, "b", "xyz"); }},
        {"squeeze", [](char* text) { return TxtSqueeze(text, ' '); }},
    };
    ForEachRow(rows, [](const CRewriteRow& row) {
        CTextBuffer buffer("  a  b  ");
        CAllocFailure failure(0);
        EXPECT_EQ(row.edit(buffer.Data()), TXT_ENOMEM);
        EXPECT_EQ(buffer.Text(), "  a  b  ");
        // One scratch copy of the text and its terminator is all an edit asks for.
        EXPECT_EQ(g_nLastSize, 9u);
    });
    CTextBuffer buffer("xxaxx");
    CAllocFailure failure(0);
    TxtTrim(buffer.Data(), 'x');
    EXPECT_EQ(buffer.Text(), "xxa");
}

struct CRegionFailureRow {
    const char* name;
    int allowed;
    const char* expected;
};

TEST(TxtAllocFailure, RegionRemovalFailsAndKeepsEarlierPasses) {
    // The first pass takes the working arrays and one removal copy; the second pass one copy.
    const CRegionFailureRow rows[] = {
        {"working arrays refused", 0, "//* a */* b */"},
        {"first removal refused", 1, "//* a */* b */"},
        {"second pass refused", 2, "/* b */"},
    };
    ForEachRow(rows, [](const CRegionFailureRow& row) {
        CTextBuffer buffer("//* a */* b */");
        CAllocFailure failure(row.allowed);
        EXPECT_EQ(TxtRemoveRegions(buffer.Data(), "/*", "*/"), -1);
        EXPECT_EQ(buffer.Text(), row.expected);
    });
}

TEST(TxtAllocFailure, CleaningStopsWhenCommentsCannotGo) {
    CTextBuffer buffer("int\tf(); // note\n");
    CAllocFailure failure(0);
    EXPECT_EQ(TxtCleanPasted(buffer.Data()), -1);
    EXPECT_EQ(buffer.Text(), "int f(); // note\n");
}

} // namespace
