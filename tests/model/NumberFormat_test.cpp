#include "model/NumberFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace nl {
namespace {

NumberFormat EnglishUs() {
    NumberFormat f;
    f.grouping = DigitGrouping::FromString("3;0");
    f.decimalSep = ".";
    f.thousandSep = ",";
    return f;
}

NumberFormat German() {
    NumberFormat f;
    f.grouping = DigitGrouping::FromString("3;0");
    f.decimalSep = ",";
    f.thousandSep = ".";
    return f;
}

NumberFormat Indian() {
    NumberFormat f = EnglishUs();
    f.grouping = DigitGrouping::FromString("3;2;0");
    return f;
}

TEST(DigitGroupingTest, TheThreeFormsAgree) {
    struct Case {
        const char* text;
        unsigned number;
        std::string posix;
        DigitGrouping expected;
    };
    const Case cases[] = {
        {"3;0", 3, "\3", {{3}, true}},
        {"3;2;0", 32, "\3\2", {{3, 2}, true}},
        {"3", 30, std::string("\3\x7f"), {{3}, false}},
        {"3;2", 320, std::string("\3\2\x7f"), {{3, 2}, false}},
        {"0", 0, "", {{}, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DigitGrouping::FromString(c.text), c.expected);
        EXPECT_EQ(DigitGrouping::FromNumber(c.number), c.expected);
        EXPECT_EQ(DigitGrouping::FromPosix(c.posix), c.expected);
    }
    for (const char* bad : {"", "3;", "x", "12;0", ";3"}) {
        EXPECT_EQ(DigitGrouping::FromString(bad), DigitGrouping{}) << bad;
    }
    EXPECT_EQ(DigitGrouping::FromPosix(std::string("\x7f")), DigitGrouping{});
}

TEST(FormatNumberWithTest, GroupsRoundsAndPlacesSymbols) {
    NumberFormat noLeadingZero = EnglishUs();
    noLeadingZero.leadingZero = false;
    NumberFormat firstGroupOnly = EnglishUs();
    firstGroupOnly.grouping = DigitGrouping::FromNumber(30);
    NumberFormat ungrouped = EnglishUs();
    ungrouped.grouping = DigitGrouping::FromString("0");
    NumberFormat nbsp = German();
    nbsp.thousandSep = "\u00a0";

    struct Case {
        const NumberFormat* format;
        const char* text;
        int decimals;
        const char* expected;
    };
    const NumberFormat us = EnglishUs();
    const NumberFormat de = German();
    const NumberFormat in = Indian();
    const Case cases[] = {
        {&us, "1234.500000", 1, "1,234.5"},
        {&us, "1234567.891", 2, "1,234,567.89"},
        {&us, "123", 2, "123.00"},
        {&us, "999.995", 2, "1,000.00"},  // the carry runs into a new group
        {&us, "0.125", 2, "0.13"},        // half rounds away from zero
        {&us, "-0.125", 2, "-0.13"},
        {&us, "0.124999", 2, "0.12"},
        {&us, "2.5", 0, "3"},
        {&us, "-2.5", 0, "-3"},
        {&us, "-0.001", 2, "0.00"},  // rounds to zero: no sign
        {&us, "-0.000000", 0, "0"},
        {&us, "000123.4", 1, "123.4"},
        {&us, ".5", 1, "0.5"},
        {&us, "7.", 1, "7.0"},
        {&de, "1234.500000", 1, "1.234,5"},
        {&de, "-1234567.25", 2, "-1.234.567,25"},
        {&in, "123456789.000000", 0, "12,34,56,789"},
        {&in, "1000", 0, "1,000"},
        {&firstGroupOnly, "123456789", 0, "123456,789"},
        {&ungrouped, "1234567.5", 1, "1234567.5"},
        {&noLeadingZero, "0.5", 2, ".50"},
        {&noLeadingZero, "-0.5", 1, "-.5"},
        {&noLeadingZero, "0.2", 0, "0"},
        {&nbsp, "12345.6", 1, "12\u00a0345,6"},
        {&us, "", 2, ""},
        {&us, "-", 2, ""},
        {&us, "1e5", 2, ""},
        {&us, "1,234", 2, ""},
        {&us, " 12", 2, ""},
        {&us, "nan", 2, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumberWith(*c.format, c.text, c.decimals), c.expected)
            << '"' << c.text << "\" at " << c.decimals;
    }
}

TEST(FormatNumberWithTest, NegativeOrders) {
    const char* expected[] = {
        "(1,234.5)", "-1,234.5",  "- 1,234.5",
        "1,234.5-",  "1,234.5 -", "-1,234.5"};  // an unknown order writes the minus in front
    for (int order = 0; order <= 5; ++order) {
        NumberFormat f = EnglishUs();
        f.negativeOrder = order;
        EXPECT_EQ(FormatNumberWith(f, "-1234.5", 1), expected[order]) << order;
        EXPECT_EQ(FormatNumberWith(f, "1234.5", 1), "1,234.5") << order;
    }
}

TEST(FormatNumberTest, FewestDecimalsUpToTheMaximum) {
    const NumberFormat us = EnglishUs();
    const NumberFormat de = German();
    const NumberFormat& neutral = NumberFormat::Neutral();
    struct Case {
        const NumberFormat* format;
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {&neutral, 96.0, "96"},
        {&neutral, 10 * 2.54 / 96, "0.26"},
        {&neutral, 2.25, "2.25"},
        {&neutral, 1.5, "1.5"},
        {&neutral, -1.5, "-1.5"},
        {&neutral, 1234.5, "1234.5"},
        {&neutral, 1.004, "1.00"},     // not whole at two decimals: the maximum is kept
        {&neutral, 0.1 + 0.2, "0.3"},  // binary noise below the sixth decimal is ignored
        {&neutral, 480 * 2.54 / 96, "12.7"},
        {&neutral, -0.001, "0.00"},
        {&neutral, -0.0, "0"},
        {&us, 1234.5, "1,234.5"},
        {&us, 1234567.0, "1,234,567"},
        {&us, -1234.567, "-1,234.57"},
        {&de, 1234.5, "1.234,5"},
        {&de, 0.264583, "0,26"},
        {&us, std::nan(""), ""},
        {&us, INFINITY, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumber(*c.format, c.value, 2), c.expected) << c.value;
    }
    // The largest values keep every digit, grouped.
    const std::string huge = FormatNumber(us, 1e300, 2);
    EXPECT_EQ(huge.size(), 301u + 100u);  // 301 digits and 100 separators
    EXPECT_EQ(huge.substr(0, 6), "1,000,");
}

TEST(FormatNumberTest, FixedDecimals) {
    const NumberFormat us = EnglishUs();
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {3.0, 1, "3.0"},    {2.95, 1, "3.0"}, {1234.5, 3, "1,234.500"},        {-0.04, 1, "0.0"},
        {-0.05, 1, "-0.1"}, {0.0, 0, "0"},    {1.0 / 3.0, 10, "0.3333333333"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumberFixed(us, c.value, c.decimals), c.expected) << c.value;
    }
}

}  // namespace
}  // namespace nl
