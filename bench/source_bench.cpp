// The function finder on generated source files of 1,000, 10,000 and 100,000 lines: its cost
// must grow in proportion to the file, whatever the file holds.

#include "bench/bench_run.h"

#include "source/source_functions.h"

#include <string>

namespace {

// A typical file: every 20 lines a function with a comment of 10 to 16 lines above it, a
// declaration, and a body with a string, a character, a nested block and a line comment.
constexpr std::size_t LINES_PER_FUNCTION = 20;
constexpr std::size_t COMMENT_LINES_MIN = 10;
constexpr std::size_t COMMENT_LINES_SPREAD = 7;

std::string TypicalFile(std::size_t lines, SourceEncoding encoding) {
    // A line of comment text in the file's encoding: Japanese in code page 932 or UTF-8.
    const std::string words = encoding == SourceEncoding::Cp932
                                  ? " * \x8A\xD6\x90\x94\x82\xCC\x90\xE0\x96\xBE { } \\\n"
                                  : " * \xE9\x96\xA2\xE6\x95\xB0\xE3\x81\xAE\xE8\xAA\xAC\xE6\x98"
                                    "\x8E { } \\\n";
    std::string file;
    for (std::size_t function = 0; function < lines / LINES_PER_FUNCTION; ++function) {
        const std::size_t comment = COMMENT_LINES_MIN + function % COMMENT_LINES_SPREAD;
        file += "/*\n";
        for (std::size_t line = 2; line < comment; ++line) {
            file += words;
        }
        file += " */\n";
        const std::string name = "Function" + std::to_string(function);
        file += "static int " + name + "(const char* text, int count, CFoo* foo)\n{\n";
        file += "    if (count > 0) { foo->Run(\"{ not a brace (\", '}'); }\n";
        for (std::size_t line = comment + 4; line < LINES_PER_FUNCTION; ++line) {
            file += "    count += text[count]; // }\n";
        }
        file += "}\n";
    }
    return file;
}

// The worst case for the preprocessor's branches: a parameter list that runs through the whole
// file, with a group every five lines whose branches each start from a copy of the state.
constexpr std::size_t LINES_PER_GROUP = 5;

std::string BranchyFile(std::size_t lines) {
    std::string file = "int Head(int a,\n";
    for (std::size_t line = 2; line + LINES_PER_GROUP <= lines; line += LINES_PER_GROUP) {
        file += "#if A\n    int b,\n#else\n    long b,\n#endif\n";
    }
    return file + "    int z) {}\n";
}

void Run(benchmark::State& state, const std::string& file, SourceEncoding encoding,
         std::size_t expected) {
    std::size_t found = 0;
    for (auto _ : state) {
        found = SourceFindFunctions(file, encoding, false).size();
        benchmark::DoNotOptimize(found);
    }
    if (found != expected) {
        state.SkipWithError("the file does not hold the functions it was made with");
    }
    state.counters["functions"] = static_cast<double>(found);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(file.size()));
    state.SetComplexityN(state.range(0));
}

void BM_TypicalUtf8(benchmark::State& state) {
    const std::size_t lines = BenchSize(state);
    Run(state, TypicalFile(lines, SourceEncoding::Utf8), SourceEncoding::Utf8,
        lines / LINES_PER_FUNCTION);
}

void BM_TypicalCp932(benchmark::State& state) {
    const std::size_t lines = BenchSize(state);
    Run(state, TypicalFile(lines, SourceEncoding::Cp932), SourceEncoding::Cp932,
        lines / LINES_PER_FUNCTION);
}

void BM_Branches(benchmark::State& state) {
    const std::string file = BranchyFile(BenchSize(state));
    Run(state, file, SourceEncoding::Utf8, 1);
}

void FileSizes(benchmark::internal::Benchmark* bench) {
    bench->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN);
}

} // namespace

BENCHMARK(BM_TypicalUtf8)->Apply(FileSizes);
BENCHMARK(BM_TypicalCp932)->Apply(FileSizes);
BENCHMARK(BM_Branches)->Apply(FileSizes);

BENCHMARK_MAIN();
