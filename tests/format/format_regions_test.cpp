#include "format/format_regions.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>

namespace {

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
