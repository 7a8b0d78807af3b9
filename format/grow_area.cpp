#include "format/grow_area.h"

#include "text/txt.h"
#include "text/txt_alloc.h"

#include <algorithm>
#include <cstring>

CGrowArea::~CGrowArea() {
    TxtFree(m_pBlock);
}

int CGrowArea::Reserve(std::size_t size) {
    if (size <= m_nSize) {
        return 0;
    }
    if (size > AREA_SIZE_LIMIT) {
        return AREA_TOO_LARGE;
    }
    // Doubling keeps a line that grows pass after pass from copying itself on every pass.
    const std::size_t newSize = std::max(size, std::min(2 * m_nSize, AREA_SIZE_LIMIT));
    auto* block = static_cast<char*>(TxtAlloc(newSize));
    if (block == nullptr) {
        return TXT_ENOMEM;
    }
    std::memcpy(block, Text(), m_nSize);
    std::memset(block + m_nSize, 0, newSize - m_nSize);
    TxtFree(m_pBlock);
    m_pBlock = block;
    m_nSize = newSize;
    return 0;
}
