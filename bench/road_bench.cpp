#include "bench/bench_file.h"
#include "bench/bench_inputs.h"
#include "bench/bench_run.h"

#include "analyser/func_parser.h"
#include "format/field_list.h"
#include "format/format_read.h"
#include "header/header_values.h"
#include "text/txt.h"

#include <algorithm>
#include <array>

namespace {

// Where the analysis puts its results among the header values (in header key order).
constexpr int VALUE_FUNC = 0;
constexpr int VALUE_RET = 1;
constexpr int VALUE_CLASS = 3;
constexpr int VALUE_FIRST_ARG = 7;
// Values per argument row: type, name, description.
constexpr int VALUE_ARG_STRIDE = 3;
// Room of a form box: what the window reads into for the analysis and the header.
constexpr std::size_t BOX_SIZE = BENCH_TEXT_MAX + 1;

// The inputs of one header at a fraction 1/`divisor` of the limits: the pasted text, the
// format file and the typed values (descriptions, title, developer, date).
struct CRoadInputs {
    std::string m_strPasted;
    CBenchFile m_file;
    CBenchValues m_typed;

    explicit CRoadInputs(int divisor)
        : m_strPasted(BenchPasted(BENCH_PASTE_MAX / static_cast<std::size_t>(divisor))),
          m_file("road", BenchWrittenFormat(FORMAT_LINE_LIMIT / divisor)),
          m_typed(BenchWrittenValueLength(FORMAT_LINE_LIMIT / divisor)) {}
};

// Paste, analyse, fill the field list and expand, as the window's commands do one after the
// other, with the boxes in between.
void MakeHeader(const CRoadInputs& inputs, char* output) {
    std::array<char, BENCH_PASTE_MAX + 1> szPasted{};
    std::memcpy(szPasted.data(), inputs.m_strPasted.c_str(), inputs.m_strPasted.size());
    TxtCleanPasted(szPasted.data());

    // The form's boxes: the declaration box cuts the pasted text to its size.
    std::array<std::array<char, BOX_SIZE>, HEADER_KEY_COUNT> boxes{};
    std::array<char, BOX_SIZE> szDecl{};
    std::memcpy(szDecl.data(), szPasted.data(),
                std::min(std::strlen(szPasted.data()), BOX_SIZE - 1));
    CFuncParser parser;
    parser.Analyze(szDecl.data());
    parser.GetFunc(boxes[VALUE_FUNC].data(), boxes[VALUE_RET].data());
    parser.GetOwnerClass(boxes[VALUE_CLASS].data());
    for (int row = 0; row < HEADER_ARG_ROWS; ++row) {
        const int type = VALUE_FIRST_ARG + row * VALUE_ARG_STRIDE;
        parser.GetArg(row + 1, boxes[type].data(), boxes[type + 1].data());
    }
    parser.Clear();

    std::array<const char*, HEADER_KEY_COUNT> values{};
    for (int i = 0; i < HEADER_KEY_COUNT; ++i) {
        values[i] = boxes[i][0] != '\0' ? boxes[i].data() : inputs.m_typed.m_apszValue[i];
    }
    CFieldList list;
    HeaderAddFields(list, values.data());
    list.ExpandFile(inputs.m_file.Path().c_str(), output);
    list.FreeFields();
}

// The whole road of one header without the window, at a quarter, half and all of the limits.
void BM_HeaderRoad(benchmark::State& state) {
    const CRoadInputs inputs(static_cast<int>(state.range(0)));
    std::vector<char> output(EXPAND_OUTPUT_SIZE);
    for (auto _ : state) {
        MakeHeader(inputs, output.data());
        benchmark::ClobberMemory();
    }
    state.counters["output"] = static_cast<double>(std::strlen(output.data()));
}

} // namespace

// The argument is the divisor of the limits: 4, 2 and 1 for a quarter, half and full size.
BENCHMARK(BM_HeaderRoad)->Arg(4)->Arg(2)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
