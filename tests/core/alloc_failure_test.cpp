#include "analyser/func_parser.h"
#include "format/field_list.h"
#include "tests/analyser/describe.h"
#include "text/txt.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

int g_nRequests = 0;
int g_nRefused = 0; // the request (from 1) to refuse; 0 refuses none
std::size_t g_nRefusedSize = 0;

bool Answer(std::size_t size) {
    if (++g_nRequests != g_nRefused) {
        return true;
    }
    g_nRefusedSize = size;
    return false;
}

// Runs `operation` with request `refused` refused, counting every request it makes.
template <typename Operation> auto Watch(int refused, Operation operation) {
    g_nRequests = 0;
    g_nRefused = refused;
    g_nRefusedSize = 0;
    TxtSetAllocHook(&Answer);
    const auto result = operation();
    TxtSetAllocHook(nullptr);
    return result;
}

// An operation run with one request refused (0: none) that checks what it promises then.
struct CAllocRow {
    const char* name;
    std::function<void(int refused)> run;
};

// A rewriting edit of "  a  b  ": its one scratch copy refused, the text stays as it was.
CAllocRow Rewrite(const char* name, int (*edit)(char*)) {
    return {name, [edit](int refused) {
                char szText[64] = "  a  b  ";
                EXPECT_EQ(Watch(refused, [&] { return edit(szText); }), refused ? TXT_ENOMEM : 0);
                if (refused != 0) {
                    EXPECT_STREQ(szText, "  a  b  ");
                }
            }};
}

// Refusing the scratch copy keeps the previous analysis and refusing a node empties the object.
// Refusing an edit's copy leaves that edit undone, which may change the names taken but never the
// verdict.
CAllocRow Analysis(const char* name, const char* decl) {
    return {name, [decl](int refused) {
                CFuncParser parser;
                const int full = parser.Analyze(decl);
                ASSERT_EQ(parser.Analyze("int g(int a)"), 0);
                const std::string previous = Describe(parser, TXT_ENOMEM);
                const int result = Watch(refused, [&] { return parser.Analyze(decl); });
                const std::string got = Describe(parser, result);
                EXPECT_EQ(got.find('?'), std::string::npos) << "the list holds what the count says";
                if (refused == 1) {
                    EXPECT_EQ(got, previous);
                } else if (g_nRefusedSize == sizeof(ArgInfo)) {
                    EXPECT_EQ(got, "-100|||0||");
                } else {
                    EXPECT_EQ(result, full);
                }
            }};
}

const std::string LONG_VALUE(FIELD_TEXT_SIZE - 1, 'v');

const CAllocRow ROWS[] = {
    Rewrite("trim left", [](char* text) { return TxtTrimLeft(text, ' '); }),
    Rewrite("replace", [](char* text) { return TxtReplace(text, "b", "xyz"); }),
    Rewrite("squeeze", [](char* text) { return TxtSqueeze(text, ' '); }),
    {"trim still trims right",
     [](int refused) {
         char szText[] = "xxaxx";
         Watch(refused, [&] { return TxtTrim(szText, 'x'), 0; });
         EXPECT_STREQ(szText, refused ? "xxa" : "a");
     }},
    // The working array, the first pass's copy, then the second pass's: earlier passes stay done.
    {"region removal",
     [](int refused) {
         char szText[] = "//* a */* b */";
         const int result = Watch(refused, [&] { return TxtRemoveRegions(szText, "/*", "*/"); });
         const char* const apszAfter[] = {"", "//* a */* b */", "//* a */* b */", "/* b */"};
         ASSERT_LE(refused, 3);
         EXPECT_EQ(result, refused ? -1 : 0);
         EXPECT_STREQ(szText, apszAfter[refused]);
     }},
    // Two requests per kind of comment; a later one only leaves a run of spaces.
    {"pasted text cleaning",
     [](int refused) {
         char szText[] = "int\tf(); /* a */ // b\n";
         const int result = Watch(refused, [&] { return TxtCleanPasted(szText); });
         EXPECT_EQ(result, refused >= 1 && refused <= 4 ? -1 : 0);
         if (refused >= 1 && refused <= 4) {
             EXPECT_STREQ(szText, refused <= 2 ? "int f(); /* a */ // b\n" : "int f(); \r // b\n");
         }
     }},
    Analysis("tab, spaced scope, trailing const",
             "unsigned\tlong CList :: Find( const char* key , int n ) const ;"),
    Analysis("refused declaration", "int x"),
    {"field addition",
     [](int refused) {
         CFieldList list;
         ASSERT_EQ(list.AddField("FUNC", "f"), 0);
         EXPECT_EQ(Watch(refused, [&] { return list.AddField("RET", "int"); }), refused ? -1 : 0);
         char szValue[FIELD_TEXT_SIZE] = {};
         EXPECT_EQ(list.FindField("RET", szValue), refused ? -1 : 0);
         EXPECT_EQ(list.FindField("FUNC", szValue), 0);
         EXPECT_STREQ(szValue, "f");
     }},
    // Requests: the read buffer, the UTF-8 file's converted text, then the larger working area of
    // the LONG line (filled in one scan; refused, the passes fill it with areas of their own).
    {"format file expansion",
     [](int refused) {
         const std::string path = testing::TempDir() + "veldane-alloc-" + std::to_string(getpid());
         std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF/*\n * <@FUNC@>\n * <@LONG@>\n */";
         CFieldList list;
         ASSERT_EQ(list.AddField("FUNC", "GetCount"), 0);
         ASSERT_EQ(list.AddField("LONG", LONG_VALUE.c_str()), 0);
         std::string output(EXPAND_OUTPUT_SIZE, '#');
         const int result =
             Watch(refused, [&] { return list.ExpandFile(path.c_str(), output.data()); });
         std::remove(path.c_str());
         if (refused == 1 || refused == 2) {
             EXPECT_EQ(result, -1);
             EXPECT_EQ(output, std::string(EXPAND_OUTPUT_SIZE, '#'));
             return;
         }
         EXPECT_EQ(result, 0);
         EXPECT_EQ(output.c_str(), "/*\r\n * GetCount\r\n * " + LONG_VALUE + "\r\n */");
     }},
    // A line too long for the one-scan way: its working area, the pass's key and pattern areas,
    // then the removal's scratch copy. Without any of them the line stays as it stands.
    {"long line by passes",
     [](int refused) {
         const std::string line = "<@" + std::string(1100, 'k') + "@>x";
         CFieldList list;
         std::string output(EXPAND_OUTPUT_SIZE, '\0');
         EXPECT_EQ(Watch(refused, [&] { return list.ExpandLine(line.c_str(), output.data()); }),
                   EXPAND_APPENDED);
         ASSERT_LE(refused, 4);
         EXPECT_EQ(output.c_str(), refused ? line : "x");
     }},
    // The first value brings in a placeholder, so the line goes pass by pass: the first pass's
    // replacement (the second pass then does it), the second pass's larger working area, then its
    // replacement. A pass without memory leaves the text as it was, and a placeholder no pass
    // could fill is written as it stands, never half edited.
    {"line by passes",
     [](int refused) {
         const std::string value(1000, 'v');
         CFieldList list;
         ASSERT_EQ(list.AddField("NEST", "<@V@>") + list.AddField("V", value.c_str()), 0);
         std::string output(EXPAND_OUTPUT_SIZE, '\0');
         EXPECT_EQ(Watch(refused, [&] { return list.ExpandLine("<@NEST@><@V@>", output.data()); }),
                   EXPAND_APPENDED);
         ASSERT_LE(refused, 3);
         EXPECT_EQ(output.c_str(), refused ? "<@V@><@V@>" : value + value);
     }},
};

TEST(AllocFailure, EveryRefusedRequestKeepsTheOperationsPromise) {
    for (const CAllocRow& row : ROWS) {
        SCOPED_TRACE(row.name);
        row.run(0);
        const int count = g_nRequests;
        EXPECT_GT(count, 0);
        for (int refused = 1; refused <= count; ++refused) {
            SCOPED_TRACE("request " + std::to_string(refused) + " of " + std::to_string(count));
            row.run(refused);
        }
    }
}

} // namespace
