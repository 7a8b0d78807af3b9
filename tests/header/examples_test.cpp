#include "format/field_list.h"
#include "header/header_values.h"
#include "row_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Japanese values: a developer's name, two titles, a result's and an argument's description.
const char* const DEV = "\x8E\x52\x93\x63\x20\x91\xBE\x98\x59";
const char* const TITLE = "\x97\x76\x91\x66\x90\x94\x82\xF0\x90\x94\x82\xA6\x82\xE9";
const char* const RESET = "\x8F\x89\x8A\xFA\x89\xBB\x82\xB7\x82\xE9";
const char* const RET = "\x97\x76\x91\x66\x82\xCC\x90\x94";
const char* const KIND = "\x8E\xED\x95\xCA";
// Values in key order: a member function with all but one description, a free function with none.
const char* const METHOD_VALUES[HEADER_KEY_COUNT] = {"GetCount", "int", RET,           "CList",
                                                     DEV,        TITLE, "2024/05/01",  "int",
                                                     "nKind",    KIND,  "const char*", "pszName"};
const char* const FREE_VALUES[HEADER_KEY_COUNT] = {"Reset", "void", nullptr,     nullptr,
                                                   DEV,     RESET,  "2024/05/01"};

TEST(ExampleFormats, ExpandToTheirCheckedInOutputs) {
    const std::string dir = VELDANE_EXAMPLES_DIR;
    for (const char* format : {"box_ja", "doxygen", "line_comment"}) {
        for (const auto& [values, kind] :
             {std::pair{METHOD_VALUES, "method"}, std::pair{FREE_VALUES, "free"}}) {
            SCOPED_TRACE(std::string(format) + " " + kind);
            CFieldList list;
            HeaderAddFields(list, values);
            std::string output(EXPAND_OUTPUT_SIZE, '\0');
            ASSERT_EQ(list.ExpandFile((dir + "/" + format + ".txt").c_str(), output.data()), 0);
            EXPECT_EQ(output.c_str(), ReadBytes(dir + "/expected/" + format + "." + kind + ".txt"));
        }
    }
}

} // namespace
