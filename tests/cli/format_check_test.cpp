#include "cli/format_check.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Each finding as "LINE KIND DETAIL", which reads well in a failure message.
std::vector<std::string> Check(const std::string& text) {
    const char* const kinds[] = {"unknown ", "unclosed", "long ", "chain ", "last", "many"};
    std::vector<std::string> shown;
    for (const CheckFinding& f : CheckFormatText(text)) {
        const std::size_t number = f.m_nBytes + static_cast<std::size_t>(f.m_nOtherLine);
        shown.push_back(std::to_string(f.m_nLine) + " " + kinds[f.m_eKind] + f.m_strKey +
                        (number != 0 ? std::to_string(number) : ""));
    }
    return shown;
}

using Found = std::vector<std::string>;

TEST(FormatCheck, FindsWhatIsLikelyAMistake) {
    const std::string wide = std::string(600, 'a') + "\n"; // two pieces
    const std::tuple<const char*, std::string, Found> rows[] = {
        {"UnknownKeyOncePerLine", "<@X@><@X@>\n<@X@>\n", {"1 unknown X", "2 unknown X"}},
        {"ConditionKeyWithoutPrefix", "<@IF TITEL@>\nx\n", {"1 unknown TITEL"}},
        {"EveryPrefixIsRemoved", "<@IFN IFN FUNC@>\nx\n", {}},
        {"RegionsDoNotNest", "x<@abc <@FUNC@>y\n", {"1 unknown abc <@FUNC"}},
        {"OpenMarkerOverlapsClose", "<@>\n", {"1 unclosed"}},
        {"RegionDoesNotSpanLines", "<@FU\nNC@>\n", {"1 unclosed"}},
        {"LastLineIsACondition", "x\n<@IFN FUNC@>", {"2 last"}},
        {"ConditionBeforeAnEmptyLastLine", "<@IF FUNC@>\n\n", {}},
        {"LineAtThePieceSize", std::string(510, 'a') + "\n", {}},
        {"LineOnePastThePieceSize", std::string(511, 'a') + "\n", {"1 long 512"}},
        {"LastLineAtThePieceSizeWithoutLineEnd", std::string(511, 'a'), {}},
        {"LinesAtTheLimit", std::string(150, '\n'), {}},
        {"LinesOnePastTheLimit", std::string(151, '\n'), {"151 many"}},
        {"WideLineIsTwo", std::string(148, '\n') + wide + "x\n", {"149 long 601", "150 many"}},
        {"LimitInsideALongLine", std::string(149, '\n') + wide, {"150 long 601", "150 many"}},
    };
    for (const auto& [name, text, found] : rows) {
        EXPECT_EQ(Check(text), found) << name;
    }
}

} // namespace
