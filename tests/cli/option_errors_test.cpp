#include "cli/option_errors.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <memory>

namespace {

const std::string GENERAL = "コマンドラインの指定が正しくありません。";

// Every complaint of the parser comes out in Japanese; one of a shape not known here is the
// general usage message, never the parser's English. The complaints the tool's own command lines
// raise are its runs' rows.
TEST(OptionErrors, TellTheParsersComplaintInJapanese) {
    const struct {
        const char* m_pszName;
        std::shared_ptr<CLI::ParseError> m_pError;
        std::string m_strText;
    } rows[] = {
        {"extras in the order given",
         std::make_shared<CLI::ExtrasError>(std::vector<std::string>{"b", "a b"}),
         "不明なオプションか余分な引数です: a b b"},
        {"other mismatch",
         std::make_shared<CLI::ArgumentMismatch>(CLI::ArgumentMismatch::AtLeast("--x", 2, 1)),
         GENERAL},
        {"value not converted",
         std::make_shared<CLI::ConversionError>("--crlf", std::vector<std::string>{"x"}),
         "--crlf の値が正しくありません。"},
        {"flag value",
         std::make_shared<CLI::ConversionError>(CLI::ConversionError::TrueFalse("--crlf")),
         "--crlf の値が正しくありません。"},
        {"mismatch without a name", std::make_shared<CLI::ArgumentMismatch>("--x", 2, 1), GENERAL},
        {"mismatch shorter than the parser's words",
         std::make_shared<CLI::ArgumentMismatch>("-x: 1"), GENERAL},
        {"value not allowed", std::make_shared<CLI::ConversionError>("1", "--x"), GENERAL},
        {"required", std::make_shared<CLI::RequiredError>("--x"), GENERAL},
    };
    // What the parse left over, in the order given; extras without any are the general message.
    const std::vector<std::string> extras = {"a b", "b"};
    for (const auto& row : rows) {
        EXPECT_EQ(CliDescribeParseError(*row.m_pError, extras), row.m_strText) << row.m_pszName;
    }
    EXPECT_EQ(CliDescribeParseError(CLI::ExtrasError(std::vector<std::string>{"a"}), {}), GENERAL);
}

} // namespace
