#include "row_file.h"
#include "text/txt.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

namespace {

// Room for every example text here, with space to grow for replacements.
constexpr std::size_t TEXT_ARRAY_SIZE = 128;

// A zero-filled caller array holding `text`, as every caller of the toolkit passes it.
std::string TextArray(const std::string& text) {
    return text + std::string(TEXT_ARRAY_SIZE - text.size(), '\0');
}

// A shortened result must leave nothing but zeros behind it.
bool ZeroAfterText(const std::string& array) {
    return array.find_first_not_of('\0', std::strlen(array.c_str())) == std::string::npos;
}

// Field copies, trims, squeezes and counts of characters are compared with plain string rules by
// the fuzz target text_edits, whose corpus the tests replay.

TEST(TxtReplace, RemoveAndCountFindLeftmostNonOverlappingOccurrences) {
    for (const CFieldRow& row :
         ReadFieldRows(TEXT_TEST_DATA "replace.txt",
                       {"text", "pattern", "replacement", "replaced", "removed", "count"})) {
        SCOPED_TRACE(row.m_strWhere);
        const std::string text = row["text"], pattern = row["pattern"];
        // The bytes after the terminator are the caller's: a text that grows must end itself.
        std::string grown = text + '\0' + std::string(TEXT_ARRAY_SIZE, '#');
        EXPECT_EQ(TxtReplace(grown.data(), pattern.c_str(), row["replacement"].c_str()), 0);
        EXPECT_STREQ(grown.c_str(), row["replaced"].c_str());
        std::string shrunk = TextArray(text);
        EXPECT_EQ(TxtRemove(shrunk.data(), pattern.c_str()), 0);
        EXPECT_STREQ(shrunk.c_str(), row["removed"].c_str());
        EXPECT_TRUE(ZeroAfterText(shrunk));
        EXPECT_EQ(TxtCount(text.c_str(), pattern.c_str()), std::stoi(row["count"]));
    }
}

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
    // name, open and close marker, replacement, text, result, text replaced
    const std::tuple<const char*, const char*, const char*, const char*, const char*, int,
                     const char*>
        rows[] = {
            {"each region one space", "/*", "*/", " ", "a/* x */b/**/c", 0, "a b c"},
            {"copies take it too", "/*", "*/", " ", "/*x*/a/*x*/", 0, " a "},
            // "/" and "*" meet where the region was only when nothing takes its place.
            {"no new marker across the space", "/*", "*/", " ", "//* a */* b */", 0, "/ * b */"},
            {"as long as both markers", "<@", "@>", "1234", "a<@b@>c", -1, "a<@b@>c"},
        };
    for (const auto& [name, open, close, replacement, text, result, expected] : rows) {
        SCOPED_TRACE(name);
        std::string array = TextArray(text);
        EXPECT_EQ(TxtReplaceRegions(array.data(), open, close, replacement), result);
        EXPECT_STREQ(array.c_str(), expected);
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
