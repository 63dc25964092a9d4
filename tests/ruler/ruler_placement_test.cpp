#include "ruler/ruler_placement.h"

#include <gtest/gtest.h>

#include "base/command_ids.h"

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

TEST(RulerPlacementTest, CommandsThatPlaceTheWindowOrTheCursorNeedPlacement) {
    const struct {
        int command;
        bool needs;
    } cases[] = {
        {cmd::kRulerArrange, true},         {cmd::kRulerMoveToCursor, true},
        {cmd::kRulerMoveCursorToRuler, true}, {cmd::kCursorLeft, true},
        {cmd::kCursorDown, true},           {cmd::kRulerZoomIn, false},
        {cmd::kRulerHorizontal, false},     {cmd::kClose, false},
        {cmd::kCursorDown + 1, false},
    };
    for (const auto& c : cases) EXPECT_EQ(RulerCommandNeedsPlacement(c.command), c.needs) << c.command;
}

}  // namespace
}  // namespace nl
