// Captures on the fake desktop: the selections of the drag shapes, the copied pixels of each
// shape, the custom outline's limit, window and monitor picking, the desktop shape, the
// countdown with cursor and sound, auto-copy and the prompts.
#include "capture/CCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/string_ids.h"
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

TEST(CCaptureTest, DragShapesSelectTheWidenedNormalisedRectangle) {
    struct Case {
        const char* name;
        CapShape shape;
        Point from;
        Point to;
        KeyState keys;
        Rect selection;
    };
    const Case cases[] = {
        {"rectangle", CapShape::kRectangle, {10, 10}, {50, 30}, {}, {10, 10, 51, 31}},
        {"dragged backwards", CapShape::kRectangle, {50, 30}, {10, 10}, {}, {10, 10, 51, 31}},
        {"Shift: square",
         CapShape::kRectangle,
         {10, 10},
         {50, 30},
         {.shift = true},
         {10, 10, 31, 31}},
        {"Shift up and left",
         CapShape::kEllipse,
         {50, 50},
         {20, 40},
         {.shift = true},
         {40, 40, 51, 51}},
        {"Shift along an axis: one pixel",
         CapShape::kRoundRect,
         {50, 50},
         {90, 50},
         {.shift = true},
         {50, 50, 51, 51}},
        {"Ctrl changes nothing",
         CapShape::kRectangle,
         {10, 10},
         {50, 30},
         {.ctrl = true},
         {10, 10, 51, 31}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureRig rig(c.shape);
        rig.Open();
        rig.Drag(c.from, {c.to}, c.keys);
        EXPECT_EQ(rig.capture.Selection(), c.selection);
        EXPECT_EQ(rig.capture.State(), CapState::kFinished);
        // A selection of one pixel is a plain click: nothing is copied.
        if (c.selection.Width() == 1 && c.selection.Height() == 1) {
            EXPECT_TRUE(rig.images.empty());
            continue;
        }
        ASSERT_EQ(rig.images.size(), 1u);
        EXPECT_EQ(rig.images[0].width, c.selection.Width());
        EXPECT_EQ(rig.images[0].height, c.selection.Height());
    }
}

TEST(CCaptureTest, PixelsOutsideTheShapeGetTheFillColor) {
    struct Case {
        const char* name;
        CapShape shape;
        std::vector<Point> path;  // pressed at the first point, released at the last
        Size size;
        std::vector<Point> filled;
        std::vector<Point> copied;
    };
    const Case cases[] = {
        {"rectangle",
         CapShape::kRectangle,
         {{100, 100}, {139, 119}},
         {40, 20},
         {},
         {{0, 0}, {39, 19}}},
        {"rounded rectangle",
         CapShape::kRoundRect,
         {{100, 100}, {139, 119}},
         {40, 20},
         {{0, 0}, {39, 0}, {0, 19}, {39, 19}},
         {{8, 0}, {0, 10}, {20, 10}}},
        {"ellipse",
         CapShape::kEllipse,
         {{100, 100}, {139, 119}},
         {40, 20},
         {{0, 0}, {39, 19}, {3, 2}},
         {{20, 10}, {0, 10}, {20, 0}}},
        {"custom triangle",
         CapShape::kCustom,
         {{100, 100}, {100, 100}, {140, 100}, {100, 140}},
         {39, 39},
         {{30, 30}, {38, 2}},
         {{1, 1}, {10, 20}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureRig rig(c.shape);
        rig.prefs.Settings().screenCopierFillColor = MakeRgb(0xFF, 0xFF, 0xFF);
        rig.desktop.FillRect({0, 0, 400, 300}, kRed);
        rig.Open();
        rig.Drag(c.path.front(), {c.path.begin() + 1, c.path.end()});
        ASSERT_EQ(rig.images.size(), 1u);
        const BitmapImage& image = rig.images[0];
        EXPECT_EQ((Size{image.width, image.height}), c.size);
        for (const Point& p : c.filled) EXPECT_EQ(PixelAt(image, p.x, p.y), kWhitePixel);
        for (const Point& p : c.copied) EXPECT_EQ(PixelAt(image, p.x, p.y), kRedPixel);
    }
}

TEST(CCaptureTest, PlainClickCopiesNothingAndReportsNothing) {
    CaptureRig rig(CapShape::kRectangle);
    rig.Open();
    rig.Drag({30, 30}, {});
    EXPECT_TRUE(rig.images.empty());
    EXPECT_EQ(rig.window.ends, (std::vector<OverlayEnd>{{0, MainWindowAfter::kRestore}}));
}

TEST(CCaptureTest, CustomShapeAbortsBeyondItsVertexLimit) {
    struct Case {
        int moves;  // then the release tracks one more point
        CapState state;
        std::uint32_t error;
    };
    const Case cases[] = {
        {1000, CapState::kFinished, 0},
        {1001, CapState::kAborted, kErrorImplementationLimit},
        {1500, CapState::kAborted, kErrorImplementationLimit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moves);
        CaptureRig rig(CapShape::kCustom);
        rig.Open();
        std::vector<Point> path;
        for (int i = 0; i < c.moves; ++i) path.push_back({10 + i % 300, 10 + i % 250});
        rig.Drag({10, 10}, path);
        EXPECT_EQ(rig.capture.State(), c.state);
        EXPECT_EQ(rig.window.ends, (std::vector<OverlayEnd>{{c.error, MainWindowAfter::kRestore}}));
        EXPECT_EQ(rig.images.size(), c.error == 0 ? 1u : 0u);
    }
}

// Overlapping windows: a back window with a child and a grandchild, a front window, and on
// top a hidden, a minimized and a transparent window and the overlay itself.
struct WindowScene {
    FakeDesktop& desktop;
    WindowId back, child, grandchild, front, overlay;
    explicit WindowScene(FakeDesktop& d) : desktop(d) {
        back = d.AddWindow(FakeDesktop::Describe("Back", "B", {0, 0, 200, 200}));
        child = d.AddWindow(FakeDesktop::Describe("Child", "C", {20, 20, 100, 100}, back));
        grandchild = d.AddWindow(FakeDesktop::Describe("Grand", "G", {30, 30, 50, 50}, child));
        front = d.AddWindow(FakeDesktop::Describe("Front", "F", {150, 150, 300, 250}));
        d.AddWindow(
            FakeDesktop::Describe("Hidden", "H", {0, 0, 60, 60}, kNoWindow, kNoWindow, false));
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
        const char* name;
        Point at;
        KeyState keys;
        WindowId want;
    };
    const Case cases[] = {
        {"front window over the back one", {160, 160}, {}, scene.front},
        {"root of the child under the point", {40, 40}, {}, scene.back},
        {"Shift: direct child", {40, 40}, {.shift = true}, scene.child},
        {"Ctrl: deepest child", {40, 40}, {.ctrl = true}, scene.grandchild},
        {"Ctrl without children", {160, 160}, {.ctrl = true}, scene.front},
        {"Shift where no child is", {10, 10}, {.shift = true}, kNoWindow},
        {"no window", {350, 280}, {}, kNoWindow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CWndCapSnip::PickWindow(desktop, c.at, scene.overlay, c.keys), c.want);
    }
}

TEST(CCaptureTest, WindowCaptureRepaintsOnlyWhenAnotherWindowIsPicked) {
    CaptureRig rig(CapShape::kWindow);
    const WindowScene scene(rig.desktop);
    rig.capture.SetOverlayWindow(scene.overlay);
    rig.Open();
    rig.capture.OnLeftDown({40, 40}, {});
    ASSERT_EQ(rig.window.invalidations.size(), 1u);
    EXPECT_EQ(rig.window.invalidations[0].region, CRegion::FromRect({0, 0, 200, 200}));
    EXPECT_EQ(rig.window.invalidations[0].erase, EraseBackground::kNo);
    rig.capture.OnMouseMove({45, 45}, {});
    EXPECT_EQ(rig.window.invalidations.size(), 1u);
    rig.capture.OnMouseMove({160, 160}, {});
    ASSERT_EQ(rig.window.invalidations.size(), 3u);
    const CRegion back = CRegion::FromRect({0, 0, 200, 200});
    const CRegion front = CRegion::FromRect({150, 150, 300, 250});
    EXPECT_EQ(rig.window.invalidations[1].region, back.Subtract(front));
    EXPECT_EQ(rig.window.invalidations[1].erase, EraseBackground::kYes);
    EXPECT_EQ(rig.window.invalidations[2].region, front.Subtract(back));
    rig.capture.OnLeftUp({160, 160}, {});
    EXPECT_EQ(rig.capture.PickedWindow(), scene.front);
    ASSERT_EQ(rig.images.size(), 1u);
    EXPECT_EQ((Size{rig.images[0].width, rig.images[0].height}), (Size{150, 100}));
}

TEST(CCaptureTest, MonitorCaptureTakesTheNearestMonitorLeftOfThePrimary) {
    CaptureRig rig(CapShape::kMonitor);
    rig.desktop.SetMonitors(
        {{{0, 0, 400, 300}, {0, 0, 400, 280}}, {{-200, 0, 0, 150}, {-200, 0, 0, 150}}});
    rig.desktop.FillRect({-200, 0, 0, 150}, kBlue);
    rig.desktop.FillRect({0, 0, 400, 300}, kRed);
    rig.Open();
    // Overlay points start at the virtual screen's corner (-200, 0).
    struct Step {
        Point at;
        Rect selection;
    };
    const Step steps[] = {
        {{50, 50}, {0, 0, 200, 150}},      // on the left monitor
        {{300, 100}, {200, 0, 600, 300}},  // on the primary one
        {{100, 200}, {0, 0, 200, 150}},    // below the left monitor: it is the nearest
    };
    rig.capture.OnLeftDown({50, 50}, {});
    for (const Step& s : steps) {
        rig.capture.OnMouseMove(s.at, {});
        EXPECT_EQ(rig.capture.Selection(), s.selection);
    }
    rig.capture.OnLeftUp({100, 200}, {});
    ASSERT_EQ(rig.images.size(), 1u);
    EXPECT_EQ((Size{rig.images[0].width, rig.images[0].height}), (Size{200, 150}));
    EXPECT_EQ(PixelAt(rig.images[0], 199, 149), kBluePixel);
}

TEST(CCaptureTest, DesktopCompletesWhenShownAfterItsWait) {
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
        rig.Open();
        EXPECT_EQ(rig.window.calls, (std::vector<std::string>{"repaint", "hide", "end"}));
        EXPECT_EQ(rig.countdown.waits, c.waits);
        EXPECT_EQ(rig.window.ends, (std::vector<OverlayEnd>{{0, c.mainWindow}}));
        ASSERT_EQ(rig.images.size(), 1u);
        EXPECT_EQ((Size{rig.images[0].width, rig.images[0].height}), (Size{400, 300}));
    }
}

TEST(CCaptureTest, IncludedCursorCountsDownPlaysTheSoundAndIsDrawnAtItsHotSpot) {
    struct Case {
        std::uint32_t options;
        int delay;
        std::vector<std::string> seconds;
        bool sound;
        Point cursorAt;
        bool drawn;
    };
    const std::uint32_t cursorOn = AppSettings::kCopierIncludeCursor;
    const Case cases[] = {
        {cursorOn, 250, {"0.3", "0.2", "0.1"}, true, {20, 20}, true},
        {cursorOn, 0, {}, true, {20, 20}, true},
        {cursorOn, 0, {}, true, {200, 200}, false},  // outside the box
        {0, 2000, {}, false, {20, 20}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        CaptureRig rig(CapShape::kRectangle, c.options);
        rig.prefs.Settings().pickDelay = c.delay;
        rig.prefs.EventSounds()[static_cast<int>(SoundEvent::kCopyCursor)] = 2;
        rig.desktop.FillRect({0, 0, 400, 300}, kRed);
        // A 2x2 blue cursor with its hot spot at its bottom-right pixel.
        rig.cursor = CursorImage{2, 2, {1, 1}, c.cursorAt, {0xFF0000FF, 0xFF0000FF, 0, 0xFF0000FF}};
        rig.Open();
        rig.Drag({10, 10}, {{49, 49}});
        std::vector<std::string> texts;
        for (const std::string& s : c.seconds)
            texts.push_back(s + " sec to snapshot - move cursor into place!");
        EXPECT_EQ(rig.countdown.texts, texts);
        EXPECT_EQ(rig.sound.Log().size(), c.sound ? 1u : 0u);
        if (c.sound) {
            EXPECT_EQ(rig.sound.Log()[0].resourceId, kSoundResourceBase + 2);
        }
        ASSERT_EQ(rig.images.size(), 1u);
        const BitmapImage& image = rig.images[0];
        // The cursor's top-left pixel lands one left of and above its position.
        EXPECT_EQ(PixelAt(image, 9, 9), c.drawn ? kBluePixel : kRedPixel);
        EXPECT_EQ(PixelAt(image, 10, 9), c.drawn ? kBluePixel : kRedPixel);
        EXPECT_EQ(PixelAt(image, 9, 10), kRedPixel);  // transparent there
    }
}

TEST(CCaptureTest, AutoCopyPutsTheImageOnTheClipboard) {
    for (const bool autoCopy : {false, true}) {
        SCOPED_TRACE(autoCopy);
        CaptureRig rig(CapShape::kRectangle);
        std::uint32_t& options = rig.prefs.Settings().colorPickerOptions;
        options = autoCopy ? options | AppSettings::kPickerAutoCopy
                           : options & ~AppSettings::kPickerAutoCopy;
        rig.Open();
        rig.Drag({10, 10}, {{19, 14}});
        ASSERT_EQ(rig.images.size(), 1u);
        EXPECT_EQ(rig.clipboard.Image(), autoCopy ? std::optional(rig.images[0]) : std::nullopt);
    }
}

TEST(CCaptureTest, PromptFollowsPickingAndTheOverlayState) {
    CaptureRig rig(CapShape::kRectangle);
    EXPECT_EQ(CapturePromptId(false, &rig.capture), kIdsHintDisabled);
    EXPECT_EQ(CapturePromptId(true, nullptr), kIdsHintCopyScreen);
    EXPECT_EQ(CapturePromptId(true, &rig.capture), kIdsHintPressToStart);
    rig.capture.OnLeftDown({5, 5}, {});
    EXPECT_EQ(CapturePromptId(true, &rig.capture), kIdsHintReleaseToFinish);
    rig.capture.OnRightUp();
    EXPECT_EQ(CapturePromptId(true, &rig.capture), 0u);
}

}  // namespace
}  // namespace nl
