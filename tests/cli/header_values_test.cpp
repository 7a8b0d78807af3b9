#include "cli/header_values.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string KANJI = "\x8a\xbf"; // one double-byte character in code page 932

TEST(HeaderValuesSet, CutsAsTheWindowReadsABox) {
    const struct {
        const char* m_pszName;
        std::string m_strValue;
        std::size_t m_nKept;
    } rows[] = {
        {"Empty", "", 0},
        {"Full", std::string(1023, 'a'), 1023},
        {"OnePastFull", std::string(1024, 'a'), 1023},
        {"DoubleByteAcrossTheEdge", std::string(1022, 'a') + KANJI, 1022},
        {"DoubleByteEndingAtTheEdge", std::string(1021, 'a') + KANJI + "b", 1023},
        {"NulEndsTheText", std::string("ab\0cd", 5), 2},
    };
    for (const auto& row : rows) {
        CHeaderValues values;
        ASSERT_TRUE(values.Set("TITLE", row.m_strValue)) << row.m_pszName;
        EXPECT_EQ(values.Get("TITLE"), row.m_strValue.substr(0, row.m_nKept)) << row.m_pszName;
    }
}

// A declaration of exactly `size` bytes that is refused once its closing bracket is cut off.
std::string DeclarationOfSize(std::size_t size) {
    std::string text = "int f(";
    for (int n = 1000; text.size() + 16 < size; ++n) {
        text += "int a" + std::to_string(n) + ", ";
    }
    text += "int b";
    return text + std::string(size - text.size() - 1, 'x') + ")";
}

TEST(HeaderValuesDeclaration, TakesWhatThePasteAndTheBoxHold) {
    // The comment is cleaned away only while all of it lies within the 2047 bytes taken.
    const std::string tail = "/*" + std::string(1000, 'c') + "*/int f(int a)";
    const struct {
        const char* m_pszName;
        std::string m_strPasted;
        int m_nResult;
    } rows[] = {
        {"Empty", "", DECL_SYNTAX_ERROR},
        {"PasteFull", std::string(2047 - tail.size(), ' ') + tail, DECL_DONE},
        {"PasteOnePastFull", std::string(2048 - tail.size(), ' ') + tail, DECL_SYNTAX_ERROR},
        {"BoxFull", DeclarationOfSize(1023), DECL_DONE},
        {"BoxOnePastFull", DeclarationOfSize(1024), DECL_SYNTAX_ERROR},
    };
    for (const auto& row : rows) {
        CHeaderValues values;
        int argCount = -1;
        EXPECT_EQ(values.SetDeclaration(row.m_strPasted, argCount), row.m_nResult) << row.m_pszName;
        EXPECT_EQ(values.Get("FUNC"), row.m_nResult == DECL_DONE ? "f" : "") << row.m_pszName;
    }
}

TEST(HeaderValuesDeclaration, ReanalysisEmptiesOnlyTheAnalysedValues) {
    CHeaderValues values;
    int argCount = 0;
    values.Set("TITLE", "kept");
    ASSERT_EQ(values.SetDeclaration("int CA::f(int a, char *b, long c)", argCount), DECL_DONE);
    EXPECT_EQ(argCount, 3);
    EXPECT_EQ(values.Get("ARG_2_NAME"), "*b");
    ASSERT_EQ(values.SetDeclaration("void g(int a)", argCount), DECL_DONE);
    EXPECT_EQ(values.Get("CLASS") + values.Get("ARG_2_TYPE") + values.Get("ARG_3_NAME"), "");
    ASSERT_EQ(values.SetDeclaration("int h(", argCount), DECL_SYNTAX_ERROR);
    EXPECT_EQ(values.Get("FUNC") + values.Get("RET") + values.Get("ARG_1_NAME"), "");
    EXPECT_EQ(values.Get("TITLE"), "kept");
}

TEST(HeaderValuesDeclaration, NoMemoryWhileCleaningIsABufferError) {
    CHeaderValues values;
    int argCount = 0;
    TxtSetAllocHook([](std::size_t) { return false; });
    const int result = values.SetDeclaration("int f(int a) /* comment */", argCount);
    TxtSetAllocHook(nullptr);
    EXPECT_EQ(result, DECL_BUFFER_ERROR);
}

} // namespace
