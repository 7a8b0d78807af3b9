#include "header/box_text.h"
#include "header/header_analysis.h"
#include "header/header_date.h"
#include "header/header_values.h"
#include "header/messages.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// Each key's name is where its index says: the window's boxes and the format files meet there.
TEST(HeaderKeys, IndicesNameTheirKeys) {
    const struct {
        int nIndex;
        const char* pszKey;
    } rows[] = {
        {HeaderKeyIndex(HeaderKey::Func), "FUNC"},
        {HeaderKeyIndex(HeaderKey::RetText), "RET_TEXT"},
        {HeaderKeyIndex(HeaderKey::Developer), "DEVELOPER"},
        {HeaderKeyIndex(HeaderKey::Date), "DATE"},
        {HeaderArgKeyIndex(1, ArgPart::Type), "ARG_1_TYPE"},
        {HeaderArgKeyIndex(3, ArgPart::Name), "ARG_3_NAME"},
        {HeaderArgKeyIndex(6, ArgPart::Text), "ARG_6_TEXT"},
    };
    for (const auto& row : rows) {
        EXPECT_STREQ(g_apszHeaderKeys[row.nIndex], row.pszKey);
        EXPECT_EQ(HeaderFindKey(row.pszKey), row.nIndex);
    }
    EXPECT_EQ(HeaderFindKey("ARG_7_TYPE"), -1);
    EXPECT_EQ(HeaderFindKey("func"), -1);
}

// "function|return|class|type 1|name 1|...|type 6|name 6" of the boxes Analyse fills.
std::string Shown(const std::vector<CBoxValue>& values) {
    std::string strShown;
    for (const CBoxValue& value : values) {
        strShown += (&value == &values.front() ? "" : "|") + value.m_strText;
    }
    return strShown;
}

// The rows to fill are the caller's choice; a refused declaration clears every box.
TEST(HeaderAnalysis, FillsTheAnalysedBoxes) {
    const std::string seven = "void g(int a, int b, int c, int d, int e, int f, char h)";
    const std::string name(600, 'n');
    const struct {
        const char* pszName;
        std::string strDeclaration;
        int nRows;
        AnalyzeResult eResult;
        int nArgs;
        std::string strShown;
    } rows[] = {
        {"member function", "static int CFoo::Bar(const char *name, int n);", 6,
         AnalyzeResult::Done, 2, "Bar|static int|CFoo|const char|*name|int|n||||||||"},
        {"seven arguments, six rows", seven, 6, AnalyzeResult::Done, 7,
         "g|void||int|a|int|b|int|c|int|d|int|e|int|f"},
        {"seven arguments, no rows", seven, 0, AnalyzeResult::Done, 7, "g|void|||||||||||||"},
        {"syntax error", "int CFoo:Bar(int a)", 6, AnalyzeResult::SyntaxError, 0, "||||||||||||||"},
        {"name past 511 bytes", "int " + name + "(void)", 6, AnalyzeResult::Done, 0,
         name + "|int|||||||||||||"},
        // The box gives its first 1023 bytes: the closing bracket is cut off.
        {"declaration past the box", "int f(int " + std::string(1020, 'a') + ")", 6,
         AnalyzeResult::SyntaxError, 0, "||||||||||||||"},
        {"NUL ends the box", std::string("int f(int a)\0;(", 15), 6, AnalyzeResult::Done, 1,
         "f|int||int|a||||||||||"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszName);
        CHeaderAnalysis analysis;
        EXPECT_EQ(analysis.Analyze(row.strDeclaration), row.eResult);
        EXPECT_EQ(analysis.ArgCount(), row.nArgs);
        EXPECT_EQ(Shown(analysis.BoxValues(row.nRows)), row.strShown);
    }
}

// Running out of memory is told apart from a faulty declaration, whichever step it hits.
TEST(HeaderAnalysis, NoMemoryIsNeverASyntaxError) {
    CHeaderAnalysis analysis;
    std::string strCleaned = "untouched";
    TxtSetAllocHook([](std::size_t) { return false; });
    const AnalyzeResult eAnalysed = analysis.Analyze("int f(int a)");
    const PasteResult ePasted = HeaderCleanPaste("int f(int a) /* comment */", strCleaned);
    TxtSetAllocHook(nullptr);
    EXPECT_EQ(eAnalysed, AnalyzeResult::NoMemory);
    EXPECT_STREQ(HeaderAnalyzeMessage(eAnalysed), MSG_NO_MEMORY);
    EXPECT_STREQ(HeaderAnalyzeMessage(AnalyzeResult::SyntaxError), MSG_SYNTAX_ERROR);
    EXPECT_EQ(HeaderAnalyzeMessage(AnalyzeResult::Done), nullptr);
    EXPECT_EQ(ePasted, PasteResult::NoMemory);
    EXPECT_EQ(strCleaned, "untouched");
}

// The paste takes 2047 bytes, never half a kanji, and cleans them.
TEST(HeaderPaste, TakesTheFirstBytesCleaned) {
    const std::string kanji = "\x93\xfa";
    const struct {
        const char* pszName;
        std::string strPasted;
        std::string strCleaned;
    } rows[] = {
        {"comments and line breaks", "int\tf(int a, /* n */\r\n    int b) // note\r\n;",
         "int f(int a, int b) ;"},
        {"kanji ends the paste", std::string(2045, 'a') + kanji, std::string(2045, 'a') + kanji},
        {"kanji one past the paste", std::string(2046, 'a') + kanji, std::string(2046, 'a')},
        {"NUL ends the text", std::string("int f()\0 x", 10), "int f()"},
        {"comments only", "/* only */// comments\r\n/* here */", ""},
    };
    for (const auto& row : rows) {
        std::string strCleaned;
        EXPECT_EQ(HeaderCleanPaste(row.strPasted, strCleaned), PasteResult::Done) << row.pszName;
        EXPECT_EQ(strCleaned, row.strCleaned) << row.pszName;
    }
}

class HeaderExpand : public testing::Test {
protected:
    void TearDown() override { std::remove(m_strPath.c_str()); }
    const char* Format(const std::string& text) {
        std::ofstream(m_strPath, std::ios::binary) << text;
        return m_strPath.c_str();
    }
    const std::string m_strPath =
        (std::filesystem::temp_directory_path() / "veldane-header-expand.txt").string();
};

// Every key takes the value set for it, in CR LF lines; an empty value leaves its key unknown.
TEST_F(HeaderExpand, EveryKeyTakesItsValue) {
    std::string strFormat;
    std::string strExpected;
    CHeaderValues values;
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        strFormat += std::string("<@") + g_apszHeaderKeys[i] + "@>.";
        values.Set(i, i == HeaderKeyIndex(HeaderKey::Class) ? "" : std::to_string(i));
        strExpected += (i == HeaderKeyIndex(HeaderKey::Class) ? "" : std::to_string(i)) + ".";
    }
    strFormat += "\n<@IF CLASS@>\nskipped\n<@IFN CLASS@>\nkept\n";
    std::string strComment;
    EXPECT_EQ(values.Expand(Format(strFormat), strComment), HeaderExpandResult::Done);
    EXPECT_EQ(strComment, strExpected + "\r\nkept\r\n");
}

TEST_F(HeaderExpand, UnreadableFileLeavesTheCommentUntouched) {
    std::string strComment = "untouched";
    EXPECT_EQ(CHeaderValues().Expand("/nonexistent/format.txt", strComment),
              HeaderExpandResult::Unreadable);
    EXPECT_EQ(CHeaderValues().Expand(Format(""), strComment), HeaderExpandResult::Done);
    EXPECT_EQ(strComment, "");
}

// A value is what a box would give; a key outside the list changes nothing.
TEST_F(HeaderExpand, ValuesAreTakenAsABoxGivesThem) {
    const int nTitle = HeaderKeyIndex(HeaderKey::Title);
    const struct {
        int nKey;
        std::string strValue;
        std::string strHeld;
    } rows[] = {
        {nTitle, "t", "t"},
        {nTitle, std::string("a\0b", 3), "a"},
        {nTitle, std::string(1100, 'd'), std::string(1023, 'd')},
        {nTitle, std::string(1022, 'd') + "\x93\xfa", std::string(1022, 'd')},
        {HEADER_KEY_COUNT, "x", ""},
        {-1, "x", ""},
    };
    const char* pszFormat = Format("<@TITLE@>");
    for (const auto& row : rows) {
        CHeaderValues values;
        values.Set(row.nKey, row.strValue);
        std::string strComment;
        values.Expand(pszFormat, strComment);
        EXPECT_EQ(strComment, row.strHeld) << row.nKey;
    }
}

TEST(HeaderDate, WritesZeroPaddedFields) {
    std::tm date{};
    date.tm_year = 2026 - 1900;
    date.tm_mon = 0;
    date.tm_mday = 7;
    EXPECT_EQ(HeaderDateText(date), "2026/01/07");
    date.tm_year = 5 - 1900;
    date.tm_mon = 11;
    date.tm_mday = 31;
    EXPECT_EQ(HeaderDateText(date), "0005/12/31");
    EXPECT_EQ(HeaderToday().size(), 10u);
}

} // namespace
