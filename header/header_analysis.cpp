#include "header/header_analysis.h"

#include "analyser/func_parser.h"
#include "analyser/tidy_analysis.h"
#include "header/box_text.h"
#include "header/messages.h"
#include "text/txt.h"

#include <algorithm>
#include <new>

AnalyzeResult CHeaderAnalysis::Analyze(std::string_view declaration,
                                       const CAnalysisChoice& choice) {
    *this = CHeaderAnalysis();
    const std::string box = HeaderBoxText(declaration);
    const AnalyzeResult eResult = choice.m_bTidy ? AnalyzeTidily(box, choice) : AnalyzeByRules(box);
    if (eResult != AnalyzeResult::Done) {
        *this = CHeaderAnalysis();
    }
    return eResult;
}

AnalyzeResult CHeaderAnalysis::AnalyzeTidily(const std::string& box,
                                             const CAnalysisChoice& choice) {
    CTidyAnalysis tidy;
    try {
        if (tidy.Analyze(box, choice.m_vecDropWords) != TidyResult::Done) {
            return AnalyzeResult::SyntaxError;
        }
    } catch (const std::bad_alloc&) {   // GCOVR_EXCL_LINE: a real shortage, which no input causes
        return AnalyzeResult::NoMemory; // GCOVR_EXCL_LINE
    }
    m_strFunc = tidy.Func();
    m_strRet = tidy.Ret();
    m_strClass = tidy.Class();
    m_nArgCount = static_cast<int>(tidy.Args().size());
    for (int i = 0; i < std::min(m_nArgCount, HEADER_ARG_ROWS); ++i) {
        m_astrArgType[i] = tidy.Args()[static_cast<std::size_t>(i)].m_strType;
        m_astrArgName[i] = tidy.Args()[static_cast<std::size_t>(i)].m_strName;
        m_astrArgText[i] = tidy.Args()[static_cast<std::size_t>(i)].m_strText;
    }
    return AnalyzeResult::Done;
}

AnalyzeResult CHeaderAnalysis::AnalyzeByRules(const std::string& box) {
    CFuncParser parser;
    const int nResult = parser.Analyze(box.c_str());
    if (nResult != 0) {
        return nResult == TXT_ENOMEM ? AnalyzeResult::NoMemory : AnalyzeResult::SyntaxError;
    }
    // Buffers as large as the declaration itself, so that no name the analyser gives is cut.
    char szName[FUNC_TEXT_SIZE] = {};
    char szRetType[FUNC_TEXT_SIZE] = {};
    parser.GetFunc(szName, szRetType);
    m_strFunc = szName;
    m_strRet = szRetType;
    if (parser.GetClassFlag() == 0) {
        char szClass[FUNC_TEXT_SIZE] = {};
        parser.GetOwnerClass(szClass);
        m_strClass = szClass;
    }
    m_nArgCount = parser.GetArgCount();
    for (int i = 1; i <= std::min(m_nArgCount, HEADER_ARG_ROWS); ++i) {
        char szType[FUNC_TEXT_SIZE] = {};
        char szArg[FUNC_TEXT_SIZE] = {};
        parser.GetArg(i, szType, szArg);
        m_astrArgType[i - 1] = szType;
        m_astrArgName[i - 1] = szArg;
    }
    parser.Clear();
    return AnalyzeResult::Done;
}

std::vector<CBoxValue> CHeaderAnalysis::BoxValues(int nRows) const {
    std::vector<CBoxValue> values = {
        {HeaderKeyIndex(HeaderKey::Func), m_strFunc},
        {HeaderKeyIndex(HeaderKey::Ret), m_strRet},
        {HeaderKeyIndex(HeaderKey::Class), m_strClass},
    }; // GCOVR_EXCL_BR_LINE: the cleanup of an exception while the list is copied
    for (int i = 1; i <= HEADER_ARG_ROWS; ++i) {
        const bool bFilled = i <= nRows;
        values.push_back(
            {HeaderArgKeyIndex(i, ArgPart::Type), bFilled ? m_astrArgType[i - 1] : ""});
        values.push_back(
            {HeaderArgKeyIndex(i, ArgPart::Name), bFilled ? m_astrArgName[i - 1] : ""});
    }
    return values;
}

const char* HeaderAnalyzeMessage(AnalyzeResult eResult) {
    // Running out of memory says nothing about the declaration; calling it a syntax error would
    // send the user hunting for a fault that is not there.
    return eResult == AnalyzeResult::NoMemory      ? MSG_NO_MEMORY
           : eResult == AnalyzeResult::SyntaxError ? MSG_SYNTAX_ERROR
                                                   : nullptr;
}
