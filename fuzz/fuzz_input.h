#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads a fuzzer's bytes as single bytes and NUL-ended strings, then the rest. The interfaces
// under test take C strings, which end at a NUL anyway, so NUL is the natural separator and the
// seed files stay readable. Past the end every read gives 0 or the empty string.
class CFuzzInput {
public:
    CFuzzInput(const std::uint8_t* data, std::size_t size) : m_pData(data), m_nSize(size) {}

    bool AtEnd() const { return m_nPos >= m_nSize; }

    unsigned char TakeByte() { return AtEnd() ? 0 : m_pData[m_nPos++]; }

    // The bytes up to the next NUL, which is consumed, or up to the end.
    std::string TakeCString() {
        std::string text;
        while (!AtEnd()) {
            const char byte = static_cast<char>(m_pData[m_nPos++]);
            if (byte == '\0') {
                break;
            }
            text += byte;
        }
        return text;
    }

    // Everything not read yet, NUL bytes included.
    std::string TakeRest() {
        if (AtEnd()) {
            return {};
        }
        std::string rest(reinterpret_cast<const char*>(m_pData + m_nPos), m_nSize - m_nPos);
        m_nPos = m_nSize;
        return rest;
    }

private:
    const std::uint8_t* m_pData;
    std::size_t m_nSize;
    std::size_t m_nPos = 0;
};
