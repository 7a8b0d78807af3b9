#include "cli/header_values.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(HeaderValues, CutAValueAsTheWindowReadsABox) {
    const std::string kanji = "\x8a\xbf"; // one double-byte character in code page 932
    const std::tuple<const char*, std::string, std::size_t> rows[] = {
        {"Empty", "", 0},
        {"Full", std::string(1023, 'a'), 1023},
        {"OnePastFull", std::string(1024, 'a'), 1023},
        {"DoubleByteAcrossTheEdge", std::string(1022, 'a') + kanji, 1022},
        {"DoubleByteEndingAtTheEdge", std::string(1021, 'a') + kanji + "b", 1023},
    };
    for (const auto& [name, value, kept] : rows) {
        CHeaderValues values;
        ASSERT_TRUE(values.Set("TITLE", value)) << name;
        EXPECT_EQ(values.Get("TITLE"), value.substr(0, kept)) << name;
    }
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
