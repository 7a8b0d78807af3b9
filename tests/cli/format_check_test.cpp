#include "cli/format_check.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Found = std::vector<std::pair<int, CheckKind>>; // line and kind of each finding

const std::tuple<const char*, std::string, Found> ROWS[] = {
    {"UnknownKeyOncePerLine", "<@X@><@X@>\n", {{1, CHECK_UNKNOWN_KEY}}},
    {"EveryPrefixIsRemoved", "<@IFN IFN FUNC@>\nx\n", {}},
    {"OpenMarkerOverlapsClose", "<@>\n", {{1, CHECK_UNCLOSED}}},
    {"ConditionBeforeAnEmptyLastLine", "<@IF FUNC@>\n\n", {}},
    {"TwoConditionsOnALine", "<@IF FUNC@><@IFN RET@>\nx\n", {}},
    {"LineAtThePieceSize", std::string(510, 'a') + "\n", {}},
    {"LineOnePastThePieceSize", std::string(511, 'a') + "\n", {{1, CHECK_LONG_LINE}}},
    {"LastLineAtThePieceSizeWithoutLineEnd", std::string(511, 'a'), {}},
    {"LinesAtTheLimit", std::string(150, '\n'), {}},
    {"LinesOnePastTheLimit", std::string(151, '\n'), {{151, CHECK_TOO_MANY_LINES}}},
};

TEST(FormatCheck, FindsWhatIsLikelyAMistake) {
    for (const auto& [name, text, found] : ROWS) {
        Found shown;
        for (const CheckFinding& finding : CheckFormatText(text)) {
            shown.emplace_back(finding.m_nLine, finding.m_eKind);
        }
        EXPECT_EQ(shown, found) << name;
    }
}

} // namespace
