#include "tool_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

std::string Replaced(std::string text, const std::string& part, const std::string& by) {
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + by.size())) {
        text.replace(at, part.size(), by);
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

namespace {

// veldane-header as user nobody can run it: a copy in a folder that anyone may enter, made at the
// first run as nobody and removed when the tests end. The build tree may lie where only its owner
// can go, such as a clone in root's home folder.
std::string SharedToolPath() {
    static const CToolDir shared;
    static const std::string path = [] {
        const std::string copy = shared.Path("veldane-header");
        std::filesystem::copy_file(VELDANE_HEADER_EXE, copy);
        std::filesystem::permissions(copy, std::filesystem::perms::all);
        return copy;
    }();
    return path;
}

} // namespace

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
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Replaced(Read(out), Path("")),
            Replaced(Read(".stderr"), Path(""))};
}
