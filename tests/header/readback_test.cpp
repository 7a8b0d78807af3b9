#include "header/header_analysis.h"
#include "header/header_readback.h"
#include "header/header_update.h"
#include "header/header_values.h"
#include "row_file.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <sstream>
#include <string>

namespace {

// Words of values, one or two blanks apart: names with the pointer marks analyses give, Japanese
// words (a full-width blank ends in '@'), and the format files' own punctuation.
std::string RandomValue(std::mt19937& random) {
    static std::istringstream words(
        "int const char *p &r n CList :: : [in] @x - \x97\x76\x91\x66 \x90\x94 \x81\x40");
    static const std::vector<std::string> list(std::istream_iterator<std::string>(words), {});
    std::string value = list[random() % list.size()];
    while (random() % 2 == 0) {
        value += std::string(1 + random() % 2, ' ') + list[random() % list.size()];
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

// The boxes holding what a reading or an update gives each key.
std::vector<CBoxValue> Boxes(const std::string (&astrValues)[HEADER_KEY_COUNT]) {
    std::vector<CBoxValue> boxes;
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        boxes.push_back({i, astrValues[i]});
    }
    return boxes;
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
            EXPECT_TRUE(HeaderCommentsAgree(Expand(path, Boxes(reading.m_astrValues)), comment))
                << comment;
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
    EXPECT_EQ(CHeaderValues().Expand("/nonexistent/format.txt", comment),
              HeaderExpandResult::Unreadable);
    EXPECT_EQ(CHeaderValues().Expand(HEADER_TEST_DATA "binary-format.txt", comment),
              HeaderExpandResult::NotText);
    EXPECT_EQ(comment, "untouched");
}

const std::string UPDATE_FORMAT = HEADER_TEST_DATA "update-format.txt";

std::vector<CBoxValue> Boxes(const std::string& declaration) {
    CHeaderAnalysis analysis;
    EXPECT_EQ(analysis.Analyze(declaration), AnalyzeResult::Done) << declaration;
    return analysis.BoxValues(HEADER_ARG_ROWS);
}

// Each row of the data file: the old comment, read back with the analysis of the declaration as
// it is now and updated, gives the fresh comment and loses the descriptions told.
TEST(HeaderUpdate, UpdatesAsTheDataFileSays) {
    for (const CFieldRow& row :
         ReadFieldRows(HEADER_TEST_DATA "update.txt", {"old", "new", "fresh", "lost"})) {
        SCOPED_TRACE(row.m_strWhere);
        const std::vector<CBoxValue> current = Boxes(row["new"]);
        CHeaderReading reading;
        ASSERT_EQ(HeaderReadBack(UPDATE_FORMAT.c_str(), row["old"], current, reading),
                  ReadBackResult::Read);
        // The date stays present though no line shows it.
        EXPECT_TRUE(reading.m_abStandIn[HeaderKeyIndex(HeaderKey::Date)]);
        const CHeaderUpdate update = HeaderUpdate(reading, current);
        const std::string fresh = Expand(UPDATE_FORMAT, Boxes(update.m_astrValues));
        EXPECT_EQ(FormatCommentLines(fresh), FormatCommentLines(row["fresh"]));
        // Only a comment that needs no change agrees with its update.
        EXPECT_EQ(HeaderCommentsAgree(fresh, row["old"]), row["old"] == row["fresh"]);
        std::string lost;
        for (const CLostDescription& gone : update.m_vecLost) {
            lost += gone.m_strName + "=" + gone.m_strText + ";";
        }
        EXPECT_EQ(lost, row["lost"]);
    }
}

// Values under keys outside the list change nothing, and only the analysed ones of the
// declaration as it is now replace what the comment says.
TEST(HeaderUpdate, OnlyAnalysedKeysOfTheDeclarationCount) {
    std::vector<CBoxValue> boxes = Boxes("int f(int a)");
    boxes.push_back({HeaderKeyIndex(HeaderKey::Title), "T"});
    const std::string comment = Expand(UPDATE_FORMAT, boxes);
    boxes.insert(boxes.end(),
                 {{-1, "x"}, {HEADER_KEY_COUNT, "y"}, {HeaderKeyIndex(HeaderKey::Title), "new"}});
    CHeaderReading reading;
    ASSERT_EQ(HeaderReadBack(UPDATE_FORMAT.c_str(), comment, boxes, reading), ReadBackResult::Read);
    const CHeaderUpdate update = HeaderUpdate(reading, boxes);
    EXPECT_EQ(update.m_astrValues[HeaderKeyIndex(HeaderKey::Title)], "T");
    EXPECT_EQ(update.m_astrValues[HeaderArgKeyIndex(1, ArgPart::Name)], "a");
}

} // namespace
