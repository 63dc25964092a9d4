// Row-run regions: the winding fill of an outline that crosses itself, and the difference the
// overlay repaints.
#include "overlay/CRegion.h"

#include <gtest/gtest.h>

#include <vector>

namespace nl {
namespace {

TEST(CRegionTest, PolygonFillsWhatTheOutlineWindsAround) {
    // A pentagram: its centre is wound around twice and is filled; the notches between the
    // points are outside.
    const std::vector<Point> star{{50, 0}, {79, 90}, {2, 34}, {97, 34}, {20, 90}};
    const CRegion region = CRegion::FromPolygon(star);
    EXPECT_EQ(region.BoundingBox(), (Rect{3, 1, 96, 90}));
    for (const Point p : {Point{50, 50}, Point{50, 5}, Point{10, 36}})
        EXPECT_TRUE(region.Contains(p)) << p.x << "," << p.y;
    for (const Point p : {Point{50, 80}, Point{5, 80}, Point{80, 10}})
        EXPECT_FALSE(region.Contains(p)) << p.x << "," << p.y;
    EXPECT_TRUE(CRegion::FromPolygon(std::vector<Point>{{0, 0}, {9, 9}}).IsEmpty());
}

TEST(CRegionTest, OnlyAFullRectangleIsARectangle) {
    const Rect r{10, 20, 60, 50};
    const struct {
        const char* what;
        CRegion region;
        bool expected;
    } cases[] = {
        {"rectangle", CRegion::FromRect(r), true},
        {"one pixel", CRegion::FromRect({3, 3, 4, 4}), true},
        {"empty", CRegion(), false},
        {"ellipse", CRegion::FromEllipse(r), false},
        {"rounded corners", CRegion::FromRoundRect(r, {16, 16}), false},
        {"hole", CRegion::FromRect(r).Subtract(CRegion::FromRect({20, 30, 30, 40})), false},
        {"a missing middle row", CRegion::FromRect(r).Subtract(CRegion::FromRect({0, 30, 99, 31})),
         false},
        {"rectangle as a polygon",
         CRegion::FromPolygon(std::vector<Point>{{10, 20}, {60, 20}, {60, 50}, {10, 50}}), true},
    };
    for (const auto& c : cases) EXPECT_EQ(c.region.IsRectangle(), c.expected) << c.what;
}

TEST(CRegionTest, SubtractLeavesThePixelsOfOnlyTheFirstRegion) {
    const CRegion big = CRegion::FromRect({0, 0, 10, 4});
    struct Case {
        const char* name;
        Rect cut;
        std::vector<RegionSpan> rowOne;  // the result's runs on row 1
        Rect box;
    };
    const Case cases[] = {
        {"hole", {3, 1, 5, 3}, {{1, 0, 3}, {1, 5, 10}}, {0, 0, 10, 4}},
        {"left part", {-5, 0, 4, 4}, {{1, 4, 10}}, {4, 0, 10, 4}},
        {"middle rows", {0, 1, 10, 3}, {}, {0, 0, 10, 4}},
        {"disjoint", {20, 0, 30, 4}, {{1, 0, 10}}, {0, 0, 10, 4}},
        {"everything", {-1, -1, 11, 5}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CRegion rest = big.Subtract(CRegion::FromRect(c.cut));
        std::vector<RegionSpan> rowOne;
        for (const RegionSpan& s : rest.Spans())
            if (s.y == 1) rowOne.push_back(s);
        EXPECT_EQ(rowOne, c.rowOne);
        EXPECT_EQ(rest.BoundingBox(), c.box);
    }
}

}  // namespace
}  // namespace nl
