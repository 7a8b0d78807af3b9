#include "bench/bench_inputs.h"
#include "bench/bench_run.h"

#include "analyser/func_parser.h"
#include "analyser/tidy_analysis.h"

namespace {

// One run of the analyse command's core: a fresh object, the analysis, every argument read out
// and the list released.
void AnalyseOnce(const char* text) {
    CFuncParser parser;
    benchmark::DoNotOptimize(parser.Analyze(text));
    char szType[ARG_TEXT_SIZE];
    char szName[ARG_TEXT_SIZE];
    for (int i = 1; i <= parser.GetArgCount(); ++i) {
        parser.GetArg(i, szType, szName);
    }
    benchmark::DoNotOptimize(szType);
    parser.Clear();
}

// The tidy analysis of the same text: a fresh object, the analysis, the results left in it.
void TidyOnce(const char* text) {
    CTidyAnalysis analysis;
    benchmark::DoNotOptimize(analysis.Analyze(text));
    benchmark::DoNotOptimize(analysis.Args().data());
}

// Runs `once` on the text in every iteration.
void RunOn(benchmark::State& state, const std::string& text, void (*once)(const char*)) {
    for (auto _ : state) {
        once(text.c_str());
    }
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}

void RunAnalyse(benchmark::State& state, const std::string& text) {
    RunOn(state, text, &AnalyseOnce);
}

void RunTidy(benchmark::State& state, const std::string& text) {
    RunOn(state, text, &TidyOnce);
}

// A declaration as long as the box allows with the most arguments that fit.
void BM_Analyze(benchmark::State& state) {
    RunAnalyse(state, BenchDeclaration(BenchSize(state)));
}

// The same with the most words in the return type and in one argument's type.
void BM_AnalyzeWords(benchmark::State& state) {
    RunAnalyse(state, BenchDeclarationWords(BenchSize(state)));
}

// The three worked examples of the analyser's rules.
void BM_AnalyzeExample(benchmark::State& state, const char* text) {
    RunAnalyse(state, text);
}

// Function pointer parameters nested in one another, "v f(v(*a)(v(*a)(...int...)))", about
// `size` bytes: every level is a declarator, a parameter list and a type to spell.
std::string NestedDeclaration(std::size_t size) {
    constexpr std::size_t LEVEL = 7; // "v(*a)(" and its ")"
    const std::size_t levels = (size - 9) / LEVEL;
    std::string text = "v f(";
    for (std::size_t i = 0; i < levels; ++i) {
        text += "v(*a)(";
    }
    return text + "int" + std::string(levels, ')') + ")";
}

void BM_TidyAnalyze(benchmark::State& state) {
    RunTidy(state, BenchDeclaration(BenchSize(state)));
}

void BM_TidyAnalyzeWords(benchmark::State& state) {
    RunTidy(state, BenchDeclarationWords(BenchSize(state)));
}

// The paste as it comes, comments and line breaks included, which the tidy analysis reads
// itself: every argument has a comment to take.
void BM_TidyAnalyzePasted(benchmark::State& state) {
    RunTidy(state, BenchPasted(BenchSize(state)));
}

void BM_TidyAnalyzeNested(benchmark::State& state) {
    RunTidy(state, NestedDeclaration(BenchSize(state)));
}

void BM_TidyAnalyzeExample(benchmark::State& state, const char* text) {
    RunTidy(state, text);
}

} // namespace

BENCHMARK(BM_Analyze)->Apply(BenchTextSizes);
BENCHMARK(BM_AnalyzeWords)->Apply(BenchTextSizes);
BENCHMARK_CAPTURE(BM_AnalyzeExample, scope, "static int CFoo::Bar(const char *name, int n);");
BENCHMARK_CAPTURE(BM_AnalyzeExample, void, "void f(void)");
BENCHMARK_CAPTURE(BM_AnalyzeExample, spaced,
                  "unsigned long\tCList :: Find( const char* key , int n ) const ;");

BENCHMARK(BM_TidyAnalyze)->Apply(BenchTextSizes);
BENCHMARK(BM_TidyAnalyzeWords)->Apply(BenchTextSizes);
BENCHMARK(BM_TidyAnalyzePasted)->Apply(BenchPasteSizes);
BENCHMARK(BM_TidyAnalyzeNested)->Apply(BenchTextSizes);
BENCHMARK_CAPTURE(BM_TidyAnalyzeExample, scope, "static int CFoo::Bar(const char *name, int n);");
BENCHMARK_CAPTURE(BM_TidyAnalyzeExample, void, "void f(void)");
BENCHMARK_CAPTURE(BM_TidyAnalyzeExample, spaced,
                  "unsigned long\tCList :: Find( const char* key , int n ) const ;");
// Real prototypes as their headers write them.
BENCHMARK_CAPTURE(BM_TidyAnalyzeExample, glibc,
                  "extern void *memset (void *__s, int __c, size_t __n) __THROW __nonnull ((1));");
BENCHMARK_CAPTURE(
    BM_TidyAnalyzeExample, qt,
    "    QString &replace(qsizetype i, qsizetype len, const QChar *s, qsizetype slen,\n"
    "                     Qt::CaseSensitivity cs = Qt::CaseSensitive);");
BENCHMARK_CAPTURE(
    BM_TidyAnalyzeExample, x11,
    "extern int XDrawString(\n    Display*\t\t/* display */,\n    Drawable\t\t/* d */,\n"
    "    GC\t\t\t/* gc */,\n    int\t\t\t/* x */,\n    int\t\t\t/* y */,\n"
    "    _Xconst char*\t/* string */,\n    int\t\t\t/* length */\n);");

BENCHMARK_MAIN();
