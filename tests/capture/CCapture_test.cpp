// Captures on the fake desktop: the drag shapes' selections, the pixels each shape copies, the
// custom outline's limit, window and monitor picking, the desktop shape, and the countdown
// with the cursor.
#include "capture/CCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture_test_support.h"
#include "framework/event_sounds.h"

namespace nl {
namespace {

using testing_support::CaptureRig;

constexpr COLORREF kRed = MakeRgb(0xFF, 0, 0);
constexpr COLORREF kBlue = MakeRgb(0, 0, 0xFF);
constexpr std::uint32_t kRedPixel = 0xFFFF0000;
constexpr std::uint32_t kBluePixel = 0xFF0000FF;
constexpr std::uint32_t kWhitePixel = 0xFFFFFFFF;

std::uint32_t PixelAt(const BitmapImage& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y) * image.width + x];
}

Size SizeOf(const BitmapImage& image) {
    return {image.width, image.height};
}

// With snapping on, a drag 3 pixels off each corner of a box, either way round, selects
// exactly the box's pixels; Alt selects what was dragged.
TEST(CCaptureTest, SnappedDragsSelectExactlyTheBoxUnder) {
    std::vector<std::uint32_t> pixels(400 * 300, 0xFFFFFF);
    for (int y = 50; y < 130; ++y)
        for (int x = 100; x < 200; ++x) pixels[static_cast<std::size_t>(y * 400 + x)] = 0x1A5C9E;
    const SnapPicture picture{pixels.data(), 400, 300, 400};
    struct Case {
        Point from, to;
        KeyState keys;
        Rect selection;
    };
    const Case cases[] = {
        {{97, 47}, {202, 132}, {}, {100, 50, 200, 130}},
        {{202, 132}, {97, 47}, {}, {100, 50, 200, 130}},
        {{103, 53}, {196, 126}, {}, {100, 50, 200, 130}},  // from inside
        {{97, 47}, {202, 132}, {.alt = true}, {97, 47, 203, 133}},
        {{20, 20}, {40, 30}, {}, {20, 20, 41, 31}},  // no edge in reach
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        CaptureRig rig(CapShape::kRectangle);
        rig.capture.SetSnapping(picture, {true, EdgeMode::kSteepest, 16});
        rig.Open();
        rig.Drag(c.from, {c.to}, c.keys);
        EXPECT_EQ(rig.capture.Selection(), c.selection);
        ASSERT_EQ(rig.images.size(), 1u);
        EXPECT_EQ(SizeOf(rig.images[0]), (Size{c.selection.Width(), c.selection.Height()}));
    }
}

TEST(CCaptureTest, DragShapesSelectTheWidenedNormalisedRectangle) {
    using enum CapShape;
    struct Case {
        CapShape shape;
        Point from, to;
        KeyState keys;
        Rect selection;
    };
    const Case cases[] = {
        {kRectangle, {10, 10}, {50, 30}, {}, {10, 10, 51, 31}},
        {kRectangle, {50, 30}, {10, 10}, {}, {10, 10, 51, 31}},
        {kRectangle, {10, 10}, {50, 30}, {.shift = true}, {10, 10, 31, 31}},
        {kEllipse, {50, 50}, {20, 40}, {.shift = true}, {40, 40, 51, 51}},
        // Shift along an axis leaves one pixel: a plain click, which copies nothing.
        {kRoundRect, {50, 50}, {90, 50}, {.shift = true}, {50, 50, 51, 51}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        CaptureRig rig(c.shape);
        rig.Open();
        rig.Drag(c.from, {c.to}, c.keys);
        EXPECT_EQ(rig.capture.Selection(), c.selection);
        EXPECT_EQ(rig.window.ends, (std::vector<OverlayEnd>{{0, MainWindowAfter::kRestore}}));
        const bool click = c.selection.Width() == 1 && c.selection.Height() == 1;
        ASSERT_EQ(rig.images.size(), click ? 0u : 1u);
        if (!click) {
            EXPECT_EQ(SizeOf(rig.images[0]), (Size{c.selection.Width(), c.selection.Height()}));
        }
    }
}

TEST(CCaptureTest, PixelsOutsideTheShapeGetTheFillColor) {
    struct Case {
        CapShape shape;
        std::vector<Point> path;  // pressed at the first point, released at the last
        Size size;
        std::vector<Point> filled, copied;
    };
    const Case cases[] = {
        {CapShape::kRectangle, {{100, 100}, {139, 119}}, {40, 20}, {}, {{0, 0}, {39, 19}}},
        {CapShape::kRoundRect,
         {{100, 100}, {139, 119}},
         {40, 20},
         {{0, 0}, {39, 0}, {0, 19}, {39, 19}},
         {{8, 0}, {0, 10}, {20, 10}}},
        {CapShape::kEllipse,
         {{100, 100}, {139, 119}},
         {40, 20},
         {{0, 0}, {39, 19}, {3, 2}},
         {{20, 10}, {0, 10}, {20, 0}}},
        {CapShape::kCustom,
         {{100, 100}, {100, 100}, {140, 100}, {100, 140}},
         {39, 39},
         {{30, 30}, {38, 2}},
         {{1, 1}, {10, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.shape));
        CaptureRig rig(c.shape);
        rig.prefs.SetScreenCopierFillColor(MakeRgb(0xFF, 0xFF, 0xFF));
        rig.desktop.FillRect({0, 0, 400, 300}, kRed);
        rig.Open();
        rig.Drag(c.path.front(), {c.path.begin() + 1, c.path.end()});
        ASSERT_EQ(rig.images.size(), 1u);
        EXPECT_EQ(SizeOf(rig.images[0]), c.size);
        for (const Point& p : c.filled) EXPECT_EQ(PixelAt(rig.images[0], p.x, p.y), kWhitePixel);
        for (const Point& p : c.copied) EXPECT_EQ(PixelAt(rig.images[0], p.x, p.y), kRedPixel);
    }
}

TEST(CCaptureTest, CustomShapeAbortsBeyondItsVertexLimit) {
    // The release tracks one point more than the moves.
    for (const int moves : {1000, 1001}) {
        SCOPED_TRACE(moves);
        CaptureRig rig(CapShape::kCustom);
        rig.Open();
        std::vector<Point> path;
        for (int i = 0; i < moves; ++i) path.push_back({10 + i % 300, 10 + i % 250});
        rig.Drag({10, 10}, path);
        const std::uint32_t error = moves > 1000 ? std::uint32_t{kErrorImplementationLimit} : 0;
        EXPECT_EQ(rig.window.ends, (std::vector<OverlayEnd>{{error, MainWindowAfter::kRestore}}));
        EXPECT_EQ(rig.images.size(), error == 0 ? 1u : 0u);
    }
}

// Overlapping windows: a back window with a child and a grandchild, a front window, and on
// top a hidden, a minimized and a transparent window and the overlay itself.
struct WindowScene {
    WindowId back, child, grandchild, front, overlay;
    explicit WindowScene(FakeDesktop& d) {
        back = d.AddWindow(FakeDesktop::Describe("Back", "B", {0, 0, 200, 200}));
        child = d.AddWindow(FakeDesktop::Describe("Child", "C", {20, 20, 100, 100}, back));
        grandchild = d.AddWindow(FakeDesktop::Describe("Grand", "G", {30, 30, 50, 50}, child));
        front = d.AddWindow(FakeDesktop::Describe("Front", "F", {150, 150, 300, 250}));
        d.AddWindow(FakeDesktop::Describe("Hidden", "H", {0, 0, 60, 60}, 0, 0, false));
        FakeDesktop::WindowDesc minimized = FakeDesktop::Describe("Min", "M", {0, 0, 60, 60});
        minimized.minimized = true;
        d.AddWindow(minimized);
        FakeDesktop::WindowDesc clear = FakeDesktop::Describe("Clear", "T", {0, 0, 400, 300});
        clear.transparent = true;
        d.AddWindow(clear);
        overlay = d.AddWindow(FakeDesktop::Describe("", "NerimScrCop", {0, 0, 400, 300}));
    }
};

TEST(CCaptureTest, PickWindowTakesTheTopmostEligibleRootOrItsChildren) {
    FakeDesktop desktop{{0, 0, 400, 300}};
    const WindowScene scene(desktop);
    struct Case {
        Point at;
        KeyState keys;
        WindowId want;
    };
    const Case cases[] = {
        {{160, 160}, {}, scene.front},
        {{40, 40}, {}, scene.back},
        {{40, 40}, {.shift = true}, scene.child},
        {{40, 40}, {.ctrl = true}, scene.grandchild},
        {{10, 10}, {.shift = true}, kNoWindow},
        {{350, 280}, {}, kNoWindow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y << c.keys.shift << c.keys.ctrl);
        EXPECT_EQ(CWndCapSnip::PickWindow(desktop, c.at, scene.overlay, c.keys), c.want);
    }
}

TEST(CCaptureTest, WindowCaptureRepaintsOnlyWhenAnotherWindowIsPicked) {
    CaptureRig rig(CapShape::kWindow);
    const WindowScene scene(rig.desktop);
    rig.capture.SetOverlayWindow(scene.overlay);
    rig.Open();
    const CRegion back = CRegion::FromRect({0, 0, 200, 200});
    const CRegion front = CRegion::FromRect({150, 150, 300, 250});
    rig.Drag({40, 40}, {{45, 45}, {160, 160}});
    const auto& inv = rig.window.invalidations;
    ASSERT_EQ(inv.size(), 3u);  // the second point is the same window again
    EXPECT_TRUE(inv[0].region == back && inv[0].erase == EraseBackground::kNo);
    EXPECT_TRUE(inv[1].region == back.Subtract(front) && inv[1].erase == EraseBackground::kYes);
    EXPECT_TRUE(inv[2].region == front.Subtract(back) && inv[2].erase == EraseBackground::kNo);
    ASSERT_EQ(rig.images.size(), 1u);
    EXPECT_EQ(SizeOf(rig.images[0]), (Size{150, 100}));
}

TEST(CCaptureTest, MonitorCaptureTakesTheNearestMonitorLeftOfThePrimary) {
    CaptureRig rig(CapShape::kMonitor);
    rig.desktop.SetMonitors(
        {{{0, 0, 400, 300}, {0, 0, 400, 280}}, {{-200, 0, 0, 150}, {-200, 0, 0, 150}}});
    rig.desktop.FillRect({-200, 0, 0, 150}, kBlue);
    rig.Open();
    // Overlay points start at the virtual screen's corner (-200, 0).
    const std::pair<Point, Rect> steps[] = {
        {{50, 50}, {0, 0, 200, 150}},      // on the left monitor
        {{300, 100}, {200, 0, 600, 300}},  // on the primary one
        {{100, 200}, {0, 0, 200, 150}},    // below the left monitor, nearest to it
    };
    rig.capture.OnLeftDown({50, 50}, {});
    for (const auto& [at, selection] : steps) {
        rig.capture.OnMouseMove(at, {});
        EXPECT_EQ(rig.capture.Selection(), selection);
    }
    rig.capture.OnLeftUp({100, 200}, {});
    ASSERT_EQ(rig.images.size(), 1u);
    EXPECT_EQ(SizeOf(rig.images[0]), (Size{200, 150}));
    EXPECT_EQ(PixelAt(rig.images[0], 199, 149), kBluePixel);
}

TEST(CCaptureTest, MonitorPaneNamesTheNearestMonitorWithItsSize) {
    FakeDesktop desktop;
    desktop.SetMonitors(
        {{{0, 0, 400, 300}, {0, 0, 400, 280}}, {{-200, 0, 0, 150}, {-200, 0, 0, 150}}});
    const std::pair<Point, const char*> cases[] = {
        {{100, 100}, "Monitor 1: 400 x 300"},   // the primary monitor comes first
        {{-50, 20}, "Monitor 2: 200 x 150"},    // left of the primary, at negative x
        {{-100, 200}, "Monitor 2: 200 x 150"},  // below it: the nearest one
    };
    for (const auto& [cursor, text] : cases) EXPECT_EQ(MonitorPaneText(desktop, cursor), text);
}

TEST(CCaptureTest, DesktopCompletesWhenShownAfterItsWaitAndAutoCopies) {
    struct Case {
        std::uint32_t options;
        std::vector<int> waits;
        MainWindowAfter mainWindow;
    };
    const Case cases[] = {
        {0, {CCapture::kDesktopSettleMs}, MainWindowAfter::kRestore},
        {AppSettings::kCopierIncludeOwnWindows, {}, MainWindowAfter::kLeave},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        CaptureRig rig(CapShape::kDesktop, c.options);
        rig.prefs.SetOption(OptionWord::kColorPicker, AppSettings::kPickerAutoCopy,
                            OptionState::kOn);
        rig.Open();
        EXPECT_EQ(rig.window.calls, (std::vector<std::string>{"repaint", "hide", "end"}));
        EXPECT_EQ(rig.window.waits, c.waits);
        EXPECT_EQ(rig.window.ends, (std::vector<OverlayEnd>{{0, c.mainWindow}}));
        ASSERT_EQ(rig.images.size(), 1u);
        EXPECT_EQ(SizeOf(rig.images[0]), (Size{400, 300}));
        EXPECT_EQ(rig.clipboard.Image(), rig.images[0]);
    }
}

TEST(CCaptureTest, IncludedCursorCountsDownPlaysTheSoundAndIsDrawnAtItsHotSpot) {
    struct Case {
        std::uint32_t options;
        int delay;
        std::vector<std::string> seconds;
        Point cursorAt;
        bool drawn;
    };
    const std::uint32_t on = AppSettings::kCopierIncludeCursor;
    const Case cases[] = {
        {on, 250, {"0.3", "0.2", "0.1"}, {20, 20}, true},
        {on, 0, {}, {20, 20}, true},
        {on, 0, {}, {200, 200}, false},  // outside the copied box
        {0, 2000, {}, {20, 20}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.options << " " << c.delay);
        CaptureRig rig(CapShape::kRectangle, c.options);
        rig.prefs.SetPickDelay(c.delay);
        rig.prefs.SetEventSound(static_cast<int>(SoundEvent::kCopyCursor), 2);
        rig.desktop.FillRect({0, 0, 400, 300}, kRed);
        // A 2x2 blue cursor, its bottom-left pixel transparent, the hot spot bottom-right.
        rig.cursor = CursorImage{2, 2, {1, 1}, c.cursorAt, {kBluePixel, kBluePixel, 0, kBluePixel}};
        rig.Open();
        rig.Drag({10, 10}, {{49, 49}});
        std::vector<std::string> texts;
        for (const std::string& s : c.seconds)
            texts.push_back(s + " sec to snapshot - move cursor into place!");
        EXPECT_EQ(rig.window.texts, texts);
        const bool sound = c.options != 0;
        ASSERT_EQ(rig.sound.Log().size(), sound ? 1u : 0u);
        if (sound) {
            EXPECT_EQ(rig.sound.Log()[0].resourceId, kSoundResourceBase + 2);
        }
        ASSERT_EQ(rig.images.size(), 1u);
        // The cursor's top-left pixel lands one left of and above its position.
        EXPECT_EQ(PixelAt(rig.images[0], 9, 9), c.drawn ? kBluePixel : kRedPixel);
        EXPECT_EQ(PixelAt(rig.images[0], 10, 9), c.drawn ? kBluePixel : kRedPixel);
        EXPECT_EQ(PixelAt(rig.images[0], 9, 10), kRedPixel);
    }
}

}  // namespace
}  // namespace nl
