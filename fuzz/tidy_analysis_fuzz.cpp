// The tidy declaration analysis on arbitrary bytes, with drop words of the user's taken from the
// input: it must end, touch no memory out of bounds, and keep the promises of its results.

#include "analyser/tidy_analysis.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Each byte of the declaration lands in the results at most once, with at most one separator
// after it; a folded operator name and "operator " add a few bytes of their own.
constexpr std::size_t RESULT_SLACK = 16;

// No part holds a line break: line breaks are blanks, and comments (the only tokens that can
// hold one) never enter a part. (A literal can hold a comment's marks.)
bool IsClean(std::string_view text) {
    return text.find('\n') == std::string_view::npos;
}

std::string Describe(const CTidyAnalysis& analysis) {
    std::string text = analysis.Func() + "|" + analysis.Class() + "|" + analysis.Ret();
    for (const CTidyArg& arg : analysis.Args()) {
        text += "|" + arg.m_strType + "/" + arg.m_strName + "/" + arg.m_strText;
    }
    return text;
}

void CheckDone(const CTidyAnalysis& analysis, std::size_t size) {
    FuzzCheck(!analysis.Func().empty() && IsClean(analysis.Func()), "a function name, clean");
    FuzzCheck(IsClean(analysis.Ret()) && IsClean(analysis.Class()), "return type and class clean");
    std::size_t total = analysis.Func().size() + analysis.Ret().size() + analysis.Class().size();
    for (const CTidyArg& arg : analysis.Args()) {
        FuzzCheck(!arg.m_strType.empty() && IsClean(arg.m_strType), "every type present, clean");
        FuzzCheck(arg.m_strName.find_first_of(" \t\r\n/*") == std::string::npos,
                  "a name without blanks or comment marks");
        FuzzCheck(arg.m_strText.empty() ||
                      (arg.m_strText.front() != ' ' && arg.m_strText.back() != ' '),
                  "a comment's text trimmed");
        total += arg.m_strType.size() + arg.m_strName.size() + arg.m_strText.size();
    }
    FuzzCheck(total <= 2 * size + RESULT_SLACK, "results no longer than the declaration allows");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    // The first string holds the user's drop words, separated by spaces.
    std::vector<std::string> vecDrop;
    for (const char ch : input.TakeCString()) {
        if (vecDrop.empty() || ch == ' ') {
            vecDrop.emplace_back();
        }
        if (ch != ' ') {
            vecDrop.back() += ch;
        }
    }
    const std::string decl = input.TakeRest();

    CTidyAnalysis analysis;
    FuzzCheck(analysis.Analyze("int CFoo::Get(char *p /* x */, int n) const") == TidyResult::Done,
              "warm-up declaration");
    const TidyResult eResult = analysis.Analyze(decl, vecDrop);
    if (eResult == TidyResult::Done) {
        CheckDone(analysis, decl.size());
    } else {
        FuzzCheck(eResult == TidyResult::SyntaxError && Describe(analysis) == "||",
                  "a syntax error leaves every part empty");
    }
    // The same declaration read again by the same object gives the same result.
    const std::string described = Describe(analysis);
    FuzzCheck(analysis.Analyze(decl, vecDrop) == eResult && Describe(analysis) == described,
              "a second analysis repeats the first");
    return 0;
}
