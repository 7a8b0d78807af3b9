#pragma once

#include <string>
#include <string_view>
#include <vector>

// What one run of veldane-header gave back.
struct ToolResult {
    int m_nStatus; // exit status, or -1 when it did not exit normally
    std::string m_strOut;
    std::string m_strErr;
};

// A fresh temporary folder that the tool runs in (so that its ini/ folder is the test's own),
// removed with everything in it at the end of the test.
class CToolDir {
public:
    CToolDir();
    ~CToolDir();
    CToolDir(const CToolDir&) = delete;
    CToolDir& operator=(const CToolDir&) = delete;

    std::string Path(const std::string& name) const;
    // Writes `bytes` to the file `name` under the folder, making its folders as needed.
    std::string Write(const std::string& name, std::string_view bytes) const;

    // Runs the real veldane-header with `args` in this folder, `input` on its standard input.
    // `stdoutPath` replaces the captured standard output, for a device such as /dev/full.
    ToolResult Run(const std::vector<std::string>& args, std::string_view input = {},
                   const char* stdoutPath = nullptr) const;

private:
    std::string m_strPath;
};

std::string ReadFileBytes(const std::string& path);
