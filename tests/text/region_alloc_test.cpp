#include "tests/core/alloc_fault.h"
#include "tests/text/text_buffer.h"
#include "text/txt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A zero-filled caller array exactly as large as the text and its terminator.
std::vector<char> CallerArray(const std::string& text) {
    std::vector<char> array(text.begin(), text.end());
    array.push_back('\0');
    return array;
}

bool ZeroAfterText(const std::vector<char>& array) {
    return std::all_of(array.begin() + static_cast<long>(std::strlen(array.data())), array.end(),
                       [](char byte) { return byte == '\0'; });
}

struct CRegionRow {
    const char* name;
    std::string text;
    const char* open;
    const char* close;
};

// The text as it stood whenever the operation asked for memory, from a run that got it all.
std::vector<std::string> TextAtEachRequest(const std::string& text,
                                           const std::function<void(char*)>& operation) {
    std::vector<char> array = CallerArray(text);
    std::vector<std::string> states;
    CAllocFault fault(EAllocFault::COUNT, 0, [&] { states.emplace_back(array.data()); });
    operation(array.data());
    return states;
}

TEST(TxtRemoveRegionsAlloc, EveryRefusalKeepsThePassesDoneBeforeIt) {
    const CRegionRow rows[] = {
        {"empty region", "<@@>", "<@", "@>"},
        {"joined comments", "//* a */* b */", "/*", "*/"},
        {"copies inside other regions", "/* a */ x /* a */ y /* b */ /* /* a */", "/*", "*/"},
        {"line comments", "int f(); // a\n// b\r\nint g(); // c", "//", "\n"},
        {"equal markers", "a \"b\" c \"\" \"d", "\"", "\""},
        {"region over 2047 bytes", "/*" + std::string(3000, 'x') + "*/ int f(); /* y */", "/*",
         "*/"},
    };
    ForEachRow(rows, [](const CRegionRow& row) {
        const auto operation = [&](char* text) { TxtRemoveRegions(text, row.open, row.close); };
        const std::vector<std::string> states = TextAtEachRequest(row.text, operation);
        // The working arrays, then one removal copy per pass.
        ASSERT_GE(states.size(), 2u);
        ForEachRefusal(static_cast<int>(states.size()), [&](EAllocFault mode, int n) {
            std::vector<char> array = CallerArray(row.text);
            CAllocFault fault(mode, n);
            EXPECT_EQ(TxtRemoveRegions(array.data(), row.open, row.close), -1);
            EXPECT_EQ(array.data(), states[static_cast<std::size_t>(n) - 1]);
            EXPECT_TRUE(ZeroAfterText(array));
        });
    });
}

// What the cleaning's last steps do, written with std::string: line breaks out, runs of
// spaces squeezed.
std::string WithoutBreaksAndRuns(std::string text) {
    text.erase(
        std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }),
        text.end());
    text.erase(
        std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
        text.end());
    return text;
}

TEST(TxtCleanPastedAlloc, CommentRefusalsStopTheCleaningLaterOnesOnlyLeaveSpacing) {
    const CTextRow rows[] = {
        {"comments of both kinds", "int\tf(int a, /* note */\r\n  char *p); // done\n",
         "int f(int a, char *p); "},
        {"joined comment", "void g(//* a */* b */void)", "void g(void)"},
        {"no comment", "long\th(\r\n  int  n)", "long h( int n)"},
    };
    ForEachRow(rows, [](const CTextRow& row) {
        const auto removeComments = [](char* text) {
            TxtReplaceChar(text, '\t', ' ');
            TxtRemoveRegions(text, "/*", "*/");
            TxtRemoveRegions(text, "//", "\n");
        };
        // Refusals up to here leave the text as it was at the refusal and give -1.
        const std::vector<std::string> commentStates = TextAtEachRequest(row.text, removeComments);
        const int commentRequests = static_cast<int>(commentStates.size());
        const std::vector<std::string> states =
            TextAtEachRequest(row.text, [](char* text) { TxtCleanPasted(text); });
        ASSERT_GT(states.size(), commentStates.size());
        ForEachRefusal(static_cast<int>(states.size()), [&](EAllocFault mode, int n) {
            std::vector<char> array = CallerArray(row.text);
            CAllocFault fault(mode, n);
            const int result = TxtCleanPasted(array.data());
            EXPECT_TRUE(ZeroAfterText(array));
            if (n <= commentRequests) {
                EXPECT_EQ(result, -1);
                EXPECT_EQ(array.data(), states[static_cast<std::size_t>(n) - 1]);
                return;
            }
            EXPECT_EQ(result, 0);
            EXPECT_EQ(WithoutBreaksAndRuns(array.data()), row.expected);
        });
    });
}

} // namespace
