#include "format/expand_line.h"
#include "format/grow_area.h"

#include "text/txt.h"
#include "text/txt_find.h"

#include <cstring>

namespace {

bool HasPrefix(const char* key, const char* prefix) {
    return std::strncmp(key, prefix, std::strlen(prefix)) == 0;
}

// Looks up a condition key with its prefix removed wherever it occurs in the key. A key whose
// prefix could not be removed (no memory) is looked up as it stands.
bool ConditionHolds(const CFieldList& list, char* key, const char* prefix) {
    TxtRemove(key, prefix);
    char value[FIELD_TEXT_SIZE] = {};
    return list.FindField(key, value) == 0;
}

} // namespace

int ExpandConditionResult(const CFieldList& list, char* key) {
    if (HasPrefix(key, EXPAND_IF_PREFIX)) {
        return ConditionHolds(list, key, EXPAND_IF_PREFIX) ? EXPAND_KEEP_NEXT : EXPAND_SKIP_NEXT;
    }
    if (HasPrefix(key, EXPAND_IFN_PREFIX)) {
        return ConditionHolds(list, key, EXPAND_IFN_PREFIX) ? EXPAND_SKIP_NEXT : EXPAND_KEEP_NEXT;
    }
    return 0;
}

namespace {

// Replaces every copy of `pattern` in the work text of `length` bytes from byte `from` on by
// `value`, growing the area first by exactly what the replacement adds. 0, or the area's refusal
// with the text unchanged.
int FillPlaceholder(CGrowArea& work, std::size_t length, std::size_t from, const char* pattern,
                    const char* value) {
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
            return reserved;
        }
    }
    TxtReplace(work.Text() + from, pattern, value);
    return 0;
}

// Results of one pass besides the condition results: go on with the next pass, or stop because
// every later pass would change nothing.
constexpr int PASS_GO_ON = 1;
constexpr int PASS_STOP = 2;

// The working areas of one line.
struct CLineAreas {
    CGrowArea m_work;
    CGrowArea m_key;
    CGrowArea m_pattern;
};

// Handles the first region of the work text: a condition gives EXPAND_KEEP_NEXT or
// EXPAND_SKIP_NEXT, a placeholder is filled or removed wherever it occurs.
int RunPass(const CFieldList& list, CLineAreas& areas, CExpandRun& run) {
    char* work = areas.m_work.Text();
    const std::size_t length = std::strlen(work);
    if (areas.m_key.Reserve(length + 1) != 0) {
        return PASS_GO_ON;
    }
    // The key area is zero but for the key of the last pass: clearing that clears it all.
    char* key = areas.m_key.Text();
    std::memset(key, 0, std::strlen(key));
    // No open marker stands before the first one, so the first region and every copy of its
    // pattern begin there at the earliest, and the scans below start there.
    const char* first = TxtFindFrom(work, EXPAND_OPEN, EXPAND_MARKER_LENGTH);
    TxtGetRegion(first != nullptr ? first : work, 1, EXPAND_OPEN, EXPAND_CLOSE, key);
    if (const int condition = ExpandConditionResult(list, key); condition != 0) {
        return condition;
    }
    const std::size_t keyLength = std::strlen(key);
    const std::size_t openLength = EXPAND_MARKER_LENGTH;
    const std::size_t closeLength = EXPAND_MARKER_LENGTH;
    const std::size_t patternLength = openLength + keyLength + closeLength;
    if (areas.m_pattern.Reserve(patternLength + 1) != 0) {
        return PASS_GO_ON;
    }
    // The pattern is "<@", the key and "@>".
    char* pattern = areas.m_pattern.Text();
    std::memcpy(pattern, EXPAND_OPEN, openLength);
    std::memcpy(pattern + openLength, key, keyLength);
    std::memcpy(pattern + openLength + keyLength, EXPAND_CLOSE, closeLength + 1);

    // A complete first region has its text, the pattern, at the first open marker. Otherwise the
    // key is an unclosed rest or empty and the pattern cannot occur: the text stays as it is, and
    // so would it on every later pass.
    if (first == nullptr || std::strncmp(first, pattern, patternLength) != 0) {
        return PASS_STOP;
    }
    const bool bBudgetSpent = run.m_nEditBytes > EXPAND_EDIT_BUDGET;
    run.m_nEditBytes += length;
    // FindField writes the whole value with its terminator, so the area needs no clearing: on
    // a long line the clearing was a good part of each pass.
    char value[FIELD_TEXT_SIZE];
    value[0] = '\0';
    const auto from = static_cast<std::size_t>(first - work);
    // Past the budget, or when the value no longer fits the working area, the placeholder is
    // removed instead of filled. Removal only shortens the line, so it stays cheap, and the later
    // passes still reach a condition further on: such a line must never be written as it stands.
    if (bBudgetSpent || list.FindField(key, value) != 0 ||
        FillPlaceholder(areas.m_work, length, from, pattern, value) == AREA_TOO_LARGE) {
        TxtRemove(work + from, pattern);
    }
    return PASS_GO_ON;
}

} // namespace

int ExpandLineByPasses(const CFieldList& list, const char* line, char* output, CExpandRun& run) {
    CLineAreas areas;
    const std::size_t lineLength = std::strlen(line);
    // A line too long for any working area is written as it stands.
    if (areas.m_work.Reserve(lineLength + 1) != 0) {
        run.m_bOutputFull = !ExpandAppendCrLf(output, run.m_nOutputLength, line);
        return EXPAND_APPENDED;
    }
    std::memcpy(areas.m_work.Text(), line, lineLength + 1);

    // The number of passes comes from the line as read; a value that brings new regions into the
    // line therefore cannot keep the expansion going.
    const int passes = TxtCountRegions(line, EXPAND_OPEN, EXPAND_CLOSE);
    for (int pass = 0; pass < passes; ++pass) {
        const int result = RunPass(list, areas, run);
        if (result == EXPAND_KEEP_NEXT || result == EXPAND_SKIP_NEXT) {
            return result;
        }
        if (result == PASS_STOP) {
            break;
        }
    }
    run.m_bOutputFull = !ExpandAppendCrLf(output, run.m_nOutputLength, areas.m_work.Text());
    return EXPAND_APPENDED;
}
