#pragma once

#include "row_file.h"

#include <string>
#include <tuple>
#include <vector>

using Result = std::tuple<int, std::string, std::string>; // status, standard output and error

// A fresh folder to run veldane-header in, so that its ini/ folder is the test's own; removed
// with the object.
class CToolDir {
public:
    CToolDir();
    ~CToolDir();
    CToolDir(const CToolDir&) = delete;
    CToolDir& operator=(const CToolDir&) = delete;

    std::string Path(const std::string& name) const { return m_strDir + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

    // Runs the tool here with `input` on standard input. Streams go through files, so that no
    // pipe can stall either side; `out` may be a device such as /dev/full, and `in` a file that
    // cannot be read, such as a folder, instead of `input`. `unprivileged` runs it as nobody when
    // the tests run as root, so that file permissions count. The folder's path is taken out of
    // both outputs, so that a file here reads as it is named from here.
    Result Run(const std::vector<std::string>& args, const std::string& input = "",
               const std::string& out = ".stdout", bool unprivileged = false,
               const std::string& in = ".stdin") const;

private:
    std::string m_strDir;
};

// `text` with every `part` replaced by `by`.
std::string Replaced(std::string text, const std::string& part, const std::string& by = "");
// A message of the tool's on standard error.
inline std::string Error(const std::string& message) {
    return "veldane-header: " + message + "\n";
}
