// The X server's own zoom (RENDER) on a real server: a screen area stretched into a window
// with nearest-pixel sampling, the bands past the desktop filled, the centre block inverted,
// the sample outline painted over it, and the target window stripped of the properties that
// make it look like an application's.
#include <gtest/gtest.h>

#include "XTestClient.h"
#include "platform/IServerZoom.h"
#include "platform/x11/CX11Desktop.h"
#include "platform/x11/xcb_support.h"
#include "platform/xcb/CXcbDesktop.h"

namespace nl {
namespace {

constexpr std::uint32_t kLeft = 0xC01020;
constexpr std::uint32_t kRight = 0x20A040;
constexpr std::uint32_t kFill = 0x3A6EA5;

COLORREF Rgb(std::uint32_t rgb) {
    return MakeRgb(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF),
                   static_cast<int>(rgb & 0xFF));
}

TEST(X11RenderZoomTest, TheServerStretchesFillsAndInvertsAsTheWidgetWould) {
    test::XTestClient x;
    ASSERT_TRUE(x.Connected());
    const xcb_window_t left = x.CreateWindow({100, 100, 110, 110}, kLeft);
    const xcb_window_t right = x.CreateWindow({110, 100, 120, 110}, kRight);
    const xcb_window_t target = x.CreateWindow({300, 300, 380, 340}, 0x000000);
    x.SetClass(target, "zoom", "Zoom");
    x.Sync();

    CX11Desktop d;
    d.ChangeCount({});
    IServerZoom* zoom = d.ServerZoom();
    ASSERT_NE(zoom, nullptr) << "Xvfb has RENDER";
    IServerZoom::Frame frame;
    frame.window = target;
    frame.source = {108, 104, 112, 106};  // two pixels of each window, two rows
    frame.dest = {0, 0, 40, 20};          // ten times
    frame.fill = {{40, 0, 80, 40}, {0, 20, 40, 40}};
    frame.fillColor = kFill;
    frame.invert = Rect{10, 5, 20, 15};
    // The sample outline's tones, painted over the picture last.
    frame.over = {{{{30, 0, 32, 20}}, 0x000000}, {{{32, 0, 34, 20}}, 0xFFFFFF}};
    ASSERT_TRUE(zoom->Draw(frame));

    struct Case {
        Point inTarget;
        std::uint32_t want;
    };
    const Case cases[] = {
        {{0, 0}, kLeft},
        {{19, 19}, kLeft},
        {{20, 0}, kRight},
        {{39, 19}, kRight},
        {{31, 10}, 0x000000},
        {{33, 10}, 0xFFFFFF},
        {{9, 4}, kLeft},
        {{10, 5}, ~kLeft & 0xFFFFFF},
        {{19, 14}, ~kLeft & 0xFFFFFF},
        {{40, 0}, kFill},
        {{79, 39}, kFill},
        {{0, 20}, kFill},
    };
    // Read on the desktop's own connection, after the frame's requests.
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.inTarget.x << "," << c.inTarget.y);
        EXPECT_EQ(d.PixelColor({300 + c.inTarget.x, 300 + c.inTarget.y}), Rgb(c.want));
    }
    // No longer a window of an application's.
    const CXcbDesktop qt(x11::QtXConnection());
    EXPECT_EQ(qt.ClassName(target), "");
    // A window the server does not know is refused: the widget then draws the frame.
    frame.window = 0x7FFFFFF0;
    EXPECT_FALSE(zoom->Draw(frame));
    for (const xcb_window_t w : {left, right, target}) x.Destroy(w);
    x.Sync();
}

}  // namespace
}  // namespace nl
