#include "platform/fake/FakeDesktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nl {
namespace {

// A scene like a real desktop: an editor with a child text area and an owned dialog with a
// button, a hidden window on top of everything, and a desktop window under it all.
class FakeDesktopScene : public ::testing::Test {
protected:
    void SetUp() override {
        desktop = d.AddWindow(FakeDesktop::Describe("", "Desktop", {0, 0, 1024, 768}));
        d.SetDesktopWindow(desktop);
        editor =
            d.AddWindow(FakeDesktop::Describe("Notes - Editor", "Editor", {100, 100, 500, 400}));
        text = d.AddWindow(FakeDesktop::Describe("", "TextArea", {110, 130, 490, 390}, editor));
        dialog = d.AddWindow(
            FakeDesktop::Describe("Find", "Dialog", {300, 200, 450, 300}, kNoWindow, editor));
        button =
            d.AddWindow(FakeDesktop::Describe("Find next", "Button", {310, 260, 380, 290}, dialog));
        hidden = d.AddWindow(FakeDesktop::Describe("Hidden", "Ghost", {0, 0, 1024, 768}, kNoWindow,
                                                   kNoWindow, false));
    }

    FakeDesktop d;
    WindowId desktop{}, editor{}, text{}, dialog{}, button{}, hidden{};
};

TEST_F(FakeDesktopScene, WindowFromPointFindsDeepestVisibleWindowAndItsRelatives) {
    struct Case {
        Point p;
        WindowId hit, root, rootOwner;
    };
    const std::vector<Case> cases = {
        {{320, 270}, button, dialog, editor},  // a child of an owned window
        {{200, 200}, text, editor, editor},    // a child control of the main window
        {{102, 102}, editor, editor, editor},  // the editor's own area around its child
        {{5, 5},
         desktop,
         desktop,
         desktop},  // nothing but the desktop; the hidden window is skipped
    };
    for (const auto& c : cases) {
        const WindowId hit = d.WindowFromPoint(c.p);
        EXPECT_EQ(hit, c.hit) << c.p.x << "," << c.p.y;
        EXPECT_EQ(d.Ancestor(hit, WindowAncestor::kRoot), c.root) << c.p.x << "," << c.p.y;
        EXPECT_EQ(d.Ancestor(hit, WindowAncestor::kRootOwner), c.rootOwner)
            << c.p.x << "," << c.p.y;
    }
    EXPECT_EQ(d.Ancestor(button, WindowAncestor::kParent), dialog);
    EXPECT_EQ(d.Ancestor(editor, WindowAncestor::kParent), desktop);
    EXPECT_EQ(d.Owner(dialog), editor);
    EXPECT_EQ(d.Owner(button), kNoWindow);  // child windows have parents, not owners
    EXPECT_EQ(d.WindowText(d.Ancestor(button, WindowAncestor::kRootOwner)), "Notes - Editor");
    EXPECT_EQ(d.ClassName(button), "Button");
}

TEST_F(FakeDesktopScene, StackingVisibilityAndDestructionChangeWhatIsHit) {
    // The editor raised above its dialog now takes the point.
    d.BringToTop(editor);
    EXPECT_EQ(d.WindowFromPoint({320, 270}), text);
    EXPECT_EQ(d.TopLevelWindows().front(), editor);

    // A minimized window is not hit but still counts as shown.
    d.SetMinimized(editor, true);
    EXPECT_EQ(d.WindowFromPoint({320, 270}), button);
    EXPECT_TRUE(d.IsWindowVisible(editor));
    d.Restore(editor);
    EXPECT_FALSE(d.IsMinimized(editor));
    EXPECT_EQ(d.ForegroundWindow(), editor);

    // A hidden parent hides its children.
    d.SetVisible(dialog, false);
    EXPECT_FALSE(d.IsWindowVisible(button));

    // Destroying a window takes its children, and an owner that is gone is no owner.
    d.DestroyWindow(editor);
    EXPECT_FALSE(d.IsWindow(text));
    EXPECT_EQ(d.Owner(dialog), kNoWindow);
    EXPECT_EQ(d.Ancestor(button, WindowAncestor::kRootOwner), dialog);
    EXPECT_EQ(d.Ancestor(text, WindowAncestor::kRoot), kNoWindow);
}

TEST(FakeDesktopTest, OwnerCycleEndsTheRootOwnerWalk) {
    FakeDesktop d;
    const WindowId a = d.AddWindow(FakeDesktop::Describe("A", "X", {0, 0, 10, 10}));
    const WindowId b = d.AddWindow(FakeDesktop::Describe("B", "X", {0, 0, 10, 10}, kNoWindow, a));
    const WindowId c = d.AddWindow(FakeDesktop::Describe("C", "X", {0, 0, 10, 10}, kNoWindow, b));
    EXPECT_EQ(d.Ancestor(c, WindowAncestor::kRootOwner), a);
    // b owns a as well: the walk a -> b -> a ... must end.
    d.SetOwner(a, b);
    const WindowId end = d.Ancestor(c, WindowAncestor::kRootOwner);
    EXPECT_TRUE(end == a || end == b);
}

TEST(FakeDesktopTest, PixelsGrabAndCursorStayWithinTheVirtualScreen) {
    FakeDesktop d;
    d.SetMonitors({{{-800, 0, 0, 600}, {-800, 0, 0, 560}}, {{0, 0, 1024, 768}, {0, 0, 1024, 728}}});
    EXPECT_EQ(d.VirtualScreen(), (Rect{-800, 0, 1024, 768}));
    d.SetPixel({-1, 10}, MakeRgb(0x12, 0x34, 0x56));
    d.FillRect({0, 10, 2, 11}, MakeRgb(255, 0, 0));
    EXPECT_EQ(d.PixelColor({-1, 10}), MakeRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(d.PixelColor({-801, 10}), kNoColor);
    EXPECT_EQ(d.PixelColor({1024, 10}), kNoColor);

    // A grab reaching past the left edge: black outside, 0xFFRRGGBB inside, rows by stride.
    std::vector<GrabPixel> px(2 * 5, 0xDEADBEEF);
    ASSERT_TRUE(d.Grab({-802, 10, -798, 11}, px.data(), 5));
    EXPECT_EQ(px[0], 0xFF000000u);
    EXPECT_EQ(px[4], 0xDEADBEEFu);  // beyond the row's width: untouched
    ASSERT_TRUE(d.Grab({-2, 10, 2, 12}, px.data(), 5));
    EXPECT_EQ(px[1], 0xFF123456u);
    EXPECT_EQ(px[2], 0xFFFF0000u);
    EXPECT_EQ(px[5 + 2], 0xFF000000u);                 // second row
    EXPECT_FALSE(d.Grab({0, 0, 4, 1}, px.data(), 3));  // stride shorter than the row
    EXPECT_FALSE(d.Grab({0, 0, 0, 1}, px.data(), 5));  // empty

    d.SetScreenReadable(false);
    EXPECT_EQ(d.PixelColor({0, 10}), kNoColor);
    EXPECT_FALSE(d.Grab({0, 0, 1, 1}, px.data(), 1));

    d.SetCursorPos({-5000, 9000});
    EXPECT_EQ(d.CursorPos(), (Point{-800, 767}));
    d.SetCursorPos({1023, 0});
    EXPECT_EQ(d.CursorPos(), (Point{1023, 0}));
}

TEST(FakeDesktopTest, CursorPictureFollowsTheCursorOnceSet) {
    FakeDesktop d;
    EXPECT_FALSE(d.CurrentCursor().has_value());
    CursorImage arrow;
    arrow.width = 2;
    arrow.height = 1;
    arrow.hotSpot = {1, 0};
    arrow.pixels = {0xFF000000u, 0x80FFFFFFu};
    d.SetCursorImage(arrow);
    d.SetCursorPos({40, 30});
    auto shown = d.CurrentCursor();
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->position, (Point{40, 30}));
    EXPECT_EQ(shown->hotSpot, (Point{1, 0}));
    EXPECT_EQ(shown->pixels, arrow.pixels);
    d.SetCursorPos({7, 8});
    EXPECT_EQ(d.CurrentCursor()->position, (Point{7, 8}));
    d.SetCursorImage(std::nullopt);
    EXPECT_FALSE(d.CurrentCursor().has_value());
}

TEST(FakeDesktopTest, FrozenPixelsStayUntilThawWhateverTheTracking) {
    constexpr COLORREF kBefore = MakeRgb(10, 20, 30);
    constexpr COLORREF kAfter = MakeRgb(200, 100, 50);
    for (const PointerTracking tracking :
         {PointerTracking::kFollows, PointerTracking::kFrozenOnly}) {
        SCOPED_TRACE(static_cast<int>(tracking));
        FakeDesktop d({0, 0, 8, 8});
        d.SetPointerTracking(tracking);
        EXPECT_EQ(d.FollowsPointer(), tracking == PointerTracking::kFollows);
        d.FillRect({0, 0, 8, 8}, kBefore);
        std::string error;
        ASSERT_TRUE(d.Freeze(&error));
        EXPECT_TRUE(d.IsFrozen());
        d.FillRect({0, 0, 8, 8}, kAfter);  // the live screen changes under the frozen one
        EXPECT_EQ(d.PixelColor({3, 3}), kBefore);
        GrabPixel grabbed[4] = {};
        ASSERT_TRUE(d.Grab({2, 2, 4, 4}, grabbed, 2));
        EXPECT_EQ(grabbed[3] & 0xFFFFFF, 0x0A141Eu);  // RGB(10, 20, 30) as 0x00RRGGBB
        // The cursor is where the program put it, frozen or not.
        d.SetCursorPos({5, 6});
        EXPECT_EQ(d.CursorPos(), (Point{5, 6}));
        d.Thaw();
        EXPECT_FALSE(d.IsFrozen());
        EXPECT_EQ(d.PixelColor({3, 3}), kAfter);
    }
}

}  // namespace
}  // namespace nl
