#include "model/table_rows.h"

#include <gtest/gtest.h>

#include <climits>

namespace nl {
namespace {

TEST(TableRowsTest, RowIdReadsLeadingDecimalNumber) {
    struct Case {
        const char* item;
        int id;
    };
    const Case cases[] = {
        {"7", 7},
        {"  12abc", 12},
        {"-3", -3},
        {"+4", 4},
        {"x", 0},
        {"", 0},
        {"-", 0},
        {"99999999999", INT_MAX},
        {"0x10", 0},
        {"\t5", 5},
        {"-99999999999", INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseRowId(c.item), c.id) << '"' << c.item << '"';
}

TEST(TableRowsTest, FillTextFormatPutsTextsInOrder) {
    EXPECT_EQ(FillTextFormat("%s , %s", {"1", "0.5"}), "1 , 0.5");
    EXPECT_EQ(FillTextFormat("%s x %s%%", {"a", "%s"}), "a x %s%");  // inserts are not rescanned
    EXPECT_EQ(FillTextFormat("%s , %s", {"1"}), "1 , %s");
    EXPECT_EQ(FillTextFormat("%d %", {"1"}), "%d %");
}

}  // namespace
}  // namespace nl
