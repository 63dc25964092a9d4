// Snapping the Gauge's ends to edges, on pictures drawn the way desktops draw elements: a
// button with a soft drop shadow, a card on a gradient, a 1-px rule, an anti-aliased stem.
#include "overlay/edge_snap.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/CAppPrefs.h"
#include "framework/prefs_test_support.h"
#include "gauge/CCapMea.h"
#include "model/CUnitsXY.h"
#include "overlay/overlay_test_support.h"

namespace nl {
namespace {

constexpr std::uint32_t Gray(int v) {
    return static_cast<std::uint32_t>(v) * 0x010101u;
}

// A picture filled by `paint` for each pixel.
struct Picture {
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
    Picture(int w, int h, const std::function<std::uint32_t(int x, int y)>& paint)
        : width(w), height(h), pixels(static_cast<std::size_t>(w * h)) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels[static_cast<std::size_t>(y * w + x)] = paint(x, y);
    }
    SnapPicture View() const {
        return {pixels.data(), width, height, static_cast<std::size_t>(width)};
    }
};

bool Inside(int x, int y, Rect r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// A blue button (pixels 40..139 by 30..69) on a white page with a drop shadow that fades
// over 6 pixels to the right and below it, 20 levels a step.
const Rect kButton{40, 30, 140, 70};
std::uint32_t ShadowedButton(int x, int y) {
    if (Inside(x, y, kButton)) return 0x1A5C9E;
    const int dx = x >= kButton.right ? x - kButton.right + 1 : 0;
    const int dy = y >= kButton.bottom ? y - kButton.bottom + 1 : 0;
    const int away = std::max(dx, dy);
    const bool beside = x >= kButton.left + 4 && y >= kButton.top + 4 && x < kButton.right + 6 &&
                        y < kButton.bottom + 6;
    if (beside && away >= 1 && away <= 6) return Gray(255 - 20 * (7 - away));
    return Gray(255);
}

// A light card (pixels 50..149 by 20..79) on a background that darkens 3 levels a pixel.
const Rect kCard{50, 20, 150, 80};
std::uint32_t CardOnGradient(int x, int y) {
    if (Inside(x, y, kCard)) return Gray(250);
    return Gray(std::max(0, 220 - 3 * (x / 2)));
}

TEST(EdgeSnapTest, FindEdgeTakesTheBoundaryOfTheStrongestOrNearestChange) {
    const Picture shadowed(200, 100, ShadowedButton);
    const Picture gradient(200, 100, CardOnGradient);
    // A 1-px rule at x 100 and an anti-aliased stem at x 150..152 with soft sides.
    const Picture lines(200, 20, [](int x, int) {
        if (x == 100) return Gray(0);
        if (x == 149 || x == 153) return Gray(170);
        if (x >= 150 && x <= 152) return Gray(20);
        return Gray(255);
    });
    struct Case {
        const char* what;
        const Picture& picture;
        Point p;
        Axis axis;
        EdgeMode mode;
        int tolerance;
        std::optional<int> edge;
    };
    const Case cases[] = {
        {"button's right side from the shadow",
         shadowed,
         {144, 50},
         Axis::kX,
         EdgeMode::kSteepest,
         16,
         140},
        {"a shadow's step is nearer", shadowed, {144, 50}, Axis::kX, EdgeMode::kNearest, 16, 144},
        {"button's bottom from below", shadowed, {90, 73}, Axis::kY, EdgeMode::kSteepest, 16, 70},
        {"button's left side from outside",
         shadowed,
         {37, 50},
         Axis::kX,
         EdgeMode::kSteepest,
         16,
         40},
        {"button's top from inside", shadowed, {90, 33}, Axis::kY, EdgeMode::kNearest, 16, 30},
        {"nothing within reach", shadowed, {20, 10}, Axis::kX, EdgeMode::kSteepest, 16, {}},
        {"gradient steps stay below the tolerance",
         gradient,
         {46, 50},
         Axis::kX,
         EdgeMode::kNearest,
         16,
         50},
        {"card's right side on the gradient",
         gradient,
         {152, 50},
         Axis::kX,
         EdgeMode::kNearest,
         16,
         150},
        {"a rule's near side", lines, {97, 5}, Axis::kX, EdgeMode::kNearest, 16, 100},
        {"a rule's far side", lines, {103, 5}, Axis::kX, EdgeMode::kNearest, 16, 101},
        {"a stem's hard side past its soft one",
         lines,
         {146, 5},
         Axis::kX,
         EdgeMode::kSteepest,
         16,
         150},
        {"a stem's soft side first when nearest",
         lines,
         {146, 5},
         Axis::kX,
         EdgeMode::kNearest,
         16,
         149},
        {"a high tolerance sees only the hard side",
         lines,
         {146, 5},
         Axis::kX,
         EdgeMode::kNearest,
         100,
         150},
        {"outside the picture", lines, {-1, 5}, Axis::kX, EdgeMode::kNearest, 16, {}},
        {"at the picture's border", lines, {0, 5}, Axis::kX, EdgeMode::kNearest, 16, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindEdge(c.picture.View(), c.p, c.axis, SnapSetting::kReach, c.tolerance, c.mode),
                  c.edge)
            << c.what;
    }
}

// The ends land on the element's edges: its first pixel, and the first pixel past it.
TEST(EdgeSnapTest, SloppyEndsSnapOntoTheElementsEdges) {
    const Picture shadowed(200, 100, ShadowedButton);
    const Picture gradient(200, 100, CardOnGradient);
    const SnapSetting steepest{true, EdgeMode::kSteepest, 16};
    struct Case {
        const char* what;
        const Picture& picture;
        Point from;
        Point to;
        Point wantFrom;
        Point wantTo;
    };
    const Case cases[] = {
        // 3 px off each corner, outside and inside, either way round.
        {"outside", shadowed, {37, 27}, {142, 72}, {40, 30}, {140, 70}},
        {"inside", shadowed, {43, 33}, {136, 66}, {40, 30}, {140, 70}},
        {"dragged backwards", shadowed, {142, 72}, {37, 27}, {140, 70}, {40, 30}},
        {"card on a gradient", gradient, {47, 17}, {153, 83}, {50, 20}, {150, 80}},
        // A horizontal drag snaps along x only.
        {"one axis", shadowed, {37, 50}, {143, 50}, {40, 50}, {140, 50}},
        // Far from any edge the ends stay where they are.
        {"no edge", shadowed, {5, 5}, {20, 8}, {5, 5}, {20, 8}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnapEndPoint(c.picture.View(), c.from, c.to, steepest), c.wantFrom) << c.what;
        EXPECT_EQ(SnapEndPoint(c.picture.View(), c.to, c.from, steepest), c.wantTo) << c.what;
    }
}

TEST(EdgeSnapTest, AClickMeasuresTheElementOrTheSpaceAroundIt) {
    // Two buttons side by side on a white page, 20 pixels apart.
    const Picture page(200, 100, [](int x, int y) {
        const bool row = y >= 20 && y < 40;
        if (row && x >= 20 && x < 60) return 0x1A5C9Eu;
        if (row && x >= 80 && x < 120) return 0xC83264u;
        return Gray(255);
    });
    const Picture shadowed(200, 100, ShadowedButton);
    struct Case {
        const char* what;
        const Picture& picture;
        Point p;
        std::optional<Rect> box;
    };
    const Case cases[] = {
        {"a button's bounds", page, {30, 25}, Rect{20, 20, 60, 40}},
        {"the space between them", page, {70, 30}, Rect{60, 0, 80, 100}},
        {"above them", page, {40, 5}, Rect{0, 0, 200, 20}},
        {"a shadowed button keeps its own box", shadowed, {100, 50}, kButton},
        {"outside", page, {200, 5}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(BoxAround(c.picture.View(), c.p, 16), c.box) << c.what;
}

TEST(EdgeSnapTest, TheSettingLivesInTheSideFileAndRefusesNonsense) {
    test::PrefsRig services;
    CAppPrefs prefs(services.Services());
    EXPECT_EQ(StoredSnapSetting(prefs), (SnapSetting{}));
    StoreSnapSetting(prefs, {true, EdgeMode::kNearest, 32});
    EXPECT_EQ(prefs.Side().Get("gauge.snap"), "1");
    EXPECT_EQ(StoredSnapSetting(prefs), (SnapSetting{true, EdgeMode::kNearest, 32}));
    for (const char* bad : {"0", "255", "12x", "", "-4"}) {
        prefs.SetSide("gauge.snapTolerance", bad);
        EXPECT_EQ(StoredSnapSetting(prefs).tolerance, SnapSetting::kDefaultTolerance) << bad;
    }
}

// A Gauge measurement of one shape over the 200 x 100 `picture`, snapping; the gestures it
// stores are collected.
struct SnapRig {
    test::PrefsRig services;
    CAppPrefs prefs{services.Services()};
    testing_support::RecordingOverlay window;
    std::vector<MeaGesture> stored;
    std::unique_ptr<CCapMea> measure;

    SnapRig(const Picture& picture, MeaShape shape, MeaFromCenter fromCenter) {
        prefs.Initialize({});
        prefs.SetDefaults();
        measure = std::make_unique<CCapMea>(window, prefs, shape, fromCenter,
                                            [this](const MeaGesture& g, KeepMeasurement) {
                                                stored.push_back(g);
                                                return 0u;
                                            });
        measure->SetSnapping(picture.View(), {true, EdgeMode::kSteepest, 16});
        measure->Prepare({0, 0, 200, 100}, {});
        measure->Open();
    }
};

// The gesture snaps both ends while it runs, and not while Alt is held; a rectangle clicked
// without a drag measures the box around the click.
TEST(EdgeSnapTest, AGaugeDragSnapsUnlessAltIsHeld) {
    const Picture shadowed(200, 100, ShadowedButton);
    struct Case {
        MeaShape shape;
        MeaFromCenter fromCenter;
        KeyState keys;
        Point to;
        Point wantFirst;
        Point wantLast;
    };
    const Case cases[] = {
        {MeaShape::kRectangle, MeaFromCenter::kNo, {}, {142, 72}, {40, 30}, {140, 70}},
        {MeaShape::kEllipse, MeaFromCenter::kNo, {}, {142, 72}, {40, 30}, {140, 70}},
        {MeaShape::kRectangle,
         MeaFromCenter::kNo,
         {false, false, true},
         {142, 72},
         {37, 27},
         {142, 72}},
        // From the center only the dragged corner snaps.
        {MeaShape::kRectangle, MeaFromCenter::kYes, {}, {142, 72}, {37, 27}, {140, 70}},
    };
    for (const Case& c : cases) {
        SnapRig rig(shadowed, c.shape, c.fromCenter);
        rig.measure->OnLeftDown({37, 27}, c.keys);
        rig.measure->OnMouseMove(c.to, c.keys);
        rig.measure->OnLeftUp(c.to, c.keys);
        ASSERT_EQ(rig.stored.size(), 1u);
        EXPECT_EQ(rig.stored[0].first, c.wantFirst);
        EXPECT_EQ(rig.stored[0].last, c.wantLast);
        EXPECT_EQ(rig.stored[0].origin, (Point{37, 27}));
    }
    SnapRig click(shadowed, MeaShape::kRectangle, MeaFromCenter::kNo);
    click.measure->OnLeftDown({90, 50}, {});
    click.measure->OnLeftUp({90, 50}, {});
    ASSERT_EQ(click.stored.size(), 1u);
    EXPECT_EQ(click.stored[0].first, kButton.TopLeft());
    EXPECT_EQ(click.stored[0].last, (Point{kButton.right, kButton.bottom}));
}

// A line clicked without a drag between two buttons measures the spacing cross: the gap
// between them across and the page's height down, kept together as two lines; the live
// label gives the space and the clicked pixel's distances to its edges.
TEST(EdgeSnapTest, ALineClickMeasuresTheSpacingCross) {
    const Rect left{20, 30, 60, 70};
    const Rect right{100, 30, 180, 70};
    const Picture buttons(200, 100, [&](int x, int y) {
        return Inside(x, y, left) || Inside(x, y, right) ? 0x1A5C9Eu : Gray(255);
    });
    SnapRig rig(buttons, MeaShape::kLine, MeaFromCenter::kNo);
    rig.measure->OnLeftDown({70, 50}, {});
    rig.measure->OnMouseMove({70, 50}, {});
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(DisplayMetrics{}, nullptr));
    EXPECT_EQ(
        MeasureLiveFigures(units.GetAt(CUnitXY::kPixel), NumberFormat::Neutral(), *rig.measure),
        "Space: 40 x 100   Left 10   Right 29   Up 50   Down 49");
    rig.measure->OnLeftUp({70, 50}, {});
    ASSERT_EQ(rig.stored.size(), 2u);
    EXPECT_EQ(rig.stored[0].first, (Point{70, 0}));
    EXPECT_EQ(rig.stored[0].last, (Point{70, 100}));
    EXPECT_EQ(rig.stored[1].first, (Point{60, 50}));
    EXPECT_EQ(rig.stored[1].last, (Point{100, 50}));
    // With Alt it is a plain click, which measures nothing.
    SnapRig free(buttons, MeaShape::kLine, MeaFromCenter::kNo);
    free.measure->OnLeftDown({70, 50}, {false, false, true});
    free.measure->OnLeftUp({70, 50}, {false, false, true});
    ASSERT_EQ(free.stored.size(), 1u);
    EXPECT_EQ(free.stored[0].first, free.stored[0].last);
}

}  // namespace
}  // namespace nl
