#include "format/field_list.h"
#include "format/format_read.h"
#include "format/grow_area.h"

#include "text/codepage.h"
#include "text/txt.h"
#include "text/txt_find.h"

#include <cstring>
#include <string_view>

namespace {

constexpr const char* OPEN = "<@";
constexpr const char* CLOSE = "@>";
constexpr const char* IF_PREFIX = "IF ";
constexpr const char* IFN_PREFIX = "IFN ";
// Bytes of work text the placeholder edits of one expansion may go over. Values without
// placeholders of their own stay far below it: what a pass goes over either ends up in the
// output, which holds 65534 bytes, or fills it and ends the expansion, so they need at most
// 127 passes over 65534 + 150 * 511 bytes and 127 over one full working area, about 35 MiB.
// Values that keep bringing in placeholders could otherwise take minutes.
constexpr std::size_t EXPAND_EDIT_BUDGET = 64 * 1024 * 1024;
// Last byte of the output that may hold text; the one after it is the terminator.
constexpr std::size_t OUTPUT_TEXT_LIMIT = EXPAND_OUTPUT_SIZE - 1;

bool StartsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// Looks up a condition key with its prefix removed wherever it occurs in the key. A key whose
// prefix could not be removed (no memory) is looked up as it stands.
bool ConditionHolds(const CFieldList& list, char* key, const char* prefix) {
    TxtRemove(key, prefix);
    char value[FIELD_TEXT_SIZE] = {};
    return list.FindField(key, value) == 0;
}

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

// True when `text`, each LF written as CR LF, fits behind `length` bytes of output.
bool FitsWithCrLf(std::size_t length, const char* text) {
    std::size_t need = std::strlen(text);
    for (const char* lineFeed = std::strchr(text, '\n'); lineFeed != nullptr;
         lineFeed = std::strchr(lineFeed + 1, '\n')) {
        ++need;
    }
    return length + need <= OUTPUT_TEXT_LIMIT;
}

// Appends `text` to the output, which holds `length` bytes, each LF written as CR LF, and
// updates `length`. What would pass the output's last text byte is left off, and so is a
// double-byte character or a CR LF that would be cut in two. True when all of the text went in.
bool AppendCrLf(char* output, std::size_t& length, const char* text) {
    // A text that fits whole goes in blocks between its line feeds.
    if (FitsWithCrLf(length, text)) {
        for (const char* lineFeed = std::strchr(text, '\n'); lineFeed != nullptr;
             lineFeed = std::strchr(text, '\n')) {
            const auto block = static_cast<std::size_t>(lineFeed - text);
            std::memcpy(output + length, text, block);
            std::memcpy(output + length + block, "\r\n", 2);
            length += block + 2;
            text = lineFeed + 1;
        }
        const std::size_t rest = std::strlen(text);
        std::memcpy(output + length, text, rest);
        length += rest;
        return true;
    }
    for (const char* p = text; *p != '\0'; ++p) {
        const std::size_t need = *p == '\n' ? 2 : 1;
        if (length + need > OUTPUT_TEXT_LIMIT) {
            // Whether the last byte kept begins a double-byte character depends on the byte
            // after it, so that byte is put in the terminator's place while the cut is measured.
            output[length] = need == 2 ? '\r' : *p;
            const std::size_t keep = TxtCp932Cut(std::string_view(output, length + 1), length);
            std::memset(output + keep, 0, length + 1 - keep);
            length = keep;
            return false;
        }
        if (need == 2) {
            output[length++] = '\r';
        }
        output[length++] = *p;
    }
    return true;
}

// What one expansion carries from line to line besides the output.
struct CExpandRun {
    // Bytes of work text that placeholder edits have gone over so far.
    std::size_t m_nEditBytes = 0;
    // Set once the output could not take a whole line.
    bool m_bOutputFull = false;
    // Bytes of text in the output, so that appending a line need not measure it again.
    std::size_t m_nOutputLength = 0;
};

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
    const char* first = TxtFindFrom(work, OPEN, std::strlen(OPEN));
    TxtGetRegion(first != nullptr ? first : work, 1, OPEN, CLOSE, key);
    if (StartsWith(key, IF_PREFIX)) {
        return ConditionHolds(list, key, IF_PREFIX) ? EXPAND_KEEP_NEXT : EXPAND_SKIP_NEXT;
    }
    if (StartsWith(key, IFN_PREFIX)) {
        return ConditionHolds(list, key, IFN_PREFIX) ? EXPAND_SKIP_NEXT : EXPAND_KEEP_NEXT;
    }
    const std::size_t keyLength = std::strlen(key);
    const std::size_t openLength = std::strlen(OPEN);
    const std::size_t closeLength = std::strlen(CLOSE);
    const std::size_t patternLength = openLength + keyLength + closeLength;
    if (areas.m_pattern.Reserve(patternLength + 1) != 0) {
        return PASS_GO_ON;
    }
    // The pattern is "<@", the key and "@>".
    char* pattern = areas.m_pattern.Text();
    std::memcpy(pattern, OPEN, openLength);
    std::memcpy(pattern + openLength, key, keyLength);
    std::memcpy(pattern + openLength + keyLength, CLOSE, closeLength + 1);

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

// One line as ExpandLine describes it.
int ExpandPiece(const CFieldList& list, const char* line, char* output, CExpandRun& run) {
    CLineAreas areas;
    const std::size_t lineLength = std::strlen(line);
    // A line too long for any working area is written as it stands.
    if (areas.m_work.Reserve(lineLength + 1) != 0) {
        run.m_bOutputFull = !AppendCrLf(output, run.m_nOutputLength, line);
        return EXPAND_APPENDED;
    }
    std::memcpy(areas.m_work.Text(), line, lineLength + 1);

    // The number of passes comes from the line as read; a value that brings new regions into the
    // line therefore cannot keep the expansion going.
    const int passes = TxtCountRegions(line, OPEN, CLOSE);
    for (int pass = 0; pass < passes; ++pass) {
        const int result = RunPass(list, areas, run);
        if (result == EXPAND_KEEP_NEXT || result == EXPAND_SKIP_NEXT) {
            return result;
        }
        if (result == PASS_STOP) {
            break;
        }
    }
    run.m_bOutputFull = !AppendCrLf(output, run.m_nOutputLength, areas.m_work.Text());
    return EXPAND_APPENDED;
}

} // namespace

int CFieldList::ExpandLine(const char* line, char* output) {
    CExpandRun run;
    run.m_nOutputLength = std::strlen(output);
    return ExpandPiece(*this, line, output, run);
}

int CFieldList::ExpandFile(const char* path, char* output) {
    if (output == nullptr) {
        return -1;
    }
    CFormatText file;
    if (file.Load(path) != 0) {
        return -1;
    }
    std::memset(output, 0, EXPAND_OUTPUT_SIZE);
    char line[FORMAT_LINE_AREA_SIZE];
    CExpandRun run;
    int count = 0;
    while (file.NextPiece(line)) {
        if (++count > FORMAT_LINE_LIMIT) {
            break;
        }
        const int result = ExpandPiece(*this, line, output, run);
        // Once the output is full nothing may follow the cut, or the text would not be the
        // start of the whole expansion.
        if (run.m_bOutputFull) {
            break;
        }
        if (result == EXPAND_SKIP_NEXT) {
            file.NextPiece(line);
        }
    }
    return 0;
}
