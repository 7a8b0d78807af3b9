#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analyser/func_parser.h"
#include "describe.h"
#include "tests/core/alloc_fault.h"
#include "text/txt.h"

namespace {

const char* const PREVIOUS = "int g(int a)";
const std::string EMPTY = "-100|||0||";

struct CDeclRow {
    const char* m_pszName;
    const char* m_pszDecl;
};

// Each allocation of an analysis is the declaration's scratch copy (the first), an argument
// node (told by its size), or the private copy of one text edit. Refusing the scratch copy
// keeps the previous result; refusing a node empties the object; refusing an edit's copy leaves
// that edit undone and the analysis goes on to the same verdict.
TEST(FuncParserAlloc, EveryRefusedAllocationKeepsThePromisedState) {
    const CDeclRow rows[] = {
        {"member with two arguments", "static int CFoo::Bar(const char *name, int n);"},
        {"tabs, spaced scope, trailing const",
         "unsigned\tlong CList :: Find( const char* key , int n ) const ;"},
        {"no argument", "void f(void)"},
        {"seven arguments",
         "void operator()(int a, char *p, int b, long c, short d, unsigned e, float f)"},
        {"refused declaration", "int x"},
    };
    for (const CDeclRow& row : rows) {
        SCOPED_TRACE(row.m_pszName);
        CFuncParser counted;
        int nFull = 0;
        std::vector<std::size_t> sizes;
        {
            CAllocFault fault(EAllocFault::COUNT, 0);
            nFull = counted.Analyze(row.m_pszDecl);
            sizes = fault.Sizes();
        }
        const std::string full = Describe(counted, nFull);
        const auto isNode = [&](int n) {
            return sizes[static_cast<std::size_t>(n) - 1] == sizeof(ArgInfo);
        };
        ForEachRefusal(static_cast<int>(sizes.size()), [&](EAllocFault mode, int n) {
            CFuncParser parser;
            ASSERT_EQ(parser.Analyze(PREVIOUS), 0);
            const std::string previous = Describe(parser, TXT_ENOMEM);
            int nResult = 0;
            {
                CAllocFault fault(mode, n);
                nResult = parser.Analyze(row.m_pszDecl);
            }
            const std::string got = Describe(parser, nResult);
            EXPECT_EQ(got.find('?'), std::string::npos) << "the list holds what the count says";
            if (n == 1) {
                EXPECT_EQ(got, previous);
                return;
            }
            bool bNodeRefused = isNode(n);
            for (int later = n + 1;
                 mode == EAllocFault::REFUSE_FROM && later <= static_cast<int>(sizes.size());
                 ++later) {
                bNodeRefused = bNodeRefused || isNode(later);
            }
            if (bNodeRefused) {
                EXPECT_EQ(got, EMPTY);
                return;
            }
            // With every later allocation refused, an edit left undone can leave a space that
            // turns a lone word into an argument, whose node is then refused as well.
            if (mode == EAllocFault::REFUSE_FROM && nResult == TXT_ENOMEM) {
                EXPECT_EQ(got, EMPTY);
                return;
            }
            EXPECT_EQ(nResult, nFull);
            if (nFull != 0) {
                EXPECT_EQ(got, Describe(counted, nResult));
            }
        });
    }
}

} // namespace
