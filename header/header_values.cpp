#include "header/header_values.h"

#include "format/field_list.h"
#include "header/box_text.h"
#include "header/format_file.h"

bool HeaderAddFields(CFieldList& list, const char* const values[HEADER_KEY_COUNT]) {
    bool bAll = true;
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        if (values[i] != nullptr && values[i][0] != '\0') {
            bAll = list.AddField(g_apszHeaderKeys[i], values[i]) == 0 && bAll;
        }
    }
    return bAll;
}

void CHeaderValues::Set(int nKey, std::string_view value) {
    if (nKey >= 0 && nKey < HEADER_KEY_COUNT) {
        m_astrValues[nKey] = HeaderBoxText(value);
    }
}

void CHeaderValues::Set(const std::vector<CBoxValue>& values) {
    for (const CBoxValue& value : values) {
        Set(value.m_nKey, value.m_strText);
    }
}

namespace {

// The list of the values' fields, in key order, empty values left out; false when one could not
// be added.
bool AddValues(CFieldList& list, const std::string (&values)[HEADER_KEY_COUNT]) {
    const char* apszValues[HEADER_KEY_COUNT];
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        apszValues[i] = values[i].c_str();
    }
    return HeaderAddFields(list, apszValues);
}

} // namespace

HeaderExpandResult CHeaderValues::Expand(const char* pszPath, std::string& comment) const {
    if (HeaderFormatFileKind(pszPath) == FormatFileKind::NotText) {
        return HeaderExpandResult::NotText;
    }
    CFieldList list;
    AddValues(list, m_astrValues);
    // On the heap: far larger than a stack frame should be.
    std::vector<char> vecOutput(EXPAND_OUTPUT_SIZE, '\0');
    const int nResult = list.ExpandFile(pszPath, vecOutput.data());
    list.FreeFields();
    if (nResult != 0) {
        return HeaderExpandResult::Unreadable;
    }
    comment.assign(vecOutput.data());
    return HeaderExpandResult::Done;
}

HeaderExpandResult CHeaderValues::Expand(CFormatText& format, std::string& comment) const {
    CFieldList list;
    if (!AddValues(list, m_astrValues)) {
        return HeaderExpandResult::NoMemory; // the list frees what it took
    }
    std::vector<char> vecOutput(EXPAND_OUTPUT_SIZE, '\0');
    list.ExpandText(format, vecOutput.data());
    list.FreeFields();
    comment.assign(vecOutput.data());
    return HeaderExpandResult::Done;
}
