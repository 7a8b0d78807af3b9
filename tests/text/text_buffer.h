#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

// A zero-filled caller array holding one text, as every caller of the toolkit passes it.
struct CTextBuffer {
    // Room for every example text here, with space to grow for replacements.
    static constexpr std::size_t SIZE = 128;
    std::array<char, SIZE> m_szText{};

    explicit CTextBuffer(const std::string& text) {
        std::memcpy(m_szText.data(), text.data(), std::min(text.size(), SIZE - 1));
    }
    char* Data() { return m_szText.data(); }
    std::string Text() const { return m_szText.data(); }
    // True when nothing but zeros follows the text: a shortened result leaves no old bytes.
    bool ZeroAfterText() const {
        return std::all_of(m_szText.begin() + std::strlen(m_szText.data()), m_szText.end(),
                           [](char byte) { return byte == '\0'; });
    }
};

// A named example: an input and what should come of it.
struct CTextRow {
    const char* name;
    std::string text;
    std::string expected;
};

// Runs `check` on every row, naming the row in any failure.
template <typename Row, std::size_t N, typename Check>
void ForEachRow(const Row (&rows)[N], Check check) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        check(row);
    }
}
