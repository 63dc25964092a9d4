// The capture regions: which pixels each shape holds, its bounding box, the difference used
// for repainting, and the winding rule of the custom outline.
#include "capture/CRegion.h"

#include <gtest/gtest.h>

#include <vector>

#include "capture/capture_copy.h"

namespace nl {
namespace {

TEST(CRegionTest, ShapesHoldThePixelsWhoseCentresAreInside) {
    struct Case {
        const char* name;
        CRegion region;
        Rect box;
        std::vector<Point> inside;
        std::vector<Point> outside;
    };
    const std::vector<Point> square{{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    // A pentagram: its centre is wound around twice, so the winding rule fills it.
    const std::vector<Point> pentagram{{50, 0}, {79, 90}, {2, 34}, {97, 34}, {20, 90}};
    const Case cases[] = {
        {"rectangle",
         CRegion::FromRect({10, 20, 30, 25}),
         {10, 20, 30, 25},
         {{10, 20}, {29, 24}},
         {{30, 24}, {29, 25}, {9, 20}}},
        {"empty rectangle", CRegion::FromRect({10, 20, 10, 25}), {}, {}, {{10, 20}}},
        {"ellipse",
         CRegion::FromEllipse({0, 0, 40, 20}),
         {0, 0, 40, 20},
         {{20, 10}, {0, 9}, {39, 10}, {20, 0}, {20, 19}},
         {{0, 0}, {39, 19}, {2, 1}}},
        {"rounded rectangle",
         CRegion::FromRoundRect({0, 0, 100, 50}, kCaptureCorner),
         {0, 0, 100, 50},
         {{8, 0}, {0, 8}, {91, 49}, {50, 25}, {2, 2}},
         {{0, 0}, {99, 0}, {0, 49}, {99, 49}, {1, 0}}},
        {"square polygon",
         CRegion::FromPolygon(square),
         {0, 0, 20, 20},
         {{0, 0}, {19, 19}},
         {{20, 0}, {0, 20}}},
        {"pentagram centre",
         CRegion::FromPolygon(pentagram),
         {3, 1, 96, 90},
         {{50, 50}, {50, 5}},
         {{50, 80}, {5, 80}}},
        {"two points", CRegion::FromPolygon(std::vector<Point>{{0, 0}, {9, 9}}), {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.region.BoundingBox(), c.box);
        for (const Point& p : c.inside) EXPECT_TRUE(c.region.Contains(p)) << p.x << "," << p.y;
        for (const Point& p : c.outside) EXPECT_FALSE(c.region.Contains(p)) << p.x << "," << p.y;
    }
}

TEST(CRegionTest, SubtractLeavesThePixelsOfOnlyTheFirstRegion) {
    const CRegion big = CRegion::FromRect({0, 0, 10, 4});
    struct Case {
        const char* name;
        CRegion cut;
        std::vector<RegionSpan> rowOne;  // the result's runs on row 1
        int rows;
    };
    const Case cases[] = {
        {"hole in the middle", CRegion::FromRect({3, 1, 5, 3}), {{1, 0, 3}, {1, 5, 10}}, 4},
        {"left part", CRegion::FromRect({-5, 0, 4, 4}), {{1, 4, 10}}, 4},
        {"rows removed", CRegion::FromRect({0, 1, 10, 3}), {}, 2},
        {"nothing in common", CRegion::FromRect({20, 0, 30, 4}), {{1, 0, 10}}, 4},
        {"everything", CRegion::FromRect({-1, -1, 11, 5}), {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CRegion rest = big.Subtract(c.cut);
        std::vector<RegionSpan> rowOne;
        int rows = 0;
        int lastRow = -1;
        for (const RegionSpan& s : rest.Spans()) {
            if (s.y == 1) rowOne.push_back(s);
            if (s.y != lastRow) ++rows;
            lastRow = s.y;
        }
        EXPECT_EQ(rowOne, c.rowOne);
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(CRegionTest, OffsetMovesEveryRun) {
    CRegion region = CRegion::FromEllipse({0, 0, 30, 10});
    const Rect box = region.BoundingBox();
    region.Offset(-5, 7);
    EXPECT_EQ(region.BoundingBox(),
              (Rect{box.left - 5, box.top + 7, box.right - 5, box.bottom + 7}));
    EXPECT_TRUE(region.Contains({10, 12}));
}

}  // namespace
}  // namespace nl
