// The one-scan expansion must give, byte for byte, what the passes give, or leave the line to
// them; these lines are where the two could part. The fuzz target expand_ways compares them on
// lines of every other kind.

#include "format/expand_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::pair<const char*, const char*> FIELDS[] = {
    {"A", "alpha"},
    {"EMPTY", ""},
    {"LT", "x<"},
    {"GT", ">z"},
    {"AT", "@y"},
    {"K", "k"},
    {"NEST", "<@A@>"},
    {"OPEN", "<@"},
    {"MULTI", "a\nb"},
    // A full-width space: its second byte is '@'.
    {"WIDE", "\x81\x40"},
    {"CLOSE", "a@>b"},
    // Keys that differ only between their first and last eight bytes share a hash.
    {"HEAD__1__TAIL", "one"},
    {"HEAD__2__TAIL", "two!"},
};

std::string Repeat(const std::string& text, std::size_t count) {
    std::string result;
    while (count-- > 0) {
        result += text;
    }
    return result;
}

TEST(ExpandWays, DirectWayTakesOrdinaryLinesAndLeavesTheRestToThePasses) {
    CFieldList list;
    for (const auto& [name, value] : FIELDS) {
        ASSERT_EQ(list.AddField(name, value), 0);
    }
    struct CRow {
        const char* name;
        std::string line;
        bool direct;
        std::size_t editBytes = 0; // of the budget, already used
        std::size_t filled = 0;    // bytes of the output already used
    };
    std::string keys; // more than are remembered, differing from each other and the fields'
    for (std::size_t key = 0; key < EXPAND_REMEMBERED_KEYS + 6; ++key) {
        keys += "<@" + std::to_string(key) + "@>";
    }
    const CRow rows[] = {
        {"no region", "plain text\n", true},
        {"copies, missing key, empty key, LF in value", "<@A@>,<@A@>,<@X@>,<@@>,<@MULTI@>\n", true},
        {"condition after placeholders", " <@A@> <@IFN K@> <@IF X@>", true},
        {"spare pass reads the unclosed rest as a condition", "<@A@><@A@> <@IF K", true},
        {"unclosed rest without a spare pass", "<@A@> <@IF X", true},
        {"stray close markers and lone bytes", "@> < @ > <@GT@>@ <@AT@>x", true},
        {"removed region joins '<' and '@'", "<<@EMPTY@>@A@> <@K@>", false},
        {"value ending in '<' meets '@' behind the last region", "<@K@> <@LT@>@A@>", false},
        {"copy of a value beginning with '@' behind '<'", "<@AT@> <<@AT@>", false},
        {"value ending in '@' meets '>', closing nothing", "<@WIDE@>> <@K@>", true},
        {"value ending in '<' before another byte", "<@LT@>x<@K@>", true},
        {"value holding a placeholder", "<@NEST@> <@A@>", false},
        {"value that is an open marker", "<@OPEN@>A@> <@K@>", false},
        {"value holding a close marker", "<@CLOSE@> <@A@><@CLOSE@> <@IF K", true},
        {"keys of one hash", "<@HEAD__1__TAIL@><@HEAD__2__TAIL@>,<@HEAD__1__TAIL@>", true},
        {"key too long to remember", Repeat("<@" + std::string(40, 'k') + "@>,", 2), true},
        {"more keys than remembered", keys + "<@A@>", true},
        {"key holding '<'", "<@>b@> <@a<@>b@>", false},
        {"key holding '@'", "<@a@@> <@A@>", false},
        {"edit budget used up to the byte", "<@A@>", true, EXPAND_EDIT_BUDGET},
        {"edit budget spent", "<@A@>", false, EXPAND_EDIT_BUDGET + 1},
        {"edit budget spent by the second pass", "<@A@><@K@>", false, EXPAND_EDIT_BUDGET - 3},
        {"longest line", std::string(506, 'x') + "<@A@>", true},
        {"most regions a line holds", Repeat("<@@>", 127) + "<@A", true},
        {"one byte past the longest line", std::string(512, 'x'), false},
        {"behind an output all but full", "<@A@><@MULTI@>", true, 0, EXPAND_OUTPUT_SIZE - 6},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.name);
        // The passes and the direct way, each with its output and what it carries from line to
        // line; the line comes twice, so that the second time the values are remembered ones
        // (and the budget may be spent).
        std::vector<char> outputs[2];
        CExpandRun runs[2];
        for (int way = 0; way < 2; ++way) {
            outputs[way].assign(EXPAND_OUTPUT_SIZE, '\0');
            std::memset(outputs[way].data(), 'o', row.filled);
            runs[way].m_nOutputLength = row.filled;
            runs[way].m_nEditBytes = row.editBytes;
        }
        for (int time = 0; time < 2 && !HasFailure(); ++time) {
            const LineResult passes =
                ExpandLineByPasses(list, row.line.c_str(), outputs[0].data(), runs[0]);
            LineResult direct = LineResult::Appended;
            const bool bTaken = ExpandLineDirect(list, row.line.c_str(), outputs[1].data(), runs[1],
                                                 direct) == DirectResult::Taken;
            EXPECT_TRUE(time > 0 || bTaken == row.direct);
            // A declined line is the passes' alone: anything the direct way wrote or counted
            // shows in the comparison below.
            EXPECT_EQ(bTaken
                          ? direct
                          : ExpandLineByPasses(list, row.line.c_str(), outputs[1].data(), runs[1]),
                      passes);
            EXPECT_EQ(outputs[1], outputs[0]);
            EXPECT_EQ(runs[1].m_nEditBytes, runs[0].m_nEditBytes);
            EXPECT_EQ(runs[1].m_bOutputFull, runs[0].m_bOutputFull);
            EXPECT_EQ(runs[1].m_nOutputLength, runs[0].m_nOutputLength);
        }
    }
}

} // namespace
