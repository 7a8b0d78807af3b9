#include "format/field_list.h"

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
        std::size_t nameLength, valueLength;
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
        const std::string name(row.nameLength, 'N'), value(row.valueLength, 'v');
        EXPECT_EQ(list.AddField(name.c_str(), value.c_str()), row.result);
        EXPECT_EQ(Find(list, name, row.result), row.result == 0 ? value : "untouched");
    }
}

// The head node matches the empty name, so a field added under it is never found; the first of
// two fields with one name wins; and names match whole and case-sensitively.
TEST(CFieldList, FindFieldStartsAtTheHeadAndMatchesWholeNames) {
    CFieldList list;
    EXPECT_EQ(Find(list, ""), "");
    ASSERT_EQ(list.AddField("FUNC", "a") + list.AddField("FUNC", "b") + list.AddField("", "x"), 0);
    EXPECT_EQ(Find(list, ""), "");
    EXPECT_EQ(Find(list, "FUNC"), "a");
    for (const char* other : {"func", "FUNC ", " FUNC", "FUN", "FUNCS"}) {
        EXPECT_EQ(Find(list, other, -1), "untouched");
    }
    // Emptied lists are reused; the sanitizer build's leak checker sees nodes left behind.
    list.FreeFields();
    EXPECT_EQ(Find(list, "FUNC", -1), "untouched");
    ASSERT_EQ(list.AddField("FUNC", "b"), 0);
    EXPECT_EQ(Find(list, "FUNC"), "b");
}

} // namespace
