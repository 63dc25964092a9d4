#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CUnitsXY.h"

namespace nl {
namespace {

// A 1920x1080 monitor at scale 1 left of a 3840x2160 one at scale 2.
const std::vector<MonitorInfo> kMixedPair{{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1.0},
                                          {{1920, 0, 5760, 2160}, {1920, 0, 5760, 2160}, 2.0}};

CUnitsXY LoadedWith(const std::vector<MonitorInfo>& monitors) {
    CUnitsXY units;
    units.SetMonitors(monitors);
    EXPECT_TRUE(units.LoadUnits(DisplayMetrics{}, nullptr));
    return units;
}

const CUnitXY& Logical(const CUnitsXY& units) {
    return units.GetAt(CUnitsXY::kLogicalPixelIndex);
}

TEST(LogicalPixelTest, IsTheSeventhRowWithItsDefinition) {
    const CUnitsXY units = LoadedWith({});
    const CUnitXY& lpx = Logical(units);
    EXPECT_EQ(lpx.Id(), CUnitXY::kLogicalPixel);
    EXPECT_EQ(lpx.Name(), "Logical pixel");
    EXPECT_EQ(lpx.Abbreviation(), "lpx");
    EXPECT_EQ(lpx.HelpLine(), "1 lpx = 1 device dot \xC3\xB7 the monitor's scale");
    EXPECT_EQ(units.GetAt(CUnitXY::kPixel).HelpLine(), "1 px = 1 device dot");
    EXPECT_EQ(units.GetAt(CUnitXY::kInch).HelpLine(), "1 in = 2.54 centimeters");
    // Without monitors the logical pixel is the device pixel.
    EXPECT_EQ(lpx.FormatPoint(-300, 75), "-300 , 75");
}

TEST(LogicalPixelTest, OneMonitorAtEachScale) {
    // The monitor starts at (100, -40): it keeps that corner, offsets from it shrink.
    struct Case {
        double scale;
        const char* point;   // (400, 260)
        const char* rect;    // (100, -40) to (400, 260)
        const char* length;  // 300 pixels across
    };
    const Case cases[] = {
        {1.0, "400 , 260", "100 , -40 - 400 , 260 (300 x 300)", "300"},
        {1.25, "340 , 200", "100 , -40 - 340 , 200 (240 x 240)", "240"},
        {1.5, "300 , 160", "100 , -40 - 300 , 160 (200 x 200)", "200"},
        {1.75, "271.43 , 131.43", "100 , -40 - 271.43 , 131.43 (171.43 x 171.43)", "171.43"},
        {2.0, "250 , 110", "100 , -40 - 250 , 110 (150 x 150)", "150"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        const Rect area{100, -40, 2020, 1040};
        const CUnitsXY units = LoadedWith({{area, area, c.scale}});
        const CUnitXY& lpx = Logical(units);
        EXPECT_EQ(lpx.FormatPoint(400, 260), c.point);
        EXPECT_EQ(lpx.FormatRectWithSize(Rect{100, -40, 400, 260}), c.rect);
        EXPECT_EQ(lpx.FormatValue(lpx.ToUnitX(300)), c.length);
        EXPECT_EQ(lpx.FormatValue(lpx.ToUnitY(300)), c.length);
        // The pixel is the same on every monitor.
        const CUnitXY& px = units.GetAt(CUnitXY::kPixel);
        EXPECT_EQ(px.FormatPoint(400, 260), "400 , 260");
        EXPECT_EQ(px.FormatRectWithSize(Rect{100, -40, 400, 260}),
                  "100 , -40 - 400 , 260 (300 x 300)");
    }
}

TEST(LogicalPixelTest, MixedMonitorsConvertEachOnItsOwn) {
    const CUnitsXY units = LoadedWith(kMixedPair);
    const CUnitXY& lpx = Logical(units);
    struct Case {
        Point at;
        const char* point;
        const char* offset;  // 40 x 30 pixels measured there
    };
    const Case cases[] = {
        {{0, 0}, "0 , 0", "40 , 30"},
        {{1919, 1079}, "1919 , 1079", "40 , 30"},
        {{1920, 0}, "1920 , 0", "20 , 15"},
        {{2920, 1001}, "2420 , 500.5", "20 , 15"},
        {{5759, 2159}, "3839.5 , 1079.5", "20 , 15"},
        // Below the left monitor: converted on the nearest one.
        {{100, 1500}, "100 , 1500", "40 , 30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.point);
        EXPECT_EQ(lpx.FormatPoint(c.at.x, c.at.y), c.point);
        EXPECT_EQ(lpx.OnMonitorAt(c.at).FormatOffset(40, 30), c.offset);
    }
    // Rectangles on one monitor each, and the unit bound to the right monitor.
    EXPECT_EQ(lpx.FormatRectWithSize(Rect{100, 200, 500, 400}),
              "100 , 200 - 500 , 400 (400 x 200)");
    EXPECT_EQ(lpx.FormatRectWithSize(Rect{2020, 200, 2420, 400}),
              "1970 , 100 - 2170 , 200 (200 x 100)");
    const CUnitXY right = lpx.OnMonitorOf(Rect{3000, 100, 3100, 200});
    EXPECT_DOUBLE_EQ(right.PositionX(3000), 2460.0);
    EXPECT_DOUBLE_EQ(right.ToUnitX(100), 50.0);
    // In the coordinates of an overlay that starts 1920 pixels left of the right monitor.
    const CUnitXY client = lpx.OnMonitorOf(Rect{1080, 100, 1180, 200}, {1920 - 1000, 0});
    EXPECT_DOUBLE_EQ(client.PositionX(1080), 1040.0);
    // The unbound unit converts lengths on the primary monitor.
    EXPECT_DOUBLE_EQ(lpx.ToUnitX(100), 100.0);
}

TEST(LogicalPixelTest, AReloadKeepsTheMonitors) {
    CUnitsXY units = LoadedWith(kMixedPair);
    ASSERT_TRUE(units.LoadUnits(DisplayMetrics{}, nullptr));
    EXPECT_EQ(Logical(units).FormatPoint(2920, 1001), "2420 , 500.5");
}

}  // namespace
}  // namespace nl
