#include "ruler/ruler_placement.h"

#include <gtest/gtest.h>

namespace nl {
namespace {

TEST(RulerPlacementTest, OnlyTheWaylandPluginLeavesPlacementToTheCompositor) {
    const struct {
        const char* platform;
        RulerPlacement placement;
    } cases[] = {
        {"wayland", RulerPlacement::kByCompositor},
        {"xcb", RulerPlacement::kByProgram},
        {"offscreen", RulerPlacement::kByProgram},
        {"wayland-egl", RulerPlacement::kByProgram},
        {"", RulerPlacement::kByProgram},
    };
    for (const auto& c : cases) EXPECT_EQ(RulerPlacementFor(c.platform), c.placement) << c.platform;
}

}  // namespace
}  // namespace nl
