// The magnifier's texts and rules: the magnified area in a unit, the hint pane and
// follow-ruler.
#include "magnifier/magnifier_texts.h"

#include <gtest/gtest.h>

#include "base/StringTable.h"
#include "framework/CAppPrefs.h"
#include "model/CUnitsXY.h"

namespace nl {
namespace {

TEST(MagnifierTextsTest, MagnifiedAreaInTheUnitOrStartToEnable) {
    DisplayMetrics metrics;
    metrics.dpiX = 96;
    metrics.dpiY = 96;
    CUnitsXY units;
    ASSERT_TRUE(units.LoadUnits(metrics, nullptr));
    const Rect area{-20, 10, 76, 58};
    EXPECT_EQ(MagnifiedAreaText(Picking::kRunning, area, units.GetAt(CUnitXY::kPixel)),
              "-20 , 10 - 76 , 58 (96 x 48)");
    // 96 pixels are one inch at 96 dots per inch.
    EXPECT_EQ(MagnifiedAreaText(Picking::kRunning, {0, 0, 96, 48}, units.GetAt(CUnitXY::kInch)),
              "0 , 0 - 1 , 0.5 (1 x 0.5)");
    EXPECT_EQ(MagnifiedAreaText(Picking::kStopped, area, units.GetAt(CUnitXY::kPixel)),
              "Start to enable");
}

TEST(MagnifierTextsTest, HintFollowsStartedForegroundAndKeyboard) {
    struct Case {
        MagnifierHintState state;
        const char* text;
    };
    const Case cases[] = {
        {{false, true, true}, "Disabled"},
        {{true, false, true}, "Click here to activate NerimLens"},
        {{true, true, true}, "Press Ctrl+C to copy magnified image"},
        {{true, true, false}, "Move cursor outside this window"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadString(MagnifierHintId(c.state)), c.text);
    }
}

TEST(MagnifierTextsTest, FollowRulerNeedsOptionRulerAndForeground) {
    const std::uint32_t on = AppSettings::kMagnifierFollowRuler | 0x110;
    EXPECT_TRUE(FollowRulerActive(on, true, true));
    EXPECT_FALSE(FollowRulerActive(on & ~AppSettings::kMagnifierFollowRuler, true, true));
    EXPECT_FALSE(FollowRulerActive(on, false, true));
    EXPECT_FALSE(FollowRulerActive(on, true, false));
}

}  // namespace
}  // namespace nl
