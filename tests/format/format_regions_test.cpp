// Lines whose regions and conditions are easy to read wrongly, as the expansion reads them: the
// format file check reads them through the same scan.

#include "format/field_list.h"
#include "format/format_regions.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>

namespace {

TEST(FormatRegions, TrickyLinesExpandAsTheyRead) {
    struct CRow {
        const char* name;
        const char* line;
        int result;         // of ExpandLine with only K in the list
        const char* output; // what it appends
    };
    const CRow rows[] = {
        {"prefix inside a key is key text", "<@AIF K@>x", EXPAND_APPENDED, "x"},
        {"prefix removed wherever it occurs", "<@IF KIF @>", EXPAND_KEEP_NEXT, ""},
        {"negated condition", "<@IFN K@>", EXPAND_SKIP_NEXT, ""},
        {"IF inside a negated key stays", "<@IFN IF K@>", EXPAND_KEEP_NEXT, ""},
        // Taking "IF " out of "IIF F " leaves "IF ", which is not taken out in turn.
        {"bytes meeting where a prefix went", "<@IF IIF F K@>", EXPAND_SKIP_NEXT, ""},
        {"no blank, no prefix", "<@IF@><@IFNK@>x", EXPAND_APPENDED, "x"},
        {"nested open marker is key text", "<@a <@K@>b", EXPAND_APPENDED, "b"},
        {"open and close marker do not overlap", "<@>K@>x", EXPAND_APPENDED, "x"},
        {"close marker before any open one", "@><@K@>", EXPAND_APPENDED, "@>v"},
        {"empty key", "<@@>x", EXPAND_APPENDED, "x"},
        {"unclosed rest without a spare pass", "<@K@> <@IF K", EXPAND_APPENDED, "v <@IF K"},
        {"unclosed rest read by a spare pass", "<@K@><@K@> <@IF K", EXPAND_KEEP_NEXT, ""},
    };
    CFieldList list;
    ASSERT_EQ(list.AddField("K", "v"), 0);
    for (const CRow& row : rows) {
        std::string output(EXPAND_OUTPUT_SIZE, '\0');
        EXPECT_EQ(list.ExpandLine(row.line, output.data()), row.result) << row.name;
        EXPECT_STREQ(output.c_str(), row.output) << row.name;
    }
}

// Whether the scan finds a region from a byte on; where, its key's length, whether closed.
TEST(FormatRegions, ScanFindsTheNextRegionOrNone) {
    using CFound = std::tuple<bool, std::size_t, std::size_t, bool>;
    const std::tuple<const char*, std::string_view, std::size_t, CFound> rows[] = {
        {"close marker only", "a @> b", 0, {false, 0, 0, false}},
        {"past the last open marker", "<@K@> @>", 1, {false, 0, 0, false}},
        {"from an open marker", "x<@K@>", 1, {true, 1, 1, true}},
        {"unclosed rest", "x<@K @", 0, {true, 1, 3, false}},
    };
    for (const auto& [name, line, from, found] : rows) {
        CFormatRegion r{};
        const bool bFound = FormatNextRegion(line, from, r);
        EXPECT_EQ(CFound(bFound, r.m_nOpen, r.m_nKeyLength, r.m_bClosed), found) << name;
    }
}

} // namespace
