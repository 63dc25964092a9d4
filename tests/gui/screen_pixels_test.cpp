#include "platform/qt/screen_pixels.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(ScreenPixelsTest, PointsAndRectanglesScaleAboutTheScreensCorner) {
    struct Case {
        Rect in;
        Point origin;
        double factor;
        Rect want;
    };
    const Case cases[] = {
        {{155, 173, 243, 225}, {0, 0}, 2.0, {310, 346, 486, 450}},
        {{310, 346, 486, 450}, {0, 0}, 0.5, {155, 173, 243, 225}},
        // A second monitor keeps its corner; only the distance from it scales.
        {{1930, 20, 1940, 30}, {1920, 0}, 2.0, {1940, 40, 1960, 60}},
        {{1920, 0, 2880, 540}, {1920, 0}, 2.0, {1920, 0, 3840, 1080}},
        // Fractional scales round to the nearest pixel.
        {{1, 3, 5, 7}, {0, 0}, 1.5, {2, 5, 8, 11}},
        {{-10, -10, 0, 0}, {-20, -20}, 1.25, {-7, -7, 5, 5}},
        {{7, 9, 11, 13}, {0, 0}, 1.0, {7, 9, 11, 13}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleAbout(c.in, c.origin, c.factor), c.want)
            << c.in.left << "," << c.in.top << " x" << c.factor;
        EXPECT_EQ(ScaleAbout(Point{c.in.left, c.in.top}, c.origin, c.factor),
                  (Point{c.want.left, c.want.top}));
    }
}

}  // namespace
}  // namespace nl
