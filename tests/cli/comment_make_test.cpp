#include "cli/comment_make.h"
#include "cli/exit_status.h"
#include "cli/options.h"
#include "format/format_read.h"
#include "platform/settings_file.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Running out of memory at each step is told as the window tells it, and names the line.
TEST(CommentMake, NoMemoryAtEachStepEndsTheRunWithItsMessage) {
    const std::string format = std::filesystem::temp_directory_path() / "veldane-comment-make.txt";
    std::ofstream(format) << "<@FUNC@>\n";
    const struct {
        const char* m_pszName;
        const char* m_pszDeclaration;
        TxtAllocHook m_pHook;
        int m_nStatus;
        std::string m_strMessage;
    } rows[] = {
        {"cleaning a comment", "int f(int a) /* x */", [](std::size_t) { return false; },
         EXIT_BUFFER, "a.c:1: バッファエラー発生の為、コピーできません。"},
        {"analysing", "int f(int a)", [](std::size_t) { return false; }, EXIT_BUFFER,
         "a.c:1: メモリ不足エラーです。"},
        {"reading the format file", "int f(int a)",
         [](std::size_t size) { return size != FORMAT_READ_LIMIT; }, EXIT_FORMAT_FAULTY,
         format + ": フォーマットファイルを読み込めません。"},
    };
    const CliOptions options;
    const CSettingsFile settings("/nonexistent/settings.ini");
    for (const auto& row : rows) {
        std::string comment = "untouched";
        testing::internal::CaptureStderr();
        TxtSetAllocHook(row.m_pHook);
        const int status = CliMakeComment(options, settings, format,
                                          {row.m_pszDeclaration, "a.c:1: "}, comment);
        TxtSetAllocHook(nullptr);
        EXPECT_EQ(status, row.m_nStatus) << row.m_pszName;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "veldane-header: " + row.m_strMessage + "\n")
            << row.m_pszName;
        EXPECT_EQ(comment, "untouched") << row.m_pszName;
    }
    std::filesystem::remove(format);
}

} // namespace
