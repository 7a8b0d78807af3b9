#include "format/format_regions.h"

#include <cstring>

namespace {

constexpr std::string_view OPEN = EXPAND_OPEN;
constexpr std::string_view CLOSE = EXPAND_CLOSE;
constexpr std::string_view IF_PREFIX = EXPAND_IF_PREFIX;
constexpr std::string_view IFN_PREFIX = EXPAND_IFN_PREFIX;
static_assert(OPEN.size() == EXPAND_MARKER_LENGTH && CLOSE.size() == EXPAND_MARKER_LENGTH);

// Removes every leftmost non-overlapping copy of `prefix` from the `length` bytes at `text`,
// moving the rest forward in place; the new length.
std::size_t RemoveEvery(char* text, std::size_t length, std::string_view prefix) {
    const std::string_view original(text, length);
    std::size_t out = 0;
    std::size_t in = 0;
    // Writing never overtakes reading, so the search still sees the text as it was.
    for (std::size_t hit = original.find(prefix); hit != std::string_view::npos;
         hit = original.find(prefix, in)) {
        std::memmove(text + out, text + in, hit - in);
        out += hit - in;
        in = hit + prefix.size();
    }
    std::memmove(text + out, text + in, length - in);
    out += length - in;
    std::memset(text + out, 0, length - out);
    return out;
}

} // namespace

bool FormatNextRegion(std::string_view line, std::size_t from, CFormatRegion& region) {
    const std::size_t open = line.find(OPEN, from);
    if (open == std::string_view::npos) {
        return false;
    }
    const std::size_t key = open + OPEN.size();
    const std::size_t close = line.find(CLOSE, key);
    region.m_nOpen = open;
    region.m_nKey = key;
    region.m_bClosed = close != std::string_view::npos;
    region.m_nKeyLength = (region.m_bClosed ? close : line.size()) - key;
    return true;
}

RegionKind FormatReadKey(char* key, std::size_t& length) {
    const std::string_view text(key, length);
    if (text.substr(0, IF_PREFIX.size()) == IF_PREFIX) {
        length = RemoveEvery(key, length, IF_PREFIX);
        return RegionKind::If;
    }
    if (text.substr(0, IFN_PREFIX.size()) == IFN_PREFIX) {
        length = RemoveEvery(key, length, IFN_PREFIX);
        return RegionKind::IfNot;
    }
    return RegionKind::Placeholder;
}
