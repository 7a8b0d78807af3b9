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
#include <functional>

namespace {

int g_nRequests = 0;
int g_nRefused = 0; // the request for memory (from 1) that is refused; 0 refuses none

bool Answer(std::size_t) {
    return ++g_nRequests != g_nRefused;
}

// What a run leaves for the user: its status, standard error, and what it wrote (the comment,
// or standard output and the files).
using Seen = std::tuple<int, std::string, std::string>;

const std::string FORMAT = "/*\n * <@FUNC@> <@TITLE@>\n<@IF ARG_1_NAME@>\n"
                           " * <@ARG_1_TYPE@> <@ARG_1_NAME@>: <@ARG_1_TEXT@>\n"
                           " * <@RET@> <@DEVELOPER@> <@DATE@>\n */\n";
// A format without placeholders, so that reading its comment back takes no memory of its own.
const std::string FIXED = "// fixed\n";
const std::string A_C = FIXED + "int f(int a, /* b */ int b)\n{\n}\n\nint g(void)\n{\n}\n";
const std::string B_C = "int h(void)\n{\n}\n";
const std::string NOTHING = "nothing"; // the comment before it is made

// The files of a run in a fresh folder, and the runs in-process, so that the requests for memory
// can be refused.
class CMemoryRuns : public CToolDir {
public:
    CMemoryRuns() {
        Write("fmt.txt", FORMAT);
        Write("fixed.txt", FIXED);
        Write("a.c", A_C);
        Write("b.c", B_C);
    }
    // A run over a.c (at its line 1) or over both files.
    Seen Files(CliMode mode, const char* format = "fmt.txt") const {
        CliOptions options;
        options.m_eMode = mode;
        options.m_vecFiles = {Path("a.c")};
        if (mode != CliMode::InsertLine) {
            options.m_vecFiles.push_back(Path("b.c"));
        }
        options.m_nLine = 1;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = RunFiles(options, m_settings, Path(format));
        const std::string out = testing::internal::GetCapturedStdout();
        return {status, testing::internal::GetCapturedStderr(), out + Read("a.c") + Read("b.c")};
    }
    Seen Print(const char* declaration, CliTidy tidy = CliTidy::Off) const {
        CliOptions options;
        options.m_eTidy = tidy;
        std::string comment = NOTHING;
        testing::internal::CaptureStderr();
        const int status =
            CliMakeComment(options, m_settings, Path("fmt.txt"), {declaration, ""}, comment);
        return {status, testing::internal::GetCapturedStderr(), comment};
    }

private:
    const CSettingsFile m_settings{"/nonexistent/settings.ini"};
};

// Runs `run` in a fresh folder with the requests counted; the folder's path is taken out of
// what it says and writes.
Seen RunCounted(const std::function<Seen(const CMemoryRuns&)>& run) {
    const CMemoryRuns dir;
    g_nRequests = 0;
    TxtSetAllocHook(&Answer);
    auto [status, err, written] = run(dir);
    TxtSetAllocHook(nullptr);
    for (std::string* text : {&err, &written}) {
        for (std::size_t at = text->find(dir.Path("")); at != std::string::npos;
             at = text->find(dir.Path(""))) {
            text->erase(at, dir.Path("").size());
        }
    }
    return {status, err, written};
}

std::string Error(const std::string& message) {
    return "veldane-header: " + message + "\n";
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
    const std::string files = A_C + B_C;
    const struct {
        const char* m_pszName;
        std::function<Seen(const CMemoryRuns&)> m_run;
        const std::string& m_strNothing; // what the run wrote when it wrote nothing
    } rows[] = {
        {"print", [](const CMemoryRuns& dir) { return dir.Print("int f(int a) /* x */"); },
         NOTHING},
        {"print tidily",
         [](const CMemoryRuns& dir) { return dir.Print("int f(int a /* x */)", CliTidy::On); },
         NOTHING},
        {"insert", [](const CMemoryRuns& dir) { return dir.Files(CliMode::InsertLine); }, files},
        {"insert all", [](const CMemoryRuns& dir) { return dir.Files(CliMode::InsertFiles); },
         files},
        {"lint", [](const CMemoryRuns& dir) { return dir.Files(CliMode::Lint, "fixed.txt"); },
         files},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.m_pszName);
        g_nRefused = 0;
        const Seen granted = RunCounted(row.m_run);
        const int count = g_nRequests;
        for (g_nRefused = 1; g_nRefused <= count; ++g_nRefused) {
            SCOPED_TRACE("request " + std::to_string(g_nRefused) + " of " + std::to_string(count));
            const auto [status, err, written] = RunCounted(row.m_run);
            if (status == std::get<0>(granted)) {
                EXPECT_EQ(Seen(status, err, written), granted);
            } else {
                const bool bEnded = std::any_of(failures.begin(), failures.end(), [&](auto& fail) {
                    return fail.first == status && err.size() >= fail.second.size() &&
                           err.substr(err.size() - fail.second.size()) == fail.second;
                });
                EXPECT_TRUE(bEnded) << status << " " << err;
                EXPECT_EQ(written, row.m_strNothing);
            }
        }
    }
}

} // namespace
