#pragma once

#include <cstddef>

// Working areas start this large: any line of a format file (511 bytes) fits with room to spare
// for ordinary values, so most lines are expanded without touching the heap.
constexpr std::size_t AREA_INLINE_SIZE = 1024;
// Largest working area. A 511-byte line holds at most 102 non-empty placeholders, and 102 values
// of 1023 bytes stay below this; only values that bring further placeholders into the line can
// reach it, and what they could grow to has no bound otherwise.
constexpr std::size_t AREA_SIZE_LIMIT = 128 * 1024;

// Result of CGrowArea::Reserve for a size above AREA_SIZE_LIMIT.
constexpr int AREA_TOO_LARGE = -1;

// A zero-filled byte area for one text that starts inline and moves to a larger TxtAlloc'd block
// when an edit needs more room.
class CGrowArea {
public:
    CGrowArea() = default;
    ~CGrowArea();
    CGrowArea(const CGrowArea&) = delete;
    CGrowArea& operator=(const CGrowArea&) = delete;

    char* Text() { return m_pBlock != nullptr ? m_pBlock : m_szInline; }
    std::size_t Size() const { return m_nSize; }
    // Makes the area at least `size` bytes long, keeping its bytes and zero-filling the new ones.
    // 0; AREA_TOO_LARGE or TXT_ENOMEM with the area as it was.
    int Reserve(std::size_t size);

private:
    char m_szInline[AREA_INLINE_SIZE] = {};
    char* m_pBlock = nullptr;
    std::size_t m_nSize = AREA_INLINE_SIZE;
};
