#include "header/box_text.h"
#include "header/header_analysis.h"
#include "header/header_date.h"
#include "header/header_values.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// "function|return|class|type 1|name 1|...|type 6|name 6" of the boxes Analyse fills.
std::string Shown(const std::vector<CBoxValue>& values) {
    std::string strShown;
    for (const CBoxValue& value : values) {
        strShown += (&value == &values.front() ? "" : "|") + value.m_strText;
    }
    return strShown;
}

// The rows to fill are the caller's choice; a refused declaration clears every box, and only it
// has a message. A member function and a plain syntax error are the window's and veldane-header's
// rows.
TEST(HeaderAnalysis, FillsTheAnalysedBoxes) {
    const std::string seven = "void g(int a, int b, int c, int d, int e, int f, char h)";
    const std::string name(600, 'n');
    // name, declaration, rows to fill, result, arguments, boxes shown
    const std::tuple<const char*, std::string, int, AnalyzeResult, int, std::string> rows[] = {
        {"member function", "static int CFoo::Bar(const char *name, int n);", 6,
         AnalyzeResult::Done, 2, "Bar|static int|CFoo|const char|*name|int|n||||||||"},
        {"seven arguments, six rows", seven, 6, AnalyzeResult::Done, 7,
         "g|void||int|a|int|b|int|c|int|d|int|e|int|f"},
        {"seven arguments, no rows", seven, 0, AnalyzeResult::Done, 7, "g|void|||||||||||||"},
        {"name past 511 bytes", "int " + name + "(void)", 6, AnalyzeResult::Done, 0,
         name + "|int|||||||||||||"},
        // The box gives its first 1023 bytes: the closing bracket is cut off.
        {"declaration past the box", "int f(int " + std::string(1020, 'a') + ")", 6,
         AnalyzeResult::SyntaxError, 0, "||||||||||||||"},
        {"NUL ends the box", std::string("int f(int a)\0;(", 15), 6, AnalyzeResult::Done, 1,
         "f|int||int|a||||||||||"},
    };
    for (const auto& [name, declaration, nRows, eExpected, nArgs, shown] : rows) {
        SCOPED_TRACE(name);
        CHeaderAnalysis analysis;
        const AnalyzeResult eResult = analysis.Analyze(declaration);
        EXPECT_EQ(eResult, eExpected);
        EXPECT_EQ(HeaderAnalyzeMessage(eResult) == nullptr, eResult == AnalyzeResult::Done);
        EXPECT_EQ(analysis.ArgCount(), nArgs);
        EXPECT_EQ(Shown(analysis.BoxValues(nRows)), shown);
    }
}

// The paste takes 2047 bytes, never half a kanji. Its cleaning and running out of memory for it
// are the window's and veldane-header's rows.
TEST(HeaderPaste, TakesTheFirstBytesCleaned) {
    const std::string kanji = "\x93\xfa";
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"kanji ends the paste", std::string(2045, 'a') + kanji, std::string(2045, 'a') + kanji},
        {"kanji one past the paste", std::string(2046, 'a') + kanji, std::string(2046, 'a')},
        {"NUL ends the text", std::string("int f()\0 x", 10), "int f()"},
    };
    for (const auto& [name, pasted, cleaned] : rows) {
        std::string strCleaned;
        EXPECT_EQ(HeaderCleanPaste(pasted, strCleaned), PasteResult::Done) << name;
        EXPECT_EQ(strCleaned, cleaned) << name;
    }
}

// The keys as a user's format file spells them, each with the value of its box (numbered as the
// boxes are, CLASS empty), in CR LF lines; an empty value leaves its key unknown. A value is what a
// box would give (veldane-header's rows cut long ones); a key outside the list changes nothing.
TEST(HeaderExpand, EveryKeyTakesItsBoxsValue) {
    CHeaderValues values;
    for (int nKey = 0; nKey < HEADER_KEY_COUNT; ++nKey) {
        values.Set(nKey, nKey == HeaderKeyIndex(HeaderKey::Class) ? "" : std::to_string(nKey));
    }
    values.Set(HeaderKeyIndex(HeaderKey::Title), std::string("a\0b", 3));
    values.Set(-1, "x");
    values.Set(HEADER_KEY_COUNT, "x");
    std::string strComment;
    EXPECT_EQ(values.Expand(HEADER_TEST_DATA "every-key-format.txt", strComment),
              HeaderExpandResult::Done);
    EXPECT_EQ(strComment, "0.1.2..4.a.6.7.8.9.10.11.12.13.14.15.16.17.18.19.20.21.22.23.24.\r\n"
                          "kept\r\n");
}

TEST(HeaderDate, WritesZeroPaddedFields) {
    std::tm date{};
    date.tm_year = 5 - 1900;
    date.tm_mday = 7;
    EXPECT_EQ(HeaderDateText(date), "0005/01/07");
}

} // namespace
