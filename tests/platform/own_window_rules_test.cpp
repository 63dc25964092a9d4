#include "platform/own_window_rules.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(OwnWindowRulesTest, OnlyTheWaylandPluginLeavesPlacementToTheCompositor) {
    const struct {
        const char* platform;
        bool placedByCompositor;
        bool activatesByToken;
    } cases[] = {
        {"wayland", true, true},      {"xcb", false, false}, {"offscreen", false, false},
        {"wayland-egl", false, true}, {"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platform);
        const OwnWindowRules rules = OwnWindowRulesOf(c.platform);
        EXPECT_EQ(rules.placesWindows, !c.placedByCompositor);
        EXPECT_EQ(rules.raisesOverFullScreen, !c.placedByCompositor);
        EXPECT_EQ(rules.copyShowsClosedWindows, c.placedByCompositor);
        EXPECT_EQ(rules.activatesByToken, c.activatesByToken);
    }
}

}  // namespace
}  // namespace nl
