#include <gtest/gtest.h>

#include <random>
#include <string>

#include "analyser/func_parser.h"
#include "describe.h"
#include "text/txt.h"
#include "text/txt_alloc.h"

namespace {

const std::string KATA = "\x83\x7C"; // one double-byte character

std::string Repeat(char ch, std::size_t n) {
    return std::string(n, ch);
}

// The first allocation of an analysis is the declaration's scratch copy; argument nodes are
// told by their size; every other allocation is the private copy of one text edit.
bool g_bFailScratch = false;
bool g_bFailEdits = false;
int g_nFailNode = 0;
int g_nSeen = 0;
int g_nNodes = 0;

bool AllowAlloc(std::size_t size) {
    const bool bScratch = ++g_nSeen == 1;
    if (size == sizeof(ArgInfo)) {
        return ++g_nNodes != g_nFailNode;
    }
    return bScratch ? !g_bFailScratch : !g_bFailEdits;
}

int AnalyzeFailing(CFuncParser& parser, const char* pszDecl, bool bScratch, int nNode,
                   bool bEdits) {
    g_bFailScratch = bScratch;
    g_nFailNode = nNode;
    g_bFailEdits = bEdits;
    g_nSeen = g_nNodes = 0;
    TxtSetAllocHook(&AllowAlloc);
    const int nResult = parser.Analyze(pszDecl);
    TxtSetAllocHook(nullptr);
    return nResult;
}

} // namespace

TEST(FuncParserBounds, LongFieldsAreCutBetweenCharacters) {
    enum EField { RET, TYPE, NAME };
    const struct {
        const char* m_pszName;
        EField m_eField;
        std::string m_strText;
        std::string m_strKept;
    } rows[] = {
        {"ret 254", RET, Repeat('r', 254), Repeat('r', 254)},
        {"ret 255 fills field", RET, Repeat('r', 255), Repeat('r', 255)},
        {"ret 256 cut", RET, Repeat('r', 256), Repeat('r', 255)},
        {"ret ends in whole kanji", RET, Repeat('r', 253) + KATA, Repeat('r', 253) + KATA},
        {"ret kanji straddles", RET, Repeat('r', 254) + KATA, Repeat('r', 254)},
        {"ret cut after space", RET, Repeat('r', 254) + " x", Repeat('r', 254)},
        {"type 255", TYPE, Repeat('t', 255), Repeat('t', 255)},
        {"type 256 cut", TYPE, Repeat('t', 256), Repeat('t', 255)},
        {"type kanji straddles", TYPE, Repeat('t', 254) + KATA, Repeat('t', 254)},
        {"name 254", NAME, Repeat('n', 254), Repeat('n', 254)},
        {"name 255", NAME, Repeat('n', 255), Repeat('n', 255)},
        {"name 256 cut", NAME, Repeat('n', 256), Repeat('n', 255)},
        {"name kanji straddles", NAME, Repeat('n', 254) + KATA, Repeat('n', 254)},
    };
    for (const auto& row : rows) {
        const std::string& text = row.m_strText;
        const std::string& kept = row.m_strKept;
        const std::string decl = row.m_eField == RET    ? text + " f(void)"
                                 : row.m_eField == TYPE ? "void f(" + text + " a)"
                                                        : "void f(int " + text + ")";
        const std::string expected = row.m_eField == RET    ? "0|f|" + kept + "|-1||"
                                     : row.m_eField == TYPE ? "0|f|void|-1||" + kept + "/a"
                                                            : "0|f|void|-1||int/" + kept;
        CFuncParser parser;
        EXPECT_EQ(Describe(parser, parser.Analyze(decl.c_str())), expected) << row.m_pszName;
    }
}

TEST(FuncParserBounds, DeclarationLengthLimit) {
    const std::string name1016 = Repeat('f', 1016);
    const std::string name1018 = Repeat('f', 1018);
    const struct {
        const char* m_pszName;
        std::string m_strDecl;
        std::string m_strExpected;
    } rows[] = {
        {"empty", "", "-1|||0||"},
        {"1023 bytes", "void " + name1016 + "()", "0|" + name1016 + "|void|-1||"},
        {"1023 bytes, long class", name1018 + "::f()", "0|f||0|" + name1018 + "|"},
        {"1024 bytes", "void " + name1016 + "f()", "-1|||0||"},
        {"far too long", "void " + Repeat('f', 5000) + "()", "-1|||0||"},
    };
    for (const auto& row : rows) {
        CFuncParser parser;
        ASSERT_EQ(parser.Analyze("int g(int a)"), 0);
        EXPECT_EQ(Describe(parser, parser.Analyze(row.m_strDecl.c_str())), row.m_strExpected)
            << row.m_pszName;
    }
    CFuncParser parser;
    char szHead[FUNC_TEXT_SIZE] = {};
    char szArgs[FUNC_TEXT_SIZE] = {};
    EXPECT_EQ(parser.SplitDecl((Repeat('f', 1022) + "()").c_str(), szHead, szArgs), -1);
}

TEST(FuncParserMemory, ScratchCopyFailureKeepsPreviousResult) {
    CFuncParser parser;
    ASSERT_EQ(parser.Analyze("static int CFoo::Bar(const char *name, int n);"), 0);
    const std::string before = Describe(parser, TXT_ENOMEM);
    const int nResult = AnalyzeFailing(parser, "void g(void)", true, 0, false);
    EXPECT_EQ(Describe(parser, nResult), before);
}

TEST(FuncParserMemory, NodeFailureReleasesEveryNode) {
    for (int nFailAt = 1; nFailAt <= 3; ++nFailAt) {
        CFuncParser parser;
        const int nResult =
            AnalyzeFailing(parser, "int CFoo::f(int a, int b, int c)", false, nFailAt, false);
        EXPECT_EQ(Describe(parser, nResult), "-100|||0||") << nFailAt;
    }
}

TEST(FuncParserMemory, FailingTextEditsStillGiveAResult) {
    // Unsqueezed spaces and an unclosed scope operator reach the splitting steps.
    CFuncParser parser;
    const int nResult = AnalyzeFailing(
        parser, "unsigned  long CList :: Find( const char* key , int n ) ;", false, 0, true);
    EXPECT_EQ(Describe(parser, nResult).rfind("0|Find|", 0), 0u);
    EXPECT_EQ(parser.GetArgCount(), 2);
}

// Any bytes within the size limit give 0 or -1 and a list the getters can walk; run under the
// sanitizers this also proves that nothing is read or written outside the arrays.
TEST(FuncParserTotality, RandomBytesNeverBreakTheObject) {
    const std::string alphabet[] = {"a", " ",  "\t",   "(",    ")",
                                    ",", ":",  "::",   ";",    "*",
                                    "|", KATA, "\x81", "\xFC", Repeat('w', 300)};
    std::mt19937 random(932);
    CFuncParser parser;
    for (int nRound = 0; nRound < 3000; ++nRound) {
        std::string decl;
        const std::size_t nPieces = random() % 60;
        for (std::size_t i = 0; i < nPieces; ++i) {
            decl += alphabet[random() % std::size(alphabet)];
        }
        const int nResult = parser.Analyze(decl.c_str());
        const std::string text = Describe(parser, nResult);
        ASSERT_TRUE(nResult == 0 || (nResult == -1 && parser.GetArgCount() == 0)) << decl;
        ASSERT_EQ(text.find("?"), std::string::npos) << decl;
    }
}
