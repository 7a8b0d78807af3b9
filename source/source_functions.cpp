#include "source/source_functions.h"

#include "source/source_scanner.h"

#include <algorithm>

std::vector<CSourceFunction> SourceFindFunctions(std::string_view file, SourceEncoding encoding,
                                                 bool bDeclarations) {
    return CSourceScanner(file, encoding, bDeclarations).Run();
}

int SourceFunctionAt(const std::vector<CSourceFunction>& functions, std::size_t line) {
    // In file order and never overlapping, the functions' last lines never decrease: the first
    // one ending on or after the line is the only one that can hold it.
    const auto found = std::lower_bound(functions.begin(), functions.end(), line,
                                        [](const CSourceFunction& function, std::size_t key) {
                                            return function.m_nLastLine < key;
                                        });
    if (found == functions.end()) {
        return -1;
    }
    const std::size_t first =
        found->m_nCommentFirstLine != 0 ? found->m_nCommentFirstLine : found->m_nFirstLine;
    return first <= line ? static_cast<int>(found - functions.begin()) : -1;
}
