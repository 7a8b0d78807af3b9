#include "header/header_values.h"

#include "format/field_list.h"
#include "header/box_text.h"
#include "header/format_file.h"

void HeaderAddFields(CFieldList& list, const char* const values[HEADER_KEY_COUNT]) {
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        if (values[i] != nullptr && values[i][0] != '\0') {
            list.AddField(g_apszHeaderKeys[i], values[i]);
        }
    }
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

HeaderExpandResult CHeaderValues::Expand(const char* pszPath, std::string& comment) const {
    if (HeaderFormatFileKind(pszPath) == FormatFileKind::NotText) {
        return HeaderExpandResult::NotText;
    }
    const char* apszValues[HEADER_KEY_COUNT];
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        apszValues[i] = m_astrValues[i].c_str();
    }
    CFieldList list;
    HeaderAddFields(list, apszValues);
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
