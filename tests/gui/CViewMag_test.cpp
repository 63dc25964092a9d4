// The Magnifier tool in the main window: the magnifier view following the cursor or the
// ruler, its toolbar's texts and buttons, copying, the zoom controls of the other tools'
// toolbars, and starting, stopping and picking through the frame.
#include "magnifier/qt/CViewMag.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

#include "app/qt/CMainFrame.h"
#include "base/command_ids.h"
#include "gui_test_support.h"
#include "magnifier/qt/CViewTBMag.h"
#include "picking/CDesktopSampler.h"
#include "ui/qt/CColorTile.h"
#include "ui/qt/CCtrlZoom.h"
#include "ui/qt/CStatusBarEx.h"

namespace nl {
namespace {

using test::FrameRig;

constexpr std::uint32_t kStarted = AppSettings::kGeneralPickingStarted;

struct MagRig : FrameRig {
    WindowId editor = kNoWindow;

    explicit MagRig(std::int32_t tool = AppSettings::kToolMagnifier) {
        prefs.SetActiveTool(tool);
        const auto desc =
            FakeDesktop::Describe("Report - Writer", "WriterFrame", {400, 300, 900, 700});
        editor = desktop.AddWindow(desc);
        desktop.FillRect(desc.rect, MakeRgb(10, 20, 30));
        MakeFrame();
        frame->resize(400, 500);
        frame->ShowAtStartup();
    }
    CViewMag* View() const { return dynamic_cast<CViewMag*>(frame->MainView()); }
    CCtrlZoom* Zoom() const { return View()->Zoom(); }
    // One tick of the picking timer, as the frame runs it.
    void Tick(Point cursor) {
        desktop.SetCursorPos(cursor);
        frame->Sampler().RefreshSample();
        notify.Send(ViewNotify::kTimerTick);
        frame->RunIdleUpdate();
    }
    QString Text(int id) const {
        auto* edit = qobject_cast<QLineEdit*>(frame->ToolbarView()->Control(id));
        return edit ? edit->text() : QStringLiteral("<none>");
    }
    bool Started() { return (Settings().generalOptions & kStarted) != 0; }
};

TEST(CViewMagTest, MagnifierViewFollowsTheCursorAndShowsTheArea) {
    MagRig rig;
    ASSERT_NE(rig.View(), nullptr);
    ASSERT_NE(dynamic_cast<CViewTBMag*>(rig.frame->ToolbarView()), nullptr);
    EXPECT_TRUE(rig.Zoom()->isEnabled());
    EXPECT_EQ(rig.Zoom()->Zoom(), 400);
    EXPECT_EQ(rig.Zoom()->size(), rig.View()->size());

    rig.Tick({500, 400});
    EXPECT_EQ(rig.Zoom()->Centre(), (Point{500, 400}));
    rig.Zoom()->grab();  // paints one frame
    const Rect shown = rig.Zoom()->SourceRect();
    ASSERT_FALSE(shown.IsEmpty());
    rig.frame->RunIdleUpdate();
    const QString area = QStringLiteral("%1 , %2 - %3 , %4 (%5 x %6)")
                             .arg(shown.left)
                             .arg(shown.top)
                             .arg(shown.right)
                             .arg(shown.bottom)
                             .arg(shown.Width())
                             .arg(shown.Height());
    EXPECT_EQ(rig.Text(cmd::kPositionText), area);
    EXPECT_EQ(rig.Text(cmd::kWindowTitleText), QStringLiteral("Report - Writer"));

    // Stopped: the zoom control shows a plain face and the texts say so.
    rig.frame->ExecuteCommand(cmd::kPickingStopped);
    EXPECT_FALSE(rig.Zoom()->isEnabled());
    EXPECT_FALSE(rig.frame->IsPickTimerRunning());
    rig.Tick({10, 10});
    EXPECT_EQ(rig.Zoom()->Centre(), (Point{500, 400}));
    EXPECT_EQ(rig.Text(cmd::kPositionText), QStringLiteral("Start to enable"));
    EXPECT_EQ(rig.Text(cmd::kWindowTitleText), QString());
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), QStringLiteral("Disabled"));
}

TEST(CViewMagTest, AColorVisionSimulationFiltersThePictureButNotItsCopies) {
    MagRig rig;
    const COLORREF swatch = MakeRgb(200, 50, 100);
    rig.desktop.FillRect({400, 300, 900, 700}, swatch);
    const auto centrePixel = [&rig] {
        rig.Tick({600, 500});
        const QImage frame = rig.Zoom()->grab().toImage();
        // Beside the centre mark, which inverts the centre pixel's block.
        const QColor c = frame.pixelColor(frame.width() / 4, frame.height() / 4);
        return MakeRgb(c.red(), c.green(), c.blue());
    };
    EXPECT_EQ(centrePixel(), swatch);
    EXPECT_TRUE(rig.View()->Caption()->isHidden());

    const VisionSetting deuteranopia{ColorVision::kDeuteranopia, 1.0};
    rig.View()->SetVision(deuteranopia);
    const COLORREF seen = CColorVisionFilter(ColorVision::kDeuteranopia, 1).Apply(swatch);
    EXPECT_NE(seen, swatch);
    EXPECT_EQ(centrePixel(), seen);
    // Named on the view, so nobody takes it for the screen.
    EXPECT_FALSE(rig.View()->Caption()->isHidden());
    EXPECT_EQ(rig.View()->Caption()->text(),
              QStringLiteral("Simulated: Deuteranopia (no green cones)"));
    // A copy holds the screen's own pixels.
    const QImage copy = rig.Zoom()->CopyImage(false);
    ASSERT_FALSE(copy.isNull());
    EXPECT_EQ(copy.pixelColor(0, 0), QColor(200, 50, 100));

    // Kept beside the data file for the next start, and back to normal.
    EXPECT_EQ(StoredVision(rig.prefs), deuteranopia);
    rig.View()->SetVision({ColorVision::kTritanomaly, 0.4});
    EXPECT_EQ(rig.View()->Caption()->text(),
              QStringLiteral("Simulated: Tritanomaly (weak blue) 40 %"));
    EXPECT_EQ(StoredVision(rig.prefs), (VisionSetting{ColorVision::kTritanomaly, 0.4}));
    rig.View()->SetVision({});
    EXPECT_EQ(centrePixel(), swatch);
    EXPECT_TRUE(rig.View()->Caption()->isHidden());
}

TEST(CViewMagTest, FollowRulerOnlyWhileTheRulerIsInTheForeground) {
    struct Case {
        const char* name;
        bool option, exists, foreground;
        Point want;
    };
    const Case cases[] = {
        {"ruler active", true, true, true, {30, 40}},
        {"another window active", true, true, false, {600, 500}},
        {"no ruler", true, false, true, {600, 500}},
        {"option off", false, true, true, {600, 500}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MagRig rig;
        rig.prefs.SetOption(OptionWord::kMagnifier, AppSettings::kMagnifierFollowRuler,
                            c.option ? OptionState::kOn : OptionState::kOff);
        rig.View()->SetRulerSource([&c] {
            return CViewMag::RulerState{c.exists, c.foreground, {30, 40}};
        });
        rig.Tick({600, 500});
        EXPECT_EQ(rig.Zoom()->Centre(), c.want);
    }
}

TEST(CViewMagTest, ThePanesShowTheCentreColorSampledAsPicksSampleAndCopyItsText) {
    MagRig rig;
    constexpr int kHashHtml = 4;
    rig.prefs.SetColorFormat(kHashHtml);
    // A steel blue swatch beside a white one, both inside the writer's window.
    rig.desktop.FillRect({500, 400, 520, 420}, MakeRgb(0x46, 0x82, 0xB4));
    rig.desktop.FillRect({520, 400, 540, 420}, MakeRgb(255, 255, 255));
    auto* bar = dynamic_cast<CViewTBMag*>(rig.frame->ToolbarView());
    ASSERT_NE(bar, nullptr);
    auto* tile = dynamic_cast<CColorTile*>(bar->Control(cmd::kColorTile));
    ASSERT_NE(tile, nullptr);
    struct Case {
        const char* what;
        SampleMethod method;
        Point at;
        const char* text;
        const char* name;
        COLORREF color;
    };
    const Case cases[] = {
        {"the swatch's pixel",
         {1, SampleStat::kMean},
         {510, 410},
         "#4682B4",
         "steelblue",
         MakeRgb(0x46, 0x82, 0xB4)},
        // 3 x 3 on the swatch's last column: two columns of blue, one of white.
        {"the mean across the edge",
         {3, SampleStat::kMean},
         {519, 410},
         "#84ACCD",
         "\u2248 darkgray",
         MakeRgb(0x84, 0xAC, 0xCD)},
        {"the median across the edge",
         {3, SampleStat::kMedian},
         {519, 410},
         "#4682B4",
         "steelblue",
         MakeRgb(0x46, 0x82, 0xB4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rig.prefs.SetSampling(c.method);
        rig.Tick(c.at);
        EXPECT_EQ(rig.Text(cmd::kCentreColorText), QString::fromUtf8(c.text));
        EXPECT_EQ(rig.Text(cmd::kCentreColorName), QString::fromUtf8(c.name));
        EXPECT_EQ(tile->Color(), c.color);
        rig.frame->ExecuteCommand(cmd::kCopyCentreColor);
        EXPECT_EQ(rig.clipboard.Text(), c.text);
    }
    // Following the ruler, the panes show the ruler's origin, not the cursor's pixel.
    rig.prefs.SetSampling({});
    rig.View()->SetRulerSource([] { return CViewMag::RulerState{true, true, {530, 410}}; });
    rig.Tick({510, 410});
    EXPECT_EQ(rig.Text(cmd::kCentreColorText), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(rig.Text(cmd::kCentreColorName), QStringLiteral("white"));
    // Ctrl+C still copies the picture.
    rig.Zoom()->grab();
    rig.frame->ExecuteCommand(cmd::kEditCopy);
    EXPECT_TRUE(rig.clipboard.Image().has_value());
}

TEST(CViewMagTest, SliderZoomReachesEveryZoomControlAndTheLabel) {
    MagRig rig;
    auto* slider = qobject_cast<QSlider*>(rig.frame->ToolbarView()->Control(cmd::kZoomSlider));
    ASSERT_NE(slider, nullptr);
    // The bottom of the vertical slider is the largest zoom.
    slider->setValue(slider->maximum());
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.Settings().zoomFactor, 1000);
    EXPECT_EQ(rig.Zoom()->Zoom(), 1000);
    auto* label = qobject_cast<QLabel*>(rig.frame->ToolbarView()->Control(cmd::kZoomText));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("1000%"));

    // The other tools' toolbars carry a live zoom control with the same factor, always
    // marking the centre, and following the cursor on each tick.
    for (int tool : {cmd::kToolScreenCopier, cmd::kToolColorPicker, cmd::kToolGauge}) {
        SCOPED_TRACE(tool);
        rig.frame->ExecuteCommand(tool);
        auto* zoom = dynamic_cast<CCtrlZoom*>(rig.frame->ToolbarView()->Control(cmd::kZoomControl));
        ASSERT_NE(zoom, nullptr);
        EXPECT_EQ(zoom->Zoom(), 1000);
        EXPECT_TRUE(zoom->DrawCursorMark());
        EXPECT_TRUE(zoom->isEnabled());
        rig.Tick({450, 350});
        EXPECT_EQ(zoom->Centre(), (Point{450, 350}));
        rig.prefs.SetZoomFactor(200);
        rig.notify.Send(ViewNotify::kZoomChanged);
        EXPECT_EQ(zoom->Zoom(), 200);
        rig.frame->ExecuteCommand(cmd::kPickingStopped);
        EXPECT_FALSE(zoom->isEnabled());
        rig.frame->ExecuteCommand(cmd::kResumePicking);
        EXPECT_TRUE(zoom->isEnabled());
        rig.prefs.SetZoomFactor(1000);
        rig.notify.Send(ViewNotify::kZoomChanged);
    }
}

TEST(CViewMagTest, OptionButtonsToggleTheirBitsAndOnlyTheViewsMark) {
    MagRig rig;
    CViewAppTB* bar = rig.frame->ToolbarView();
    struct Case {
        int id;
        std::uint32_t bit;
    };
    const Case cases[] = {{cmd::kStretchCopies, AppSettings::kMagnifierStretchCopies},
                          {cmd::kFollowRuler, AppSettings::kMagnifierFollowRuler},
                          {cmd::kDrawCursorPosition, AppSettings::kMagnifierCursorPosition}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        auto* button = qobject_cast<QToolButton*>(bar->Control(c.id));
        ASSERT_NE(button, nullptr);
        rig.frame->RunIdleUpdate();
        ASSERT_TRUE(button->isEnabled());
        const bool before = (rig.Settings().magnifierOptions & c.bit) != 0;
        EXPECT_EQ(button->isChecked(), before);
        rig.prefs.ClearChanged();
        button->click();
        rig.frame->RunIdleUpdate();
        EXPECT_EQ((rig.Settings().magnifierOptions & c.bit) != 0, !before);
        EXPECT_EQ(button->isChecked(), !before);
        EXPECT_TRUE(rig.prefs.IsChanged());
    }
    // The view's control follows "Draw cursor position"; it was on by default.
    EXPECT_FALSE(rig.Zoom()->DrawCursorMark());
    rig.frame->ExecuteCommand(cmd::kToolGauge);
    auto* other = dynamic_cast<CCtrlZoom*>(rig.frame->ToolbarView()->Control(cmd::kZoomControl));
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(other->DrawCursorMark());
}

TEST(CViewMagTest, CopyWithNothingMagnifiedSaysSo) {
    MagRig rig;
    // A centre far off the desktop: nothing is magnified.
    rig.Zoom()->SetCentre({-5000, -5000});
    rig.Zoom()->grab();
    ASSERT_TRUE(rig.Zoom()->SourceRect().IsEmpty());
    rig.frame->ExecuteCommand(cmd::kEditCopy);
    ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
    EXPECT_EQ(rig.dialogs.Messages()[0].text,
              "There is no data available to copy to the clipboard.");

    rig.Tick({500, 400});
    rig.Zoom()->grab();
    rig.frame->ExecuteCommand(cmd::kEditCopy);
    EXPECT_EQ(rig.dialogs.Messages().size(), 1u);
    // The copy reached the program's clipboard as a picture.
    const auto image = rig.clipboard.Image();
    ASSERT_TRUE(image.has_value());
    EXPECT_FALSE(image->IsEmpty());
}

TEST(CViewMagTest, CopyInstructionsAndHints) {
    MagRig rig;
    rig.frame->ExecuteCommand(cmd::kCopyInstructions);
    ASSERT_EQ(rig.dialogs.Messages().size(), 1u);
    EXPECT_EQ(rig.dialogs.Messages()[0].icon, MsgIcon::kInformation);
    EXPECT_NE(rig.dialogs.Messages()[0].text.find("3- Press Ctrl+C"), std::string::npos);

    // The offscreen window is never active: the hint asks to activate the window.
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), QStringLiteral("Click here to activate NerimLens"));
    rig.desktop.SetForeground(rig.frame->NativeWindow());
    rig.keyboardAvailable = true;
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(),
              QStringLiteral("Press Ctrl+C to copy magnified image"));
    rig.keyboardAvailable = false;
    rig.frame->RunIdleUpdate();
    EXPECT_EQ(rig.frame->StatusBarEx()->Hint(), QStringLiteral("Move cursor outside this window"));
}

TEST(CViewMagTest, StartStopItemSwitchesPickingAndItsCaption) {
    MagRig rig;
    ASSERT_TRUE(rig.Started());
    EXPECT_EQ(rig.frame->UpdateCommand(cmd::kTogglePicking).Text(), "Stop &picking");
    EXPECT_EQ(rig.frame->IconId(), res::kIconStarted);
    test::NotifyCounter counter;
    rig.notify.Register(&counter);

    rig.frame->ExecuteCommand(cmd::kTogglePicking);
    EXPECT_FALSE(rig.Started());
    EXPECT_FALSE(rig.frame->IsPickTimerRunning());
    EXPECT_EQ(rig.frame->IconId(), res::kIconStopped);
    EXPECT_EQ(rig.frame->UpdateCommand(cmd::kTogglePicking).Text(), "Start &picking");
    // Picks are off while stopped.
    EXPECT_FALSE(rig.frame->UpdateCommand(cmd::kPickColor).Enabled());

    rig.frame->ExecuteCommand(cmd::kTogglePicking);
    EXPECT_TRUE(rig.Started());
    EXPECT_TRUE(rig.frame->IsPickTimerRunning());
    EXPECT_EQ(counter.Count(ViewNotify::kPickingApplied), 2);
    rig.notify.Unregister(&counter);
}

TEST(CViewMagTest, KeyPicksStopWithAutoStopMenuPicksDoNot) {
    struct Case {
        const char* name;
        bool byKey;
        bool wantStarted;
    };
    for (const Case& c : {Case{"menu", false, true}, Case{"Enter", true, false}}) {
        SCOPED_TRACE(c.name);
        MagRig rig;
        rig.prefs.SetOption(OptionWord::kColorPicker, AppSettings::kPickerAutoStop,
                            OptionState::kOn);
        rig.desktop.SetCursorPos({450, 350});
        if (c.byKey) {
            rig.frame->ExecuteCommand(cmd::kPickColor, PickOrigin::kKey);
        } else {
            rig.frame->ExecuteCommand(cmd::kPickColor);
        }
        ASSERT_EQ(rig.doc.Colors().GetCount(), 1);
        EXPECT_EQ(rig.doc.Colors().GetAt(0).Color(), MakeRgb(10, 20, 30));
        EXPECT_EQ(rig.doc.Colors().GetAt(0).SourceTitle(), "Report - Writer");
        EXPECT_EQ(rig.Started(), c.wantStarted);
        EXPECT_EQ(rig.frame->IsPickTimerRunning(), c.wantStarted);
    }
}

TEST(CViewMagTest, DelayedPickCountsDownInTheStatusBar) {
    struct Case {
        int delay;
        const char* lastHint;  // nothing shown for a pick at once
    };
    for (const Case& c : {Case{0, nullptr}, Case{200, "0.1 sec to snapshot - move cursor away!"}}) {
        SCOPED_TRACE(c.delay);
        MagRig rig;
        rig.prefs.SetPickDelay(c.delay);
        rig.frame->StatusBarEx()->SetHint(QStringLiteral("before"));
        rig.desktop.SetCursorPos({450, 350});
        rig.frame->ExecuteCommand(cmd::kShiftEnterAction, PickOrigin::kKey);
        ASSERT_EQ(rig.doc.Colors().GetCount(), 1);
        EXPECT_EQ(rig.doc.Colors().GetAt(0).Position(), (Point{450, 350}));
        EXPECT_EQ(rig.frame->StatusBarEx()->Hint(),
                  c.lastHint ? QString::fromUtf8(c.lastHint) : QStringLiteral("before"));
    }
}

}  // namespace
}  // namespace nl
