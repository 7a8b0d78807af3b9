#pragma once

#include <cstddef>
#include <string_view>

// How a line of a format file marks its regions and conditions. The expansion and the format
// file check both read lines through these, so that a file the check passes expands as it says.

constexpr const char* EXPAND_OPEN = "<@";
constexpr const char* EXPAND_CLOSE = "@>";
constexpr std::size_t EXPAND_MARKER_LENGTH = 2;
constexpr const char* EXPAND_IF_PREFIX = "IF ";
constexpr const char* EXPAND_IFN_PREFIX = "IFN ";

// A region of a line, by offsets into the line: from an open marker to the first close marker
// after it, or to the end of the line when none follows (an unclosed rest).
struct CFormatRegion {
    std::size_t m_nOpen;      // where the open marker starts
    std::size_t m_nKey;       // where the key text starts, right behind the open marker
    std::size_t m_nKeyLength; // bytes of key text, up to the close marker or the line's end
    bool m_bClosed;           // false for an unclosed rest
};

// Finds the first open marker at or after byte `from` of `line` and the region it starts.
// Regions do not nest: a further open marker inside one is key text. True with `region` set;
// false (`region` untouched) when no open marker stands there.
bool FormatNextRegion(std::string_view line, std::size_t from, CFormatRegion& region);

// Offset of the byte behind a closed region's close marker, where the search for the next
// region goes on.
inline std::size_t FormatRegionEnd(const CFormatRegion& region) {
    return region.m_nKey + region.m_nKeyLength + EXPAND_MARKER_LENGTH;
}

// What a region is, by the first bytes of its key text.
enum class RegionKind { Placeholder, If, IfNot };

// The kind of the key text at `key`, `length` bytes long. For a condition the prefix is removed
// wherever it occurs in the text, not only at its start, and `length` becomes that of the key it
// is looked up under. Each removal is taken from the text as it was, so bytes that meet where a
// prefix went are not read as a prefix again. The bytes up to the old length behind the key are
// cleared. Needs no memory; a placeholder's text is left as it is.
RegionKind FormatReadKey(char* key, std::size_t& length);
