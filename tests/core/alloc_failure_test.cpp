#include "analyser/func_parser.h"
#include "format/field_list.h"
#include "tests/analyser/describe.h"
#include "text/txt.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

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

// Runs `operation` with the memory requests it makes counted, one of them refused.
template <typename Operation> int Counted(Operation operation) {
    TxtSetAllocHook([](std::size_t) { return ++g_nRequests != g_nRefused; });
    const int nResult = operation();
    TxtSetAllocHook(nullptr);
    return nResult;
}

std::string Outcome(int nResult, const std::string& text) {
    return std::to_string(nResult) + "|" + text;
}

// An edit of `text` in an array of 64 bytes; its outcome is its result and the text it leaves.
std::function<std::string()> Edit(const char* text, int (*edit)(char*)) {
    return [text, edit] {
        char szText[64] = {};
        std::strcpy(szText, text);
        const int nResult = Counted([&] { return edit(szText); });
        return Outcome(nResult, szText);
    };
}

// Analyses `decl` with "int g(int a)" analysed before: the verdict, and the getters' answers
// where the analysis ran out of memory or an answer disagrees with the list.
std::function<std::string()> Analysis(const char* decl) {
    return [decl] {
        CFuncParser parser;
        parser.Analyze("int g(int a)");
        const int nResult = Counted([&] { return parser.Analyze(decl); });
        const std::string described = Describe(parser, nResult);
        return nResult == TXT_ENOMEM || described.find('?') != std::string::npos
                   ? described
                   : std::to_string(nResult);
    };
}

// Expands `text` with `fields` (name, value, ...) as a line, or as a UTF-8 format file when
// `bFile`; the outcome tells an output left untouched and a file left open.
std::function<std::string()> Expansion(std::string text, std::vector<std::string> fields,
                                       bool bFile) {
    return [=] {
        CFieldList list;
        for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
            list.AddField(fields[i].c_str(), fields[i + 1].c_str());
        }
        const std::string path = testing::TempDir() + "veldane-alloc-" + std::to_string(getpid());
        std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF" << text;
        // A line is appended to the output; a file fills it.
        const std::string before(EXPAND_OUTPUT_SIZE, bFile ? '#' : '\0');
        std::string output = before;
        const auto files = std::distance(fs::directory_iterator("/proc/self/fd"), {});
        const int nResult = Counted([&] {
            return bFile ? list.ExpandFile(path.c_str(), output.data())
                         : list.ExpandLine(text.c_str(), output.data());
        });
        std::remove(path.c_str());
        if (std::distance(fs::directory_iterator("/proc/self/fd"), {}) != files) {
            return std::string("the file left open");
        }
        return Outcome(nResult, output == before ? "untouched" : output.c_str());
    };
}

const std::string LONG_VALUE(FIELD_TEXT_SIZE - 1, 'v');
const std::string LONG_KEY(1100, 'k');

// An operation, what it gives with all the memory it asks for, and what else it may give when one
// request is refused: each of these for some request, and nothing else.
const struct {
    const char* name;
    std::function<std::string()> run;
    std::vector<std::string> outcomes;
} ROWS[] = {
    // A rewriting edit refused its scratch copy leaves the text as it was.
    {"trim left",
     Edit("  a  b  ", [](char* text) { return TxtTrimLeft(text, ' '); }),
     {Outcome(0, "a  b  "), Outcome(TXT_ENOMEM, "  a  b  ")}},
    {"replace",
     Edit("  a  b  ", [](char* text) { return TxtReplace(text, "b", "xyz"); }),
     {Outcome(0, "  a  xyz  "), Outcome(TXT_ENOMEM, "  a  b  ")}},
    {"squeeze",
     Edit("  a  b  ", [](char* text) { return TxtSqueeze(text, ' '); }),
     {Outcome(0, " a b "), Outcome(TXT_ENOMEM, "  a  b  ")}},
    {"trim still trims right",
     Edit("xxaxx", [](char* text) { return TxtTrim(text, 'x'), 0; }),
     {Outcome(0, "a"), Outcome(0, "xxa")}},
    // Earlier passes stay done: the first takes "/* a */" out, which joins "/" and "* b */".
    {"region removal",
     Edit("//* a */* b */", [](char* text) { return TxtRemoveRegions(text, "/*", "*/"); }),
     {Outcome(0, ""), Outcome(-1, "//* a */* b */"), Outcome(-1, "/* b */")}},
    // A comment left in is refused; spaces left unsqueezed are not.
    {"pasted text cleaning",
     Edit("int\tf(); /* a */ // b\n", TxtCleanPasted),
     {Outcome(0, "int f(); "), Outcome(0, "int f();  "), Outcome(-1, "int f(); /* a */ // b\n"),
      Outcome(-1, "int f(); \r // b\n")}},
    // Without memory for its copy the analysis keeps the previous result, without memory for an
    // argument it is left empty; an edit left undone may change the names, never the verdict.
    {"tab, spaced scope, trailing const",
     Analysis("unsigned\tlong CList :: Find( const char* key , int n ) const ;"),
     {"0", "-100|g|int|-1||int/a", "-100|||0||"}},
    {"refused declaration", Analysis("int x"), {"-1", "-100|g|int|-1||int/a"}},
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
    // A line too long to be filled in its first working area: without memory the file is
    // unreadable and the output untouched, never cut or half filled, and the file is closed.
    {"format file expansion",
     Expansion("/*\n * <@FUNC@>\n * <@LONG@>\n */", {"FUNC", "GetCount", "LONG", LONG_VALUE}, true),
     {Outcome(0, "/*\r\n * GetCount\r\n * " + LONG_VALUE + "\r\n */"), Outcome(-1, "untouched")}},
    // A line that no memory lets be filled is written as it stands, never half edited.
    {"long line by passes",
     Expansion("<@" + LONG_KEY + "@>x", {}, false),
     {Outcome(EXPAND_APPENDED, "x"), Outcome(EXPAND_APPENDED, "<@" + LONG_KEY + "@>x")}},
    // The first value brings in a placeholder, so the line goes pass by pass.
    {"line by passes",
     Expansion("<@NEST@><@V@>", {"NEST", "<@V@>", "V", std::string(1000, 'v')}, false),
     {Outcome(EXPAND_APPENDED, std::string(2000, 'v')), Outcome(EXPAND_APPENDED, "<@V@><@V@>")}},
};

TEST(AllocFailure, EveryRefusedRequestKeepsTheOperationsPromise) {
    for (const auto& row : ROWS) {
        SCOPED_TRACE(row.name);
        g_nRequests = g_nRefused = 0;
        EXPECT_EQ(row.run(), row.outcomes.front());
        std::set<std::string> seen = {row.outcomes.front()};
        const int count = g_nRequests;
        for (g_nRefused = 1; g_nRefused <= count; ++g_nRefused) {
            g_nRequests = 0;
            seen.insert(row.run());
        }
        EXPECT_EQ(seen, std::set<std::string>(row.outcomes.begin(), row.outcomes.end()));
    }
}

} // namespace
