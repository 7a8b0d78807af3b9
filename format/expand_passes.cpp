#include "format/expand_line.h"
#include "format/grow_area.h"

#include "text/txt.h"

#include <cstring>
#include <string_view>

ConditionResult ExpandCondition(const CFieldList& list, char* key, std::size_t length) {
    const RegionKind kind = FormatReadKey(key, length);
    if (kind == RegionKind::Placeholder) {
        return ConditionResult::None;
    }
    char value[FIELD_TEXT_SIZE];
    const bool bFound = list.FindField(key, value) == 0;
    return bFound == (kind == RegionKind::If) ? ConditionResult::KeepNext
                                              : ConditionResult::SkipNext;
}

LineResult ConditionLine(ConditionResult condition) {
    return condition == ConditionResult::KeepNext ? LineResult::KeepNext : LineResult::SkipNext;
}

namespace {

// What filling a placeholder did: filled every copy, or found the filled text too large for
// any working area, or had no memory for the edit. The text is unchanged but when filled.
enum class FillResult { Filled, TooLarge, NoMemory };

// Replaces every copy of `pattern` in the work text of `length` bytes from byte `from` on by
// `value`, growing the area first by exactly what the replacement adds.
FillResult FillPlaceholder(CGrowArea& work, std::size_t length, std::size_t from,
                           const char* pattern, const char* value) {
    const std::size_t patternLength = std::strlen(pattern);
    const std::size_t valueLength = std::strlen(value);
    // When the area has room even if every byte from `from` on began a copy, the copies need not
    // be counted: growing it to fit them would leave it as it is.
    const std::size_t mostCopies = (length - from) / patternLength;
    if (valueLength > patternLength &&
        length + mostCopies * (valueLength - patternLength) + 1 > work.Size()) {
        const auto count = static_cast<std::size_t>(TxtCount(work.Text() + from, pattern));
        const int reserved = work.Reserve(length + count * (valueLength - patternLength) + 1);
        if (reserved != 0) {
            return reserved == AREA_TOO_LARGE ? FillResult::TooLarge : FillResult::NoMemory;
        }
    }
    return TxtReplace(work.Text() + from, pattern, value) == 0 ? FillResult::Filled
                                                               : FillResult::NoMemory;
}

// What one pass did: went on, so the next pass may change more; stopped, because every later
// pass would change nothing; read a condition; or had no memory for its work and left the text
// as it was.
enum class PassResult { GoOn, Stop, KeepNext, SkipNext, NoMemory };

// The working areas of one line.
struct CLineAreas {
    CGrowArea m_work;
    CGrowArea m_key;
    CGrowArea m_pattern;
};

// Handles the first region of the work text: a condition ends the passes, a placeholder is
// filled or removed wherever it occurs.
PassResult RunPass(const CFieldList& list, CLineAreas& areas, CExpandRun& run) {
    char* work = areas.m_work.Text();
    const std::size_t length = std::strlen(work);
    // Without an open marker the key is empty and the pass, as every later one, changes nothing.
    CFormatRegion region{};
    if (!FormatNextRegion(std::string_view(work, length), 0, region)) {
        return PassResult::Stop;
    }
    const std::size_t keyLength = region.m_nKeyLength;
    if (areas.m_key.Reserve(keyLength + 1) != 0) {
        return PassResult::NoMemory;
    }
    char* key = areas.m_key.Text();
    std::memcpy(key, work + region.m_nKey, keyLength);
    key[keyLength] = '\0';
    // An unclosed rest too can read as a condition.
    if (const ConditionResult condition = ExpandCondition(list, key, keyLength);
        condition != ConditionResult::None) {
        return condition == ConditionResult::KeepNext ? PassResult::KeepNext : PassResult::SkipNext;
    }
    // Otherwise its pattern cannot occur: the text stays as it is, and so would it on every
    // later pass.
    if (!region.m_bClosed) {
        return PassResult::Stop;
    }
    const std::size_t patternLength = 2 * EXPAND_MARKER_LENGTH + keyLength;
    if (areas.m_pattern.Reserve(patternLength + 1) != 0) {
        return PassResult::NoMemory;
    }
    // The pattern is the region as the text holds it: "<@", the key and "@>".
    char* pattern = areas.m_pattern.Text();
    std::memcpy(pattern, work + region.m_nOpen, patternLength);
    pattern[patternLength] = '\0';

    const bool bBudgetSpent = run.m_nEditBytes > EXPAND_EDIT_BUDGET;
    run.m_nEditBytes += length;
    // FindField writes the whole value with its terminator, so the area needs no clearing: on
    // a long line the clearing was a good part of each pass.
    char value[FIELD_TEXT_SIZE];
    value[0] = '\0';
    const std::size_t from = region.m_nOpen;
    // Past the budget, or when the value no longer fits the working area, the placeholder is
    // removed instead of filled. Removal only shortens the line, so it stays cheap, and the later
    // passes still reach a condition further on: such a line must never be written as it stands.
    if (!bBudgetSpent && list.FindField(key, value) == 0) {
        const FillResult filled = FillPlaceholder(areas.m_work, length, from, pattern, value);
        if (filled != FillResult::TooLarge) {
            return filled == FillResult::Filled ? PassResult::GoOn : PassResult::NoMemory;
        }
    }
    return TxtRemove(work + from, pattern) == 0 ? PassResult::GoOn : PassResult::NoMemory;
}

// Complete regions of `line`, each counted as the passes take them.
int CountRegions(std::string_view line) {
    int count = 0;
    CFormatRegion region{};
    for (std::size_t from = 0; FormatNextRegion(line, from, region) && region.m_bClosed;
         from = FormatRegionEnd(region)) {
        ++count;
    }
    return count;
}

} // namespace

LineResult ExpandLineByPasses(const CFieldList& list, const char* line, char* output,
                              CExpandRun& run) {
    CLineAreas areas;
    const std::size_t lineLength = std::strlen(line);
    // A line too long for any working area is written as it stands.
    if (areas.m_work.Reserve(lineLength + 1) != 0) {
        run.m_bOutputFull = !ExpandAppendCrLf(output, run.m_nOutputLength, line);
        return LineResult::Appended;
    }
    std::memcpy(areas.m_work.Text(), line, lineLength + 1);

    // The number of passes comes from the line as read; a value that brings new regions into the
    // line therefore cannot keep the expansion going.
    const int passes = CountRegions(std::string_view(line, lineLength));
    for (int pass = 0; pass < passes; ++pass) {
        const PassResult result = RunPass(list, areas, run);
        if (result == PassResult::KeepNext || result == PassResult::SkipNext) {
            return result == PassResult::KeepNext ? LineResult::KeepNext : LineResult::SkipNext;
        }
        // A pass without memory left the text as it was and the next one tries the same region
        // again: a placeholder that none could fill is written as it stands.
        if (result == PassResult::Stop) {
            break;
        }
    }
    run.m_bOutputFull = !ExpandAppendCrLf(output, run.m_nOutputLength, areas.m_work.Text());
    return LineResult::Appended;
}
