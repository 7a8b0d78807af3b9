#include "format/expand_line.h"
#include "format/field_list.h"
#include "format/format_read.h"

#include <cstring>

namespace {

// A line goes the direct way when that gives the pass-by-pass result, pass by pass otherwise:
// also when the direct way had no memory, since the passes write the line whatever they lack.
LineResult ExpandPiece(const CFieldList& list, const char* line, char* output, CExpandRun& run) {
    LineResult result = LineResult::Appended;
    if (ExpandLineDirect(list, line, output, run, result) == DirectResult::Taken) {
        return result;
    }
    return ExpandLineByPasses(list, line, output, run);
}

} // namespace

int CFieldList::ExpandLine(const char* line, char* output) {
    CExpandRun run;
    run.m_nOutputLength = std::strlen(output);
    const LineResult result = ExpandPiece(*this, line, output, run);
    if (result == LineResult::Appended) {
        return EXPAND_APPENDED;
    }
    return result == LineResult::KeepNext ? EXPAND_KEEP_NEXT : EXPAND_SKIP_NEXT;
}

int CFieldList::ExpandFile(const char* path, char* output) {
    if (output == nullptr) {
        return -1;
    }
    CFormatText file;
    if (file.Load(path) != 0) {
        return -1;
    }
    ExpandText(file, output);
    return 0;
}

void CFieldList::ExpandText(CFormatText& text, char* output) {
    text.Rewind();
    std::memset(output, 0, EXPAND_OUTPUT_SIZE);
    char line[FORMAT_LINE_AREA_SIZE];
    CExpandRun run;
    int count = 0;
    while (text.NextPiece(line)) {
        if (++count > FORMAT_LINE_LIMIT) {
            break;
        }
        const LineResult result = ExpandPiece(*this, line, output, run);
        // Once the output is full nothing may follow the cut, or the text would not be the
        // start of the whole expansion.
        if (run.m_bOutputFull) {
            break;
        }
        if (result == LineResult::SkipNext) {
            text.NextPiece(line);
        }
    }
}
