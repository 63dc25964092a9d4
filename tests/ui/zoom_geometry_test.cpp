// The zoom control's frame geometry: source size by MulDiv, clipping at the desktop's edges,
// the proportional destination and the centre block.
#include "ui/zoom_geometry.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

const Rect kScreen{0, 0, 1280, 1024};

TEST(ZoomGeometryTest, SourceSizeFollowsRoundedHalfExtents) {
    struct Case {
        int width, height, zoom;
        int sourceWidth, sourceHeight;
    };
    const Case cases[] = {
        {79, 39, 400, 20, 10},      // 9.875 -> 10 and 4.875 -> 5
        {79, 39, 100, 80, 40},      // 39.5 and 19.5 round away from zero
        {100, 100, 1000, 10, 10},   // 5 each way
        {400, 300, 300, 134, 100},  // 66.67 -> 67, 50
        {10, 10, 300, 4, 4},        // 1.67 -> 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " @" << c.zoom);
        const ZoomLayout layout =
            ComputeZoomLayout({0, 0, c.width, c.height}, {640, 512}, c.zoom, kScreen);
        ASSERT_TRUE(layout.drawn);
        EXPECT_EQ(layout.source.Width(), c.sourceWidth);
        EXPECT_EQ(layout.source.Height(), c.sourceHeight);
        // Centred on the point, entirely on the desktop: drawn over the whole destination.
        EXPECT_EQ(layout.source.left + layout.source.Width() / 2, 640);
        EXPECT_EQ(layout.clipped, layout.source);
        EXPECT_EQ(layout.dest, (Rect{0, 0, c.width, c.height}));
        EXPECT_TRUE(layout.outside.empty());
    }
}

TEST(ZoomGeometryTest, AreaPastTheDesktopEdgeKeepsItsPlaceAndLeavesTheRestOutside) {
    struct Case {
        const char* name;
        Rect screen;
        Point centre;
        Rect clipped;
        Rect dest;
    };
    const Case cases[] = {
        // 200x100 at 200%: source 100x50 around the centre.
        {"top-left corner", kScreen, {10, 5}, {0, 0, 60, 30}, {80, 40, 200, 100}},
        {"right edge", kScreen, {1270, 500}, {1220, 475, 1280, 525}, {0, 0, 120, 100}},
        // A monitor left of the primary: the virtual screen starts at a negative x.
        {"monitor on the left",
         {-1920, 0, 1280, 1080},
         {-1900, 540},
         {-1920, 515, -1850, 565},
         {60, 0, 200, 100}},
        {"bottom of a left monitor",
         {-1920, 0, 1280, 1080},
         {-10, 1075},
         {-60, 1050, 40, 1080},
         {0, 0, 200, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rect dest{0, 0, 200, 100};
        const ZoomLayout layout = ComputeZoomLayout(dest, c.centre, 200, c.screen);
        ASSERT_TRUE(layout.drawn);
        EXPECT_EQ(layout.clipped, c.clipped);
        EXPECT_EQ(layout.dest, c.dest);
        // The drawn part keeps the zoom's scale: it is not stretched to fill the control.
        EXPECT_EQ(layout.dest.Width(), layout.clipped.Width() * 2);
        EXPECT_EQ(layout.dest.Height(), layout.clipped.Height() * 2);
        // The bands outside cover the rest exactly, without overlapping the image.
        long area = static_cast<long>(layout.dest.Width()) * layout.dest.Height();
        for (const Rect& band : layout.outside) {
            EXPECT_TRUE(Intersect(band, layout.dest).IsEmpty());
            area += static_cast<long>(band.Width()) * band.Height();
        }
        EXPECT_EQ(area, 200L * 100L);
    }
}

TEST(ZoomGeometryTest, NothingIsDrawnWhenTheAreaMissesTheDesktopOrTheZoomIsUnusable) {
    struct Case {
        const char* name;
        Rect dest;
        Point centre;
        int zoom;
    };
    const Case cases[] = {
        {"far outside", {0, 0, 200, 100}, {5000, 5000}, 400},
        {"zero zoom", {0, 0, 200, 100}, {100, 100}, 0},
        {"control too small for the zoom", {0, 0, 1, 1}, {100, 100}, 1000},
        {"empty control", {}, {100, 100}, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ZoomLayout layout = ComputeZoomLayout(c.dest, c.centre, c.zoom, kScreen);
        EXPECT_FALSE(layout.drawn);
        EXPECT_TRUE(layout.clipped.IsEmpty());
    }
}

TEST(ZoomGeometryTest, CentreBlockIsOneMagnifiedPixelRoundedUpAtTheMiddle) {
    struct Case {
        Rect dest;
        int zoom;
        Rect block;
    };
    const Case cases[] = {
        {{0, 0, 200, 100}, 100, {100, 50, 101, 51}},
        {{0, 0, 200, 100}, 1000, {100, 50, 110, 60}},
        {{0, 0, 79, 39}, 400, {39, 19, 43, 23}},
        {{10, 20, 30, 40}, 150, {20, 30, 22, 32}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        EXPECT_EQ(CentreBlock(c.dest, c.zoom), c.block);
    }
}

TEST(ZoomGeometryTest, SubtractLeavesBandsAroundTheInnerRectangle) {
    EXPECT_TRUE(Subtract({0, 0, 10, 10}, {0, 0, 10, 10}).empty());
    EXPECT_EQ(Subtract({0, 0, 10, 10}, {20, 20, 30, 30}), (std::vector<Rect>{{0, 0, 10, 10}}));
    EXPECT_EQ(Subtract({0, 0, 10, 10}, {2, 3, 8, 7}),
              (std::vector<Rect>{{0, 0, 10, 3}, {0, 7, 10, 10}, {0, 3, 2, 7}, {8, 3, 10, 7}}));
}

}  // namespace
}  // namespace nl

namespace nl {
namespace {

Rect Bounds(const std::vector<Rect>& bands) {
    Rect all;
    for (const Rect& band : bands) all = Union(all, band);
    return all;
}

std::uint64_t Area(const std::vector<Rect>& bands) {
    std::uint64_t area = 0;
    for (const Rect& band : bands) area += band.Area();
    return area;
}

TEST(ZoomGeometryTest, SampleOutlineRingsTheSampledBlocksAndStaysOnTheDesktop) {
    const Rect screen{0, 0, 1000, 800};
    struct Case {
        const char* what;
        Point centre;
        int size;
        int line;
        Rect dark, light;  // the rings' bounds
        std::uint64_t darkArea;
    };
    const Case cases[] = {
        // 1000 %: the source is 10 x 10 around the centre, each pixel a 10 x 10 block; the
        // 3 x 3 square covers blocks 40..70.
        {"3 x 3 in the middle", {50, 50}, 3, 1, {39, 39, 71, 71}, {38, 38, 72, 72}, 32 * 32 - 900},
        {"2 device pixels a tone",
         {50, 50},
         3,
         2,
         {38, 38, 72, 72},
         {36, 36, 74, 74},
         34 * 34 - 900},
        // 5 x 5 is cut to the 3 x 3 pixels inside the desktop's corner, drawn from (50, 50).
        {"cut at the corner", {0, 0}, 5, 1, {50, 50, 81, 81}, {50, 50, 82, 82}, 31 * 31 - 30 * 30},
        {"a single pixel has none", {50, 50}, 1, 1, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ZoomLayout layout = ComputeZoomLayout({0, 0, 100, 100}, c.centre, 1000, screen);
        const SampleOutline outline =
            ComputeSampleOutline(layout, c.centre, c.size, screen, c.line);
        EXPECT_EQ(Bounds(outline.dark), c.dark);
        EXPECT_EQ(Bounds(outline.light), c.light);
        EXPECT_EQ(Area(outline.dark), c.darkArea);
        // The rings never overlap each other.
        for (const Rect& d : outline.dark)
            for (const Rect& l : outline.light) EXPECT_TRUE(Intersect(d, l).IsEmpty());
    }
}

}  // namespace
}  // namespace nl
