#include "fuzz/text_model.h"

#include <vector>

namespace {

// One region as find() sees it: where its content starts and ends, and whether a close marker
// ended it (an unterminated region runs to the end of the text).
struct CModelRegion {
    std::size_t m_nBegin;
    std::size_t m_nEnd;
    bool m_bComplete;
};

std::vector<CModelRegion> FindRegions(const std::string& text, const std::string& open,
                                      const std::string& close) {
    std::vector<CModelRegion> regions;
    if (open.empty() || close.empty()) {
        return regions;
    }
    std::size_t pos = 0;
    while ((pos = text.find(open, pos)) != std::string::npos) {
        const std::size_t begin = pos + open.size();
        const std::size_t end = text.find(close, begin);
        if (end == std::string::npos) {
            regions.push_back({begin, text.size(), false});
            break;
        }
        regions.push_back({begin, end, true});
        pos = end + close.size();
    }
    return regions;
}

} // namespace

std::string ModelReplace(const std::string& text, const std::string& pattern,
                         const std::string& replacement) {
    if (pattern.empty()) {
        return text;
    }
    std::string result;
    std::size_t pos = 0;
    for (std::size_t at; (at = text.find(pattern, pos)) != std::string::npos;
         pos = at + pattern.size()) {
        result.append(text, pos, at - pos).append(replacement);
    }
    return result.append(text, pos, std::string::npos);
}

int ModelCount(const std::string& text, const std::string& pattern) {
    if (pattern.empty()) {
        return 0;
    }
    int count = 0;
    for (std::size_t at = text.find(pattern); at != std::string::npos;
         at = text.find(pattern, at + pattern.size())) {
        ++count;
    }
    return count;
}

std::string ModelTrimLeft(const std::string& text, char ch) {
    const std::size_t first = text.find_first_not_of(ch);
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string ModelTrimRight(const std::string& text, char ch) {
    const std::size_t last = text.find_last_not_of(ch);
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string ModelSqueeze(const std::string& text, char ch) {
    std::string result;
    for (char byte : text) {
        if (byte != ch || result.empty() || result.back() != ch) {
            result += byte;
        }
    }
    return result;
}

int ModelCheckParens(const std::string& text) {
    int depth = 0;
    for (char byte : text) {
        depth += byte == '(' ? 1 : byte == ')' ? -1 : 0;
        if (depth < 0) {
            return -1;
        }
    }
    return depth == 0 ? 0 : -1;
}

std::optional<std::string> ModelField(const std::string& text, char delim, int index) {
    std::size_t begin = 0;
    for (int field = 1; field < index; ++field) {
        const std::size_t next = text.find(delim, begin);
        if (next == std::string::npos) {
            return std::nullopt;
        }
        begin = next + 1;
    }
    const std::string field = text.substr(begin, text.find(delim, begin) - begin);
    if (index < 1 || field.empty()) {
        return std::nullopt;
    }
    return field;
}

int ModelCountRegions(const std::string& text, const std::string& open, const std::string& close) {
    int count = 0;
    for (const CModelRegion& region : FindRegions(text, open, close)) {
        count += region.m_bComplete ? 1 : 0;
    }
    return count;
}

std::optional<std::string> ModelRegion(const std::string& text, int index, const std::string& open,
                                       const std::string& close) {
    const std::vector<CModelRegion> regions = FindRegions(text, open, close);
    if (index < 1 || static_cast<std::size_t>(index) > regions.size()) {
        return std::nullopt;
    }
    const CModelRegion& region = regions[static_cast<std::size_t>(index) - 1];
    if (region.m_nEnd == region.m_nBegin) {
        return std::nullopt;
    }
    return text.substr(region.m_nBegin, region.m_nEnd - region.m_nBegin);
}

std::string ModelRemoveRegions(const std::string& text, const std::string& open,
                               const std::string& close) {
    std::string result = text;
    while (ModelCountRegions(result, open, close) > 0) {
        const std::string content = ModelRegion(result, 1, open, close).value_or("");
        result = ModelReplace(result, open + content + close, "");
    }
    return result;
}
