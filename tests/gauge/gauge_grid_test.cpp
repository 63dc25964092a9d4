// The measuring grid: the step per unit, the line positions and the edge labels.
#include "gauge/gauge_grid.h"

#include <gtest/gtest.h>

#include "model/CUnitsXY.h"

namespace nl {
namespace {

TEST(GaugeGridTest, StepFollowsTheSizeOfSixteenPixels) {
    const std::pair<int, int> cases[] = {{0, 1},     {1, 5},     {5, 5},      {6, 10},
                                         {25, 25},   {26, 50},   {101, 150},  {451, 500},
                                         {500, 500}, {501, 500}, {1234, 1200}};
    for (const auto& [v, step] : cases) EXPECT_EQ(GridStep(v), step) << v;
}

TEST(GaugeGridTest, StepAndLinesPerUnitAt96Dpi) {
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(DisplayMetrics{}, nullptr));
    struct Case {
        int unit;
        int step;
        std::vector<int> columns;
    };
    const Case cases[] = {
        {CUnitXY::kPixel, 25, {0, 25, 50, 75, 100}},
        {CUnitXY::kTwip, 250, {0, 16, 33, 50, 66, 83, 100}},
        {CUnitXY::kPoint, 25, {0, 33, 66, 100}},
        {CUnitXY::kCentimeter, 1, {0, 37, 75}},
        {CUnitXY::kInch, 1, {0, 96}},
    };
    const auto width = [](const std::string& text) { return static_cast<int>(text.size()); };
    for (const Case& c : cases) {
        const GridLayout grid = LayOutGrid(units.GetAt(c.unit), {100, 50}, width, 10);
        EXPECT_EQ(grid.step, c.step) << c.unit;
        EXPECT_EQ(grid.columns, c.columns) << c.unit;
    }
}

TEST(GaugeGridTest, LabelsEveryLineThatLeavesRoomAlongTheFourEdges) {
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(DisplayMetrics{}, nullptr));
    const CUnitXY& pixels = units.GetAt(CUnitXY::kPixel);
    using A = GridAnchor;
    struct Case {
        int charWidth;  // "00100" is five characters
        std::vector<GridLabel> want;
    };
    const Case cases[] = {
        // 20 pixels fit the 25-pixel step: every line; the one at 100 would run off.
        {4,
         {{{25, 0}, "25", A::kTopLeft},
          {{25, 85}, "25", A::kBottomLeft},
          {{50, 0}, "50", A::kTopLeft},
          {{50, 85}, "50", A::kBottomLeft},
          {{75, 0}, "75", A::kTopLeft},
          {{75, 85}, "75", A::kBottomLeft},
          {{2, 0}, "0", A::kTopLeft},
          {{2, 25}, "25", A::kTopLeft},
          {{98, 25}, "25", A::kTopRight},
          {{2, 50}, "50", A::kTopLeft},
          {{98, 50}, "50", A::kTopRight},
          {{2, 75}, "75", A::kTopLeft}}},
        // 30 pixels do not: every second line.
        {6,
         {{{50, 0}, "50", A::kTopLeft},
          {{50, 85}, "50", A::kBottomLeft},
          {{2, 0}, "0", A::kTopLeft},
          {{2, 50}, "50", A::kTopLeft},
          {{98, 50}, "50", A::kTopRight}}},
    };
    for (const Case& c : cases) {
        const auto width = [&c](const std::string& text) {
            return c.charWidth * static_cast<int>(text.size());
        };
        const GridLayout grid = LayOutGrid(pixels, {100, 85}, width, 10);
        EXPECT_EQ(grid.rows, (std::vector<int>{0, 25, 50, 75}));
        EXPECT_EQ(grid.labels, c.want) << c.charWidth;
    }
}

}  // namespace
}  // namespace nl
