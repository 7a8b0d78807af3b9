#include "text/codepage.h"
#include "tool_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Every declaration below is written so that it is cleaned to the same text whether a removed
// comment or line break leaves nothing or one space: each break is followed by indentation and
// each comment has blanks around it.
const std::string FORMAT = "/*\n"
                           " * 関数: <@FUNC@>\n"
                           "<@IF ARG_1_NAME@>\n"
                           " * 引数: <@ARG_1_TYPE@> <@ARG_1_NAME@>\n"
                           "<@IF ARG_2_NAME@>\n"
                           " * 引数: <@ARG_2_TYPE@> <@ARG_2_NAME@>\n"
                           " */\n";

// The comment for f(int a, int b), each line indented and ended as given.
std::string Comment(const std::string& indent, const std::string& lineEnd) {
    std::string comment;
    for (const char* line : {"/*", " * 関数: f", " * 引数: int a", " * 引数: int b", " */"}) {
        comment += indent + line + lineEnd;
    }
    return comment;
}

// A fresh folder holding the format; Insert() runs --insert on a target there.
class CInsertDir : public CToolDir {
public:
    CInsertDir() { Write("fmt.txt", FORMAT); }
    Result Insert(const std::string& target, std::vector<std::string> more = {},
                  const std::string& out = ".stdout", bool unprivileged = false) const {
        more.insert(more.end(), {"-f", "fmt.txt", "--insert", target});
        return Run(more, "", out, unprivileged);
    }
};

// Runs --insert on a.c holding `file` in a fresh folder: the result, and a.c afterwards.
std::pair<Result, std::string> Insert(const std::string& file, const std::string& line,
                                      const std::vector<std::string>& more = {}) {
    const CInsertDir dir;
    dir.Write("a.c", file);
    const Result result = dir.Insert("a.c:" + line, more);
    return {result, dir.Read("a.c")};
}

const std::string CP932_HEAD = TxtUtf8ToCp932("// 合計\r\n");

// name, a.c, line, options before -f and --insert, a.c afterwards
const std::tuple<const char*, std::string, const char*, std::vector<std::string>, std::string>
    INSERT_ROWS[] = {
        {"Utf8Lf", "// 合計\nint g();\n\nint f(int a, int b);\n", "4", Args(),
         "// 合計\nint g();\n\n" + Comment("", "\n") + "int f(int a, int b);\n"},
        {"Cp932CrLfTabs", CP932_HEAD + "\r\n\tint f(int a, int b);\r\n", "3",
         Args("--encoding=cp932"),
         CP932_HEAD + "\r\n" + TxtUtf8ToCp932(Comment("\t", "\r\n")) + "\tint f(int a, int b);\r\n"},
        {"SeveralLinesWithComments",
         "    int f(int a, /* first; { */\n          int b) // last {\n    ;\n", "1", Args(),
         Comment("    ", "\n") +
             "    int f(int a, /* first; { */\n          int b) // last {\n    ;\n"},
        {"BraceOnTheNextLine", "int f(int a,\r\n      int b)\r\n{\r\n}\r\n", "1", Args(),
         Comment("", "\r\n") + "int f(int a,\r\n      int b)\r\n{\r\n}\r\n"},
        {"LastLineWithoutLineEnd", "int g();\r\nint f(int a, int b);", "2", Args(),
         "int g();\r\n" + Comment("", "\r\n") + "int f(int a, int b);"},
};

TEST(InsertRuns, PutTheCommentAboveTheLineAndLeaveEveryOtherByte) {
    for (const auto& [name, file, line, more, changed] : INSERT_ROWS) {
        EXPECT_EQ(Insert(file, line, more), std::make_pair(Result(0, "", ""), changed)) << name;
    }
}

const std::string NOT_UTF8 =
    "utf-8 の文字として正しくないバイトがあります。--encoding cp932 を指定してください。";
const std::string NO_FUNCTION = "この行はどの関数にも属していません（関数の宣言、本体、その上の"
                                "コメントの行を指定してください）。";

// name, a.c, options before -f and --insert, line, status, message
const std::tuple<const char*, std::string, std::vector<std::string>, const char*, int, std::string>
    REFUSAL_ROWS[] = {
        {"LinePastTheEnd", "int f();\n", Args(), "2", 9,
         "a.c: 2 行目がありません（ファイルは 1 行です）。"},
        {"LineFarPastTheEnd", "int f();\n", Args(), "99999999999999999999999", 9,
         "a.c: 18446744073709551615 行目がありません（ファイルは 1 行です）。"},
        {"NotUtf8", "int f();\n" + CP932_HEAD, Args(), "1", 8, "a.c:2: " + NOT_UTF8},
        {"NotCp932", "int f();\n뀀\n", Args("--encoding", "cp932"), "1", 8,
         "a.c:2: cp932 の文字として正しくないバイトがあります。--encoding utf-8 "
         "を指定してください。"},
        {"CutCharacterAtTheEnd", "int f();\n\xE5\x90", Args(), "1", 8, "a.c:2: " + NOT_UTF8},
        {"SyntaxError", "int a::b::f(int x);\n", Args(), "1", 3,
         "a.c:1: 入力された関数は文法エラーの為、解析できません。"},
        {"NoFunction", "int f;\n", Args(), "1", 9, "a.c:1: " + NO_FUNCTION},
        {"BlankLine", "\t\nint f();\n", Args(), "1", 9, "a.c:1: " + NO_FUNCTION},
        {"NeitherEncoding", "int f();\n\xE6\x80\n\x80\n", Args(), "1", 8,
         "a.c:3: utf-8 の文字としても cp932 の文字としても正しくないバイトがあります。"},

};

TEST(InsertRuns, RefusalsLeaveTheFileByteForByte) {
    for (const auto& [name, file, more, line, status, message] : REFUSAL_ROWS) {
        EXPECT_EQ(Insert(file, line, more),
                  std::make_pair(Result(status, "", "veldane-header: " + message + "\n"), file))
            << name;
    }
}

TEST(InsertRuns, FilesThatCannotBeReadAreNamed) {
    const CInsertDir dir;
    EXPECT_EQ(dir.Insert("nope.c:1"),
              Result(9, "", "veldane-header: nope.c: ファイルがありません。\n"));
    EXPECT_EQ(dir.Insert("ini:1"),
              Result(9, "", "veldane-header: ini: ファイルが通常のファイルではありません。\n"));
    // A regular file whose reading fails: the tool's own memory at address 0.
    EXPECT_EQ(dir.Insert("/proc/self/mem:1"),
              Result(9, "", "veldane-header: /proc/self/mem: ファイルを読み込めません。\n"));
}

// Permissions count only for an ordinary user; these runs are one even when the tests are root.
// In a shared folder (sticky, like /tmp) a file of root's that everyone may write can still not
// be replaced by anyone else: the temporary file is written and then removed again.
TEST(InsertRuns, UnreadableAndUnwritableFilesAreLeftAsTheyAre) {
    const CInsertDir dir;
    const std::string file = "int f(int a, int b);\n";
    fs::create_directory(dir.Path("locked"));
    fs::create_directory(dir.Path("shared"));
    for (const char* name : {"unreadable.c", "readonly.c", "locked/a.c", "shared/a.c"}) {
        dir.Write(name, file);
        fs::permissions(dir.Path(name), fs::perms::all);
    }
    fs::permissions(dir.Path("unreadable.c"), fs::perms::none);
    fs::permissions(dir.Path("readonly.c"), fs::perms::owner_read | fs::perms::others_read);
    fs::permissions(dir.Path("locked"),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(dir.Path("shared"), fs::perms::all | fs::perms::sticky_bit);
    const std::string unwritable = ": ファイルに書き込めません。ファイルは元のままです。";
    std::vector<std::pair<std::string, std::string>> rows = {
        {"unreadable.c", ": ファイルを読み込めません。"},
        {"readonly.c", unwritable},
        {"locked/a.c", unwritable},
    };
    if (geteuid() == 0) { // only a file of another user's shows it
        rows.emplace_back("shared/a.c", unwritable);
    }
    for (const auto& [name, message] : rows) {
        EXPECT_EQ(dir.Insert(name + ":1", {}, ".stdout", true),
                  Result(9, "", "veldane-header: " + name + message + "\n"));
        fs::permissions(dir.Path(name), fs::perms::owner_read, fs::perm_options::add);
        EXPECT_EQ(dir.Read(name), file) << name;
    }
    // No temporary file is left behind in a folder that could not take the new file.
    for (const char* folder : {"locked", "shared"}) {
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path(folder)), {}), 1) << folder;
    }
}

// The target of a link is written, and keeps its permissions, and its owner and group where the
// writer may give files away.
TEST(InsertRuns, WriteTheTargetOfALinkAndKeepItsPermissionsAndOwner) {
    const CInsertDir dir;
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::owner_exec;
    const bool root = geteuid() == 0;
    fs::create_directory(dir.Path("src"));
    dir.Write("src/a.c", "int f(int a, int b);\n");
    fs::permissions(dir.Path("src/a.c"), perms);
    ASSERT_TRUE(!root || chown(dir.Path("src/a.c").c_str(), 65534, 65534) == 0);
    fs::create_symlink("src/a.c", dir.Path("link.c"));
    EXPECT_EQ(dir.Insert("link.c:1"), Result(0, "", ""));
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.c")));
    EXPECT_EQ(dir.Read("src/a.c"), Comment("", "\n") + "int f(int a, int b);\n");
    EXPECT_EQ(fs::status(dir.Path("src/a.c")).permissions(), perms);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("src")), {}), 1);
    struct stat after {};
    ASSERT_EQ(stat(dir.Path("src/a.c").c_str(), &after), 0);
    EXPECT_TRUE(!root || (after.st_uid == 65534 && after.st_gid == 65534));
}

// As on standard output, an empty expansion writes nothing, and a diff that cannot be written
// is reported.
TEST(InsertRuns, EmptyCommentsAndUnwritableDiffs) {
    const CInsertDir dir;
    dir.Write("empty.txt", "<@IF RET_TEXT@>\nx\n");
    dir.Write("a.c", "int f(int a, int b);\n");
    EXPECT_EQ(dir.Run({"-f", "empty.txt", "--insert", "a.c:1"}), Result(0, "", ""));
    EXPECT_EQ(dir.Insert("a.c:1", {"--dry-run"}, "/dev/full"),
              Result(7, "", "veldane-header: 標準出力に書き込めません。\n"));
    EXPECT_EQ(dir.Read("a.c"), "int f(int a, int b);\n");
}

// The comment as diff shows it added.
const std::string ADDED = "+/*\n+ * 関数: f\n+ * 引数: int a\n+ * 引数: int b\n+ */\n";

// The comment goes after a byte order mark, which stays first in the file.
// file, target, diff, standard error
const std::tuple<std::string, const char*, std::string, std::string> DIFF_ROWS[] = {
    {"int f(int a, int b);", "a.c:1", "--- a.c\n+++ a.c\n@@ -1,1 +1,6 @@\n" + ADDED +
                                 " int f(int a, int b);\n\\ No newline at end of file\n",
     ""},
    // The comment's last line is the line above it once more: the context still places it.
    {"/*\n * notes\n */\nint f(int a, int b);\n", "a.c:4",
     "--- a.c\n+++ a.c\n@@ -1,4 +1,9 @@\n /*\n  * notes\n  */\n" + ADDED + " int f(int a, int b);\n",
     "veldane-header: a.c:4: 上のコメントはフォーマットファイルどおりではないので、そのままにして新し"
     "いコメントを挿入しました。\n"},
    {"\xEF\xBB\xBFint f(int a, int b);\nx\n", "a.c:1",
     "--- a.c\n+++ a.c\n@@ -1,2 +1,7 @@\n-\xEF\xBB\xBFint f(int a, int b);\n+\xEF\xBB\xBF/*\n" +
         ADDED.substr(4) + "+int f(int a, int b);\n x\n",
     ""},
};

// The diff is what patch turns into the file --insert writes.
TEST(InsertRuns, DryRunShowsTheChangeAsAUnifiedDiff) {
    for (const auto& [file, target, diff, err] : DIFF_ROWS) {
        const CInsertDir dir;
        dir.Write("a.c", file);
        EXPECT_EQ(dir.Insert(target, {"--dry-run"}), Result(0, diff, err)) << diff;
        EXPECT_EQ(dir.Read("a.c"), file);
        dir.Write("patch.diff", diff);
        EXPECT_EQ(std::system(("cd '" + dir.Path("") + "' && patch -s a.c patch.diff").c_str()), 0);
        const std::string patched = dir.Read("a.c");
        dir.Write("a.c", file);
        EXPECT_EQ(dir.Insert(target), Result(0, "", err));
        EXPECT_EQ(dir.Read("a.c"), patched) << diff;
    }
}

} // namespace
