// The driver of scripts/measure-tidy: reads declarations separated by NUL bytes from standard
// input and writes, for each, one line of the tidy analysis and one of the design's analyser as
// the window runs it (pasted, cleaned, cut to the box), fields separated by tabs:
//   T <result> <function> <class> <return type> <count> (<type> <name> <text>)...
//   D <result> <function> <class> <return type> <count> (<type> <name>)...
// result is 0 for an analysis done. Extra drop words may be given as arguments.

#include "analyser/func_parser.h"
#include "analyser/tidy_analysis.h"
#include "header/box_text.h"

#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

void WriteTidy(std::string_view decl, const std::vector<std::string>& vecDrop) {
    CTidyAnalysis analysis;
    const TidyResult eResult = analysis.Analyze(decl, vecDrop);
    std::cout << "T\t" << (eResult == TidyResult::Done ? 0 : -1) << '\t' << analysis.Func() << '\t'
              << analysis.Class() << '\t' << analysis.Ret() << '\t' << analysis.Args().size();
    for (const CTidyArg& arg : analysis.Args()) {
        std::cout << '\t' << arg.m_strType << '\t' << arg.m_strName << '\t' << arg.m_strText;
    }
    std::cout << '\n';
}

void WriteDesign(std::string_view decl) {
    std::string strCleaned;
    HeaderCleanPaste(decl, strCleaned);
    CFuncParser parser;
    const int nResult = parser.Analyze(HeaderBoxText(strCleaned).c_str());
    char szName[FUNC_TEXT_SIZE] = {};
    char szRet[FUNC_TEXT_SIZE] = {};
    char szClass[FUNC_TEXT_SIZE] = {};
    parser.GetFunc(szName, szRet);
    parser.GetOwnerClass(szClass);
    std::cout << "D\t" << nResult << '\t' << szName << '\t' << szClass << '\t' << szRet << '\t'
              << parser.GetArgCount();
    for (int i = 1; i <= parser.GetArgCount(); ++i) {
        char szType[ARG_TEXT_SIZE] = {};
        char szArg[ARG_TEXT_SIZE] = {};
        parser.GetArg(i, szType, szArg);
        std::cout << '\t' << szType << '\t' << szArg;
    }
    std::cout << '\n';
    parser.Clear();
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> vecDrop(argv + 1, argv + argc);
    const std::string strInput{std::istreambuf_iterator<char>(std::cin),
                               std::istreambuf_iterator<char>()};
    std::size_t nPos = 0;
    while (nPos < strInput.size()) {
        std::size_t nEnd = strInput.find('\0', nPos);
        nEnd = nEnd == std::string::npos ? strInput.size() : nEnd;
        const std::string_view decl(strInput.data() + nPos, nEnd - nPos);
        WriteTidy(decl, vecDrop);
        WriteDesign(decl);
        nPos = nEnd + 1;
    }
    return 0;
}
