#include "cli/format_check.h"
#include "tool_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += line + "\n";
    }
    return text;
}

// A finding as "LINE KIND DETAIL", which reads well in a failure message.
std::string Show(const CheckFinding& finding) {
    const char* const names[] = {"unknown", "unclosed", "long", "chain", "last", "many"};
    std::string text = std::to_string(finding.m_nLine) + " " + names[finding.m_eKind];
    if (finding.m_eKind == CHECK_UNKNOWN_KEY) {
        text += " [" + finding.m_strKey + "]";
    } else if (finding.m_eKind == CHECK_LONG_LINE) {
        text += " " + std::to_string(finding.m_nBytes);
    } else if (finding.m_eKind == CHECK_CONDITION_CHAIN) {
        text += " after " + std::to_string(finding.m_nOtherLine);
    }
    return text;
}

std::vector<std::string> Check(const std::string& text) {
    std::vector<std::string> shown;
    for (const CheckFinding& finding : CheckFormatText(text)) {
        shown.push_back(Show(finding));
    }
    return shown;
}

struct CheckRow {
    const char* m_pszName;
    std::string m_strText;
    std::vector<std::string> m_astrFindings;
};

using Found = std::vector<std::string>;

const CheckRow CHECK_ROWS[] = {
    {"EveryKeyTheFormSupplies",
     "<@FUNC@><@RET@><@RET_TEXT@><@CLASS@><@DEVELOPER@><@TITLE@><@DATE@>\n"
     "<@ARG_1_TYPE@><@ARG_1_NAME@><@ARG_1_TEXT@><@ARG_6_TYPE@><@ARG_6_NAME@><@ARG_6_TEXT@>\n"
     "<@IF FUNC@>\nx\n<@IFN RET_TEXT@>\ny\n",
     {}},
    {"StrayCloseMarker", "a @> b\n", {}},
    {"UnknownKey", "<@FUNCTION@>\n", {"1 unknown [FUNCTION]"}},
    {"SameUnknownKeyOncePerLine",
     "<@X@> <@X@> <@Y@>\n<@X@>\n",
     {"1 unknown [X]", "1 unknown [Y]", "2 unknown [X]"}},
    {"ConditionKeyWithoutPrefix", "<@IF TITEL@>\nx\n", {"1 unknown [TITEL]"}},
    {"EveryPrefixIsRemoved", "<@IFN IFN FUNC@>\nx\n", {}},
    {"TwoBlanksAfterIf", "<@IF  FUNC@>\nx\n", {"1 unknown [ FUNC]"}},
    {"RegionsDoNotNest", "x<@abc <@FUNC@>y\n", {"1 unknown [abc <@FUNC]"}},
    {"Unclosed", "<@FUNC@> <@TITLE\n", {"1 unclosed"}},
    {"OpenMarkerOverlapsClose", "<@>\n", {"1 unclosed"}},
    {"RegionDoesNotSpanLines", "<@FU\nNC@>\n", {"1 unclosed"}},
    {"ConditionAsLastLine", "x\n<@IF FUNC@>\n", {"2 last"}},
    {"ConditionAsLastLineWithoutLineEnd", "x\n<@IFN FUNC@>", {"2 last"}},
    {"ConditionBeforeAnEmptyLastLine", "<@IF FUNC@>\n\n", {}},
    {"ConditionChain", "<@IF FUNC@>\n<@IFN CLASS@>\nx\n", {"2 chain after 1"}},
    {"LineAtThePieceSize", std::string(510, 'a') + "\n", {}},
    {"LineOnePastThePieceSize", std::string(511, 'a') + "\n", {"1 long 512"}},
    {"LastLineAtThePieceSizeWithoutLineEnd", std::string(511, 'a'), {}},
    {"LinesAtTheLimit", Lines(150, "x"), {}},
    {"LinesOnePastTheLimit", Lines(151, "x"), {"151 many"}},
    {"LongLineCountsAsTwo",
     Lines(148, "x") + std::string(600, 'a') + "\nlast\n",
     {"149 long 601", "150 many"}},
    {"LimitReachedInsideALongLine",
     Lines(149, "x") + std::string(1100, 'a') + "\n",
     {"150 long 1101", "150 many"}},
    {"EveryKindOnOneLine",
     "<@IF FUNC@>\n<@IF NOPE@> <@OPEN" + std::string(520, 'a'),
     {"2 unknown [NOPE]", "2 unclosed", "2 long 538", "2 chain after 1", "2 last"}},
};

class FormatCheck : public ::testing::TestWithParam<CheckRow> {};

TEST_P(FormatCheck, FindsWhatIsLikelyAMistake) {
    EXPECT_EQ(Check(GetParam().m_strText), GetParam().m_astrFindings);
}

INSTANTIATE_TEST_SUITE_P(Rows, FormatCheck, ::testing::ValuesIn(CHECK_ROWS),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

class FormatCheckFile : public ::testing::Test {
protected:
    CToolDir m_dir;
};

TEST_F(FormatCheckFile, ReadsTheFileAsTheExpansionDoes) {
    std::string text;
    // CR LF counts as one byte, as the expansion reads it.
    ASSERT_EQ(CheckReadFile(m_dir.Write("crlf.txt", std::string(510, 'a') + "\r\n").c_str(), text),
              0);
    EXPECT_EQ(Check(text), Found{});
    // 200 kanji are 600 bytes of UTF-8 but 400 of code page 932, which the expansion uses.
    std::string kanji;
    for (int i = 0; i < 200; ++i) {
        kanji += "漢";
    }
    ASSERT_EQ(CheckReadFile(m_dir.Write("utf8.txt", kanji + "\n<@作者@>\n").c_str(), text), 0);
    EXPECT_EQ(Check(text), Found{"2 unknown [\x8d\xec\x8e\xd2]"});
    EXPECT_EQ(CheckReadFile(m_dir.Path("missing.txt").c_str(), text), -1);
    EXPECT_EQ(CheckReadFile(m_dir.Path("").c_str(), text), -1);
}

TEST_F(FormatCheckFile, CleanFileExitsWithZero) {
    const ToolResult result =
        m_dir.Run({"--check", std::string(CLI_TEST_DATA) + "/house_style.txt"});
    EXPECT_EQ(result.m_nStatus, 0);
    EXPECT_EQ(result.m_strOut, "");
    EXPECT_EQ(result.m_strErr, "");
}

TEST_F(FormatCheckFile, ReportsEachFindingWithItsLine) {
    m_dir.Write("bad.txt", "/*\r\n * <@作者@>\r\n * <@TITLE\r\n" + std::string(600, '*') +
                               "\r\n<@IF FUNC@>\r\n<@IF RET@>\r\n" + Lines(150, " *") +
                               "<@IFN CLASS@>\r\n");
    const ToolResult result = m_dir.Run({"--check", "bad.txt"});
    EXPECT_EQ(result.m_nStatus, 1);
    EXPECT_EQ(result.m_strErr, "");
    EXPECT_EQ(result.m_strOut,
              "bad.txt:2: キー「作者」は入力画面にない項目です。\n"
              "bad.txt:3: 「<@」が「@>」で閉じられていません。\n"
              "bad.txt:4: 行が511バイトを超えています（改行を含めて601バイト）。"
              "超えた部分は別の行として扱われます。\n"
              "bad.txt:6: 条件行の次の行が条件行です。5行目の条件はこの行だけに掛かります。\n"
              "bad.txt:150: 展開される行数の上限（150行）を超えています。"
              "条件で除かれる行がなければ、この行から後は展開されません。\n"
              "bad.txt:157: 最終行が条件行です。この条件が掛かる行がありません。\n");
}

} // namespace
