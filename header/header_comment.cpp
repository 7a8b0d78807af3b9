#include "header/header_comment.h"

#include <algorithm>
#include <string>

CCommentAbove HeaderFindCommentAbove(CHeaderReader& reader,
                                     const std::vector<std::string_view>& lines,
                                     std::string_view indent,
                                     const std::vector<CBoxValue>& current) {
    CCommentAbove found;
    std::size_t run = 0;
    while (run < std::min(lines.size(), HEADER_COMMENT_LINES_MAX) &&
           lines[lines.size() - 1 - run].substr(0, indent.size()) == indent) {
        ++run;
    }
    // The longest run first: a shorter one that reads back would leave the rest of a longer
    // comment standing above it.
    for (std::size_t tried = run; tried > 0; --tried) {
        std::string comment;
        for (std::size_t i = lines.size() - tried; i < lines.size(); ++i) {
            comment.append(lines[i].substr(indent.size()));
            comment += '\n';
        }
        CHeaderReading reading;
        const ReadBackResult result = reader.Read(comment, current, reading);
        if (result == ReadBackResult::Read || result == ReadBackResult::NoMemory) {
            found.m_nLines = result == ReadBackResult::Read ? tried : 0;
            found.m_bNoMemory = result == ReadBackResult::NoMemory;
            found.m_reading = reading;
            return found;
        }
        // The try that followed the format furthest into its own lines tells most of what to
        // mend; a shorter try that parts lower down has merely started lower.
        if (found.m_nTried == 0 || reading.m_nCommentLine > found.m_reading.m_nCommentLine) {
            found.m_reading = reading;
            found.m_nTried = tried;
        }
    }
    return found;
}
