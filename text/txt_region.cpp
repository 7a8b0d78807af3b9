#include "text/txt.h"
#include "text/txt_alloc.h"

#include <cstdio>
#include <cstring>

namespace {

struct CRegionScan {
    int m_nComplete; // regions that a close marker ended
    int m_nResult;   // 0 once a content byte was copied, -1 before
};

// The one walk over the regions of `text`, outside-in: an open marker is looked for first, so
// equal markers take turns; inside a region the walk moves byte by byte, so a close marker may
// begin anywhere in the content. With `index` >= 1 the content of that region goes to `out`
// and the walk ends at its close marker.
CRegionScan ScanRegions(const char* text, const char* open, const char* close, int index,
                        char* out) {
    CRegionScan scan{0, -1};
    const std::size_t openLength = std::strlen(open);
    const std::size_t closeLength = std::strlen(close);
    // An empty marker would match everywhere without moving the walk on.
    if (openLength == 0 || closeLength == 0) {
        return scan;
    }
    bool inside = false;
    int region = 0;
    const char* at = text;
    while (*at != '\0') {
        if (!inside && std::strncmp(at, open, openLength) == 0) {
            inside = true;
            ++region;
            at += openLength;
        } else if (inside && std::strncmp(at, close, closeLength) == 0) {
            inside = false;
            ++scan.m_nComplete;
            at += closeLength;
            if (region == index) {
                break;
            }
        } else {
            if (inside && region == index) {
                *out++ = *at;
                scan.m_nResult = 0;
            }
            ++at;
        }
    }
    return scan;
}

} // namespace

int TxtCountRegions(const char* text, const char* open, const char* close) {
    return ScanRegions(text, open, close, 0, nullptr).m_nComplete;
}

int TxtGetRegion(const char* text, int index, const char* open, const char* close, char* out) {
    if (index < 1) {
        return -1;
    }
    return ScanRegions(text, open, close, index, out).m_nResult;
}

int TxtRemoveRegions(char* text, const char* open, const char* close) {
    if (TxtCountRegions(text, open, close) == 0) {
        return 0;
    }
    // A region is part of the text and the text only shrinks from pass to pass, so two arrays
    // of the text's size hold any content and any region text, however long.
    const std::size_t size = std::strlen(text) + 1;
    auto* block = static_cast<char*>(TxtAlloc(2 * size));
    if (block == nullptr) {
        return -1;
    }
    char* content = block;
    char* region = block + size;
    int result = 0;
    do {
        // An empty region leaves the content empty, which is what it should be.
        std::memset(content, 0, size);
        (void)TxtGetRegion(text, 1, open, close, content);
        std::memset(region, 0, size);
        std::snprintf(region, size, "%s%s%s", open, content, close);
        // Every copy of the first region's text goes at once, also copies inside other regions.
        if (TxtRemove(text, region) != 0) {
            result = -1;
            break;
        }
    } while (TxtCountRegions(text, open, close) > 0);
    TxtFree(block);
    return result;
}
