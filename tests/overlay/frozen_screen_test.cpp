#include "overlay/frozen_screen.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(FrozenScreenTest, PointerPositionsMapOntoTheMonitorsDevicePixels) {
    const Rect left{0, 0, 1600, 1000};
    const Rect right{1600, -200, 3520, 880};
    const struct {
        const char* name;
        Rect monitor;
        double x, y, ratio;
        Point expected;
    } cases[] = {
        {"1:1 corner", left, 0, 0, 1.0, {0, 0}},
        {"1:1 inside", left, 812.0, 95.0, 1.0, {812, 95}},
        {"scaled twice", left, 100.0, 50.0, 2.0, {200, 100}},
        {"subpixel position at twice", left, 100.5, 50.25, 2.0, {201, 100}},
        {"fractional ratio", left, 10.0, 10.0, 1.25, {12, 12}},
        {"second monitor keeps its origin", right, 5.0, 7.0, 1.0, {1605, -193}},
        {"past the right edge", left, 800.0, 500.0, 2.0, {1599, 999}},
        {"left of the window", right, -3.0, -1.0, 1.0, {1600, -200}},
        {"no ratio counts as one", left, 7.0, 9.0, 0.0, {7, 9}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FrozenScreenPoint(c.monitor, c.x, c.y, c.ratio), c.expected);
    }
}

}  // namespace
}  // namespace nl
