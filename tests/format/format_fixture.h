#pragma once

#include "format/field_list.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// Refuses, while in scope, every allocation whose size lies in [min, max].
class CRefuseAllocs {
public:
    CRefuseAllocs(std::size_t min, std::size_t max) {
        s_nMin = min;
        s_nMax = max;
        TxtSetAllocHook([](std::size_t size) { return size < s_nMin || size > s_nMax; });
    }
    ~CRefuseAllocs() { TxtSetAllocHook(nullptr); }
    CRefuseAllocs(const CRefuseAllocs&) = delete;
    CRefuseAllocs& operator=(const CRefuseAllocs&) = delete;

private:
    static inline std::size_t s_nMin = 0;
    static inline std::size_t s_nMax = 0;
};

// A fresh directory per test, removed afterwards.
class CTempDir {
public:
    CTempDir() {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 (std::string("veldane-format-") + info->name() + "-" +
                  std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_path);
    }
    ~CTempDir() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    std::string Path(const char* name) const { return (m_path / name).string(); }
    std::string Write(const char* name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Fields every expansion test shares; NONE names no field.
class CExpandTest : public testing::Test {
protected:
    void SetUp() override {
        for (const auto& [name, value] : FIELDS) {
            ASSERT_EQ(m_list.AddField(name, value), 0) << name;
        }
    }
    // Expands `bytes` as a format file; the output starts filled with '#' to show what is kept.
    std::string ExpandBytes(const std::string& bytes, int* result = nullptr) {
        const std::string path = m_dir.Write("format.txt", bytes);
        m_output.assign(EXPAND_OUTPUT_SIZE, '#');
        const int got = m_list.ExpandFile(path.c_str(), m_output.data());
        if (result != nullptr) {
            *result = got;
        }
        return m_output.c_str();
    }

    static constexpr std::pair<const char*, const char*> FIELDS[] = {
        {"FUNC", "GetCount"}, {"CLASS", "CList"},   {"BLANK", ""},
        {"MULTI", "a\nb"},    {"NEST", "<@FUNC@>"}, {"OPENER", "<@"},
    };
    CFieldList m_list;
    CTempDir m_dir;
    std::string m_output;
};
