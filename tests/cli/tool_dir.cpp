#include "tool_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// veldane-header as user nobody can run it: a copy in a folder of its own that anyone may enter.
// The build tree may lie where only its owner can go, such as a clone in root's home folder.
class CSharedTool {
public:
    CSharedTool() : m_strDir(std::filesystem::temp_directory_path() / "veldane-tool.XXXXXX") {
        namespace fs = std::filesystem;
        if (mkdtemp(m_strDir.data()) == nullptr ||
            !fs::copy_file(VELDANE_HEADER_EXE, Path(), fs::copy_options::overwrite_existing)) {
            std::abort();
        }
        const fs::perms reach = fs::perms::owner_all | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec;
        fs::permissions(m_strDir, reach);
        fs::permissions(Path(), reach);
    }
    ~CSharedTool() { std::filesystem::remove_all(m_strDir); }
    CSharedTool(const CSharedTool&) = delete;
    CSharedTool& operator=(const CSharedTool&) = delete;

    std::string Path() const { return m_strDir + "/veldane-header"; }

private:
    std::string m_strDir;
};

// Made at the first run as nobody, removed when the tests end.
std::string SharedToolPath() {
    static const CSharedTool tool;
    return tool.Path();
}

} // namespace

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Without(std::string text, const std::string& part) {
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at)) {
        text.erase(at, part.size());
    }
    return text;
}

CToolDir::CToolDir() : m_strDir(std::filesystem::temp_directory_path() / "veldane-cli.XXXXXX") {
    if (mkdtemp(m_strDir.data()) == nullptr ||
        !std::filesystem::create_directory(m_strDir + "/ini")) {
        std::abort();
    }
    std::filesystem::permissions(m_strDir, std::filesystem::perms::all);
}

CToolDir::~CToolDir() {
    std::filesystem::remove_all(m_strDir);
}

void CToolDir::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
}

std::string CToolDir::Read(const std::string& name) const {
    return ReadBytes(Path(name));
}

Result CToolDir::Run(const std::vector<std::string>& args, const std::string& input,
                     const std::string& out, bool unprivileged, const std::string& in) const {
    Write(".stdin", input);
    std::string command = "cd '" + m_strDir + "' && exec ";
    if (unprivileged && geteuid() == 0) {
        // In a coverage build nobody cannot update the build's counters: they go where the
        // coverage run collects them, else here instead of into complaints on standard error.
        const char* const collected = std::getenv("VELDANE_GCOV_PREFIX");
        command += "env GCOV_PREFIX='" + (collected ? collected : m_strDir + "/.gcov") + "' ";
        command += "setpriv --reuid=65534 --regid=65534 --clear-groups '" + SharedToolPath() + "'";
    } else {
        command += "'" VELDANE_HEADER_EXE "'";
    }
    for (const std::string& arg : args) {
        EXPECT_EQ(arg.find('\''), std::string::npos); // quoted as is
        command += " '" + arg + "'";
    }
    const int status = std::system((command + " <" + in + " >" + out + " 2>.stderr").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(out),
            Without(Read(".stderr"), Path(""))};
}
