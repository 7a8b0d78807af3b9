#include "bench/bench_inputs.h"
#include "bench/bench_run.h"

#include "text/txt.h"

#include <string>

namespace {

// Repeats `unit` up to exactly `size` bytes.
std::string Repeat(const std::string& unit, std::size_t size) {
    std::string text;
    while (text.size() < size) {
        text += unit;
    }
    text.resize(size);
    return text;
}

// Everything a benchmark of an edit spends besides the edit: restoring the text.
void BM_Restore(benchmark::State& state) {
    BenchEdit(state, Repeat("a", BenchSize(state)), 1, [](char*) {});
}

// The last of the most fields a text holds: the scan crosses every delimiter.
void BM_TxtGetField(benchmark::State& state) {
    const std::string text = Repeat("a ", BenchSize(state));
    const int last = TxtCountChar(text.c_str(), ' ') + 1;
    std::vector<char> out(text.size() + 1);
    BenchEdit(state, text, 1, [&](char* in) {
        std::memset(out.data(), 0, out.size());
        TxtGetField(in, ' ', last, out.data());
    });
}

// One byte after a run of `ch` as long as the text: the longest trim that leaves something.
void BM_TxtTrimLeft(benchmark::State& state) {
    BenchEdit(state, std::string(BenchSize(state) - 1, ' ') + "a", 1,
              [](char* text) { TxtTrimLeft(text, ' '); });
}

void BM_TxtTrimRight(benchmark::State& state) {
    BenchEdit(state, "a" + std::string(BenchSize(state) - 1, ' '), 1,
              [](char* text) { TxtTrimRight(text, ' '); });
}

void BM_TxtTrim(benchmark::State& state) {
    const std::size_t size = BenchSize(state);
    BenchEdit(state, std::string(size / 2, ' ') + "a" + std::string(size - size / 2 - 1, ' '), 1,
              [](char* text) { TxtTrim(text, ' '); });
}

// Every byte belongs to an occurrence: the most matches and the most bytes dropped.
void BM_TxtRemove(benchmark::State& state) {
    BenchEdit(state, Repeat("<@", BenchSize(state)), 1, [](char* text) { TxtRemove(text, "<@"); });
}

void BM_TxtCountChar(benchmark::State& state) {
    BenchEdit(state, Repeat("a ", BenchSize(state)), 1,
              [](char* text) { benchmark::DoNotOptimize(TxtCountChar(text, ' ')); });
}

// A near miss at every other byte: each "<@" begins the pattern and the third byte fails it.
void BM_TxtCount(benchmark::State& state) {
    BenchEdit(state, Repeat("<@", BenchSize(state)), 1,
              [](char* text) { benchmark::DoNotOptimize(TxtCount(text, "<@>")); });
}

void BM_TxtReplaceChar(benchmark::State& state) {
    BenchEdit(state, std::string(BenchSize(state), '\t'), 1,
              [](char* text) { TxtReplaceChar(text, '\t', ' '); });
}

// Every byte turned into several: the longest result a replacement can make of the text.
void BM_TxtReplace(benchmark::State& state) {
    const std::string replacement(BENCH_REPLACE_GROWTH, 'b');
    BenchEdit(state, std::string(BenchSize(state), 'a'), BENCH_REPLACE_GROWTH,
              [&](char* text) { TxtReplace(text, "a", replacement.c_str()); });
}

// As many line feeds as bytes, each turned into CR LF as every expanded line is.
void BM_TxtReplaceLineFeeds(benchmark::State& state) {
    BenchEdit(state, std::string(BenchSize(state), '\n'), 2,
              [](char* text) { TxtReplace(text, "\n", "\r\n"); });
}

void BM_TxtSqueeze(benchmark::State& state) {
    BenchEdit(state, std::string(BenchSize(state), ' '), 1,
              [](char* text) { TxtSqueeze(text, ' '); });
}

void BM_TxtCheckParens(benchmark::State& state) {
    const std::size_t size = BenchSize(state);
    BenchEdit(state, std::string(size / 2, '(') + std::string(size - size / 2, ')'), 1,
              [](char* text) { benchmark::DoNotOptimize(TxtCheckParens(text)); });
}

// The smallest complete regions side by side: the most regions a text holds.
void BM_TxtCountRegions(benchmark::State& state) {
    BenchEdit(state, Repeat("<@a@>", BenchSize(state)), 1,
              [](char* text) { benchmark::DoNotOptimize(TxtCountRegions(text, "<@", "@>")); });
}

// The content of the last of them, so that the scan runs to the end.
void BM_TxtGetRegion(benchmark::State& state) {
    const std::string text = Repeat("<@a@>", BenchSize(state));
    const int last = TxtCountRegions(text.c_str(), "<@", "@>");
    char out[BENCH_TEXT_MAX + 1];
    BenchEdit(state, text, 1, [&](char* in) {
        std::memset(out, 0, sizeof out);
        TxtGetRegion(in, last, "<@", "@>", out);
    });
}

// Nested and adjacent comments: one pass per comment, over a text that shrinks slowly.
void BM_TxtRemoveRegions(benchmark::State& state) {
    BenchEdit(state, BenchCommentTower(BenchSize(state)), 1,
              [](char* text) { TxtRemoveRegions(text, "/*", "*/"); });
}

void BM_TxtCleanPasted(benchmark::State& state) {
    BenchEdit(state, BenchPasted(BenchSize(state)), 1, [](char* text) { TxtCleanPasted(text); });
}

} // namespace

BENCHMARK(BM_Restore)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtGetField)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtTrimLeft)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtTrimRight)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtTrim)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtRemove)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtCountChar)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtCount)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtReplaceChar)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtReplace)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtReplaceLineFeeds)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtSqueeze)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtCheckParens)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtCountRegions)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtGetRegion)->Apply(BenchTextSizes);
BENCHMARK(BM_TxtRemoveRegions)->Apply(BenchPasteSizes);
BENCHMARK(BM_TxtCleanPasted)->Apply(BenchPasteSizes);

BENCHMARK_MAIN();
