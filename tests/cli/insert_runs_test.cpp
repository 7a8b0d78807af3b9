#include "tool_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string FILE = "int f(int a, int b);\n";

// In a shared folder (sticky, like /tmp) a file of root's that everyone may write can still not
// be replaced by anyone else: the temporary file is written and then removed again. Only a file
// of another user's shows it, so the run is nobody's and the file root's.
TEST(InsertRuns, FileOfAnotherUserInASharedFolderIsLeftAsItIs) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can give the file to another user";
    }
    const CToolDir dir;
    dir.Write("fmt.txt", "// <@FUNC@>\n");
    fs::create_directory(dir.Path("shared"));
    dir.Write("shared/a.c", FILE);
    fs::permissions(dir.Path("shared/a.c"), fs::perms::all);
    fs::permissions(dir.Path("shared"), fs::perms::all | fs::perms::sticky_bit);
    EXPECT_EQ(
        dir.Run({"-f", "fmt.txt", "--insert", "shared/a.c:1"}, "", ".stdout", true),
        Result(9, "", Error("shared/a.c: ファイルに書き込めません。ファイルは元のままです。")));
    EXPECT_EQ(dir.Read("shared/a.c"), FILE);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("shared")), {}), 1);
}

// The target of a link is written, and keeps its permissions, and its owner and group where the
// writer may give files away.
TEST(InsertRuns, WriteTheTargetOfALinkAndKeepItsPermissionsAndOwner) {
    const CToolDir dir;
    dir.Write("fmt.txt", "// <@FUNC@>\n");
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::owner_exec;
    const bool root = geteuid() == 0;
    fs::create_directory(dir.Path("src"));
    dir.Write("src/a.c", FILE);
    fs::permissions(dir.Path("src/a.c"), perms);
    ASSERT_TRUE(!root || chown(dir.Path("src/a.c").c_str(), 65534, 65534) == 0);
    fs::create_symlink("src/a.c", dir.Path("link.c"));
    EXPECT_EQ(dir.Run({"-f", "fmt.txt", "--insert", "link.c:1"}), Result(0, "", ""));
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.c")));
    EXPECT_EQ(dir.Read("src/a.c"), "// f\n" + FILE);
    EXPECT_EQ(fs::status(dir.Path("src/a.c")).permissions(), perms);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("src")), {}), 1);
    struct stat after {};
    ASSERT_EQ(stat(dir.Path("src/a.c").c_str(), &after), 0);
    EXPECT_TRUE(!root || (after.st_uid == 65534 && after.st_gid == 65534));
}

} // namespace
