#include "format/expand_line.h"
#include "format/grow_area.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>

// The pass-by-pass expansion rewrites the rest of the line on every pass, so a 511-byte line of
// a hundred placeholders with long values costs a hundred rewrites of a line that grows to tens
// of kilobytes. Most lines give the same text as a single left-to-right fill, though: every pass
// takes the leftmost region not yet handled, and fills every later copy of it, exactly where
// the line holds them. That holds as long as no pass can find an open marker the line did not
// have. Open markers come from nowhere else than:
// - a value holding "<@";
// - a '<' and an '@' that meet where a region was, such as a '<' before a region and a value, or
//   the text after the region, that begins with '@';
// - a key holding '<' or '@', which lets a marker overlap the region's own.
// This scan checks for each and leaves such lines to the passes. A close marker that a value or
// a meeting brings in changes nothing: a pass looks for a close marker only from the first open
// marker on, and once the checks hold, every open marker left is that of a region not yet
// filled, whose key (line bytes without '@') reaches its own close marker first, or the unclosed
// one behind every region and value. The scan also leaves the passes a line past the edit
// budget, which they would cut short; the budget is followed pass by pass, as they follow it.

namespace {

// Longest line taken this way: a line as read holds at most 511 bytes; a longer one, which only
// a direct ExpandLine call can pass, goes pass by pass.
constexpr std::size_t DIRECT_LINE_LIMIT = 511;
// Complete regions such a line can hold: each takes at least 4 bytes ("<@@>").
constexpr int DIRECT_REGION_LIMIT = DIRECT_LINE_LIMIT / 4;
// Room for a key or an unclosed rest of such a line and its terminator.
constexpr std::size_t DIRECT_KEY_SIZE = DIRECT_LINE_LIMIT + 1;
// Slots of the table that finds the earlier region with the same key: a power of two with room
// for every region of a line, so that probing always ends at a free slot.
constexpr std::size_t DIRECT_KEY_SLOTS = 256;
static_assert(DIRECT_KEY_SLOTS > DIRECT_REGION_LIMIT);
// A placeholder with a value has a key of at least one byte, so such a line is filled to far
// less than the largest working area: the passes would fill it whole as well.
constexpr std::size_t DIRECT_FILLED_LIMIT =
    DIRECT_LINE_LIMIT / (2 * EXPAND_MARKER_LENGTH + 1) * (FIELD_TEXT_SIZE - 1) + DIRECT_LINE_LIMIT;
static_assert(DIRECT_FILLED_LIMIT + 1 <= AREA_SIZE_LIMIT);

struct CDirectRegion {
    // Offsets of the open marker and of the byte after the close marker.
    std::size_t m_nStart;
    std::size_t m_nEnd;
    // The first region with the same key: the pass that takes it fills this one too.
    int m_nFirst;
    // For the first region of a key: how many regions have that key.
    std::size_t m_nCopies;
    std::size_t m_nHash;
    // For the first region of a key: what the fill puts there.
    CValueFacts m_value;
};

// The regions of one line, found the way the region scan finds them.
struct CDirectLine {
    CDirectRegion m_aRegions[DIRECT_REGION_LIMIT];
    int m_nRegions = 0;
    // The first region of each key, by the key's hash; -1 where free.
    int m_aFirstByKey[DIRECT_KEY_SLOTS];
    // The open marker that no close marker follows, or null.
    const char* m_pUnclosed = nullptr;
};

// Follows the last byte of the filled line as it is put together, to see whether two pieces
// meet in a marker.
class CJoinCheck {
public:
    // False when `piece` would make an open marker with the byte before it.
    bool Add(const char* piece, std::size_t length) {
        if (length == 0) {
            return true;
        }
        if (m_chLast == '<' && piece[0] == '@') {
            return false;
        }
        m_chLast = piece[length - 1];
        return true;
    }
    // The same for a value, of which only the ends matter.
    bool AddValue(const CValueFacts& value) {
        const char ends[] = {value.m_chFirst, value.m_chLast};
        return value.m_nLength == 0 || Add(ends, sizeof ends);
    }

private:
    char m_chLast = '\0';
};

// Whether a value holds an open marker. The search goes by '<': it is rare in values and never
// the second byte of a double-byte character, as '@' is of the ideographic space.
bool HoldsOpenMarker(const char* value, std::size_t length) {
    for (std::size_t i = 0; i + 1 < length; ++i) {
        const void* found = std::memchr(value + i, EXPAND_OPEN[0], length - 1 - i);
        if (found == nullptr) {
            return false;
        }
        i = static_cast<std::size_t>(static_cast<const char*>(found) - value);
        if (value[i + 1] == EXPAND_OPEN[1]) {
            return true;
        }
    }
    return false;
}

std::size_t KeyLength(const CDirectRegion& region) {
    return region.m_nEnd - region.m_nStart - 2 * EXPAND_MARKER_LENGTH;
}

void CopyKey(const char* line, const CDirectRegion& region, char* key) {
    const std::size_t length = KeyLength(region);
    std::memcpy(key, line + region.m_nStart + EXPAND_MARKER_LENGTH, length);
    key[length] = '\0';
}

bool SameKey(const char* line, const CDirectRegion& a, const CDirectRegion& b) {
    const std::size_t length = a.m_nEnd - a.m_nStart;
    return length == b.m_nEnd - b.m_nStart &&
           std::memcmp(line + a.m_nStart, line + b.m_nStart, length) == 0;
}

// A hash of the region's length and its first and last eight bytes (a region has at least
// four). Keys that differ elsewhere only share a probe sequence; SameKey tells them apart.
std::size_t KeyHash(const char* line, const CDirectRegion& region) {
    const std::size_t length = region.m_nEnd - region.m_nStart;
    const std::size_t size = std::min(length, sizeof(std::uint64_t));
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
    std::memcpy(&head, line + region.m_nStart, size);
    std::memcpy(&tail, line + region.m_nEnd - size, size);
    std::uint64_t hash = (head ^ (tail * 0x9E3779B97F4A7C15U) ^ length) * 0xFF51AFD7ED558CCDU;
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

// Points the newest region of `found` at the first region with its key, or makes it the first.
void LinkToFirst(const char* line, CDirectLine& found) {
    const int newest = found.m_nRegions;
    CDirectRegion& region = found.m_aRegions[newest];
    region.m_nHash = KeyHash(line, region);
    for (std::size_t slot = region.m_nHash;; ++slot) {
        int& first = found.m_aFirstByKey[slot % DIRECT_KEY_SLOTS];
        if (first < 0) {
            first = newest;
            region.m_nFirst = newest;
            return;
        }
        if (SameKey(line, found.m_aRegions[first], region)) {
            region.m_nFirst = first;
            ++found.m_aRegions[first].m_nCopies;
            return;
        }
    }
}

// Finds the regions of `line`, `length` bytes, at most DIRECT_REGION_LIMIT as its length
// allows. False when a key holds a byte that could start a marker.
bool FindRegions(const char* line, std::size_t length, CDirectLine& found) {
    std::fill(std::begin(found.m_aFirstByKey), std::end(found.m_aFirstByKey), -1);
    const std::string_view text(line, length);
    CFormatRegion scanned{};
    for (std::size_t from = 0; FormatNextRegion(text, from, scanned);
         from = FormatRegionEnd(scanned)) {
        if (!scanned.m_bClosed) {
            found.m_pUnclosed = line + scanned.m_nOpen;
            return true;
        }
        const char* key = line + scanned.m_nKey;
        if (std::memchr(key, '<', scanned.m_nKeyLength) != nullptr ||
            std::memchr(key, '@', scanned.m_nKeyLength) != nullptr) {
            return false;
        }
        CDirectRegion& region = found.m_aRegions[found.m_nRegions];
        region.m_nStart = scanned.m_nOpen;
        region.m_nEnd = FormatRegionEnd(scanned);
        region.m_nCopies = 1;
        LinkToFirst(line, found);
        ++found.m_nRegions;
    }
    return true;
}

// The facts of the value of `key`, the key of `region`, remembered in `run` for later lines.
CValueFacts ValueFacts(const CFieldList& list, const char* key, const CDirectRegion& region,
                       CExpandRun& run) {
    const std::size_t keyLength = KeyLength(region);
    CRememberedValue* slot = nullptr;
    for (std::size_t probe = 0; probe < EXPAND_REMEMBERED_KEYS; ++probe) {
        CRememberedValue& remembered =
            run.m_aRemembered[(region.m_nHash + probe) % EXPAND_REMEMBERED_KEYS];
        if (!remembered.m_bUsed) {
            slot = keyLength < EXPAND_REMEMBERED_KEY_SIZE ? &remembered : nullptr;
            break;
        }
        if (remembered.m_nHash == region.m_nHash && std::strcmp(remembered.m_szKey, key) == 0) {
            return remembered.m_facts;
        }
    }
    CValueFacts facts{};
    char value[FIELD_TEXT_SIZE];
    if (list.FindField(key, value) == 0 && value[0] != '\0') {
        facts.m_nLength = std::strlen(value);
        facts.m_chFirst = value[0];
        facts.m_chLast = value[facts.m_nLength - 1];
        facts.m_bHoldsOpenMarker = HoldsOpenMarker(value, facts.m_nLength);
    }
    if (slot != nullptr) {
        slot->m_bUsed = true;
        slot->m_nHash = region.m_nHash;
        std::memcpy(slot->m_szKey, key, keyLength + 1);
        slot->m_facts = facts;
    }
    return facts;
}

// Writes the filled line, `length` bytes, into `work`. Each value is looked up where its key
// first stands; later copies are taken from there. False when there is no memory for the line.
bool FillLine(const CFieldList& list, const char* line, const CDirectLine& found,
              std::size_t length, CGrowArea& work) {
    if (work.Reserve(length + 1) != 0) {
        return false;
    }
    char* const start = work.Text();
    char* out = start;
    char key[DIRECT_KEY_SIZE];
    // Where the value of each first region of a key went.
    std::size_t filledAt[DIRECT_REGION_LIMIT];
    std::size_t from = 0;
    for (int i = 0; i < found.m_nRegions; ++i) {
        const CDirectRegion& region = found.m_aRegions[i];
        std::memcpy(out, line + from, region.m_nStart - from);
        out += region.m_nStart - from;
        from = region.m_nEnd;
        const std::size_t valueLength = found.m_aRegions[region.m_nFirst].m_value.m_nLength;
        if (valueLength == 0) {
            continue;
        }
        if (region.m_nFirst == i) {
            // FindField writes the value with its terminator, which the next piece overwrites.
            CopyKey(line, region, key);
            filledAt[i] = static_cast<std::size_t>(out - start);
            list.FindField(key, out);
        } else {
            std::memcpy(out, start + filledAt[region.m_nFirst], valueLength);
        }
        out += valueLength;
    }
    std::strcpy(out, line + from);
    return true;
}

} // namespace

DirectResult ExpandLineDirect(const CFieldList& list, const char* line, char* output,
                              CExpandRun& run, LineResult& result) {
    const std::size_t lineLength = std::strlen(line);
    CDirectLine found;
    if (lineLength > DIRECT_LINE_LIMIT || !FindRegions(line, lineLength, found)) {
        return DirectResult::Declined;
    }
    // The passes that take the line over count its edits again.
    const std::size_t editBytesBefore = run.m_nEditBytes;
    const auto giveUp = [&](DirectResult reason) {
        run.m_nEditBytes = editBytesBefore;
        return reason;
    };
    const auto decline = [&] { return giveUp(DirectResult::Declined); };
    const auto conditionLine = [&](ConditionResult condition) {
        result = ConditionLine(condition);
        return DirectResult::Taken;
    };

    // The passes in their order, each counted as the passes count it; the work text's length
    // follows them.
    std::size_t length = lineLength;
    int passes = 0;
    CJoinCheck joins;
    char key[DIRECT_KEY_SIZE];
    std::size_t from = 0;
    for (int i = 0; i < found.m_nRegions; ++i) {
        CDirectRegion& region = found.m_aRegions[i];
        if (!joins.Add(line + from, region.m_nStart - from)) {
            return decline();
        }
        from = region.m_nEnd;
        if (region.m_nFirst != i) {
            if (!joins.AddValue(found.m_aRegions[region.m_nFirst].m_value)) {
                return decline();
            }
            continue;
        }
        ++passes;
        CopyKey(line, region, key);
        if (const ConditionResult condition = ExpandCondition(list, key, KeyLength(region));
            condition != ConditionResult::None) {
            return conditionLine(condition);
        }
        if (run.m_nEditBytes > EXPAND_EDIT_BUDGET) {
            return decline();
        }
        run.m_nEditBytes += length;
        region.m_value = ValueFacts(list, key, region, run);
        const CValueFacts& value = region.m_value;
        if (value.m_bHoldsOpenMarker || !joins.AddValue(value)) {
            return decline();
        }
        const std::size_t patternLength = region.m_nEnd - region.m_nStart;
        length = length - region.m_nCopies * patternLength + region.m_nCopies * value.m_nLength;
    }
    if (!joins.Add(line + from, lineLength - from)) {
        return decline();
    }
    // A pass left over looks at the rest after the unclosed open marker, and that rest may read
    // as a condition.
    if (passes < found.m_nRegions && found.m_pUnclosed != nullptr) {
        const char* rest = found.m_pUnclosed + EXPAND_MARKER_LENGTH;
        const std::size_t restLength = lineLength - static_cast<std::size_t>(rest - line);
        std::memcpy(key, rest, restLength + 1);
        if (const ConditionResult condition = ExpandCondition(list, key, restLength);
            condition != ConditionResult::None) {
            return conditionLine(condition);
        }
    }

    CGrowArea work;
    if (!FillLine(list, line, found, length, work)) {
        return giveUp(DirectResult::NoMemory);
    }
    run.m_bOutputFull = !ExpandAppendCrLf(output, run.m_nOutputLength, work.Text());
    result = LineResult::Appended;
    return DirectResult::Taken;
}
