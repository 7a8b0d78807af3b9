#pragma once

#include "bench/bench_inputs.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

// Runs `edit` on a fresh copy of `input` in every iteration, in an array with room for the
// largest result (`room` bytes per input byte). The copy is part of the time; BM_Restore in
// text_bench times it alone so that it can be taken off.
template <typename Edit>
void BenchEdit(benchmark::State& state, const std::string& input, std::size_t room, Edit edit) {
    std::vector<char> text(input.size() * room + 1);
    for (auto _ : state) {
        std::memcpy(text.data(), input.c_str(), input.size() + 1);
        edit(text.data());
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(input.size()));
    state.SetComplexityN(static_cast<std::int64_t>(input.size()));
}

// The size argument of a benchmark run, as a byte count.
inline std::size_t BenchSize(const benchmark::State& state) {
    return static_cast<std::size_t>(state.range(0));
}

// A quarter, half and all of `largest` (bytes or lines), so that the report shows how the cost
// grows.
inline void BenchQuarterHalfFull(benchmark::internal::Benchmark* bench, std::size_t largest) {
    const auto full = static_cast<std::int64_t>(largest);
    bench->Arg(full / 4)->Arg(full / 2)->Arg(full)->Complexity();
}

// The sizes of a text from a form box, and of a pasted text.
inline void BenchTextSizes(benchmark::internal::Benchmark* bench) {
    BenchQuarterHalfFull(bench, BENCH_TEXT_MAX);
}
inline void BenchPasteSizes(benchmark::internal::Benchmark* bench) {
    BenchQuarterHalfFull(bench, BENCH_PASTE_MAX);
}
