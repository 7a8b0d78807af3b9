#include "header/header_analysis.h"
#include "header/header_readback.h"
#include "header/header_update.h"
#include "header/header_values.h"
#include "row_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Expand(const std::string& path, const std::vector<CBoxValue>& boxes) {
    CHeaderValues values;
    values.Set(boxes);
    std::string comment;
    EXPECT_EQ(values.Expand(path.c_str(), comment), HeaderExpandResult::Done);
    return comment;
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
        std::vector<CBoxValue> updated; // the boxes holding what the update gives each key
        for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
            updated.push_back({i, update.m_astrValues[i]});
        }
        const std::string fresh = Expand(UPDATE_FORMAT, updated);
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
