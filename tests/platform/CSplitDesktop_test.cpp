#include "platform/CSplitDesktop.h"

#include <gtest/gtest.h>

#include "platform/fake/FakeDesktop.h"

namespace nl {
namespace {

constexpr COLORREF kRed = MakeRgb(200, 50, 100);
constexpr COLORREF kGreen = MakeRgb(18, 200, 99);

// The windows' desktop has a window and sees green everywhere; the pixels' desktop sees a red
// square where the window is.
struct SplitScene {
    FakeDesktop* windows = nullptr;
    FakeDesktop* pixels = nullptr;
    WindowId editor = kNoWindow;
    WindowId pixelWindow = kNoWindow;
    std::unique_ptr<CSplitDesktop> split;

    explicit SplitScene(PointerSource pointer, FrozenWindows frozen = FrozenWindows::kWindows,
                        bool pixelsListWindows = false) {
        auto w = std::make_unique<FakeDesktop>(Rect{0, 0, 640, 480});
        auto p = std::make_unique<FakeDesktop>(Rect{0, 0, 640, 480});
        w->FillRect({0, 0, 640, 480}, kGreen);
        p->FillRect({100, 100, 200, 200}, kRed);
        editor = w->AddWindow(FakeDesktop::Describe("Notes", "Editor", {100, 100, 200, 200}));
        w->SetCursorPos({5, 6});
        if (pixelsListWindows)
            pixelWindow =
                p->AddWindow(FakeDesktop::Describe("Viewer", "Shown", {100, 100, 200, 200}));
        windows = w.get();
        pixels = p.get();
        split = std::make_unique<CSplitDesktop>(std::move(w), std::move(p), pointer, frozen);
    }
};

TEST(CSplitDesktop, PixelsFromOneDesktopWindowsFromTheOther) {
    SplitScene s(PointerSource::kWindows);
    EXPECT_EQ(s.split->PixelColor({150, 150}), kRed);
    EXPECT_EQ(s.split->PixelColor({50, 50}), MakeRgb(0, 0, 0));
    GrabPixel grabbed[2] = {};
    ASSERT_TRUE(s.split->Grab({99, 150, 101, 151}, grabbed, 2));
    EXPECT_EQ(grabbed[0] & 0xFFFFFF, 0u);
    EXPECT_EQ(grabbed[1] & 0xFFFFFF, 0xC83264u);
    EXPECT_EQ(s.split->WindowFromPoint({150, 150}), s.editor);
    EXPECT_EQ(s.split->WindowText(s.editor), "Notes");
    EXPECT_EQ(s.split->ClassName(s.editor), "Editor");
    EXPECT_EQ(s.split->WindowRect(s.editor), (Rect{100, 100, 200, 200}));
    EXPECT_EQ(s.split->VirtualScreen(), (Rect{0, 0, 640, 480}));
}

TEST(CSplitDesktop, PointerFromTheWindowsOrAsReported) {
    struct Case {
        PointerSource pointer;
        bool follows;
        Point before, after, windowsAfter;
    };
    const Case cases[] = {
        {PointerSource::kWindows, true, {5, 6}, {30, 40}, {30, 40}},
        // Nobody tells the pointer: the split desktop keeps what it was told, the X server's
        // pointer stays where it is.
        {PointerSource::kReported, false, {0, 0}, {30, 40}, {5, 6}},
    };
    for (const Case& c : cases) {
        SplitScene s(c.pointer);
        EXPECT_EQ(s.split->FollowsPointer(), c.follows);
        EXPECT_EQ(s.split->CursorPos(), c.before);
        s.split->SetCursorPos({30, 40});
        EXPECT_EQ(s.split->CursorPos(), c.after);
        EXPECT_EQ(s.windows->CursorPos(), c.windowsAfter);
    }
}

// The compositor lists its views, X11 ones among them, as the frozen picture shows them; the X
// server's list is the one the program's own windows are on.
TEST(CSplitDesktop, FrozenWindowsFromThePixelsDesktopWhereItListsThem) {
    struct Case {
        FrozenWindows frozen;
        bool pixelsList, freeze;
        std::string title;
    };
    const Case cases[] = {
        {FrozenWindows::kPixelsWhereKnown, true, true, "Viewer"},
        {FrozenWindows::kPixelsWhereKnown, true, false, "Notes"},
        {FrozenWindows::kPixelsWhereKnown, false, true, "Notes"},
        {FrozenWindows::kWindows, true, true, "Notes"},
    };
    for (const Case& c : cases) {
        SplitScene s(PointerSource::kReported, c.frozen, c.pixelsList);
        if (c.freeze) {
            ASSERT_TRUE(s.split->Freeze(nullptr));
        }
        const WindowId under = s.split->WindowFromPoint({150, 150});
        EXPECT_EQ(s.split->WindowText(under), c.title) << c.pixelsList << c.freeze;
        EXPECT_TRUE(s.split->WindowRect(under).Contains({150, 150}));
        EXPECT_EQ(s.split->Ancestor(under, WindowAncestor::kRoot), under);
        EXPECT_EQ(s.split->DesktopWindow(),
                  c.title == "Viewer" ? s.pixels->DesktopWindow() : s.windows->DesktopWindow());
        s.split->Thaw();
        EXPECT_EQ(s.split->WindowText(s.split->WindowFromPoint({150, 150})), "Notes");
    }
}

}  // namespace
}  // namespace nl
