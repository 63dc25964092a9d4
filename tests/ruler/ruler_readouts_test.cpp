#include "ruler/ruler_readouts.h"

#include <gtest/gtest.h>

#include "base/command_ids.h"
#include "document/CRulerData.h"
#include "model/NumberFormat.h"

namespace nl {
namespace {

using D = CRulerData;

CaptionInput Pixels(std::uint32_t options = D::kOptionUnitPixel, int scale = 100) {
    CaptionInput in;
    in.options = options;
    in.scale = scale;
    in.metrics = ComputeUnitMetrics(options, 10, 96, 8);
    in.unitPixels = UnitDevicePixels(options, in.metrics, 96);
    in.originOnScreen = {100, 200};
    return in;
}

TEST(RulerReadouts, AngleFromTheGraduatedLine) {
    struct Case {
        std::uint32_t options;
        Point cursor;
        double degrees;
    };
    const Case cases[] = {
        {D::kOptionUnitPixel, {300, 200}, 0.0},   // on the edge line, beyond the origin
        {D::kOptionUnitPixel, {100, 50}, 90.0},   // straight above
        {D::kOptionUnitPixel, {100, 260}, 90.0},  // straight below
        {D::kOptionUnitPixel, {150, 150}, 45.0},
        {D::kOptionUnitPixel, {50, 250}, 45.0},  // before the origin, mirrored
        {D::kOptionUnitPixel | D::kOptionVertical, {100, 400}, 0.0},
        {D::kOptionUnitPixel | D::kOptionVertical, {30, 200}, 90.0},
        {D::kOptionUnitPixel, {100, 200}, 0.0},  // on the origin itself
    };
    for (const auto& c : cases) {
        CaptionInput in = Pixels(c.options);
        in.cursorOnScreen = c.cursor;
        EXPECT_NEAR(CursorAngle(in), c.degrees, 1e-6) << c.cursor.x << "," << c.cursor.y;
    }
}

TEST(RulerReadouts, ProjectionAndDistanceInUnits) {
    struct Case {
        std::uint32_t options;
        int scale;
        Point client;
        Point cursor;
        double projection;
        double distance;
    };
    const Case cases[] = {
        {D::kOptionUnitPixel, 100, {150, 7}, {103, 204}, 150.0, 5.0},
        {D::kOptionUnitPixel, 200, {150, 7}, {103, 204}, 75.0, 2.5},
        {D::kOptionUnitPixel | D::kOptionVertical, 100, {7, 48}, {100, 296}, 48.0, 96.0},
        {D::kOptionUnitInch, 100, {192, 0}, {196, 200}, 2.0, 1.0},
        {D::kOptionUnitInch, 50, {192, 0}, {196, 200}, 4.0, 2.0},
        {D::kOptionUnitPoint, 100, {96, 0}, {100, 200}, 72.0, 0.0},
    };
    for (const auto& c : cases) {
        CaptionInput in = Pixels(c.options, c.scale);
        in.cursorInClient = c.client;
        in.cursorOnScreen = c.cursor;
        EXPECT_NEAR(CursorProjection(in), c.projection, 1e-9) << c.options << "@" << c.scale;
        EXPECT_NEAR(CursorDistance(in), c.distance, 1e-9) << c.options << "@" << c.scale;
    }
}

TEST(RulerReadouts, CaptionItemsInOrder) {
    NumberFormat comma = NumberFormat::Neutral();
    comma.decimalSep = ",";
    struct Case {
        std::uint32_t items;
        std::uint32_t options;
        const NumberFormat* format;
        std::string expected;
    };
    const Case cases[] = {
        {D::kDefaultCaptionItems, D::kOptionUnitPixel, &NumberFormat::Neutral(),
         "NerimLens | px | 100% | proj: 33"},
        {0, D::kOptionUnitPixel, &NumberFormat::Neutral(), "NerimLens"},
        {D::kCaptionUnit, D::kOptionUnitDialog, &NumberFormat::Neutral(), "NerimLens | dlu"},
        {D::kCaptionUnit, D::kOptionUnitTwip, &NumberFormat::Neutral(), "NerimLens | twp"},
        {D::kCaptionRulerPosition | D::kCaptionCursorPosition, D::kOptionUnitPixel,
         &NumberFormat::Neutral(), "NerimLens | rpos: 100 , 200 | pos: 103 , 204"},
        {D::kCaptionCursorDistance | D::kCaptionCursorAngle, D::kOptionUnitPixel,
         &NumberFormat::Neutral(), "NerimLens | dist: 5 | ang: 53.13\u00B0"},
        {D::kCaptionCursorProjection, D::kOptionUnitInch, &NumberFormat::Neutral(),
         "NerimLens | proj: 0.34"},
        {D::kCaptionCursorProjection, D::kOptionUnitInch, &comma, "NerimLens | proj: 0,34"},
        {D::kCaptionCursorProjection, D::kOptionUnitCentimeter, &comma, "NerimLens | proj: 0,87"},
    };
    for (const auto& c : cases) {
        CaptionInput in = Pixels(c.options);
        in.items = c.items;
        in.cursorInClient = {33, 9};
        in.cursorOnScreen = {103, 204};
        EXPECT_EQ(RulerCaption(in, *c.format), c.expected) << c.items;
    }
}

TEST(RulerZoom, StepsAndLimits) {
    struct Case {
        int from, in, out;
    };
    const Case cases[] = {
        {100, 110, 90},    {195, 200, 190}, {200, 220, 180}, {180, 190, 170}, {990, 1000, 980},
        {1000, 1000, 980}, {55, 60, 50},    {50, 60, 50},    {51, 60, 50},    {210, 220, 200},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ZoomInScale(c.from), c.in) << c.from;
        EXPECT_EQ(ZoomOutScale(c.from), c.out) << c.from;
    }
    EXPECT_FALSE(CanZoomOut(50));
    EXPECT_TRUE(CanZoomOut(51));
    EXPECT_FALSE(CanZoomIn(1000));
    EXPECT_TRUE(CanZoomIn(999));
    EXPECT_FALSE(CanZoomNormal(100));
    EXPECT_TRUE(CanZoomNormal(90));
}

TEST(RulerUnits, NextUnitWraps) {
    EXPECT_EQ(NextUnitCommand(D::kOptionUnitPixel), cmd::kRulerUnitPixel + 1);
    EXPECT_EQ(NextUnitCommand(D::kOptionUnitInch | D::kOptionVertical), cmd::kRulerUnitPixel + 6);
    EXPECT_EQ(NextUnitCommand(D::kOptionUnitDialog), cmd::kRulerUnitLogical);
    EXPECT_EQ(NextUnitCommand(kRulerLogicalPixelBit), cmd::kRulerUnitPixel);
    EXPECT_EQ(NextUnitCommand(D::kOptionGuide), std::nullopt);
}

}  // namespace
}  // namespace nl
