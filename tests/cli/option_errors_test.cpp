#include "cli/option_errors.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Every complaint of the parser comes out in Japanese; one of a shape not known here is the
// general usage message, never the parser's English.
TEST(OptionErrors, TellTheParsersComplaintInJapanese) {
    const struct {
        const char* m_pszName;
        std::shared_ptr<CLI::ParseError> m_pError;
        std::vector<std::string> m_astrExtras;
        std::string m_strText;
    } rows[] = {
        {"extras in the order given",
         std::make_shared<CLI::ExtrasError>(std::vector<std::string>{"b", "a b"}),
         {"a b", "b"},
         "不明なオプションか余分な引数です: a b b"},
        {"given twice",
         std::make_shared<CLI::ArgumentMismatch>(CLI::ArgumentMismatch::AtMost("--title", 1, 2)),
         {},
         "--title は一度だけ指定できます。"},
        {"no value",
         std::make_shared<CLI::ArgumentMismatch>(
             CLI::ArgumentMismatch::TypedAtLeast("--format", 1, "FILE")),
         {},
         "--format の値を指定してください。"},
        {"other mismatch",
         std::make_shared<CLI::ArgumentMismatch>(CLI::ArgumentMismatch::AtLeast("--x", 2, 1)),
         {},
         "コマンドラインの指定が正しくありません。"},
        {"value not converted",
         std::make_shared<CLI::ConversionError>("--crlf", std::vector<std::string>{"x"}),
         {},
         "--crlf の値が正しくありません。"},
        {"flag value",
         std::make_shared<CLI::ConversionError>(CLI::ConversionError::TrueFalse("--crlf")),
         {},
         "--crlf の値が正しくありません。"},
        {"extras not listed",
         std::make_shared<CLI::ExtrasError>(std::vector<std::string>{"a"}),
         {},
         "コマンドラインの指定が正しくありません。"},
        {"mismatch without a name",
         std::make_shared<CLI::ArgumentMismatch>("--x", 2, 1),
         {},
         "コマンドラインの指定が正しくありません。"},
        {"mismatch shorter than the parser's words",
         std::make_shared<CLI::ArgumentMismatch>("-x: 1"),
         {},
         "コマンドラインの指定が正しくありません。"},
        {"value not allowed",
         std::make_shared<CLI::ConversionError>("1", "--x"),
         {},
         "コマンドラインの指定が正しくありません。"},
        {"required",
         std::make_shared<CLI::RequiredError>("--x"),
         {},
         "コマンドラインの指定が正しくありません。"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CliDescribeParseError(*row.m_pError, row.m_astrExtras), row.m_strText)
            << row.m_pszName;
    }
}

} // namespace
