#include "tool_dir.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

CToolDir::CToolDir() {
    std::string pattern = (fs::temp_directory_path() / "veldane-header-test.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    m_strPath = pattern;
}

CToolDir::~CToolDir() {
    std::error_code error;
    fs::remove_all(m_strPath, error);
}

std::string CToolDir::Path(const std::string& name) const {
    return m_strPath + "/" + name;
}

std::string CToolDir::Write(const std::string& name, std::string_view bytes) const {
    const std::string path = Path(name);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
    return path;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

ToolResult CToolDir::Run(const std::vector<std::string>& args, std::string_view input,
                         const char* stdoutPath) const {
    // Standard streams go through files, so that no pipe can fill up and stall either side.
    const std::string inPath = Write(".stdin", input);
    const std::string outPath = stdoutPath != nullptr ? stdoutPath : Path(".stdout");
    const std::string errPath = Path(".stderr");
    std::vector<char*> argv;
    std::string exe = VELDANE_HEADER_EXE;
    argv.push_back(exe.data());
    std::vector<std::string> copies(args);
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int in = open(inPath.c_str(), O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || chdir(m_strPath.c_str()) != 0 || dup2(in, 0) < 0 ||
            dup2(out, 1) < 0 || dup2(err, 2) < 0) {
            _exit(127);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ToolResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, {}, ReadFileBytes(errPath)};
    if (stdoutPath == nullptr) {
        result.m_strOut = ReadFileBytes(outPath);
    }
    return result;
}
