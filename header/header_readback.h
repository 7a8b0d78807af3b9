#pragma once

#include "format/format_readback.h"
#include "header/header_analysis.h"
#include "header/header_keys.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Reading a header comment back through the format file that made it: the box values that give
// the comment again, for rewriting a comment whose declaration changed.

// NoMemory: the comment could not be checked for want of memory, which says nothing of it.
enum class ReadBackResult { Read, NoMatch, Unreadable, NoMemory };

// The boxes a comment was made from.
struct CHeaderReading {
    // Each key's value: what the comment shows, empty for an empty box, or READBACK_STAND_IN for
    // a box a condition says was filled but no placeholder shows.
    std::string m_astrValues[HEADER_KEY_COUNT];
    bool m_abPresent[HEADER_KEY_COUNT] = {};
    bool m_abStandIn[HEADER_KEY_COUNT] = {};
    // Without a reading: the format file's line (from 1, 0 when none is to blame) and the comment's
    // line where the comment stopped following the format, and whether it was too ambiguous to
    // settle within the search's budget.
    int m_nFormatLine = 0;
    int m_nCommentLine = 0;
    bool m_bOverBudget = false;
};

class CFormatText;
class CFormatReader;

// A format file made ready to read the comments of a whole file back through it.
class CHeaderReader {
public:
    // `format` stays loaded while the reader lives.
    explicit CHeaderReader(CFormatText& format);
    ~CHeaderReader();
    CHeaderReader(const CHeaderReader&) = delete;
    CHeaderReader& operator=(const CHeaderReader&) = delete;

    // As HeaderReadBack, through the loaded format: Read or NoMatch.
    ReadBackResult Read(std::string_view comment, const std::vector<CBoxValue>& current,
                        CHeaderReading& reading);

private:
    std::unique_ptr<CFormatReader> m_pReader;
};

// Reads `comment` (code page 932, without the indentation an insertion put before its lines)
// back through the format file at pszFormatPath. Where the comment reads several ways, the
// reading that agrees most with `current` (the analysed boxes of the declaration as it is now;
// may be empty) wins, then the one whose names hold no blank. Read with every box set; NoMatch
// with all boxes empty and the lines set; Unreadable when the format file cannot be read.
ReadBackResult HeaderReadBack(const char* pszFormatPath, std::string_view comment,
                              const std::vector<CBoxValue>& current, CHeaderReading& reading);
