#include "cli/header_values.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

namespace {

TEST(HeaderValues, NoMemoryWhileCleaningIsABufferError) {
    CHeaderValues values;
    int argCount = 0;
    TxtSetAllocHook([](std::size_t) { return false; });
    const int result = values.SetDeclaration("int f(int a) /* comment */", argCount);
    TxtSetAllocHook(nullptr);
    EXPECT_EQ(result, DECL_BUFFER_ERROR);
}

} // namespace
