#include "header/header_analysis.h"
#include "header/header_readback.h"
#include "header/header_update.h"
#include "header/header_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

// Words of values, one blank between them: names with the pointer marks analyses give, Japanese
// words (a full-width blank ends in '@'), and the format files' own punctuation.
constexpr std::string_view WORDS =
    "int const char *p &r n CList :: : [in] @x - \x97\x76\x91\x66 \x90\x94 \x81\x40";

std::string RandomWord(std::mt19937& random) {
    std::size_t start = 0;
    for (auto skip = random() % (std::count(WORDS.begin(), WORDS.end(), ' ') + 1); skip > 0;
         --skip) {
        start = WORDS.find(' ', start) + 1;
    }
    return std::string(WORDS.substr(start, WORDS.find(' ', start) - start));
}

std::string RandomValue(std::mt19937& random) {
    std::string value = RandomWord(random);
    while (random() % 2 == 0) {
        value += std::string(1 + random() % 2, ' ') + RandomWord(random);
    }
    return value;
}

// Values as the form holds them: a type and a name in each row up to a random argument count,
// the other boxes each filled or not.
std::vector<CBoxValue> RandomBoxes(std::mt19937& random) {
    const int nArgs = static_cast<int>(random() % (HEADER_ARG_ROWS + 1));
    const int nFirstArg = HeaderKeyIndex(HeaderKey::FirstArg);
    std::vector<CBoxValue> boxes;
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        const int nRow = i < nFirstArg ? 0 : 1 + (i - nFirstArg) / static_cast<int>(ArgPart::Count);
        const bool bText = nRow > 0 && i == HeaderArgKeyIndex(nRow, ArgPart::Text);
        const bool bFilled =
            nRow == 0 ? random() % 4 != 0 : nRow <= nArgs && (!bText || random() % 2 == 0);
        boxes.push_back({i, bFilled ? RandomValue(random) : ""});
    }
    return boxes;
}

std::vector<CBoxValue> Analysed(const std::vector<CBoxValue>& boxes) {
    std::vector<CBoxValue> analysed = CHeaderAnalysis().BoxValues(HEADER_ARG_ROWS);
    for (CBoxValue& value : analysed) {
        value.m_strText = boxes[value.m_nKey].m_strText;
    }
    return analysed;
}

std::string Expand(const std::string& path, const std::vector<CBoxValue>& boxes) {
    CHeaderValues values;
    values.Set(boxes);
    std::string comment;
    EXPECT_EQ(values.Expand(path.c_str(), comment), HeaderExpandResult::Done);
    return comment;
}

// Any values expand to a comment that reads back as values giving it again; with the analysis
// of the declaration, the analysed boxes a format shows read back as they were.
TEST(HeaderReadBack, ExampleCommentsReadBackToTheirValues) {
    std::mt19937 random(20240501);
    for (const auto& [format, bShowsAnalysis] :
         {std::pair{"box_ja", true}, {"doxygen", false}, {"line_comment", false}}) {
        const std::string path = std::string(VELDANE_EXAMPLES_DIR) + "/" + format + ".txt";
        for (int round = 0; round < 100; ++round) {
            const std::vector<CBoxValue> boxes = RandomBoxes(random);
            const std::string comment = Expand(path, boxes);
            CHeaderReading reading;
            ASSERT_EQ(HeaderReadBack(path.c_str(), comment, Analysed(boxes), reading),
                      ReadBackResult::Read)
                << format << "\n"
                << comment;
            std::vector<CBoxValue> read;
            for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
                read.push_back({i, reading.m_astrValues[i]});
            }
            EXPECT_TRUE(HeaderCommentsAgree(Expand(path, read), comment)) << comment;
            for (const CBoxValue& value : Analysed(boxes)) {
                EXPECT_TRUE(!bShowsAnalysis ||
                            reading.m_astrValues[value.m_nKey] == value.m_strText)
                    << g_apszHeaderKeys[value.m_nKey] << " [" << value.m_strText << "] read ["
                    << reading.m_astrValues[value.m_nKey] << "]";
            }
        }
    }
}

// A format file that cannot serve is told apart: missing, none at all, or binary data.
TEST(HeaderReadBack, UnusableFormat) {
    CHeaderReading reading;
    EXPECT_EQ(HeaderReadBack("/nonexistent/format.txt", "", {}, reading),
              ReadBackResult::Unreadable);
    std::string comment = "untouched";
    EXPECT_EQ(CHeaderValues().Expand(nullptr, comment), HeaderExpandResult::Unreadable);
    const std::string binary = testing::TempDir() + "veldane-binary-format";
    std::ofstream(binary, std::ios::binary) << "\x7F"
                                               "ELF<@FUNC@>\n";
    EXPECT_EQ(CHeaderValues().Expand(binary.c_str(), comment), HeaderExpandResult::NotText);
    std::filesystem::remove(binary);
    EXPECT_EQ(comment, "untouched");
}

class HeaderUpdateTest : public testing::Test {
protected:
    void SetUp() override {
        std::ofstream(m_strPath, std::ios::binary)
            << "<@FUNC@> <@RET@> <@CLASS@>: <@TITLE@> / <@RET_TEXT@>\n"
               "<@IF DATE@>\n"
               "dated\n"
            << Rows();
    }
    void TearDown() override { std::filesystem::remove(m_strPath); }
    static std::string Rows() {
        std::string rows;
        for (int nRow = 1; nRow <= HEADER_ARG_ROWS; ++nRow) {
            const std::string arg = "ARG_" + std::to_string(nRow);
            rows += "<@IF " + arg + "_TYPE@>\n<@" + arg + "_TYPE@> <@" + arg + "_NAME@>: <@" + arg +
                    "_TEXT@>\n";
        }
        return rows;
    }
    const std::string m_strPath =
        (std::filesystem::temp_directory_path() / "veldane-update-test.txt").string();
};

std::vector<CBoxValue> Boxes(const std::string& declaration) {
    CHeaderAnalysis analysis;
    EXPECT_EQ(analysis.Analyze(declaration), AnalyzeResult::Done) << declaration;
    return analysis.BoxValues(HEADER_ARG_ROWS);
}

// The old comment is made from the old declaration and descriptions ("" for none), read back with
// the new declaration's analysis and updated: the analysed boxes come from the new one, the rest
// from the comment, each description with its argument.
TEST_F(HeaderUpdateTest, DescriptionsFollowTheirArguments) {
    const struct {
        const char* pszName;
        std::string strOld;
        std::string strTexts; // the old rows' descriptions, separated by '|'
        std::string strNew;
        std::string strFresh; // return type, class, rows' descriptions; no '|' at the end
        std::string strLost;
    } rows[] = {
        {"nothing changed", "int C::f(int a, char *b)", "A|B", "int C::f(int a, char *b)",
         "int|C|A|B", ""},
        {"renamed", "int f(int a, int b)", "A|B", "int f(int a, int c)", "int||A|B", ""},
        {"inserted at the front", "int f(int a)", "A", "int f(int z, int a)", "int|||A", ""},
        {"removed", "int f(int a, int b)", "A|B", "int f(int b)", "int||B", "a=A;"},
        {"reordered", "int f(int a, int b)", "A|", "int f(int b, int a)", "int|||A", ""},
        {"renamed beside another", "int f(int a, int b)", "A|", "int f(int b, int c)", "int|||A",
         ""},
        {"return type and class", "int C::f(int a)", "A", "long D::f(int a)", "long|D|A", ""},
        {"pointer with the type", "int f(char* p, int q)", "P|Q", "int f(char *p, int r)",
         "int||P|Q", ""},
        {"two gone, one new", "int f(int a, int b)", "A|B", "int f(int c)", "int", "a=A;b=B;"},
    };
    for (const auto& row : rows) {
        std::vector<CBoxValue> old = Boxes(row.strOld);
        for (std::size_t from = 0, nRow = 1; from <= row.strTexts.size(); ++nRow) {
            const std::size_t end = std::min(row.strTexts.find('|', from), row.strTexts.size());
            old.push_back({HeaderArgKeyIndex(static_cast<int>(nRow), ArgPart::Text),
                           row.strTexts.substr(from, end - from)});
            from = end + 1;
        }
        old.push_back({HeaderKeyIndex(HeaderKey::Title), "T"});
        old.push_back({HeaderKeyIndex(HeaderKey::Date), "D"});
        const std::string comment = Expand(m_strPath, old);
        const std::vector<CBoxValue> current = Boxes(row.strNew);
        CHeaderReading reading;
        ASSERT_EQ(HeaderReadBack(m_strPath.c_str(), comment, current, reading),
                  ReadBackResult::Read)
            << row.pszName;
        const CHeaderUpdate update = HeaderUpdate(reading, current);
        EXPECT_EQ(update.m_astrValues[HeaderKeyIndex(HeaderKey::Func)], "f") << row.pszName;
        std::string fresh = update.m_astrValues[HeaderKeyIndex(HeaderKey::Ret)] + "|" +
                            update.m_astrValues[HeaderKeyIndex(HeaderKey::Class)];
        for (int nRow = 1; nRow <= HEADER_ARG_ROWS; ++nRow) {
            fresh += "|" + update.m_astrValues[HeaderArgKeyIndex(nRow, ArgPart::Text)];
        }
        fresh.erase(fresh.find_last_not_of('|') + 1);
        std::string lost;
        for (const CLostDescription& gone : update.m_vecLost) {
            lost += gone.m_strName + "=" + gone.m_strText + ";";
        }
        EXPECT_EQ(fresh, row.strFresh) << row.pszName;
        EXPECT_EQ(lost, row.strLost) << row.pszName;
        // The title stays, the date stays present though no line shows it.
        EXPECT_EQ(update.m_astrValues[HeaderKeyIndex(HeaderKey::Title)], "T") << row.pszName;
        EXPECT_TRUE(reading.m_abStandIn[HeaderKeyIndex(HeaderKey::Date)]) << row.pszName;
        std::vector<CBoxValue> updated;
        for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
            updated.push_back({i, update.m_astrValues[i]});
        }
        EXPECT_EQ(HeaderCommentsAgree(Expand(m_strPath, updated), comment),
                  row.strOld == row.strNew)
            << row.pszName;
    }
}

// Values under keys outside the list change nothing, and only the analysed ones of the
// declaration as it is now replace what the comment says.
TEST_F(HeaderUpdateTest, OnlyAnalysedKeysOfTheDeclarationCount) {
    std::vector<CBoxValue> boxes = Boxes("int f(int a)");
    boxes.push_back({HeaderKeyIndex(HeaderKey::Title), "T"});
    const std::string comment = Expand(m_strPath, boxes);
    boxes.insert(boxes.end(),
                 {{-1, "x"}, {HEADER_KEY_COUNT, "y"}, {HeaderKeyIndex(HeaderKey::Title), "new"}});
    CHeaderReading reading;
    ASSERT_EQ(HeaderReadBack(m_strPath.c_str(), comment, boxes, reading), ReadBackResult::Read);
    const CHeaderUpdate update = HeaderUpdate(reading, boxes);
    EXPECT_EQ(update.m_astrValues[HeaderKeyIndex(HeaderKey::Title)], "T");
    EXPECT_EQ(update.m_astrValues[HeaderArgKeyIndex(1, ArgPart::Name)], "a");
}

} // namespace
