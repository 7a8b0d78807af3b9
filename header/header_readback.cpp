#include "header/header_readback.h"

#include "format/format_read.h"
#include "format/format_readback.h"

namespace {

bool IsNameKey(int nKey) {
    if (nKey == HeaderKeyIndex(HeaderKey::Func) || nKey == HeaderKeyIndex(HeaderKey::Class)) {
        return true;
    }
    for (int nRow = 1; nRow <= HEADER_ARG_ROWS; ++nRow) {
        if (nKey == HeaderArgKeyIndex(nRow, ArgPart::Name)) {
            return true;
        }
    }
    return false;
}

// The 25 keys with what the analysis of the declaration expects of each it fills.
std::vector<CReadBackKey> ReadBackKeys(const std::vector<CBoxValue>& current) {
    std::vector<CReadBackKey> keys(HEADER_KEY_COUNT);
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        keys[i].m_strName = g_apszHeaderKeys[i];
        keys[i].m_bName = IsNameKey(i);
    }
    for (const CBoxValue& value : current) {
        if (value.m_nKey >= 0 && value.m_nKey < HEADER_KEY_COUNT) {
            keys[value.m_nKey].m_bPreferred = true;
            keys[value.m_nKey].m_strPreferred = value.m_strText;
        }
    }
    return keys;
}

} // namespace

CHeaderReader::CHeaderReader(CFormatText& format)
    : m_pReader(std::make_unique<CFormatReader>(format, ReadBackKeys({}))) {}

CHeaderReader::~CHeaderReader() = default;

ReadBackResult CHeaderReader::Read(std::string_view comment, const std::vector<CBoxValue>& current,
                                   CHeaderReading& reading) {
    reading = CHeaderReading();
    CFormatReading read;
    const FormatReadBack result = m_pReader->Read(comment, ReadBackKeys(current), read);
    if (result == FormatReadBack::NoMemory) {
        return ReadBackResult::NoMemory;
    }
    if (result != FormatReadBack::Read) {
        reading.m_nFormatLine = read.m_nFormatLine;
        reading.m_nCommentLine = read.m_nCommentLine;
        reading.m_bOverBudget = result == FormatReadBack::OverBudget;
        return ReadBackResult::NoMatch;
    }
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        const CReadBackValue& value = read.m_vecValues[i];
        reading.m_astrValues[i] = value.m_strValue;
        reading.m_abPresent[i] = value.m_eState != ReadKeyState::Absent;
        reading.m_abStandIn[i] = value.m_eState == ReadKeyState::StandIn;
    }
    return ReadBackResult::Read;
}

ReadBackResult HeaderReadBack(const char* pszFormatPath, std::string_view comment,
                              const std::vector<CBoxValue>& current, CHeaderReading& reading) {
    reading = CHeaderReading();
    CFormatText format;
    if (format.Load(pszFormatPath) != 0) {
        return ReadBackResult::Unreadable;
    }
    CHeaderReader reader(format);
    return reader.Read(comment, current, reading);
}
