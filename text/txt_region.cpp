#include "text/txt.h"
#include "text/txt_alloc.h"
#include "text/txt_find.h"

#include <cstring>

namespace {

struct CRegionScan {
    int m_nComplete; // regions that a close marker ended
    int m_nResult;   // 0 once a content byte was copied, -1 before
};

// The one walk over the regions of `text`, outside-in: outside a region the walk looks only for
// an open marker, so equal markers take turns; inside, it looks only for a close marker, which
// may begin at any byte of the content. With `index` >= 1 the content of that region goes to
// `out` and the walk ends at its close marker.
CRegionScan ScanRegions(const char* text, const char* open, const char* close, int index,
                        char* out) {
    CRegionScan scan{0, -1};
    const std::size_t openLength = std::strlen(open);
    const std::size_t closeLength = std::strlen(close);
    // An empty marker would match everywhere without moving the walk on.
    if (openLength == 0 || closeLength == 0) {
        return scan;
    }
    int region = 0;
    for (const char* start = TxtFindFrom(text, open, openLength); start != nullptr;) {
        ++region;
        const char* content = start + openLength;
        const char* end = TxtFindFrom(content, close, closeLength);
        if (region == index) {
            // An unterminated region's content runs to the end of the text.
            const auto length =
                static_cast<std::size_t>(end != nullptr ? end - content : std::strlen(content));
            if (length > 0) {
                std::memcpy(out, content, length);
                scan.m_nResult = 0;
            }
        }
        if (end == nullptr) {
            break;
        }
        ++scan.m_nComplete;
        if (region == index) {
            break;
        }
        start = TxtFindFrom(end + closeLength, open, openLength);
    }
    return scan;
}

// The first open marker of `text` when a close marker follows it, null otherwise. This is
// exactly when the text holds a complete region: a close marker after any later open marker
// would also close the first.
char* FirstCompleteRegion(char* text, const char* open, std::size_t openLength, const char* close,
                          std::size_t closeLength) {
    const char* start = TxtFindFrom(text, open, openLength);
    if (start == nullptr || TxtFindFrom(start + openLength, close, closeLength) == nullptr) {
        return nullptr;
    }
    return text + (start - text);
}

} // namespace

int TxtCountRegions(const char* text, const char* open, const char* close) {
    return ScanRegions(text, open, close, 0, nullptr).m_nComplete;
}

int TxtGetRegion(const char* text, int index, const char* open, const char* close, char* out) {
    // An index below 1 needs no test of its own: no region is numbered so.
    return ScanRegions(text, open, close, index, out).m_nResult;
}

int TxtRemoveRegions(char* text, const char* open, const char* close) {
    return TxtReplaceRegions(text, open, close, "");
}

int TxtReplaceRegions(char* text, const char* open, const char* close, const char* replacement) {
    const std::size_t openLength = std::strlen(open);
    const std::size_t closeLength = std::strlen(close);
    // An empty marker finds no region.
    if (openLength == 0 || closeLength == 0) {
        return 0;
    }
    // Every pass must shrink the text: that keeps the result in the caller's array and ends the
    // passes.
    if (std::strlen(replacement) >= openLength + closeLength) {
        return -1;
    }
    char* first = FirstCompleteRegion(text, open, openLength, close, closeLength);
    if (first == nullptr) {
        return 0;
    }
    // A region is part of the text and the text only shrinks from pass to pass, so an array of
    // the text's size holds any region text, however long.
    const std::size_t size = std::strlen(text) + 1;
    auto* region = static_cast<char*>(TxtAlloc(size));
    if (region == nullptr) {
        return -1;
    }
    int result = 0;
    while (first != nullptr) {
        // The first region's text (open marker, content, close marker) is the stretch of the
        // text from its open marker to the end of its close marker.
        const char* end = TxtFindFrom(first + openLength, close, closeLength) + closeLength;
        const auto regionLength = static_cast<std::size_t>(end - first);
        std::memcpy(region, first, regionLength);
        region[regionLength] = '\0';
        // Every copy of the first region's text goes at once, also copies inside other regions.
        // No copy begins before the first open marker, so the replacement starts there.
        if (TxtReplace(first, region, replacement) != 0) {
            result = -1;
            break;
        }
        // The text before the replaced region is unchanged and held no open marker, but its
        // last bytes may now begin one together with what took the region's place.
        const auto offset = static_cast<std::size_t>(first - text);
        char* from = text + (offset > openLength - 1 ? offset - (openLength - 1) : 0);
        first = FirstCompleteRegion(from, open, openLength, close, closeLength);
    }
    TxtFree(region);
    return result;
}
