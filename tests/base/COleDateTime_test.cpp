#include "base/COleDateTime.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(COleDateTimeTest, CivilDatesConvertBothWays) {
    struct Case {
        CivilTime civil;
        double ole;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0, 0}, 0.0},
        {{1899, 12, 31, 12, 0, 0, 0}, 1.5},
        {{1900, 1, 1, 0, 0, 0, 0}, 2.0},
        {{1899, 12, 29, 6, 0, 0, 0}, -1.25},  // before the epoch the fraction counts forward
        {{1899, 12, 29, 18, 0, 0, 0}, -1.75},
        {{2000, 2, 29, 0, 0, 0, 0}, 36585.0},
        {{2026, 12, 8, 18, 0, 0, 0}, 46364.75},
        {{100, 1, 1, 0, 0, 0, 0}, -657434.0},
        {{9999, 12, 31, 0, 0, 0, 0}, 2958465.0},
    };
    for (const auto& c : cases) {
        const COleDateTime d = COleDateTime::FromCivil(c.civil);
        EXPECT_TRUE(d.IsValid());
        EXPECT_DOUBLE_EQ(d.Date(), c.ole)
            << c.civil.year << "-" << c.civil.month << "-" << c.civil.day;
        CivilTime back;
        ASSERT_TRUE(COleDateTime(c.ole).ToCivil(back)) << c.ole;
        EXPECT_EQ(back.year, c.civil.year) << c.ole;
        EXPECT_EQ(back.month, c.civil.month) << c.ole;
        EXPECT_EQ(back.day, c.civil.day) << c.ole;
        EXPECT_EQ(back.hour, c.civil.hour) << c.ole;
    }
}

TEST(COleDateTimeTest, StatusRule) {
    const CivilTime bad[] = {
        {99, 12, 31, 0, 0, 0, 0},  {10000, 1, 1, 0, 0, 0, 0}, {2023, 2, 29, 0, 0, 0, 0},
        {2024, 13, 1, 0, 0, 0, 0}, {2024, 1, 1, 24, 0, 0, 0}, {2024, 1, 1, 0, 60, 0, 0},
    };
    for (const auto& c : bad) EXPECT_FALSE(COleDateTime::FromCivil(c).IsValid()) << c.year;
    CivilTime out;
    EXPECT_FALSE(COleDateTime(1.0, COleDateTime::kInvalid).ToCivil(out));
    EXPECT_FALSE(COleDateTime(3000000.0).ToCivil(out));
    EXPECT_FALSE(COleDateTime(-700000.0).ToCivil(out));
}

TEST(COleDateTimeTest, WeekdayAndTimePoints) {
    CivilTime out;
    ASSERT_TRUE(COleDateTime(46364.75).ToCivil(out));
    EXPECT_EQ(out.dayOfWeek, 2);  // 8 December 2026 is a Tuesday
    EXPECT_EQ(out.dayOfYear, 342);

    struct FixedClock : IClock {
        std::chrono::system_clock::time_point UtcNow() const override {
            return std::chrono::system_clock::time_point(
                std::chrono::seconds(86400));  // 1970-01-02
        }
        std::int64_t TickCountMs() const override { return 0; }
    } clock;
    const COleDateTime now = UtcNowAsOleDate(clock);
    EXPECT_DOUBLE_EQ(now.Date(), 25570.0);
    std::chrono::system_clock::time_point tp;
    ASSERT_TRUE(now.ToTimePoint(tp));
    EXPECT_EQ(tp, clock.UtcNow());
}

}  // namespace
}  // namespace nl
