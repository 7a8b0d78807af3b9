#include "format/format_readback.h"

#include "format/field_list.h"
#include "format/format_readback_search.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

int LineAt(const std::string& text, std::size_t pos) {
    return 1 + static_cast<int>(
                   std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
}

// Steps the search may take: in proportion to the comment and the format, and to the ways the
// fullest line can be read.
std::size_t Budget(const CReadModel& model, const std::string& text) {
    const std::size_t units = text.size() + model.m_vecPieces.size() + model.m_vecItems.size() + 1;
    return std::min(READBACK_STEPS_PER_UNIT * units * (model.m_nMostPlaceholders + 1),
                    READBACK_STEP_LIMIT);
}

// Whether the values expand to `text` through the real expansion, which the search's model of it
// simplifies; the comment line where they part, or 0; UNCONFIRMED_NO_MEMORY when a value could
// not be added, since an expansion without it would say nothing of the comment.
constexpr int UNCONFIRMED_NO_MEMORY = -1;

int Unconfirmed(CFormatText& format, const std::vector<CReadBackKey>& keys,
                const CFormatReading& reading, const std::string& text) {
    CFieldList list;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (reading.m_vecValues[k].m_eState != ReadKeyState::Absent) {
            if (list.AddField(keys[k].m_strName.c_str(),
                              reading.m_vecValues[k].m_strValue.c_str()) != 0) {
                return UNCONFIRMED_NO_MEMORY;
            }
        }
    }
    // The expansion clears the whole area itself.
    const std::unique_ptr<char[]> output(new char[EXPAND_OUTPUT_SIZE]);
    list.ExpandText(format, output.get());
    const std::string expanded = FormatCommentLines(output.get());
    if (expanded == text) {
        return 0;
    }
    const auto parted = std::mismatch(text.begin(), text.end(), expanded.begin(), expanded.end());
    return LineAt(text, static_cast<std::size_t>(parted.first - text.begin()));
}

} // namespace

std::string FormatCommentLines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size() + 1);
    while (!text.empty()) {
        const std::size_t lineFeed = text.find('\n');
        std::string_view line = text.substr(0, lineFeed);
        if (lineFeed != std::string_view::npos && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        while (!line.empty() && ReadIsBlank(line.back())) {
            line.remove_suffix(1);
        }
        lines.append(line);
        lines += '\n';
        text.remove_prefix(lineFeed == std::string_view::npos ? text.size() : lineFeed + 1);
    }
    return lines;
}

CFormatReader::CFormatReader(CFormatText& format, const std::vector<CReadBackKey>& keys)
    : m_format(format), m_pModel(std::make_unique<CReadModel>()) {
    if (keys.size() <= READBACK_KEY_LIMIT) {
        ReadModelBuild(format, keys, *m_pModel);
    }
}

CFormatReader::~CFormatReader() = default;

FormatReadBack CFormatReader::Read(std::string_view comment, const std::vector<CReadBackKey>& keys,
                                   CFormatReading& reading) {
    reading = CFormatReading();
    reading.m_vecValues.resize(keys.size());
    if (keys.size() > READBACK_KEY_LIMIT) {
        return FormatReadBack::NoMatch;
    }
    const std::string text = FormatCommentLines(comment);
    // No expansion has longer lines than its output holds, with a line end after the last.
    if (text.size() > EXPAND_OUTPUT_SIZE) {
        reading.m_nCommentLine = LineAt(text, EXPAND_OUTPUT_SIZE);
        return FormatReadBack::NoMatch;
    }
    const CReadModel& model = *m_pModel;
    CReadSearch search(model, keys, text, Budget(model, text));
    std::vector<CReadBinding> bindings;
    const SearchResult result = search.Run(bindings);
    if (result != SearchResult::Found) {
        reading.m_nFormatLine = model.LineOf(search.FurthestPiece());
        reading.m_nCommentLine = LineAt(text, search.FurthestText());
        return result == SearchResult::OverBudget ? FormatReadBack::OverBudget
                                                  : FormatReadBack::NoMatch;
    }
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const BindState state = bindings[k].m_eState;
        reading.m_vecValues[k] = {state == BindState::Shown    ? ReadKeyState::Shown
                                  : state == BindState::Tested ? ReadKeyState::StandIn
                                                               : ReadKeyState::Absent,
                                  search.Value(bindings[k])};
    }
    if (const int nLine = Unconfirmed(m_format, keys, reading, text); nLine != 0) {
        reading = CFormatReading();
        reading.m_vecValues.resize(keys.size());
        reading.m_nCommentLine = nLine == UNCONFIRMED_NO_MEMORY ? 0 : nLine;
        return nLine == UNCONFIRMED_NO_MEMORY ? FormatReadBack::NoMemory : FormatReadBack::NoMatch;
    }
    return FormatReadBack::Read;
}

FormatReadBack FormatReadComment(CFormatText& format, std::string_view comment,
                                 const std::vector<CReadBackKey>& keys, CFormatReading& reading) {
    CFormatReader reader(format, keys);
    return reader.Read(comment, keys, reading);
}
