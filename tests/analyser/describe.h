#pragma once

#include <string>

#include "analyser/func_parser.h"

// The getters' answers on one line: "result|function|return type|class flag|class|type/name;..."
// (a getter answering -1 leaves its part empty). A getter whose answer disagrees with what it
// copied, or an argument the list cannot give, shows as "?".
inline std::string Describe(const CFuncParser& parser, int nResult) {
    char szName[FUNC_TEXT_SIZE] = {}, szRet[FUNC_TEXT_SIZE] = {}, szClass[FUNC_TEXT_SIZE] = {};
    const bool bFunc = parser.GetFunc(szName, szRet) == 0;
    const bool bClass = parser.GetOwnerClass(szClass) == 0;
    std::string text = std::to_string(nResult) + "|" + szName +
                       (bFunc == (*szName != 0) ? "" : "?") + "|" + szRet + "|" +
                       std::to_string(parser.GetClassFlag()) + "|" + szClass +
                       (bClass == (*szClass != 0) ? "" : "?") + "|";
    for (int i = 1; i <= parser.GetArgCount(); ++i) {
        char szType[ARG_TEXT_SIZE] = {}, szArg[ARG_TEXT_SIZE] = {};
        const bool bFound = parser.GetArg(i, szType, szArg) == 0;
        text += std::string(i > 1 ? ";" : "") + (bFound ? "" : "?") + szType + "/" + szArg;
    }
    return text;
}
