#include "bench/bench_inputs.h"
#include "bench/bench_run.h"

#include "analyser/func_parser.h"

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

void RunAnalyse(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        AnalyseOnce(text.c_str());
    }
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
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

} // namespace

BENCHMARK(BM_Analyze)->Apply(BenchTextSizes);
BENCHMARK(BM_AnalyzeWords)->Apply(BenchTextSizes);
BENCHMARK_CAPTURE(BM_AnalyzeExample, scope, "static int CFoo::Bar(const char *name, int n);");
BENCHMARK_CAPTURE(BM_AnalyzeExample, void, "void f(void)");
BENCHMARK_CAPTURE(BM_AnalyzeExample, spaced,
                  "unsigned long\tCList :: Find( const char* key , int n ) const ;");

BENCHMARK_MAIN();
