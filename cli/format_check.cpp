#include "cli/format_check.h"

#include "cli/report.h"
#include "format/format_read.h"
#include "format/format_regions.h"
#include "header/format_file.h"
#include "header/header_keys.h"
#include "header/messages.h"
#include "text/codepage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Bytes a condition line may hold beside its condition without anything being lost.
constexpr std::string_view CONDITION_LINE_BLANKS = " \t\r";

struct LineScan {
    std::vector<std::string> m_astrUnknownKeys; // each once, in order of appearance
    bool m_bUnclosed = false;
    bool m_bCondition = false;
    bool m_bTextBeside = false; // a condition line holds more than its deciding condition
};

// True when `line` holds something other than blanks outside [from, to).
bool HasTextOutside(std::string_view line, std::size_t from, std::size_t to) {
    return line.substr(0, from).find_first_not_of(CONDITION_LINE_BLANKS) !=
               std::string_view::npos ||
           line.substr(to).find_first_not_of(CONDITION_LINE_BLANKS) != std::string_view::npos;
}

// Regions as the expansion finds them: from a "<@" to the first "@>" after it, not nested.
LineScan ScanLine(std::string_view line) {
    LineScan scan;
    std::size_t conditionOpen = 0;
    std::size_t conditionEnd = 0;
    CFormatRegion region{};
    for (std::size_t from = 0; FormatNextRegion(line, from, region);
         from = FormatRegionEnd(region)) {
        if (!region.m_bClosed) {
            scan.m_bUnclosed = true;
            break;
        }
        // The key as it is looked up: a condition's prefix goes wherever it occurs.
        std::string key(line.substr(region.m_nKey, region.m_nKeyLength));
        std::size_t keyLength = key.size();
        const bool isCondition = FormatReadKey(key.data(), keyLength) != RegionKind::Placeholder;
        key.resize(keyLength);
        if (isCondition && !scan.m_bCondition) {
            conditionOpen = region.m_nOpen;
            conditionEnd = FormatRegionEnd(region);
        }
        scan.m_bCondition = scan.m_bCondition || isCondition;
        auto& unknown = scan.m_astrUnknownKeys;
        if (HeaderFindKey(key) < 0 &&
            std::find(unknown.begin(), unknown.end(), key) == unknown.end()) {
            unknown.push_back(std::move(key));
        }
    }
    // The first condition decides; everything else on the line, later conditions too, is lost.
    scan.m_bTextBeside = scan.m_bCondition && HasTextOutside(line, conditionOpen, conditionEnd);
    return scan;
}

CheckFinding Finding(int line, CheckKind kind) {
    return CheckFinding{line, kind, {}, 0, 0};
}

} // namespace

int CheckReadFile(const char* path, std::string& text) {
    CFormatText reader;
    if (reader.Load(path) != 0) {
        return -1;
    }
    text.clear();
    char piece[FORMAT_LINE_AREA_SIZE];
    while (reader.NextPiece(piece)) {
        // The area is cleared before each piece, so its bytes end at its LF or, for a piece
        // without one, at its last byte that is not NUL; a NUL inside a piece is kept.
        const void* lineFeed = std::memchr(piece, '\n', FORMAT_PIECE_SIZE);
        std::size_t size = FORMAT_PIECE_SIZE;
        if (lineFeed != nullptr) {
            size = static_cast<const char*>(lineFeed) - piece + 1;
        } else {
            while (size > 0 && piece[size - 1] == '\0') {
                --size;
            }
        }
        text.append(piece, size);
    }
    return 0;
}

std::vector<CheckFinding> CheckFormatText(std::string_view text) {
    // Binary data would be a finding on nearly every line; one says it all.
    std::vector<CheckFinding> findings;
    if (HeaderLooksBinary(text)) {
        findings.push_back(Finding(1, CHECK_NOT_TEXT));
        return findings;
    }
    int pieces = 0;
    int previousCondition = 0; // line number of the condition line just before, or 0
    int lineNo = 0;
    std::size_t from = 0;
    while (from < text.size()) {
        ++lineNo;
        const std::size_t end = text.find('\n', from);
        const bool hasLineEnd = end != std::string_view::npos;
        const std::string_view line = text.substr(from, hasLineEnd ? end - from : text.size());
        from = hasLineEnd ? end + 1 : text.size();

        if (const std::size_t nul = line.find('\0'); nul != std::string_view::npos) {
            CheckFinding finding = Finding(lineNo, CHECK_NUL);
            finding.m_nBytes = nul + 1;
            findings.push_back(std::move(finding));
        }
        const LineScan scan = ScanLine(line);
        for (const std::string& key : scan.m_astrUnknownKeys) {
            CheckFinding finding = Finding(lineNo, CHECK_UNKNOWN_KEY);
            finding.m_strKey = key;
            findings.push_back(std::move(finding));
        }
        if (scan.m_bUnclosed) {
            findings.push_back(Finding(lineNo, CHECK_UNCLOSED));
        }
        if (scan.m_bTextBeside) {
            findings.push_back(Finding(lineNo, CHECK_TEXT_BESIDE_CONDITION));
        }
        const std::size_t bytes = line.size() + (hasLineEnd ? 1 : 0);
        if (bytes > FORMAT_PIECE_SIZE) {
            CheckFinding finding = Finding(lineNo, CHECK_LONG_LINE);
            finding.m_nBytes = bytes;
            findings.push_back(std::move(finding));
        }
        if (scan.m_bCondition && previousCondition != 0) {
            CheckFinding finding = Finding(lineNo, CHECK_CONDITION_CHAIN);
            finding.m_nOtherLine = previousCondition;
            findings.push_back(std::move(finding));
        }
        if (scan.m_bCondition && from == text.size()) {
            findings.push_back(Finding(lineNo, CHECK_LAST_CONDITION));
        }
        const int linePieces =
            static_cast<int>((bytes + FORMAT_PIECE_SIZE - 1) / FORMAT_PIECE_SIZE);
        if (pieces <= FORMAT_LINE_LIMIT && pieces + linePieces > FORMAT_LINE_LIMIT) {
            findings.push_back(Finding(lineNo, CHECK_TOO_MANY_LINES));
        }
        pieces += linePieces;
        previousCondition = scan.m_bCondition ? lineNo : 0;
    }
    return findings;
}

std::string CheckDescribe(const CheckFinding& finding) {
    switch (finding.m_eKind) {
    case CHECK_UNKNOWN_KEY:
        return CliPrintf(MSG_CHECK_UNKNOWN_KEY, TxtCp932ToUtf8(finding.m_strKey).c_str());
    case CHECK_UNCLOSED:
        return MSG_CHECK_UNCLOSED;
    case CHECK_LONG_LINE:
        return CliPrintf(MSG_CHECK_LONG_LINE, finding.m_nBytes);
    case CHECK_CONDITION_CHAIN:
        return CliPrintf(MSG_CHECK_CONDITION_CHAIN, finding.m_nOtherLine);
    case CHECK_LAST_CONDITION:
        return MSG_CHECK_LAST_CONDITION;
    case CHECK_TOO_MANY_LINES:
        return MSG_CHECK_TOO_MANY_LINES;
    case CHECK_NOT_TEXT:
        return MSG_CHECK_NOT_TEXT;
    case CHECK_NUL:
        return CliPrintf(MSG_CHECK_NUL, finding.m_nBytes);
    case CHECK_TEXT_BESIDE_CONDITION:
        return MSG_CHECK_TEXT_BESIDE_CONDITION;
    }
    return {}; // GCOVR_EXCL_LINE: every kind has its case above
}
