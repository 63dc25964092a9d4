#include "platform/x11/CX11Desktop.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <algorithm>
#include <vector>

#include "XTestClient.h"
#include "x11_test_support.h"

namespace nl {
namespace {

// Another program's windows: a main window with a child control, and a dialog it owns with
// a child of its own. No window manager runs, so windows sit where they are made.
class X11DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.Connected());
        main = x.CreateWindow(kMainRect, 0x336699);
        x.SetUtf8Title(main, "Tëst wïndow ✓");
        x.SetLatin1Title(main, "ignored when the UTF-8 title exists");
        x.SetClass(main, "nltest", "NerimTestClass");
        child = x.CreateWindow({50, 40, 150, 120}, 0xFF0000, main);
        x.SetClass(child, "button", "ChildClass");
        dialog = x.CreateWindow({700, 150, 900, 250}, 0x00FF00);
        x.SetLatin1Title(dialog, "Caf\xE9 dialog");
        x.SetTransientFor(dialog, main);
        dialogChild = x.CreateWindow({10, 10, 60, 60}, 0x0000FF, dialog);
        x.Sync();
    }

    void TearDown() override {
        // Gone before the next test makes its windows at the same places.
        x.Destroy(main);
        x.Destroy(dialog);
        x.Sync();
    }

    static constexpr Rect kMainRect{200, 150, 500, 350};
    test::XTestClient x;
    CX11Desktop d;
    xcb_window_t main{}, child{}, dialog{}, dialogChild{};
};

TEST_F(X11DesktopTest, WindowUnderPointHasTitleClassAndRootOwner) {
    struct Case {
        Point p;
        WindowId hit, root, rootOwner;
    };
    const std::vector<Case> cases = {
        {{260, 200}, child, main, main},          // the child control
        {{205, 155}, main, main, main},           // the main window around it
        {{715, 165}, dialogChild, dialog, main},  // the dialog's child: owner followed
        {{760, 230}, dialog, dialog, main},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
        const WindowId hit = d.WindowFromPoint(c.p);
        EXPECT_EQ(hit, c.hit);
        EXPECT_EQ(d.Ancestor(hit, WindowAncestor::kRoot), c.root);
        EXPECT_EQ(d.Ancestor(hit, WindowAncestor::kRootOwner), c.rootOwner);
    }
    EXPECT_EQ(d.WindowText(main), "Tëst wïndow ✓");
    EXPECT_EQ(d.WindowText(dialog), "Café dialog");
    EXPECT_EQ(d.WindowText(child), "");
    EXPECT_EQ(d.ClassName(main), "NerimTestClass");
    EXPECT_EQ(d.ClassName(child), "ChildClass");
    EXPECT_EQ(d.Owner(dialog), main);
    EXPECT_EQ(d.Owner(main), kNoWindow);
    EXPECT_EQ(d.Ancestor(child, WindowAncestor::kParent), main);
    EXPECT_EQ(d.Ancestor(main, WindowAncestor::kParent), d.DesktopWindow());
    EXPECT_EQ(d.ClientRect(main), kMainRect);
    EXPECT_EQ(d.WindowRect(main), kMainRect);
    EXPECT_EQ(d.ClientRect(child), (Rect{250, 190, 350, 270}));

    // The dialog, made later, is above the main window in the stacking order.
    const auto tops = d.TopLevelWindows();
    const auto mainAt = std::find(tops.begin(), tops.end(), WindowId{main});
    const auto dialogAt = std::find(tops.begin(), tops.end(), WindowId{dialog});
    ASSERT_NE(mainAt, tops.end());
    ASSERT_NE(dialogAt, tops.end());
    EXPECT_LT(dialogAt, mainAt);
}

TEST_F(X11DesktopTest, HiddenAndDestroyedWindowsAreNotFound) {
    EXPECT_TRUE(d.IsWindowVisible(main));
    x.Unmap(main);
    x.Sync();
    EXPECT_FALSE(d.IsWindowVisible(main));
    EXPECT_FALSE(d.IsWindowVisible(child));  // a hidden parent hides its children
    EXPECT_EQ(d.WindowFromPoint({260, 200}), d.DesktopWindow());
    x.Destroy(dialog);
    x.Sync();
    EXPECT_FALSE(d.IsWindow(dialog));
    EXPECT_EQ(d.WindowText(dialog), "");
    EXPECT_EQ(d.Ancestor(dialog, WindowAncestor::kRoot), kNoWindow);
}

TEST_F(X11DesktopTest, MinimizedWindowsCountAsShownAndRestoreMapsThem) {
    // As a window manager minimizes: unmapped, with the iconic state.
    x.Unmap(main);
    x.SetWmState(main, 3);
    x.Sync();
    EXPECT_TRUE(d.IsMinimized(main));
    EXPECT_TRUE(d.IsWindowVisible(main));
    EXPECT_NE(d.WindowFromPoint({260, 200}), WindowId{child});
    d.Restore(main);
    // WM_STATE marks the application's window; its child is under the point again.
    EXPECT_TRUE(test::WaitFor([&] { return d.WindowFromPoint({260, 200}) == child; }, 2000));
    x.SetWmState(main, 1);
    x.Sync();
    EXPECT_FALSE(d.IsMinimized(main));
}

TEST_F(X11DesktopTest, ForegroundIsTheActiveWindowOrElseTheFocusedOne) {
    x.Focus(child);
    x.Sync();
    EXPECT_EQ(d.ForegroundWindow(), main);  // the top-level window of the focused child
    x.SetActiveWindowProperty(dialog);
    x.Sync();
    EXPECT_EQ(d.ForegroundWindow(), dialog);
    x.DeleteActiveWindowProperty();
    x.Sync();
}

TEST_F(X11DesktopTest, PixelsAndGrabReadTheScreen) {
    EXPECT_EQ(d.PixelColor({205, 155}), MakeRgb(0x33, 0x66, 0x99));
    EXPECT_EQ(d.PixelColor({260, 200}), MakeRgb(0xFF, 0, 0));
    const Rect screen = d.VirtualScreen();
    EXPECT_EQ(d.PixelColor({screen.right, 0}), kNoColor);

    // Two pixels of the main window and two of the child, in one row of a wider buffer.
    std::vector<GrabPixel> px(8, 0);
    ASSERT_TRUE(d.Grab({248, 200, 252, 201}, px.data(), 8));
    EXPECT_EQ(px[0], 0xFF336699u);
    EXPECT_EQ(px[1], 0xFF336699u);
    EXPECT_EQ(px[2], 0xFFFF0000u);
    EXPECT_EQ(px[3], 0xFFFF0000u);
    EXPECT_EQ(px[4], 0u);  // beyond the row: untouched
    // Past the screen's left edge the grab is black.
    x.CreateWindow({0, 0, 10, 10}, 0xFFFFFF);
    x.Sync();
    ASSERT_TRUE(d.Grab({-2, 0, 2, 1}, px.data(), 4));
    EXPECT_EQ(px[0], 0xFF000000u);
    EXPECT_EQ(px[1], 0xFF000000u);
    EXPECT_EQ(px[2], 0xFFFFFFFFu);
}

TEST(X11DesktopScreenTest, CursorAndMonitorsMatchTheServer) {
    CX11Desktop d;
    const Rect screen = d.VirtualScreen();
    EXPECT_EQ(screen, (Rect{0, 0, 1280, 1024}));  // the screen xvfb-run is given
    const auto monitors = d.Monitors();
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_EQ(monitors[0].monitor, screen);
    EXPECT_FALSE(monitors[0].workArea.IsEmpty());
    const DisplayMetrics m = d.Metrics();
    EXPECT_GT(m.dpiX, 0);
    EXPECT_GT(m.dialogBaseX, 0);
    EXPECT_GT(m.dialogBaseY, m.dialogBaseX);

    const struct {
        Point set, expected;
    } cases[] = {
        {{321, 234}, {321, 234}},
        {{0, 0}, {0, 0}},
        {{-50, 99999}, {0, 1023}},  // kept on the screen
        {{1279, 1023}, {1279, 1023}},
    };
    for (const auto& c : cases) {
        d.SetCursorPos(c.set);
        EXPECT_EQ(d.CursorPos(), c.expected) << c.set.x << "," << c.set.y;
    }
}

}  // namespace
}  // namespace nl
