#include "cli/header_values.h"
#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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

// Only the form's keys take a value, and a value is what a box would hold.
TEST(HeaderValues, SetTakesTheFormsKeysAsABoxWould) {
    const std::tuple<const char*, std::string, bool, std::string> rows[] = {
        {"TITLE", "t", true, "t"},
        {"ARG_6_TEXT", std::string("a\0b", 3), true, "a"},
        {"DEVELOPER", std::string(1100, 'd'), true, std::string(1023, 'd')},
        {"BOGUS", "x", false, ""},
    };
    for (const auto& [key, value, taken, held] : rows) {
        CHeaderValues values;
        EXPECT_EQ(values.Set(key, value), taken) << key;
        EXPECT_EQ(values.Get(key), held) << key;
    }
}

} // namespace
