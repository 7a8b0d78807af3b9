#include "format/field_list.h"
#include "format/format_read.h"
#include "format/grow_area.h"

#include "text/codepage.h"
#include "text/txt.h"

#include <cstdio>
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

// Replaces every copy of `pattern` in the work text by `value`, growing the area first by
// exactly what the replacement adds. 0, or the area's refusal with the text unchanged.
int FillPlaceholder(CGrowArea& work, const char* pattern, const char* value) {
    const std::size_t length = std::strlen(work.Text());
    const std::size_t patternLength = std::strlen(pattern);
    const std::size_t valueLength = std::strlen(value);
    if (valueLength > patternLength) {
        const auto count = static_cast<std::size_t>(TxtCount(work.Text(), pattern));
        const int reserved = work.Reserve(length + count * (valueLength - patternLength) + 1);
        if (reserved != 0) {
            return reserved;
        }
    }
    TxtReplace(work.Text(), pattern, value);
    return 0;
}

// Appends `text` to the output, each LF written as CR LF. What would pass the output's last text
// byte is left off, and so is a double-byte character or a CR LF that would be cut in two.
// True when all of the text went in.
bool AppendCrLf(char* output, const char* text) {
    std::size_t length = std::strlen(output);
    for (const char* p = text; *p != '\0'; ++p) {
        const std::size_t need = *p == '\n' ? 2 : 1;
        if (length + need > OUTPUT_TEXT_LIMIT) {
            // Whether the last byte kept begins a double-byte character depends on the byte
            // after it, so that byte is put in the terminator's place while the cut is measured.
            output[length] = need == 2 ? '\r' : *p;
            const std::size_t keep = TxtCp932Cut(std::string_view(output, length + 1), length);
            std::memset(output + keep, 0, length + 1 - keep);
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
    char* key = areas.m_key.Text();
    std::memset(key, 0, length + 1);
    TxtGetRegion(work, 1, OPEN, CLOSE, key);
    if (StartsWith(key, IF_PREFIX)) {
        return ConditionHolds(list, key, IF_PREFIX) ? EXPAND_KEEP_NEXT : EXPAND_SKIP_NEXT;
    }
    if (StartsWith(key, IFN_PREFIX)) {
        return ConditionHolds(list, key, IFN_PREFIX) ? EXPAND_SKIP_NEXT : EXPAND_KEEP_NEXT;
    }
    const std::size_t patternLength = std::strlen(key) + std::strlen(OPEN) + std::strlen(CLOSE);
    if (areas.m_pattern.Reserve(patternLength + 1) != 0) {
        return PASS_GO_ON;
    }
    char* pattern = areas.m_pattern.Text();
    std::memset(pattern, 0, patternLength + 1);
    std::snprintf(pattern, patternLength + 1, "%s%s%s", OPEN, key, CLOSE);

    // A complete first region has its text, the pattern, at the first open marker. Otherwise the
    // key is an unclosed rest or empty and the pattern cannot occur. Once the budget is spent no
    // edit is made. Either way the text stays as it is, and so would every later pass.
    const char* first = std::strstr(work, OPEN);
    if (first == nullptr || std::strncmp(first, pattern, patternLength) != 0 ||
        run.m_nEditBytes > EXPAND_EDIT_BUDGET) {
        return PASS_STOP;
    }
    run.m_nEditBytes += length;
    char value[FIELD_TEXT_SIZE] = {};
    if (list.FindField(key, value) != 0) {
        TxtRemove(work, pattern);
        return PASS_GO_ON;
    }
    // A refusal for size comes back the same on every later pass.
    return FillPlaceholder(areas.m_work, pattern, value) == AREA_TOO_LARGE ? PASS_STOP : PASS_GO_ON;
}

// One line as ExpandLine describes it.
int ExpandPiece(const CFieldList& list, const char* line, char* output, CExpandRun& run) {
    CLineAreas areas;
    const std::size_t lineLength = std::strlen(line);
    // A line too long for any working area is written as it stands.
    if (areas.m_work.Reserve(lineLength + 1) != 0) {
        run.m_bOutputFull = !AppendCrLf(output, line);
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
    run.m_bOutputFull = !AppendCrLf(output, areas.m_work.Text());
    return EXPAND_APPENDED;
}

} // namespace

int CFieldList::ExpandLine(const char* line, char* output) {
    CExpandRun run;
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
