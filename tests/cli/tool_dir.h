#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <vector>

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A fresh folder that veldane-header runs in, so that its ini/ folder is the test's own.
class CToolDir {
public:
    CToolDir() : m_strPath(std::filesystem::temp_directory_path() / "veldane-cli.XXXXXX") {
        if (mkdtemp(m_strPath.data()) == nullptr) {
            std::abort();
        }
    }
    ~CToolDir() {
        std::error_code error;
        std::filesystem::remove_all(m_strPath, error);
    }

    void Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path path = m_strPath + "/" + name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // The exit status (-1 when it did not exit normally), standard output and standard error.
    // Streams go through files, so that no pipe can fill up and stall either side; `out` may
    // name a device instead, such as /dev/full.
    std::tuple<int, std::string, std::string> Run(const std::vector<std::string>& args,
                                                  const std::string& input = "",
                                                  const std::string& out = ".stdout") const {
        Write(".stdin", input);
        std::string command = "cd '" + m_strPath + "' && exec '" VELDANE_HEADER_EXE "'";
        for (std::string arg : args) {
            for (auto at = arg.find('\''); at != std::string::npos; at = arg.find('\'', at + 4)) {
                arg.replace(at, 1, "'\\''");
            }
            command += " '" + arg + "'";
        }
        const int status = std::system((command + " <.stdin >" + out + " 2>.stderr").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(m_strPath + "/" + out),
                ReadFileBytes(m_strPath + "/.stderr")};
    }

private:
    std::string m_strPath;
};
