#include "bench/bench_file.h"
#include "bench/bench_inputs.h"

#include "analyser/func_parser.h"
#include "format/field_list.h"
#include "format/format_read.h"
#include "header/header_values.h"
#include "text/codepage.h"
#include "text/txt.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

namespace {

struct CSizeRow {
    const char* name;
    std::size_t size;
};

// Counts the core's heap blocks while in scope: the comment removal takes one per pass.
class CCountAllocs {
public:
    CCountAllocs() {
        s_nCount = 0;
        TxtSetAllocHook([](std::size_t) {
            ++s_nCount;
            return true;
        });
    }
    ~CCountAllocs() { TxtSetAllocHook(nullptr); }
    CCountAllocs(const CCountAllocs&) = delete;
    CCountAllocs& operator=(const CCountAllocs&) = delete;
    int Count() const { return s_nCount; }

private:
    static inline int s_nCount = 0;
};

int CountOf(const std::string& text, const std::string& piece) {
    int count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos;
         at = text.find(piece, at + piece.size())) {
        ++count;
    }
    return count;
}

TEST(BenchDeclaration, FillsItsSizeWithArgumentsTheAnalyserRecords) {
    const CSizeRow rows[] = {
        {"smallest", 8},
        {"one byte over smallest", 9},
        {"quarter", BENCH_TEXT_MAX / 4},
        {"half", BENCH_TEXT_MAX / 2},
        {"full box", BENCH_TEXT_MAX},
    };
    for (const CSizeRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text = BenchDeclaration(row.size);
        EXPECT_EQ(text.size(), row.size);
        CFuncParser parser;
        ASSERT_EQ(parser.Analyze(text.c_str()), 0);
        EXPECT_EQ(parser.GetArgCount(), BenchDeclarationArgs(row.size));
        // Each argument takes four bytes, so the arguments fill all but the frame.
        EXPECT_GE(4 * parser.GetArgCount(), static_cast<int>(row.size) - 8);
    }
}

TEST(BenchDeclarationWords, FillsItsSizeWithWordsOfReturnTypeAndArgument) {
    const CSizeRow rows[] = {
        {"smallest", 8},
        {"one byte over smallest", 9},
        {"full box", BENCH_TEXT_MAX},
    };
    for (const CSizeRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text = BenchDeclarationWords(row.size);
        EXPECT_EQ(text.size(), row.size);
        CFuncParser parser;
        ASSERT_EQ(parser.Analyze(text.c_str()), 0);
        ASSERT_EQ(parser.GetArgCount(), 1);
        char szName[FUNC_TEXT_SIZE] = {};
        char szRet[ARG_TEXT_SIZE] = {};
        char szType[ARG_TEXT_SIZE] = {};
        ASSERT_EQ(parser.GetFunc(szName, szRet), 0);
        EXPECT_STREQ(szName, "f");
        EXPECT_GT(std::strlen(szRet), 0U);
        EXPECT_EQ(std::string(szRet).find_first_not_of("t "), std::string::npos);
        parser.GetArg(1, szType, szName);
        EXPECT_EQ(std::string(szType).find_first_not_of("t "), std::string::npos);
        EXPECT_GT(std::strlen(szType), 0U);
    }
}

TEST(BenchDeclaration, OneByteOverTheBoxIsRefused) {
    CFuncParser parser;
    EXPECT_EQ(parser.Analyze(BenchDeclaration(BENCH_TEXT_MAX + 1).c_str()), -1);
}

TEST(BenchCommentTower, TakesOnePassPerCommentAndLeavesNothing) {
    const CSizeRow rows[] = {
        {"innermost only", 4},
        {"one byte short of a second", 8},
        {"quarter", BENCH_PASTE_MAX / 4},
        {"half", BENCH_PASTE_MAX / 2},
        {"full paste", BENCH_PASTE_MAX},
    };
    for (const CSizeRow& row : rows) {
        SCOPED_TRACE(row.name);
        std::string text = BenchCommentTower(row.size);
        EXPECT_LE(text.size(), row.size);
        // A comment takes at most six bytes, so the tower leaves less than one unused.
        EXPECT_GT(text.size() + 6, row.size);
        CCountAllocs allocs;
        ASSERT_EQ(TxtRemoveRegions(text.data(), "/*", "*/"), 0);
        // One block for the working arrays, then one scratch copy per pass.
        EXPECT_EQ(allocs.Count() - 1, BenchCommentPasses(row.size));
        EXPECT_STREQ(text.c_str(), "");
    }
}

TEST(BenchCommentTower, FullPasteForcesHundredsOfPasses) {
    EXPECT_GT(BenchCommentPasses(BENCH_PASTE_MAX), 300);
}

TEST(BenchPasted, CleansToADeclarationTheAnalyserTakes) {
    const CSizeRow rows[] = {
        {"small", 64},
        {"quarter", BENCH_PASTE_MAX / 4},
        {"half", BENCH_PASTE_MAX / 2},
        {"full paste", BENCH_PASTE_MAX},
    };
    for (const CSizeRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string pasted = BenchPasted(row.size);
        EXPECT_EQ(pasted.size(), row.size);
        std::vector<char> text(pasted.begin(), pasted.end());
        text.push_back('\0');
        ASSERT_EQ(TxtCleanPasted(text.data()), 0);
        const std::string cleaned = text.data();
        EXPECT_LE(cleaned.size(), BENCH_TEXT_MAX);
        EXPECT_EQ(cleaned.find_first_of("/*\n"), std::string::npos) << cleaned;
        CFuncParser parser;
        ASSERT_EQ(parser.Analyze(cleaned.c_str()), 0);
        EXPECT_EQ(parser.GetArgCount(), CountOf(pasted, "int a"));
        EXPECT_GT(parser.GetArgCount(), 0);
    }
}

TEST(CBenchValues, HoldsDistinctValuesOfWholeCharacters) {
    const CSizeRow rows[] = {
        {"one byte", 1}, {"odd", 13}, {"even", 24}, {"full value", BENCH_VALUE_MAX}};
    for (const CSizeRow& row : rows) {
        SCOPED_TRACE(row.name);
        const CBenchValues values(row.size);
        std::set<std::string> distinct;
        for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
            const std::string value = values.m_apszValue[i];
            EXPECT_EQ(value.size(), row.size);
            EXPECT_EQ(TxtCp932Cut(value, value.size()), value.size());
            EXPECT_EQ(value.find('<'), std::string::npos);
            distinct.insert(value);
        }
        EXPECT_EQ(distinct.size(), static_cast<std::size_t>(HEADER_KEY_COUNT));
    }
}

TEST(BenchFormatLine, FillsItsSizeWithEveryKeyAndEndsInTheCondition) {
    const std::string line = BenchFormatLine(BENCH_FORMAT_LINE, "<@IF FUNC@>");
    EXPECT_EQ(line.size(), BENCH_FORMAT_LINE);
    EXPECT_EQ(line.substr(line.size() - 12), "<@IF FUNC@>\n");
    for (const char* key : g_apszHeaderKeys) {
        EXPECT_GE(CountOf(line, std::string("<@") + key + "@>"), 1) << key;
    }
    // The padding before the condition is shorter than the longest placeholder, "<@ARG_1_TYPE@>".
    const std::size_t condition = line.size() - 12;
    EXPECT_LT(condition - (line.find_last_of('>', condition - 1) + 1), 14U);
}

// Fields and an output area for the expansions below.
class CBenchFormat : public testing::Test {
protected:
    void Fill(std::size_t length) {
        m_pValues = std::make_unique<CBenchValues>(length);
        HeaderAddFields(m_list, m_pValues->m_apszValue.data());
    }
    std::string Expand(const std::string& text) {
        const CBenchFile file("test", text);
        EXPECT_EQ(m_list.ExpandFile(file.Path().c_str(), m_output.data()), 0);
        return m_output.data();
    }

    std::unique_ptr<CBenchValues> m_pValues;
    CFieldList m_list;
    std::vector<char> m_output = std::vector<char>(EXPAND_OUTPUT_SIZE);
};

TEST_F(CBenchFormat, ConditionLineExpandsEveryPlaceholderAndWritesNothing) {
    Fill(BENCH_VALUE_MAX);
    const std::string line = BenchFormatLine(BENCH_FORMAT_LINE, "<@IF FUNC@>");
    EXPECT_EQ(m_list.ExpandLine(line.c_str(), m_output.data()), EXPAND_KEEP_NEXT);
    EXPECT_STREQ(m_output.data(), "");
    EXPECT_EQ(Expand(BenchConditionFormat(FORMAT_LINE_LIMIT)), "");
}

TEST_F(CBenchFormat, WrittenFormatFillsTheOutputWithoutCuttingIt) {
    const int rows[] = {FORMAT_LINE_LIMIT / 4, FORMAT_LINE_LIMIT / 2, FORMAT_LINE_LIMIT};
    for (int lines : rows) {
        SCOPED_TRACE(lines);
        m_list.FreeFields();
        const std::size_t length = BenchWrittenValueLength(lines);
        Fill(length);
        const std::string text = BenchWrittenFormat(lines);
        EXPECT_EQ(text.size(), static_cast<std::size_t>(lines) * BENCH_FORMAT_LINE);
        const std::string output = Expand(text);
        EXPECT_EQ(CountOf(output, "\r\n"), lines / 2);
        EXPECT_EQ(output.find("<@"), std::string::npos);
        // Values one byte longer would not fit: the output is as full as whole lines allow.
        const auto written = static_cast<std::size_t>(lines / 2);
        const auto placeholders =
            static_cast<std::size_t>(CountOf(BenchFormatLine(BENCH_FORMAT_LINE, ""), "<@"));
        EXPECT_LE(output.size(), static_cast<std::size_t>(EXPAND_OUTPUT_SIZE - 1));
        EXPECT_GT(output.size() + written * placeholders,
                  static_cast<std::size_t>(EXPAND_OUTPUT_SIZE - 1));
    }
}

} // namespace
