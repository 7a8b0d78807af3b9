#include "bench/bench_file.h"
#include "bench/bench_inputs.h"
#include "bench/bench_run.h"

#include "format/field_list.h"
#include "format/format_read.h"
#include "header/header_values.h"

namespace {

// Length of the values of a typical header: a name, a type or a short description.
constexpr std::size_t TYPICAL_VALUE_LENGTH = 24;

// A list holding all 25 header fields, each `length` bytes long.
class CBenchFields {
public:
    explicit CBenchFields(std::size_t length) : m_values(length) {
        HeaderAddFields(m_list, m_values.m_apszValue.data());
    }
    CFieldList& List() { return m_list; }

private:
    CBenchValues m_values;
    CFieldList m_list;
};

// Expands the format `text` with values of `valueLength` bytes in every iteration.
// The file is named after the benchmark so that two runs at once do not share it.
void RunExpandFile(benchmark::State& state, const char* name, const std::string& text,
                   std::size_t valueLength) {
    const CBenchFile file(name, text);
    CBenchFields fields(valueLength);
    std::vector<char> output(EXPAND_OUTPUT_SIZE);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fields.List().ExpandFile(file.Path().c_str(), output.data()));
        benchmark::ClobberMemory();
    }
    state.counters["output"] = static_cast<double>(std::strlen(output.data()));
    state.SetComplexityN(state.range(0));
}

// Every line full of placeholders and ended by a condition that holds, with values as long as
// the expansion takes: all lines are expanded in full and nothing fills the output to stop it.
void BM_ExpandFileConditions(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    RunExpandFile(state, "conditions", BenchConditionFormat(lines), BENCH_VALUE_MAX);
}

// Condition lines and placeholder lines in turn, with the longest values that keep the whole
// expansion within the output: the largest header that is written in full.
void BM_ExpandFileWritten(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    RunExpandFile(state, "written", BenchWrittenFormat(lines), BenchWrittenValueLength(lines));
}

// A shipped example file with values of typical length, for comparison with the limits.
void BM_ExpandFileExample(benchmark::State& state) {
    std::ifstream in(VELDANE_EXAMPLES_DIR "/doxygen.txt", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    RunExpandFile(state, "example", text, TYPICAL_VALUE_LENGTH);
}

// One line of placeholders with values as long as the expansion takes.
void BM_ExpandLine(benchmark::State& state) {
    const std::string line = BenchFormatLine(BenchSize(state), "");
    CBenchFields fields(BENCH_VALUE_MAX);
    std::vector<char> output(EXPAND_OUTPUT_SIZE);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fields.List().ExpandLine(line.c_str(), output.data()));
        // The output is appended to and must be zero behind its text, as ExpandFile leaves it.
        std::memset(output.data(), 0, std::strlen(output.data()));
    }
    state.SetComplexityN(state.range(0));
}

// A quarter, half and all of the lines a format file may have expanded, and of a line's bytes.
void LineCounts(benchmark::internal::Benchmark* bench) {
    BenchQuarterHalfFull(bench, FORMAT_LINE_LIMIT);
}
void LineSizes(benchmark::internal::Benchmark* bench) {
    BenchQuarterHalfFull(bench, BENCH_FORMAT_LINE);
}

} // namespace

BENCHMARK(BM_ExpandFileConditions)->Apply(LineCounts)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExpandFileWritten)->Apply(LineCounts)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExpandFileExample)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExpandLine)->Apply(LineSizes)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
