// The one-scan expansion must give, byte for byte, what the passes give, or leave the line to
// them; these cases compare the two on the lines where they could part.

#include "format/expand_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::pair<const char*, const char*> FIELDS[] = {
    {"A", "alpha"},
    {"EMPTY", ""},
    {"LT", "x<"},
    {"AT", "@y"},
    {"GT", ">z"},
    {"K", "k"},
    {"NEST", "<@A@>"},
    {"MULTI", "a\nb"},
    // A full-width space: its second byte is '@'.
    {"WIDE", "\x81\x40"},
    {"CLOSE", "a@>b"},
    // Keys that differ only between their first and last eight bytes share a hash.
    {"HEAD__1__TAIL", "one"},
    {"HEAD__2__TAIL", "two"},
};

std::string Repeat(const std::string& text, std::size_t count) {
    std::string result;
    while (count-- > 0) {
        result += text;
    }
    return result;
}

// Placeholders of `count` keys that differ from each other and from the fields' keys.
std::string Keys(std::size_t count) {
    std::string result;
    for (std::size_t key = 0; key < count; ++key) {
        result += "<@" + std::to_string(key) + "@>";
    }
    return result;
}

// What a way gives for a line: its result, or none where the direct way leaves it to the passes.
using WayResult = std::optional<LineResult>;
using ExpandWay = WayResult (*)(const CFieldList&, const char*, char*, CExpandRun&);

WayResult ByPasses(const CFieldList& list, const char* line, char* output, CExpandRun& run) {
    return ExpandLineByPasses(list, line, output, run);
}

WayResult Direct(const CFieldList& list, const char* line, char* output, CExpandRun& run) {
    LineResult result = LineResult::Appended;
    const DirectResult direct = ExpandLineDirect(list, line, output, run, result);
    return direct == DirectResult::Taken ? WayResult(result) : std::nullopt;
}

// Bytes behind the text that must still be zero after an expansion: more than any line of these
// tests expands to, and cheap enough to clear between the many random rounds.
constexpr std::size_t CHECKED_TAIL = 4096;

// Expands `line` behind `before`, and gives the text the line added.
std::string Run(ExpandWay way, const CFieldList& list, const std::string& line,
                const std::string& before, CExpandRun& run, WayResult& result) {
    static std::vector<char> output(EXPAND_OUTPUT_SIZE, '\0');
    std::memcpy(output.data(), before.data(), before.size());
    run.m_nOutputLength = before.size();
    run.m_bOutputFull = false;
    result = way(list, line.c_str(), output.data(), run);
    const std::size_t length = std::strlen(output.data());
    const std::size_t tail = std::min(length + CHECKED_TAIL, output.size());
    EXPECT_TRUE(std::all_of(output.begin() + static_cast<std::ptrdiff_t>(length),
                            output.begin() + static_cast<std::ptrdiff_t>(tail),
                            [](char c) { return c == '\0'; }));
    EXPECT_EQ(output.data(), before + std::string(output.data() + before.size()));
    std::string added(output.data() + std::min(before.size(), length));
    std::fill(output.begin(), output.begin() + static_cast<std::ptrdiff_t>(tail), '\0');
    return added;
}

// One expansion followed both ways: what each carries from line to line.
struct CBothRuns {
    CExpandRun m_passes;
    CExpandRun m_direct;
};

// Expands `line` both ways; true when the direct way took it. Any difference fails the test.
bool ExpectSameBothWays(const CFieldList& list, const std::string& line, CBothRuns& runs,
                        const std::string& before = "") {
    WayResult passesResult;
    WayResult directResult;
    const std::size_t editBytes = runs.m_direct.m_nEditBytes;
    const std::string passes = Run(ByPasses, list, line, before, runs.m_passes, passesResult);
    const std::string direct = Run(Direct, list, line, before, runs.m_direct, directResult);
    if (!directResult.has_value()) {
        EXPECT_EQ(direct, "");
        EXPECT_EQ(runs.m_direct.m_nEditBytes, editBytes);
        // As the expansion does, the passes take the line over.
        runs.m_direct.m_nEditBytes = runs.m_passes.m_nEditBytes;
        return false;
    }
    EXPECT_EQ(directResult, passesResult);
    EXPECT_EQ(direct, passes);
    EXPECT_EQ(runs.m_direct.m_nEditBytes, runs.m_passes.m_nEditBytes);
    EXPECT_EQ(runs.m_direct.m_bOutputFull, runs.m_passes.m_bOutputFull);
    EXPECT_EQ(runs.m_direct.m_nOutputLength, runs.m_passes.m_nOutputLength);
    return true;
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
        std::size_t editBytes = 0;
    };
    const CRow rows[] = {
        {"no region", "plain text\n", true},
        {"copies, missing key, empty key, LF in value", "<@A@>,<@A@>,<@X@>,<@@>,<@MULTI@>\n", true},
        {"condition after placeholders", " <@A@> <@IFN K@> <@IF X@>", true},
        {"spare pass reads the unclosed rest as a condition", "<@A@><@A@> <@IF K", true},
        {"unclosed rest without a spare pass", "<@A@> <@IF X", true},
        {"stray close markers and lone bytes", "@> < @ > <@GT@>@ <@AT@>x", true},
        {"removed region joins '<' and '@'", "<<@EMPTY@>@A@> <@K@>", false},
        {"value ending in '<' meets '@'", "<@LT@>@A@> <@K@>", false},
        {"value ending in '@' meets '>', closing nothing", "<@WIDE@>> <@K@>", true},
        {"value holding a placeholder", "<@NEST@> <@A@>", false},
        {"value holding a close marker", "<@CLOSE@> <@A@><@CLOSE@> <@IF K", true},
        {"keys of one hash", "<@HEAD__1__TAIL@><@HEAD__2__TAIL@>,<@HEAD__1__TAIL@>", true},
        {"key too long to remember", Repeat("<@" + std::string(40, 'k') + "@>,", 2), true},
        {"more keys than remembered", Keys(EXPAND_REMEMBERED_KEYS + 6) + "<@A@>", true},
        {"key holding '<'", "<@>b@> <@a<@>b@>", false},
        {"key holding '@'", "<@a@@> <@A@>", false},
        {"edit budget spent", "<@A@>", false, EXPAND_EDIT_BUDGET + 1},
        {"edit budget spent by the second pass", "<@A@><@K@>", false, EXPAND_EDIT_BUDGET - 3},
        {"longest line", std::string(506, 'x') + "<@A@>", true},
        {"most regions a line holds", Repeat("<@@>", 127) + "<@A", true},
        {"one byte past the longest line", std::string(512, 'x'), false},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.name);
        // An edit budget already used as given.
        CBothRuns runs;
        runs.m_passes.m_nEditBytes = runs.m_direct.m_nEditBytes = row.editBytes;
        EXPECT_EQ(ExpectSameBothWays(list, row.line, runs), row.direct);
    }
}

// Lines and values made of marker pieces, prefixes and double-byte halves, compared both ways,
// some behind an output all but full.
TEST(ExpandWays, RandomLinesAndValuesGiveTheSameResultBothWays) {
    const char* const pieces[] = {"<@",  "@>",   "<", "@",  ">",        "A", "B",     "K",
                                  "IF ", "IFN ", " ", "\n", "\x81\x40", "x", "<@A@>", "<@B@>"};
    const char* const keys[] = {"A", "B", "K", "", "IF A", "A ", "x"};
    std::mt19937 random(20261206);
    const auto text = [&](std::size_t most) {
        std::string result;
        for (std::size_t n = random() % (most + 1); n > 0; --n) {
            result += pieces[random() % std::size(pieces)];
        }
        return result;
    };
    int taken = 0;
    constexpr int ROUNDS = 5000;
    // Lines of one expansion: the direct way remembers values from line to line.
    constexpr int LINES = 4;
    for (int round = 0; round < ROUNDS; ++round) {
        CFieldList list;
        for (const char* key : keys) {
            if (random() % 3 != 0) {
                ASSERT_EQ(list.AddField(key, text(4).c_str()), 0);
            }
        }
        CBothRuns runs;
        if (random() % 8 == 0) {
            runs.m_passes.m_nEditBytes = runs.m_direct.m_nEditBytes =
                EXPAND_EDIT_BUDGET - random() % 64;
        }
        for (int n = 0; n < LINES; ++n) {
            const std::string line = text(40).substr(0, 511);
            const std::string before(random() % 8 == 0 ? EXPAND_OUTPUT_SIZE - 1 - random() % 64 : 0,
                                     'o');
            SCOPED_TRACE("round " + std::to_string(round) + ": " + line);
            taken += ExpectSameBothWays(list, line, runs, before) ? 1 : 0;
            if (HasFailure()) {
                return;
            }
        }
    }
    // Most such lines hold some marker trouble; enough must still go the direct way.
    EXPECT_GT(taken, ROUNDS * LINES / 10);
}

} // namespace
