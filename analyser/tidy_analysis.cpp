#include "analyser/tidy_analysis.h"

#include "analyser/tidy_brackets.h"
#include "analyser/tidy_drop_list.h"
#include "analyser/tidy_reader.h"
#include "analyser/tidy_tokens.h"

TidyResult CTidyAnalysis::Analyze(std::string_view declaration,
                                  const std::vector<std::string>& vecExtraDrop) {
    m_parts = CTidyParts();
    std::vector<CTidyToken> vecTokens;
    TidyTokenize(declaration, vecTokens);
    CTidySpan span;
    if (!TidyPairBrackets(vecTokens, span)) {
        return TidyResult::SyntaxError;
    }
    const CTidyDropList dropList(vecExtraDrop);
    CTidyParts parts;
    if (!CTidyReader(vecTokens, span, dropList).Read(parts)) {
        return TidyResult::SyntaxError;
    }
    m_parts = std::move(parts);
    return TidyResult::Done;
}
