#include "base/geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace nl {
namespace {

TEST(GeometryTest, RectMeasuresWithExclusiveRightAndBottom) {
    struct Case {
        Rect r;
        bool empty;
        std::uint64_t area;
    };
    const Case cases[] = {
        {{0, 0, 10, 20}, false, 200},
        {{-10, -20, 0, 0}, false, 200},
        {{5, 5, 5, 10}, true, 0},   // no width
        {{5, 5, 10, 5}, true, 0},   // no height
        {{10, 10, 0, 0}, true, 0},  // inverted
        {{0, 0, 1, 1}, false, 1},
        // The whole int range both ways: (2^32 - 1)^2 needs the unsigned 64-bit range.
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, false, 0xFFFFFFFE00000001ull},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.r.IsEmpty(), c.empty) << c.r.left << "," << c.r.top;
        EXPECT_EQ(c.r.Area(), c.area) << c.r.left << "," << c.r.top;
    }

    const Rect r{10, 20, 30, 50};
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 30);
    EXPECT_TRUE(r.Contains({10, 20}));
    EXPECT_TRUE(r.Contains({29, 49}));
    EXPECT_FALSE(r.Contains({30, 20}));
    EXPECT_FALSE(r.Contains({10, 50}));
    EXPECT_FALSE(r.Contains({9, 20}));
    EXPECT_FALSE(Rect{}.Contains({0, 0}));
}

TEST(GeometryTest, NormalizeOffsetIntersectAndUnion) {
    EXPECT_EQ((Rect{30, 50, 10, 20}.Normalized()), (Rect{10, 20, 30, 50}));
    EXPECT_EQ((Rect{10, 50, 30, 20}.Normalized()), (Rect{10, 20, 30, 50}));

    Rect moved{0, 0, 10, 10};
    moved.Offset(-5, 7);
    EXPECT_EQ(moved, (Rect{-5, 7, 5, 17}));

    struct Case {
        Rect a, b, intersection, unionRect;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, {0, 0, 20, 20}},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, {}, {0, 0, 20, 10}},  // touching edges share nothing
        {{0, 0, 10, 10}, {2, 2, 4, 4}, {2, 2, 4, 4}, {0, 0, 10, 10}},
        {{0, 0, 10, 10}, {50, 50, 50, 60}, {}, {0, 0, 10, 10}},  // an empty one adds nothing
        {{-20, -20, -10, -10}, {-15, -30, 0, -12}, {-15, -20, -10, -12}, {-20, -30, 0, -10}},
        {{3, 3, 3, 3}, {7, 7, 1, 1}, {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Intersect(c.a, c.b), c.intersection) << c.a.left << "," << c.b.left;
        EXPECT_EQ(Intersect(c.b, c.a), c.intersection) << c.a.left << "," << c.b.left;
        EXPECT_EQ(Union(c.a, c.b), c.unionRect) << c.a.left << "," << c.b.left;
        EXPECT_EQ(Union(c.b, c.a), c.unionRect) << c.a.left << "," << c.b.left;
    }
}

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndReportsOverflow) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {1, 1, 2, 1},
        {-1, 1, 2, -1},
        {1, -1, 2, -1},
        {1, 1, -2, -1},
        {-1, -1, -2, -1},
        {-1, 1, -2, 1},
        {3, 1, 2, 2},
        {-3, 1, 2, -2},
        {5, 1, 4, 1},
        {-5, 1, 4, -1},
        {6, 1, 4, 2},
        {-6, 1, 4, -2},
        {7, 1, 4, 2},
        {-7, 1, 4, -2},
        {1, 1, 3, 0},
        {2, 1, 3, 1},
        {-2, 1, 3, -1},
        {96, 72, 96, 72},
        {100, 96, 72, 133},
        {0, 5, 7, 0},
        {5, 7, 0, -1},
        {0, 0, 0, -1},
        // The product needs 64 bits; the quotient fits.
        {100000, 100000, 100, 100000000},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MIN, 2, 2, -1},  // |INT_MIN| counts as an overflow
        {INT_MAX, 2, 1, -1},
        {-INT_MAX, 1, 1, -INT_MAX},
        {INT_MIN, 1, -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
    }
}

// Whatever the scale and whichever pixel a drag starts on, a pointer reported in a scaled
// window's own (fractional) pixels comes back as the device pixel it was on: an N-pixel drag
// measures N pixels.
TEST(GeometryTest, ScaledPointerPositionsComeBackAsTheirDevicePixels) {
    for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.25, 3.0}) {
        for (int device = -40; device < 4000; ++device) {
            const double logical = device / ratio;  // what the window system reports
            ASSERT_EQ(DevicePixelAt(logical, ratio), device) << "at " << ratio;
        }
        // A position inside a pixel, as a compositor with subpixel pointers reports it, and
        // one cut to a 256th of a window pixel as Wayland sends it.
        EXPECT_EQ(DevicePixelAt((601 + 0.8) / ratio, ratio), 601) << ratio;
        EXPECT_EQ(DevicePixelAt(std::floor(1000 / ratio * 256) / 256, ratio), 1000) << ratio;
    }
    EXPECT_EQ(DevicePixelAt(7.0, 0.0), 7);  // no ratio counts as one
}

}  // namespace
}  // namespace nl
