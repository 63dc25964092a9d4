// The ruler where the compositor places the windows (a Wayland session): translucent by its
// own alpha, and the commands that place the window or the cursor say they cannot.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "base/StringTable.h"
#include "base/command_ids.h"
#include "gui_test_support.h"
#include "ruler/qt/CRuler.h"

namespace nl {
namespace {

struct PlacedRulerRig : test::GuiRig {
    std::unique_ptr<CRuler> ruler;
    explicit PlacedRulerRig(RulerPlacement placement) {
        ruler = std::make_unique<CRuler>(context, nullptr);
        ruler->UsePlacement(placement);
        ruler->show();
    }
    ~PlacedRulerRig() {
        ruler.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST(CRulerPlacementTest, PlacingCommandsSayTheyCannotWhereTheCompositorPlaces) {
    const struct {
        int command;
        bool refused;
    } cases[] = {
        {cmd::kRulerArrange, true},           {cmd::kRulerMoveToCursor, true},
        {cmd::kRulerMoveCursorToRuler, true}, {cmd::kCursorRight, true},
        {cmd::kRulerZoomIn, false},
    };
    for (const RulerPlacement placement :
         {RulerPlacement::kByProgram, RulerPlacement::kByCompositor}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.command);
            PlacedRulerRig rig(placement);
            rig.desktop.SetCursorPos({3, 3});
            const QRect before = rig.ruler->geometry();
            const Point cursor = rig.desktop.CursorPos();
            EXPECT_TRUE(rig.ruler->Execute(c.command));
            const bool refused = placement == RulerPlacement::kByCompositor && c.refused;
            ASSERT_EQ(rig.dialogs.Messages().size(), refused ? 1u : 0u);
            if (!refused) continue;
            EXPECT_EQ(rig.dialogs.Messages()[0].text, LoadString(kIdsRulerPlacementUnavailable));
            EXPECT_EQ(rig.ruler->geometry(), before);
            EXPECT_EQ(rig.desktop.CursorPos(), cursor);
        }
    }
}

TEST(CRulerPlacementTest, TheDesktopsWindowRulesChooseThePlacement) {
    const struct {
        OwnWindowRules rules;
        RulerPlacement placement;
    } cases[] = {
        {kProgramPlacedWindows, RulerPlacement::kByProgram},
        {kCompositorPlacedWindows, RulerPlacement::kByCompositor},
    };
    for (const auto& c : cases) {
        test::GuiRig rig;
        rig.desktop.SetWindowRules(c.rules);
        const CRuler ruler(rig.context, nullptr);
        EXPECT_EQ(ruler.Placement(), c.placement);
    }
}

TEST(CRulerPlacementTest, TranslucentByItsOwnAlphaWhereTheCompositorPlaces) {
    PlacedRulerRig placed(RulerPlacement::kByCompositor);
    EXPECT_TRUE(placed.ruler->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_DOUBLE_EQ(placed.ruler->windowOpacity(), 1.0);
    const QImage shot = placed.ruler->grab().toImage();
    ASSERT_TRUE(shot.hasAlphaChannel());
    const QPoint body(shot.width() / 2, shot.height() - 2);
    EXPECT_NEAR(qAlpha(shot.pixel(body)), CRuler::kAlpha, 2);

    PlacedRulerRig program(RulerPlacement::kByProgram);
    EXPECT_FALSE(program.ruler->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_NEAR(program.ruler->windowOpacity(), CRuler::kAlpha / CRuler::kAlphaMax, 0.01);
}

}  // namespace
}  // namespace nl
