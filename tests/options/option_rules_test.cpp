// The rules of the Options pages that need no window: the numeric field's parsing and range
// message, the offered tags.
#include "options/option_rules.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(OptionRulesTest, ParseIntInRangeTakesOnlyWholeIntegersInside) {
    struct Case {
        const char* text;
        std::optional<int> want;
    };
    const Case cases[] = {
        {"0", 0},
        {"16", 16},
        {"007", 7},
        {" 12\t", 12},
        {"+3", 3},
        {"17", std::nullopt},
        {"-1", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"1 2", std::nullopt},
        {"4x", std::nullopt},
        {"+-3", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseIntInRange(c.text, 0, 16), c.want);
    }
    EXPECT_EQ(ParseIntInRange("-5", -10, 10), -5);
}

TEST(OptionRulesTest, RangeMessageAndTags) {
    EXPECT_EQ(IntRangeMessage(0, 16), "Enter an integer between 0 and 16.");
    const std::vector<std::string> tags = ExportTags();
    ASSERT_EQ(tags.size(), 10u);
    for (const std::string& tag : tags) {
        EXPECT_TRUE(tag.starts_with('<') && tag.ends_with("/>")) << tag;
    }
}

}  // namespace
}  // namespace nl
