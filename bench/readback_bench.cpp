#include "bench/bench_file.h"

#include "format/format_read.h"
#include "format/format_readback.h"
#include "header/header_readback.h"
#include "header/header_values.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace {

// A member function of six arguments as Analyse fills the boxes: types of several words, so that a
// line of type, name and description reads several ways and only the analysis settles it.
std::vector<CBoxValue> Analysed() {
    std::vector<CBoxValue> values = {{HeaderKeyIndex(HeaderKey::Func), "GetCount"},
                                     {HeaderKeyIndex(HeaderKey::Ret), "unsigned long"},
                                     {HeaderKeyIndex(HeaderKey::Class), "CList"}};
    const char* const types[] = {"const char",    "unsigned int", "int",
                                 "const CList &", "long long",    "void"};
    for (int row = 1; row <= HEADER_ARG_ROWS; ++row) {
        values.push_back({HeaderArgKeyIndex(row, ArgPart::Type), types[row - 1]});
        values.push_back({HeaderArgKeyIndex(row, ArgPart::Name), "*pArg" + std::to_string(row)});
    }
    return values;
}

// The comment `format` gives with every box filled, descriptions of several words.
std::string FilledComment(const CBenchFile& format) {
    CHeaderValues values;
    values.Set(Analysed());
    values.Set(HeaderKeyIndex(HeaderKey::RetText), "the number of entries counted");
    values.Set(HeaderKeyIndex(HeaderKey::Title), "Count the entries of a kind");
    values.Set(HeaderKeyIndex(HeaderKey::Developer), "Developer A");
    values.Set(HeaderKeyIndex(HeaderKey::Date), "2024/05/01");
    for (int row = 1; row <= HEADER_ARG_ROWS; ++row) {
        values.Set(HeaderArgKeyIndex(row, ArgPart::Text),
                   "what argument " + std::to_string(row) + " is for");
    }
    std::string comment;
    values.Expand(format.Path().c_str(), comment);
    return comment;
}

std::string Example(const std::string& name) {
    std::ifstream in(VELDANE_EXAMPLES_DIR "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads `comment` back through the format file in every iteration, file reading included.
void RunReadBack(benchmark::State& state, const CBenchFile& format, const std::string& comment) {
    const std::vector<CBoxValue> current = Analysed();
    CHeaderReading reading;
    ReadBackResult result = ReadBackResult::Unreadable;
    for (auto _ : state) {
        result = HeaderReadBack(format.Path().c_str(), comment, current, reading);
        benchmark::DoNotOptimize(reading);
    }
    state.counters["lines"] = static_cast<double>(std::count(comment.begin(), comment.end(), '\n'));
    state.counters["read"] = result == ReadBackResult::Read ? 1 : 0;
    state.counters["over_budget"] = reading.m_bOverBudget ? 1 : 0;
}

// The shipped examples' own comments for a member function of two arguments.
void BM_ReadBackExample(benchmark::State& state, const char* name) {
    const CBenchFile format(name, Example(name + std::string(".txt")));
    RunReadBack(state, format, Example("expected/" + std::string(name) + ".method.txt"));
}

// The shipped examples with every box filled: 13 lines each.
void BM_ReadBackFilled(benchmark::State& state, const char* name) {
    const CBenchFile format(std::string("filled_") + name, Example(name + std::string(".txt")));
    RunReadBack(state, format, FilledComment(format));
}

// 150 written lines that show all 25 keys, each six times and two to a line: the largest comment
// a format file gives, each pair of keys read several ways where it first stands.
void BM_ReadBackLimit(benchmark::State& state) {
    std::string text;
    for (int line = 0; line < FORMAT_LINE_LIMIT; ++line) {
        text += " * " + std::to_string(line) + ": <@" + g_apszHeaderKeys[line % HEADER_KEY_COUNT] +
                "@> <@" + g_apszHeaderKeys[(line + 1) % HEADER_KEY_COUNT] + "@>\n";
    }
    const CBenchFile format("limit", text);
    RunReadBack(state, format, FilledComment(format));
}

// The filled box comment with a line added at its end: every reading of the lines before is
// tried before the search gives up.
void BM_ReadBackFailsAtEnd(benchmark::State& state) {
    const CBenchFile format("fails_at_end", Example("box_ja.txt"));
    RunReadBack(state, format, FilledComment(format) + "edited\n");
}

// Four placeholders side by side over `length` bytes, shown again apart: every way of splitting
// the line is tried, since each is told apart only by the line after it.
std::string SplitFormat(const char* between) {
    const char* const keys[] = {"TITLE", "RET_TEXT", "DEVELOPER", "DATE"};
    std::string together;
    std::string apart;
    for (const char* key : keys) {
        together += std::string("<@") + key + "@>";
        apart += (apart.empty() ? "" : between) + std::string("<@") + key + "@>";
    }
    return together + "\n" + apart + "\n";
}

// Splits of 16 bytes, the most that still read within the budget, and of 20, which do not.
void BM_ReadBackAmbiguous(benchmark::State& state) {
    const std::size_t length = static_cast<std::size_t>(state.range(0));
    const CBenchFile format("ambiguous", SplitFormat("|"));
    const std::string value(length / 4, 'x');
    RunReadBack(state, format,
                std::string(length, 'x') + "\n" + value + "|" + value + "|" + value + "|" + value +
                    "\n");
}

// A split line whose second line never comes: the search runs to its step limit.
void BM_ReadBackOverBudget(benchmark::State& state) {
    const std::size_t length = static_cast<std::size_t>(state.range(0));
    const CBenchFile format("over_budget", SplitFormat("|"));
    RunReadBack(state, format, std::string(length, 'x') + "\n");
}

} // namespace

BENCHMARK_CAPTURE(BM_ReadBackExample, box_ja, "box_ja")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadBackExample, doxygen, "doxygen")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadBackFilled, box_ja, "box_ja")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadBackFilled, doxygen, "doxygen")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBackLimit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBackFailsAtEnd)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBackAmbiguous)->Arg(16)->Arg(20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBackOverBudget)->Arg(256)->Arg(4000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
