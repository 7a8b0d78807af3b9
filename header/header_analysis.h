#pragma once

#include "header/analysis_choice.h"
#include "header/header_keys.h"

#include <string>
#include <string_view>
#include <vector>

enum class AnalyzeResult { Done, SyntaxError, NoMemory };

// The text of one box, by its key's place in g_apszHeaderKeys.
struct CBoxValue {
    int m_nKey;
    std::string m_strText;
};

// One declaration split into the boxes Analyse fills: function, return type, class and the type
// and name of each argument row.
class CHeaderAnalysis {
public:
    // Analyses the declaration box's text (read as a box gives it) the way `choice` says. Done
    // with the boxes' values; otherwise every value stays empty and no argument is counted.
    AnalyzeResult Analyze(std::string_view declaration, const CAnalysisChoice& choice = {});

    // The declaration's arguments, which may be more than the form has rows.
    int ArgCount() const { return m_nArgCount; }

    // Every box Analyse fills, with its value: the argument rows from nRows + 1 on empty (the
    // caller decides how many rows to fill when there are more arguments than rows). On an
    // analysis not run or refused, all of them empty, which is what clearing the analysis
    // shows.
    std::vector<CBoxValue> BoxValues(int nRows) const;

    // The description the declaration itself carries for argument row nRow (from 1 to
    // HEADER_ARG_ROWS), written as a comment right after the parameter: the tidy analysis reads
    // them, the fixed rules never do. Empty when there is none.
    const std::string& ArgComment(int nRow) const { return m_astrArgText[nRow - 1]; }

private:
    AnalyzeResult AnalyzeByRules(const std::string& box);
    AnalyzeResult AnalyzeTidily(const std::string& box, const CAnalysisChoice& choice);

    std::string m_strFunc;
    std::string m_strRet;
    std::string m_strClass;
    int m_nArgCount = 0;
    std::string m_astrArgType[HEADER_ARG_ROWS];
    std::string m_astrArgName[HEADER_ARG_ROWS];
    std::string m_astrArgText[HEADER_ARG_ROWS];
};

// The message that tells the user why an analysis was refused (UTF-8); null for Done.
const char* HeaderAnalyzeMessage(AnalyzeResult eResult);
