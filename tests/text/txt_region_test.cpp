#include "row_file.h"
#include "tests/text/text_buffer.h"
#include "text/txt.h"

namespace {

// Each row of the data file: counted, copied and removed.
TEST(TxtRegions, CountCopyAndRemoveWalkTheSameRegions) {
    for (const CFieldRow& row :
         ReadFieldRows(TEXT_TEST_DATA "regions.txt",
                       {"open", "close", "text", "count", "index", "copy", "removed"})) {
        SCOPED_TRACE(row.m_strWhere);
        const std::string open = row["open"], close = row["close"], text = row["text"];
        EXPECT_EQ(TxtCountRegions(text.c_str(), open.c_str(), close.c_str()),
                  std::stoi(row["count"]));
        std::string out = TextArray("");
        const int result = TxtGetRegion(text.c_str(), std::stoi(row["index"]), open.c_str(),
                                        close.c_str(), out.data());
        EXPECT_EQ(result == 0 ? out.c_str() : std::to_string(result) + out.c_str(), row["copy"]);
        std::string array = TextArray(text);
        EXPECT_EQ(TxtRemoveRegions(array.data(), open.c_str(), close.c_str()), 0);
        EXPECT_STREQ(array.c_str(), row["removed"].c_str());
        EXPECT_TRUE(ZeroAfterText(array));
    }
}

TEST(TxtRegions, ReplacementTakesEachRegionsPlaceAndNeverGrowsTheText) {
    struct {
        const char *name, *open, *close, *replacement, *text;
        int result;
        const char* expected;
    } const rows[] = {
        {"each region one space", "/*", "*/", " ", "a/* x */b/**/c", 0, "a b c"},
        {"copies take it too", "/*", "*/", " ", "/*x*/a/*x*/", 0, " a "},
        // "/" and "*" meet where the region was only when nothing takes its place.
        {"no new marker across the space", "/*", "*/", " ", "//* a */* b */", 0, "/ * b */"},
        {"as long as both markers", "<@", "@>", "1234", "a<@b@>c", -1, "a<@b@>c"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string array = TextArray(row.text);
        EXPECT_EQ(TxtReplaceRegions(array.data(), row.open, row.close, row.replacement),
                  row.result);
        EXPECT_STREQ(array.c_str(), row.expected);
        EXPECT_TRUE(ZeroAfterText(array));
    }
}

TEST(TxtCleanPasted, JoinsLinesAndDropsCommentsWithoutFusingWords) {
    for (const CFieldRow& row : ReadFieldRows(TEXT_TEST_DATA "pasted.txt", {"text", "cleaned"})) {
        std::string array = TextArray(row["text"]);
        EXPECT_EQ(TxtCleanPasted(array.data()), 0) << row.m_strWhere;
        EXPECT_STREQ(array.c_str(), row["cleaned"].c_str()) << row.m_strWhere;
    }
}

} // namespace
