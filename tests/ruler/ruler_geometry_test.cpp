#include "ruler/ruler_geometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "document/CRulerData.h"

namespace nl {
namespace {

using D = CRulerData;
constexpr int kCaption = 18;  // strip thickness 20
constexpr std::uint32_t kH = D::kOptionUnitPixel;
constexpr std::uint32_t kHI = kH | D::kOptionInverted;
constexpr std::uint32_t kV = kH | D::kOptionVertical;
constexpr std::uint32_t kVI = kV | D::kOptionInverted;

TEST(RulerLayout, FourLayouts) {
    struct Case {
        std::uint32_t options;
        Size client;
        Rect strip, body, icon, help, close, text;
        Point origin;
    };
    const Case cases[] = {
        {kH,
         {400, 64},
         {0, 0, 400, 20},
         {0, 20, 400, 64},
         {1, 1, 21, 21},
         {358, 2, 378, 18},
         {378, 2, 398, 18},
         {21, 1, 359, 19},
         {0, 64}},
        {kHI,
         {400, 64},
         {0, 44, 400, 64},
         {0, 0, 400, 45},
         {1, 45, 21, 65},
         {358, 46, 378, 62},
         {378, 46, 398, 62},
         {21, 45, 359, 63},
         {0, -1}},
        {kV,
         {64, 400},
         {0, 0, 20, 400},
         {19, 0, 64, 400},
         {1, 1, 21, 21},
         {2, 358, 18, 378},
         {2, 378, 18, 398},
         {1, 21, 19, 359},
         {64, 0}},
        {kVI,
         {64, 400},
         {44, 0, 64, 400},
         {0, 0, 45, 400},
         {45, 1, 65, 21},
         {46, 358, 62, 378},
         {46, 378, 62, 398},
         {45, 21, 63, 359},
         {-1, 0}},
    };
    for (const auto& c : cases) {
        const RulerParts p = RulerLayout(c.client, c.options, kCaption);
        EXPECT_EQ(p.strip, c.strip) << c.options;
        EXPECT_EQ(p.body, c.body) << c.options;
        EXPECT_EQ(p.icon, c.icon) << c.options;
        EXPECT_EQ(p.help, c.help) << c.options;
        EXPECT_EQ(p.close, c.close) << c.options;
        EXPECT_EQ(p.text, c.text) << c.options;
        EXPECT_EQ(p.origin, c.origin) << c.options;
    }
}

TEST(RulerPlacement, DefaultRectAndKeepVisible) {
    EXPECT_EQ(RulerDefaultRect({0, 0, 1920, 1080}), (Rect{480, 216, 1440, 280}));
    EXPECT_EQ(RulerDefaultRect({1920, 0, 3201, 1024}), (Rect{2240, 204, 2880, 268}));

    const Rect screen{0, 0, 1000, 800};
    struct Case {
        Rect in, out;
    };
    const Case cases[] = {
        {{100, 100, 300, 164}, {100, 100, 300, 164}},    // inside: kept
        {{-500, 100, -300, 164}, {-168, 100, 32, 164}},  // right edge brought to 32
        {{990, 100, 1190, 164}, {968, 100, 1168, 164}},  // left edge brought to 968
        {{100, -200, 300, -150}, {100, -18, 300, 32}},   // bottom edge brought to 32
        {{100, 790, 300, 854}, {100, 768, 300, 832}},    // top edge brought to 768
        {{-50, 10, 31, 74}, {-49, 10, 32, 74}},          // just over the margin
        {{-2000, 10, 1100, 74}, {0, 10, 3100, 74}},      // wider than the screen: left aligned
    };
    for (const auto& c : cases) EXPECT_EQ(KeepVisible(c.in, screen), c.out) << c.in.left;
}

TEST(RulerPlacement, KeepOnWorkAreaOfTheNearestMonitor) {
    const MonitorInfo left{{0, 0, 1280, 1024}, {0, 0, 1280, 994}};
    const MonitorInfo right{{1280, 0, 3200, 1080}, {1280, 40, 3200, 1080}};
    const std::vector<MonitorInfo> monitors{left, right};
    struct Case {
        Rect in, out;
    };
    const Case cases[] = {
        {{100, 100, 164, 740}, {100, 100, 164, 740}},      // inside: kept
        {{100, 900, 164, 1540}, {100, 354, 164, 994}},     // below the bottom: lifted
        {{100, 960, 740, 1024}, {100, 930, 740, 994}},     // over the panel: lifted
        {{1250, 100, 1890, 164}, {1280, 100, 1920, 164}},  // mostly right: right's area
        {{1400, 0, 2040, 64}, {1400, 40, 2040, 104}},      // under the right's top panel
        {{100, 200, 164, 1400}, {100, 0, 164, 1200}},      // too tall: top edge on the area
        {{-300, 100, 1700, 164}, {0, 100, 2000, 164}},     // too wide: left edge on the area
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeepOnWorkArea(c.in, monitors, {0, 0, 3200, 1080}), c.out)
            << c.in.left << "," << c.in.top;
    }
    // Without monitors the desktop is the work area.
    EXPECT_EQ(KeepOnWorkArea({10, 700, 74, 1340}, {}, {0, 0, 800, 1000}),
              (Rect{10, 360, 74, 1000}));
}

TEST(RulerPlacement, TurningKeepsTheOrigin) {
    const Rect screen{0, 0, 2000, 2000};
    const Rect horizontal{300, 400, 700, 464};
    const Point origin = RulerOriginOnScreen(horizontal, kH, kCaption);
    EXPECT_EQ(origin, (Point{300, 464}));

    const Rect vertical = RulerRectAfterOptions(horizontal, kH, kV, kCaption, screen);
    EXPECT_EQ(vertical.Width(), 64);
    EXPECT_EQ(vertical.Height(), 400);
    EXPECT_EQ(RulerOriginOnScreen(vertical, kV, kCaption), origin);
    // And back again to where it started.
    EXPECT_EQ(RulerRectAfterOptions(vertical, kV, kH, kCaption, screen), horizontal);

    // Only the graduation side changes: same size, the origin stays put.
    const Rect inverted = RulerRectAfterOptions(horizontal, kH, kHI, kCaption, screen);
    EXPECT_EQ(inverted.Width(), 400);
    EXPECT_EQ(RulerOriginOnScreen(inverted, kHI, kCaption), origin);
    const Rect vInverted = RulerRectAfterOptions(vertical, kV, kVI, kCaption, screen);
    EXPECT_EQ(RulerOriginOnScreen(vInverted, kVI, kCaption), origin);

    // Turning into the vertical inverted layout: one column narrower, one row lower.
    const Rect turned = RulerRectAfterOptions(inverted, kHI, kVI, kCaption, screen);
    EXPECT_EQ(turned.Width(), 63);
    EXPECT_EQ(turned.Height(), 400);
    const Point o = RulerOriginOnScreen(turned, kVI, kCaption);
    EXPECT_EQ(o, (Point{origin.x, origin.y + 1}));

    // Other changes leave the window where it is.
    EXPECT_EQ(RulerRectAfterOptions(horizontal, kH, D::kOptionUnitInch, kCaption, screen),
              horizontal);
    // A turn that would leave the screen is brought back.
    const Rect nearBottom{300, 1950, 1900, 2014};
    const Rect down = RulerRectAfterOptions(nearBottom, kH, kV, kCaption, screen);
    EXPECT_EQ(down, (Rect{236, 1968, 300, 3568}));
    // So is a change of graduation side that would carry the window off the screen: a
    // horizontal ruler on the bottom edge inverted, a vertical one on the right edge.
    const Rect onBottomEdge{300, 1936, 700, 2000};
    EXPECT_EQ(RulerRectAfterOptions(onBottomEdge, kH, kHI, kCaption, screen),
              (Rect{300, 1968, 700, 2032}));
    const Rect onRightEdge{1936, 300, 2000, 700};
    EXPECT_EQ(RulerRectAfterOptions(onRightEdge, kV, kVI, kCaption, screen),
              (Rect{1968, 300, 2032, 700}));
}

TEST(RulerPlacement, MinimumSizeHitTestAndAxisLock) {
    EXPECT_EQ(RulerMinimumSize(kH), (Size{128, 64}));
    EXPECT_EQ(RulerMinimumSize(kVI), (Size{64, 128}));

    const Size client{400, 64};
    const RulerParts parts = RulerLayout(client, kH, kCaption);
    const Size frame{4, 4};
    struct Case {
        Point p;
        LeftButton button;
        RulerHit hit;
    };
    constexpr LeftButton kDown = LeftButton::kDown;
    constexpr LeftButton kUp = LeftButton::kUp;
    const Case cases[] = {
        {{380, 10}, kDown, RulerHit::kClose},  {{360, 10}, kUp, RulerHit::kHelp},
        {{3, 3}, kDown, RulerHit::kIcon},      {{2, 40}, kDown, RulerHit::kLeft},
        {{397, 40}, kDown, RulerHit::kRight},  {{100, 1}, kDown, RulerHit::kTop},
        {{100, 62}, kDown, RulerHit::kBottom}, {{100, 40}, kDown, RulerHit::kCaption},
        {{100, 40}, kUp, RulerHit::kNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RulerHitTest(c.p, parts, client, frame, c.button), c.hit)
            << c.p.x << "," << c.p.y;

    const Rect from{100, 100, 300, 164};
    const Rect to{130, 150, 330, 214};
    EXPECT_EQ(LockMoveAxis(from, to, true, false), (Rect{130, 100, 330, 164}));
    EXPECT_EQ(LockMoveAxis(from, to, false, true), (Rect{100, 150, 300, 214}));
    EXPECT_EQ(LockMoveAxis(from, to, true, true), to);
    EXPECT_EQ(LockMoveAxis(from, to, false, false), to);
}

TEST(RulerPlacement, MoveToCursorRefusesToLeaveTheScreen) {
    const Rect screen{0, 0, 1000, 800};
    const Rect window{100, 100, 500, 164};
    const Point origin{100, 164};
    EXPECT_EQ(RulerRectAtCursor(window, origin, {300, 400}, screen), (Rect{300, 336, 700, 400}));
    EXPECT_EQ(RulerRectAtCursor(window, origin, {100, 164}, screen), window);
    // The ruler's origin at the far right would leave less than 32 pixels showing.
    EXPECT_EQ(RulerRectAtCursor(window, origin, {990, 400}, screen), std::nullopt);
}

}  // namespace
}  // namespace nl
