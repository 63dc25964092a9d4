#include "ruler/ruler_graduations.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "document/CRulerData.h"

namespace nl {
namespace {

using D = CRulerData;

struct MetricsCase {
    const char* name;
    std::uint32_t options;
    int base;
    int dpi;
    int dialogBase;
    UnitMetrics expected;
};

TEST(RulerUnitMetrics, FixedAndComputedUnits) {
    const MetricsCase cases[] = {
        {"pixel 96", D::kOptionUnitPixel, 10, 96, 8, {15, 50, 25}},
        {"pixel 96 binary", D::kOptionUnitPixel, 2, 96, 8, {15, 32, 16}},
        {"pixel 120 truncates", D::kOptionUnitPixel, 10, 120, 8, {12, 50, 25}},
        {"pixel 110 truncates", D::kOptionUnitPixel, 10, 110, 8, {13, 50, 25}},
        {"pica", D::kOptionUnitPica, 10, 96, 8, {240, 2, 10}},
        {"pica binary", D::kOptionUnitPica, 2, 96, 8, {240, 2, 8}},
        {"point", D::kOptionUnitPoint, 10, 96, 8, {20, 25, 5}},
        {"point binary", D::kOptionUnitPoint, 2, 96, 8, {20, 24, 8}},
        {"twip", D::kOptionUnitTwip, 10, 96, 8, {1, 1000, 10}},
        {"twip binary", D::kOptionUnitTwip, 2, 96, 8, {1, 720, 16}},
        {"centimeter", D::kOptionUnitCentimeter, 10, 96, 8, {566, 1, 10}},
        {"no unit bit graduates in centimeters", 0, 2, 96, 8, {566, 1, 8}},
        {"inch", D::kOptionUnitInch, 10, 96, 8, {1440, 1, 20}},
        {"inch binary", D::kOptionUnitInch, 2, 96, 8, {1440, 1, 32}},
        // Dialog base: T = trunc(8 * 1440 / 96) = 120, M = 5, 40 px per major, N from g = 20.
        {"dialog base", D::kOptionUnitDialogBase, 10, 96, 8, {120, 5, 10}},
        // Dialog across: T = 8 * 1440 / (4 * 96) = 30, M = 25, 50 px per major, N = 25.
        {"dialog across", D::kOptionUnitDialog, 10, 96, 8, {30, 25, 25}},
        // Dialog down: T = 16 * 1440 / (8 * 96) = 30, same steps.
        {"dialog down", D::kOptionUnitDialog | D::kOptionVertical, 10, 96, 16, {30, 25, 25}},
        // Binary: T = 30, v = 20 -> M = 32, x = 64, e = 32, f = 32, g = 32 -> N = 32; x/N = 2.
        {"dialog across binary", D::kOptionUnitDialog, 2, 96, 8, {30, 32, 32}},
        // T = 120, v = 5 -> M = 8, x = 64, e = 32, f = 32, g doubles to 32 -> N = 32; x/N = 2.
        {"dialog base binary", D::kOptionUnitDialogBase, 2, 96, 8, {120, 8, 32}},
        // A density where a dialog unit is under a twip still graduates (one twip per unit).
        {"dialog at extreme density", D::kOptionUnitDialog, 2, 4000, 8, {1, 1024, 512}},
        {"pixel at extreme density", D::kOptionUnitPixel, 10, 2000, 8, {1, 50, 25}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComputeUnitMetrics(c.options, c.base, c.dpi, c.dialogBase), c.expected) << c.name;
    }
}

TEST(RulerUnitMetrics, DialogStepsRoundAndHalveCrowdedTicks) {
    struct Case {
        int twips, base, dpi;
        UnitMetrics expected;
    };
    const Case cases[] = {
        // v = 600 / 7 = 85 -> M = 100; x = 46.7, e = 23, f = 20; g = gcd(20, 100) = 20 and
        // e < M -> N = 10.
        {7, 10, 96, {7, 100, 10}},
        // v = 600 / 200 = 3 -> M = 5; x = 66.6, e = 33, f = 30; g doubles 5->10->20, f mod 20
        // = 10 -> g = gcd(10, 20) = 10 -> N = 10.
        {200, 10, 96, {200, 5, 10}},
        // v = 600 -> above 500: rounded down to hundreds; x = 40, g = 20 -> N = 10.
        {1, 10, 96, {1, 600, 10}},
        // Binary past the list: 600 goes up to one block rather than down to nothing; x =
        // 68.3, g = 32 gives ticks 2.1 pixels apart, so they are halved.
        {1, 2, 96, {1, 1024, 16}},
        // A base other than 2 or 10 rounds to its own multiples: M = 15, 2.7 pixels per tick
        // divides N by 5.
        {40, 3, 96, {40, 15, 3}},
    };
    for (const auto& c : cases) {
        const UnitMetrics m = DialogUnitSteps(c.twips, c.base, c.dpi);
        EXPECT_EQ(m, c.expected) << c.twips << " twips, base " << c.base;
        EXPECT_GE(m.majorStep, 1);
        EXPECT_GE(m.subdivisions, 1);
    }
}

TEST(RulerUnitMetrics, UnitIndexAndDialogBaseUnits) {
    EXPECT_EQ(RulerUnitIndex(D::kOptionUnitPixel | D::kOptionGuide), 0);
    EXPECT_EQ(RulerUnitIndex(D::kOptionUnitDialog | D::kOptionVertical), 7);
    EXPECT_EQ(RulerUnitIndex(D::kOptionVertical | D::kOptionInverted), std::nullopt);
    // 52 letters 364 px wide: (364 / 26 + 1) / 2 = 7.
    EXPECT_EQ(DialogBaseUnitsFromFont(364, 15), (Size{7, 15}));
}

GraduationInput Input(std::uint32_t options, int base, int width, int scale = 100) {
    GraduationInput in;
    in.client = {width, 64};
    in.vertical = (options & D::kOptionVertical) != 0;
    in.inverted = (options & D::kOptionInverted) != 0;
    in.scale = scale;
    in.metrics = ComputeUnitMetrics(options, base, 96, 8);
    in.unitPixels = UnitDevicePixels(options, in.metrics, 96);
    in.inch = (options & D::kOptionUnitInch) != 0;
    in.textHeight = 13;
    if (in.vertical) std::swap(in.client.cx, in.client.cy);
    return in;
}

std::map<int, int> MinorLengths(const GraduationLayout& layout) {
    std::map<int, int> lengths;
    for (const RulerTick& t : layout.minors) lengths[t.along] = t.length;
    return lengths;
}

TEST(RulerGraduations, PixelsAtTrueSize) {
    const GraduationLayout layout = LayoutGraduations(Input(D::kOptionUnitPixel, 10, 120));
    // Majors every 50 pixels, the last one at or beyond the end (120) ends the layout.
    ASSERT_EQ(layout.majors.size(), 4u);
    for (std::size_t i = 0; i < layout.majors.size(); ++i) {
        EXPECT_EQ(layout.majors[i].along, static_cast<int>(i) * 50);
        EXPECT_EQ(layout.majors[i].length, 12);
    }
    std::vector<std::string> texts;
    for (const RulerLabel& l : layout.labels) texts.push_back(l.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"0", "50", "100", "150"}));

    // Ticks every 2 pixels: 6 pixels every 10, 4 between, no 9-pixel half-way tick.
    const auto minors = MinorLengths(layout);
    EXPECT_EQ(minors.size(), 3u * 24u);
    for (const auto& [at, length] : minors) {
        EXPECT_EQ(at % 2, 0) << at;
        EXPECT_EQ(length, at % 10 == 0 ? 6 : 4) << at;
    }
}

TEST(RulerGraduations, ReducedScaleDropsShortTicksAndOddLabels) {
    const GraduationLayout pixels = LayoutGraduations(Input(D::kOptionUnitPixel, 10, 200, 90));
    std::vector<int> majors;
    for (const RulerTick& t : pixels.majors) majors.push_back(t.along);
    EXPECT_EQ(majors, (std::vector<int>{0, 45, 90, 135, 180, 225}));
    std::vector<std::string> texts;
    for (const RulerLabel& l : pixels.labels) texts.push_back(l.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"0", "100", "200"}));
    for (const auto& [at, length] : MinorLengths(pixels)) EXPECT_EQ(length, 6) << at;
    EXPECT_EQ(MinorLengths(pixels).size(), 5u * 4u);

    // Inches keep every label at any scale.
    const GraduationLayout inches = LayoutGraduations(Input(D::kOptionUnitInch, 10, 300, 90));
    EXPECT_EQ(inches.labels.size(), inches.majors.size());

    // Larger scales stretch the majors and keep every label and the short ticks.
    const GraduationLayout big = LayoutGraduations(Input(D::kOptionUnitPixel, 10, 200, 200));
    EXPECT_EQ(big.majors[1].along, 100);
    EXPECT_EQ(big.labels.size(), big.majors.size());
    EXPECT_EQ(MinorLengths(big).at(4), 4);
}

TEST(RulerGraduations, BinaryInchTickLengths) {
    const GraduationLayout layout = LayoutGraduations(Input(D::kOptionUnitInch, 2, 96));
    ASSERT_GE(layout.majors.size(), 2u);
    EXPECT_EQ(layout.majors[1].along, 96);
    const auto minors = MinorLengths(layout);
    EXPECT_EQ(minors.size(), 31u);
    // 96 pixels in 32 parts: 3 pixels each.
    EXPECT_EQ(minors.at(48), 9);  // half inch
    EXPECT_EQ(minors.at(12), 8);  // eighths
    EXPECT_EQ(minors.at(36), 8);
    EXPECT_EQ(minors.at(6), 6);  // sixteenths
    EXPECT_EQ(minors.at(18), 6);
    EXPECT_EQ(minors.at(3), 4);  // thirty-seconds
    EXPECT_EQ(minors.at(93), 4);

    // Decimal inches: twentieths, tenths at 6 pixels, the half at 9.
    const auto decimal = MinorLengths(LayoutGraduations(Input(D::kOptionUnitInch, 10, 96)));
    EXPECT_EQ(decimal.size(), 19u);
    EXPECT_EQ(decimal.at(48), 9);
    EXPECT_EQ(decimal.at(MulDiv(96, 2, 20)), 6);
    EXPECT_EQ(decimal.at(MulDiv(96, 1, 20)), 4);
}

TEST(RulerGraduations, EdgesAndLabelsFollowTheGraduatedSide) {
    struct Case {
        std::uint32_t options;
        int edge;
        int direction;
        int labelTop;
        std::pair<Point, Point> firstMajorLine;
    };
    // Client 200 x 64 (horizontal) or 64 x 200 (vertical); text 13 pixels high.
    const Case cases[] = {
        {D::kOptionUnitPixel, 64, -1, 64 - 12 - 13, {{50, 63}, {50, 52}}},
        {D::kOptionUnitPixel | D::kOptionInverted, -1, 1, 12, {{50, 0}, {50, 11}}},
        {D::kOptionUnitPixel | D::kOptionVertical, 64, -1, 64 - 12 - 13, {{63, 50}, {52, 50}}},
        {D::kOptionUnitPixel | D::kOptionVertical | D::kOptionInverted,
         -1,
         1,
         12,
         {{0, 50}, {11, 50}}},
    };
    for (const auto& c : cases) {
        const GraduationInput in = Input(c.options, 10, 200);
        const GraduationLayout layout = LayoutGraduations(in);
        EXPECT_EQ(layout.edge, c.edge) << c.options;
        EXPECT_EQ(layout.direction, c.direction) << c.options;
        EXPECT_EQ(layout.labels[1].acrossTop, c.labelTop) << c.options;
        EXPECT_EQ(TickLine(layout, layout.majors[1], in.vertical), c.firstMajorLine) << c.options;
    }
}

TEST(RulerGraduations, DegenerateInputsEnd) {
    // An empty client still gets the zero tick; a bad scale is ignored, not divided by.
    GraduationInput in = Input(D::kOptionUnitPixel, 10, 0);
    EXPECT_EQ(LayoutGraduations(in).majors.size(), 1u);
    in = Input(D::kOptionUnitPixel, 10, 100, 0);
    EXPECT_EQ(LayoutGraduations(in).majors[1].along, 50);
    // The origin offset moves every tick.
    in = Input(D::kOptionUnitPixel, 10, 100);
    in.originOffset = 7;
    EXPECT_EQ(LayoutGraduations(in).majors[1].along, 57);
    // A full 4K ruler ends after the first major past its end.
    const GraduationLayout wide = LayoutGraduations(Input(D::kOptionUnitTwip, 2, 3840));
    EXPECT_GE(wide.majors.back().along, 3840);
    EXPECT_LT(wide.majors[wide.majors.size() - 2].along, 3840);
}

TEST(RulerGraduations, EndLabelsStayInsideTheRuler) {
    struct Case {
        int along, width, length;
        int start;
    };
    const Case cases[] = {
        {400, 20, 800, 390},  // in the middle: centred
        {0, 8, 800, 0},       // the zero label starts at the ruler's start
        {800, 24, 800, 776},  // "800" on the last pixel ends at the ruler's end
        {795, 24, 800, 776}, {788, 24, 800, 776},  // just fits centred
        {5, 30, 800, 0},     {10, 40, 30, 0},      // wider than the ruler: from its start
        {850, 24, 800, 838},                       // a tick past the end keeps its place
        {-12, 10, 800, -17},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LabelStart(c.along, c.width, c.length), c.start)
            << c.along << " " << c.width << " " << c.length;
}

// A pixel is one device pixel at any density: the unit's twips (whole numbers) would make it
// 1440 / 7 = 205.7 dpi at 192 dpi, reading 214 pixels across 200. The other units follow the
// display's inch.
TEST(RulerGraduations, PixelUnitIsOneDevicePixelAtAnyDensity) {
    for (const int dpi : {96, 110, 120, 144, 168, 192, 288}) {
        const UnitMetrics pixel = ComputeUnitMetrics(D::kOptionUnitPixel, 10, dpi, 8);
        EXPECT_EQ(UnitDevicePixels(D::kOptionUnitPixel, pixel, dpi), 1.0) << dpi;
        const UnitMetrics inch = ComputeUnitMetrics(D::kOptionUnitInch, 10, dpi, 8);
        EXPECT_DOUBLE_EQ(UnitDevicePixels(D::kOptionUnitInch, inch, dpi), dpi) << dpi;

        GraduationInput in = Input(D::kOptionUnitPixel, 10, 1000);
        in.metrics = pixel;
        in.unitPixels = UnitDevicePixels(D::kOptionUnitPixel, pixel, dpi);
        const GraduationLayout layout = LayoutGraduations(in);
        ASSERT_GE(layout.majors.size(), 5u);
        EXPECT_EQ(layout.majors[4].along, 200) << dpi;
    }
}

// The logical pixel is the monitor's scale in device pixels, graduated as the pixel. The
// stored options know eight units: it is stored as Pixel, and taken back as the logical pixel
// only where the side setting says so and the stored unit is still Pixel.
TEST(RulerGraduations, LogicalPixelIsStoredAsPixel) {
    const std::uint32_t lpx = kRulerLogicalPixelBit;
    const UnitMetrics m = ComputeUnitMetrics(lpx, 10, 192, 8);
    EXPECT_EQ(m, ComputeUnitMetrics(D::kOptionUnitPixel, 10, 192, 8));
    for (const double scale : {1.0, 1.25, 1.5, 1.75, 2.0})
        EXPECT_EQ(UnitDevicePixels(lpx, m, 192, scale), scale);

    const struct {
        std::uint32_t options, stored;
        bool logical;
        std::uint32_t back;
    } cases[] = {
        {lpx | D::kOptionGuide, D::kOptionUnitPixel | D::kOptionGuide, true, lpx | D::kOptionGuide},
        {D::kOptionUnitPixel | D::kOptionVertical, D::kOptionUnitPixel | D::kOptionVertical, false,
         D::kOptionUnitPixel | D::kOptionVertical},
        // Another writer chose inches since: the side setting no longer applies.
        {D::kOptionUnitInch, D::kOptionUnitInch, true, D::kOptionUnitInch},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StoredRulerOptions(c.options), c.stored) << c.options;
        EXPECT_EQ(RulerOptionsFromStore(c.stored, c.logical), c.back) << c.options;
    }
    // The window's own bit never comes from a stored word.
    EXPECT_EQ(RulerOptionsFromStore(lpx | D::kOptionUnitInch, false), D::kOptionUnitInch);
}

// Labels are thinned out until the widest one clears its neighbour, whatever the scale:
// a 2x window has 50 device pixels between pixel majors for labels twice as wide.
TEST(RulerGraduations, LabelsNeverTouch) {
    struct Case {
        const char* name;
        std::uint32_t options;
        int scale;
        int charWidth;  // device pixels per digit
        int gap;
        int every;  // majors per label expected
    };
    const Case cases[] = {
        {"1x pixels fit", D::kOptionUnitPixel, 100, 7, 4, 1},
        {"2x pixels: every second", D::kOptionUnitPixel, 100, 14, 8, 2},
        {"3x pixels: four digits fit in two majors", D::kOptionUnitPixel, 100, 21, 12, 2},
        {"zoomed out keeps every second at least", D::kOptionUnitPixel, 90, 7, 4, 2},
        {"zoomed out and wide", D::kOptionUnitPixel, 50, 14, 8, 4},
        {"twips at 2x", D::kOptionUnitTwip, 100, 14, 8, 2},
        {"inch labels every inch", D::kOptionUnitInch, 100, 14, 8, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraduationInput in = Input(c.options, 10, 2400, c.scale);
        in.labelWidth = [&c](std::string_view text) {
            return c.charWidth * static_cast<int>(text.size());
        };
        in.labelGap = c.gap;
        const GraduationLayout layout = LayoutGraduations(in);
        ASSERT_GE(layout.labels.size(), 2u);
        EXPECT_EQ(layout.labels[1].along - layout.labels[0].along,
                  layout.majors[static_cast<std::size_t>(c.every)].along - layout.majors[0].along);
        for (std::size_t i = 1; i < layout.labels.size(); ++i) {
            const RulerLabel& a = layout.labels[i - 1];
            const RulerLabel& b = layout.labels[i];
            const int aw = in.labelWidth(a.text), bw = in.labelWidth(b.text);
            EXPECT_GE((b.along - bw / 2) - (a.along + aw / 2), c.gap - 1)
                << a.text << " " << b.text;
        }
    }
}

}  // namespace
}  // namespace nl
