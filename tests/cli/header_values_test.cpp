#include "cli/header_values.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

namespace {

TEST(HeaderValues, CutAValueAsTheWindowReadsABox) {
    CHeaderValues values;
    values.Set("TITLE", std::string(1024, 'a'));
    values.Set("DATE", std::string(1022, 'a') + "\x8a\xbf"); // a double-byte character at the edge
    EXPECT_EQ(values.Get("TITLE"), std::string(1023, 'a'));
    EXPECT_EQ(values.Get("DATE"), std::string(1022, 'a'));
}

TEST(HeaderValues, NoMemoryWhileCleaningIsABufferError) {
    CHeaderValues values;
    int argCount = 0;
    TxtSetAllocHook([](std::size_t) { return false; });
    const int result = values.SetDeclaration("int f(int a) /* comment */", argCount);
    TxtSetAllocHook(nullptr);
    EXPECT_EQ(result, DECL_BUFFER_ERROR);
}

} // namespace
