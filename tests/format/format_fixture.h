#pragma once

#include "format/field_list.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// Lets the first `allowed` allocations through and refuses the later ones while in scope.
class CAllocFailure {
public:
    explicit CAllocFailure(int allowed) {
        s_nAllowed = allowed;
        TxtSetAllocHook([](std::size_t size) {
            s_nLastSize = size;
            return s_nAllowed-- > 0;
        });
    }
    ~CAllocFailure() { TxtSetAllocHook(nullptr); }
    CAllocFailure(const CAllocFailure&) = delete;
    CAllocFailure& operator=(const CAllocFailure&) = delete;

    // Size of the allocation asked for last.
    static inline std::size_t s_nLastSize = 0;

private:
    static inline int s_nAllowed = 0;
};

inline std::string Repeat(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        out += text;
    }
    return out;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Fields every expansion test shares (NONE names no field), and a fresh directory per test.
class CExpandTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("veldane-format-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_dir);
        for (const auto& [name, value] : FIELDS) {
            ASSERT_EQ(m_list.AddField(name, value), 0) << name;
        }
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Write(const std::string& bytes) {
        std::ofstream(m_dir / "format.txt", std::ios::binary) << bytes;
        return (m_dir / "format.txt").string();
    }
    // Expands `bytes` as a format file; the output starts filled with '#' to show what is kept.
    std::string ExpandBytes(const std::string& bytes, int expected = 0) {
        const std::string path = Write(bytes);
        m_output.assign(EXPAND_OUTPUT_SIZE, '#');
        EXPECT_EQ(m_list.ExpandFile(path.c_str(), m_output.data()), expected);
        return m_output.c_str();
    }

    static constexpr std::pair<const char*, const char*> FIELDS[] = {
        {"FUNC", "GetCount"}, {"CLASS", "CList"},   {"BLANK", ""},
        {"MULTI", "a\nb"},    {"NEST", "<@FUNC@>"}, {"OPENER", "<@"},
    };
    CFieldList m_list;
    std::filesystem::path m_dir;
    std::string m_output;
};
