#include "analyser/func_parser.h"
#include "format/field_list.h"
#include "format/header_keys.h"
#include "text/codepage.h"
#include "text/txt.h"
#include "tool_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <ostream>
#include <tuple>

namespace {

const std::string ALL_KEYS = CLI_TEST_DATA "all_keys.txt";

// The window's Make header after `pasted` (code page 932) was pasted and analysed (answering Yes
// to the argument question) and `boxes` typed in, built straight through the core with the
// window's buffers: code page 932 with CR LF. Empty when the declaration is refused.
std::string WindowComment(const std::string& pasted, std::map<std::string, std::string> boxes,
                          int& argCount) {
    char clipboard[2048] = {}, declaration[1024] = {}, name[1024] = {}, type[1024] = {};
    std::memcpy(clipboard, pasted.data(), TxtCp932Cut(pasted, 2047));
    TxtCleanPasted(clipboard); // fails only when memory runs out
    std::memcpy(declaration, clipboard, TxtCp932Cut(clipboard, 1023));
    CFuncParser parser;
    if (parser.Analyze(declaration) != 0) {
        return {};
    }
    parser.GetFunc(name, type);
    boxes["FUNC"] = name;
    boxes["RET"] = type;
    if (parser.GetClassFlag() == 0) {
        parser.GetOwnerClass(name);
        boxes["CLASS"] = name;
    }
    argCount = parser.GetArgCount();
    for (int row = 1; row <= 6 && row <= argCount; ++row) {
        parser.GetArg(row, type, name);
        boxes["ARG_" + std::to_string(row) + "_TYPE"] = type;
        boxes["ARG_" + std::to_string(row) + "_NAME"] = name;
    }
    parser.Clear();
    const char* values[HEADER_KEY_COUNT];
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        std::string& box = boxes[g_apszHeaderKeys[i]];
        box.resize(TxtCp932Cut(box, 1023)); // each box is read into 1024 bytes
        values[i] = box.c_str();
    }
    CFieldList fields;
    HeaderAddFields(fields, values);
    std::vector<char> output(EXPAND_OUTPUT_SIZE, '\0');
    const int result = fields.ExpandFile(ALL_KEYS.c_str(), output.data());
    fields.FreeFields();
    return result == 0 ? output.data() : "";
}

enum Input { ARG, STDIN };

struct OutputRow {
    const char* m_pszName;
    std::string m_strDeclaration; // UTF-8
    std::vector<std::string> m_astrOptions;
    Input m_eInput;
    friend void PrintTo(const OutputRow& row, std::ostream* out) { *out << row.m_pszName; }
};

const char* const PASTED = "BOOL\tCMap::Lookup( // find a key\r\n    const char *pszKey, "
                           "/* never null */\r\n    void*& rValue ) const;\r\n";
const char* const KANJI = "int 合計(int 個数)";
const char* const SEVEN = "void f(int a, int b, int c, int d, int e, int g, int h)";
// Declarations of `size` bytes: a comment that is cleaned away only while all of it is taken, and
// a declaration that fills the declaration box, which cuts off what follows.
std::string Pasted(std::size_t size) {
    return std::string(size - 1016, ' ') + "/*" + std::string(1000, 'c') + "*/int f(int a)";
}
std::string Boxed(std::size_t size) {
    return "int f(int a" + std::string(size - 12, 'x') + ")";
}

const OutputRow OUTPUT_ROWS[] = {
    {"StaticMember", "static int CFoo::Bar(const char *name, int n);", {}, ARG},
    {"SevenArguments", SEVEN, {}, ARG},
    {"PastedWithComments", PASTED, {}, STDIN},
    {"Utf8WithCrLf", KANJI, {"--encoding", "UTF-8", "--crlf"}, ARG},
    {"CodePage932", KANJI, {"--encoding", "CP932"}, STDIN},
    {"CodePage932WithCrLf", KANJI, {"--encoding", "cp932", "--crlf"}, ARG},
    {"PasteFull", Pasted(2047), {}, STDIN},
    {"PasteOnePastFull", Pasted(2048), {}, STDIN},
    {"BoxFull", Boxed(1023), {}, ARG},
    {"BoxOnePastFull", Boxed(1023) + "(", {}, ARG},
};

// Typed into the boxes, as option and text; the title's characters have tricky mappings between
// code page 932 and Unicode.
const std::tuple<std::string, const char*, const char*> TYPED[] = {
    {"-t", "TITLE", "～合計―①ⅰｱ"},
    {"-d", "DEVELOPER", "開発者 A"},
    {"--date=", "DATE", "2001/06/01"},
    {"--arg-text=1=", "ARG_1_TEXT", "種別"},
};
const std::string SYNTAX = "veldane-header: 入力された関数は文法エラーの為、解析できません。\n";
const std::string TOO_MANY =
    "veldane-header: 引数の数が最大数を超えました。[引数6]まで出力します。\n";

class HeaderOutput : public ::testing::TestWithParam<OutputRow> {};

TEST_P(HeaderOutput, MatchesWhatTheWindowCopies) {
    const OutputRow& row = GetParam();
    const auto has = [&row](const char* option) {
        return std::find(row.m_astrOptions.begin(), row.m_astrOptions.end(), option) !=
               row.m_astrOptions.end();
    };
    const bool cp932 = has("cp932") || has("CP932");
    const auto typed = [cp932](const std::string& utf8) {
        return cp932 ? TxtUtf8ToCp932(utf8) : utf8;
    };
    std::vector<std::string> args = {"-f", ALL_KEYS};
    std::map<std::string, std::string> boxes;
    for (const auto& [option, key, text] : TYPED) {
        args.push_back(typed(option + text));
        boxes[key] = TxtUtf8ToCp932(text);
    }
    args.insert(args.end(), row.m_astrOptions.begin(), row.m_astrOptions.end());
    const std::string declaration = typed(row.m_strDeclaration);
    if (row.m_eInput == ARG) {
        args.push_back(declaration);
    }
    int argCount = 0;
    std::string expected = WindowComment(TxtUtf8ToCp932(row.m_strDeclaration), boxes, argCount);
    expected = cp932 ? expected : TxtCp932ToUtf8(expected);
    if (!has("--crlf")) {
        expected.erase(std::remove(expected.begin(), expected.end(), '\r'), expected.end());
    }
    const auto [status, out, err] = CToolDir().Run(args, row.m_eInput == STDIN ? declaration : "");
    // A declaration that the window refuses is a syntax error here.
    EXPECT_EQ(status, expected.empty() ? 3 : 0);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(err, expected.empty() ? SYNTAX : argCount > 6 ? TOO_MANY : "");
}

INSTANTIATE_TEST_SUITE_P(Rows, HeaderOutput, ::testing::ValuesIn(OUTPUT_ROWS),
                         [](const auto& info) { return std::string(info.param.m_pszName); });

TEST(HeaderRun, EndToEndMatchesTheCheckedInComment) {
    const auto [status, out, err] = CToolDir().Run(
        {"-f", CLI_TEST_DATA "house_style.txt", "-t", "一覧に挿入", "-d", "山田 花子", "--date",
         "2024/04/01", "--ret-text", "成功なら TRUE", "--arg-text", "1=挿入位置", "--arg-text",
         "2=挿入する文字列", "BOOL CDocList::Insert(int nIndex, const char *pszText)"});
    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(out, ReadFileBytes(CLI_TEST_DATA "house_style.expected"));
}

} // namespace
