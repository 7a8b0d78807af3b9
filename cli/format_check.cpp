#include "cli/format_check.h"

#include "cli/messages.h"
#include "format/format_read.h"
#include "format/header_keys.h"
#include "text/codepage.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::string_view REGION_OPEN = "<@";
constexpr std::string_view REGION_CLOSE = "@>";
constexpr std::string_view IF_PREFIX = "IF ";
constexpr std::string_view IFN_PREFIX = "IFN ";

struct LineScan {
    std::vector<std::string> m_astrUnknownKeys; // each once, in order of appearance
    bool m_bUnclosed = false;
    bool m_bCondition = false;
};

bool IsHeaderKey(const std::string& key) {
    return std::any_of(std::begin(g_apszHeaderKeys), std::end(g_apszHeaderKeys),
                       [&key](const char* known) { return key == known; });
}

// Every occurrence of the prefix goes, not only the leading one, as the expansion removes them.
std::string RemoveAll(std::string text, std::string_view pattern) {
    for (std::size_t at = text.find(pattern); at != std::string::npos;
         at = text.find(pattern, at)) {
        text.erase(at, pattern.size());
    }
    return text;
}

// The key that a region's text is looked up under, and whether the region is a condition.
std::string KeyOfRegion(const std::string& regionText, bool& isCondition) {
    isCondition = true;
    if (regionText.compare(0, IF_PREFIX.size(), IF_PREFIX) == 0) {
        return RemoveAll(regionText, IF_PREFIX);
    }
    if (regionText.compare(0, IFN_PREFIX.size(), IFN_PREFIX) == 0) {
        return RemoveAll(regionText, IFN_PREFIX);
    }
    isCondition = false;
    return regionText;
}

// Regions as the expansion finds them: from a "<@" to the first "@>" after it, not nested.
LineScan ScanLine(std::string_view line) {
    LineScan scan;
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = line.find(REGION_OPEN, from);
        if (open == std::string_view::npos) {
            break;
        }
        const std::size_t keyStart = open + REGION_OPEN.size();
        const std::size_t close = line.find(REGION_CLOSE, keyStart);
        if (close == std::string_view::npos) {
            scan.m_bUnclosed = true;
            break;
        }
        bool isCondition = false;
        std::string key =
            KeyOfRegion(std::string(line.substr(keyStart, close - keyStart)), isCondition);
        scan.m_bCondition = scan.m_bCondition || isCondition;
        auto& unknown = scan.m_astrUnknownKeys;
        if (!IsHeaderKey(key) && std::find(unknown.begin(), unknown.end(), key) == unknown.end()) {
            unknown.push_back(std::move(key));
        }
        from = close + REGION_CLOSE.size();
    }
    return scan;
}

CheckFinding Finding(int line, CheckKind kind) {
    return CheckFinding{line, kind, {}, 0, 0};
}

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    // Every message has text, so an empty one is never formatted.
    if (size > 0) { // GCOVR_EXCL_BR_LINE
        std::vsnprintf(text.data(), text.size() + 1, format, again);
    }
    va_end(again);
    return text;
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
    std::vector<CheckFinding> findings;
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

        const LineScan scan = ScanLine(line);
        for (const std::string& key : scan.m_astrUnknownKeys) {
            CheckFinding finding = Finding(lineNo, CHECK_UNKNOWN_KEY);
            finding.m_strKey = key;
            findings.push_back(std::move(finding));
        }
        if (scan.m_bUnclosed) {
            findings.push_back(Finding(lineNo, CHECK_UNCLOSED));
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
    // Every kind has its case, so the end of the function is never reached.
    switch (finding.m_eKind) { // GCOVR_EXCL_BR_LINE
    case CHECK_UNKNOWN_KEY:
        return Printf(MSG_CHECK_UNKNOWN_KEY, TxtCp932ToUtf8(finding.m_strKey).c_str());
    case CHECK_UNCLOSED:
        return MSG_CHECK_UNCLOSED;
    case CHECK_LONG_LINE:
        return Printf(MSG_CHECK_LONG_LINE, finding.m_nBytes);
    case CHECK_CONDITION_CHAIN:
        return Printf(MSG_CHECK_CONDITION_CHAIN, finding.m_nOtherLine);
    case CHECK_LAST_CONDITION:
        return MSG_CHECK_LAST_CONDITION;
    case CHECK_TOO_MANY_LINES:
        return MSG_CHECK_TOO_MANY_LINES;
    }
    return {}; // GCOVR_EXCL_LINE
}
