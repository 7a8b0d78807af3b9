#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

// A format file written once for a benchmark and removed when it ends; the expansion reads it
// from disk in every iteration, as the program does.
class CBenchFile {
public:
    CBenchFile(const std::string& name, const std::string& bytes)
        : m_path(std::filesystem::temp_directory_path() /
                 ("veldane-bench-" + std::to_string(::getpid()) + "-" + name)) {
        std::ofstream(m_path, std::ios::binary) << bytes;
    }
    ~CBenchFile() {
        std::error_code error;
        std::filesystem::remove(m_path, error);
    }
    CBenchFile(const CBenchFile&) = delete;
    CBenchFile& operator=(const CBenchFile&) = delete;

    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};
