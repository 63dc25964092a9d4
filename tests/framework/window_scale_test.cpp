#include "framework/window_scale.h"

#include <gtest/gtest.h>

#include "framework/CAppPrefs.h"
#include "prefs_test_support.h"

namespace nl {
namespace {

TEST(WindowScaleTest, NotedScalesBelongToTheirRectangleOnly) {
    const Rect rect{610, 102, 1310, 978};
    const std::string value = PlacementScaleValue(rect, 1.5);
    EXPECT_EQ(value, "1.5 610 102 1310 978");
    EXPECT_EQ(PlacementScaleOf(value, rect), 1.5);
    const struct {
        const char* value;
        std::optional<double> scale;
    } cases[] = {
        {"2 610 102 1310 978", 2.0},
        {"2 610 102 1310 979", std::nullopt},  // another rectangle: written by someone else
        {"2 610 102 1310", std::nullopt},      // cut short
        {"2 610 102 1310 978 5", std::nullopt},
        {"0 610 102 1310 978", std::nullopt},
        {"-1 610 102 1310 978", std::nullopt},
        {"nan 610 102 1310 978", std::nullopt},
        {"inf 610 102 1310 978", std::nullopt},
        {"two 610 102 1310 978", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(PlacementScaleOf(c.value, rect), c.scale) << c.value;
}

// A window saved at one scale comes back at another with the same size in Qt's pixels: the
// top-left corner stays, the device size follows the ratio of the scales.
TEST(WindowScaleTest, SavedRectanglesKeepTheirSizeInQtPixelsAcrossScales) {
    const struct {
        double then, now;
        Rect saved, restored;
    } cases[] = {
        {2.0, 1.0, {610, 102, 1310, 978}, {610, 102, 960, 540}},
        {1.0, 2.0, {10, 20, 360, 458}, {10, 20, 710, 896}},
        {1.5, 1.25, {0, 0, 600, 300}, {0, 0, 500, 250}},
        {1.75, 1.75, {5, 5, 77, 99}, {5, 5, 77, 99}},
        {1.0, 0.0, {5, 5, 77, 99}, {5, 5, 77, 99}},  // no scale known: as it was
    };
    for (const auto& c : cases)
        EXPECT_EQ(RescalePlacement(c.saved, c.then, c.now), c.restored) << c.then << "->" << c.now;

    // Through the preferences: noted with the record, applied once the scale differs.
    test::PrefsRig rig;
    CAppPrefs prefs(rig.Services());
    prefs.WinState(kWinStateRuler).RecordPlacement(WindowPlacement::Normal({100, 50, 1060, 178}));
    NotePlacementScale(prefs, kWinStateRuler, 2.0);
    EXPECT_EQ(prefs.Side().Get("window.3.scale"), "2 100 50 1060 178");
    RescaleSavedPlacement(prefs, kWinStateRuler, 1.0);
    EXPECT_EQ(prefs.WinState(kWinStateRuler).Placement().normalPosition, (Rect{100, 50, 580, 114}));
    // The note now belongs to another rectangle: nothing more changes.
    RescaleSavedPlacement(prefs, kWinStateRuler, 3.0);
    EXPECT_EQ(prefs.WinState(kWinStateRuler).Placement().normalPosition, (Rect{100, 50, 580, 114}));
}

}  // namespace
}  // namespace nl
