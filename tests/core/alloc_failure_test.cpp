#include "analyser/func_parser.h"
#include "format/field_list.h"
#include "tests/analyser/describe.h"
#include "text/txt.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

int g_nRequests = 0;
int g_nRefused = 0; // the request (from 1) to refuse; 0 refuses none

bool Answer(std::size_t) {
    return ++g_nRequests != g_nRefused;
}

// Runs `operation` with the memory requests it makes counted, one of them refused.
template <typename Operation> auto Counted(Operation operation) {
    TxtSetAllocHook(&Answer);
    const auto result = operation();
    TxtSetAllocHook(nullptr);
    return result;
}

std::string Outcome(int nResult, const std::string& text) {
    return std::to_string(nResult) + "|" + text;
}

// An operation, what it gives with all the memory it asks for, and what else it may give when one
// request is refused: each of these for some request, and nothing else.
struct CAllocRow {
    const char* name;
    std::function<std::string()> run;
    std::vector<std::string> outcomes;
};

// An edit of `text` in an array of 64 bytes; its outcome is its result and the text it leaves.
CAllocRow Edit(const char* name, const char* text, int (*edit)(char*),
               std::vector<std::string> outcomes) {
    return {name,
            [text, edit] {
                char szText[64] = {};
                std::strcpy(szText, text);
                const int nResult = Counted([&] { return edit(szText); });
                return Outcome(nResult, szText);
            },
            outcomes};
}

// Analyses `decl` with "int g(int a)" analysed before. Without memory for its copy the analysis
// keeps the previous result, without memory for an argument it is left empty; an edit left undone
// may change the names, never the verdict, and the list always holds what its count says. The
// verdict comes first, then what it may become.
CAllocRow Analysis(const char* name, const char* decl, std::vector<std::string> outcomes) {
    return {name,
            [decl] {
                CFuncParser parser;
                parser.Analyze("int g(int a)");
                const int nResult = Counted([&] { return parser.Analyze(decl); });
                const std::string described = Describe(parser, nResult);
                return nResult == TXT_ENOMEM || described.find('?') != std::string::npos
                           ? described
                           : std::to_string(nResult);
            },
            outcomes};
}

const std::string LONG_VALUE(FIELD_TEXT_SIZE - 1, 'v');

// Expands `line` with `fields`: a line that no memory lets be filled is written as it stands,
// never half edited.
CAllocRow Line(const char* name, std::string line, std::vector<std::string> fields,
               std::vector<std::string> outcomes) {
    return {name,
            [line, fields] {
                CFieldList list;
                for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
                    list.AddField(fields[i].c_str(), fields[i + 1].c_str());
                }
                std::string output(EXPAND_OUTPUT_SIZE, '\0');
                const int nResult =
                    Counted([&] { return list.ExpandLine(line.c_str(), output.data()); });
                return Outcome(nResult, output.c_str());
            },
            outcomes};
}

// A rewriting edit refused its scratch copy leaves the text as it was.
const CAllocRow ROWS[] = {
    Edit("trim left", "  a  b  ", [](char* text) { return TxtTrimLeft(text, ' '); },
         {Outcome(0, "a  b  "), Outcome(TXT_ENOMEM, "  a  b  ")}),
    Edit("replace", "  a  b  ", [](char* text) { return TxtReplace(text, "b", "xyz"); },
         {Outcome(0, "  a  xyz  "), Outcome(TXT_ENOMEM, "  a  b  ")}),
    Edit("squeeze", "  a  b  ", [](char* text) { return TxtSqueeze(text, ' '); },
         {Outcome(0, " a b "), Outcome(TXT_ENOMEM, "  a  b  ")}),
    Edit("trim still trims right", "xxaxx", [](char* text) { return TxtTrim(text, 'x'), 0; },
         {Outcome(0, "a"), Outcome(0, "xxa")}),
    // Earlier passes stay done: the first takes "/* a */" out, which joins "/" and "* b */".
    Edit("region removal", "//* a */* b */",
         [](char* text) { return TxtRemoveRegions(text, "/*", "*/"); },
         {Outcome(0, ""), Outcome(-1, "//* a */* b */"), Outcome(-1, "/* b */")}),
    // A comment left in is refused; spaces left unsqueezed are not.
    Edit("pasted text cleaning", "int\tf(); /* a */ // b\n", TxtCleanPasted,
         {Outcome(0, "int f(); "), Outcome(0, "int f();  "), Outcome(-1, "int f(); /* a */ // b\n"),
          Outcome(-1, "int f(); \r // b\n")}),
    Analysis("tab, spaced scope, trailing const",
             "unsigned\tlong CList :: Find( const char* key , int n ) const ;",
             {"0", "-100|g|int|-1||int/a", "-100|||0||"}),
    Analysis("refused declaration", "int x", {"-1", "-100|g|int|-1||int/a"}),
    {"field addition",
     [] {
         CFieldList list;
         list.AddField("FUNC", "f");
         const int nResult = Counted([&] { return list.AddField("RET", "int"); });
         char szFunc[FIELD_TEXT_SIZE] = {}, szRet[FIELD_TEXT_SIZE] = "none";
         list.FindField("FUNC", szFunc);
         list.FindField("RET", szRet);
         return Outcome(nResult, std::string(szFunc) + "," + szRet);
     },
     {Outcome(0, "f,int"), Outcome(-1, "f,none")}},
    // A UTF-8 file and a line too long to be filled in its first working area: without memory
    // the file is unreadable and the output untouched, but never cut or half filled, and the
    // file is closed.
    {"format file expansion",
     [] {
         const std::string path = testing::TempDir() + "veldane-alloc-" + std::to_string(getpid());
         std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF/*\n * <@FUNC@>\n * <@LONG@>\n */";
         CFieldList list;
         list.AddField("FUNC", "GetCount");
         list.AddField("LONG", LONG_VALUE.c_str());
         std::string output(EXPAND_OUTPUT_SIZE, '#');
         const auto files = std::distance(fs::directory_iterator("/proc/self/fd"), {});
         const int nResult = Counted([&] { return list.ExpandFile(path.c_str(), output.data()); });
         std::remove(path.c_str());
         if (std::distance(fs::directory_iterator("/proc/self/fd"), {}) != files) {
             return std::string("the file left open");
         }
         return Outcome(nResult, output == std::string(EXPAND_OUTPUT_SIZE, '#') ? "untouched"
                                                                                : output.c_str());
     },
     {Outcome(0, "/*\r\n * GetCount\r\n * " + LONG_VALUE + "\r\n */"), Outcome(-1, "untouched")}},
    Line("long line by passes", "<@" + std::string(1100, 'k') + "@>x", {},
         {Outcome(EXPAND_APPENDED, "x"),
          Outcome(EXPAND_APPENDED, "<@" + std::string(1100, 'k') + "@>x")}),
    // The first value brings in a placeholder, so the line goes pass by pass.
    Line(
        "line by passes", "<@NEST@><@V@>", {"NEST", "<@V@>", "V", std::string(1000, 'v')},
        {Outcome(EXPAND_APPENDED, std::string(2000, 'v')), Outcome(EXPAND_APPENDED, "<@V@><@V@>")}),
};

TEST(AllocFailure, EveryRefusedRequestKeepsTheOperationsPromise) {
    for (const CAllocRow& row : ROWS) {
        SCOPED_TRACE(row.name);
        g_nRequests = g_nRefused = 0;
        std::set<std::string> seen = {row.run()};
        EXPECT_EQ(*seen.begin(), row.outcomes.front());
        const int count = g_nRequests;
        for (g_nRefused = 1; g_nRefused <= count; ++g_nRefused) {
            g_nRequests = 0;
            const std::string outcome = row.run();
            EXPECT_NE(std::find(row.outcomes.begin(), row.outcomes.end(), outcome),
                      row.outcomes.end())
                << "request " << g_nRefused << " of " << count << " refused: " << outcome;
            seen.insert(outcome);
        }
        EXPECT_EQ(seen, std::set<std::string>(row.outcomes.begin(), row.outcomes.end()));
    }
}

} // namespace
