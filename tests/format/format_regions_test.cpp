// The format file check reads regions and conditions through the same scan as the expansion;
// these lines, where a scan of its own could part from the expansion, pin down both.

#include "format/field_list.h"
#include "format/format_regions.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

// The regions of `line` as the scan gives them: each key as it is looked up, "if "/"ifn " before
// a condition's, "rest" before an unclosed one.
std::string Regions(std::string_view line) {
    std::string shown;
    CFormatRegion region{};
    for (std::size_t from = 0; FormatNextRegion(line, from, region);
         from = FormatRegionEnd(region)) {
        std::string key(line.substr(region.m_nKey, region.m_nKeyLength));
        std::size_t length = key.size();
        const RegionKind kind = FormatReadKey(key.data(), length);
        key.resize(length);
        const char* kindText = kind == RegionKind::If      ? "if "
                               : kind == RegionKind::IfNot ? "ifn "
                                                           : "";
        shown += std::string(shown.empty() ? "" : " ") + (region.m_bClosed ? "" : "rest") + "[" +
                 kindText + key + "]";
        if (!region.m_bClosed) {
            break;
        }
    }
    return shown;
}

TEST(FormatRegions, ScanAndExpansionReadTrickyLinesAlike) {
    struct CRow {
        const char* name;
        const char* line;
        const char* regions;
        int result;         // of ExpandLine with only K in the list
        const char* output; // what it appends
    };
    const CRow rows[] = {
        {"prefix inside a key is key text", "<@AIF K@>x", "[AIF K]", EXPAND_APPENDED, "x"},
        {"prefix removed wherever it occurs", "<@IF KIF @>", "[if K]", EXPAND_KEEP_NEXT, ""},
        {"negated condition", "<@IFN K@>", "[ifn K]", EXPAND_SKIP_NEXT, ""},
        {"IF inside a negated key stays", "<@IFN IF K@>", "[ifn IF K]", EXPAND_KEEP_NEXT, ""},
        // Taking "IF " out of "IIF F " leaves "IF ", which is not taken out in turn.
        {"bytes meeting where a prefix went", "<@IF IIF F K@>", "[if IF K]", EXPAND_SKIP_NEXT, ""},
        {"no blank, no prefix", "<@IF@><@IFNK@>x", "[IF] [IFNK]", EXPAND_APPENDED, "x"},
        {"nested open marker is key text", "<@a <@K@>b", "[a <@K]", EXPAND_APPENDED, "b"},
        {"open and close marker do not overlap", "<@>K@>x", "[>K]", EXPAND_APPENDED, "x"},
        {"close marker before any open one", "@><@K@>", "[K]", EXPAND_APPENDED, "@>v"},
        {"empty key", "<@@>x", "[]", EXPAND_APPENDED, "x"},
        {"unclosed rest without a spare pass", "<@K@> <@IF K", "[K] rest[if K]", EXPAND_APPENDED,
         "v <@IF K"},
        {"unclosed rest read by a spare pass", "<@K@><@K@> <@IF K", "[K] [K] rest[if K]",
         EXPAND_KEEP_NEXT, ""},
    };
    CFieldList list;
    ASSERT_EQ(list.AddField("K", "v"), 0);
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Regions(row.line), row.regions);
        std::string output(EXPAND_OUTPUT_SIZE, '\0');
        EXPECT_EQ(list.ExpandLine(row.line, output.data()), row.result);
        EXPECT_STREQ(output.c_str(), row.output);
    }
}

} // namespace
