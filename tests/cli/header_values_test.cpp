#include "cli/header_values.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

namespace {

// Running out of memory is told apart from a faulty declaration, whichever step it hits.
TEST(HeaderValues, NoMemoryIsNeverASyntaxError) {
    const struct {
        const char* name;
        const char* pasted;
        int expected;
    } rows[] = {
        {"while cleaning a comment", "int f(int a) /* comment */", DECL_BUFFER_ERROR},
        {"while analysing", "int f(int a)", DECL_NO_MEMORY},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CHeaderValues values;
        int argCount = 0;
        TxtSetAllocHook([](std::size_t) { return false; });
        const int result = values.SetDeclaration(row.pasted, argCount);
        TxtSetAllocHook(nullptr);
        EXPECT_EQ(result, row.expected);
    }
}

} // namespace
