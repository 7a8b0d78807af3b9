// The function finder on arbitrary bytes, in either encoding and with or without declarations:
// every function it gives stays inside the file, in order, apart from the others, with its
// offsets, lines and end bytes agreeing, and the line lookup finds each one's lines.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "source/source_functions.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Line (from 1) of the byte at `offset`.
std::size_t LineOf(const std::string& file, std::size_t offset) {
    return 1 + static_cast<std::size_t>(std::count(file.begin(), file.begin() + offset, '\n'));
}

void CheckFunction(const std::string& file, const CSourceFunction& function) {
    const std::size_t size = file.size();
    FuzzCheck(function.m_nFirstOffset <= function.m_nDeclStart &&
                  function.m_nDeclStart <= function.m_nDeclEnd &&
                  function.m_nDeclEnd < function.m_nLastOffset && function.m_nLastOffset <= size,
              "offsets in order and inside the file");
    FuzzCheck(function.m_nFirstOffset == 0 || file[function.m_nFirstOffset - 1] == '\n' ||
                  (function.m_nFirstOffset == 3 && file.compare(0, 3, "\xEF\xBB\xBF") == 0),
              "the first offset begins a line");
    FuzzCheck(file[function.m_nDeclEnd] == (function.m_bDefinition ? '{' : ';'),
              "the declaration ends at its '{' or ';'");
    const bool closed = file[function.m_nLastOffset - 1] == (function.m_bDefinition ? '}' : ';');
    FuzzCheck(closed || (function.m_bDefinition && function.m_nLastOffset == size),
              "the end is the body's '}' or the ';', or the file's end for an open body");
    FuzzCheck(LineOf(file, function.m_nDeclStart) == function.m_nFirstLine &&
                  LineOf(file, function.m_nLastOffset - 1) == function.m_nLastLine,
              "first and last line agree with the offsets");
    FuzzCheck(function.m_nFirstLine <= function.m_nNameLine &&
                  function.m_nNameLine <= function.m_nLastLine,
              "the name lies between the first and the last line");
    FuzzCheck(function.m_nCommentFirstLine < function.m_nFirstLine, "comment lines come above");
    FuzzCheck(!function.m_strName.empty() && function.m_nNameColumn >= 1, "a name and a column");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    const unsigned char mode = input.TakeByte();
    const std::string file = input.TakeRest();
    const SourceEncoding encoding = (mode & 1) != 0 ? SourceEncoding::Cp932 : SourceEncoding::Utf8;
    const std::vector<CSourceFunction> functions =
        SourceFindFunctions(file, encoding, (mode & 2) != 0);

    for (std::size_t i = 0; i < functions.size(); ++i) {
        const CSourceFunction& function = functions[i];
        CheckFunction(file, function);
        if (i > 0) {
            FuzzCheck(functions[i - 1].m_nLastOffset <= function.m_nDeclStart &&
                          functions[i - 1].m_nLastLine <= function.m_nFirstLine,
                      "functions in file order, none overlapping another");
        }
        // The first function holding a line may be an earlier one that ends on it.
        for (const std::size_t line : {function.m_nFirstLine, function.m_nLastLine}) {
            const int at = SourceFunctionAt(functions, line);
            FuzzCheck(at >= 0 && static_cast<std::size_t>(at) <= i &&
                          functions[static_cast<std::size_t>(at)].m_nLastLine >= line,
                      "the line lookup finds a function holding each function's lines");
        }
    }
    return 0;
}
