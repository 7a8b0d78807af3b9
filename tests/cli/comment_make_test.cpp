#include "cli/comment_make.h"
#include "cli/exit_status.h"
#include "cli/options.h"
#include "cli/runs.h"
#include "header/messages.h"
#include "platform/settings_file.h"
#include "text/txt_alloc.h"
#include "tool_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

int g_nRequests = 0;
int g_nRefused = 0; // the request for memory (from 1) that is refused; 0 refuses none

const std::string FORMAT = "/*\n * <@FUNC@> <@TITLE@>\n<@IF ARG_1_NAME@>\n"
                           " * <@ARG_1_TYPE@> <@ARG_1_NAME@>: <@ARG_1_TEXT@>\n"
                           " * <@RET@> <@DEVELOPER@> <@DATE@>\n */\n";
// A format the comment above f reads back through: checking that reading asks for memory too.
const std::string FIXED = "// <@TITLE@>\n";
const std::string FILES[] = {"// fixed\nint f(int a, /* b */ int b)\n{\n}\n\nint g(void)\n{\n}\n",
                             "int h(void)\n{\n}\n"};

struct CMemoryRow {
    const char* m_pszName;
    CliMode m_eMode;
    const char* m_pszDeclaration; // printed, or a run over a.c (at its line 1) or both files
    CliTidy m_eTidy;
    const char* m_pszFormat;
};

// A run of the tool in-process, in a fresh folder and with the requests for memory counted: its
// status, standard error, and what it wrote (the comment, standard output and the files), the
// folder's path taken out.
std::tuple<int, std::string, std::string> RunCounted(const CMemoryRow& row) {
    const CToolDir dir;
    dir.Write("fmt.txt", FORMAT);
    dir.Write("fixed.txt", FIXED);
    dir.Write("a.c", FILES[0]);
    dir.Write("b.c", FILES[1]);
    CliOptions options;
    options.m_eMode = row.m_eMode;
    options.m_eTidy = row.m_eTidy;
    options.m_nLine = 1;
    options.m_vecFiles = {dir.Path("a.c"), dir.Path("b.c")};
    options.m_vecFiles.resize(row.m_eMode == CliMode::InsertLine ? 1 : 2);
    const CSettingsFile settings("/nonexistent/settings.ini");
    std::string comment;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    g_nRequests = 0;
    TxtSetAllocHook([](std::size_t) { return ++g_nRequests != g_nRefused; });
    const int status = row.m_eMode == CliMode::Print
                           ? CliMakeComment(options, settings, dir.Path(row.m_pszFormat),
                                            {row.m_pszDeclaration, ""}, comment)
                           : RunFiles(options, settings, dir.Path(row.m_pszFormat));
    TxtSetAllocHook(nullptr);
    const std::string written =
        comment + testing::internal::GetCapturedStdout() + dir.Read("a.c") + dir.Read("b.c");
    return {status, Replaced(testing::internal::GetCapturedStderr(), dir.Path("")),
            Replaced(written, dir.Path(""))};
}

// Each run once with every request for memory granted, then again with each request refused in
// turn: a refusal changes nothing the user sees, or it ends the run with the message of the step
// that ran out (naming the function's line; notes of what went before may come first) and its
// status, and the run writes nothing.
TEST(CommentMake, RunningOutOfMemoryAtAnyStepWritesNothing) {
    std::vector<std::pair<int, std::string>> failures;
    for (const char* format : {"fmt.txt", "fixed.txt"}) {
        failures.emplace_back(
            EXIT_FORMAT_FAULTY,
            Error(format + std::string(": フォーマットファイルを読み込めません。")));
    }
    for (const char* where : {"", "a.c:2: ", "a.c:6: ", "b.c:1: "}) {
        for (const char* message : {MSG_BUFFER_ERROR, MSG_NO_MEMORY}) {
            failures.emplace_back(EXIT_BUFFER, Error(where + std::string(message)));
        }
    }
    const CMemoryRow rows[] = {
        {"print", CliMode::Print, "int f(int a) /* x */", CliTidy::Off, "fmt.txt"},
        {"print tidily", CliMode::Print, "int f(int a /* x */)", CliTidy::On, "fmt.txt"},
        {"insert", CliMode::InsertLine, "", CliTidy::Off, "fmt.txt"},
        {"insert all", CliMode::InsertFiles, "", CliTidy::Off, "fmt.txt"},
        {"lint", CliMode::Lint, "", CliTidy::Off, "fixed.txt"},
    };
    for (const CMemoryRow& row : rows) {
        SCOPED_TRACE(row.m_pszName);
        g_nRefused = 0;
        const auto granted = RunCounted(row);
        const int count = g_nRequests;
        for (g_nRefused = 1; g_nRefused <= count; ++g_nRefused) {
            SCOPED_TRACE("request " + std::to_string(g_nRefused) + " of " + std::to_string(count));
            const auto seen = RunCounted(row);
            const auto& [status, err, written] = seen;
            if (status == std::get<0>(granted)) {
                EXPECT_EQ(seen, granted);
                continue;
            }
            // The run's last message is the step's.
            const std::string last = err.substr(err.rfind('\n', err.size() - 2) + 1);
            EXPECT_NE(std::find(failures.begin(), failures.end(), std::pair(status, last)),
                      failures.end())
                << status << " " << err;
            EXPECT_EQ(written, FILES[0] + FILES[1]);
        }
    }
}

} // namespace
