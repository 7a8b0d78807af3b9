#include "cli/format_check.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Found = std::vector<std::pair<int, CheckKind>>; // line and kind of each finding

const std::tuple<const char*, std::string, Found> ROWS[] = {
    {"UnknownKeyOncePerLine", "<@X@><@X@>\n", {{1, CHECK_UNKNOWN_KEY}}},
    {"EveryPrefixIsRemoved", "<@IFN IFN FUNC@>\nx\n", {}},
    // As the expansion looks it up: "IF " taken out of "IIF F " leaves "IF " in the key.
    {"PrefixMeetingWherePrefixWent", "<@IF IIF F FUNC@>\nx\n", {{1, CHECK_UNKNOWN_KEY}}},
    {"PrefixInsideAKeyIsNoCondition", "<@FUNCIF @>\n", {{1, CHECK_UNKNOWN_KEY}}},
    {"OpenMarkerOverlapsClose", "<@>\n", {{1, CHECK_UNCLOSED}}},
    {"ConditionBeforeAnEmptyLastLine", "<@IF FUNC@>\n\n", {}},
    // Only the first condition counts; the second is never written.
    {"TwoConditionsOnALine", "<@IF FUNC@><@IFN RET@>\nx\n", {{1, CHECK_TEXT_BESIDE_CONDITION}}},
    {"LineAtThePieceSize", std::string(510, 'a') + "\n", {}},
    {"LineOnePastThePieceSize", std::string(511, 'a') + "\n", {{1, CHECK_LONG_LINE}}},
    {"LastLineAtThePieceSizeWithoutLineEnd", std::string(511, 'a'), {}},
    {"LinesAtTheLimit", std::string(150, '\n'), {}},
    {"LinesOnePastTheLimit", std::string(151, '\n'), {{151, CHECK_TOO_MANY_LINES}}},
    {"NulOncePerLine", std::string("a\0\0\nb\n\0", 7), {{1, CHECK_NUL}, {3, CHECK_NUL}}},
    {"TextBeforeACondition", " * <@IF FUNC@>\nx\n", {{1, CHECK_TEXT_BESIDE_CONDITION}}},
    {"PlaceholderAfterACondition", "<@IFN RET@><@RET@>\nx\n", {{1, CHECK_TEXT_BESIDE_CONDITION}}},
    {"SecondConditionIsNeverJudged",
     "<@IF RET@><@IF FUNC@>\nx\n",
     {{1, CHECK_TEXT_BESIDE_CONDITION}}},
    {"BlanksBesideAConditionAreNothingLost", " \t<@IF FUNC@> \r\nx\n", {}},
    {"TextWithoutAConditionIsWritten", " * <@FUNC@> returns\n", {}},
    // Binary data is one finding, whatever else its lines would give.
    {"Executable",
     "\x7F"
     "ELF<@X@>\n<@IF FUNC@>",
     {{1, CHECK_NOT_TEXT}}},
    {"ControlBytesMakeBinary",
     std::string(8, '\x01') + std::string(120, 'a'),
     {{1, CHECK_NOT_TEXT}}},
    {"ControlBytesTooFewForBinary", std::string(7, '\x01') + "\n", {}},
    {"ControlBytesTooRareForBinary", std::string(8, '\x01') + std::string(121, 'a'), {}},
    {"LineControlsAreText", std::string(64, '\t') + std::string(64, '\f') + "\x1B\r\n", {}},
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

// A format file that cannot be read leaves the text as it was.
TEST(FormatCheck, MissingFileIsNotRead) {
    std::string text = "untouched";
    EXPECT_EQ(CheckReadFile("/nonexistent/format.txt", text), -1);
    EXPECT_EQ(text, "untouched");
}

} // namespace
