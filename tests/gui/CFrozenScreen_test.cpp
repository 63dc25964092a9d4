// Picking on a frozen screen, where the desktop does not follow the pointer: starting and
// stopping, the picture's windows, the pointer as the cursor, picks by click and the refusal
// where the screen cannot be frozen.
#include "overlay/qt/CFrozenScreen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
#include <functional>

#include "base/StringTable.h"
#include "framework/hot_keys.h"
#include "gui_test_support.h"
#include "overlay/qt/COverlayWnd.h"
#include "platform/IHotKeys.h"
#include "ui/qt/CStatusBarEx.h"

namespace nl {
namespace {

using test::FrameRig;

constexpr COLORREF kLeftFill = MakeRgb(0x20, 0x60, 0xA0);
constexpr COLORREF kRightFill = MakeRgb(0xE0, 0x30, 0x10);
constexpr COLORREF kLater = MakeRgb(0x11, 0x22, 0x33);
// Two monitors side by side, each filled with its own color.
constexpr Rect kLeftMonitor{0, 0, 640, 480};
constexpr Rect kRightMonitor{640, 0, 1280, 480};

struct FrozenRig : FrameRig {
    explicit FrozenRig(PointerTracking tracking = PointerTracking::kFrozenOnly) {
        desktop.SetPointerTracking(tracking);
        desktop.SetMonitors({{kLeftMonitor, kLeftMonitor}, {kRightMonitor, kRightMonitor}});
        desktop.FillRect(kLeftMonitor, kLeftFill);
        desktop.FillRect(kRightMonitor, kRightFill);
        MakeFrame();
    }
    bool Started() const { return Settings().PickingStarted(); }
    CFrozenScreen& Frozen() const { return frame->FrozenScreen(); }
};

// Sends a mouse event at `local` (the window's logical pixels) straight to `window`.
void SendMouse(QWidget* window, QEvent::Type type, QPointF local) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, local, window->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

TEST(CFrozenScreenTest, StartingFreezesOnlyWhereTheDesktopDoesNotFollowThePointer) {
    for (const PointerTracking tracking :
         {PointerTracking::kFrozenOnly, PointerTracking::kFollows}) {
        const bool frozenOnly = tracking == PointerTracking::kFrozenOnly;
        SCOPED_TRACE(frozenOnly);
        FrozenRig rig(tracking);
        // Picking saved as started does not come back at start-up on a frozen-only desktop.
        rig.prefs.SetOption(OptionWord::kGeneral, AppSettings::kGeneralPickingStarted,
                            OptionState::kOn);
        rig.frame->ShowAtStartup();
        EXPECT_EQ(rig.Started(), !frozenOnly);
        EXPECT_FALSE(rig.desktop.IsFrozen());

        rig.frame->ExecuteCommand(cmd::kPickingStopped);
        rig.frame->ExecuteCommand(cmd::kResumePicking);
        EXPECT_TRUE(rig.Started());
        EXPECT_TRUE(rig.frame->IsPickTimerRunning());
        EXPECT_EQ(rig.desktop.IsFrozen(), frozenOnly);
        EXPECT_EQ(rig.Frozen().IsOpen(), frozenOnly);
        EXPECT_EQ(rig.Frozen().Windows().size(), frozenOnly ? 2u : 0u);

        rig.frame->ExecuteCommand(cmd::kPickingStopped);
        EXPECT_FALSE(rig.desktop.IsFrozen());
        EXPECT_FALSE(rig.Frozen().IsOpen());
    }
}

TEST(CFrozenScreenTest, OneWindowPerMonitorShowsItsPicture) {
    FrozenRig rig;
    rig.frame->ShowAtStartup();
    rig.frame->ExecuteCommand(cmd::kResumePicking);
    const std::vector<QWidget*> windows = rig.Frozen().Windows();
    ASSERT_EQ(windows.size(), 2u);
    const struct {
        Rect monitor;
        COLORREF fill;
    } expected[] = {{kLeftMonitor, kLeftFill}, {kRightMonitor, kRightFill}};
    for (std::size_t i = 0; i < windows.size(); ++i) {
        SCOPED_TRACE(i);
        QWidget* window = windows[i];
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        const QRect g = window->geometry();
        EXPECT_EQ((Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()}),
                  expected[i].monitor);
        // A corner away from the cross-hair shows the monitor's pixels.
        const QImage shot = window->grab().toImage();
        EXPECT_EQ(shot.pixel(2, 2) & 0xFFFFFF,
                  (static_cast<unsigned>(RgbRed(expected[i].fill)) << 16) |
                      (RgbGreen(expected[i].fill) << 8) | RgbBlue(expected[i].fill));
    }
}

TEST(CFrozenScreenTest, WhereTheCompositorPlacesWindowsThePictureIsFullScreenAndTheParent) {
    for (const bool compositor : {false, true}) {
        SCOPED_TRACE(compositor);
        FrozenRig rig;
        rig.desktop.SetWindowRules(compositor ? kCompositorPlacedWindows : kProgramPlacedWindows);
        rig.frame->ShowAtStartup();
        rig.frame->ExecuteCommand(cmd::kResumePicking);
        const std::vector<QWidget*> windows = rig.Frozen().Windows();
        ASSERT_FALSE(windows.empty());
        for (QWidget* window : windows) EXPECT_EQ(window->isFullScreen(), compositor);
        ASSERT_NE(rig.frame->windowHandle(), nullptr);
        const QWindow* parent = rig.frame->windowHandle()->transientParent();
        EXPECT_EQ(parent, compositor ? windows.front()->windowHandle() : nullptr);
        EXPECT_TRUE(rig.frame->isVisible());
    }
}

TEST(CFrozenScreenTest, ThePointerIsTheCursorAndAClickPicksTheFrozenPixel) {
    FrozenRig rig;
    rig.frame->ShowAtStartup();
    rig.frame->ExecuteCommand(cmd::kResumePicking);
    ASSERT_TRUE(rig.Frozen().IsOpen());
    // The live screen changes after the freeze; the picture and the picks keep the old one.
    rig.desktop.FillRect(kRightMonitor, kLater);
    QWidget* right = rig.Frozen().Windows()[1];

    SendMouse(right, QEvent::MouseMove, {100, 50});
    EXPECT_EQ(rig.desktop.CursorPos(), (Point{740, 50}));
    SendMouse(right, QEvent::MouseButtonPress, {30, 40});
    SendMouse(right, QEvent::MouseButtonRelease, {30, 40});
    ASSERT_EQ(rig.doc.Colors().GetCount(), 1);
    EXPECT_EQ(rig.doc.Colors().GetAt(0).Color(), kRightFill);
    EXPECT_EQ(rig.doc.Colors().GetAt(0).Position(), (Point{670, 40}));
    EXPECT_TRUE(rig.Started());
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint().toStdString(), LoadString(kIdsHintFrozenScreen));

    // Esc leaves: picking stops and the live screen is back.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(right, &escape);
    EXPECT_FALSE(rig.Started());
    EXPECT_FALSE(rig.desktop.IsFrozen());
    EXPECT_EQ(rig.desktop.PixelColor({670, 40}), kLater);
}

TEST(CFrozenScreenTest, AClickWithAutoStopLeavesAfterThePick) {
    FrozenRig rig;
    rig.prefs.SetOptions(OptionWord::kColorPicker, AppSettings::kPickerAutoStop);
    rig.frame->ShowAtStartup();
    rig.frame->ExecuteCommand(cmd::kResumePicking);
    QWidget* left = rig.Frozen().Windows()[0];
    SendMouse(left, QEvent::MouseButtonPress, {5, 6});
    EXPECT_EQ(rig.doc.Colors().GetCount(), 1);
    EXPECT_FALSE(rig.Started());
    EXPECT_FALSE(rig.Frozen().IsOpen());
}

TEST(CFrozenScreenTest, AScreenThatCannotFreezeKeepsPickingStoppedAndSaysWhy) {
    FrozenRig rig;
    rig.frame->ShowAtStartup();
    rig.desktop.SetScreenReadable(false);
    rig.frame->ExecuteCommand(cmd::kResumePicking);
    EXPECT_FALSE(rig.Started());
    EXPECT_FALSE(rig.frame->IsPickTimerRunning());
    EXPECT_FALSE(rig.Frozen().IsOpen());
    ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
    EXPECT_EQ(rig.dialogs.Messages()[0].text,
              FormatString(kIdsCannotFreeze, {"The screen cannot be read."}));
}

TEST(CFrozenScreenTest, ThePickHotKeyFreezesWithoutAsking) {
    FrozenRig rig;
    const std::uint32_t key = MakeHotKey(kModControl, kVkF1 + 9);
    rig.prefs.SetHotKey(kHotKeyPickColor, key);
    rig.frame->RegisterHotKeysAndTray();
    rig.frame->ShowAtStartup();
    ASSERT_TRUE(rig.hotKeys.Press(HotKeyModifiers(key), HotKeyVirtualKey(key)));
    EXPECT_TRUE(rig.dialogs.Messages().empty());
    EXPECT_TRUE(rig.Started());
    EXPECT_TRUE(rig.Frozen().IsOpen());
    // Pressed again, it picks at the cursor.
    rig.desktop.SetCursorPos({10, 10});
    ASSERT_TRUE(rig.hotKeys.Press(HotKeyModifiers(key), HotKeyVirtualKey(key)));
    ASSERT_EQ(rig.doc.Colors().GetCount(), 1);
    EXPECT_EQ(rig.doc.Colors().GetAt(0).Color(), kLeftFill);
}

// The smallest overlay: nothing of its own painted.
class BareOverlay final : public COverlayWnd {
public:
    using COverlayWnd::COverlayWnd;

protected:
    void PaintSelection(QPainter&, const QBrush&) override {}
};

TEST(CFrozenScreenTest, OverlaysShowTheDesktopsPictureWhereThePointerIsNotFollowed) {
    for (const PointerTracking tracking :
         {PointerTracking::kFollows, PointerTracking::kFrozenOnly}) {
        for (const OverlayBackdrop asked :
             {OverlayBackdrop::kTranslucent, OverlayBackdrop::kSnapshot}) {
            FakeDesktop desktop;
            FakeWindowSystem windows;
            desktop.SetPointerTracking(tracking);
            const BareOverlay overlay(desktop, windows, asked, {"Overlay", "Overlay"});
            const OverlayBackdrop expected =
                tracking == PointerTracking::kFrozenOnly ? OverlayBackdrop::kSnapshot : asked;
            EXPECT_EQ(overlay.Backdrop(), expected);
        }
    }
}

TEST(CFrozenScreenTest, OverlaysAreTranslucentOnlyWhereTheWindowSystemBlendsThem) {
    for (const bool blends : {false, true}) {
        FakeWindowSystem windows;
        windows.SetBlendsTranslucentWindows(blends);
        EXPECT_EQ(COverlayWnd::DisplayBackdrop(windows),
                  blends ? OverlayBackdrop::kTranslucent : OverlayBackdrop::kSnapshot);
    }
}

// The screen is copied at once unless a window of the program just left it: then the copy
// waits what is left of the time a compositor takes to take it away.
TEST(CFrozenScreenTest, TheCopyWaitsOnlyForAWindowOfTheProgramThatJustClosed) {
    FrozenRig rig;
    rig.frame->ShowAtStartup();
    QMenu menu;
    menu.addAction(QStringLiteral("Start picking"));
    QDialog dialog;
    auto* child = new QWidget(rig.frame.get());
    child->show();
    struct Case {
        const char* what;
        std::function<void()> close;
        int laterMs;
        int settleMs;
    };
    constexpr int kGone = CFrozenScreen::kMenuGoneMs;
    const Case cases[] = {
        {"nothing closed", [] {}, 0, 0},
        {"a widget inside a window hidden", [&] { child->hide(); }, 0, 0},
        {"a menu closed", [&] { menu.popup(QPoint(10, 10)), menu.hide(); }, 0, kGone},
        {"a menu closed a moment ago", [&] { menu.popup(QPoint(10, 10)), menu.hide(); }, kGone / 2,
         kGone - kGone / 2},
        {"a menu closed long ago", [&] { menu.popup(QPoint(10, 10)), menu.hide(); }, 2 * kGone, 0},
        {"a dialog closed", [&] { dialog.show(), dialog.hide(); }, 0, kGone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Whatever closed before is long gone.
        rig.clock.tick += 10 * kGone;
        ASSERT_EQ(rig.Frozen().SettleMs(), 0);
        c.close();
        rig.clock.tick += c.laterMs;
        EXPECT_EQ(rig.Frozen().SettleMs(), c.settleMs);
    }
}

}  // namespace
}  // namespace nl
