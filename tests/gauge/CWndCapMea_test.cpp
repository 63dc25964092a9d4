// The measuring overlay's gestures: drags, Shift constraints, shapes from the center, path
// clicks and their limit, the drawn figure, the stored gesture, the prompts and the pane.
#include <gtest/gtest.h>

#include "base/StringTable.h"
#include "base/string_ids.h"
#include "base/virtual_keys.h"
#include "framework/CAppPrefs.h"
#include "framework/prefs_test_support.h"
#include "gauge/CCapMea.h"
#include "model/CUnitsXY.h"
#include "overlay/overlay_test_support.h"

namespace nl {
namespace {

using testing_support::RecordingOverlay;

constexpr KeyState kShift{true, false};

// A measurement of one shape over a 400x300 overlay; the gestures it stores are collected.
struct MeaRig {
    test::PrefsRig services;
    CAppPrefs prefs{services.Services()};
    RecordingOverlay window;
    std::vector<MeaGesture> stored;
    std::vector<KeepMeasurement> keeps;
    std::uint32_t storeError = 0;
    CCapMea measure;

    explicit MeaRig(MeaShape shape, MeaFromCenter fromCenter = MeaFromCenter::kNo)
        : measure(window, Prefs(), shape, fromCenter,
                  [this](const MeaGesture& g, KeepMeasurement keep) {
                      stored.push_back(g);
                      keeps.push_back(keep);
                      return storeError;
                  }) {
        measure.Prepare({0, 0, 400, 300}, {});
        measure.Open();
    }
    CAppPrefs& Prefs() {
        prefs.Initialize({});
        prefs.SetDefaults();
        return prefs;
    }
    void Drag(Point from, Point to, KeyState keys = {}) {
        measure.OnLeftDown(from, keys);
        measure.OnMouseMove(to, keys);
        measure.OnLeftUp(to, keys);
    }
};

TEST(CWndCapMeaTest, ShiftStraightensLinesAndSquaresShapes) {
    struct Case {
        MeaShape shape;
        Point to;
        Point want;
    };
    const Case cases[] = {
        {MeaShape::kLine, {100, 99}, {100, 0}},   // below 45 degrees: horizontal
        {MeaShape::kLine, {99, 100}, {0, 100}},   // above: vertical
        {MeaShape::kLine, {100, 100}, {0, 100}},  // exactly 45: vertical
        {MeaShape::kLine, {-100, 30}, {-100, 0}},
        {MeaShape::kRectangle, {40, 20}, {20, 20}},
        {MeaShape::kEllipse, {-40, 25}, {-25, 25}},
        {MeaShape::kRectangle, {0, 30}, {0, 0}},  // a zero offset stays zero
    };
    for (const Case& c : cases) {
        MeaRig rig(c.shape);
        rig.Drag({0, 0}, c.to, kShift);
        ASSERT_EQ(rig.stored.size(), 1u);
        EXPECT_EQ(rig.stored[0].last, c.want) << c.to.x << "," << c.to.y;
    }
}

TEST(CWndCapMeaTest, DragStoresTheGestureAndTracksThePreviousEnd) {
    MeaRig rig(MeaShape::kRectangle, MeaFromCenter::kYes);
    rig.measure.OnLeftDown({100, 100}, {});
    rig.measure.OnMouseMove({120, 110}, {});
    rig.measure.OnMouseMove({130, 120}, {});
    EXPECT_EQ(rig.measure.PreviousLast(), (Point{120, 110}));
    // During the gesture the rectangle runs from the mirror of the cursor to the cursor,
    // the end pixel included.
    EXPECT_EQ(rig.measure.Drawing(), (MeaDrawing{MeaFigure::kRectangle, {70, 80}, {131, 121}}));
    EXPECT_EQ(rig.measure.Extent(), (Rect{70, 80, 130, 120}));
    rig.measure.OnLeftUp({130, 120}, {});
    ASSERT_EQ(rig.stored.size(), 1u);
    const MeaGesture& g = rig.stored[0];
    EXPECT_EQ(g.shape, MeaShape::kRectangle);
    EXPECT_EQ(g.fromCenter, MeaFromCenter::kYes);
    EXPECT_EQ(g.origin, (Point{100, 100}));
    EXPECT_EQ(g.last, (Point{130, 120}));
    EXPECT_TRUE(g.points.empty());
    EXPECT_EQ(rig.window.ends, (std::vector<OverlayEnd>{{0, MainWindowAfter::kLeave}}));
}

TEST(CWndCapMeaTest, TheEndPixelCountsOnlyWhereTheStartIsBefore) {
    struct Case {
        MeaShape shape;
        MeaFromCenter fromCenter;
        Point to;
        MeaDrawing want;
    };
    const Case cases[] = {
        {MeaShape::kLine, MeaFromCenter::kNo, {50, 20}, {MeaFigure::kLine, {10, 10}, {51, 20}}},
        {MeaShape::kLine, MeaFromCenter::kNo, {0, 0}, {MeaFigure::kLine, {10, 10}, {0, 0}}},
        {MeaShape::kRectangle,
         MeaFromCenter::kNo,
         {5, 30},
         {MeaFigure::kRectangle, {10, 10}, {5, 31}}},
        {MeaShape::kEllipse, MeaFromCenter::kNo, {30, 5}, {MeaFigure::kEllipse, {10, 10}, {31, 5}}},
        {MeaShape::kEllipse, MeaFromCenter::kYes, {4, 16}, {MeaFigure::kEllipse, {16, 4}, {4, 17}}},
    };
    for (const Case& c : cases) {
        MeaRig rig(c.shape, c.fromCenter);
        rig.measure.OnLeftDown({10, 10}, {});
        rig.measure.OnMouseMove(c.to, {});
        EXPECT_EQ(rig.measure.Drawing(), c.want) << c.to.x << "," << c.to.y;
    }
}

TEST(CWndCapMeaTest, RubberBandRepaintsTheOldAndNewShapeArea) {
    MeaRig rig(MeaShape::kLine);
    rig.measure.OnLeftDown({10, 10}, {});
    rig.window.invalidations.clear();
    rig.measure.OnMouseMove({40, 20}, {});
    rig.measure.OnMouseMove({20, 50}, {});
    ASSERT_EQ(rig.window.invalidations.size(), 2u);
    EXPECT_EQ(rig.window.invalidations[1].region.BoundingBox(), (Rect{10, 10, 42, 51}));
    EXPECT_EQ(rig.window.invalidations[1].erase, EraseBackground::kYes);
}

TEST(CWndCapMeaTest, PathClicksAddVerticesAndADoubleClickFinishes) {
    MeaRig rig(MeaShape::kPath);
    EXPECT_EQ(MeasurePromptId(true, &rig.measure), kIdsHintClickPoints);
    rig.measure.OnLeftDown({10, 10}, {});
    rig.measure.OnLeftDown({10, 10}, {});       // the same spot again: no vertex
    rig.measure.OnMouseMove({60, 14}, kShift);  // straightened from the last vertex
    EXPECT_EQ(rig.measure.Last(), (Point{60, 10}));
    EXPECT_EQ(rig.measure.Drawing(), (MeaDrawing{MeaFigure::kSegment, {10, 10}, {60, 10}}));
    rig.measure.OnLeftDown({60, 10}, {});
    rig.measure.OnMouseMove({60, 40}, {});
    EXPECT_EQ(rig.measure.Extent(), (Rect{10, 10, 60, 40}));
    EXPECT_EQ(MeasurePromptId(true, &rig.measure), kIdsHintDoubleClickToFinish);
    // The double-click's first press has added its vertex already.
    rig.measure.OnLeftDown({60, 40}, {});
    rig.measure.OnLeftDoubleClick({60, 40}, {});
    ASSERT_EQ(rig.stored.size(), 1u);
    EXPECT_EQ(rig.stored[0].points, (std::vector<Point>{{10, 10}, {60, 10}, {60, 40}}));
    EXPECT_EQ(rig.stored[0].last, (Point{60, 40}));
    // A new vertex repaints the overlay over what is there.
    EXPECT_EQ(rig.window.invalidations.back().erase, EraseBackground::kNo);
    EXPECT_EQ(rig.window.invalidations.back().region.BoundingBox(), (Rect{0, 0, 400, 300}));
}

TEST(CWndCapMeaTest, PathAbortsOnTheClickAfter1001Vertices) {
    MeaRig rig(MeaShape::kPath);
    for (int i = 0; i < 1001; ++i) rig.measure.OnLeftDown({i % 400, i / 400}, {});
    EXPECT_EQ(rig.measure.Vertices().size(), 1001u);
    EXPECT_EQ(rig.measure.State(), CapState::kTracking);
    rig.measure.OnLeftDown({399, 299}, {});
    EXPECT_EQ(rig.measure.State(), CapState::kAborted);
    EXPECT_TRUE(rig.stored.empty());
    ASSERT_EQ(rig.window.ends.size(), 1u);
    EXPECT_EQ(rig.window.ends[0].error, kErrorImplementationLimit);
}

TEST(CWndCapMeaTest, AutoCopyFailureIsReported) {
    MeaRig failing(MeaShape::kLine);
    failing.storeError = 5;
    failing.Drag({0, 0}, {30, 30});
    EXPECT_EQ(failing.window.ends.at(0).error, 5u);
}

// Keeping: each gesture is stored keeping the one before, and the overlay stays open for the
// next; Shift+Enter turns keeping off for the last gesture, which still keeps the others;
// Enter after kept gestures ends the overlay as finished, with the auto-copy failure of any.
TEST(CWndCapMeaTest, KeepingStoresEachGestureAndEndsOnEnter) {
    using K = KeepMeasurement;
    MeaRig rig(MeaShape::kRectangle);
    rig.measure.SetKeeping(true);
    EXPECT_EQ(MeasureKeepingText(rig.measure), LoadString(kIdsHintKeepingMeasurements));
    rig.Drag({10, 10}, {50, 40});
    rig.storeError = kErrorClipboardNotOpen;
    rig.Drag({60, 10}, {90, 40});
    rig.storeError = 0;
    EXPECT_EQ(rig.measure.State(), CapState::kOpen);
    EXPECT_TRUE(rig.window.ends.empty());
    EXPECT_EQ(MeasureKeepingText(rig.measure), LoadString(kIdsHintKeptMeasurements));
    rig.measure.OnKeyDown(kVkReturn, kShift);  // keeping off: the next gesture is the last
    EXPECT_FALSE(rig.measure.Keeping());
    rig.Drag({100, 10}, {140, 40});
    ASSERT_EQ(rig.window.ends.size(), 1u);
    EXPECT_EQ(rig.keeps, (std::vector<K>{K::kYes, K::kYes, K::kYes}));
    EXPECT_EQ(rig.stored[2].last, (Point{140, 40}));
    EXPECT_EQ(rig.window.ends[0].error, kErrorClipboardNotOpen);

    for (const std::uint32_t key : {kVkReturn, kVkEscape}) {
        MeaRig done(MeaShape::kLine);
        done.measure.SetKeeping(true);
        done.measure.OnKeyDown(kVkReturn, kShift);  // off and on again
        done.measure.OnKeyDown(kVkReturn, kShift);
        done.Drag({0, 0}, {30, 0});
        EXPECT_TRUE(done.window.ends.empty());
        done.measure.OnKeyDown(key);
        ASSERT_EQ(done.window.ends.size(), 1u) << key;
        EXPECT_EQ(done.window.ends[0].error, kErrorSuccess) << key;
        EXPECT_EQ(done.stored.size(), 1u) << key;
    }
    // Without a kept gesture Esc aborts as ever.
    MeaRig none(MeaShape::kLine);
    none.measure.SetKeeping(true);
    none.measure.OnKeyDown(kVkEscape);
    ASSERT_EQ(none.window.ends.size(), 1u);
    EXPECT_EQ(none.window.ends[0].error, kErrorRequestAborted);
    EXPECT_TRUE(none.stored.empty());
}

TEST(CWndCapMeaTest, StoredMeasurementShowsAsFinishedAndTakesNoGesture) {
    CWndCapMeaData data;
    test::FixedClock clock;
    ASSERT_TRUE(data.CompleteGesture(
        {MeaShape::kPath, MeaFromCenter::kNo, {5, 5}, {5, 5}, {9, 9}, {{5, 5}, {30, 5}, {30, 40}}},
        clock));
    RecordingOverlay window;
    CWndCapMea shown(window, MainWindowAfter::kLeave, MeaShape::kLine, MeaFromCenter::kNo);
    shown.ShowStored(data);
    EXPECT_EQ(shown.Drawing().figure, MeaFigure::kPolyline);
    EXPECT_EQ(shown.PreviousLast(), (Point{9, 9}));
    shown.OnLeftDown({1, 1}, {});
    EXPECT_EQ(shown.State(), CapState::kFinished);
    EXPECT_TRUE(window.calls.empty());
}

TEST(CWndCapMeaTest, PositionPaneCountsPathVerticesAndShowsTheExtent) {
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(DisplayMetrics{}, nullptr));
    const CUnitXY& pixels = units.GetAt(CUnitXY::kPixel);
    MeaRig path(MeaShape::kPath);
    path.measure.OnLeftDown({10, 20}, {});
    path.measure.OnLeftDown({50, 20}, {});
    path.measure.OnMouseMove({30, 60}, {});
    EXPECT_EQ(MeasurePositionText(pixels, path.measure),
              "02: " + pixels.FormatRectWithSize(10, 20, 50, 60));
    MeaRig line(MeaShape::kLine);
    line.measure.OnLeftDown({40, 30}, {});
    line.measure.OnMouseMove({10, 35}, {});
    EXPECT_EQ(MeasurePositionText(pixels, line.measure),
              "00: " + pixels.FormatRectWithSize(10, 30, 40, 35));
}

// The overlay's label gives the figures of the gesture under way, as its rows will.
TEST(CWndCapMeaTest, TheLiveLabelGivesTheFiguresOfTheGestureUnderWay) {
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(DisplayMetrics{}, nullptr));
    const CUnitXY& pixels = units.GetAt(CUnitXY::kPixel);
    const NumberFormat neutral = NumberFormat::Neutral();
    struct Case {
        MeaShape shape;
        Point to;
        const char* want;
    };
    const Case cases[] = {
        {MeaShape::kLine, {130, 140}, "Length: 50.00   Angle: 53.13\xC2\xB0"},
        {MeaShape::kRectangle, {130, 140}, "Size: 30 x 40   Perimeter: 140.00"},
        {MeaShape::kRectangle, {100, 100}, ""},  // a plain click
    };
    for (const Case& c : cases) {
        MeaRig rig(c.shape);
        EXPECT_EQ(MeasureLiveFigures(pixels, neutral, rig.measure), "");
        rig.measure.OnLeftDown({100, 100}, {});
        rig.measure.OnMouseMove(c.to, {});
        EXPECT_EQ(MeasureLiveFigures(pixels, neutral, rig.measure), c.want) << c.want;
    }
}

// Kept measurements are labelled with their main figure, and the view lists several under
// numbered headings (one alone keeps its plain rows).
TEST(CWndCapMeaTest, KeptMeasurementsAreLabelledAndListedUnderHeadings) {
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(DisplayMetrics{}, nullptr));
    const CUnitXY& pixels = units.GetAt(CUnitXY::kPixel);
    const NumberFormat neutral = NumberFormat::Neutral();
    const auto made = [](MeaShape shape, Point first, Point last, std::vector<Point> points = {}) {
        return *CWndCapMeaData::FromParts(shape, first, first, last, std::move(points), {});
    };
    const CWndCapMeaData line = made(MeaShape::kLine, {0, 0}, {30, 40});
    const CWndCapMeaData box = made(MeaShape::kRectangle, {10, 10}, {110, 60});
    const CWndCapMeaData oval = made(MeaShape::kEllipse, {0, 0}, {40, 20});
    const CWndCapMeaData path = made(MeaShape::kPath, {0, 0}, {3, 4}, {{0, 0}, {3, 4}});
    EXPECT_EQ(MeasurementLabel(pixels, neutral, line), "50.00");
    EXPECT_EQ(MeasurementLabel(pixels, neutral, box), "100 x 50");
    EXPECT_EQ(MeasurementLabel(pixels, neutral, oval), "40 x 20");
    EXPECT_EQ(MeasurementLabel(pixels, neutral, path), "5.00");

    const CWndCapMeaData* one[] = {&box};
    EXPECT_EQ(MeasurementsViewRows(pixels, neutral, one), box.BuildRows(pixels, neutral));
    const CWndCapMeaData* two[] = {&line, &box};
    const std::vector<std::string> rows = MeasurementsViewRows(pixels, neutral, two);
    const std::size_t lineRows = line.BuildRows(pixels, neutral).size();
    ASSERT_EQ(rows.size(), 4 + lineRows + box.BuildRows(pixels, neutral).size());
    EXPECT_EQ(rows[0], "Measurement 1");
    EXPECT_EQ(rows[1], "50.00");
    EXPECT_EQ(rows[2 + lineRows], "Measurement 2");
    EXPECT_EQ(rows[3 + lineRows], "100 x 50");
    EXPECT_EQ(rows[4 + lineRows], "Rectangle");
}

}  // namespace
}  // namespace nl
