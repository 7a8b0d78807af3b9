#include "tool_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string FILE = "int f(int a, int b);\n";

// A fresh folder holding a format; Insert() runs --insert on a target there.
class CInsertDir : public CToolDir {
public:
    CInsertDir() { Write("fmt.txt", "// <@FUNC@>\n"); }
    Result Insert(const std::string& target, bool unprivileged = false) const {
        return Run({"-f", "fmt.txt", "--insert", target}, "", ".stdout", unprivileged);
    }
};

// Permissions count only for an ordinary user; these runs are one even when the tests are root.
// In a shared folder (sticky, like /tmp) a file of root's that everyone may write can still not
// be replaced by anyone else: the temporary file is written and then removed again.
TEST(InsertRuns, UnreadableAndUnwritableFilesAreLeftAsTheyAre) {
    const CInsertDir dir;
    fs::create_directory(dir.Path("locked"));
    fs::create_directory(dir.Path("shared"));
    for (const char* name : {"unreadable.c", "readonly.c", "locked/a.c", "shared/a.c"}) {
        dir.Write(name, FILE);
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
        EXPECT_EQ(dir.Insert(name + ":1", true),
                  Result(9, "", "veldane-header: " + name + message + "\n"));
        fs::permissions(dir.Path(name), fs::perms::owner_read, fs::perm_options::add);
        EXPECT_EQ(dir.Read(name), FILE) << name;
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
    dir.Write("src/a.c", FILE);
    fs::permissions(dir.Path("src/a.c"), perms);
    ASSERT_TRUE(!root || chown(dir.Path("src/a.c").c_str(), 65534, 65534) == 0);
    fs::create_symlink("src/a.c", dir.Path("link.c"));
    EXPECT_EQ(dir.Insert("link.c:1"), Result(0, "", ""));
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.c")));
    EXPECT_EQ(dir.Read("src/a.c"), "// f\n" + FILE);
    EXPECT_EQ(fs::status(dir.Path("src/a.c")).permissions(), perms);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path("src")), {}), 1);
    struct stat after {};
    ASSERT_EQ(stat(dir.Path("src/a.c").c_str(), &after), 0);
    EXPECT_TRUE(!root || (after.st_uid == 65534 && after.st_gid == 65534));
}

} // namespace
