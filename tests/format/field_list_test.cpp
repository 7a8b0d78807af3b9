#include "format/field_list.h"
#include "tests/format/format_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Find(const CFieldList& list, const std::string& name, int expected = 0) {
    char out[FIELD_TEXT_SIZE] = "untouched";
    EXPECT_EQ(list.FindField(name.c_str(), out), expected) << name;
    return out;
}

TEST(CFieldList, AddFieldRefusesTextsOverTheFieldSize) {
    const struct {
        const char* name;
        std::size_t nameLength;
        std::size_t valueLength;
        int result;
    } rows[] = {
        {"empty value", 1, 0, 0},
        {"full name", FIELD_TEXT_SIZE - 1, 1, 0},
        {"name one past", FIELD_TEXT_SIZE, 1, -1},
        {"full value", 2, FIELD_TEXT_SIZE - 1, 0},
        {"value one past", 3, FIELD_TEXT_SIZE, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CFieldList list;
        ASSERT_EQ(list.AddField("KEEP", "kept"), 0);
        const std::string name(row.nameLength, 'N');
        const std::string value(row.valueLength, 'v');
        EXPECT_EQ(list.AddField(name.c_str(), value.c_str()), row.result);
        EXPECT_EQ(Find(list, name, row.result), row.result == 0 ? value : "untouched");
        EXPECT_EQ(Find(list, "KEEP"), "kept");
    }
}

TEST(CFieldList, FindFieldStartsAtTheHeadAndMatchesWholeNames) {
    CFieldList list;
    EXPECT_EQ(Find(list, ""), "");
    EXPECT_EQ(Find(list, "FUNC", -1), "untouched");
    ASSERT_EQ(list.AddField("FUNC", "a"), 0);
    ASSERT_EQ(list.AddField("FUNC", "b"), 0);
    ASSERT_EQ(list.AddField("", "never"), 0);
    EXPECT_EQ(Find(list, "FUNC"), "a");
    EXPECT_EQ(Find(list, ""), "");
    for (const char* other : {"func", "FUNC ", " FUNC", "FUN", "FUNCS"}) {
        EXPECT_EQ(Find(list, other, -1), "untouched");
    }
}

// The leak checker of the sanitizer build also catches nodes that outlive the list.
TEST(CFieldList, FreeFieldsEmptiesTheListForReuse) {
    CFieldList list;
    list.FreeFields();
    ASSERT_EQ(list.AddField("FUNC", "a"), 0);
    ASSERT_EQ(list.AddField("RET", "int"), 0);
    list.FreeFields();
    EXPECT_EQ(Find(list, "FUNC", -1), "untouched");
    EXPECT_EQ(Find(list, ""), "");
    ASSERT_EQ(list.AddField("FUNC", "b"), 0);
    EXPECT_EQ(Find(list, "FUNC"), "b");
}

TEST(CFieldList, FailedNodeAllocationLeavesTheListUnchanged) {
    CFieldList list;
    ASSERT_EQ(list.AddField("FUNC", "a"), 0);
    {
        CAllocFailure refuse(0);
        EXPECT_EQ(list.AddField("RET", "int"), -1);
    }
    EXPECT_EQ(Find(list, "RET", -1), "untouched");
    EXPECT_EQ(Find(list, "FUNC"), "a");
    EXPECT_EQ(list.AddField("RET", "int"), 0);
    EXPECT_EQ(Find(list, "RET"), "int");
}

} // namespace
